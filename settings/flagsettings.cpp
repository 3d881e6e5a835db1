// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "flagsettings.h"

#include "settingslists.h"

namespace
{
// Page length in 1/360 inch per choice. Fixed data, not derived from the
// texts: "3.67 Inch" is 1320 and "11.66 Inch" is 4197.
constexpr std::array<int, 12> pageLengths{1080, 1320, 1440, 1980, 2160, 2520,
                                          2880, 3060, 3960, 4197, 4320, 5040};
// The printer's language codes; 5 and 6 are not used.
constexpr std::array<int, 8> languageCodes{1, 2, 3, 4, 7, 8, 9, 10};
constexpr std::array<int, 3> interfaceValues{1, 3, 0}; // Parallel, USB, Autoshare

// Contribution of a two-choice setting whose bit is set by one choice.
int bitFor(int index, int choice, int bit)
{
    return index == choice ? bit : 0;
}

// A choice packed as a bit field: its index, when it is one of the choices.
int field(int index, int choiceCount)
{
    return index >= 0 && index < choiceCount ? index : 0;
}

template <std::size_t N> int lookup(const std::array<int, N>& table, int index)
{
    return index >= 0 && index < static_cast<int>(N) ? table[static_cast<std::size_t>(index)] : 0;
}
} // namespace

FlagSettingsBlock encodeFlagSettings(const ChoiceIndexes& indexes)
{
    auto at = [&indexes](Setting setting) { return indexes[indexOf(setting)]; };
    std::array<int, 11> entry{};

    entry[0] = bitFor(at(Setting::PrintDirection), 0, 1) + bitFor(at(Setting::SlashedZero), 1, 2) +
               bitFor(at(Setting::SkipOverPerf), 0, 4) + bitFor(at(Setting::HSD), 0, 8) +
               16 * field(at(Setting::LineSpacing), 4) + 64 * field(at(Setting::Tearoff), 4);

    const int characterTable = at(Setting::CharacterTable);
    entry[1] = bitFor(at(Setting::StrobeEdge), 0, 1) + bitFor(characterTable, 0, 2) +
               bitFor(at(Setting::AutoLF), 0, 4) + bitFor(characterTable, 2, 8) +
               bitFor(at(Setting::SpaceCompensation), 0, 16) +
               32 * field(at(Setting::LanguageStandard), 3);

    entry[2] = 4 * field(at(Setting::VacantBufferSize), 3);
    entry[3] = 0;

    // The interface value is set first; the font is added on top of it.
    entry[4] = lookup(interfaceValues, at(Setting::Interface));
    entry[4] += 16 * field(at(Setting::LQF), 9);

    const int pageLength = lookup(pageLengths, at(Setting::PageLength));
    entry[5] = pageLength / 256;
    entry[6] = pageLength % 256;

    entry[7] = lookup(languageCodes, at(Setting::Language));
    entry[8] = at(Setting::InputBufferSize) == 0 ? 0 : 1;
    entry[9] = bitFor(at(Setting::DarkMode), 0, 1) + bitFor(at(Setting::PrintImpact), 1, 2) +
               bitFor(at(Setting::HSG), 0, 8);
    entry[10] = field(at(Setting::SleepMode), 3);

    FlagSettingsBlock block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::int16_t>(entry[i]);
    return block;
}

namespace mdlFlagSettings
{

FlagSettingsBlock fncGetFlagSettings(const SettingsLists& lists)
{
    return encodeFlagSettings(lists.choiceIndexes());
}

} // namespace mdlFlagSettings
