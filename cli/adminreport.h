// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "printeradmin.h"

#include <iosfwd>
#include <string>

// Tells on err why the spooler did not do what was asked ("list the printer
// devices", "make the queue TR7400") and answers the exit status that goes
// with it.
int reportAdminFailure(const AdminResult& result, PrinterAdmin& admin, std::ostream& err,
                       const std::string& doing);
