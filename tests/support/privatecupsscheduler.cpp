// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "privatecupsscheduler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{

constexpr int kStartMs = 15000;
constexpr int kToolMs = 15000;

QString findTool(const QString& name)
{
    // cupsd and the admin tools live in sbin, which a test's PATH may lack.
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin", "/usr/local/sbin"});
    return found;
}

// One of the scheduler's helpers (cups-exec, cups-deviced).
QString findDaemonHelper(const QString& name)
{
    for (const char* dir : {"/usr/lib/cups", "/usr/libexec/cups", "/usr/local/lib/cups"}) {
        const QString candidate = QString::fromLatin1(dir) + "/daemon/" + name;
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return {};
}

// Administration as Debian's cupsd.conf has it: root and the SystemGroup
// only, each user known by the socket's peer credentials.
const char administratorsOnlyPolicy[] =
    "<Policy default>\n"
    "  <Limit CUPS-Add-Modify-Printer CUPS-Delete-Printer CUPS-Add-Modify-Class "
    "CUPS-Delete-Class CUPS-Set-Default CUPS-Get-Devices>\n"
    "    AuthType Default\n    Require user @SYSTEM\n    Order deny,allow\n  </Limit>\n"
    "  <Limit Pause-Printer Resume-Printer Enable-Printer Disable-Printer CUPS-Accept-Jobs "
    "CUPS-Reject-Jobs>\n"
    "    AuthType Default\n    Require user @SYSTEM\n    Order deny,allow\n  </Limit>\n"
    "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
    "</Policy>\n";
const char everyoneMayPolicy[] = "<Policy default>\n  <Limit All>\n"
                                 "    Order deny,allow\n  </Limit>\n</Policy>\n";

bool socketAnswers(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (native.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return false;
    std::copy(native.cbegin(), native.cend(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return ok;
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

} // namespace

PrivateCupsScheduler::PrivateCupsScheduler(const PrivateCupsOptions& options)
    // Under /tmp whatever TMPDIR says: user lp must reach the capture folder
    // and a unix socket path must stay short.
    : m_options(options), m_root(QStringLiteral("/tmp/pcu-cups-XXXXXX"))
{
    m_prepared = prepareFolders();

    qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
    qputenv("HOME", QFile::encodeName(path("home")));
    // Keeps the machine's client.conf and lpoptions out of the tests.
    qputenv("CUPS_SERVERROOT", QFile::encodeName(m_root.path()));
    qputenv("CUPS_STATEDIR", QFile::encodeName(path("state")));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
}

PrivateCupsScheduler::~PrivateCupsScheduler()
{
    stop();
}

QString PrivateCupsScheduler::path(const QString& relative) const
{
    return m_root.filePath(relative);
}

QString PrivateCupsScheduler::socketPath() const
{
    return path("socket/cups.sock");
}

bool PrivateCupsScheduler::allowUser(uid_t uid, gid_t gid)
{
    for (const char* dir : {"socket", "home", "home/.cups"}) {
        if (::chown(QFile::encodeName(path(QString::fromLatin1(dir))).constData(), uid, gid) != 0)
            return fail(QStringLiteral("Cannot give %1 to user %2.")
                            .arg(path(QString::fromLatin1(dir)))
                            .arg(uid));
    }
    return true;
}

bool PrivateCupsScheduler::prepareFolders()
{
    if (!m_root.isValid())
        return fail("Cannot create the scheduler's folder: " + m_root.errorString());
    // cupsd runs backends as lp, which must traverse into the folder.
    if (::chmod(QFile::encodeName(m_root.path()).constData(), 0755) != 0)
        return fail("Cannot open the scheduler's folder to user lp.");

    const QDir root(m_root.path());
    for (const char* dir : {"bin/backend", "bin/daemon", "bin/filter", "bin/notifier",
                            "bin/cgi-bin", "bin/monitor", "bin/driver", "spool/tmp", "cache",
                            "state", "log", "ssl", "ppd", "capture", "home/.cups", "socket"}) {
        if (!root.mkpath(QString::fromLatin1(dir)))
            return fail(QStringLiteral("Cannot create %1.").arg(path(QString::fromLatin1(dir))));
    }
    // cupsd refuses helpers in a folder that its group may change, whatever
    // the umask made of it.
    for (const char* dir : {"bin", "bin/backend", "bin/daemon"}) {
        if (::chmod(QFile::encodeName(path(QString::fromLatin1(dir))).constData(), 0755) != 0)
            return fail(QStringLiteral("Cannot close %1 to others.").arg(QString::fromLatin1(dir)));
    }
    // cupsd opens its socket to everyone; the folder keeps other users of
    // the machine from reaching it.
    if (::chmod(QFile::encodeName(path("socket")).constData(), 0700) != 0)
        return fail("Cannot close the socket's folder to other users.");
    // The backend writes here as lp, and nobody else may.
    const passwd* lp = ::getpwnam("lp");
    if (!lp ||
        ::chown(QFile::encodeName(path("capture")).constData(), lp->pw_uid, lp->pw_gid) != 0 ||
        ::chmod(QFile::encodeName(path("capture")).constData(), 0700) != 0)
        return fail("Cannot give the capture folder to user lp.");

    const QString cupsExec = findDaemonHelper("cups-exec");
    if (cupsExec.isEmpty())
        return fail("cups-exec is missing: the package cups-daemon is not installed.");
    if (!QFile::link(cupsExec, path("bin/daemon/cups-exec")))
        return fail("Cannot link cups-exec into the scheduler's folder.");
    if (m_options.listsDevices && !prepareDeviceListing())
        return false;

    // cupsd refuses a backend that others may change.
    const QString backend = path("bin/backend/capture");
    if (!QFile::copy(QStringLiteral(PCU_CAPTURE_BACKEND), backend) ||
        ::chmod(QFile::encodeName(backend).constData(), 0755) != 0)
        return fail(QStringLiteral("Cannot install the capture backend from %1.")
                        .arg(QStringLiteral(PCU_CAPTURE_BACKEND)));

    const QString cupsdConf =
        QStringLiteral("Listen %1\n"
                       "Browsing Off\n"
                       "BrowseLocalProtocols none\n"
                       "WebInterface No\n"
                       "DefaultShared No\n"
                       "LogLevel debug\n"
                       "ErrorPolicy abort-job\n"
                       "DefaultAuthType %2\n"
                       "<Location />\n  Order allow,deny\n  Allow all\n"
                       "</Location>\n"
                       "<Location /admin>\n  Order allow,deny\n"
                       "  Allow all\n</Location>\n"
                       "%3")
            .arg(socketPath(),
                 m_options.administratorsOnly ? QStringLiteral("Basic") : QStringLiteral("None"),
                 QString::fromLatin1(m_options.administratorsOnly ? administratorsOnlyPolicy
                                                                  : everyoneMayPolicy));
    const QString filesConf = QStringLiteral("ServerRoot %1\n"
                                             "ServerBin %1/bin\n"
                                             "RequestRoot %1/spool\n"
                                             "TempDir %1/spool/tmp\n"
                                             "CacheDir %1/cache\n"
                                             "StateDir %1/state\n"
                                             "ServerKeychain %1/ssl\n"
                                             "CreateSelfSignedCerts no\n"
                                             "Printcap %1/printcap\n"
                                             "AccessLog %1/log/access_log\n"
                                             "ErrorLog %1/log/error_log\n"
                                             "PageLog %1/log/page_log\n"
                                             "User lp\n"
                                             "Group lp\n"
                                             "SystemGroup root\n")
                                  .arg(m_root.path());
    if (!writeFile(path("cupsd.conf"), cupsdConf.toUtf8()) ||
        !writeFile(path("cups-files.conf"), filesConf.toUtf8()))
        return fail("Cannot write the scheduler's configuration.");
    return true;
}

bool PrivateCupsScheduler::prepareDeviceListing()
{
    const QString deviced = findDaemonHelper("cups-deviced");
    if (deviced.isEmpty())
        return fail("cups-deviced is missing: the package cups is not installed.");
    if (!QFile::link(deviced, path("bin/daemon/cups-deviced")))
        return fail("Cannot link cups-deviced into the scheduler's folder.");
    // As the capture backend: copied, and closed to others.
    for (const char* name : {"usb", "parallel"}) {
        const QString backend = path("bin/backend/" + QString::fromLatin1(name));
        if (!QFile::copy(QStringLiteral(PCU_DEVICES_BACKEND), backend) ||
            ::chmod(QFile::encodeName(backend).constData(), 0755) != 0)
            return fail(QStringLiteral("Cannot install the %1 backend from %2.")
                            .arg(QString::fromLatin1(name), QStringLiteral(PCU_DEVICES_BACKEND)));
    }
    return setDevices({});
}

bool PrivateCupsScheduler::setDevices(const QList<FakeDevice>& devices)
{
    // The backend's own lines: class, URI, then make and model, info, device
    // ID and location, quoted.
    QByteArray lines;
    for (const FakeDevice& device : devices) {
        lines += QStringLiteral("%1 %2 \"%3\" \"%4\" \"%5\" \"\"\n")
                     .arg(device.deviceClass, device.uri, device.makeAndModel, device.info,
                          device.deviceId)
                     .toUtf8();
    }
    // Read by the backend as user lp.
    if (!writeFile(path("devices"), lines) ||
        ::chmod(QFile::encodeName(path("devices")).constData(), 0644) != 0)
        return fail("Cannot write the devices' list.");
    return true;
}

bool PrivateCupsScheduler::fail(const QString& message)
{
    m_error = message;
    const QString log = logTail();
    if (!log.isEmpty())
        m_error += "\n--- end of the scheduler's log ---\n" + log;
    return false;
}

QString PrivateCupsScheduler::logTail(int lines) const
{
    QString text;
    for (const char* name : {"cupsd.out", "log/error_log"}) {
        QFile file(path(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    QStringList all = text.split('\n', Qt::SkipEmptyParts);
    if (all.size() > lines)
        all = all.mid(all.size() - lines);
    return all.join('\n');
}

bool PrivateCupsScheduler::isRunning() const
{
    return m_cupsd && m_cupsd->state() == QProcess::Running;
}

bool PrivateCupsScheduler::start()
{
    // Only root can run the backends as lp, as the real scheduler does.
    if (::geteuid() != 0)
        return fail("The private CUPS scheduler needs root.");
    if (!m_prepared)
        return false;
    if (isRunning())
        return true;
    const QString cupsd = findTool("cupsd");
    if (cupsd.isEmpty())
        return fail("cupsd was not found: the package cups-daemon is not installed.");

    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProgram(cupsd);
    m_cupsd->setArguments({"-f", "-c", path("cupsd.conf"), "-s", path("cups-files.conf")});
    m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd->setStandardOutputFile(path("cupsd.out"), QIODevice::Append);
    // A test process that dies must not leave its scheduler behind; SIGKILL
    // also ends a frozen one.
    m_cupsd->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_cupsd->start();
    if (!m_cupsd->waitForStarted(kStartMs))
        return fail("cupsd did not start: " + m_cupsd->errorString());

    const QDeadlineTimer deadline(kStartMs);
    while (!socketAnswers(socketPath())) {
        if (m_cupsd->waitForFinished(20) || m_cupsd->state() != QProcess::Running)
            return fail(
                QStringLiteral("cupsd ended at start (exit code %1).").arg(m_cupsd->exitCode()));
        if (deadline.hasExpired()) {
            stop();
            return fail("cupsd did not open its socket in time.");
        }
    }
    return true;
}

void PrivateCupsScheduler::stop()
{
    if (!m_cupsd)
        return;
    if (m_frozen)
        thaw();
    if (m_cupsd->state() != QProcess::NotRunning) {
        m_cupsd->terminate();
        if (!m_cupsd->waitForFinished(5000)) {
            m_cupsd->kill();
            m_cupsd->waitForFinished(2000);
        }
    }
    m_cupsd.reset();
}

bool PrivateCupsScheduler::freeze()
{
    if (!isRunning())
        return fail("cupsd cannot be frozen: it is not running.");
    if (::kill(static_cast<pid_t>(m_cupsd->processId()), SIGSTOP) != 0)
        return fail("cupsd cannot be frozen.");
    m_frozen = true;
    return true;
}

bool PrivateCupsScheduler::thaw()
{
    if (!m_frozen)
        return true;
    if (!isRunning() || ::kill(static_cast<pid_t>(m_cupsd->processId()), SIGCONT) != 0)
        return fail("cupsd cannot be resumed.");
    m_frozen = false;
    return true;
}

bool PrivateCupsScheduler::run(const QString& program, const QStringList& arguments,
                               const QByteArray& input, QByteArray* output,
                               const QProcessEnvironment& environment)
{
    const QString tool = findTool(program);
    if (tool.isEmpty())
        return fail(program + " was not found: the package cups-client is not installed.");
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    if (!process.waitForStarted(kToolMs))
        return fail(program + " did not start: " + process.errorString());
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(kToolMs)) {
        process.kill();
        process.waitForFinished(2000);
        return fail(
            QStringLiteral("%1 %2 did not finish in time.").arg(program, arguments.join(' ')));
    }
    const QByteArray out = process.readAllStandardOutput();
    if (output)
        *output = out;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return fail(QStringLiteral("%1 %2 failed: %3")
                        .arg(program, arguments.join(' '),
                             QString::fromLocal8Bit(process.readAllStandardError()).trimmed()));
    return true;
}

bool PrivateCupsScheduler::addQueue(const QString& name)
{
    // Raw queue: no driver, the bytes go to the backend as they are.
    if (!run("lpadmin", {"-p", name, "-v", "capture:" + path("capture"), "-E"}))
        return false;
    if (!m_queues.contains(name))
        m_queues.append(name);
    return true;
}

bool PrivateCupsScheduler::deleteQueue(const QString& name)
{
    m_queues.removeAll(name);
    return run("lpadmin", {"-x", name});
}

QStringList PrivateCupsScheduler::queueNames()
{
    QByteArray out;
    if (!run("lpstat", {"-e"}, {}, &out))
        return {};
    return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
}

QString PrivateCupsScheduler::serverDefault()
{
    // lpstat -d names the user's default when there is one: asked with a
    // home without lpoptions, it names the scheduler's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", path("nohome"));
    QByteArray out;
    if (!run("lpstat", {"-d"}, {}, &out, environment))
        return {};
    static const QRegularExpression named(QStringLiteral("destination: (\\S+)"));
    const QRegularExpressionMatch match = named.match(QString::fromUtf8(out));
    return match.hasMatch() ? match.captured(1) : QString();
}

QString PrivateCupsScheduler::userDefault() const
{
    QFile file(path("home/.cups/lpoptions"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression named(QStringLiteral("^Default\\s+([^/\\s]+)"),
                                          QRegularExpression::MultilineOption |
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = named.match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1) : QString();
}

int PrivateCupsScheduler::requestsDone(const QString& operation) const
{
    QFile file(path("log/access_log"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    // '... "POST /admin/ HTTP/1.1" 200 156 CUPS-Add-Modify-Printer successful-ok'; a
    // refused one has its HTTP status, 403 say, instead of 200.
    const QRegularExpression done(
        QStringLiteral("\" 200 \\d+ %1 successful-ok$").arg(QRegularExpression::escape(operation)),
        QRegularExpression::MultilineOption);
    int count = 0;
    for (auto match = done.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();
         match.next())
        ++count;
    return count;
}

PrivateCupsScheduler::QueueFacts PrivateCupsScheduler::queueFacts(const QString& name)
{
    QueueFacts facts;
    QByteArray out;
    // Each fails for a queue that is not there.
    if (!run("lpstat", {"-v", name}, {}, &out))
        return facts;
    facts.device = QString::fromUtf8(out).section(": ", 1).trimmed();
    if (run("lpstat", {"-p", name}, {}, &out))
        facts.enabled = QString::fromUtf8(out).contains("enabled since");
    if (run("lpstat", {"-a", name}, {}, &out))
        facts.accepting = QString::fromUtf8(out).contains("accepting requests");
    if (run("lpoptions", {"-p", name}, {}, &out)) {
        static const QRegularExpression model(QStringLiteral("printer-make-and-model='([^']*)'"));
        facts.makeAndModel = model.match(QString::fromUtf8(out)).captured(1);
    }
    return facts;
}

bool PrivateCupsScheduler::deleteAllQueues()
{
    bool ok = setUserDefault({});
    const QStringList queues = m_queues;
    for (const QString& name : queues)
        ok = deleteQueue(name) && ok;
    return ok;
}

bool PrivateCupsScheduler::resetToOneQueue(const QString& name)
{
    if (!isRunning() && !start())
        return false;
    if (!deleteAllQueues() || !addQueue(name) || !setDefault(name) || !setBackendFails(false))
        return false;
    clearCaptured();
    return true;
}

bool PrivateCupsScheduler::setDefault(const QString& name)
{
    return run("lpadmin", {"-d", name});
}

bool PrivateCupsScheduler::setUserDefault(const QString& name)
{
    const QString file = path("home/.cups/lpoptions");
    if (name.isEmpty()) {
        QFile::remove(file);
        return true;
    }
    if (!writeFile(file, "Default " + name.toUtf8() + '\n'))
        return fail("Cannot write " + file);
    return true;
}

bool PrivateCupsScheduler::rejectJobs(const QString& name)
{
    return run("cupsreject", {name});
}

bool PrivateCupsScheduler::acceptJobs(const QString& name)
{
    return run("cupsaccept", {name});
}

bool PrivateCupsScheduler::stopQueue(const QString& name)
{
    return run("cupsdisable", {name});
}

bool PrivateCupsScheduler::startQueue(const QString& name)
{
    return run("cupsenable", {name});
}

int PrivateCupsScheduler::submitJob(const QString& queue, const QByteArray& bytes,
                                    const QString& user)
{
    QStringList arguments{"-d", queue, "-t", "submitted by the test"};
    if (!user.isEmpty())
        arguments << "-U" << user;
    QByteArray out;
    if (!run("lp", arguments, bytes, &out))
        return -1;
    // "request id is QUEUE-ID (0 file(s))"
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("-(\\d+)\\b")).match(QString::fromUtf8(out));
    if (!match.hasMatch()) {
        fail("lp gave no job id: " + QString::fromUtf8(out));
        return -1;
    }
    return match.captured(1).toInt();
}

int PrivateCupsScheduler::submitHeldJob(const QString& queue, const QString& user)
{
    QStringList arguments{"-d", queue, "-H", "hold", "-t", "held by the test"};
    if (!user.isEmpty())
        arguments << "-U" << user;
    QByteArray out;
    if (!run("lp", arguments, "held\n", &out))
        return -1;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("-(\\d+)\\b")).match(QString::fromUtf8(out));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool PrivateCupsScheduler::cancelAll()
{
    return run("cancel", {"-a"});
}

int PrivateCupsScheduler::activeJobs(const QString& queue)
{
    QByteArray out;
    if (!run("lpstat", {"-W", "not-completed", "-o", queue}, {}, &out))
        return -1;
    int count = 0;
    const QString prefix = queue + '-';
    for (const QString& line : QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(prefix))
            ++count;
    }
    return count;
}

int PrivateCupsScheduler::countJobs(bool ended)
{
    QByteArray out;
    if (!run("lpstat", {"-W", ended ? "all" : "not-completed", "-o"}, {}, &out))
        return -1;
    // One line per job: "QUEUE-ID  user  size  date".
    static const QRegularExpression job(QStringLiteral("^\\S+-\\d+\\s"));
    int count = 0;
    for (const QString& line : QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts)) {
        if (job.match(line).hasMatch())
            ++count;
    }
    return count;
}

bool PrivateCupsScheduler::waitForNoActiveJobs(const QString& queue, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const int count = activeJobs(queue);
        if (count == 0)
            return true;
        if (deadline.hasExpired())
            return fail(QStringLiteral("%1 job(s) still active on %2.").arg(count).arg(queue));
        QThread::msleep(20);
    }
}

bool PrivateCupsScheduler::setBackendFails(bool fails)
{
    const QString marker = path("capture/fail");
    if (!fails)
        return !QFile::exists(marker) || QFile::remove(marker);
    return writeFile(marker, {});
}

void PrivateCupsScheduler::clearCaptured()
{
    QDir dir(path("capture"));
    for (const QString& name : dir.entryList({"job-*"}, QDir::Files))
        dir.remove(name);
}

QList<CapturedJob> PrivateCupsScheduler::captured() const
{
    QList<CapturedJob> jobs;
    const QDir dir(path("capture"));
    static const QRegularExpression pattern(QStringLiteral("^job-(\\d+)\\.bin$"));
    for (const QString& name : dir.entryList({"job-*.bin"}, QDir::Files)) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (!match.hasMatch())
            continue;
        CapturedJob job;
        job.id = match.captured(1).toInt();
        QFile bytes(dir.filePath(name));
        if (bytes.open(QIODevice::ReadOnly))
            job.bytes = bytes.readAll();
        QFile title(dir.filePath(QStringLiteral("job-%1.title").arg(job.id)));
        if (title.open(QIODevice::ReadOnly))
            job.title = QString::fromUtf8(title.readAll());
        QFile uri(dir.filePath(QStringLiteral("job-%1.uri").arg(job.id)));
        if (uri.open(QIODevice::ReadOnly))
            job.deviceUri = QString::fromUtf8(uri.readAll());
        jobs.append(job);
    }
    std::sort(jobs.begin(), jobs.end(),
              [](const CapturedJob& a, const CapturedJob& b) { return a.id < b.id; });
    return jobs;
}

QList<CapturedJob> PrivateCupsScheduler::waitForCaptured(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QList<CapturedJob> jobs = captured();
    while (jobs.size() < count && !deadline.hasExpired()) {
        QThread::msleep(20);
        jobs = captured();
    }
    return jobs;
}
