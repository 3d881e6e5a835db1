// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class PrinterAdmin;
class Spooler;

// tr7400ctl: the printer's permanent settings and its features page from a
// shell, a script or a remote session, with the same bytes, jobs and words
// as the window.

// What tells a script how a command ended.
namespace ExitStatus
{
inline constexpr int sent = 0;         // sent, or listed, encoded, set up, helped
inline constexpr int notConfirmed = 1; // the person asked said no
inline constexpr int usage = 2;
inline constexpr int noPrinter = 3; // the system names no default printer
inline constexpr int notOpened = 4; // the printer could not be opened
inline constexpr int busy = 5;      // jobs wait in its queue; nothing sent
inline constexpr int failed = 6;    // the spooler refused or broke off the job
// Of setup (and printers): nothing was changed.
inline constexpr int noDevice = 7;       // no device looks like a TR 7400
inline constexpr int severalDevices = 8; // more than one does, and none was named
inline constexpr int notAllowed = 9;     // only the spooler's administrators may
} // namespace ExitStatus

// What the tool needs of the world; tests give it their own.
struct CtlEnvironment {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    bool interactive = false; // a person answers questions on a terminal
    std::function<void(int milliseconds)> pause;
    // Made only when a command sends something.
    std::function<std::unique_ptr<Spooler>()> makeSpooler;
    // Made only by the commands that list or set up printers.
    std::function<std::unique_ptr<PrinterAdmin>()> makePrinterAdmin;
};

// Runs one command line (without the program's name); returns the exit
// status.
int runCtl(const std::vector<std::string>& arguments, CtlEnvironment& environment);
