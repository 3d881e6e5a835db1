// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <string>

struct CtlEnvironment;

struct SetupRequest {
    std::string queue = "TR7400";
    std::string deviceUri; // empty: the one device that looks like a TR 7400
    bool systemDefault = false;
    bool userDefault = false;
};

// tr7400ctl setup: a raw queue for the TR 7400, enabled and accepting jobs,
// and, if asked, the default printer. Changes only what is not right yet,
// says what it did, and changes nothing when it cannot tell which device is
// the printer. Answers the exit status.
int setUpPrinter(const SetupRequest& request, CtlEnvironment& environment);
