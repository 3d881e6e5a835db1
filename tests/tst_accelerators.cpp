// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "frmfeatures.h"
#include "imagecontrol.h"
#include "windowfixture.h"

class TestAccelerators : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    QWidget* focused() const { return QApplication::focusWidget(); }

  private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
    }

    void cleanup() { f.reset(); }

    void altLetters_data()
    {
        QTest::addColumn<int>("characterTable");
        QTest::addColumn<int>("interface");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus"); // the list that has the focus afterwards

        const QString start = "cmbSleepMode";
        const struct {
            Qt::Key key;
            const char* list;
        } always[] = {{Qt::Key_H, "cmbHSG"},
                      {Qt::Key_F, "cmbHSD"},
                      {Qt::Key_Q, "cmbLQF"},
                      {Qt::Key_T, "cmbTearoff"},
                      {Qt::Key_L, "cmbPageLength"},
                      {Qt::Key_I, "cmbInterface"},
                      {Qt::Key_C, "cmbCharacterTable"},
                      {Qt::Key_N, "cmbInputBufferSize"},
                      {Qt::Key_K, "cmbSkipOverPerf"},
                      {Qt::Key_P, "cmbPrintDirection"},
                      {Qt::Key_Z, "cmbSlashedZero"},
                      {Qt::Key_G, "cmbLineSpacing"},
                      {Qt::Key_A, "cmbAutoLF"},
                      {Qt::Key_M, "cmbPrintImpact"},
                      {Qt::Key_R, "cmbDarkMode"},
                      {Qt::Key_E, "cmbStrobeEdge"},
                      {Qt::Key_S, "cmbSleepMode"}};
        for (const auto& entry : always)
            QTest::addRow("Alt+%c", char(entry.key)) << 0 << 2 << int(entry.key) << entry.list;
        QTest::newRow("Alt+U while Graphics") << 0 << 2 << int(Qt::Key_U) << start;
        QTest::newRow("Alt+D while Italic") << 1 << 2 << int(Qt::Key_D) << start;
        QTest::newRow("Alt+O while Graphics") << 0 << 2 << int(Qt::Key_O) << start;
        QTest::newRow("Alt+U with Indian Language") << 2 << 2 << int(Qt::Key_U) << "cmbLanguage";
        QTest::newRow("Alt+D with Indian Language")
            << 2 << 2 << int(Qt::Key_D) << "cmbLanguageStandard";
        QTest::newRow("Alt+O with Indian Language")
            << 2 << 2 << int(Qt::Key_O) << "cmbSpaceCompensation";
        QTest::newRow("Alt+E with USB") << 0 << 1 << int(Qt::Key_E) << start;
        QTest::newRow("Alt+E with Parallel") << 0 << 0 << int(Qt::Key_E) << "cmbStrobeEdge";
        QTest::newRow("Alt+V never") << 0 << 2 << int(Qt::Key_V) << start;
        QTest::newRow("Alt+B nothing") << 2 << 2 << int(Qt::Key_B) << start;
        QTest::newRow("Alt+Y nothing") << 2 << 2 << int(Qt::Key_Y) << start;
    }

    void altLetters()
    {
        QFETCH(int, characterTable);
        QFETCH(int, interface);
        QFETCH(int, key);
        QFETCH(QString, focus);
        f->list(Setting::CharacterTable)->setCurrentIndex(characterTable);
        f->list(Setting::Interface)->setCurrentIndex(interface);
        // Start from a list no letter of the row leads to.
        f->list(key == Qt::Key_S ? Setting::HSG : Setting::SleepMode)->setFocus();
        const ChoiceIndexes before = f->window.choiceIndexes();
        QTest::keyClick(focused(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(focused()->objectName(), focus);
        QCOMPARE(f->window.choiceIndexes(), before);
        QVERIFY(MessageBox::history().isEmpty());
    }

    // The letter of an Alt accelerator is no typing: the list that had the
    // focus must not select a choice starting with it.
    void altLetterLeavesTheFocusedListsChoice()
    {
        QWidget* font = f->list(Setting::LQF); // "Courier" starts with C
        font->setFocus();
        QTest::keyClick(font, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(focused(), f->list(Setting::CharacterTable));
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 0);
        QTest::keyClick(focused(), Qt::Key_I, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(f->list(Setting::CharacterTable)->currentIndex(), 0); // not "Italic"
    }

    void lowerCaseAndRepeatMakeNoDifference()
    {
        f->list(Setting::SleepMode)->setFocus();
        QTest::keyClick(focused(), 'h', Qt::AltModifier);
        QCOMPARE(focused(), f->list(Setting::HSG));
        QTest::keyClick(focused(), 'H', Qt::AltModifier);
        QCOMPARE(focused(), f->list(Setting::HSG));
    }

    void masksThatMatchNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Alt+Shift+H") << int(Qt::Key_H) << int(Qt::AltModifier | Qt::ShiftModifier);
        QTest::newRow("Ctrl+Alt+H") << int(Qt::Key_H) << int(Qt::AltModifier | Qt::ControlModifier);
        QTest::newRow("Ctrl+Shift+A")
            << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("Ctrl+Alt+X") << int(Qt::Key_X) << int(Qt::AltModifier | Qt::ControlModifier);
    }

    void masksThatMatchNothing()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        f->list(Setting::SleepMode)->setFocus();
        const ChoiceIndexes before = f->window.choiceIndexes();
        QTest::keyClick(focused(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(focused(), f->list(Setting::SleepMode));
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(f->window.choiceIndexes(), before);
    }

    void releasingTheModifierFirstDoesNothing()
    {
        QWidget* start = f->list(Setting::SleepMode);
        start->setFocus();
        QTest::keyPress(start, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyPress(start, Qt::Key_H, Qt::AltModifier);
        QTest::keyRelease(start, Qt::Key_Alt, Qt::NoModifier);
        QTest::keyRelease(start, Qt::Key_H, Qt::NoModifier);
        QCOMPARE(focused(), start);

        QTest::keyPress(start, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyPress(start, Qt::Key_A, Qt::ControlModifier);
        QTest::keyRelease(start, Qt::Key_Control, Qt::NoModifier);
        QTest::keyRelease(start, Qt::Key_A, Qt::NoModifier);
        QVERIFY(MessageBox::history().isEmpty());
    }

    // A Ctrl letter runs what a left click runs, confirmation included.
    void ctrlLetters_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("writes");
        QTest::addColumn<int>("ends");
        const int ok = int(MessageBox::Answer::Ok), cancel = int(MessageBox::Answer::Cancel);
        QTest::newRow("Ctrl+A, OK") << int(Qt::Key_A) << printerReadyText << ok << 1 << 0;
        QTest::newRow("Ctrl+A, Cancel") << int(Qt::Key_A) << printerReadyText << cancel << 0 << 0;
        QTest::newRow("Ctrl+D, OK") << int(Qt::Key_D) << printerReadyText << ok << 1 << 0;
        QTest::newRow("Ctrl+P, OK") << int(Qt::Key_P) << printerReadyText << ok << 2 << 0;
        QTest::newRow("Ctrl+X, No")
            << int(Qt::Key_X) << exitQuestionText << int(MessageBox::Answer::No) << 0 << 0;
        QTest::newRow("Ctrl+X, Yes")
            << int(Qt::Key_X) << exitQuestionText << int(MessageBox::Answer::Yes) << 0 << 1;
        QTest::newRow("Ctrl+Q, nothing") << int(Qt::Key_Q) << QString() << ok << 0 << 0;
    }

    void ctrlLetters()
    {
        QFETCH(int, key);
        QFETCH(QString, question);
        QFETCH(int, answer);
        QFETCH(int, writes);
        QFETCH(int, ends);
        QWidget* list = f->list(Setting::LQF);
        list->setFocus();
        const QImage applyPicture = f->child<ImageControl>("imgApplySettings")->picture().toImage();
        MessageBox::queueAnswer(MessageBox::Answer(answer));
        QTest::keyClick(list, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(f->shownTexts(), question.isEmpty() ? QStringList() : QStringList{question});
        QCOMPARE(f->spooler.writes.size(), writes);
        QCOMPARE(f->ends, ends);
        // The control character never reaches the list, and no picture changes.
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 0);
        QCOMPARE(f->child<ImageControl>("imgApplySettings")->picture().toImage(), applyPicture);
    }

    void ctrlSShowsFeaturesAndTakesTheRelease()
    {
        QTest::keyClick(f->list(Setting::HSG), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!f->window.isVisible());
        QVERIFY(f->window.featuresWindow() && f->window.featuresWindow()->isVisible());
        QVERIFY(MessageBox::history().isEmpty());
    }

    void ctrlCharacterIsSwallowed()
    {
        // Typing C in the font list selects "Courier"; with Ctrl it must not.
        QWidget* list = f->list(Setting::LQF);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 0);
        QTest::keyClick(list, Qt::Key_C);
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 2);
    }

    void ctrlAloneSwallowsTheNextCharacter()
    {
        QWidget* list = f->list(Setting::LQF);
        list->setFocus();
        QTest::keyPress(list, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyRelease(list, Qt::Key_Control, Qt::NoModifier);
        QCOMPARE(f->window.intCtrlKeyState, 2);
        QTest::keyClick(list, Qt::Key_C); // swallowed
        QCOMPARE(f->window.intCtrlKeyState, 0);
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 0);
        QTest::keyClick(list, Qt::Key_C); // goes through
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 2);
    }

    // With a list's choices open, its keys go to the open choices; the
    // window still sees them first.
    void keysWhileTheChoicesAreOpen_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("focus");  // the list with the focus afterwards
        QTest::addColumn<int>("fontChoice"); // cmbLQF's choice afterwards
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("open"); // the choices still open afterwards
        QTest::newRow("Alt+C closes them and moves to Character Table")
            << "Alt+C"
            << "cmbCharacterTable" << 0 << QStringList() << false;
        QTest::newRow("Ctrl+A closes them and runs Apply Settings")
            << "Ctrl+A"
            << "cmbLQF" << 0 << QStringList{printerReadyText} << false;
        QTest::newRow("the character after Ctrl alone is swallowed")
            << "Ctrl, C, Return"
            << "cmbLQF" << 0 << QStringList() << false;
        QTest::newRow("the character after it goes through")
            << "Ctrl, C, C, Return"
            << "cmbLQF" << 2 << QStringList() << false;
        // A letter that does nothing does nothing, also to the open choices.
        for (const char* keys : {"Alt+V", "Alt+B", "Alt+Y", "Alt+U", "Ctrl+Z", "Ctrl+C"})
            QTest::addRow("%s leaves them open", keys)
                << keys << "cmbLQF" << 0 << QStringList() << true;
        QTest::newRow("a plain letter stays with the choices")
            << "C"
            << "cmbLQF" << 0 << QStringList() << true;
    }

    void keysWhileTheChoicesAreOpen()
    {
        QFETCH(QString, keys);
        QFETCH(QString, focus);
        QFETCH(int, fontChoice);
        QFETCH(QStringList, shown);
        QFETCH(bool, open);
        QComboBox* font = f->list(Setting::LQF);
        font->setFocus();
        font->showPopup();
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QWindow* window = popup->windowHandle();
        MessageBox::queueAnswer(MessageBox::Answer::Cancel);
        // Delivered as the platform delivers them: to the popup's window.
        for (const QString& key : keys.split(", ")) {
            QWindow* target = QApplication::activePopupWidget() ? window : f->window.windowHandle();
            if (key.startsWith("Alt+")) {
                QTest::keyClick(target, Qt::Key(key.back().unicode()), Qt::AltModifier);
            } else if (key.startsWith("Ctrl+")) {
                QTest::keyClick(target, Qt::Key(key.back().unicode()), Qt::ControlModifier);
            } else if (key == "Ctrl") {
                QTest::keyPress(target, Qt::Key_Control, Qt::ControlModifier);
                QTest::keyRelease(target, Qt::Key_Control, Qt::NoModifier);
            } else if (key == "C") {
                QTest::keyClick(target, Qt::Key_C);
            } else if (key == "Return") {
                QTest::keyClick(target, Qt::Key_Return);
            }
        }
        QCOMPARE(QApplication::activePopupWidget() != nullptr, open);
        font->hidePopup();
        QCOMPARE(focused()->objectName(), focus);
        QCOMPARE(font->currentIndex(), fontChoice);
        QCOMPARE(f->shownTexts(), shown);
    }

    void keysWithoutCharacterLeaveTheStateAlone()
    {
        QWidget* list = f->list(Setting::LQF);
        list->setFocus();
        QTest::keyPress(list, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyRelease(list, Qt::Key_Control, Qt::NoModifier);
        QTest::keyClick(list, Qt::Key_Down); // moves the list, produces no character
        QCOMPARE(f->list(Setting::LQF)->currentIndex(), 1);
        QCOMPARE(f->window.intCtrlKeyState, 2);
        QTest::keyClick(list, Qt::Key_Tab); // moves the focus, is no character either
        QCOMPARE(focused(), f->list(Setting::Tearoff));
        QCOMPARE(f->window.intCtrlKeyState, 2);
    }
};

PCU_GUI_TEST_MAIN(TestAccelerators)
#include "tst_accelerators.moc"
