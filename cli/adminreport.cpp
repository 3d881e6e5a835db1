// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "adminreport.h"

#include "ctl.h"

#include <ostream>

int reportAdminFailure(const AdminResult& result, PrinterAdmin& admin, std::ostream& err,
                       const std::string& doing)
{
    using Status = AdminResult::Status;
    switch (result.status) {
    case Status::Done:
        return ExitStatus::sent;
    case Status::NotAllowed:
        err << "tr7400ctl: only root, or a member of the printer administrators' group "
            << admin.administratorGroups() << ", may " << doing << ": run it again with sudo.\n"
            << "tr7400ctl: the print spooler answered: " << result.reason << "\n";
        return ExitStatus::notAllowed;
    case Status::Unreachable:
        err << "tr7400ctl: " << result.reason << "\n";
        return ExitStatus::notOpened;
    case Status::Unsupported:
        err << "tr7400ctl: printers and setup work with CUPS, the print spooler of Linux.\n"
            << "tr7400ctl: " << result.reason << "\n";
        return ExitStatus::usage;
    case Status::Refused:
        break;
    }
    err << "tr7400ctl: the print spooler could not " << doing << ": " << result.reason << "\n";
    return ExitStatus::failed;
}
