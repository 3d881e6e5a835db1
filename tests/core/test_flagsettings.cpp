// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The flag settings block and the bytes of the job that stores it.

#include "flagsettings.h"
#include "hex.h"
#include "settingsjob.h"
#include "settingslists.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{
// What each choice contributes to one entry, written out from the printer's
// command reference independently of the encoder.
struct Contribution {
    Setting setting;
    std::size_t entry;
    std::vector<int> byChoice;
};

// clang-format off
const std::vector<Contribution> expectedContributions{
    {Setting::PrintDirection, 0, {1, 0}},
    {Setting::SlashedZero, 0, {0, 2}},
    {Setting::SkipOverPerf, 0, {4, 0}},
    {Setting::HSD, 0, {8, 0}},
    {Setting::LineSpacing, 0, {0, 16, 32, 48}},
    {Setting::Tearoff, 0, {0, 64, 128, 192}},
    {Setting::StrobeEdge, 1, {1, 0}},
    {Setting::CharacterTable, 1, {2, 0, 8}},
    {Setting::AutoLF, 1, {4, 0}},
    {Setting::SpaceCompensation, 1, {16, 0}},
    {Setting::LanguageStandard, 1, {0, 32, 64}},
    {Setting::VacantBufferSize, 2, {0, 4, 8}},
    {Setting::Interface, 4, {1, 3, 0}},
    {Setting::LQF, 4, {0, 16, 32, 48, 64, 80, 96, 112, 128}},
    {Setting::PageLength, 5, {4, 5, 5, 7, 8, 9, 11, 11, 15, 16, 16, 19}},
    {Setting::PageLength, 6, {56, 40, 160, 188, 112, 216, 64, 244, 120, 101, 224, 176}},
    {Setting::Language, 7, {1, 2, 3, 4, 7, 8, 9, 10}},
    {Setting::InputBufferSize, 8, {0, 1}},
    {Setting::DarkMode, 9, {1, 0}},
    {Setting::PrintImpact, 9, {0, 2}},
    {Setting::HSG, 9, {8, 0}},
    {Setting::SleepMode, 10, {0, 1, 2}},
};
// clang-format on

std::vector<int> expectedBlock(const ChoiceIndexes& indexes)
{
    std::vector<int> block(11, 0);
    for (const Contribution& row : expectedContributions)
        block[row.entry] += row.byChoice.at(std::size_t(indexes[indexOf(row.setting)]));
    return block;
}

std::vector<int> toVector(const FlagSettingsBlock& block)
{
    return std::vector<int>(block.begin(), block.end());
}

ChoiceIndexes defaultIndexes()
{
    ChoiceIndexes indexes{};
    for (const SettingInfo& info : settingsCatalogue())
        indexes[indexOf(info.setting)] = info.defaultIndex;
    return indexes;
}

ChoiceIndexes allAt(bool last)
{
    ChoiceIndexes indexes{};
    for (const SettingInfo& info : settingsCatalogue())
        indexes[indexOf(info.setting)] = last ? int(info.choices.size()) - 1 : 0;
    return indexes;
}

ChoiceIndexes randomIndexes(std::mt19937& random)
{
    ChoiceIndexes indexes{};
    for (const SettingInfo& info : settingsCatalogue())
        indexes[indexOf(info.setting)] =
            std::uniform_int_distribution<int>(0, int(info.choices.size()) - 1)(random);
    return indexes;
}

} // namespace

struct WorkedExample {
    const char* name;
    ChoiceIndexes indexes;
    std::vector<int> block;
};

class WorkedExampleRow : public testing::TestWithParam<WorkedExample>
{
};

TEST_P(WorkedExampleRow, Encodes)
{
    EXPECT_EQ(toVector(encodeFlagSettings(GetParam().indexes)), GetParam().block);
}

INSTANTIATE_TEST_SUITE_P(
    FlagSettings, WorkedExampleRow,
    testing::Values(
        WorkedExample{"Defaults", defaultIndexes(), {16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0}},
        WorkedExample{"EveryListAtIndex0", allAt(false), {13, 23, 0, 0, 1, 4, 56, 1, 0, 9, 0}},
        WorkedExample{
            "EveryListAtItsLastIndex", allAt(true), {242, 72, 8, 0, 128, 19, 176, 10, 1, 2, 2}}),
    [](const testing::TestParamInfo<WorkedExample>& row) { return std::string(row.param.name); });

// Every choice of every setting, the others at their defaults.
TEST(FlagSettings, EveryChoiceOfEverySetting)
{
    int checked = 0;
    for (const SettingInfo& info : settingsCatalogue()) {
        for (int choice = 0; choice < int(info.choices.size()); ++choice) {
            ChoiceIndexes indexes = defaultIndexes();
            indexes[indexOf(info.setting)] = choice;
            EXPECT_EQ(toVector(encodeFlagSettings(indexes)), expectedBlock(indexes))
                << info.listName << " at choice " << choice;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 74); // the choices of all twenty-one lists
}

// Random combinations with a fixed seed: the entries are independent.
TEST(FlagSettings, RandomCombinations)
{
    std::mt19937 random(7400);
    for (int round = 0; round < 5000; ++round) {
        const ChoiceIndexes indexes = randomIndexes(random);
        const FlagSettingsBlock block = encodeFlagSettings(indexes);
        ASSERT_EQ(toVector(block), expectedBlock(indexes)) << "round " << round;
        EXPECT_EQ(block[3], 0);
        for (std::int16_t entry : block)
            EXPECT_TRUE(entry >= 0 && entry <= 255);
    }
}

// Settings that share an entry occupy different bits, so adding their
// contributions is the same as or-ing them. Measured on the encoder: the bits
// of an entry that one setting's choice changes, over random choices of all
// the others.
TEST(FlagSettings, SharedEntriesUseDisjointBits)
{
    std::mt19937 random(7400);
    std::array<std::array<int, 11>, settingCount> bits{}; // [setting][entry]
    for (int round = 0; round < 500; ++round) {
        const ChoiceIndexes indexes = randomIndexes(random);
        for (const SettingInfo& info : settingsCatalogue()) {
            ChoiceIndexes first = indexes;
            first[indexOf(info.setting)] = 0;
            const FlagSettingsBlock base = encodeFlagSettings(first);
            for (int choice = 1; choice < int(info.choices.size()); ++choice) {
                ChoiceIndexes other = indexes;
                other[indexOf(info.setting)] = choice;
                const FlagSettingsBlock block = encodeFlagSettings(other);
                for (std::size_t entry = 0; entry < block.size(); ++entry)
                    bits[indexOf(info.setting)][entry] |= block[entry] ^ base[entry];
            }
        }
    }
    int shared = 0;
    for (std::size_t entry = 0; entry < 11; ++entry) {
        for (std::size_t a = 0; a < settingCount; ++a) {
            for (std::size_t b = a + 1; b < settingCount; ++b) {
                if (bits[a][entry] == 0 || bits[b][entry] == 0)
                    continue;
                ++shared;
                EXPECT_EQ(bits[a][entry] & bits[b][entry], 0)
                    << settingsCatalogue()[a].listName << " and " << settingsCatalogue()[b].listName
                    << " overlap in entry " << entry;
            }
        }
    }
    // Entries 0, 1, 4 and 9 are shared: 15 + 10 + 1 + 3 pairs of settings.
    EXPECT_EQ(shared, 29);
}

TEST(FlagSettings, ReadsDisabledListsFromTheStore)
{
    SettingsState state;
    selectDefaults(state);
    state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
    state.setSelectedIndex(Setting::SpaceCompensation, 0);
    state.setSelectedIndex(Setting::CharacterTable, 1); // Italic
    EXPECT_FALSE(state.isListEnabled(Setting::SpaceCompensation));
    EXPECT_EQ(mdlFlagSettings::fncGetFlagSettings(state)[1], 16);
}

TEST(SettingsJob, IsTheCommandAndTheBlockInFourteenBytes)
{
    const FlagSettingsBlock defaults{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};
    EXPECT_EQ(hex(mdlFlagSettings::downloadJobBytes(2, defaults)),
              "1b 19 01 10 02 00 00 00 10 e0 01 01 00 00");
}

TEST(SettingsJob, HighEntriesAreSingleBytes)
{
    const FlagSettingsBlock block{192, 255, 8, 0, 131, 16, 224, 10, 1, 11, 2};
    EXPECT_EQ(hex(mdlFlagSettings::downloadJobBytes(2, block)),
              "1b 19 01 c0 ff 08 00 83 10 e0 0a 01 0b 02");
}

TEST(SettingsJob, OtherModesWriteNothing)
{
    const FlagSettingsBlock defaults{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};
    for (std::int16_t mode : {std::int16_t(0), std::int16_t(1), std::int16_t(3), std::int16_t(-2)})
        EXPECT_EQ(mdlFlagSettings::downloadJobBytes(mode, defaults), "") << "mode " << mode;
}
