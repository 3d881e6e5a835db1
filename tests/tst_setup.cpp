// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// tr7400ctl setup and printers against a private scheduler that lists
// printer devices as a USB backend reports them, and lets only root
// administer printers: the queue each case leaves, its exit status and its
// words; and the new queue then reached byte for byte by apply and by the
// window's Apply.

#include "ctlrun.h"
#include "frmconfigutility.h"
#include "schedulerfixture.h"
#include "windowfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace
{

const QString tr7400Uri = QStringLiteral("usb://Altrune/TR%207400?serial=A1B2C3");
const FakeDevice tr7400{tr7400Uri, "Altrune TR 7400", "Altrune TR 7400 USB",
                        "MFG:Altrune;MDL:TR 7400;CMD:ESC/P;CLS:PRINTER;"};
// The same printer as another firmware reports it.
const QString respelledUri = QStringLiteral("usb://ALTRUNE/TR-7400?serial=0042");
const FakeDevice respelled{respelledUri, "ALTRUNE TR-7400", "ALTRUNE TR-7400 USB",
                           "MANUFACTURER:ALTRUNE;MODEL:TR-7400;COMMAND SET:ESC/P;CLASS:PRINTER;"};
const FakeDevice laser{"usb://Other/Laser%205?serial=9", "Other Laser 5", "Other Laser 5 USB",
                       "MFG:Other;MDL:Laser 5;CMD:PCL;CLS:PRINTER;"};
// A parallel port reports no model.
const FakeDevice parallelPort{"parallel:/dev/lp0", "Unknown", "LPT #1", ""};

// The default settings block, after the settings command.
const QByteArray defaultSettings = QByteArray::fromHex("1b1901 10 02 00 00 00 10 e0 01 01 00 00");

enum class As { Root, Nobody };

} // namespace

Q_DECLARE_METATYPE(QList<FakeDevice>)
Q_DECLARE_METATYPE(As)

class TestSetup : public QObject
{
    Q_OBJECT

    SchedulerFixture f{PrivateCupsOptions{/*listsDevices=*/true, /*administratorsOnly=*/true}};
    // tr7400ctl and its module, where a user without rights can run them.
    QTemporaryDir m_programs{QStringLiteral("/tmp/pcu-setup-XXXXXX")};
    uid_t m_nobody = 0;
    gid_t m_nogroup = 0;

    PrivateCupsScheduler& cups() { return f.cups(); }

    CtlRun ctl(const QStringList& arguments, As as = As::Root)
    {
        std::function<void()> dropRoot;
        if (as == As::Nobody) {
            const uid_t uid = m_nobody;
            const gid_t gid = m_nogroup;
            dropRoot = [uid, gid] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
                    ::_exit(126);
            };
        }
        return runCtlProgram(m_programs.filePath("tr7400ctl"), arguments, dropRoot);
    }

    // Changes the scheduler carried out.
    int changesDone()
    {
        return cups().requestsDone("CUPS-Add-Modify-Printer") +
               cups().requestsDone("CUPS-Set-Default");
    }

  private slots:
    void initTestCase()
    {
        const passwd* nobody = ::getpwnam("nobody");
        QVERIFY2(nobody, "there is no user nobody");
        m_nobody = nobody->pw_uid;
        m_nogroup = nobody->pw_gid;
        QVERIFY2(m_nobody != 0, "nobody is root");
        QVERIFY(m_programs.isValid());
        QVERIFY(QFile::setPermissions(m_programs.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                             QFile::ExeOwner | QFile::ReadOther |
                                                             QFile::ExeOther | QFile::ReadGroup |
                                                             QFile::ExeGroup));
        // The module is found beside the program.
        for (const QString& file : {QStringLiteral(PCU_TR7400CTL), QStringLiteral(PCU_MODULE)})
            QVERIFY2(QFile::copy(file, m_programs.filePath(QFileInfo(file).fileName())),
                     qPrintable(file));
        QVERIFY2(f.reset(), qPrintable(f.error()));
        QVERIFY2(cups().allowUser(m_nobody, m_nogroup), qPrintable(f.error()));
    }

    // No queue at all, and no default: setup makes its own.
    void init()
    {
        QVERIFY2(f.reset(), qPrintable(f.error()));
        for (const QString& queue : cups().queueNames())
            QVERIFY2(cups().deleteQueue(queue), qPrintable(f.error()));
        QVERIFY2(cups().queueNames().isEmpty(), qPrintable(f.error()));
        QVERIFY(cups().setUserDefault({}));
        cups().clearCaptured();
    }

    void setupCases_data()
    {
        QTest::addColumn<QList<FakeDevice>>("devices");
        QTest::addColumn<QStringList>("before"); // run first, as root
        QTest::addColumn<As>("as");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("said"); // in order, on standard output or error
        QTest::addColumn<QString>("queue");    // the one queue left; empty for none
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("serverDefault");
        QTest::addColumn<QString>("userDefault");

        const QString nothing = "tr7400ctl: nothing was changed.\n";
        const QString refused = "tr7400ctl: only root, or a member of the printer "
                                "administrators' group root, may ";
        QTest::newRow("one TR 7400 found")
            << QList<FakeDevice>{laser, tr7400, parallelPort} << QStringList{} << As::Root
            << QStringList{"setup"} << 0
            << QStringList{"Found the TR 7400 at " + tr7400Uri + " (Altrune TR 7400).\n",
                           "Made the raw queue TR7400 for " + tr7400Uri +
                               ": enabled and accepting jobs.\n",
                           "tr7400ctl setup --default makes it TR7400"}
            << "TR7400" << tr7400Uri << ""
            << "";
        QTest::newRow("found by a second spelling")
            << QList<FakeDevice>{respelled, laser} << QStringList{} << As::Root
            << QStringList{"setup"} << 0
            << QStringList{"Found the TR 7400 at " + respelledUri + " (ALTRUNE TR-7400).\n"}
            << "TR7400" << respelledUri << ""
            << "";
        QTest::newRow("none found")
            << QList<FakeDevice>{laser, parallelPort} << QStringList{} << As::Root
            << QStringList{"setup", "--default"} << 7
            << QStringList{"tr7400ctl: none of the printer devices the print spooler sees "
                           "looks like a TR 7400; it sees:\n",
                           "  " + laser.uri + "  (Other Laser 5)\n",
                           "  parallel:/dev/lp0  (LPT #1)\n", nothing}
            << ""
            << ""
            << ""
            << "";
        QTest::newRow("two found")
            << QList<FakeDevice>{tr7400, laser, respelled} << QStringList{} << As::Root
            << QStringList{"setup", "--default"} << 8
            << QStringList{"tr7400ctl: 2 printer devices look like a TR 7400; name one with "
                           "--device URI:\n  " +
                               tr7400Uri + "  (Altrune TR 7400)\n  " + respelledUri +
                               "  (ALTRUNE TR-7400)\n",
                           nothing}
            << ""
            << ""
            << ""
            << "";
        QTest::newRow("--device given")
            << QList<FakeDevice>{tr7400, respelled, parallelPort} << QStringList{} << As::Root
            << QStringList{"setup", "--device", "parallel:/dev/lp0", "--name", "TR7400-LPT"} << 0
            << QStringList{"Made the raw queue TR7400-LPT for parallel:/dev/lp0"} << "TR7400-LPT"
            << "parallel:/dev/lp0"
            << ""
            << "";
        QTest::newRow("--default")
            << QList<FakeDevice>{tr7400, laser} << QStringList{} << As::Root
            << QStringList{"setup", "--default"} << 0
            << QStringList{"Made the raw queue TR7400",
                           "Made TR7400 the system's default printer.\n",
                           "The Printer Configuration Utility and tr7400ctl send to TR7400, the "
                           "default printer.\n"}
            << "TR7400" << tr7400Uri << "TR7400"
            << "";
        QTest::newRow("--user-default") << QList<FakeDevice>{tr7400, laser} << QStringList{}
                                        << As::Root << QStringList{"setup", "--user-default"} << 0
                                        << QStringList{"Made TR7400 your default printer (in ",
                                                       "send to TR7400, the default printer.\n"}
                                        << "TR7400" << tr7400Uri << ""
                                        << "TR7400";
        QTest::newRow("run twice")
            << QList<FakeDevice>{tr7400, laser} << QStringList{"setup", "--default"} << As::Root
            << QStringList{"setup", "--default"} << 0
            << QStringList{"The queue TR7400 is already set up: raw, on " + tr7400Uri +
                               ", enabled and accepting jobs.\n",
                           "TR7400 is already the system's default printer.\n"}
            << "TR7400" << tr7400Uri << "TR7400"
            << "";
        QTest::newRow("refused: a user without rights")
            << QList<FakeDevice>{tr7400} << QStringList{} << As::Nobody
            << QStringList{"setup", "--default"} << 9
            << QStringList{refused +
                           "list the printer devices: run it again with sudo.\n"
                           "tr7400ctl: the print spooler answered: Forbidden\n" +
                           nothing}
            << ""
            << ""
            << ""
            << "";
        QTest::newRow("refused, with --device")
            << QList<FakeDevice>{tr7400} << QStringList{} << As::Nobody
            << QStringList{"setup", "--device", tr7400Uri} << 9
            << QStringList{refused + "make the queue TR7400: run it again with sudo.\n", nothing}
            << ""
            << ""
            << ""
            << "";
        QTest::newRow("refused the system's default, once the queue is there")
            << QList<FakeDevice>{tr7400} << QStringList{"setup"} << As::Nobody
            << QStringList{"setup", "--default"} << 9
            << QStringList{refused + "make TR7400 the system's default printer", nothing}
            << "TR7400" << tr7400Uri << ""
            << "";
        QTest::newRow("a user's own default, once the queue is there")
            << QList<FakeDevice>{tr7400} << QStringList{"setup"} << As::Nobody
            << QStringList{"setup", "--user-default"} << 0
            << QStringList{"Only administrators may list the printer devices; the queue TR7400 "
                           "is ready on " +
                               tr7400Uri + ", so it stays as it is.\n",
                           "Made TR7400 your default printer"}
            << "TR7400" << tr7400Uri << ""
            << "TR7400";
    }

    void setupCases()
    {
        QFETCH(QList<FakeDevice>, devices);
        QFETCH(QStringList, before);
        QFETCH(As, as);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, said);
        QFETCH(QString, queue);
        QFETCH(QString, device);
        QFETCH(QString, serverDefault);
        QFETCH(QString, userDefault);

        QVERIFY2(cups().setDevices(devices), qPrintable(f.error()));
        if (!before.isEmpty()) {
            const CtlRun first = ctl(before);
            QVERIFY2(first.status == 0, qPrintable(first.out + first.err));
        }
        const int changesBefore = changesDone();

        const CtlRun run = ctl(arguments, as);
        const QString words = run.out + run.err;
        QVERIFY2(run.status == status, qPrintable(QString::number(run.status) + "\n" + words));
        qsizetype from = 0;
        for (const QString& text : said) {
            const qsizetype at = words.indexOf(text, from);
            QVERIFY2(at >= 0, qPrintable("\"" + text + "\" is not in what was said:\n" + words));
            from = at + text.size();
        }

        // What it leaves: the one queue, raw, enabled and accepting jobs, on
        // the printer's device, and the defaults.
        const QStringList queues = cups().queueNames();
        QCOMPARE(queues, queue.isEmpty() ? QStringList{} : QStringList{queue});
        if (!queue.isEmpty()) {
            const PrivateCupsScheduler::QueueFacts facts = cups().queueFacts(queue);
            QCOMPARE(facts.device, device);
            QCOMPARE(facts.makeAndModel, QString("Local Raw Printer"));
            QVERIFY(facts.enabled);
            QVERIFY(facts.accepting);
        }
        QCOMPARE(cups().serverDefault(), serverDefault);
        QCOMPARE(cups().userDefault(), userDefault);
        // Right already, or refused: the scheduler is left as it was.
        if (!before.isEmpty() || status != 0)
            QCOMPARE(changesDone(), changesBefore);
    }

    // What a script reads: every queue with its state and what tells whether
    // the settings reach the printer through it, and every device, the
    // printer's marked.
    void printersAsJson()
    {
        QVERIFY(cups().setDevices({tr7400, laser, respelled, parallelPort}));
        const CtlRun setUp = ctl({"setup", "--device", tr7400Uri, "--default"});
        QVERIFY2(setUp.status == 0, qPrintable(setUp.out + setUp.err));
        QVERIFY(cups().addQueue("Spare"));
        QVERIFY(cups().submitHeldJob("Spare") > 0);
        QVERIFY(cups().rejectJobs("Spare"));

        const CtlRun run = ctl({"printers", "--json"});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError,
                 qPrintable(error.errorString() + "\n" + run.out));
        const QJsonObject all = document.object();
        QCOMPARE(all["systemDefault"].toString(), QString("TR7400"));
        QCOMPARE(all["userDefault"].toString(), QString("TR7400"));
        QCOMPARE(all["userDefaultSource"].toString(), QString("scheduler"));
        QVERIFY(all["devicesError"].isNull());

        QMap<QString, QJsonObject> queues;
        for (const QJsonValue& queue : all["queues"].toArray())
            queues[queue["name"].toString()] = queue.toObject();
        QCOMPARE(queues.keys(), (QList<QString>{"Spare", "TR7400"}));
        const QJsonObject ours = queues["TR7400"];
        QCOMPARE(ours["device"].toString(), tr7400Uri);
        QCOMPARE(ours["state"].toString(), QString("idle"));
        QVERIFY(ours["accepting"].toBool());
        QCOMPARE(ours["jobsWaiting"].toInt(), 0);
        QVERIFY(ours["driver"].isNull());
        QVERIFY(ours["raw"].toBool());
        QVERIFY(ours["systemDefault"].toBool());
        QVERIFY(ours["userDefault"].toBool());
        const QJsonObject spare = queues["Spare"];
        QVERIFY(!spare["accepting"].toBool());
        QCOMPARE(spare["jobsWaiting"].toInt(), 1);
        QVERIFY(spare["device"].toString().startsWith("capture:"));
        QVERIFY(!spare["systemDefault"].toBool());

        QMap<QString, QJsonObject> devices;
        for (const QJsonValue& device : all["devices"].toArray())
            devices[device["uri"].toString()] = device.toObject();
        for (const FakeDevice& device : {tr7400, laser, respelled, parallelPort}) {
            QVERIFY2(devices.contains(device.uri), qPrintable(device.uri + " is not listed"));
            const QJsonObject listed = devices[device.uri];
            QCOMPARE(listed["class"].toString(), device.deviceClass);
            QCOMPARE(listed["makeAndModel"].toString(), device.makeAndModel);
            QCOMPARE(listed["info"].toString(), device.info);
            QCOMPARE(listed["deviceId"].toString(), device.deviceId);
            QCOMPARE(listed["tr7400"].toBool(),
                     device.uri == tr7400Uri || device.uri == respelledUri);
        }

        // The same, for a person: the printer's devices marked.
        const CtlRun text = ctl({"printers"});
        QVERIFY2(text.status == 0, qPrintable(text.err));
        QVERIFY2(text.out.contains("\n* " + tr7400Uri + "\n"), qPrintable(text.out));
        QVERIFY2(text.out.contains("\n* " + respelledUri + "\n"), qPrintable(text.out));
        QVERIFY2(text.out.contains("\n  " + laser.uri + "\n"), qPrintable(text.out));
        QVERIFY(cups().cancelAll());
    }

    // The queue that setup makes is the one everything then sends to.
    void applyReachesTheNewQueue()
    {
        QVERIFY(cups().setDevices({tr7400, laser}));
        const CtlRun setUp = ctl({"setup", "--default"});
        QVERIFY2(setUp.status == 0, qPrintable(setUp.out + setUp.err));

        const CtlRun apply = ctl({"apply", "--defaults", "--yes"});
        QVERIFY2(apply.status == 0, qPrintable(apply.err));
        QVERIFY2(apply.out.contains("The settings were sent to TR7400."), qPrintable(apply.out));
        QList<CapturedJob> jobs = cups().waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs[0].deviceUri, tr7400Uri);
        QCOMPARE(jobs[0].title, QString("Permanent Settings Configuration"));
        QCOMPARE(jobs[0].bytes.toHex(' '), defaultSettings.toHex(' '));
        // The window's busy check must find the queue empty.
        QVERIFY2(cups().waitForNoActiveJobs("TR7400", 60000), qPrintable(f.error()));

        frmConfigUtility window(f.spooler());
        window.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QComboBox* pageLength = window.list(Setting::PageLength);
        pageLength->setFocus();
        QTest::keyClick(pageLength, Qt::Key_Down); // 14 Inch
        MessageBox::clearHistory();
        MessageBox::queueAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(window.findChild<QWidget*>("imgApplySettings"), Qt::LeftButton);
        QCOMPARE(MessageBox::history().size(), 1); // the confirmation only
        jobs = cups().waitForCaptured(2, 20000);
        QCOMPARE(jobs.size(), 2);
        QCOMPARE(jobs[1].deviceUri, tr7400Uri);
        QCOMPARE(jobs[1].bytes.toHex(' '),
                 QByteArray::fromHex("1b1901 10 02 00 00 00 13 b0 01 01 00 00").toHex(' '));
    }
};

PCU_GUI_TEST_MAIN(TestSetup)
#include "tst_setup.moc"
