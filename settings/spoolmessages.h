// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "rawspooljob.h"

#include <QString>
#include <string_view>

// The program's texts as the windows show them.
QString fromText(std::string_view text);

// The title of every message the program shows, but the no-driver message.
QString messageTitle();

// Asks whether the printer is on, online and on the parallel or Autoshare
// interface; true only for OK. Guards every command that sends a job.
bool confirmPrinterReady();

// Tells the user why a job did not reach the printer: the no-driver message,
// the open-failure message, or firstLine with the spooler's reason beneath.
// Returns true when the job was sent and nothing was shown. A busy printer is
// the caller's to report.
bool reportSpoolResult(const SpoolResult& result, const QString& firstLine);

// What any other, unexpected failure shows: firstLine and what went wrong.
void reportUnexpectedFailure(const QString& firstLine, const QString& what);
