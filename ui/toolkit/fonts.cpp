// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "fonts.h"

QFont verdanaFont(qreal pointSize)
{
    static const bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}
