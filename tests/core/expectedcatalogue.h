// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <vector>

// The twenty-one settings as the printer's documentation lists them, written
// out here on their own so that a slip in the program's catalogue (two
// choices swapped, a default moved, a typo mended) shows as a difference.
// In the window's order: the left column, the right column, the hidden list.
struct ExpectedSetting {
    const char* list;
    const char* label; // empty for the hidden list
    std::vector<const char*> choices;
    int defaultIndex;
};

// clang-format off
inline const std::vector<ExpectedSetting> expectedSettings{
    {"cmbHSG", "High Speed Graphics", {"Enabled", "Disabled"}, 1},
    {"cmbHSD", "High Speed Draft", {"Enabled", "Disabled"}, 1},
    {"cmbLQF", "LQ Font Type", {"Roman", "Sans Serief", "Courier", "Prestige", "Script", "OCR-B",
                                "OCR-A", "Orator", "Orator-S"}, 0},
    {"cmbTearoff", "Tear Off", {"Short Auto", "Short Manual", "True Auto", "True Manual"}, 0},
    {"cmbPageLength", "Page Length", {"3 Inch", "3.67 Inch", "4 Inch", "5.5 Inch", "6 Inch",
                                      "7 Inch", "8 Inch", "8.5 Inch", "11 Inch", "11.66 Inch",
                                      "12 Inch", "14 Inch"}, 10},
    {"cmbInterface", "Interface", {"Parallel", "USB", "Autoshare"}, 2},
    {"cmbStrobeEdge", "Strobe Edge", {"Rising", "Falling"}, 1},
    {"cmbCharacterTable", "Character Table", {"Graphics", "Italic", "Indian Language"}, 0},
    {"cmbLanguage", "Language", {"Hindi", "Bengali", "Tamil", "Telugu", "Kannada", "Malayalam",
                                 "Gujarathi", "Punjabi"}, 0},
    {"cmbLanguageStandard", "Language Standard", {"8 bit-ISCII", "PC-ISCII", "EA-ISCII"}, 0},
    {"cmbSpaceCompensation", "Space Compensation", {"Enabled", "Disabled"}, 1},
    {"cmbInputBufferSize", "Input Buffer Size", {"32K bytes", "64K bytes"}, 1},
    {"cmbSkipOverPerf", "SkipOverPerf", {"1 Inch", "OFF"}, 1},
    {"cmbPrintDirection", "Print Direction", {"UNI-DI", "BI-DI"}, 1},
    {"cmbSlashedZero", "Slashed Zero", {"Slashed", "Normal"}, 0},
    {"cmbLineSpacing", "Line Spacing", {"5 LPI", "6 LPI", "7 LPI", "8 LPI"}, 1},
    {"cmbAutoLF", "Auto LineFeed", {"Enabled", "Disabled"}, 1},
    {"cmbDarkMode", "Dark Mode", {"Enabled", "Disabled"}, 1},
    {"cmbPrintImpact", "Print Impact", {"Normal", "Light"}, 0},
    {"cmbSleepMode", "Sleep Mode", {"2 Minutes", "5 Minutes", "10 Minutes"}, 0},
    {"cmbVacantBufferSize", "", {"256 Bytes", "512 Bytes", "1024 Bytes"}, 0},
};
// clang-format on
