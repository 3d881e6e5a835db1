// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "spooler.h"

#include <string>
#include <vector>

// How a raw spool job ended.
struct SpoolResult {
    enum class Outcome {
        Sent,      // the document was handed to the spooler whole
        NoPrinter, // the system has no default printer; nothing opened
        NotOpened, // the printer could not be opened; nothing sent
        Busy,      // jobs wait in the queue; printer closed, nothing sent
        Failed,    // a step after the open failed; the job was cancelled
    };
    Outcome outcome = Outcome::Failed;
    std::string reason; // the spooler's words, for NotOpened and Failed
};

// One document with one page on a printer: each block is written whole, in
// order, with its explicit length (blocks may hold NUL bytes). The printer is
// the one named, or the default printer when the name is empty. With
// checkBusy the job is refused while any job waits in the queue. The printer
// is closed on every path; once the document has ended, a failing close still
// leaves the job sent.
SpoolResult runRawSpoolJob(Spooler& spooler, const std::string& documentName,
                           const std::vector<std::string>& blocks, bool checkBusy,
                           const std::string& printerName = {});
