// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <Qt>

#include <functional>

class QScreen;
class QWidget;

// What both windows share: a fixed border with system menu, minimize and
// close but no maximize; centring; their pictures, stored with the program.
Qt::WindowFlags fixedWindowFlags();

// Moves the window so that its frame is centred on the screen's free area.
void centreOnScreen(QWidget* window, const QScreen* screen);

// Runs 'work' once, soon after the shown window's first frame: for what the
// desktop can have a moment later, so that the window need not wait for it.
void afterFirstFrame(QWidget* window, std::function<void()> work);

// Decodes the pictures of the window's images and picture boxes that are
// still pending (see StoredPicture).
void readStoredPictures(QWidget* window);
