// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QFont>

// Verdana at the given size. Where Verdana is not installed, DejaVu Sans, a
// free face of much the same width, stands in for it rather than whatever
// fallback the font system would pick.
QFont verdanaFont(qreal pointSize);
