// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "catalogue.h"

#include <array>
#include <cstdint>

class SettingsLists;

// The printer takes its permanent settings as eleven entries, each sent as
// one byte; every entry stays within 0 to 255.
using FlagSettingsBlock = std::array<std::int16_t, 11>;

// Pure encoding of the choice indexes of all twenty-one lists.
FlagSettingsBlock encodeFlagSettings(const ChoiceIndexes& indexes);

namespace mdlFlagSettings
{

// Builds the block from the lists as they are now, enabled or not, shown or
// not; changes nothing on them.
FlagSettingsBlock fncGetFlagSettings(const SettingsLists& lists);

} // namespace mdlFlagSettings
