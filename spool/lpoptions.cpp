// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "lpoptions.h"

#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace
{

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// One line of an lpoptions file: "Default name[/instance] options" or
// "Dest name[/instance] options"; other lines are kept as they are.
struct Line {
    std::string keyword;
    std::string destination;
    std::string options; // the rest of the line, its leading blank included
    std::string text;    // the whole line

    bool is(const char* word) const { return strcasecmp(keyword.c_str(), word) == 0; }
};

Line split(const std::string& text)
{
    Line line;
    line.text = text;
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return line;
    std::size_t end = text.find_first_of(" \t", start);
    line.keyword = text.substr(start, end - start);
    start = end == std::string::npos ? end : text.find_first_not_of(" \t", end);
    if (start == std::string::npos)
        return line;
    end = text.find_first_of(" \t", start);
    line.destination = text.substr(start, end - start);
    if (end != std::string::npos && text.find_first_not_of(" \t", end) != std::string::npos)
        line.options = text.substr(end);
    return line;
}

std::string withoutInstance(const std::string& destination)
{
    return destination.substr(0, destination.find('/'));
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string(slash == 0 ? "/" : ".")
                                                    : path.substr(0, slash);
}

} // namespace

namespace LpOptions
{

std::string userFile()
{
    std::string home = environment("HOME");
    if (home.empty()) {
        if (const passwd* user = getpwuid(getuid()))
            home = user->pw_dir;
    }
    return home + "/.cups/lpoptions";
}

std::string systemFile()
{
    std::string root = environment("CUPS_SERVERROOT");
    if (root.empty())
        root = "/etc/cups";
    return root + "/lpoptions";
}

std::string defaultIn(const std::string& path)
{
    std::ifstream file(path);
    std::string text;
    while (std::getline(file, text)) {
        const Line line = split(text);
        if (line.is("default") && !line.destination.empty())
            return withoutInstance(line.destination);
    }
    return {};
}

NamedDefault locallyNamedDefault()
{
    if (std::string name = environment("LPDEST"); !name.empty())
        return {withoutInstance(name), DefaultSource::Lpdest};
    if (std::string name = environment("PRINTER"); !name.empty() && name != "lp")
        return {withoutInstance(name), DefaultSource::Printer};
    if (std::string name = defaultIn(userFile()); !name.empty())
        return {name, DefaultSource::UserOptions};
    if (std::string name = defaultIn(systemFile()); !name.empty())
        return {name, DefaultSource::SystemOptions};
    return {};
}

bool setDefaultIn(const std::string& path, const std::string& name, std::string* reason)
{
    const auto failed = [reason](const std::string& what) {
        *reason = what + ": " + std::strerror(errno);
        return false;
    };
    std::vector<std::string> lines;
    bool named = false;
    {
        std::ifstream file(path);
        if (!file && errno != ENOENT)
            return failed("Cannot read " + path);
        std::string text;
        while (std::getline(file, text)) {
            const Line line = split(text);
            const bool isDefault = line.is("default");
            if (line.destination == name && (isDefault || line.is("dest"))) {
                // The printer's own options stay with it.
                if (!named)
                    lines.push_back("Default " + name + line.options);
                named = true;
            } else if (isDefault) {
                // A former default keeps what it holds besides being one.
                if (!line.options.empty() || line.destination.find('/') != std::string::npos)
                    lines.push_back("Dest " + line.destination + line.options);
            } else {
                lines.push_back(text);
            }
        }
    }
    if (!named)
        lines.push_back("Default " + name);

    const std::string folder = folderOf(path);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return failed("Cannot make " + folder);
    // Written beside it and renamed over it, so that lp never reads half.
    const std::string temporary = path + ".tr7400ctl";
    {
        std::ofstream file(temporary, std::ios::trunc);
        for (const std::string& line : lines)
            file << line << '\n';
        file.flush();
        if (!file)
            return failed("Cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const bool ok = failed("Cannot replace " + path);
        std::remove(temporary.c_str());
        return ok;
    }
    return true;
}

} // namespace LpOptions
