// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "settingnames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <numeric>

namespace SettingNames
{
namespace
{
bool ignored(char c)
{
    return c == ' ' || c == '-' || c == '_';
}

// What two spellings must agree on to name the same thing.
std::string key(std::string_view text)
{
    std::string folded;
    for (char c : text) {
        if (!ignored(c))
            folded += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}
} // namespace

std::string typed(std::string_view text)
{
    std::string result;
    for (char c : text) {
        if (ignored(c)) {
            if (!result.empty() && result.back() != '-')
                result += '-';
        } else {
            result += char(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return result;
}

std::string_view label(Setting setting)
{
    const SettingInfo& info = settingInfo(setting);
    return info.label.empty() ? std::string_view("Vacant Buffer Size") : info.label;
}

std::optional<Setting> findSetting(std::string_view name)
{
    const std::string wanted = key(name);
    if (wanted.empty())
        return std::nullopt;
    for (const SettingInfo& info : settingsCatalogue()) {
        if (key(label(info.setting)) == wanted || key(info.listName) == wanted)
            return info.setting;
    }
    return std::nullopt;
}

std::optional<int> findChoice(Setting setting, std::string_view name)
{
    const std::vector<std::string_view>& choices = settingInfo(setting).choices;
    if (name.size() > 1 && name.front() == '#') {
        int index = -1;
        const auto [end, error] =
            std::from_chars(name.data() + 1, name.data() + name.size(), index);
        if (error != std::errc() || end != name.data() + name.size() || index < 0 ||
            index >= int(choices.size()))
            return std::nullopt;
        return index;
    }
    const std::string wanted = key(name);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (!wanted.empty() && key(choices[i]) == wanted)
            return int(i);
    }
    return std::nullopt;
}

std::vector<std::string> nearest(std::string_view name, const std::vector<std::string>& candidates)
{
    const std::string wanted = key(name);
    std::vector<std::pair<std::size_t, std::string>> ranked;
    for (const std::string& candidate : candidates) {
        const std::string folded = key(candidate);
        // One typed as the start of the other is as near as can be.
        const bool prefix =
            !wanted.empty() && (folded.rfind(wanted, 0) == 0 || wanted.rfind(folded, 0) == 0);
        ranked.emplace_back(prefix ? 0 : editDistance(wanted, folded), candidate);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> best;
    for (const auto& [distance, candidate] : ranked) {
        if (best.size() == 3 || distance > ranked.front().first + 1)
            break;
        best.push_back(candidate);
    }
    return best;
}

std::vector<std::string> typedSettings()
{
    std::vector<std::string> names;
    for (const SettingInfo& info : settingsCatalogue())
        names.push_back(typed(label(info.setting)));
    return names;
}

std::vector<std::string> typedChoices(Setting setting)
{
    std::vector<std::string> names;
    for (std::string_view choice : settingInfo(setting).choices)
        names.push_back(typed(choice));
    return names;
}

} // namespace SettingNames
