// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "picturebox.h"

PictureBox::PictureBox(const QString& name, StoredPicture picture, QWidget* parent)
    : QLabel(parent), m_stored(std::move(picture))
{
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::readStoredPicture()
{
    if (m_stored.isPending())
        setPixmap(m_stored.read());
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    readStoredPicture();
    QLabel::paintEvent(event);
}
