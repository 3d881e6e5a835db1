// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "frmfeatures.h"
#include "imagecontrol.h"
#include "windowfixture.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>

class TestFeaturesWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    frmFeatures* showFeatures()
    {
        QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
        return f->window.featuresWindow();
    }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    // The nineteen lines, spaces exact, as the window shows them.
    void storedText()
    {
        const QString expected =
            "1.  24 pin 136 column Dot Matrix Printer with speed 400 CPS at Draft 10 CPI.\r\n"
            "\r\n"
            "2.  Comes with USB 2.0 & Centronics parallel interface with Autoshare.\r\n"
            "\r\n"
            "3.  Built in 9 LQ fonts:\r\n"
            "\r\n"
            "          Roman      Sans Serif     Courier\r\n"
            "          \r\n"
            "          Script       Prestige        OCR-A\r\n"
            "\r\n"
            "          OCR-B      Orator          Orator-S\r\n"
            "\r\n"
            "4.  Supports two paper paths.\r\n"
            "\r\n"
            "5.  Printer driver support for Windows 95, 98, Me, NT 4.0, 2000, XP, 2003, XPx64,\r\n"
            "     Vista, 7, 7 x64, 8, 8 x64 and selected Linux distributions. \r\n"
            "     (Available in www.altrune.example.com).\r\n"
            "\r\n"
            "6.  Windows printer configuration utility to configure the printer permanent "
            "settings.\r\n";
        QCOMPARE(frmFeatures::featuresText(), expected);
        frmFeatures* features = showFeatures();
        QCOMPARE(f->child<QPlainTextEdit>("txtFeatures", features)->toPlainText(),
                 QString(expected).replace("\r\n", "\n"));
    }

    void showFeaturesOpensTheWindow()
    {
        f->list(Setting::LQF)->setCurrentIndex(5);
        QTest::mouseClick(f->child("imgSFeatures"), Qt::RightButton);
        QVERIFY(!f->window.featuresWindow());
        frmFeatures* features = showFeatures();
        QVERIFY(features);
        QVERIFY(!f->window.isVisible());
        QVERIFY(features->isVisible());
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(features->windowTitle(), QString("Altrune TR 7400 Printer Configuration Utility"));
        QCOMPARE(features->size(), QSize(738, 453));
        auto* text = f->child<QPlainTextEdit>("txtFeatures", features);
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text->palette().color(QPalette::Text), QColor(0, 0, 64));

        QTest::mouseClick(f->child("imgClose", features), Qt::MiddleButton);
        QVERIFY(features->isVisible());
        QTest::mouseClick(f->child("imgClose", features), Qt::LeftButton);
        QVERIFY(!features->isVisible());
        QVERIFY(f->window.isVisible());
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 5);
        QCOMPARE(showFeatures(), features); // the same window every time
    }

    void printFeaturesAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("documents");
        QTest::newRow("OK") << int(MessageBox::Answer::Ok) << 1;
        QTest::newRow("Cancel") << int(MessageBox::Answer::Cancel) << 0;
    }

    void printFeaturesAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(int, documents);
        frmFeatures* features = showFeatures();
        QTest::mouseClick(f->child("imgPrintFeatures", features), Qt::RightButton);
        QVERIFY(MessageBox::history().isEmpty());
        MessageBox::queueAnswer(MessageBox::Answer(answer));
        QTest::mouseClick(f->child("imgPrintFeatures", features), Qt::LeftButton);
        QCOMPARE(f->shownTexts(), QStringList{printerReadyText});
        QCOMPARE(f->spooler.documents.size(), documents);
        QVERIFY(features->isVisible());
        QVERIFY(!f->window.isVisible());
    }

    void keys_data()
    {
        QTest::addColumn<bool>("fromText");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("asks");
        const int ctrl = int(Qt::ControlModifier);
        QTest::newRow("Ctrl+C") << false << int(Qt::Key_C) << ctrl << true << false;
        QTest::newRow("Ctrl+C in the text") << true << int(Qt::Key_C) << ctrl << true << false;
        QTest::newRow("Ctrl+P") << false << int(Qt::Key_P) << ctrl << false << true;
        QTest::newRow("Ctrl+P in the text") << true << int(Qt::Key_P) << ctrl << false << true;
        QTest::newRow("Ctrl+Shift+C")
            << true << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier) << false
            << false;
        QTest::newRow("Ctrl+Alt+C") << false << int(Qt::Key_C)
                                    << int(Qt::ControlModifier | Qt::AltModifier) << false << false;
        QTest::newRow("Ctrl+Shift+P")
            << false << int(Qt::Key_P) << int(Qt::ControlModifier | Qt::ShiftModifier) << false
            << false;
        QTest::newRow("Ctrl+Alt+P") << true << int(Qt::Key_P)
                                    << int(Qt::ControlModifier | Qt::AltModifier) << false << false;
        QTest::newRow("Alt+C") << false << int(Qt::Key_C) << int(Qt::AltModifier) << false << false;
    }

    void keys()
    {
        QFETCH(bool, fromText);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(bool, asks);
        frmFeatures* features = showFeatures();
        QWidget* target = features;
        if (fromText) {
            target = f->child("txtFeatures", features);
            target->setFocus();
        }
        MessageBox::queueAnswer(MessageBox::Answer::Cancel);
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(features->isVisible(), !closes);
        QCOMPARE(f->window.isVisible(), closes);
        QCOMPARE(f->shownTexts(), asks ? QStringList{printerReadyText} : QStringList());
    }

    void heldKeyRunsItsCommandOnce()
    {
        frmFeatures* features = showFeatures();
        for (int repeat = 0; repeat < 3; ++repeat) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_P, Qt::ControlModifier, "\x10", true);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_P, Qt::ControlModifier, "\x10", true);
            QApplication::sendEvent(features, &press);
            QApplication::sendEvent(features, &release);
        }
        QVERIFY(f->shownTexts().isEmpty());
        MessageBox::queueAnswer(MessageBox::Answer::Cancel);
        QTest::keyRelease(features, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f->shownTexts(), QStringList{printerReadyText});
    }

    void releasingCtrlFirstDoesNothing()
    {
        frmFeatures* features = showFeatures();
        QTest::keyPress(features, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyPress(features, Qt::Key_C, Qt::ControlModifier);
        QTest::keyRelease(features, Qt::Key_Control, Qt::NoModifier);
        QTest::keyRelease(features, Qt::Key_C, Qt::NoModifier);
        QVERIFY(features->isVisible());
    }

    void titleBarCloseRebuildsTheWindow()
    {
        frmFeatures* features = showFeatures();
        features->blnButtonsReset = true;
        features->move(features->pos() + QPoint(40, 30));
        QWidget* oldText = f->child("txtFeatures", features);
        features->close();
        QVERIFY(!features->isVisible());
        QVERIFY(f->window.isVisible());

        QCOMPARE(showFeatures(), features);
        QWidget* newText = f->child("txtFeatures", features);
        QVERIFY(newText != oldText);
        QCOMPARE(features->findChildren<QPlainTextEdit*>().size(), 1);
        QVERIFY(features->blnButtonsReset);
        const QPoint centre = features->screen()->availableGeometry().center();
        QVERIFY((features->frameGeometry().center() - centre).manhattanLength() <= 2);
    }

    void quittingAfterTheFeaturesWindowWasUsed()
    {
        frmFeatures* features = showFeatures();
        QTest::keyClick(features, Qt::Key_C, Qt::ControlModifier);
        MessageBox::queueAnswer(MessageBox::Answer::Yes);
        f->window.close();
        QCOMPARE(f->ends, 1);
        QCOMPARE(f->shownTexts(), QStringList{exitQuestionText});
    }
};

PCU_GUI_TEST_MAIN(TestFeaturesWindow)
#include "tst_featureswindow.moc"
