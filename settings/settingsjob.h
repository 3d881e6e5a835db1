// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "flagsettings.h"
#include "rawspooljob.h"

#include <cstdint>
#include <string>
#include <string_view>

// The job that stores the settings in the printer: the settings command
// ESC EM 0x01 and the eleven entries of the block, one byte each, as one
// document on the printer, refused while any job waits in its queue.
namespace mdlFlagSettings
{

// The download mode that sends the block; every caller passes it.
inline constexpr std::int16_t downloadModeSend = 2;
inline constexpr std::string_view settingsDocumentName = "Permanent Settings Configuration";
// How long the printer is given to store the settings after a sent job.
inline constexpr int pauseAfterDownloadMs = 2500;

// The bytes of the job for a download mode: the settings command and the
// block for mode 2, nothing (an empty page) for any other.
std::string downloadJobBytes(std::int16_t downloadMode, const FlagSettingsBlock& block);

// Sends the job to the printer named, or to the default printer. The caller
// tells the user how it ended, and pauses after a sent job.
SpoolResult sendFlagSettings(Spooler& spooler, std::int16_t downloadMode,
                             const FlagSettingsBlock& block, const std::string& printerName = {});

} // namespace mdlFlagSettings
