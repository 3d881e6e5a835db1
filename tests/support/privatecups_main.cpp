// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// privatecups: runs one command against a private CUPS scheduler whose raw
// queue (TR7400 by default) is the default printer and keeps each job's bytes
// instead of printing them. When the command ends, the scheduler stops, the
// jobs are copied to a folder that stays, and each is shown as a hex dump.
//
//   privatecups [--queue NAME] [--jobs FOLDER] [--user NAME] [--no-dump] [--] COMMAND [ARGUMENT...]
//
// The scheduler needs root, as the fixture does; with --user the command runs
// as that user instead (the one who started sudo, say), who alone besides
// root can reach the scheduler, and who is given the kept jobs. The exit code
// is the command's (128 + signal when a signal ended it), or 125 when the
// scheduler could not be set up.

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
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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
    QString user; // runs the command as this user; empty: as root
    bool dump = true;
    std::vector<char*> command;
};

// The user the command runs as.
struct User {
    QByteArray name;
    QByteArray home;
    uid_t uid = 0;
    gid_t gid = 0;
};

std::optional<User> findUser(const QString& name)
{
    const passwd* entry = ::getpwnam(name.toLocal8Bit().constData());
    if (!entry)
        return std::nullopt;
    return User{entry->pw_name, entry->pw_dir, entry->pw_uid, entry->pw_gid};
}

void usage(std::FILE* to)
{
    std::fputs("Usage: privatecups [--queue NAME] [--jobs FOLDER] [--user NAME] [--no-dump] [--]\n"
               "                   COMMAND [ARGUMENT...]\n"
               "Runs COMMAND against a private CUPS scheduler whose raw queue NAME (TR7400) is\n"
               "the default printer, then stops the scheduler, keeps each job's bytes and title\n"
               "in FOLDER (./tryout-jobs) and shows them as a hex dump. Needs root; with --user\n"
               "the command runs as that user, the only one besides root who can reach the\n"
               "scheduler.\n",
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
        if ((argument == "--queue" || argument == "--jobs" || argument == "--user") &&
            i + 1 < argc) {
            QString& value = argument == "--queue"  ? options.queue
                             : argument == "--jobs" ? options.jobs
                                                    : options.user;
            value = QString::fromLocal8Bit(argv[++i]);
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

// A job's title as it may be shown on a terminal: control characters, which
// could move the cursor or retitle the window, are written as \xNN, and the
// quotes and backslashes that would end or bend the quoting as \" and \\.
QString printable(const QString& title)
{
    QString text;
    for (QChar c : title) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7f && code < 0xa0))
            text += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            text += QLatin1Char('\\') + c;
        else
            text += c;
    }
    return text;
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

// Runs the command, as the user when one is given, with the signals' usual
// effects back.
int runCommand(std::vector<char*>& command, const std::optional<User>& user)
{
    const pid_t child = ::fork();
    if (child < 0) {
        complain(QStringLiteral("cannot start %1: %2")
                     .arg(QString::fromLocal8Bit(command[0]),
                          QString::fromLocal8Bit(std::strerror(errno))));
        return 127;
    }
    if (child == 0) {
        // Only async-signal-safe calls from here on, up to exec.
        for (int signal : endingSignals)
            ::signal(signal, SIG_DFL);
        if (user && (::initgroups(user->name.constData(), user->gid) != 0 ||
                     ::setgid(user->gid) != 0 || ::setuid(user->uid) != 0)) {
            static const char message[] = "privatecups: cannot become the user\n";
            (void)!::write(STDERR_FILENO, message, sizeof message - 1);
            ::_exit(126);
        }
        ::execvp(command[0], command.data());
        static const char message[] = "privatecups: cannot start the command\n";
        (void)!::write(STDERR_FILENO, message, sizeof message - 1);
        ::_exit(127);
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
// user's X cookie must still accept the command's windows. The cookie is the
// user's own when the command runs as one.
void keepXAuthority(const std::optional<User>& user)
{
    if (qEnvironmentVariableIsSet("XAUTHORITY"))
        return;
    const QString home = user ? QFile::decodeName(user->home) : qEnvironmentVariable("HOME");
    const QString cookie = QDir(home).filePath(".Xauthority");
    if (!home.isEmpty() && QFileInfo::exists(cookie))
        qputenv("XAUTHORITY", QFile::encodeName(cookie));
}

// The kept jobs belong to the user the command ran as.
void giveJobs(const QString& folder, const User& user)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList({"job-*.bin", "job-*.title"}, QDir::Files))
        (void)!::chown(QFile::encodeName(dir.filePath(name)).constData(), user.uid, user.gid);
    (void)!::chown(QFile::encodeName(folder).constData(), user.uid, user.gid);
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
    std::optional<User> user;
    if (!options.user.isEmpty()) {
        user = findUser(options.user);
        if (!user) {
            complain("there is no user " + options.user);
            return 2;
        }
    }
    const QString jobFolder = QFileInfo(options.jobs).absoluteFilePath();
    if (!prepareJobFolder(jobFolder)) {
        complain("cannot create the job folder " + jobFolder);
        return setupFailed;
    }
    keepXAuthority(user);

    // Ignored before the scheduler starts, so that it inherits the ignoring.
    setEndingSignals(SIG_IGN);
    PrivateCupsScheduler cups;
    if (!cups.start() || !cups.addQueue(options.queue) || !cups.setDefault(options.queue) ||
        (user && !cups.allowUser(user->uid, user->gid))) {
        complain("cannot set up the private scheduler: " + cups.errorString());
        return setupFailed;
    }
    setEndingSignals(forwardSignal);
    say(QStringLiteral("Private CUPS scheduler on %1: raw queue %2 is the default printer.")
            .arg(cups.socketPath(), options.queue));

    const int exitCode = g_signal != 0 ? 128 + g_signal : runCommand(options.command, user);

    const bool drained = cups.waitForNoActiveJobs(options.queue, drainMs);
    const QList<CapturedJob> jobs = cups.captured();
    const bool kept = keepJobs(jobs, jobFolder);
    if (user)
        giveJobs(jobFolder, *user);
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
                    .arg(QString::number(job.id), printable(job.title),
                         QString::number(job.bytes.size())));
            std::fputs(qPrintable(hexDump(job.bytes)), stdout);
        }
        std::fflush(stdout);
    }
    return (drained && kept) ? exitCode : (exitCode != 0 ? exitCode : setupFailed);
}
