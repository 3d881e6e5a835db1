// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QImage>
#include <QPixmap>
#include <Qt>

#include <functional>

class QScreen;
class QWidget;

// What both windows share: a fixed border with system menu, minimize and
// close but no maximize; pictures stored with the program; centring.
Qt::WindowFlags fixedWindowFlags();

// A picture compiled into the program, by file name, for a screen of the
// given device pixel ratio: above 1, its "@2x" picture, drawn at twice the
// size with the same layout.
QPixmap storedPicture(const char* name, qreal ratio = 1.0);

// A picture whose device pixel ratio is set, made ready for a screen of the
// given ratio. A 2x picture on a screen of another ratio above 1 (150%, say)
// is scaled smoothly once here, so that it is drawn pixel for pixel rather
// than stretched at every paint; a 1x picture stays as it is.
QPixmap pictureForScreen(QImage picture, qreal ratio);

// Moves the window so that its frame is centred on the screen's free area.
void centreOnScreen(QWidget* window, const QScreen* screen);

// Runs 'work' once, soon after the shown window's first frame: for what the
// desktop can have a moment later, so that the window need not wait for it.
void afterFirstFrame(QWidget* window, std::function<void()> work);
