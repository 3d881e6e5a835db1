// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The settings download and the features page through the real spooler, as
// the printer side receives them.

#include "download.h"
#include "printfeatures.h"
#include "schedulerfixture.h"

#include <QTest>

namespace
{
const FlagSettingsBlock defaultBlock{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};
const QByteArray defaultJob = QByteArray::fromHex("1b1901100200000010e00101 0000");
} // namespace

class TestCupsDownload : public QObject
{
    Q_OBJECT

    SchedulerFixture f;

    PrivateCupsScheduler& cups() { return f.cups(); }

    void download()
    {
        mdlFlagSettings::fncDownloadFlagSettings(2, defaultBlock, f.spooler(), nullptr);
    }

  private slots:
    void init() { QVERIFY2(f.reset(), qPrintable(f.error())); }

    void twoDownloadsMakeTwoJobs()
    {
        f.waitForJobsInPause = true;
        download();
        download();
        QVERIFY2(MessageBox::shownTexts().isEmpty(),
                 qPrintable(MessageBox::shownTexts().join("|")));
        QCOMPARE(f.pauses, QList<int>({2500, 2500}));
        const QList<CapturedJob> jobs = cups().waitForCaptured(2, 20000);
        QCOMPARE(jobs.size(), 2);
        for (const CapturedJob& job : jobs) {
            QCOMPARE(job.bytes, defaultJob);
            QCOMPARE(job.title, QString("Permanent Settings Configuration"));
        }
    }

    void featuresPageArrivesWhole()
    {
        QVERIFY(cups().submitHeldJob(f.queue) > 0); // no busy check for the page
        printFeaturesPage(f.spooler(), FeaturesCommandSet::EscP);
        QVERIFY(MessageBox::shownTexts().isEmpty());
        const QList<CapturedJob> jobs = cups().waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        const std::vector<std::string> blocks = featuresPageBlocks(FeaturesCommandSet::EscP);
        QCOMPARE(jobs.first().bytes, QByteArray::fromStdString(blocks[0] + blocks[1]));
        QCOMPARE(jobs.first().title, QString("TR7400 FEATURS"));
        QVERIFY(f.pauses.isEmpty());
        QVERIFY(cups().cancelAll());
    }

    void busyQueueRefusesTheDownload()
    {
        QVERIFY(cups().submitHeldJob(f.queue, QStringLiteral("someoneelse")) > 0);
        download();
        QCOMPARE(MessageBox::shownTexts().size(), 1);
        QVERIFY(MessageBox::shownTexts().first().endsWith(
            "Printer is busy with processing print jobs, please try once printer is free."));
        QCOMPARE(cups().activeJobs(f.queue), 1);
        QVERIFY(f.pauses.isEmpty());
        QVERIFY(cups().cancelAll());
    }

    // Each way the spooler can fail, for both jobs: the message the user
    // sees, nothing captured, no pause and no job of ours left waiting.
    void failures_data()
    {
        QTest::addColumn<bool>("features"); // the features page, else the settings
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("text"); // what the message starts with
        QTest::addColumn<QString>("title");
        const QString openFailure = "OpenPrinter Failed!!!\r\nUnable to access printer";
        const QString noDriver = "No printer drivers are installed.\r\nDownload Failed!!";
        const QString title = "Printer Configuration Utility";
        for (bool features : {false, true}) {
            const char* caller = features ? "Print Features" : "Apply Settings";
            const QString failed = features ? "Unable to print the features page.\r\n\r\n"
                                            : "Unable to download printer settings.\r\n\r\n";
            QTest::addRow("%s, no default destination", caller)
                << features << "no default" << noDriver << "TR7400PrinterConfigurationUtility";
            QTest::addRow("%s, scheduler not running", caller)
                << features << "stopped" << openFailure << title;
            QTest::addRow("%s, default names a deleted queue", caller)
                << features << "deleted" << openFailure << title;
            QTest::addRow("%s, queue rejects jobs", caller)
                << features << "rejecting" << failed << title;
        }
    }

    void failures()
    {
        QFETCH(bool, features);
        QFETCH(QString, fault);
        QFETCH(QString, text);
        QFETCH(QString, title);
        if (fault == "no default") {
            QVERIFY(cups().deleteAllQueues());
            QVERIFY(cups().addQueue("Other")); // a printer, but no default
        } else if (fault == "stopped") {
            cups().stop();
        } else if (fault == "deleted") {
            QVERIFY(cups().setUserDefault(f.queue));
            QVERIFY(cups().deleteQueue(f.queue));
        } else if (fault == "rejecting") {
            QVERIFY(cups().rejectJobs(f.queue));
        }
        if (features)
            printFeaturesPage(f.spooler(), FeaturesCommandSet::EscP);
        else
            download();
        QCOMPARE(MessageBox::history().size(), 1);
        const MessageBox::Shown& shown = MessageBox::history().first();
        QVERIFY2(shown.text.startsWith(text), qPrintable(shown.text));
        QCOMPARE(shown.title, title);
        QCOMPARE(shown.icon, MessageBox::Icon::Critical);
        QVERIFY(f.pauses.isEmpty());
        if (fault == "rejecting") {
            // The spooler's own reason follows the first line.
            QVERIFY2(shown.text.mid(text.size()).contains("not accepting jobs"),
                     qPrintable(shown.text));
            QCOMPARE(cups().activeJobs(f.queue), 0);
        } else {
            QCOMPARE(shown.text, text);
        }
        if (cups().isRunning())
            QCOMPARE(cups().captured().size(), 0);
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
