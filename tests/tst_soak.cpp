// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Many settings downloads in a row through the real spooler: every one
// arrives whole and in order, none is left in the queue, and the program
// keeps no file descriptor from one to the next.

#include "download.h"
#include "flagsettings.h"
#include "schedulerfixture.h"
#include "settingslists.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

namespace
{
const QString title = QStringLiteral("Permanent Settings Configuration");
constexpr int downloads = 300;

int openDescriptors()
{
    // The listing's own descriptor is counted every time alike.
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

// Random choices in every list, as a user could make them: the rules run as
// each is chosen.
FlagSettingsBlock randomBlock(QRandomGenerator& random)
{
    SettingsState state;
    for (const SettingInfo& info : settingsCatalogue())
        state.setSelectedIndex(info.setting, int(random.bounded(quint32(info.choices.size()))));
    return mdlFlagSettings::fncGetFlagSettings(state);
}

// What the printer must receive: ESC EM 1, then each entry as one byte.
QByteArray expectedJob(const FlagSettingsBlock& block)
{
    QByteArray bytes("\x1b\x19\x01");
    for (std::int16_t entry : block)
        bytes.append(char(entry));
    return bytes;
}
} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

    SchedulerFixture f;

  private slots:
    void initTestCase()
    {
        QVERIFY2(f.reset(), qPrintable(f.error()));
        f.waitForJobsInPause = true;
    }

    void downloadsInARow()
    {
        QRandomGenerator random(7400);
        // The first download opens what libcups keeps for the whole process.
        mdlFlagSettings::fncDownloadFlagSettings(2, randomBlock(random), f.spooler(), nullptr);
        QCOMPARE(f.cups().waitForCaptured(1, 20000).size(), 1);
        f.cups().clearCaptured();
        f.pauses.clear();
        const int descriptors = openDescriptors();

        QElapsedTimer timer;
        timer.start();
        QList<QByteArray> expected;
        FlagSettingsBlock previous{};
        for (int i = 0; i < downloads; ++i) {
            FlagSettingsBlock block = randomBlock(random);
            while (block == previous) // neighbours differ, so a lost or repeated job shows
                block = randomBlock(random);
            previous = block;
            expected << expectedJob(block);
            mdlFlagSettings::fncDownloadFlagSettings(2, block, f.spooler(), nullptr);
            QVERIFY2(MessageBox::history().isEmpty(),
                     qPrintable(QStringLiteral("download %1: %2")
                                    .arg(i)
                                    .arg(MessageBox::shownTexts().join(" | "))));
        }
        qInfo("%d downloads in %lld ms", downloads, timer.elapsed());

        QCOMPARE(f.pauses, QList<int>(downloads, 2500));
        const QList<CapturedJob> jobs = f.cups().waitForCaptured(downloads, 20000);
        QCOMPARE(jobs.size(), downloads);
        for (int i = 0; i < downloads; ++i) {
            QVERIFY2(jobs[i].bytes == expected[i],
                     qPrintable(QStringLiteral("job %1: %2, expected %3")
                                    .arg(i)
                                    .arg(jobs[i].bytes.toHex(' '), expected[i].toHex(' '))));
            QCOMPARE(jobs[i].title, title);
        }
        QCOMPARE(f.cups().activeJobs(f.queue), 0);
        QCOMPARE(openDescriptors(), descriptors);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TR7400PrinterConfigurationUtility"));
    TestSoak test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_soak.moc"
