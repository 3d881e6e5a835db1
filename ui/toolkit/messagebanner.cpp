// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "messagebanner.h"

#include "accessibility.h"

MessageBanner::MessageBanner(const QString& name, const QPixmap& picture, const QString& message,
                             QWidget* parent)
    : QLabel(parent)
{
    Accessibility::installFactory();
    setObjectName(name);
    setPixmap(picture);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAccessibleName(message);
}
