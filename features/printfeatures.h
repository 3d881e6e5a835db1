// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "featurespage.h"

// Sends the features page to the default printer, without a busy check, and
// tells the user of any failure.
void printFeaturesPage(Spooler& spooler, FeaturesCommandSet commandSet);
