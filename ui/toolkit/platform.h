// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QString>
#include <functional>

// The few operating-system services the windows rely on, behind seams that
// tests can replace.
namespace Platform
{

// Holds the user-interface thread for the given time, as the download's
// pause after a sent job does on purpose.
void pause(int milliseconds);

// Replaces the pause (tests record it instead of waiting); an empty function
// puts the real pause back.
void setPauseHandler(std::function<void(int)> handler);

// The folder of the program's executable, without a trailing separator.
QString applicationFolder();

// Tests point the program at another folder; an empty string undoes it.
void setApplicationFolder(const QString& folder);

// Ends the program at once: every window goes, and no close request runs.
void endApplication();

// Tests record the end instead; an empty function puts the real one back.
void setEndApplicationHandler(std::function<void()> handler);

} // namespace Platform
