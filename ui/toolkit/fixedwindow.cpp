#include "fixedwindow.h"

#include <QScreen>
#include <QWidget>

Qt::WindowFlags fixedWindowFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

QPixmap storedPicture(const char* name)
{
    return QPixmap(QStringLiteral(":/images/") + QLatin1String(name));
}

void centreOnScreen(QWidget* window, const QScreen* screen)
{
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
