// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "frmconfigutility.h"
#include "spooler.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Message boxes given no title of their own carry this one.
    QApplication::setApplicationName(QStringLiteral("TR7400PrinterConfigurationUtility"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Desktop shells match the window with its launcher by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.altrune.TR7400Config"));
    // The program ends when the user confirms quitting, not when a window
    // closes: the main window is hidden while the features window is shown.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::unique_ptr<Spooler> spooler = createPlatformSpooler();
    frmConfigUtility window(*spooler);
    window.showCentred();
    return QApplication::exec();
}
