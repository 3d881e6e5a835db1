// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QWidget>
#include <functional>

class ImageControl;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;

// The features window: the printer's description as text, with Print
// Features and Close. Only one of it and the main window is on screen at a
// time: it hides the main window's place and gives it back on Close.
class frmFeatures : public QWidget
{
    Q_OBJECT

  public:
    // mainWindow is shown again on Close; printFeatures prints the features
    // page as the main window does.
    frmFeatures(QWidget* mainWindow, std::function<void()> printFeatures);

    // Shows the window; after a title-bar close its controls are built
    // again from the stored design first, and it is centred again.
    void showFeatures();

    // The features text as stored: nineteen lines, each ended by CR LF.
    static QString featuresText();

    bool blnButtonsReset = false;

  public slots:
    void imgPrintFeatures_MouseUp(int button, int shift, float x, float y);
    void imgClose_MouseUp(int button, int shift, float x, float y);
    void imgPrintFeatures_MouseMove(int button, int shift, float x, float y);
    void imgClose_MouseMove(int button, int shift, float x, float y);
    void imgBackground_MouseMove(int button, int shift, float x, float y);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // The title-bar close: back to the main window; the controls go.
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_KeyUp(int keyCode, int shift);
    void keyRelease(QKeyEvent* event);
    void buildControls();

    QWidget* m_mainWindow;
    std::function<void()> m_printFeatures;
    bool m_built = false;

    ImageControl* imgBackground = nullptr;
    ImageControl* Image2 = nullptr;
    ImageControl* imgClose = nullptr;
    ImageControl* imgPrintFeatures = nullptr;
    QPlainTextEdit* txtFeatures = nullptr;
    QLabel* Picture1 = nullptr;
};
