#pragma once

#include <QPixmap>
#include <Qt>

class QScreen;
class QWidget;

// What both windows share: a fixed border with system menu, minimize and
// close but no maximize; pictures stored with the program; centring.
Qt::WindowFlags fixedWindowFlags();

// A picture compiled into the program, by file name.
QPixmap storedPicture(const char* name);

// Moves the window so that its frame is centred on the screen's free area.
void centreOnScreen(QWidget* window, const QScreen* screen);
