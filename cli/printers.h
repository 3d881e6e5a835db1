// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "printeradmin.h"

#include <string>

struct CtlEnvironment;

// tr7400ctl printers: the spooler's queues (state, jobs waiting, device,
// whether raw jobs pass untouched, which is the default) and the printer
// devices it sees, those that look like a TR 7400 marked; as text or as one
// JSON document. Answers the exit status.
int listPrinters(bool json, CtlEnvironment& environment);

// Where lp finds the user's default, in words ("LPDEST", "~/.cups/lpoptions").
std::string sourceText(const PrinterOverview& overview);
