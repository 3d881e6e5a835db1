// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "picturebox.h"

// A picture of a short message, shown while something runs (the please-wait
// banner). Assistive technology is told of it as a notification named by the
// message, so that a screen reader reads the message out when it appears.
class MessageBanner : public PictureBox
{
    Q_OBJECT

  public:
    MessageBanner(const QString& name, StoredPicture picture, const QString& message,
                  QWidget* parent);
};
