// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "fixedwindow.h"

#include "imagecontrol.h"
#include "picturebox.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace
{
// Watches a window for its first exposure; the work is queued behind it, so
// the exposure paints the frame first.
class FirstFrame : public QObject
{
  public:
    FirstFrame(QWindow* window, std::function<void()> work)
        : QObject(window), m_work(std::move(work))
    {
        if (window->isExposed())
            queueWork();
        else
            window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            queueWork();
        }
        return false;
    }

  private:
    void queueWork()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_work();
                deleteLater();
            },
            Qt::QueuedConnection);
    }

    std::function<void()> m_work;
};
} // namespace

Qt::WindowFlags fixedWindowFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

void centreOnScreen(QWidget* window, const QScreen* screen)
{
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void afterFirstFrame(QWidget* window, std::function<void()> work)
{
    window->winId(); // the native window, which is what gets exposed
    new FirstFrame(window->windowHandle(), std::move(work));
}

void readStoredPictures(QWidget* window)
{
    for (ImageControl* image : window->findChildren<ImageControl*>())
        image->readStoredPicture();
    for (PictureBox* box : window->findChildren<PictureBox*>())
        box->readStoredPicture();
}
