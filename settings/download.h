// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "settingsjob.h"

class Spooler;

// The window that started a download puts its controls back through this
// before the busy message is shown.
class DownloadWindow
{
  public:
    virtual ~DownloadWindow() = default;
    // Enable the Apply Settings image, hide the please-wait banner, enable
    // the background, and repaint the three at once.
    virtual void restoreAfterBusyPrinter() = 0;
};

namespace mdlFlagSettings
{

// Sends ESC EM 0x01 and the eleven entries as the document "Permanent
// Settings Configuration" on the default printer, refusing while any job
// waits in its queue. Every outcome is reported to the user here; after a
// sent job the user-interface thread pauses 2.5 seconds.
void fncDownloadFlagSettings(std::int16_t downloadMode, const FlagSettingsBlock& block,
                             Spooler& spooler, DownloadWindow* window);

} // namespace mdlFlagSettings
