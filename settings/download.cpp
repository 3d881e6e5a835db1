#include "download.h"

#include "messagebox.h"
#include "platform.h"
#include "rawspooljob.h"
#include "spoolmessages.h"

#include <exception>

namespace mdlFlagSettings
{
namespace
{
const char settingsCommand[] = {0x1B, 0x19, 0x01}; // ESC EM 1
constexpr int pauseAfterDownloadMs = 2500;

QString failureLine()
{
    return QStringLiteral("Unable to download printer settings.");
}
} // namespace

QByteArray downloadJobBytes(std::int16_t downloadMode, const FlagSettingsBlock& block)
{
    QByteArray bytes;
    if (downloadMode != downloadModeSend)
        return bytes;
    bytes.append(settingsCommand, sizeof settingsCommand);
    for (std::int16_t entry : block)
        bytes.append(static_cast<char>(static_cast<unsigned char>(entry)));
    return bytes;
}

void fncDownloadFlagSettings(std::int16_t downloadMode, const FlagSettingsBlock& block,
                             Spooler& spooler, DownloadWindow* window)
{
    try {
        const QByteArray bytes = downloadJobBytes(downloadMode, block);
        QList<QByteArray> blocks;
        if (!bytes.isEmpty())
            blocks.append(bytes);
        const SpoolResult result =
            runRawSpoolJob(spooler, QStringLiteral("Permanent Settings Configuration"), blocks,
                           /*checkBusy=*/true);
        if (result.outcome == SpoolResult::Outcome::Busy) {
            if (window)
                window->restoreAfterBusyPrinter();
            MessageBox::show(MessageBox::lines({failureLine(), QString(),
                                                QStringLiteral("Printer is busy with processing "
                                                               "print jobs, please try once "
                                                               "printer is free.")}),
                             MessageBox::Icon::Critical, MessageBox::Buttons::Ok, messageTitle());
            return;
        }
        if (reportSpoolResult(result, failureLine()))
            Platform::pause(pauseAfterDownloadMs);
    } catch (const std::exception& error) {
        reportUnexpectedFailure(failureLine(), QString::fromLocal8Bit(error.what()));
    }
}

} // namespace mdlFlagSettings
