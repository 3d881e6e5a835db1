// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// tr7400ctl as a script runs it, against a private scheduler: what the
// printer side receives for each command line (the same bytes as the window
// sends for the same choices), and what each failure answers.

#include "ctlrun.h"
#include "featurespage.h"
#include "schedulerfixture.h"
#include "settingsjob.h"
#include "windowfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QProcess>

namespace
{
using Choice = QPair<Setting, int>;

CtlRun runCtl(const QStringList& arguments)
{
    return runCtlProgram(QStringLiteral(PCU_TR7400CTL), arguments);
}

// "SETTING_NAME=choicetext": a form a person may type, case, spaces and
// underscores aside.
QString assignment(const Choice& choice)
{
    const SettingInfo& info = settingInfo(choice.first);
    const QString label = info.label.empty()
                              ? QStringLiteral("vacant buffer size")
                              : QString::fromUtf8(info.label.data(), qsizetype(info.label.size()));
    const std::string_view text = info.choices[std::size_t(choice.second)];
    return label.toUpper().replace(' ', '_') + "=" +
           QString::fromUtf8(text.data(), qsizetype(text.size())).toLower().remove(' ');
}
} // namespace

Q_DECLARE_METATYPE(QList<Choice>)

class TestCtl : public QObject
{
    Q_OBJECT

    SchedulerFixture f;

    PrivateCupsScheduler& cups() { return f.cups(); }

    // What the window sends for the same choices.
    QByteArray windowBytes(const QList<Choice>& choices)
    {
        FakeSpooler unused;
        frmConfigUtility window(unused);
        for (const Choice& choice : choices)
            window.list(choice.first)->setCurrentIndex(choice.second);
        return QByteArray::fromStdString(mdlFlagSettings::downloadJobBytes(
            mdlFlagSettings::downloadModeSend, mdlFlagSettings::fncGetFlagSettings(window)));
    }

  private slots:
    void init() { QVERIFY2(f.reset(), qPrintable(f.error())); }

    // Built on the printer core alone: no Qt library is loaded.
    void linksNoQt()
    {
        QProcess ldd;
        ldd.start("ldd", {QStringLiteral(PCU_TR7400CTL)});
        QVERIFY(ldd.waitForFinished(30000));
        const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
        QVERIFY2(libraries.contains("libc.so"), qPrintable(libraries));
        QVERIFY2(!libraries.contains("libQt"), qPrintable(libraries));
    }

    void settingsReachThePrinter_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<Choice>>("choices");
        QTest::newRow("defaults") << QStringList{"--defaults"} << QList<Choice>{};
        QTest::newRow("a few, by their text") << QStringList{}
                                              << QList<Choice>{{Setting::PageLength, 11},
                                                               {Setting::LQF, 8},
                                                               {Setting::Interface, 1},
                                                               {Setting::Tearoff, 3}};
        QTest::newRow("Indian language choices") << QStringList{}
                                                 << QList<Choice>{{Setting::CharacterTable, 2},
                                                                  {Setting::Language, 4},
                                                                  {Setting::LanguageStandard, 2},
                                                                  {Setting::SpaceCompensation, 0}};
        QList<Choice> first, last;
        for (const SettingInfo& info : settingsCatalogue()) {
            if (isFixedSetting(info.setting))
                continue; // stays at its factory setting
            first << Choice{info.setting, 0};
            last << Choice{info.setting, int(info.choices.size()) - 1};
        }
        QTest::newRow("every list at its first choice") << QStringList{} << first;
        QTest::newRow("every list at its last choice") << QStringList{} << last;
    }

    void settingsReachThePrinter()
    {
        QFETCH(QStringList, options);
        QFETCH(QList<Choice>, choices);
        QStringList arguments{"apply", "--yes"};
        arguments << options;
        for (const Choice& choice : choices)
            arguments << assignment(choice);
        const CtlRun run = runCtl(arguments);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains("The settings were sent to TR7400."), qPrintable(run.out));
        const QList<CapturedJob> jobs = cups().waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs.first().title, QString("Permanent Settings Configuration"));
        QCOMPARE(jobs.first().bytes.toHex(' '), windowBytes(choices).toHex(' '));
    }

    // -P names the printer; the default one is not used then.
    void namedPrinter()
    {
        QVERIFY(cups().addQueue("Other"));
        QVERIFY(cups().rejectJobs(f.queue));
        const CtlRun run = runCtl({"apply", "-P", "Other", "--yes", "sleep-mode=#2"});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains("stored in the printer Other:"), qPrintable(run.out));
        const QList<CapturedJob> jobs = cups().waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs.first().bytes, windowBytes({{Setting::SleepMode, 2}}));
    }

    void featuresPage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("commandSet");
        QTest::newRow("ESC/P") << QStringList{} << int(FeaturesCommandSet::EscP);
        QTest::newRow("IBM") << QStringList{"--ibm"} << int(FeaturesCommandSet::Ibm);
    }

    void featuresPage()
    {
        QFETCH(QStringList, options);
        QFETCH(int, commandSet);
        QVERIFY(cups().submitHeldJob(f.queue) > 0); // no busy check for the page
        const CtlRun run = runCtl(QStringList{"features"} + options);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QList<CapturedJob> jobs = cups().waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        const std::vector<std::string> blocks = featuresPageBlocks(FeaturesCommandSet(commandSet));
        QCOMPARE(jobs.first().bytes, QByteArray::fromStdString(blocks[0] + blocks[1]));
        QCOMPARE(jobs.first().title,
                 QString::fromUtf8(featuresDocumentName(FeaturesCommandSet(commandSet)).data()));
        QVERIFY(cups().cancelAll());
    }

    // Each failure: its exit status and the window's words, nothing captured
    // and no job of ours left waiting.
    void failures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList apply{"apply", "--yes", "--defaults"};
        const QString busy = "tr7400ctl: Unable to download printer settings.\n"
                             "tr7400ctl: Printer is busy with processing print jobs, please try "
                             "once printer is free.\n";
        const QString noDriver =
            "tr7400ctl: No printer drivers are installed.\ntr7400ctl: Download Failed!!\n";
        const QString openFailure =
            "tr7400ctl: OpenPrinter Failed!!!\ntr7400ctl: Unable to access printer\n";
        QTest::newRow("busy") << "held job" << apply << 5 << busy;
        QTest::newRow("no default printer") << "no default" << apply << 3 << noDriver;
        QTest::newRow("default names a deleted queue") << "deleted" << apply << 4 << openFailure;
        QTest::newRow("named printer missing")
            << "" << QStringList{"apply", "-P", "Gone", "--yes", "--defaults"} << 4 << openFailure;
        QTest::newRow("queue rejects jobs")
            << "rejecting" << apply << 6 << "tr7400ctl: Unable to download printer settings.\n";
        QTest::newRow("queue rejects the page")
            << "rejecting" << QStringList{"features"} << 6
            << "tr7400ctl: Unable to print the features page.\n";
        QTest::newRow("page, no default printer")
            << "no default" << QStringList{"features"} << 3 << noDriver;
    }

    void failures()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        if (fault == "held job") {
            QVERIFY(cups().submitHeldJob(f.queue) > 0);
        } else if (fault == "no default") {
            QVERIFY(cups().deleteAllQueues());
            QVERIFY(cups().addQueue("Other"));
        } else if (fault == "deleted") {
            QVERIFY(cups().setUserDefault(f.queue));
            QVERIFY(cups().deleteQueue(f.queue));
        } else if (fault == "rejecting") {
            QVERIFY(cups().rejectJobs(f.queue));
        }
        const int activeBefore = cups().countJobs(false);
        const CtlRun run = runCtl(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        if (fault == "rejecting")
            QVERIFY2(run.err.contains("not accepting jobs"), qPrintable(run.err));
        QVERIFY(cups().captured().isEmpty());
        QCOMPARE(cups().countJobs(false), activeBefore);
        QVERIFY(cups().cancelAll());
    }

    // A mistake in the command line sends nothing.
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown setting") << QStringList{"apply", "--yes", "pagelenght=14inch"}
                                         << "unknown setting \"pagelenght\"; nearest: "
                                            "\"page-length\"";
        QTest::newRow("unknown choice")
            << QStringList{"apply", "--yes", "tear-off=true-manuel"}
            << "unknown choice \"true-manuel\" for Tear Off; nearest: \"true-manual\"";
        QTest::newRow("index out of range")
            << QStringList{"apply", "--yes", "interface=#3"}
            << "Interface has no choice #3: its choices are #0 to #2";
        QTest::newRow("setting named twice")
            << QStringList{"apply", "--yes", "interface=usb", "Interface=Parallel"}
            << "Interface is named twice";
        QTest::newRow("vacant buffer size")
            << QStringList{"apply", "--yes", "vacant-buffer-size=512-bytes"}
            << "Vacant Buffer Size is fixed at \"256 Bytes\": no other choice can be stored";
        QTest::newRow("no terminal to ask")
            << QStringList{"apply", "--defaults"}
            << "there is no terminal to ask whether the printer is ready: give --yes";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CtlRun run = runCtl(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("tr7400ctl: " + message), qPrintable(run.err));
        QCOMPARE(cups().countJobs(true), 0);
        QVERIFY(cups().captured().isEmpty());
    }
};

PCU_GUI_TEST_MAIN(TestCtl)
#include "tst_ctl.moc"
