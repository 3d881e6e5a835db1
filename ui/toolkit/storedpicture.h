// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// A picture compiled into the program, by file name, for a screen of the
// given device pixel ratio: above 1, its "@2x" picture, drawn at twice the
// size with the same layout. Its size is known at once, from the file's
// header; its pixels are decoded only when it is read, so that a window can
// ask to be put on screen first and decode its pictures while the display
// server maps it.
class StoredPicture
{
  public:
    StoredPicture() = default;
    StoredPicture(const char* name, qreal ratio);

    // In window pixels.
    QSize size() const { return m_size; }
    bool isPending() const { return !m_path.isEmpty(); }
    // Decodes the picture, once: afterwards it is no longer pending.
    QPixmap read();

  private:
    QString m_path;
    qreal m_drawnFor = 1.0; // the ratio the file was drawn for
    qreal m_ratio = 1.0;    // the screen's
    QSize m_size;
};

// A stored picture, decoded at once.
QPixmap storedPicture(const char* name, qreal ratio = 1.0);

// A picture whose device pixel ratio is set, made ready for a screen of the
// given ratio. A 2x picture on a screen of another ratio above 1 (150%, say)
// is scaled smoothly once here, so that it is drawn pixel for pixel rather
// than stretched at every paint; a 1x picture stays as it is.
QPixmap pictureForScreen(QImage picture, qreal ratio);
