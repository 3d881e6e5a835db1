// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

// The printer's permanent settings: one drop-down list each, in the order of
// the window's left column, then its right column, then the hidden list.
enum class Setting {
    HSG,
    HSD,
    LQF,
    Tearoff,
    PageLength,
    Interface,
    StrobeEdge,
    CharacterTable,
    Language,
    LanguageStandard,
    SpaceCompensation,
    InputBufferSize,
    SkipOverPerf,
    PrintDirection,
    SlashedZero,
    LineSpacing,
    AutoLF,
    DarkMode,
    PrintImpact,
    SleepMode,
    VacantBufferSize,
};

inline constexpr std::size_t settingCount = 21;

struct SettingInfo {
    Setting setting;
    std::string_view listName; // the list's objectName on the main window
    std::string_view label;    // empty for the hidden list
    std::vector<std::string_view> choices;
    int defaultIndex;
};

// The catalogue, indexed by Setting.
const std::array<SettingInfo, settingCount>& settingsCatalogue();
const SettingInfo& settingInfo(Setting setting);

inline constexpr std::size_t indexOf(Setting setting)
{
    return static_cast<std::size_t>(setting);
}

// The selected choice index of every list, indexed by Setting.
using ChoiceIndexes = std::array<int, settingCount>;

// The vacant buffer size stays at its default: its list is never shown, so
// no user can change it, and nothing may send any other choice for it.
inline constexpr bool isFixedSetting(Setting setting)
{
    return setting == Setting::VacantBufferSize;
}

// Choice indexes used by the enabling rules.
inline constexpr int interfaceUsb = 1;
inline constexpr int characterTableIndianLanguage = 2;
