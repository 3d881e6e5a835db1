// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "rawspooljob.h"

namespace
{
using Outcome = SpoolResult::Outcome;
} // namespace

SpoolResult runRawSpoolJob(Spooler& spooler, const std::string& documentName,
                           const std::vector<std::string>& blocks, bool checkBusy,
                           const std::string& printerName)
{
    std::string name = printerName;
    if (name.empty()) {
        DefaultPrinter target = spooler.defaultPrinter();
        switch (target.status) {
        case DefaultPrinter::Status::NoPrinter:
            return {Outcome::NoPrinter, target.reason};
        case DefaultPrinter::Status::SpoolerUnreachable:
            return {Outcome::NotOpened, target.reason};
        case DefaultPrinter::Status::Found:
            break;
        }
        name = std::move(target.name);
    }

    std::string reason;
    std::unique_ptr<SpoolPrinter> printer = spooler.open(name, &reason);
    if (!printer)
        return {Outcome::NotOpened, reason};

    if (checkBusy && printer->activeJobCount() > 0) {
        printer->close();
        return {Outcome::Busy, {}};
    }

    if (!printer->startDocument(documentName)) {
        SpoolResult result{Outcome::Failed, printer->lastError()};
        printer->close();
        return result;
    }
    // Once the document exists, any failure cancels it: a half-written job
    // must not reach the printer nor block the next busy check.
    bool ok = printer->startPage();
    for (const std::string& block : blocks) {
        if (ok)
            ok = printer->write(block);
    }
    if (ok)
        ok = printer->endPage();
    if (ok)
        ok = printer->endDocument();
    if (!ok) {
        SpoolResult result{Outcome::Failed, printer->lastError()};
        printer->cancelDocument();
        printer->close();
        return result;
    }
    // The document was handed over whole: a printer that then fails to close
    // changes nothing of what was sent.
    printer->close();
    return {Outcome::Sent, {}};
}
