// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "messagebox.h"
#include "platform.h"
#include "privatecupsscheduler.h"
#include "spooler.h"

#include <QTest>
#include <memory>

// What the tests against the real spooler start from: a private scheduler
// with one accepting, started, empty raw queue as the default printer, the
// platform's own spooler, message boxes answered in test mode, and the
// download's pause recorded instead of waited.
class SchedulerFixture
{
  public:
    static inline const QString queue = QStringLiteral("TR7400");

    // Before anything calls libcups: the scheduler points this process at
    // itself through the environment.
    explicit SchedulerFixture(const PrivateCupsOptions& options = {})
        : m_cups(std::make_unique<PrivateCupsScheduler>(options))
    {
    }

    ~SchedulerFixture()
    {
        Platform::setPauseHandler({});
        m_spooler.reset();
        m_cups.reset();
    }

    // Back to the starting state; false with the reason in error().
    bool reset()
    {
        if (!m_cups->resetToOneQueue(queue))
            return false;
        if (!m_spooler)
            m_spooler = createPlatformSpooler();
        MessageBox::setTesting(true);
        MessageBox::clearHistory();
        pauses.clear();
        waitForJobsInPause = false;
        Platform::setPauseHandler([this](int ms) {
            pauses << ms;
            // The printer has taken the job by the end of the pause, so that
            // the next download's busy check lets it through.
            if (waitForJobsInPause)
                QVERIFY2(m_cups->waitForNoActiveJobs(queue, 60000), qPrintable(error()));
        });
        return true;
    }

    QString error() const { return m_cups->errorString(); }
    PrivateCupsScheduler& cups() { return *m_cups; }
    Spooler& spooler() { return *m_spooler; }

    QList<int> pauses;
    bool waitForJobsInPause = false;

  private:
    std::unique_ptr<PrivateCupsScheduler> m_cups;
    std::unique_ptr<Spooler> m_spooler;
};
