// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "rawspooljob.h"

#include <string>
#include <string_view>
#include <vector>

class Spooler;

// The printed features page: text and printer control codes, composed here
// and sent raw so that the printer's own fonts and modes do the work. The
// ESC/P page is the one the program prints; the IBM command-set page is kept
// for printers switched to that emulation.
enum class FeaturesCommandSet { EscP, Ibm };

// The document name the page is spooled under.
std::string_view featuresDocumentName(FeaturesCommandSet commandSet);

// The title block and the body block, each written whole with one write.
std::vector<std::string> featuresPageBlocks(FeaturesCommandSet commandSet);

// Sends the page to the printer named, or to the default printer, without a
// busy check. The caller tells the user how it ended.
SpoolResult sendFeaturesPage(Spooler& spooler, FeaturesCommandSet commandSet,
                             const std::string& printerName = {});
