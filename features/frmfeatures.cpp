// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "frmfeatures.h"

#include "fixedwindow.h"
#include "fonts.h"
#include "hoverbuttons.h"
#include "imagecontrol.h"
#include "spoolmessages.h"
#include "storedpicture.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

namespace
{
const QString printFeaturesStem = QStringLiteral("Print_Features");
const QString closeStem = QStringLiteral("Close_Button");
} // namespace

frmFeatures::frmFeatures(QWidget* mainWindow, std::function<void()> printFeatures)
    : QWidget(nullptr, fixedWindowFlags()), m_mainWindow(mainWindow),
      m_printFeatures(std::move(printFeatures))
{
    setObjectName(QStringLiteral("frmFeatures"));
    setWindowTitle(QStringLiteral("Altrune TR 7400 Printer Configuration Utility"));
    // QIcon takes the "@2x" file beside it on a screen of a ratio above 1.
    setWindowIcon(QIcon(QStringLiteral(":/images/features_icon.png")));
    // Both windows carry the same title: a screen reader tells them apart by
    // the heading this one shows as a picture.
    setAccessibleDescription(QStringLiteral("Altrune TR 7400 Features"));
    setFixedSize(738, 453);
}

QString frmFeatures::featuresText()
{
    static const QStringList lines{
        "1.  24 pin 136 column Dot Matrix Printer with speed 400 CPS at Draft 10 CPI.",
        "",
        "2.  Comes with USB 2.0 & Centronics parallel interface with Autoshare.",
        "",
        "3.  Built in 9 LQ fonts:",
        "",
        "          Roman      Sans Serif     Courier",
        "          ",
        "          Script       Prestige        OCR-A",
        "",
        "          OCR-B      Orator          Orator-S",
        "",
        "4.  Supports two paper paths.",
        "",
        "5.  Printer driver support for Windows 95, 98, Me, NT 4.0, 2000, XP, 2003, XPx64,",
        "     Vista, 7, 7 x64, 8, 8 x64 and selected Linux distributions. ",
        "     (Available in www.altrune.example.com).",
        "",
        "6.  Windows printer configuration utility to configure the printer permanent settings.",
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void frmFeatures::buildControls()
{
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));

    // Later children lie above earlier ones: the background under the title
    // picture and the buttons, the text box and heading above all images.
    const qreal ratio = devicePixelRatio();
    imgBackground = new ImageControl(QStringLiteral("imgBackground"),
                                     storedPicture("features_background.png", ratio), this);
    Image2 = new ImageControl(QStringLiteral("Image2"), storedPicture("features_title.png", ratio),
                              this);
    Image2->move(144, 32);
    imgClose = new ImageControl(QStringLiteral("imgClose"),
                                storedPicture("button_close.png", ratio), this);
    imgClose->move(600, 392);
    imgClose->setCommand(QStringLiteral("Close"), QKeySequence(Qt::CTRL | Qt::Key_C));
    imgPrintFeatures = new ImageControl(QStringLiteral("imgPrintFeatures"),
                                        storedPicture("button_printfeatures.png", ratio), this);
    imgPrintFeatures->move(600, 360);
    imgPrintFeatures->setCommand(QStringLiteral("Print Features"),
                                 QKeySequence(Qt::CTRL | Qt::Key_P));

    txtFeatures = new QPlainTextEdit(this);
    txtFeatures->setObjectName(QStringLiteral("txtFeatures"));
    txtFeatures->setGeometry(8, 80, 583, 341);
    txtFeatures->setFrameShape(QFrame::NoFrame);
    txtFeatures->setReadOnly(true);
    txtFeatures->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtFeatures->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtFeatures->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtFeatures->setWordWrapMode(QTextOption::WordWrap);
    txtFeatures->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    txtFeatures->setFont(verdanaFont(9.75));
    QPalette palette = txtFeatures->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    palette.setColor(QPalette::Text, QColor(0, 0, 64));
    txtFeatures->setPalette(palette);
    txtFeatures->setPlainText(QString(featuresText()).replace(QStringLiteral("\r\n"), "\n"));
    txtFeatures->setAccessibleName(QStringLiteral("Altrune TR 7400 Features"));
    txtFeatures->installEventFilter(this);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(8, 0, 273, 25);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(storedPicture("features_heading.png", ratio));

    connect(imgPrintFeatures, &ImageControl::mouseReleased, this,
            &frmFeatures::imgPrintFeatures_MouseUp);
    connect(imgClose, &ImageControl::mouseReleased, this, &frmFeatures::imgClose_MouseUp);
    connect(imgPrintFeatures, &ImageControl::mouseMoved, this,
            &frmFeatures::imgPrintFeatures_MouseMove);
    connect(imgClose, &ImageControl::mouseMoved, this, &frmFeatures::imgClose_MouseMove);
    connect(imgBackground, &ImageControl::mouseMoved, this, &frmFeatures::imgBackground_MouseMove);
    m_built = true;
}

void frmFeatures::showFeatures()
{
    if (!m_built) {
        buildControls();
        centreOnScreen(this, m_mainWindow->screen());
    }
    show();
    activateWindow();
    // Nothing in the window takes the focus, so the window itself has it:
    // a screen reader then announces it by its focus too, which Orca does
    // not miss as it can miss the window's activation. Keys reach the window
    // as they do with no focus at all.
    setFocus(Qt::ActiveWindowFocusReason);
}

void frmFeatures::imgPrintFeatures_MouseUp(int button, int, float, float)
{
    if (button == 1 && confirmPrinterReady())
        m_printFeatures();
}

void frmFeatures::imgClose_MouseUp(int button, int, float, float)
{
    if (button != 1)
        return;
    hide();
    m_mainWindow->show();
}

void frmFeatures::imgPrintFeatures_MouseMove(int, int, float, float)
{
    HoverButtons::highlight(blnButtonsReset, {imgPrintFeatures, printFeaturesStem});
}

void frmFeatures::imgClose_MouseMove(int, int, float, float)
{
    HoverButtons::highlight(blnButtonsReset, {imgClose, closeStem});
}

void frmFeatures::imgBackground_MouseMove(int, int, float, float)
{
    HoverButtons::reset(blnButtonsReset,
                        {{imgClose, closeStem}, {imgPrintFeatures, printFeaturesStem}});
}

void frmFeatures::Form_KeyUp(int keyCode, int shift)
{
    if (shift != 2) // Ctrl alone
        return;
    if (keyCode == 'C')
        imgClose_MouseUp(1, 0, 0, 0);
    else if (keyCode == 'P')
        imgPrintFeatures_MouseUp(1, 0, 0, 0);
}

void frmFeatures::keyRelease(QKeyEvent* event)
{
    // A held key repeats its press, not its release: the command runs once.
    if (event->isAutoRepeat())
        return;
    Form_KeyUp(event->key(), modifierMask(event->modifiers()));
}

// Key preview: the window sees every key released in the text box before
// the text box does, which has no use for releases.
bool frmFeatures::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtFeatures && event->type() == QEvent::KeyRelease) {
        keyRelease(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys reach the window itself while no control has the focus.
void frmFeatures::keyReleaseEvent(QKeyEvent* event)
{
    keyRelease(event);
}

void frmFeatures::closeEvent(QCloseEvent* event)
{
    hide();
    m_mainWindow->show();
    event->accept();
    m_built = false; // built again, centred, at the next Show Features
}
