// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "storedpicture.h"

#include <QKeySequence>
#include <QPixmap>
#include <QWidget>

// A picture drawn unscaled from its top-left corner that takes the size of
// the picture it shows (in window pixels: a 2x picture is drawn pixel for
// pixel on a 2x screen), and reports mouse movement and button releases with
// the button code (1 left, 2 right, 4 middle) and modifier mask (1 Shift,
// 2 Ctrl, 4 Alt). The command buttons of both windows are such images.
// Disabled, it still shows its picture but takes no mouse input. It never
// takes the keyboard focus. To assistive technology (screen readers) it is a
// picture, or, once it is given a command, a push button.
class ImageControl : public QWidget
{
    Q_OBJECT

  public:
    ImageControl(const QString& name, const QPixmap& picture, QWidget* parent);
    // With a stored picture that is decoded when the window reads its
    // pictures, or when it is first painted or asked for.
    ImageControl(const QString& name, StoredPicture picture, QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const;
    void readStoredPicture();

    // Reads the picture from a bitmap file drawn for the given device pixel
    // ratio (2 for a "@2x" file). A file that is missing or not a picture
    // leaves the current picture in place and answers false.
    bool loadPicture(const QString& path, qreal pictureRatio = 1.0);

    // Makes the image a command button to assistive technology: a push
    // button named caption, whose press runs what a left-button release
    // runs; shortcut is the key that runs the same command.
    void setCommand(const QString& caption, const QKeySequence& shortcut);
    bool isCommand() const { return m_command; }
    const QKeySequence& shortcut() const { return m_shortcut; }

    // A press from assistive technology: a left-button release at 0, 0 with
    // no modifier, reported from the event loop so that the caller (a screen
    // reader's call over the accessibility bus) does not wait for the
    // command's message boxes. It counts only where a click could reach the
    // image, both now and when it runs: enabled, on screen (shown and not
    // minimized), and not behind a modal message box.
    void clickLater();

  signals:
    void mouseMoved(int button, int shift, float x, float y);
    void mouseReleased(int button, int shift, float x, float y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool takesClicks() const;

    QPixmap m_picture;
    StoredPicture m_stored; // until it is read
    bool m_command = false;
    QKeySequence m_shortcut;
};

// The modifier mask of the keyboard state: 1 Shift, 2 Ctrl, 4 Alt.
int modifierMask(Qt::KeyboardModifiers modifiers);
// The button code of one mouse button: 1 left, 2 right, 4 middle, else 0.
int buttonCode(Qt::MouseButton button);
// The codes of all pressed buttons, or-ed.
int buttonCodes(Qt::MouseButtons buttons);
