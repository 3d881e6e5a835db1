// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "storedpicture.h"

#include <QLabel>

// A picture box: a stored picture drawn unscaled from the box's top-left
// corner and clipped to the box. The picture is decoded when the window reads
// its pictures, or at the box's first paint, whichever comes first.
class PictureBox : public QLabel
{
    Q_OBJECT

  public:
    PictureBox(const QString& name, StoredPicture picture, QWidget* parent);

    void readStoredPicture();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    StoredPicture m_stored;
};
