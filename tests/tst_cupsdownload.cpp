// The settings download and the features page through the real spooler, as
// the printer side receives them.

#include "download.h"
#include "featurespage.h"
#include "messagebox.h"
#include "platform.h"
#include "privatecupsscheduler.h"
#include "spooler.h"

#include <QTest>

namespace
{
const QString queue = QStringLiteral("TR7400");
const FlagSettingsBlock defaultBlock{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};
const QByteArray defaultJob = QByteArray::fromHex("1b1901100200000010e00101 0000");
const QString unableToDownload = QStringLiteral("Unable to download printer settings.");
} // namespace

class TestCupsDownload : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateCupsScheduler> m_cups;
    std::unique_ptr<Spooler> m_spooler;
    QList<int> m_pauses;

    void download()
    {
        mdlFlagSettings::fncDownloadFlagSettings(2, defaultBlock, *m_spooler, nullptr);
    }

  private slots:
    void initTestCase()
    {
        m_cups = std::make_unique<PrivateCupsScheduler>();
        QVERIFY2(m_cups->start(), qPrintable(m_cups->errorString()));
        m_spooler = createPlatformSpooler();
        MessageBox::setTesting(true);
        Platform::setPauseHandler([this](int ms) { m_pauses << ms; });
    }

    void init()
    {
        QVERIFY2(m_cups->resetToOneQueue(queue), qPrintable(m_cups->errorString()));
        MessageBox::clearHistory();
        m_pauses.clear();
    }

    void cleanupTestCase()
    {
        m_spooler.reset();
        m_cups.reset();
    }

    void twoDownloadsMakeTwoJobs()
    {
        // The pause after a download gives the printer time to take the job.
        Platform::setPauseHandler([this](int ms) {
            m_pauses << ms;
            QVERIFY(m_cups->waitForNoActiveJobs(queue, 20000));
        });
        download();
        download();
        Platform::setPauseHandler([this](int ms) { m_pauses << ms; });
        QVERIFY2(MessageBox::shownTexts().isEmpty(),
                 qPrintable(MessageBox::shownTexts().join("|")));
        QCOMPARE(m_pauses, QList<int>({2500, 2500}));
        const QList<CapturedJob> jobs = m_cups->waitForCaptured(2, 20000);
        QCOMPARE(jobs.size(), 2);
        for (const CapturedJob& job : jobs) {
            QCOMPARE(job.bytes, defaultJob);
            QCOMPARE(job.title, QString("Permanent Settings Configuration"));
        }
    }

    void featuresPageArrivesWhole()
    {
        QVERIFY(m_cups->submitHeldJob(queue) > 0); // no busy check for the page
        printFeaturesPage(*m_spooler, FeaturesCommandSet::EscP);
        QVERIFY(MessageBox::shownTexts().isEmpty());
        const QList<CapturedJob> jobs = m_cups->waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        const QList<QByteArray> blocks = featuresPageBlocks(FeaturesCommandSet::EscP);
        QCOMPARE(jobs.first().bytes, blocks[0] + blocks[1]);
        QCOMPARE(jobs.first().title, QString("TR7400 FEATURS"));
        QVERIFY(m_pauses.isEmpty());
        QVERIFY(m_cups->cancelAll());
    }

    void busyQueueRefusesTheDownload()
    {
        QVERIFY(m_cups->submitHeldJob(queue, QStringLiteral("someoneelse")) > 0);
        download();
        QCOMPARE(MessageBox::shownTexts().size(), 1);
        QVERIFY(MessageBox::shownTexts().first().endsWith(
            "Printer is busy with processing print jobs, please try once printer is free."));
        QCOMPARE(m_cups->activeJobs(queue), 1);
        QVERIFY(m_pauses.isEmpty());
        QVERIFY(m_cups->cancelAll());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        const QString openFailure = "OpenPrinter Failed!!!\r\nUnable to access printer";
        const QString title = "Printer Configuration Utility";
        QTest::newRow("no default destination")
            << "no default"
            << "No printer drivers are installed.\r\nDownload Failed!!"
            << "TR7400PrinterConfigurationUtility";
        QTest::newRow("scheduler not running") << "stopped" << openFailure << title;
        QTest::newRow("default names a deleted queue") << "deleted" << openFailure << title;
        QTest::newRow("queue rejects jobs") << "rejecting" << unableToDownload + "\r\n\r\n"
                                            << title;
    }

    void failures()
    {
        QFETCH(QString, fault);
        QFETCH(QString, text);
        QFETCH(QString, title);
        if (fault == "no default") {
            QVERIFY(m_cups->deleteAllQueues());
            QVERIFY(m_cups->addQueue("Other")); // a printer, but no default
        } else if (fault == "stopped") {
            m_cups->stop();
        } else if (fault == "deleted") {
            QVERIFY(m_cups->setUserDefault(queue));
            QVERIFY(m_cups->deleteQueue(queue));
        } else if (fault == "rejecting") {
            QVERIFY(m_cups->rejectJobs(queue));
        }
        download();
        QCOMPARE(MessageBox::history().size(), 1);
        QVERIFY2(MessageBox::history().first().text.startsWith(text),
                 qPrintable(MessageBox::history().first().text));
        QCOMPARE(MessageBox::history().first().title, title);
        QCOMPARE(MessageBox::history().first().icon, MessageBox::Icon::Critical);
        QVERIFY(m_pauses.isEmpty());
        if (fault == "rejecting") {
            // The spooler's own reason follows the first line.
            QVERIFY(MessageBox::history().first().text.size() > text.size());
            QCOMPARE(m_cups->activeJobs(queue), 0);
        }
        if (m_cups->isRunning())
            QCOMPARE(m_cups->captured().size(), 0);
        QVERIFY(m_cups->setUserDefault(QString()));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TR7400PrinterConfigurationUtility"));
    TestCupsDownload test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_cupsdownload.moc"
