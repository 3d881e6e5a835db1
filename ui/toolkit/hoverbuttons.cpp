// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "hoverbuttons.h"

#include "imagecontrol.h"
#include "platform.h"

#include <QDir>

namespace HoverButtons
{
namespace
{
int reads = 0;

// Above ratio 1 the 2x file comes first and the 1x file stands in for it.
// A missing or unreadable 1x file leaves the button with the picture it has.
bool load(const Button& button, int which)
{
    if (button.image->devicePixelRatio() > 1.0) {
        ++reads;
        if (button.image->loadPicture(picturePath(button.stem, which, 2), 2.0))
            return true;
    }
    ++reads;
    return button.image->loadPicture(picturePath(button.stem, which));
}
} // namespace

QString picturePath(const QString& stem, int which, int scale)
{
    const QString size = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    return Platform::applicationFolder() + QDir::separator() + stem + QString::number(which) +
           size + QStringLiteral(".bmp");
}

void highlight(bool& blnButtonsReset, const Button& button)
{
    if (!blnButtonsReset)
        return;
    // The state is written only once the picture is in place.
    if (load(button, 2))
        blnButtonsReset = false;
}

void reset(bool& blnButtonsReset, const QList<Button>& buttons)
{
    if (blnButtonsReset)
        return;
    for (const Button& button : buttons) {
        if (!load(button, 1))
            return;
    }
    blnButtonsReset = true;
}

int pictureReads()
{
    return reads;
}

} // namespace HoverButtons
