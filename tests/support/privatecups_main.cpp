// privatecups: runs one command against a private CUPS scheduler whose raw
// queue (TR7400 by default) is the default printer and keeps each job's bytes
// instead of printing them. When the command ends, the scheduler stops, the
// jobs are copied to a folder that stays, and each is shown as a hex dump.
//
//   privatecups [--queue NAME] [--jobs FOLDER] [--no-dump] [--] COMMAND [ARGUMENT...]
//
// The exit code is the command's (128 + signal when a signal ended it), or 125
// when the scheduler could not be set up. Needs root, as the fixture does.

#include "privatecupsscheduler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{

constexpr int setupFailed = 125;
// Jobs sent just before the command ended still need the backend.
constexpr int drainMs = 30000;

// Ctrl+C in the terminal reaches the whole process group, the scheduler too;
// the scheduler must outlive the command so that its last jobs are kept.
constexpr std::array<int, 4> endingSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};

volatile sig_atomic_t g_child = 0;
volatile sig_atomic_t g_signal = 0;

void forwardSignal(int signal)
{
    g_signal = signal;
    if (g_child > 0)
        ::kill(static_cast<pid_t>(g_child), signal);
}

void setEndingSignals(void (*handler)(int))
{
    struct sigaction action {
    };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (int signal : endingSignals)
        ::sigaction(signal, &action, nullptr);
}

struct Options {
    QString queue = QStringLiteral("TR7400");
    QString jobs = QStringLiteral("tryout-jobs");
    bool dump = true;
    std::vector<char*> command;
};

void usage(std::FILE* to)
{
    std::fputs("Usage: privatecups [--queue NAME] [--jobs FOLDER] [--no-dump] [--] COMMAND "
               "[ARGUMENT...]\n"
               "Runs COMMAND against a private CUPS scheduler whose raw queue NAME (TR7400) is\n"
               "the default printer, then stops the scheduler, keeps each job's bytes and title\n"
               "in FOLDER (./tryout-jobs) and shows them as a hex dump. Needs root.\n",
               to);
}

bool parse(int argc, char** argv, Options& options)
{
    int i = 1;
    for (; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == "--") {
            ++i;
            break;
        }
        if ((argument == "--queue" || argument == "--jobs") && i + 1 < argc) {
            (argument == "--queue" ? options.queue : options.jobs) =
                QString::fromLocal8Bit(argv[++i]);
        } else if (argument == "--no-dump") {
            options.dump = false;
        } else if (argument.startsWith("-")) {
            return false;
        } else {
            break;
        }
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    options.command.push_back(nullptr);
    return options.command.size() > 1 && !options.queue.isEmpty() && !options.jobs.isEmpty();
}

void say(const QString& text)
{
    std::fputs(qPrintable(text + '\n'), stdout);
    std::fflush(stdout);
}

void complain(const QString& text)
{
    std::fputs(qPrintable("privatecups: " + text + '\n'), stderr);
}

// Offset, sixteen bytes, then the printable ones, as od -A x -t x1z shows them.
QString hexDump(const QByteArray& bytes)
{
    QString text;
    for (qsizetype line = 0; line < bytes.size(); line += 16) {
        const QByteArray row = bytes.mid(line, 16);
        text += QStringLiteral("  %1 ").arg(line, 6, 16, QLatin1Char('0'));
        for (char byte : row)
            text += QStringLiteral(" %1").arg(static_cast<unsigned char>(byte), 2, 16,
                                              QLatin1Char('0'));
        text += QString(3 * (16 - row.size()), QLatin1Char(' '));
        text += QStringLiteral("  >");
        for (char byte : row)
            text += (byte >= 0x20 && byte < 0x7f) ? QLatin1Char(byte) : QLatin1Char('.');
        text += QStringLiteral("<\n");
    }
    return text;
}

// The fixture's capture folder goes with it; the jobs are copied out first.
bool keepJobs(const QList<CapturedJob>& jobs, const QString& folder)
{
    bool ok = true;
    for (const CapturedJob& job : jobs) {
        QFile bytes(QStringLiteral("%1/job-%2.bin").arg(folder, QString::number(job.id)));
        QFile title(QStringLiteral("%1/job-%2.title").arg(folder, QString::number(job.id)));
        ok = bytes.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
             bytes.write(job.bytes) == job.bytes.size() && ok;
        ok = title.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
             title.write(job.title.toUtf8()) >= 0 && ok;
    }
    return ok;
}

// Earlier runs' jobs would mix with this run's, whose ids start at 1 again.
bool prepareJobFolder(const QString& folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return false;
    for (const QString& name : dir.entryList({"job-*.bin", "job-*.title"}, QDir::Files))
        dir.remove(name);
    return true;
}

int runCommand(std::vector<char*>& command)
{
    // The command gets the signals' usual effects back.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : endingSignals)
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    pid_t child = 0;
    const int error =
        posix_spawnp(&child, command[0], nullptr, &attributes, command.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        complain(QStringLiteral("cannot start %1: %2")
                     .arg(QString::fromLocal8Bit(command[0]),
                          QString::fromLocal8Bit(std::strerror(error))));
        return 127;
    }
    g_child = child;
    // A signal that came before the pid was known is passed on now.
    if (g_signal != 0)
        ::kill(child, g_signal);

    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            complain(QStringLiteral("lost the command: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno))));
            return setupFailed;
        }
    }
    g_child = 0;
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

// The fixture moves HOME to a throwaway folder; a display that needs the
// user's X cookie must still accept the command's windows.
void keepXAuthority()
{
    if (qEnvironmentVariableIsSet("XAUTHORITY"))
        return;
    const QString cookie = QDir(qEnvironmentVariable("HOME")).filePath(".Xauthority");
    if (!qEnvironmentVariableIsEmpty("HOME") && QFileInfo::exists(cookie))
        qputenv("XAUTHORITY", QFile::encodeName(cookie));
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    if (!parse(argc, argv, options)) {
        usage(stderr);
        return 2;
    }
    if (::geteuid() != 0) {
        complain("the private scheduler needs root: it runs its capture backend as user lp.");
        return setupFailed;
    }

    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    const QString jobFolder = QFileInfo(options.jobs).absoluteFilePath();
    if (!prepareJobFolder(jobFolder)) {
        complain("cannot create the job folder " + jobFolder);
        return setupFailed;
    }
    keepXAuthority();

    // Ignored before the scheduler starts, so that it inherits the ignoring.
    setEndingSignals(SIG_IGN);
    PrivateCupsScheduler cups;
    if (!cups.start() || !cups.addQueue(options.queue) || !cups.setDefault(options.queue)) {
        complain("cannot set up the private scheduler: " + cups.errorString());
        return setupFailed;
    }
    setEndingSignals(forwardSignal);
    say(QStringLiteral("Private CUPS scheduler on %1: raw queue %2 is the default printer.")
            .arg(cups.socketPath(), options.queue));

    const int exitCode = g_signal != 0 ? 128 + g_signal : runCommand(options.command);

    const bool drained = cups.waitForNoActiveJobs(options.queue, drainMs);
    const QList<CapturedJob> jobs = cups.captured();
    const bool kept = keepJobs(jobs, jobFolder);
    cups.stop();

    say(QStringLiteral("The private scheduler has stopped. %1 job(s) were kept in %2/ "
                       "(job-N.bin: the bytes, job-N.title: the title).")
            .arg(QString::number(jobs.size()), jobFolder));
    if (!drained)
        complain("some jobs were still unfinished when the scheduler stopped.");
    if (!kept)
        complain("not every job could be written to " + jobFolder);
    if (options.dump) {
        for (const CapturedJob& job : jobs) {
            say(QStringLiteral("Job %1 \"%2\", %3 bytes:")
                    .arg(QString::number(job.id), job.title, QString::number(job.bytes.size())));
            std::fputs(qPrintable(hexDump(job.bytes)), stdout);
        }
        std::fflush(stdout);
    }
    return (drained && kept) ? exitCode : (exitCode != 0 ? exitCode : setupFailed);
}
