// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "winspoolapi.h"

const WinspoolApi& systemWinspool()
{
    static const WinspoolApi api{
        GetDefaultPrinterA, OpenPrinterA,   EnumJobsA,     StartDocPrinterA, StartPagePrinter,
        WritePrinter,       EndPagePrinter, EndDocPrinter, SetJobA,          ClosePrinter,
        GetLastError,
    };
    return api;
}

std::unique_ptr<Spooler> createPlatformSpooler()
{
    return createWinspoolSpooler(systemWinspool());
}
