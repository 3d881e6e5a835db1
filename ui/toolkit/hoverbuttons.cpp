#include "hoverbuttons.h"

#include "imagecontrol.h"
#include "platform.h"

#include <QDir>

namespace HoverButtons
{
namespace
{
int reads = 0;

// A missing or unreadable file leaves the button with the picture it has.
bool load(const Button& button, int which)
{
    ++reads;
    return button.image->loadPicture(picturePath(button.stem, which));
}
} // namespace

QString picturePath(const QString& stem, int which)
{
    return Platform::applicationFolder() + QDir::separator() + stem + QString::number(which) +
           QStringLiteral(".bmp");
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
