// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "catalogue.h"

namespace
{
// clang-format off
const std::array<SettingInfo, settingCount> catalogue{{
    {Setting::HSG, "cmbHSG", "High Speed Graphics", {"Enabled", "Disabled"}, 1},
    {Setting::HSD, "cmbHSD", "High Speed Draft", {"Enabled", "Disabled"}, 1},
    {Setting::LQF, "cmbLQF", "LQ Font Type",
     {"Roman", "Sans Serief", "Courier", "Prestige", "Script", "OCR-B", "OCR-A", "Orator", "Orator-S"}, 0},
    {Setting::Tearoff, "cmbTearoff", "Tear Off",
     {"Short Auto", "Short Manual", "True Auto", "True Manual"}, 0},
    {Setting::PageLength, "cmbPageLength", "Page Length",
     {"3 Inch", "3.67 Inch", "4 Inch", "5.5 Inch", "6 Inch", "7 Inch", "8 Inch", "8.5 Inch",
      "11 Inch", "11.66 Inch", "12 Inch", "14 Inch"}, 10},
    {Setting::Interface, "cmbInterface", "Interface", {"Parallel", "USB", "Autoshare"}, 2},
    {Setting::StrobeEdge, "cmbStrobeEdge", "Strobe Edge", {"Rising", "Falling"}, 1},
    {Setting::CharacterTable, "cmbCharacterTable", "Character Table",
     {"Graphics", "Italic", "Indian Language"}, 0},
    {Setting::Language, "cmbLanguage", "Language",
     {"Hindi", "Bengali", "Tamil", "Telugu", "Kannada", "Malayalam", "Gujarathi", "Punjabi"}, 0},
    {Setting::LanguageStandard, "cmbLanguageStandard", "Language Standard",
     {"8 bit-ISCII", "PC-ISCII", "EA-ISCII"}, 0},
    {Setting::SpaceCompensation, "cmbSpaceCompensation", "Space Compensation",
     {"Enabled", "Disabled"}, 1},
    {Setting::InputBufferSize, "cmbInputBufferSize", "Input Buffer Size",
     {"32K bytes", "64K bytes"}, 1},
    {Setting::SkipOverPerf, "cmbSkipOverPerf", "SkipOverPerf", {"1 Inch", "OFF"}, 1},
    {Setting::PrintDirection, "cmbPrintDirection", "Print Direction", {"UNI-DI", "BI-DI"}, 1},
    {Setting::SlashedZero, "cmbSlashedZero", "Slashed Zero", {"Slashed", "Normal"}, 0},
    {Setting::LineSpacing, "cmbLineSpacing", "Line Spacing", {"5 LPI", "6 LPI", "7 LPI", "8 LPI"}, 1},
    {Setting::AutoLF, "cmbAutoLF", "Auto LineFeed", {"Enabled", "Disabled"}, 1},
    {Setting::DarkMode, "cmbDarkMode", "Dark Mode", {"Enabled", "Disabled"}, 1},
    {Setting::PrintImpact, "cmbPrintImpact", "Print Impact", {"Normal", "Light"}, 0},
    {Setting::SleepMode, "cmbSleepMode", "Sleep Mode", {"2 Minutes", "5 Minutes", "10 Minutes"}, 0},
    {Setting::VacantBufferSize, "cmbVacantBufferSize", "",
     {"256 Bytes", "512 Bytes", "1024 Bytes"}, 0},
}};
// clang-format on
} // namespace

const std::array<SettingInfo, settingCount>& settingsCatalogue()
{
    return catalogue;
}

const SettingInfo& settingInfo(Setting setting)
{
    return catalogue[indexOf(setting)];
}
