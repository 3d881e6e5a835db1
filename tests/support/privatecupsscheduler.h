// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <sys/types.h>

// A job that reached the capture backend.
struct CapturedJob {
    int id = 0;
    QByteArray bytes;
    QString title;
    QString deviceUri; // the device it was sent to, where the backend tells
};

// A printer device as a USB backend reports it to the scheduler.
struct FakeDevice {
    QString uri;
    QString makeAndModel;
    QString info;
    QString deviceId; // IEEE 1284
    QString deviceClass = QStringLiteral("direct");
};

// What a test may add to the scheduler; without it the scheduler is as every
// other test has it.
struct PrivateCupsOptions {
    // The scheduler lists printer devices (its helper cups-deviced, from the
    // package cups, linked into its folder): the backends "usb" and
    // "parallel" report those given to setDevices, as the real ones do, and
    // keep the jobs sent to them as the capture backend does.
    bool listsDevices = false;
    // Administration (queues, the default, the device list) as a Debian
    // scheduler allows it: to root and the SystemGroup (root) only; any other
    // user is refused.
    bool administratorsOnly = false;
};

// A CUPS scheduler of the test's own, in a temporary folder: the machine's
// scheduler and its settings are never touched. It listens on a unix socket
// only, in a folder that only root (or the one user let in by allowUser) can
// enter, and its queues are raw queues whose device, the capture backend,
// keeps every job's bytes and title for the test to read.
//
// The constructor points this process (libcups and the lp/lpadmin/lpstat
// tools it starts) at that socket through CUPS_SERVER, with a throwaway HOME
// and without LPDEST/PRINTER. libcups reads these once, at its first call, and
// keeps them: create one fixture per test process, before anything calls
// libcups. The scheduler may be stopped and started again; it keeps its socket
// path, its queues and their jobs.
//
// Needs root (the scheduler runs its backend as user lp) and cupsd.
class PrivateCupsScheduler
{
  public:
    explicit PrivateCupsScheduler(const PrivateCupsOptions& options = {});
    ~PrivateCupsScheduler();
    PrivateCupsScheduler(const PrivateCupsScheduler&) = delete;
    PrivateCupsScheduler& operator=(const PrivateCupsScheduler&) = delete;

    // Starts cupsd and waits (bounded) until its socket answers.
    bool start();
    // Ends cupsd: terminate, then kill. Also resumes a frozen one first.
    void stop();
    // Suspends cupsd (SIGSTOP): its socket still accepts connections but
    // nothing answers, as with a hung scheduler.
    bool freeze();
    bool thaw();
    bool isRunning() const;

    // Why the last failing call failed, with the end of the scheduler's log.
    QString errorString() const { return m_error; }
    QString socketPath() const;
    // Lets one more user (besides root) reach the scheduler, and gives that
    // user the throwaway home: a program run as that user works as root's
    // does. Nobody else can enter the socket's folder.
    bool allowUser(uid_t uid, gid_t gid);
    QString logTail(int lines = 30) const;

    bool addQueue(const QString& name);
    bool deleteQueue(const QString& name);
    // Every queue the scheduler has, also those made by others than
    // addQueue. Empty also on failure, with the reason in errorString().
    QStringList queueNames();
    // Deletes every queue made by addQueue, with its jobs, and clears both
    // the server default and the user's lpoptions default.
    bool deleteAllQueues();
    // The usual starting state of a test: the scheduler running with one
    // accepting, started, empty raw queue as the default, a working backend
    // and nothing captured.
    bool resetToOneQueue(const QString& name);
    // The server default (lpadmin -d).
    bool setDefault(const QString& name);
    // The user's own default (~/.cups/lpoptions); an empty name removes it.
    // It wins over the server default, also when it names a missing queue.
    bool setUserDefault(const QString& name);
    bool rejectJobs(const QString& name);
    bool acceptJobs(const QString& name);
    // A stopped queue keeps new jobs pending.
    bool stopQueue(const QString& name);
    bool startQueue(const QString& name);

    // Submits a job with lp; held ones stay in the queue until released.
    // user, when set, submits it in that user's name. The job id, or -1.
    int submitJob(const QString& queue, const QByteArray& bytes, const QString& user = {});
    int submitHeldJob(const QString& queue, const QString& user = {});
    bool cancelAll();
    // Jobs not yet completed on the queue, of every user; -1 on failure.
    int activeJobs(const QString& queue);
    // Jobs on every queue, of every user: active ones, and with ended also
    // those completed, cancelled or aborted that the scheduler still lists.
    // A queue's jobs go with it. -1 on failure.
    int countJobs(bool ended);
    bool waitForNoActiveJobs(const QString& queue, int timeoutMs);

    // The devices the scheduler lists from now on (listsDevices only).
    bool setDevices(const QList<FakeDevice>& devices);
    // The scheduler's own default (not the user's lpoptions); empty for none.
    QString serverDefault();
    // The default the user's lpoptions names; empty for none.
    QString userDefault() const;
    // The requests of that operation (CUPS-Add-Modify-Printer, say) that the
    // scheduler carried out so far, as its access log tells.
    int requestsDone(const QString& operation) const;

    // What lpstat and lpoptions tell of a queue; no device when there is no
    // such queue.
    struct QueueFacts {
        QString device;
        bool enabled = false;
        bool accepting = false;
        QString makeAndModel; // "Local Raw Printer" for none
    };
    QueueFacts queueFacts(const QString& name);

    // While set, the capture backend fails every job it is given.
    bool setBackendFails(bool fails);
    void clearCaptured();
    // Captured jobs, oldest first.
    QList<CapturedJob> captured() const;
    // Waits until at least count jobs were captured, or the time is up.
    QList<CapturedJob> waitForCaptured(int count, int timeoutMs);

  private:
    bool prepareFolders();
    bool prepareDeviceListing();
    bool run(const QString& program, const QStringList& arguments, const QByteArray& input = {},
             QByteArray* output = nullptr, const QProcessEnvironment& environment = {});
    bool fail(const QString& message);
    QString path(const QString& relative) const;

    const PrivateCupsOptions m_options;
    QTemporaryDir m_root;
    std::unique_ptr<QProcess> m_cupsd;
    bool m_prepared = false;
    bool m_frozen = false;
    QStringList m_queues;
    QString m_error;
};
