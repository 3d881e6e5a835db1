// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "settingsjob.h"

namespace mdlFlagSettings
{

std::string downloadJobBytes(std::int16_t downloadMode, const FlagSettingsBlock& block)
{
    std::string bytes;
    if (downloadMode != downloadModeSend)
        return bytes;
    bytes = "\x1B\x19\x01"; // ESC EM 1
    for (std::int16_t entry : block)
        bytes.push_back(static_cast<char>(static_cast<unsigned char>(entry)));
    return bytes;
}

SpoolResult sendFlagSettings(Spooler& spooler, std::int16_t downloadMode,
                             const FlagSettingsBlock& block, const std::string& printerName)
{
    std::vector<std::string> blocks;
    // Any other mode makes the document with an empty page.
    if (std::string bytes = downloadJobBytes(downloadMode, block); !bytes.empty())
        blocks.push_back(std::move(bytes));
    return runRawSpoolJob(spooler, std::string(settingsDocumentName), blocks, /*checkBusy=*/true,
                          printerName);
}

} // namespace mdlFlagSettings
