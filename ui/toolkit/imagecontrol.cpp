// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "imagecontrol.h"

#include "accessibility.h"

#include <QApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(const QString& name, const QPixmap& picture, QWidget* parent)
    : ImageControl(name, StoredPicture(), parent)
{
    setPicture(picture);
}

ImageControl::ImageControl(const QString& name, StoredPicture picture, QWidget* parent)
    : QWidget(parent), m_stored(std::move(picture))
{
    setObjectName(name);
    setMouseTracking(true); // movement is reported with no button pressed too
    setFocusPolicy(Qt::NoFocus);
    resize(m_stored.size());
    Accessibility::installFactory();
}

void ImageControl::setPicture(const QPixmap& picture)
{
    m_stored = {};
    m_picture = picture;
    resize(picture.deviceIndependentSize().toSize());
    update();
}

const QPixmap& ImageControl::picture() const
{
    if (m_stored.isPending())
        const_cast<ImageControl*>(this)->readStoredPicture();
    return m_picture;
}

void ImageControl::readStoredPicture()
{
    if (m_stored.isPending())
        setPicture(m_stored.read());
}

bool ImageControl::loadPicture(const QString& path, qreal pictureRatio)
{
    // Read from the file every time: QPixmap::load would serve a file it has
    // seen from the pixmap cache, missing a bitmap replaced within the same
    // second, and keep decoded copies of every picture in memory.
    QImageReader reader(path);
    QImage loaded = reader.read();
    if (loaded.isNull())
        return false;
    loaded.setDevicePixelRatio(pictureRatio);
    setPicture(pictureForScreen(std::move(loaded), devicePixelRatio()));
    return true;
}

void ImageControl::setCommand(const QString& caption, const QKeySequence& shortcut)
{
    m_command = true;
    m_shortcut = shortcut;
    setAccessibleName(caption);
}

void ImageControl::clickLater()
{
    if (!takesClicks())
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            // A message box may have come up, or the command disabled the
            // image, since the press was asked for.
            if (takesClicks())
                emit mouseReleased(1, 0, 0, 0);
        },
        Qt::QueuedConnection);
}

bool ImageControl::takesClicks() const
{
    // A minimized window still counts as visible, but nobody can click it.
    const QWidget* modal = QApplication::activeModalWidget();
    return isEnabled() && isVisible() && !window()->isMinimized() && (!modal || modal == window());
}

void ImageControl::paintEvent(QPaintEvent*)
{
    readStoredPicture();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void ImageControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    emit mouseMoved(buttonCodes(event->buttons()), modifierMask(event->modifiers()),
                    float(position.x()), float(position.y()));
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    emit mouseReleased(buttonCode(event->button()), modifierMask(event->modifiers()),
                       float(position.x()), float(position.y()));
}

int modifierMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int buttonCodes(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}
