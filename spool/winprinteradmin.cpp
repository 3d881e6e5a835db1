// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// On Windows the printer is installed with its driver through the system's
// own settings, and the programs use whatever printer is the default there:
// nothing is administered from here.

#include "printeradmin.h"

namespace
{

class WindowsPrinterAdmin final : public PrinterAdmin
{
  public:
    AdminResult overview(PrinterOverview&) override { return unsupported(); }
    AdminResult devices(std::vector<PrinterDevice>&) override { return unsupported(); }
    AdminResult addRawQueue(const std::string&, const std::string&) override
    {
        return unsupported();
    }
    AdminResult enableQueue(const std::string&) override { return unsupported(); }
    AdminResult setSystemDefault(const std::string&) override { return unsupported(); }
    AdminResult setUserDefault(const std::string&) override { return unsupported(); }
    std::string administratorGroups() override { return "Administrators"; }

  private:
    static AdminResult unsupported()
    {
        return {AdminResult::Status::Unsupported,
                "On Windows, install the printer with its driver in Settings, Printers & "
                "scanners, and make it the default printer there."};
    }
};

} // namespace

std::unique_ptr<PrinterAdmin> createPlatformPrinterAdmin()
{
    return std::make_unique<WindowsPrinterAdmin>();
}
