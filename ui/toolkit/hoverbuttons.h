// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QList>
#include <QString>

class ImageControl;

// The image buttons of a window take a highlighted picture under the
// pointer and go back to rest when the pointer crosses the window's
// background. Both pictures of every button are read afresh from bitmap
// files in the application folder: "<stem>1.bmp" at rest, "<stem>2.bmp"
// highlighted. On a screen of a device pixel ratio above 1, "<stem>1@2x.bmp"
// and "<stem>2@2x.bmp", drawn at twice the size, are read instead where they
// can be, and the 1x file where they cannot. The window keeps the state,
// blnButtonsReset: true once the background has put every button at rest and
// no button was highlighted since.
namespace HoverButtons
{

struct Button {
    ImageControl* image;
    QString stem; // e.g. "Apply_Settings"
};

// Pointer over a button: highlight it, but only after a reset.
void highlight(bool& blnButtonsReset, const Button& button);

// Pointer over the background: put every button at rest, in the given
// order, unless that has been done since the last highlight.
void reset(bool& blnButtonsReset, const QList<Button>& buttons);

// The path of one of the bitmap files in the application folder; scale 2
// gives the "@2x" file.
QString picturePath(const QString& stem, int which, int scale = 1);

// How many picture files have been read, a 2x file that could not be read
// included; for tests and diagnostics.
int pictureReads();

} // namespace HoverButtons
