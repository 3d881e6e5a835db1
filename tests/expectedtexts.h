// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QString>

// The words the user must see, written out here on their own rather than
// taken from the program.

// The title of a message box given none: the application's own.
inline const QString appTitleText = QStringLiteral("TR7400PrinterConfigurationUtility");
inline const QString printerReadyText =
    "Please check whether the printer is :\r\n* Switched ON\r\n* In online mode\r\n* In "
    "Parallel or Autoshare interface\r\n\r\nTo continue press OK else press Cancel to quit.";
inline const QString exitQuestionText = "Are you sure to quit from this application?";
