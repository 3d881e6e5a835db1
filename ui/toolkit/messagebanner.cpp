// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "messagebanner.h"

#include "accessibility.h"

MessageBanner::MessageBanner(const QString& name, StoredPicture picture, const QString& message,
                             QWidget* parent)
    : PictureBox(name, std::move(picture), parent)
{
    Accessibility::installFactory();
    setAccessibleName(message);
}
