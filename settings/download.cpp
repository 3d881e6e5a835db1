// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "download.h"

#include "messagebox.h"
#include "messagetexts.h"
#include "platform.h"
#include "spoolmessages.h"

#include <exception>

namespace mdlFlagSettings
{

void fncDownloadFlagSettings(std::int16_t downloadMode, const FlagSettingsBlock& block,
                             Spooler& spooler, DownloadWindow* window)
{
    const QString failureLine = fromText(MessageTexts::downloadFailed);
    try {
        const SpoolResult result = sendFlagSettings(spooler, downloadMode, block);
        if (result.outcome == SpoolResult::Outcome::Busy) {
            if (window)
                window->restoreAfterBusyPrinter();
            MessageBox::show(
                MessageBox::lines({failureLine, QString(), fromText(MessageTexts::printerBusy)}),
                MessageBox::Icon::Critical, MessageBox::Buttons::Ok, messageTitle());
            return;
        }
        if (reportSpoolResult(result, failureLine))
            Platform::pause(pauseAfterDownloadMs);
    } catch (const std::exception& error) {
        reportUnexpectedFailure(failureLine, QString::fromLocal8Bit(error.what()));
    }
}

} // namespace mdlFlagSettings
