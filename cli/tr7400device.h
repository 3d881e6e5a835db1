// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "printeradmin.h"

#include <string>
#include <string_view>

// Which of the devices the spooler sees is a TR 7400. Firmware spells the
// maker and the model in more than one way (case, spaces, hyphens), so they
// are compared loosely.
namespace Tr7400Device
{

// The value of one field of an IEEE 1284 device ID ("MFG:Altrune;MDL:TR
// 7400;"), by any of its names (MFG or MANUFACTURER); empty when missing.
std::string idField(std::string_view deviceId, std::string_view shortName,
                    std::string_view longName);

// The device ID names Altrune as the maker and a model of the 7400, or the
// make and model say so.
bool looksLikeTr7400(const PrinterDevice& device);

// What a person knows the device by: its make and model, or what its
// backend says of it.
std::string describe(const PrinterDevice& device);

} // namespace Tr7400Device
