// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
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
    PrivateCupsScheduler();
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

    // While set, the capture backend fails every job it is given.
    bool setBackendFails(bool fails);
    void clearCaptured();
    // Captured jobs, oldest first.
    QList<CapturedJob> captured() const;
    // Waits until at least count jobs were captured, or the time is up.
    QList<CapturedJob> waitForCaptured(int count, int timeoutMs);

  private:
    bool prepareFolders();
    bool run(const QString& program, const QStringList& arguments, const QByteArray& input = {},
             QByteArray* output = nullptr);
    bool fail(const QString& message);
    QString path(const QString& relative) const;

    QTemporaryDir m_root;
    std::unique_ptr<QProcess> m_cupsd;
    bool m_prepared = false;
    bool m_frozen = false;
    QStringList m_queues;
    QString m_error;
};
