// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "catalogue.h"

// The store of the settings: a selected choice index and an enabled flag per
// list. On the main window the drop-down lists themselves are the store; the
// rules below are written against this interface so that they never keep a
// copy of their own.
class SettingsLists
{
  public:
    virtual ~SettingsLists() = default;

    virtual int selectedIndex(Setting setting) const = 0;
    // Selects the index and runs the list's change handler, as a user's
    // choice would.
    virtual void setSelectedIndex(Setting setting, int index) = 0;
    virtual bool isListEnabled(Setting setting) const = 0;
    virtual void setListEnabled(Setting setting, bool enabled) = 0;

    ChoiceIndexes choiceIndexes() const;
};

// The change handler of a list; only "Character Table" and "Interface" have
// one. Each changes enabled states only, never a selection.
void runChangeHandler(SettingsLists& lists, Setting changed);

// The Indian-language lists are enabled only while the character table is
// "Indian Language".
void applyCharacterTableRule(SettingsLists& lists);
// "Strobe Edge" is disabled while the interface is "USB".
void applyInterfaceRule(SettingsLists& lists);

// Every list back to its default, with the enabled states of the defaults.
void selectDefaults(SettingsLists& lists);

// The plain store used before any window exists, and by tests of the rules.
class SettingsState : public SettingsLists
{
  public:
    // Every list enabled and without a selection (-1), as a freshly built
    // window has them.
    SettingsState();

    int selectedIndex(Setting setting) const override;
    void setSelectedIndex(Setting setting, int index) override;
    bool isListEnabled(Setting setting) const override;
    void setListEnabled(Setting setting, bool enabled) override;

  private:
    ChoiceIndexes m_indexes;
    std::array<bool, settingCount> m_enabled;
};
