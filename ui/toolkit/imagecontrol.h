#pragma once

#include <QPixmap>
#include <QWidget>

// A picture drawn unscaled from its top-left corner that takes the size of
// the picture it shows (in window pixels: a 2x picture is drawn pixel for
// pixel on a 2x screen), and reports mouse movement and button releases with
// the button code (1 left, 2 right, 4 middle) and modifier mask (1 Shift,
// 2 Ctrl, 4 Alt). The command buttons of both windows are such images.
// Disabled, it still shows its picture but takes no mouse input.
class ImageControl : public QWidget
{
    Q_OBJECT

  public:
    ImageControl(const QString& name, const QPixmap& picture, QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

    // Reads the picture from a bitmap file drawn for the given device pixel
    // ratio (2 for a "@2x" file). A file that is missing or not a picture
    // leaves the current picture in place and answers false.
    bool loadPicture(const QString& path, qreal pictureRatio = 1.0);

  signals:
    void mouseMoved(int button, int shift, float x, float y);
    void mouseReleased(int button, int shift, float x, float y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap m_picture;
};

// The modifier mask of the keyboard state: 1 Shift, 2 Ctrl, 4 Alt.
int modifierMask(Qt::KeyboardModifiers modifiers);
// The button code of one mouse button: 1 left, 2 right, 4 middle, else 0.
int buttonCode(Qt::MouseButton button);
// The codes of all pressed buttons, or-ed.
int buttonCodes(Qt::MouseButtons buttons);
