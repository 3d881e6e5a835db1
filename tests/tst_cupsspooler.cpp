// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The CUPS spooler against a real scheduler of the test's own.

#include "privatecupsscheduler.h"
#include "rawspooljob.h"
#include "spooler.h"

#include <QElapsedTimer>
#include <QtTest>

#include <csignal>
#include <functional>

namespace
{

using Outcome = SpoolResult::Outcome;
using Status = DefaultPrinter::Status;

const QString kQueue = QStringLiteral("Desk");
// Far beyond the spooler's own 10-second limit: these bounds only catch a
// call that never returns, and hold on a machine under load.
constexpr qint64 kNeverMs = 60000;
const QString kNoAnswer = QStringLiteral("did not answer");

// The real printer, with a step of the test's own before one write. The step
// answers whether that write goes on to the printer; if not, it fails. A
// second step, if given, runs before the job is cancelled.
class SteppingPrinter final : public SpoolPrinter
{
  public:
    SteppingPrinter(std::unique_ptr<SpoolPrinter> real, int atWrite, std::function<bool()> step,
                    std::function<void()> beforeCancel)
        : m_real(std::move(real)), m_atWrite(atWrite), m_step(std::move(step)),
          m_beforeCancel(std::move(beforeCancel))
    {
    }
    int activeJobCount() override { return m_real->activeJobCount(); }
    bool startDocument(const std::string& name) override { return m_real->startDocument(name); }
    bool startPage() override { return m_real->startPage(); }
    bool write(const std::string& bytes) override
    {
        if (++m_writes == m_atWrite && !m_step())
            return false;
        return m_real->write(bytes);
    }
    bool endPage() override { return m_real->endPage(); }
    bool endDocument() override { return m_real->endDocument(); }
    void cancelDocument() override
    {
        if (m_beforeCancel)
            m_beforeCancel();
        m_real->cancelDocument();
    }
    bool close() override { return m_real->close(); }
    std::string lastError() const override { return m_real->lastError(); }

  private:
    std::unique_ptr<SpoolPrinter> m_real;
    int m_atWrite;
    std::function<bool()> m_step;
    std::function<void()> m_beforeCancel;
    int m_writes = 0;
};

class SteppingSpooler final : public Spooler
{
  public:
    SteppingSpooler(Spooler& real, int atWrite, std::function<bool()> step,
                    std::function<void()> beforeCancel = {})
        : m_real(real), m_atWrite(atWrite), m_step(std::move(step)),
          m_beforeCancel(std::move(beforeCancel))
    {
    }
    DefaultPrinter defaultPrinter() override { return m_real.defaultPrinter(); }
    std::unique_ptr<SpoolPrinter> open(const std::string& name, std::string* reason) override
    {
        std::unique_ptr<SpoolPrinter> printer = m_real.open(name, reason);
        if (!printer)
            return printer;
        return std::make_unique<SteppingPrinter>(std::move(printer), m_atWrite, m_step,
                                                 m_beforeCancel);
    }

  private:
    Spooler& m_real;
    int m_atWrite;
    std::function<bool()> m_step;
    std::function<void()> m_beforeCancel;
};

// The spooler speaks std::string; the test compares in Qt's types.
QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

std::vector<std::string> toBlocks(const QList<QByteArray>& blocks)
{
    std::vector<std::string> converted;
    for (const QByteArray& block : blocks)
        converted.push_back(block.toStdString());
    return converted;
}

QByteArray everyByteValue(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(DefaultPrinter::Status)
Q_DECLARE_METATYPE(SpoolResult::Outcome)

class TestCupsSpooler : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void defaultPrinter_data();
    void defaultPrinter();
    void hungSchedulerGivesUp();
    void openOfDeletedQueueFails();
    void bytesArriveWhole_data();
    void bytesArriveWhole();
    void busyCheck_data();
    void busyCheck();
    void rejectingQueueFails();
    void failedWriteCancelsJob_data();
    void failedWriteCancelsJob();
    void abandonedDocumentIsCancelled();
    void schedulerStoppingMidwayFails();
    void schedulerHangingMidwayFails();
    void failingDeviceAbortsJob();

  private:
    void addDefaultQueue();

    std::unique_ptr<PrivateCupsScheduler> m_scheduler;
    std::unique_ptr<Spooler> m_spooler;
};

void TestCupsSpooler::initTestCase()
{
    // Sets up the environment, so it comes before any libcups call.
    m_scheduler = std::make_unique<PrivateCupsScheduler>();
    QVERIFY2(m_scheduler->start(), qPrintable(m_scheduler->errorString()));
    m_spooler = createPlatformSpooler();
}

void TestCupsSpooler::init()
{
    PrivateCupsScheduler& cups = *m_scheduler;
    QVERIFY2(cups.thaw() && cups.start(), qPrintable(cups.errorString()));
    QVERIFY2(cups.deleteAllQueues(), qPrintable(cups.errorString()));
    QVERIFY2(cups.setBackendFails(false), qPrintable(cups.errorString()));
    cups.clearCaptured();
}

void TestCupsSpooler::cleanupTestCase()
{
    m_spooler.reset();
    m_scheduler.reset();
}

void TestCupsSpooler::addDefaultQueue()
{
    QVERIFY2(m_scheduler->addQueue(kQueue) && m_scheduler->setDefault(kQueue),
             qPrintable(m_scheduler->errorString()));
}

void TestCupsSpooler::defaultPrinter_data()
{
    QTest::addColumn<QString>("serverDefault");
    QTest::addColumn<QString>("userDefault");
    QTest::addColumn<bool>("schedulerUp");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("name");

    QTest::newRow("server default") << "Desk"
                                    << "" << true << Status::Found << "Desk";
    QTest::newRow("lpoptions default wins") << "Desk"
                                            << "Back" << true << Status::Found << "Back";
    QTest::newRow("no default") << ""
                                << "" << true << Status::NoPrinter << "";
    QTest::newRow("lpoptions names a missing queue") << "Desk"
                                                     << "Gone" << true << Status::Found << "Gone";
    QTest::newRow("scheduler stopped") << "Desk"
                                       << "" << false << Status::SpoolerUnreachable << "";
}

void TestCupsSpooler::defaultPrinter()
{
    QFETCH(QString, serverDefault);
    QFETCH(QString, userDefault);
    QFETCH(bool, schedulerUp);
    QFETCH(Status, status);
    QFETCH(QString, name);
    PrivateCupsScheduler& cups = *m_scheduler;
    QVERIFY2(cups.addQueue("Desk") && cups.addQueue("Back"), qPrintable(cups.errorString()));
    if (!serverDefault.isEmpty())
        QVERIFY2(cups.setDefault(serverDefault), qPrintable(cups.errorString()));
    QVERIFY(cups.setUserDefault(userDefault));
    if (!schedulerUp)
        cups.stop();

    const DefaultPrinter found = m_spooler->defaultPrinter();
    QCOMPARE(found.status, status);
    QCOMPARE(text(found.name), name);
    if (status != Status::Found)
        QVERIFY2(!found.reason.empty(), "a reason is given");
}

void TestCupsSpooler::hungSchedulerGivesUp()
{
    addDefaultQueue();
    QVERIFY(m_scheduler->freeze());
    QElapsedTimer timer;
    timer.start();
    const SpoolResult result = runRawSpoolJob(*m_spooler, "hung", {"x"}, true);
    const qint64 elapsed = timer.elapsed();
    QVERIFY(m_scheduler->thaw());

    QCOMPARE(result.outcome, Outcome::NotOpened);
    QVERIFY2(text(result.reason).contains(kNoAnswer), result.reason.c_str());
    QVERIFY2(elapsed < kNeverMs, qPrintable(QString("took %1 ms").arg(elapsed)));
}

void TestCupsSpooler::openOfDeletedQueueFails()
{
    // Deleting the queue clears the scheduler's default, not the user's.
    addDefaultQueue();
    QVERIFY(m_scheduler->setUserDefault(kQueue));
    QVERIFY2(m_scheduler->deleteQueue(kQueue), qPrintable(m_scheduler->errorString()));

    const SpoolResult result = runRawSpoolJob(*m_spooler, "deleted", {"x"}, true);
    QCOMPARE(result.outcome, Outcome::NotOpened);
    QVERIFY2(text(result.reason).contains("does not exist"), result.reason.c_str());
}

void TestCupsSpooler::bytesArriveWhole_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QList<QByteArray>>("blocks");

    QTest::newRow("NUL bytes") << "Settings"
                               << QList<QByteArray>{QByteArray::fromHex(
                                      "1B 19 01 10 02 00 00 00 10 E0 01 01 00 00")};
    QTest::newRow("two blocks") << "Two" << QList<QByteArray>{"\x1b@", QByteArray("\0\x01", 2)};
    QTest::newRow("empty block between")
        << "Gap" << QList<QByteArray>{"first", {}, QByteArray("\0last", 5)};
    QTest::newRow("blocks larger than a socket buffer")
        << "Large" << QList<QByteArray>{everyByteValue(300000), everyByteValue(70000)};
    QTest::newRow("title beyond ASCII") << "Réglages – Zürich" << QList<QByteArray>{"x"};
}

void TestCupsSpooler::bytesArriveWhole()
{
    QFETCH(QString, title);
    QFETCH(QList<QByteArray>, blocks);
    addDefaultQueue();

    const SpoolResult result =
        runRawSpoolJob(*m_spooler, title.toStdString(), toBlocks(blocks), true);
    QVERIFY2(result.outcome == Outcome::Sent, result.reason.c_str());

    const QList<CapturedJob> jobs = m_scheduler->waitForCaptured(1, 10000);
    QVERIFY2(jobs.size() == 1, qPrintable(m_scheduler->logTail()));
    QCOMPARE(jobs.first().bytes, blocks.join());
    QCOMPARE(jobs.first().title, title);
}

void TestCupsSpooler::busyCheck_data()
{
    QTest::addColumn<QString>("waiting"); // what waits in the queue before the job
    QTest::addColumn<int>("activeJobs");
    QTest::addColumn<Outcome>("outcome");

    QTest::newRow("empty queue") << "" << 0 << Outcome::Sent;
    QTest::newRow("held job") << "held" << 1 << Outcome::Busy;
    QTest::newRow("another user's held job") << "held of another user" << 1 << Outcome::Busy;
    QTest::newRow("job on a stopped queue") << "pending" << 1 << Outcome::Busy;
}

void TestCupsSpooler::busyCheck()
{
    QFETCH(QString, waiting);
    QFETCH(int, activeJobs);
    QFETCH(Outcome, outcome);
    PrivateCupsScheduler& cups = *m_scheduler;
    addDefaultQueue();
    if (waiting == "held")
        QVERIFY2(cups.submitHeldJob(kQueue) > 0, qPrintable(cups.errorString()));
    if (waiting == "held of another user")
        QVERIFY2(cups.submitHeldJob(kQueue, "someoneelse") > 0, qPrintable(cups.errorString()));
    if (waiting == "pending") {
        QVERIFY2(cups.stopQueue(kQueue), qPrintable(cups.errorString()));
        QVERIFY2(cups.submitJob(kQueue, "waits") > 0, qPrintable(cups.errorString()));
    }

    std::string reason;
    std::unique_ptr<SpoolPrinter> printer = m_spooler->open(kQueue.toStdString(), &reason);
    QVERIFY2(printer, reason.c_str());
    QCOMPARE(printer->activeJobCount(), activeJobs);
    QVERIFY(printer->close());

    const SpoolResult result = runRawSpoolJob(*m_spooler, "checked", {"data"}, true);
    QVERIFY2(result.outcome == outcome, result.reason.c_str());
    if (outcome == Outcome::Busy)
        QCOMPARE(cups.activeJobs(kQueue), activeJobs);
    else
        QCOMPARE(cups.waitForCaptured(1, 10000).size(), 1);
}

void TestCupsSpooler::rejectingQueueFails()
{
    addDefaultQueue();
    QVERIFY2(m_scheduler->rejectJobs(kQueue), qPrintable(m_scheduler->errorString()));

    const SpoolResult result = runRawSpoolJob(*m_spooler, "rejected", {"data"}, true);
    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(text(result.reason).contains("not accepting"), result.reason.c_str());
    QCOMPARE(m_scheduler->activeJobs(kQueue), 0);
}

void TestCupsSpooler::failedWriteCancelsJob_data()
{
    QTest::addColumn<int>("failingWrite");
    QTest::newRow("first write") << 1;
    QTest::newRow("after a written block") << 2;
}

void TestCupsSpooler::failedWriteCancelsJob()
{
    QFETCH(int, failingWrite);
    addDefaultQueue();
    SteppingSpooler spooler(*m_spooler, failingWrite, [] { return false; });

    const SpoolResult result = runRawSpoolJob(spooler, "cut", {"one", "two", "three"}, true);
    QCOMPARE(result.outcome, Outcome::Failed);
    // No job stays behind to make the next busy check answer busy.
    QCOMPARE(m_scheduler->activeJobs(kQueue), 0);
    QCOMPARE(runRawSpoolJob(*m_spooler, "next", {"next"}, true).outcome, Outcome::Sent);
    const QList<CapturedJob> jobs = m_scheduler->waitForCaptured(1, 10000);
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs.first().bytes, QByteArray("next"));
}

void TestCupsSpooler::abandonedDocumentIsCancelled()
{
    addDefaultQueue();
    std::string reason;
    std::unique_ptr<SpoolPrinter> printer = m_spooler->open(kQueue.toStdString(), &reason);
    QVERIFY2(printer, reason.c_str());
    QVERIFY2(printer->startDocument("abandoned"), printer->lastError().c_str());
    QVERIFY(printer->write("half"));
    QCOMPARE(m_scheduler->activeJobs(kQueue), 1);

    printer.reset();
    QCOMPARE(m_scheduler->activeJobs(kQueue), 0);
}

void TestCupsSpooler::schedulerStoppingMidwayFails()
{
    addDefaultQueue();
    PrivateCupsScheduler& cups = *m_scheduler;
    SteppingSpooler spooler(*m_spooler, 2, [&cups] {
        cups.stop();
        // Each QProcess start makes this process ignore SIGPIPE; the program
        // need not, so the writes to the vanished scheduler meet the default.
        std::signal(SIGPIPE, SIG_DFL);
        return true;
    });

    QElapsedTimer timer;
    timer.start();
    const SpoolResult result = runRawSpoolJob(spooler, "stopped", {"one", "two", "three"}, true);
    QCOMPARE(result.outcome, Outcome::Failed);
    // The broken connection tells, not the time limit.
    QVERIFY2(!result.reason.empty() && !text(result.reason).contains(kNoAnswer),
             result.reason.c_str());
    QVERIFY2(timer.elapsed() < kNeverMs, qPrintable(QString("took %1 ms").arg(timer.elapsed())));
    QVERIFY(cups.captured().isEmpty());
}

void TestCupsSpooler::schedulerHangingMidwayFails()
{
    addDefaultQueue();
    PrivateCupsScheduler& cups = *m_scheduler;
    // It hangs in the middle of the document and comes back once the job
    // has failed, so that the cancel finds it answering.
    bool thawedForCancel = false;
    SteppingSpooler spooler(
        *m_spooler, 2, [&cups] { return cups.freeze(); },
        [&cups, &thawedForCancel] { thawedForCancel = cups.thaw(); });

    QElapsedTimer timer;
    timer.start();
    const SpoolResult result = runRawSpoolJob(spooler, "hung", {"one", "two", "three"}, true);
    const qint64 elapsed = timer.elapsed();
    QVERIFY(cups.thaw());

    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(text(result.reason).contains(kNoAnswer), result.reason.c_str());
    QVERIFY(thawedForCancel);
    QVERIFY2(elapsed < kNeverMs, qPrintable(QString("took %1 ms").arg(elapsed)));
    QVERIFY2(cups.waitForNoActiveJobs(kQueue, kNeverMs), qPrintable(cups.errorString()));
}

void TestCupsSpooler::failingDeviceAbortsJob()
{
    // The spooler takes the job; the device failing later is not its concern.
    addDefaultQueue();
    QVERIFY(m_scheduler->setBackendFails(true));
    QCOMPARE(runRawSpoolJob(*m_spooler, "lost", {"data"}, true).outcome, Outcome::Sent);
    QVERIFY2(m_scheduler->waitForNoActiveJobs(kQueue, 10000),
             qPrintable(m_scheduler->errorString()));
    QVERIFY(m_scheduler->captured().isEmpty());
}

QTEST_GUILESS_MAIN(TestCupsSpooler)
#include "tst_cupsspooler.moc"
