// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Apply Settings and Restore Default on the real main window against a real
// scheduler in trouble: each fault gives its message, the window comes back
// as it was, and no job of ours is left behind.

#include "expectedtexts.h"
#include "frmconfigutility.h"
#include "schedulerfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QTest>

namespace
{
const QString queue = SchedulerFixture::queue;
const QString title = QStringLiteral("Printer Configuration Utility");
const QString noDriver = QStringLiteral("No printer drivers are installed.\r\nDownload Failed!!");
const QString openFailure = QStringLiteral("OpenPrinter Failed!!!\r\nUnable to access printer");
const QString unableToDownload = QStringLiteral("Unable to download printer settings.\r\n\r\n");
const QString busy = unableToDownload + "Printer is busy with processing print jobs, please try "
                                        "once printer is free.";

ChoiceIndexes defaultChoices()
{
    ChoiceIndexes indexes{};
    for (const SettingInfo& info : settingsCatalogue())
        indexes[indexOf(info.setting)] = info.defaultIndex;
    return indexes;
}
} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

    SchedulerFixture f;
    std::unique_ptr<frmConfigUtility> m_window;

    PrivateCupsScheduler& cups() { return f.cups(); }
    QWidget* child(const char* name) { return m_window->findChild<QWidget*>(name); }

  private slots:
    // Every row starts from a running scheduler with one accepting, started,
    // empty default queue whose device works.
    void init()
    {
        QVERIFY2(f.reset(), qPrintable(f.error()));
        m_window = std::make_unique<frmConfigUtility>(f.spooler());
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void faults_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("text"); // empty: no message after the confirmation
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("jobsMade"); // jobs of ours the scheduler lists afterwards
        // While the failure message is up: the banner shown, and Apply Settings
        // and the background disabled. Only Apply Settings changes them, and a
        // busy printer puts them back before its message.
        QTest::addColumn<bool>("applyingAtMessage");

        for (const char* button : {"imgApplySettings", "imgDefault"}) {
            const auto row = [button](const char* name) -> QTestData& {
                return QTest::addRow("%s, %s", button, name) << QString(button) << QString(name);
            };
            const bool apply = QString(button) == "imgApplySettings";
            row("scheduler stopped") << openFailure << title << 0 << apply;
            row("no printers") << noDriver << appTitleText << 0 << apply;
            row("default names a deleted queue") << openFailure << title << 0 << apply;
            // The text continues with the scheduler's reason.
            row("queue rejects jobs") << unableToDownload << title << 0 << apply;
            row("queue stopped with a job pending") << busy << title << 0 << false;
            row("held job in the queue") << busy << title << 0 << false;
            // The job reached the spooler whole, which is all the program
            // can know: a device that fails later is the spooler's to report,
            // as for any print job. So no message, the usual pause, and the
            // scheduler ends the job rather than keeping it.
            row("capture backend fails") << QString() << title << 1 << false;
        }
    }

    void faults()
    {
        QFETCH(QString, button);
        QFETCH(QString, fault);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, jobsMade);
        QFETCH(bool, applyingAtMessage);

        // Some choices of the user's, with the rules they trigger.
        m_window->list(Setting::LQF)->setCurrentIndex(4);
        m_window->list(Setting::PageLength)->setCurrentIndex(0);
        m_window->list(Setting::Interface)->setCurrentIndex(1);
        m_window->list(Setting::CharacterTable)->setCurrentIndex(2);
        m_window->list(Setting::Language)->setCurrentIndex(3);
        const ChoiceIndexes chosen = m_window->choiceIndexes();

        if (fault == "no printers") {
            QVERIFY(cups().deleteAllQueues());
        } else if (fault == "default names a deleted queue") {
            QVERIFY(cups().setUserDefault(queue));
            QVERIFY(cups().deleteQueue(queue));
        } else if (fault == "queue rejects jobs") {
            QVERIFY(cups().rejectJobs(queue));
        } else if (fault == "queue stopped with a job pending") {
            QVERIFY(cups().stopQueue(queue));
            QVERIFY(cups().submitJob(queue, "pending\n") > 0);
        } else if (fault == "held job in the queue") {
            QVERIFY(cups().submitHeldJob(queue) > 0);
        } else if (fault == "capture backend fails") {
            QVERIFY(cups().setBackendFails(true));
        }
        const int jobsBefore = cups().countJobs(true);
        const int activeBefore = cups().countJobs(false);
        QVERIFY2(jobsBefore >= 0 && activeBefore >= 0, qPrintable(cups().errorString()));
        if (fault == "scheduler stopped")
            cups().stop();

        // The window as the user sees it behind the failure message.
        QList<bool> atMessage; // banner visible, Apply Settings and background enabled
        MessageBox::setObserver([&](const MessageBox::Shown& box) {
            if (box.text != printerReadyText)
                atMessage = {child("imgWarning")->isVisible(),
                             child("imgApplySettings")->isEnabled(),
                             child("imgBackground")->isEnabled()};
        });
        MessageBox::queueAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child(qPrintable(button)), Qt::LeftButton);

        const QList<MessageBox::Shown>& shown = MessageBox::history();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.first().text, printerReadyText);
        if (text.isEmpty()) {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(f.pauses, QList<int>{2500});
        } else {
            QCOMPARE(shown.size(), 2);
            const MessageBox::Shown& failure = shown.last();
            if (fault == "queue rejects jobs") {
                QVERIFY2(failure.text.startsWith(text), qPrintable(failure.text));
                const QString reason = failure.text.mid(text.size());
                QVERIFY2(reason.contains("not accepting jobs") && !reason.contains('\n'),
                         qPrintable(reason));
            } else {
                QCOMPARE(failure.text, text);
            }
            QCOMPARE(failure.title, title);
            QCOMPARE(failure.icon, MessageBox::Icon::Critical);
            QCOMPARE(failure.buttons, MessageBox::Buttons::Ok);
            QCOMPARE(atMessage,
                     QList<bool>({applyingAtMessage, !applyingAtMessage, !applyingAtMessage}));
            QVERIFY(f.pauses.isEmpty());
        }

        // The window is back as it was, Restore Default's lists at their
        // defaults.
        QCOMPARE(m_window->choiceIndexes(), button == "imgDefault" ? defaultChoices() : chosen);
        QVERIFY(!child("imgWarning")->isVisible());
        QVERIFY(child("imgApplySettings")->isEnabled());
        QVERIFY(child("imgBackground")->isEnabled());

        // No job of ours is left half-made or waiting, and none printed.
        if (!cups().isRunning())
            QVERIFY2(cups().start(), qPrintable(f.error()));
        QDeadlineTimer deadline(20000);
        while (cups().countJobs(false) > activeBefore && !deadline.hasExpired())
            QTest::qWait(20);
        QCOMPARE(cups().countJobs(false), activeBefore);
        QCOMPARE(cups().countJobs(true), jobsBefore + jobsMade);
        QCOMPARE(cups().captured().size(), 0);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(appTitleText);
    app.setQuitOnLastWindowClosed(false);
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_faults.moc"
