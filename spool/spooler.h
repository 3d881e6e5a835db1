// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <memory>
#include <string>

// The operating system's print spooler, as far as raw jobs need it. The
// platform implementation is chosen by the build (CUPS on Linux, winspool on
// Windows); tests of the logic above may record calls instead. Nothing here
// shows a dialog: every operation reports its result and, on failure, the
// spooler's reason. Names and reasons are UTF-8; job bytes are byte strings
// whose length, not a terminator, says where they end.

struct DefaultPrinter {
    enum class Status {
        Found,              // name holds the default destination
        NoPrinter,          // the spooler answers, but names no default printer
        SpoolerUnreachable, // the spooler could not be reached at all
    };
    Status status = Status::NoPrinter;
    std::string name;
    std::string reason; // why, when not Found
};

// One opened printer. It lives for one job; destroying it closes it.
class SpoolPrinter
{
  public:
    virtual ~SpoolPrinter() = default;

    // Jobs waiting in this printer's queue, of every user. A failed
    // enumeration answers 0.
    virtual int activeJobCount() = 0;

    virtual bool startDocument(const std::string& documentName) = 0;
    virtual bool startPage() = 0;
    // True only when every byte was taken.
    virtual bool write(const std::string& bytes) = 0;
    virtual bool endPage() = 0;
    virtual bool endDocument() = 0;
    // Drops a started document that cannot be finished, so that no half-made
    // job stays in the queue.
    virtual void cancelDocument() = 0;
    virtual bool close() = 0;

    // The spooler's own words for the last failure.
    virtual std::string lastError() const = 0;
};

class Spooler
{
  public:
    virtual ~Spooler() = default;

    virtual DefaultPrinter defaultPrinter() = 0;
    // Null when the printer cannot be opened; reason then says why.
    virtual std::unique_ptr<SpoolPrinter> open(const std::string& printerName,
                                               std::string* reason) = 0;
};

// The spooler of the platform this program was built for.
std::unique_ptr<Spooler> createPlatformSpooler();
