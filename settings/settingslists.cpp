// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "settingslists.h"

namespace
{
constexpr std::array indianLanguageLists{Setting::Language, Setting::LanguageStandard,
                                         Setting::SpaceCompensation};

// The order in which defaults are selected; the change handlers of Interface
// and Character Table run as each is set.
constexpr std::array defaultOrder{
    Setting::HSG,
    Setting::HSD,
    Setting::LQF,
    Setting::PrintDirection,
    Setting::Tearoff,
    Setting::SkipOverPerf,
    Setting::AutoLF,
    Setting::SlashedZero,
    Setting::Interface,
    Setting::InputBufferSize,
    Setting::VacantBufferSize,
    Setting::StrobeEdge,
    Setting::PageLength,
    Setting::CharacterTable,
    Setting::Language,
    Setting::SpaceCompensation,
    Setting::LanguageStandard,
    Setting::LineSpacing,
    Setting::DarkMode,
    Setting::PrintImpact,
    Setting::SleepMode,
};
static_assert(defaultOrder.size() == settingCount);
} // namespace

ChoiceIndexes SettingsLists::choiceIndexes() const
{
    ChoiceIndexes indexes{};
    for (const SettingInfo& info : settingsCatalogue())
        indexes[indexOf(info.setting)] = selectedIndex(info.setting);
    return indexes;
}

void applyCharacterTableRule(SettingsLists& lists)
{
    const bool indian =
        lists.selectedIndex(Setting::CharacterTable) == characterTableIndianLanguage;
    for (Setting list : indianLanguageLists)
        lists.setListEnabled(list, indian);
}

void applyInterfaceRule(SettingsLists& lists)
{
    lists.setListEnabled(Setting::StrobeEdge,
                         lists.selectedIndex(Setting::Interface) != interfaceUsb);
}

void runChangeHandler(SettingsLists& lists, Setting changed)
{
    if (changed == Setting::CharacterTable)
        applyCharacterTableRule(lists);
    else if (changed == Setting::Interface)
        applyInterfaceRule(lists);
}

void selectDefaults(SettingsLists& lists)
{
    for (Setting setting : defaultOrder)
        lists.setSelectedIndex(setting, settingInfo(setting).defaultIndex);
    // Again, whatever the handlers did.
    lists.setListEnabled(Setting::Language, false);
    lists.setListEnabled(Setting::SpaceCompensation, false);
    lists.setListEnabled(Setting::LanguageStandard, false);
}

SettingsState::SettingsState()
{
    m_indexes.fill(-1);
    m_enabled.fill(true);
}

int SettingsState::selectedIndex(Setting setting) const
{
    return m_indexes[indexOf(setting)];
}

void SettingsState::setSelectedIndex(Setting setting, int index)
{
    m_indexes[indexOf(setting)] = index;
    runChangeHandler(*this, setting);
}

bool SettingsState::isListEnabled(Setting setting) const
{
    return m_enabled[indexOf(setting)];
}

void SettingsState::setListEnabled(Setting setting, bool enabled)
{
    m_enabled[indexOf(setting)] = enabled;
}
