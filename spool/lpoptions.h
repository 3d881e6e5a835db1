// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "printeradmin.h"

#include <string>

// The default printer as lp finds it on this side of the scheduler, and the
// lpoptions files that name one. Plain files: no libcups.
namespace LpOptions
{

struct NamedDefault {
    std::string name; // without an instance; empty for none
    DefaultSource source = DefaultSource::None;
};

// LPDEST, PRINTER (unless "lp"), then the user's and the machine's lpoptions:
// the first that names a printer. None when none does: the scheduler's
// default applies then.
NamedDefault locallyNamedDefault();

// $HOME/.cups/lpoptions (the home from the user database without HOME).
std::string userFile();
// $CUPS_SERVERROOT/lpoptions, by default /etc/cups/lpoptions.
std::string systemFile();

// The printer a file's Default line names, without its instance; empty for
// none or no file.
std::string defaultIn(const std::string& path);

// Makes name the file's Default, keeping every other line: a former default
// with options or an instance stays as a Dest line with them. Creates the file
// and its folder when missing. False with the reason on failure.
bool setDefaultIn(const std::string& path, const std::string& name, std::string* reason);

} // namespace LpOptions
