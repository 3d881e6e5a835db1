// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The settings catalogue and its enabling rules.

#include "expectedcatalogue.h"
#include "settingslists.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
bool isIndianLanguageList(Setting setting)
{
    return setting == Setting::Language || setting == Setting::LanguageStandard ||
           setting == Setting::SpaceCompensation;
}

SettingsState atDefaults()
{
    SettingsState state;
    selectDefaults(state);
    return state;
}
} // namespace

// Lookups by setting index the catalogue directly.
TEST(Catalogue, IsInSettingOrder)
{
    for (std::size_t i = 0; i < settingCount; ++i)
        EXPECT_EQ(indexOf(settingsCatalogue()[i].setting), i);
}

// Every list's name, label, choices and default, against the table written
// out in the test.
class CatalogueRow : public testing::TestWithParam<std::size_t>
{
};

TEST_P(CatalogueRow, IsAsDocumented)
{
    const ExpectedSetting& expected = expectedSettings[GetParam()];
    const SettingInfo& info = settingsCatalogue()[GetParam()];
    EXPECT_EQ(info.listName, expected.list);
    EXPECT_EQ(info.label, expected.label);
    std::vector<std::string> choices(info.choices.begin(), info.choices.end());
    EXPECT_EQ(choices, std::vector<std::string>(expected.choices.begin(), expected.choices.end()));
    EXPECT_EQ(info.defaultIndex, expected.defaultIndex);
}

INSTANTIATE_TEST_SUITE_P(EveryList, CatalogueRow, testing::Range<std::size_t>(0, settingCount),
                         [](const testing::TestParamInfo<std::size_t>& row) {
                             return std::string(expectedSettings[row.param].list);
                         });

TEST(Catalogue, HasTheDocumentedNumberOfLists)
{
    EXPECT_EQ(settingsCatalogue().size(), expectedSettings.size());
}

TEST(Rules, DefaultsAndTheirEnabledStates)
{
    const SettingsState state = atDefaults();
    for (const SettingInfo& info : settingsCatalogue()) {
        SCOPED_TRACE(std::string(info.listName));
        EXPECT_EQ(state.selectedIndex(info.setting), info.defaultIndex);
        EXPECT_EQ(state.isListEnabled(info.setting), !isIndianLanguageList(info.setting));
    }
}

struct Choosing {
    const char* name;
    int characterTable;
    int interface;
    bool indianEnabled;
    bool strobeEnabled;
};

class ChoosingRow : public testing::TestWithParam<Choosing>
{
};

TEST_P(ChoosingRow, EnablesAndDisables)
{
    const Choosing& row = GetParam();
    SettingsState state = atDefaults();
    state.setSelectedIndex(Setting::CharacterTable, row.characterTable);
    state.setSelectedIndex(Setting::Interface, row.interface);
    EXPECT_EQ(state.isListEnabled(Setting::Language), row.indianEnabled);
    EXPECT_EQ(state.isListEnabled(Setting::LanguageStandard), row.indianEnabled);
    EXPECT_EQ(state.isListEnabled(Setting::SpaceCompensation), row.indianEnabled);
    EXPECT_EQ(state.isListEnabled(Setting::StrobeEdge), row.strobeEnabled);
    // The rules change enabled states only.
    EXPECT_EQ(state.selectedIndex(Setting::StrobeEdge), 1);
    EXPECT_EQ(state.selectedIndex(Setting::Language), 0);
}

INSTANTIATE_TEST_SUITE_P(Rules, ChoosingRow,
                         testing::Values(Choosing{"GraphicsParallel", 0, 0, false, true},
                                         Choosing{"ItalicUsb", 1, 1, false, false},
                                         Choosing{"IndianLanguageAutoshare", 2, 2, true, true},
                                         Choosing{"IndianLanguageUsb", 2, 1, true, false}),
                         [](const testing::TestParamInfo<Choosing>& row) {
                             return std::string(row.param.name);
                         });

TEST(Rules, DisabledListKeepsItsChoice)
{
    SettingsState state = atDefaults();
    state.setSelectedIndex(Setting::StrobeEdge, 0); // Rising
    state.setSelectedIndex(Setting::Interface, interfaceUsb);
    EXPECT_FALSE(state.isListEnabled(Setting::StrobeEdge));
    EXPECT_EQ(state.selectedIndex(Setting::StrobeEdge), 0);
    EXPECT_EQ(state.choiceIndexes()[indexOf(Setting::StrobeEdge)], 0);
}

TEST(Rules, RechoosingTheSameChoiceChangesNoEnabledState)
{
    SettingsState state = atDefaults();
    state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
    state.setSelectedIndex(Setting::Interface, interfaceUsb);
    state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
    state.setSelectedIndex(Setting::Interface, interfaceUsb);
    EXPECT_TRUE(state.isListEnabled(Setting::Language));
    EXPECT_FALSE(state.isListEnabled(Setting::StrobeEdge));
}

// Choosing in any other list re-applies no rule: enabled states put out of
// step with the rules stay so.
TEST(Rules, OtherListsHaveNoChangeHandler)
{
    SettingsState state = atDefaults(); // Graphics and Autoshare
    state.setListEnabled(Setting::Language, true);
    state.setListEnabled(Setting::LanguageStandard, true);
    state.setListEnabled(Setting::SpaceCompensation, true);
    state.setListEnabled(Setting::StrobeEdge, false);
    for (const SettingInfo& info : settingsCatalogue()) {
        if (info.setting == Setting::CharacterTable || info.setting == Setting::Interface)
            continue;
        for (int choice = 0; choice < int(info.choices.size()); ++choice)
            state.setSelectedIndex(info.setting, choice);
    }
    EXPECT_TRUE(state.isListEnabled(Setting::Language));
    EXPECT_TRUE(state.isListEnabled(Setting::LanguageStandard));
    EXPECT_TRUE(state.isListEnabled(Setting::SpaceCompensation));
    EXPECT_FALSE(state.isListEnabled(Setting::StrobeEdge));
}

TEST(Rules, DefaultsAfterUsbAndIndianLanguage)
{
    SettingsState state = atDefaults();
    state.setSelectedIndex(Setting::Interface, interfaceUsb);
    state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
    state.setSelectedIndex(Setting::Language, 5);
    state.setSelectedIndex(Setting::SpaceCompensation, 0);
    selectDefaults(state);
    EXPECT_EQ(state.selectedIndex(Setting::Interface), 2);
    EXPECT_TRUE(state.isListEnabled(Setting::StrobeEdge));
    EXPECT_EQ(state.selectedIndex(Setting::StrobeEdge), 1);
    for (Setting list :
         {Setting::Language, Setting::LanguageStandard, Setting::SpaceCompensation}) {
        EXPECT_FALSE(state.isListEnabled(list));
        EXPECT_EQ(state.selectedIndex(list), settingInfo(list).defaultIndex);
    }
}
