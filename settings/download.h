#pragma once

#include "flagsettings.h"

#include <cstdint>

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

// The download mode that sends the block; every caller passes it.
inline constexpr std::int16_t downloadModeSend = 2;

// Sends ESC EM 0x01 and the eleven entries as the document "Permanent
// Settings Configuration" on the default printer, refusing while any job
// waits in its queue. Every outcome is reported to the user here; after a
// sent job the user-interface thread pauses 2.5 seconds.
void fncDownloadFlagSettings(std::int16_t downloadMode, const FlagSettingsBlock& block,
                             Spooler& spooler, DownloadWindow* window);

// The bytes of the job for a download mode: the settings command and the
// block for mode 2, nothing (an empty page) for any other.
QByteArray downloadJobBytes(std::int16_t downloadMode, const FlagSettingsBlock& block);

} // namespace mdlFlagSettings
