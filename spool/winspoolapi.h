// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "spooler.h"

#include <windows.h>
#include <winspool.h>

#include <functional>
#include <memory>

// The winspool calls the Windows spooler is driven through, as one table:
// the system's own functions, or a test's recording stand-ins, which see
// every argument the program passes.
struct WinspoolApi {
    std::function<BOOL(LPSTR buffer, LPDWORD size)> getDefaultPrinter;
    std::function<BOOL(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults)> openPrinter;
    std::function<BOOL(HANDLE printer, DWORD firstJob, DWORD jobCount, DWORD level, LPBYTE jobs,
                       DWORD size, LPDWORD needed, LPDWORD returned)>
        enumJobs;
    std::function<DWORD(HANDLE printer, DWORD level, LPBYTE docInfo)> startDocPrinter;
    std::function<BOOL(HANDLE printer)> startPagePrinter;
    std::function<BOOL(HANDLE printer, LPVOID bytes, DWORD size, LPDWORD written)> writePrinter;
    std::function<BOOL(HANDLE printer)> endPagePrinter;
    std::function<BOOL(HANDLE printer)> endDocPrinter;
    std::function<BOOL(HANDLE printer, DWORD job, DWORD level, LPBYTE info, DWORD command)> setJob;
    std::function<BOOL(HANDLE printer)> closePrinter;
    std::function<DWORD()> getLastError;
};

// The system's winspool.
const WinspoolApi& systemWinspool();

// The spooler over a table of calls; the table must outlive it.
std::unique_ptr<Spooler> createWinspoolSpooler(const WinspoolApi& api);
