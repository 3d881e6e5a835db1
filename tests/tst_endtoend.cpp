// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The whole road of Apply Settings: choices made in the window's lists reach
// the printer side as the exact bytes they encode.

#include "frmconfigutility.h"
#include "schedulerfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

class TestEndToEnd : public QObject
{
    Q_OBJECT

    SchedulerFixture f;

  private slots:
    void init() { QVERIFY2(f.reset(), qPrintable(f.error())); }

    void applySettingsReachesThePrinter()
    {
        frmConfigUtility window(f.spooler());
        window.showCentred();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Choices made the way a user makes them: focus and keys.
        QComboBox* font = window.list(Setting::LQF);
        font->setFocus();
        QTest::keyClick(font, Qt::Key_End); // Orator-S
        QComboBox* interface = window.list(Setting::Interface);
        interface->setFocus();
        QTest::keyClick(interface, Qt::Key_Home); // Parallel
        QComboBox* table = window.list(Setting::CharacterTable);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_End); // Indian Language
        QComboBox* language = window.list(Setting::Language);
        language->setFocus();
        QTest::keyClick(language, Qt::Key_Down);
        QTest::keyClick(language, Qt::Key_Down);
        QTest::keyClick(language, Qt::Key_Down);
        QTest::keyClick(language, Qt::Key_Down); // Kannada
        QComboBox* pageLength = window.list(Setting::PageLength);
        pageLength->setFocus();
        QTest::keyClick(pageLength, Qt::Key_Down); // 14 Inch
        QComboBox* sleep = window.list(Setting::SleepMode);
        sleep->setFocus();
        QTest::keyClick(sleep, Qt::Key_End); // 10 Minutes

        MessageBox::clearHistory();
        MessageBox::queueAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(window.findChild<QWidget*>("imgApplySettings"), Qt::LeftButton);
        QCOMPARE(MessageBox::history().size(), 1); // the confirmation only

        const QList<CapturedJob> jobs = f.cups().waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs.first().title, QString("Permanent Settings Configuration"));
        // 6 LPI; Indian Language with Falling; Parallel + Orator-S; 14 inch;
        // Kannada; 64K; 10 minutes.
        QCOMPARE(jobs.first().bytes,
                 QByteArray::fromHex("1b1901 10 08 00 00 81 13 b0 07 01 00 02"));
        QVERIFY(!window.findChild<QWidget*>("imgWarning")->isVisible());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TR7400PrinterConfigurationUtility"));
    TestEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_endtoend.moc"
