// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The main window's keyboard accelerators: Alt plus an underlined letter of
// the labels focuses a list, Ctrl plus an underlined letter of the buttons
// runs a command exactly as a left click does.
#include "dropdownlist.h"
#include "frmconfigutility.h"
#include "imagecontrol.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <optional>

namespace
{
constexpr int ctrlAlone = 2;
constexpr int altAlone = 4;

enum class Condition { None, Enabled, CanTakeFocus };

struct AltLetter {
    char letter;
    std::optional<Setting> list; // B and Y name no list of this window
    Condition condition;
};

// In the order they are tested; each letter matches one entry at most.
constexpr std::array<AltLetter, 23> altLetters{{
    {'H', Setting::HSG, Condition::None},
    {'F', Setting::HSD, Condition::None},
    {'Q', Setting::LQF, Condition::None},
    {'T', Setting::Tearoff, Condition::None},
    {'L', Setting::PageLength, Condition::None},
    {'I', Setting::Interface, Condition::None},
    {'B', std::nullopt, Condition::Enabled},
    {'Y', std::nullopt, Condition::Enabled},
    {'E', Setting::StrobeEdge, Condition::CanTakeFocus},
    {'C', Setting::CharacterTable, Condition::None},
    {'U', Setting::Language, Condition::Enabled},
    {'D', Setting::LanguageStandard, Condition::Enabled},
    {'O', Setting::SpaceCompensation, Condition::Enabled},
    {'N', Setting::InputBufferSize, Condition::None},
    {'K', Setting::SkipOverPerf, Condition::None},
    {'P', Setting::PrintDirection, Condition::None},
    {'Z', Setting::SlashedZero, Condition::None},
    {'G', Setting::LineSpacing, Condition::None},
    {'A', Setting::AutoLF, Condition::None},
    {'V', Setting::VacantBufferSize, Condition::CanTakeFocus},
    {'M', Setting::PrintImpact, Condition::None},
    {'R', Setting::DarkMode, Condition::None},
    {'S', Setting::SleepMode, Condition::None},
}};

// Tab moves the focus; it never reaches the window as a character.
bool isCharacter(const QKeyEvent* event)
{
    return !event->text().isEmpty() && event->key() != Qt::Key_Tab &&
           event->key() != Qt::Key_Backtab;
}
} // namespace

void frmConfigUtility::Form_KeyDown(int, int shift)
{
    if (shift == ctrlAlone)
        intCtrlKeyState = 2;
}

void frmConfigUtility::Form_KeyPress(int& keyAscii)
{
    // The character Ctrl produced (or the first one after Ctrl alone) is
    // swallowed, so that the list does not search for it.
    if (intCtrlKeyState == 2) {
        intCtrlKeyState = 0;
        keyAscii = 0;
    }
}

QComboBox* frmConfigUtility::altLetterTarget(int keyCode) const
{
    for (const AltLetter& entry : altLetters) {
        if (entry.letter != keyCode)
            continue;
        if (!entry.list)
            return nullptr;
        QComboBox* target = list(*entry.list);
        const bool allowed = entry.condition == Condition::None ||
                             (entry.condition == Condition::Enabled && target->isEnabled()) ||
                             (entry.condition == Condition::CanTakeFocus && target->isEnabled() &&
                              target->isVisible());
        return allowed ? target : nullptr;
    }
    return nullptr;
}

frmConfigUtility::Handler frmConfigUtility::ctrlLetterCommand(int keyCode)
{
    for (const CommandButton& button : commandButtons) {
        if (button.letter == keyCode)
            return button.command;
    }
    return nullptr;
}

bool frmConfigUtility::acceleratorActs(int keyCode, int shift) const
{
    if (shift == altAlone)
        return altLetterTarget(keyCode) != nullptr;
    return shift == ctrlAlone && ctrlLetterCommand(keyCode) != nullptr;
}

void frmConfigUtility::Form_KeyUp(int keyCode, int shift)
{
    if (shift == altAlone) {
        if (QComboBox* target = altLetterTarget(keyCode))
            target->setFocus(Qt::ShortcutFocusReason);
    } else if (shift == ctrlAlone) {
        // Show Features' release goes no further, as no release does: the
        // key preview consumes every one.
        if (const Handler command = ctrlLetterCommand(keyCode))
            (this->*command)(1, 0, 0, 0);
    }
}

bool frmConfigUtility::previewKeyPress(QKeyEvent* event)
{
    Form_KeyDown(event->key(), modifierMask(event->modifiers()));
    if (!isCharacter(event))
        return false;
    // A key with Alt (and no Ctrl) is an accelerator, not typing: its
    // character must not reach the focused list, which would select a choice
    // starting with it. As nothing was typed, the Ctrl state stays.
    if ((event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier)
        return true;
    int keyAscii = event->text().at(0).unicode();
    Form_KeyPress(keyAscii);
    return keyAscii == 0;
}

void frmConfigUtility::previewKeyRelease(QKeyEvent* event)
{
    // A held key repeats its press, not its release: the command runs once.
    if (event->isAutoRepeat())
        return;
    Form_KeyUp(event->key(), modifierMask(event->modifiers()));
}

bool frmConfigUtility::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // An accelerator pressed while a list's choices are open closes them
        // first, and then acts as it does on the closed list. A letter that
        // does nothing leaves them open.
        if (DropDownList* list = DropDownList::owning(watched);
            list && acceleratorActs(key->key(), modifierMask(key->modifiers())))
            list->hidePopup();
        return previewKeyPress(key);
    }
    // A list, open or closed, has no use for key releases: every one is
    // consumed here, so none reaches the window a second time.
    if (event->type() == QEvent::KeyRelease) {
        previewKeyRelease(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys the lists pass on come here too; only those sent to the window
// itself, while no list has the focus, are the window's own.
void frmConfigUtility::keyPressEvent(QKeyEvent* event)
{
    if (QApplication::focusWidget() == nullptr || QApplication::focusWidget() == this)
        previewKeyPress(event);
    QWidget::keyPressEvent(event);
}

void frmConfigUtility::keyReleaseEvent(QKeyEvent* event)
{
    if (QApplication::focusWidget() == nullptr || QApplication::focusWidget() == this)
        previewKeyRelease(event);
    QWidget::keyReleaseEvent(event);
}
