// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "expectedtexts.h"
#include "fakespooler.h"
#include "frmconfigutility.h"
#include "messagebox.h"
#include "platform.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

// A main window on a recording spooler, with message boxes answered from a
// queue, the pause recorded and the program's end recorded instead of done.
struct WindowFixture {
    FakeSpooler spooler;
    frmConfigUtility window{spooler};
    QList<int> pauses;
    int ends = 0;

    WindowFixture()
    {
        MessageBox::setTesting(true);
        MessageBox::clearHistory();
        Platform::setPauseHandler([this](int ms) { pauses << ms; });
        Platform::setEndApplicationHandler([this] { ++ends; });
        window.showCentred();
    }

    ~WindowFixture()
    {
        Platform::setPauseHandler({});
        Platform::setEndApplicationHandler({});
    }

    template <typename T = QWidget> T* child(const char* name, QWidget* in = nullptr)
    {
        return (in ? in : &window)->findChild<T*>(QLatin1String(name));
    }

    QComboBox* list(Setting setting) { return window.list(setting); }

    QStringList shownTexts() const { return MessageBox::shownTexts(); }
};

// A test main for the window tests: the application's title is the one the
// no-title message boxes carry.
#define PCU_GUI_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        app.setApplicationName(appTitleText);                                                      \
        app.setQuitOnLastWindowClosed(false);                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
