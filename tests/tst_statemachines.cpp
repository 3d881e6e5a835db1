// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Long random event sequences on the real windows: the hover pictures of both
// windows and the keyboard accelerators of the main window, with their
// invariants checked after every event. The sequences come from a fixed seed;
// PCU_TEST_SEED replaces it, and a failure names the seed and the event.

#include "frmfeatures.h"
#include "hoverbuttons.h"
#include "imagecontrol.h"
#include "windowfixture.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRandomGenerator>

namespace
{
constexpr int eventCount = 20000;

quint32 testSeed()
{
    bool ok = false;
    const quint32 fromEnvironment = qEnvironmentVariable("PCU_TEST_SEED").toUInt(&ok);
    return ok ? fromEnvironment : 7400u;
}

// The pointer moving over a control, with the buttons and modifiers given.
void moveOver(QWidget* control, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    const QPointF local(3, 3);
    QMouseEvent move(QEvent::MouseMove, local, control->mapToGlobal(local), Qt::NoButton, buttons,
                     modifiers);
    QApplication::sendEvent(control, &move);
}

// What the hover machine of one window should be, kept by the test alone.
struct HoverModel {
    QWidget* window = nullptr;
    QMap<QString, QString> stems; // button name -> bitmap stem
    int resetReads = 0;           // files read by one reset: one per button
    bool reset = false;           // blnButtonsReset as it should be
    QString highlighted;          // the one button showing its "2" picture
    QChar lastKind;               // what the last read was: 'H' highlight or 'R' reset
};

// The text a key gives on X11: a control character with Ctrl, else the
// letter; modifier keys give none.
QString keyText(int key, Qt::KeyboardModifiers modifiers)
{
    if (key < Qt::Key_A || key > Qt::Key_Z)
        return {};
    if (modifiers & Qt::ControlModifier)
        return QString(QChar(key - Qt::Key_A + 1));
    return QString(QChar(modifiers & Qt::ShiftModifier ? key : key - Qt::Key_A + 'a'));
}

// A letter with the modifiers held, or a modifier key alone.
QString keyName(int key, Qt::KeyboardModifiers modifiers)
{
    if (key < Qt::Key_A || key > Qt::Key_Z)
        return QKeySequence(key).toString();
    return QKeySequence(int(modifiers) | key).toString();
}
} // namespace

class TestStateMachines : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    QRandomGenerator m_random;
    quint32 m_seed = 0;
    QHash<QString, QImage> m_highlights; // the "2" picture of every stem
    QStringList m_recent;                // the last events, for the failure message

    int pick(int bound) { return int(m_random.bounded(quint32(bound))); }
    bool chance(int percent) { return pick(100) < percent; }

    void remember(const QString& event)
    {
        m_recent << event;
        if (m_recent.size() > 8)
            m_recent.removeFirst();
    }

    QString where(int event) const
    {
        return QStringLiteral("seed %1, event %2; last events: %3")
            .arg(m_seed)
            .arg(event)
            .arg(m_recent.join(", "));
    }

    // The visible lists of the main window.
    QList<QComboBox*> lists(bool enabledOnly) const
    {
        QList<QComboBox*> found;
        for (const SettingInfo& info : settingsCatalogue()) {
            QComboBox* list = f->list(info.setting);
            if (list->isVisible() && (!enabledOnly || list->isEnabled()))
                found << list;
        }
        return found;
    }

    QString changedLists(const ChoiceIndexes& expected) const
    {
        QStringList changed;
        for (const SettingInfo& info : settingsCatalogue()) {
            if (f->list(info.setting)->currentIndex() != expected[indexOf(info.setting)])
                changed << f->list(info.setting)->objectName();
        }
        return changed.join(", ");
    }

    bool showsHighlight(QWidget* window, const QString& name, const QString& stem)
    {
        const QImage shown = f->child<ImageControl>(qPrintable(name), window)->picture().toImage();
        return shown.convertToFormat(QImage::Format_RGB32) == m_highlights.value(stem);
    }

    // Empty when the window shows what its model says.
    QString hoverMismatch(const HoverModel& model, bool resetFlag)
    {
        QStringList highlighted;
        for (auto button = model.stems.cbegin(); button != model.stems.cend(); ++button) {
            if (showsHighlight(model.window, button.key(), button.value()))
                highlighted << button.key();
        }
        if (highlighted.size() > 1)
            return model.window->objectName() + " highlights " + highlighted.join(" and ");
        if (highlighted.value(0) != model.highlighted)
            return QStringLiteral("%1 highlights '%2', expected '%3'")
                .arg(model.window->objectName(), highlighted.value(0), model.highlighted);
        if (resetFlag != model.reset)
            return QStringLiteral("%1 blnButtonsReset is %2")
                .arg(model.window->objectName(), resetFlag ? "true" : "false");
        return {};
    }

  private slots:
    void initTestCase()
    {
        m_seed = testSeed();
        qInfo("Random seed %u (PCU_TEST_SEED sets another).", m_seed);
        for (const QString stem : {"Apply_Settings", "Restore_Default", "Exit_Button",
                                   "Print_Features", "Show_Features", "Close_Button"}) {
            const QImage highlight(HoverButtons::picturePath(stem, 2));
            QVERIFY2(!highlight.isNull(), qPrintable(HoverButtons::picturePath(stem, 2)));
            m_highlights.insert(stem, highlight.convertToFormat(QImage::Format_RGB32));
        }
    }

    void init()
    {
        m_random.seed(m_seed);
        m_recent.clear();
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
    }

    void cleanup() { f.reset(); }

    // Event mix, per event:
    //  - main window shown: 92 % a pointer move (half over one of the five
    //    buttons, 30 % over the background, 10 % over a list, 10 % over a
    //    label), 1 % hide and show, 7 % a click on Show Features;
    //  - features window shown: 89 % a move (half over one of its two
    //    buttons, 30 % over its background, 20 % over its text or title
    //    picture), 6 % a click on Close, 5 % a close from the title bar.
    // A click first moves the pointer onto its button. Every move holds no
    // mouse button and no modifier seven times in ten, else random ones.
    void hoverPictures()
    {
        HoverModel main;
        main.window = &f->window;
        main.stems = {{"imgApplySettings", "Apply_Settings"},
                      {"imgDefault", "Restore_Default"},
                      {"imgExit", "Exit_Button"},
                      {"imgPFeatures", "Print_Features"},
                      {"imgSFeatures", "Show_Features"}};
        main.resetReads = 5;
        HoverModel features; // its window exists from the first Show Features
        features.stems = {{"imgPrintFeatures", "Print_Features"}, {"imgClose", "Close_Button"}};
        features.resetReads = 2;
        bool featuresRebuilt = false; // a title-bar close builds its controls afresh
        int highlights = 0, resets = 0, rebuilds = 0;
        const ChoiceIndexes choices = f->window.choiceIndexes();
        const QStringList labels{"Picture1", "Attribute1", "Attribute2"};

        for (int event = 0; event < eventCount; ++event) {
            const bool onFeatures = features.window && features.window->isVisible();
            HoverModel& model = onFeatures ? features : main;
            const int readsBefore = HoverButtons::pictureReads();
            QString target; // a control the pointer moves over, or a command
            const int roll = pick(100);
            if (onFeatures) {
                target = roll < 45   ? model.stems.keys().at(pick(2))
                         : roll < 72 ? "imgBackground"
                         : roll < 89 ? (chance(50) ? "txtFeatures" : "Image2")
                         : roll < 95 ? "click imgClose"
                                     : "title-bar close";
            } else {
                target = roll < 46   ? model.stems.keys().at(pick(5))
                         : roll < 74 ? "imgBackground"
                         : roll < 83 ? "list"
                         : roll < 92 ? labels.at(pick(int(labels.size())))
                         : roll < 93 ? "hide and show"
                                     : "click imgSFeatures";
            }

            // A click is preceded by a move onto its button: one more event.
            QString move = target.startsWith("click ") ? target.mid(6) : target;
            if (target == "title-bar close") {
                remember(target);
                features.window->close();
                featuresRebuilt = true;
            } else if (target == "hide and show") {
                remember(target);
                f->window.hide();
                f->window.show();
            } else {
                Qt::MouseButtons buttons;
                Qt::KeyboardModifiers modifiers;
                if (chance(30))
                    buttons = Qt::MouseButtons(1 + pick(7)); // Left, Right, Middle or-ed
                if (chance(30))
                    modifiers = Qt::KeyboardModifiers((1 + pick(7)) << 25); // Shift, Ctrl, Alt
                QWidget* control = move == "list" ? lists(false).at(pick(int(lists(false).size())))
                                                  : f->child(qPrintable(move), model.window);
                QVERIFY2(control, qPrintable(move));
                remember(QStringLiteral("move over %1 (buttons %2, modifiers %3)")
                             .arg(control->objectName())
                             .arg(int(buttons))
                             .arg(int(modifiers) >> 25));
                moveOver(control, buttons, modifiers);

                // A move reads nothing, one file (a highlight) or every
                // button's at-rest file (a reset), and the two alternate.
                const int reads = HoverButtons::pictureReads() - readsBefore;
                QVERIFY2(
                    reads == 0 || reads == 1 || reads == model.resetReads,
                    qPrintable(QStringLiteral("%1 files read; %2").arg(reads).arg(where(event))));
                if (reads != 0) {
                    const QChar kind = reads == 1 ? 'H' : 'R';
                    QVERIFY2(kind != model.lastKind && (kind == 'R' || !model.lastKind.isNull()),
                             qPrintable(QStringLiteral("%1 after %2; %3")
                                            .arg(kind)
                                            .arg(model.lastKind.isNull() ? QString("nothing")
                                                                         : QString(model.lastKind),
                                                 where(event))));
                    model.lastKind = kind;
                    ++(kind == 'H' ? highlights : resets);
                }
                // Which of the two it should have been.
                int expected = 0;
                if (model.stems.contains(move) && model.reset) {
                    expected = 1;
                    model.reset = false;
                    model.highlighted = move;
                } else if (move == "imgBackground" && !model.reset) {
                    expected = model.resetReads;
                    model.reset = true;
                    model.highlighted.clear();
                }
                QVERIFY2(reads == expected,
                         qPrintable(QStringLiteral("%1 files read, expected %2; %3")
                                        .arg(reads)
                                        .arg(expected)
                                        .arg(where(event))));
            }

            const int readsBeforeClick = HoverButtons::pictureReads();
            if (target == "click imgSFeatures") {
                remember(target);
                QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
                features.window = f->window.featuresWindow();
                QVERIFY2(features.window && features.window->isVisible(), qPrintable(where(event)));
                if (featuresRebuilt) {
                    features.highlighted.clear(); // fresh controls show their stored pictures
                    ++rebuilds;
                }
                featuresRebuilt = false;
            } else if (target == "click imgClose") {
                remember(target);
                QTest::mouseClick(f->child("imgClose", features.window), Qt::LeftButton);
            }
            QVERIFY2(HoverButtons::pictureReads() == readsBeforeClick, qPrintable(where(event)));
            QVERIFY2(f->window.isVisible() != (features.window && features.window->isVisible()),
                     qPrintable("one window at a time; " + where(event)));

            QString mismatch = hoverMismatch(main, f->window.blnButtonsReset);
            if (mismatch.isEmpty() && features.window)
                mismatch = hoverMismatch(features, f->window.featuresWindow()->blnButtonsReset);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch + "; " + where(event)));
            QVERIFY2(f->window.choiceIndexes() == choices, qPrintable(where(event)));
        }
        QVERIFY(MessageBox::history().isEmpty());
        QVERIFY(f->spooler.calls.isEmpty());
        // The walk did reach every kind of step.
        QVERIFY2(highlights > 1000 && resets > 1000 && rebuilds > 20,
                 qPrintable(QStringLiteral("%1 highlights, %2 resets, %3 rebuilds")
                                .arg(highlights)
                                .arg(resets)
                                .arg(rebuilds)));
    }

    // The keyboard is a random walk over held keys: Shift, Ctrl and Alt go
    // down and up, and letters go down only while Ctrl or Alt is held, so no
    // key types into a list. Event mix, per event: 28 % a modifier key down,
    // 28 % one up, 20 % a letter down, 18 % a held letter up, 2 % an
    // auto-repeat of a held letter, 3 % the focus to another list (as a
    // click there), 1 % a choice in Character Table or Interface, which
    // enables and disables lists (the expected choices follow it). A letter
    // that goes up while Ctrl alone is held runs its command: for A, D, P
    // and X the question is answered Cancel or No so nothing runs; S, which
    // would leave the window, is never released so.
    void keyboardAccelerators()
    {
        const QList<std::pair<int, Qt::KeyboardModifier>> modifierKeys{
            {Qt::Key_Shift, Qt::ShiftModifier},
            {Qt::Key_Control, Qt::ControlModifier},
            {Qt::Key_Alt, Qt::AltModifier}};
        const QMap<int, QString> commands{{Qt::Key_A, printerReadyText},
                                          {Qt::Key_D, printerReadyText},
                                          {Qt::Key_P, printerReadyText},
                                          {Qt::Key_X, exitQuestionText}};
        Qt::KeyboardModifiers held;
        QList<int> heldLetters;
        ChoiceIndexes choices = f->window.choiceIndexes();
        QStringList expectedBoxes;
        int commandsRun = 0, focusMoves = 0;

        const auto send = [&](QEvent::Type type, int key, bool autoRepeat = false) {
            QWidget* target = QApplication::focusWidget();
            QKeyEvent keyEvent(type, key, held, keyText(key, held), autoRepeat);
            QApplication::sendEvent(target ? target : &f->window, &keyEvent);
        };

        // As after a pause in typing: the focused list's type-ahead search
        // starts afresh, so that a letter reaching it would select a choice.
        const auto freshTypeAhead = [] {
            if (auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget()))
                list->view()->keyboardSearch({});
        };

        // An event that cannot happen in the present state is drawn again.
        for (int event = 0; event < eventCount;) {
            QWidget* focusBefore = QApplication::focusWidget();
            const int roll = pick(100);
            if (roll < 28) {
                const auto& [key, modifier] = modifierKeys.at(pick(3));
                if (held & modifier)
                    continue;
                held |= modifier; // a modifier key reports itself as held
                remember("down " + keyName(key, held));
                send(QEvent::KeyPress, key);
            } else if (roll < 56) {
                const auto& [key, modifier] = modifierKeys.at(pick(3));
                if (!(held & modifier))
                    continue;
                held &= ~modifier;
                remember("up " + keyName(key, held));
                send(QEvent::KeyRelease, key);
            } else if (roll < 76) {
                if (!(held & (Qt::ControlModifier | Qt::AltModifier)))
                    continue; // a plain or shifted letter would type into the list
                const int letter = Qt::Key_A + pick(26);
                if (heldLetters.contains(letter))
                    continue;
                heldLetters << letter;
                freshTypeAhead();
                remember("down " + keyName(letter, held));
                send(QEvent::KeyPress, letter);
            } else if (roll < 94) {
                if (heldLetters.isEmpty())
                    continue;
                const int letter = heldLetters.at(pick(int(heldLetters.size())));
                const bool runs = held == Qt::ControlModifier;
                if (runs && letter == Qt::Key_S)
                    continue;
                if (runs && commands.contains(letter)) {
                    const QString& question = commands[letter];
                    MessageBox::queueAnswer(question == exitQuestionText
                                                ? MessageBox::Answer::No
                                                : MessageBox::Answer::Cancel);
                    expectedBoxes << question;
                    ++commandsRun;
                }
                heldLetters.removeOne(letter);
                remember("up " + keyName(letter, held));
                send(QEvent::KeyRelease, letter);
            } else if (roll < 96) {
                if (heldLetters.isEmpty() || !(held & (Qt::ControlModifier | Qt::AltModifier)))
                    continue; // a repeat with neither would type, as it should
                const int letter = heldLetters.at(pick(int(heldLetters.size())));
                remember("repeat " + keyName(letter, held));
                send(QEvent::KeyRelease, letter, true);
                freshTypeAhead();
                send(QEvent::KeyPress, letter, true);
            } else if (roll < 99) {
                const QList<QComboBox*> candidates = lists(true);
                QComboBox* list = candidates.at(pick(int(candidates.size())));
                remember("focus " + list->objectName());
                list->setFocus(Qt::MouseFocusReason);
                focusBefore = list;
            } else {
                const Setting setting = chance(50) ? Setting::CharacterTable : Setting::Interface;
                const int index = pick(f->list(setting)->count());
                remember(QStringLiteral("choose %1 in %2")
                             .arg(index)
                             .arg(f->list(setting)->objectName()));
                f->list(setting)->setCurrentIndex(index);
                choices = f->window.choiceIndexes();
            }

            QWidget* focus = QApplication::focusWidget();
            if (focus != focusBefore)
                ++focusMoves;
            QVERIFY2(focus && lists(true).contains(focus),
                     qPrintable(QStringLiteral("focus on %1; %2")
                                    .arg(focus ? focus->objectName() : "nothing", where(event))));
            QVERIFY2(f->window.choiceIndexes() == choices,
                     qPrintable(changedLists(choices) + " changed; " + where(event)));
            QVERIFY2(f->window.intCtrlKeyState == 0 || f->window.intCtrlKeyState == 2,
                     qPrintable(where(event)));
            const QList<MessageBox::Shown>& shown = MessageBox::history();
            QVERIFY2(shown.size() == expectedBoxes.size() &&
                         (shown.isEmpty() || shown.last().text == expectedBoxes.last()),
                     qPrintable(QStringLiteral("%1 message boxes, expected %2; %3")
                                    .arg(shown.size())
                                    .arg(expectedBoxes.size())
                                    .arg(where(event))));
            ++event;
        }
        QVERIFY(f->spooler.calls.isEmpty());
        QCOMPARE(f->ends, 0);
        QVERIFY(f->window.isVisible());
        // The walk did reach both kinds of outcome.
        QVERIFY2(
            commandsRun > 10 && focusMoves > 100,
            qPrintable(
                QStringLiteral("%1 commands, %2 focus moves").arg(commandsRun).arg(focusMoves)));
    }
};

PCU_GUI_TEST_MAIN(TestStateMachines)
#include "tst_statemachines.moc"
