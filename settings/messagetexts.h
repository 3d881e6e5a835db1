// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <array>
#include <string_view>

// The program's own words for what its jobs meet, shared by the windows'
// message boxes and the command-line tool. Lines of one message are joined
// by CR LF in a box, by new lines on a terminal.
namespace MessageTexts
{

// The title of every message box but the no-driver message.
inline constexpr std::string_view title = "Printer Configuration Utility";

// Asked before any job is sent.
inline constexpr std::array<std::string_view, 6> printerReady{
    "Please check whether the printer is :",
    "* Switched ON",
    "* In online mode",
    "* In Parallel or Autoshare interface",
    "",
    "To continue press OK else press Cancel to quit.",
};

// The system names no default printer.
inline constexpr std::array<std::string_view, 2> noDriver{"No printer drivers are installed.",
                                                          "Download Failed!!"};
// The printer cannot be opened.
inline constexpr std::array<std::string_view, 2> openFailure{"OpenPrinter Failed!!!",
                                                             "Unable to access printer"};

// The first line of a failed job, followed by the reason.
inline constexpr std::string_view downloadFailed = "Unable to download printer settings.";
inline constexpr std::string_view featuresFailed = "Unable to print the features page.";
// Why a download was refused.
inline constexpr std::string_view printerBusy =
    "Printer is busy with processing print jobs, please try once printer is free.";

} // namespace MessageTexts
