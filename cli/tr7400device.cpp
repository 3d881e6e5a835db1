// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "tr7400device.h"

#include <cctype>

namespace
{

// Lower case, without spaces, hyphens and underscores: "TR-7400" and
// "tr 7400" are both "tr7400".
std::string squeezed(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        if (c != ' ' && c != '-' && c != '_' && c != '\t')
            result += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

std::string trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = text.find_last_not_of(" \t");
    return std::string(text.substr(start, end - start + 1));
}

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

const char kMaker[] = "altrune";
const char kModel[] = "7400";

} // namespace

namespace Tr7400Device
{

std::string idField(std::string_view deviceId, std::string_view shortName,
                    std::string_view longName)
{
    std::size_t start = 0;
    while (start < deviceId.size()) {
        std::size_t end = deviceId.find(';', start);
        if (end == std::string_view::npos)
            end = deviceId.size();
        const std::string_view field = deviceId.substr(start, end - start);
        const std::size_t colon = field.find(':');
        if (colon != std::string_view::npos) {
            const std::string key = squeezed(field.substr(0, colon));
            if (key == squeezed(shortName) || key == squeezed(longName))
                return trimmed(field.substr(colon + 1));
        }
        start = end + 1;
    }
    return {};
}

bool looksLikeTr7400(const PrinterDevice& device)
{
    const std::string maker = squeezed(idField(device.deviceId, "MFG", "MANUFACTURER"));
    const std::string model = squeezed(idField(device.deviceId, "MDL", "MODEL"));
    if (maker == kMaker && contains(model, kModel))
        return true;
    const std::string makeAndModel = squeezed(device.makeAndModel);
    return contains(makeAndModel, "tr7400") ||
           (contains(makeAndModel, kMaker) && contains(makeAndModel, kModel));
}

std::string describe(const PrinterDevice& device)
{
    if (!device.makeAndModel.empty() && device.makeAndModel != "Unknown")
        return device.makeAndModel;
    if (!device.info.empty())
        return device.info;
    return "no make or model reported";
}

} // namespace Tr7400Device
