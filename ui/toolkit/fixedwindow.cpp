// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "fixedwindow.h"

#include <QEvent>
#include <QImageReader>
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

namespace
{
// The stored pictures are PNG files, read as such: a reader left to find out
// the format loads every image format plugin installed (SVG with all of Qt
// SVG among them) to ask it first.
QImage readStoredPng(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
} // namespace

Qt::WindowFlags fixedWindowFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

QPixmap storedPicture(const char* name, qreal ratio)
{
    const QString path = QStringLiteral(":/images/") + QLatin1String(name);
    if (ratio <= 1.0)
        return QPixmap::fromImage(readStoredPng(path));
    QString twice = path;
    twice.insert(twice.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    QImage picture = readStoredPng(twice);
    if (picture.isNull())
        return QPixmap::fromImage(readStoredPng(path));
    picture.setDevicePixelRatio(2.0);
    return pictureForScreen(std::move(picture), ratio);
}

QPixmap pictureForScreen(QImage picture, qreal ratio)
{
    const qreal drawnFor = picture.devicePixelRatio();
    if (ratio > 1.0 && drawnFor > 1.0 && !qFuzzyCompare(drawnFor, ratio)) {
        const QSize pixels = (picture.deviceIndependentSize() * ratio).toSize();
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
    }
    return QPixmap::fromImage(std::move(picture));
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
