// Apply Settings and Restore Default on the real main window against a real
// scheduler in trouble: each fault gives its message, the window comes back
// as it was, and no job of ours is left behind.

#include "frmconfigutility.h"
#include "messagebox.h"
#include "platform.h"
#include "privatecupsscheduler.h"
#include "spooler.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QTest>

namespace
{
const QString queue = QStringLiteral("TR7400");
const QString appTitle = QStringLiteral("TR7400PrinterConfigurationUtility");
const QString title = QStringLiteral("Printer Configuration Utility");
const QString confirmation =
    "Please check whether the printer is :\r\n* Switched ON\r\n* In online mode\r\n* In "
    "Parallel or Autoshare interface\r\n\r\nTo continue press OK else press Cancel to quit.";
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

    std::unique_ptr<PrivateCupsScheduler> m_cups;
    std::unique_ptr<Spooler> m_spooler;
    std::unique_ptr<frmConfigUtility> m_window;
    QList<int> m_pauses;

    QWidget* child(const char* name) { return m_window->findChild<QWidget*>(name); }

  private slots:
    void initTestCase()
    {
        m_cups = std::make_unique<PrivateCupsScheduler>();
        QVERIFY2(m_cups->start(), qPrintable(m_cups->errorString()));
        m_spooler = createPlatformSpooler();
        Platform::setPauseHandler([this](int ms) { m_pauses << ms; });
    }

    // Every row starts from a running scheduler with one accepting, started,
    // empty default queue whose device works.
    void init()
    {
        QVERIFY2(m_cups->resetToOneQueue(queue), qPrintable(m_cups->errorString()));
        MessageBox::setTesting(true);
        MessageBox::clearHistory();
        m_pauses.clear();
        m_window = std::make_unique<frmConfigUtility>(*m_spooler);
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void cleanupTestCase()
    {
        Platform::setPauseHandler({});
        m_spooler.reset();
        m_cups.reset();
    }

    void faults_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("text"); // empty: no message after the confirmation
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("jobsMade"); // jobs of ours the scheduler lists afterwards

        for (const char* button : {"imgApplySettings", "imgDefault"}) {
            const auto row = [button](const char* name) -> QTestData& {
                return QTest::addRow("%s, %s", button, name) << QString(button) << QString(name);
            };
            row("scheduler stopped") << openFailure << title << 0;
            row("no printers") << noDriver << appTitle << 0;
            row("default names a deleted queue") << openFailure << title << 0;
            // The text continues with the scheduler's reason.
            row("queue rejects jobs") << unableToDownload << title << 0;
            row("queue stopped with a job pending") << busy << title << 0;
            row("held job in the queue") << busy << title << 0;
            // The job reached the spooler whole, which is all the program
            // can know: a device that fails later is the spooler's to report,
            // as for any print job. So no message, the usual pause, and the
            // scheduler ends the job rather than keeping it.
            row("capture backend fails") << QString() << title << 1;
        }
    }

    void faults()
    {
        QFETCH(QString, button);
        QFETCH(QString, fault);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, jobsMade);

        // Some choices of the user's, with the rules they trigger.
        m_window->list(Setting::LQF)->setCurrentIndex(4);
        m_window->list(Setting::PageLength)->setCurrentIndex(0);
        m_window->list(Setting::Interface)->setCurrentIndex(1);
        m_window->list(Setting::CharacterTable)->setCurrentIndex(2);
        m_window->list(Setting::Language)->setCurrentIndex(3);
        const ChoiceIndexes chosen = m_window->choiceIndexes();

        if (fault == "no printers") {
            QVERIFY(m_cups->deleteAllQueues());
        } else if (fault == "default names a deleted queue") {
            QVERIFY(m_cups->setUserDefault(queue));
            QVERIFY(m_cups->deleteQueue(queue));
        } else if (fault == "queue rejects jobs") {
            QVERIFY(m_cups->rejectJobs(queue));
        } else if (fault == "queue stopped with a job pending") {
            QVERIFY(m_cups->stopQueue(queue));
            QVERIFY(m_cups->submitJob(queue, "pending\n") > 0);
        } else if (fault == "held job in the queue") {
            QVERIFY(m_cups->submitHeldJob(queue) > 0);
        } else if (fault == "capture backend fails") {
            QVERIFY(m_cups->setBackendFails(true));
        }
        const int jobsBefore = m_cups->countJobs(true);
        const int activeBefore = m_cups->countJobs(false);
        QVERIFY2(jobsBefore >= 0 && activeBefore >= 0, qPrintable(m_cups->errorString()));
        if (fault == "scheduler stopped")
            m_cups->stop();

        MessageBox::queueAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child(qPrintable(button)), Qt::LeftButton);

        const QList<MessageBox::Shown>& shown = MessageBox::history();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.first().text, confirmation);
        if (text.isEmpty()) {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(m_pauses, QList<int>{2500});
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
            QVERIFY(m_pauses.isEmpty());
        }

        // The window is back as it was, Restore Default's lists at their
        // defaults.
        QCOMPARE(m_window->choiceIndexes(), button == "imgDefault" ? defaultChoices() : chosen);
        QVERIFY(!child("imgWarning")->isVisible());
        QVERIFY(child("imgApplySettings")->isEnabled());
        QVERIFY(child("imgBackground")->isEnabled());

        // No job of ours is left half-made or waiting, and none printed.
        if (!m_cups->isRunning())
            QVERIFY2(m_cups->start(), qPrintable(m_cups->errorString()));
        QDeadlineTimer deadline(20000);
        while (m_cups->countJobs(false) > activeBefore && !deadline.hasExpired())
            QTest::qWait(20);
        QCOMPARE(m_cups->countJobs(false), activeBefore);
        QCOMPARE(m_cups->countJobs(true), jobsBefore + jobsMade);
        QCOMPARE(m_cups->captured().size(), 0);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(appTitle);
    app.setQuitOnLastWindowClosed(false);
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_faults.moc"
