// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The yardstick for the main window's start-up: a plain window with the same
// twenty-one drop-down lists and choices, and nothing else.

#include "catalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal 21 lists"));
    window.setFixedSize(727, 356);

    // Two columns, as on the main window.
    int row = 0;
    for (const SettingInfo& info : settingsCatalogue()) {
        auto* combo = new QComboBox(&window);
        for (std::string_view choice : info.choices)
            combo->addItem(QString::fromUtf8(choice.data(), qsizetype(choice.size())));
        combo->setCurrentIndex(info.defaultIndex);
        combo->setGeometry(row < 11 ? 152 : 424, 40 + 24 * (row % 11), 137, 21);
        ++row;
    }

    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    return QApplication::exec();
}
