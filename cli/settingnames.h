// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "catalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a person names settings and choices on a command line: by their text
// in a forgiving form, where case, spaces, hyphens and underscores do not
// count ("Page Length", page-length, PAGELENGTH), and choices also by their
// index ("#11").
namespace SettingNames
{

// The form a person types: lower case, words joined by hyphens
// ("page-length", "3.67-inch").
std::string typed(std::string_view text);

// What a setting is called: its label, or for the list the window never
// shows, the name the printer's documentation gives it.
std::string_view label(Setting setting);

std::optional<Setting> findSetting(std::string_view name);
// The choice index named by text or "#N"; none when nothing matches.
std::optional<int> findChoice(Setting setting, std::string_view name);

// The nearest of the candidates to what was typed, best first, at most
// three, in their typed form.
std::vector<std::string> nearest(std::string_view name, const std::vector<std::string>& candidates);

// Every setting's and every choice's typed form, for suggestions.
std::vector<std::string> typedSettings();
std::vector<std::string> typedChoices(Setting setting);

} // namespace SettingNames
