// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Times one settings download without its pause against `lp -o raw` of the
// same bytes, alternately, on the default printer (run it under privatecups).
// Between jobs it waits, untimed, until the queue is idle, so that the
// download's busy check passes and neither side waits on the other's job.
//
//   downloadbench [COUNT]   prints each pair, then the medians and the ratio

#include "rawspooljob.h"
#include "settingsjob.h"
#include "settingslists.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace
{

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool waitUntilIdle(Spooler& spooler, const std::string& printer)
{
    for (int tries = 0; tries < 6000; ++tries) {
        std::string reason;
        const std::unique_ptr<SpoolPrinter> opened = spooler.open(printer, &reason);
        if (opened && opened->activeJobCount() == 0)
            return true;
        QThread::msleep(5);
    }
    return false;
}

// lp as a user starts it; its messages are dropped.
bool runLp(const QByteArray& printer, const QByteArray& file)
{
    QByteArray title("Permanent Settings Configuration");
    std::vector<char*> arguments{const_cast<char*>("lp"),
                                 const_cast<char*>("-d"),
                                 const_cast<char*>(printer.constData()),
                                 const_cast<char*>("-o"),
                                 const_cast<char*>("raw"),
                                 const_cast<char*>("-t"),
                                 title.data(),
                                 const_cast<char*>(file.constData()),
                                 nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int error = posix_spawnp(&child, "lp", &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return false;
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 20;

    // The block of the default choices, as the window would build it.
    SettingsState lists;
    selectDefaults(lists);
    const FlagSettingsBlock block = mdlFlagSettings::fncGetFlagSettings(lists);
    const QByteArray bytes = QByteArray::fromStdString(
        mdlFlagSettings::downloadJobBytes(mdlFlagSettings::downloadModeSend, block));
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "downloadbench: cannot write the job file\n");
        return 1;
    }

    const std::unique_ptr<Spooler> spooler = createPlatformSpooler();
    const DefaultPrinter target = spooler->defaultPrinter();
    if (target.status != DefaultPrinter::Status::Found) {
        std::fprintf(stderr, "downloadbench: no default printer: %s\n", target.reason.c_str());
        return 1;
    }
    std::printf("bytes %s\nprinter %s\n", bytes.toHex(' ').constData(), target.name.c_str());

    const QByteArray fileName = QFile::encodeName(file.fileName());
    const QByteArray printerName = QByteArray::fromStdString(target.name);
    std::vector<double> downloads;
    std::vector<double> lps;
    QElapsedTimer clock;
    // One of each first, untimed: libcups and lp's files are then warm.
    for (int i = -1; i < count; ++i) {
        // Alternate which goes first, so that neither always follows the other.
        for (int turn = 0; turn < 2; ++turn) {
            const bool download = (turn == 0) == (i % 2 == 0);
            if (!waitUntilIdle(*spooler, target.name)) {
                std::fprintf(stderr, "downloadbench: the queue stays busy\n");
                return 1;
            }
            clock.start();
            bool ok = false;
            if (download) {
                ok = mdlFlagSettings::sendFlagSettings(*spooler, mdlFlagSettings::downloadModeSend,
                                                       block)
                         .outcome == SpoolResult::Outcome::Sent;
            } else {
                ok = runLp(printerName, fileName);
            }
            const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (!ok) {
                std::fprintf(stderr, "downloadbench: %s failed\n", download ? "download" : "lp");
                return 1;
            }
            if (i >= 0)
                (download ? downloads : lps).push_back(ms);
        }
        if (i >= 0)
            std::printf("pair %d download %.2f ms lp %.2f ms\n", i + 1, downloads.back(),
                        lps.back());
    }
    waitUntilIdle(*spooler, target.name);
    const double downloadMedian = median(downloads);
    const double lpMedian = median(lps);
    std::printf("download_median_ms %.2f\nlp_median_ms %.2f\nratio %.3f\n", downloadMedian,
                lpMedian, downloadMedian / lpMedian);
    return 0;
}
