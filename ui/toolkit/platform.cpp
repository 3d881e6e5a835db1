// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

namespace Platform
{
namespace
{
std::function<void(int)> pauseHandler;
QString folderOverride;
std::function<void()> endHandler;
} // namespace

void pause(int milliseconds)
{
    if (pauseHandler)
        pauseHandler(milliseconds);
    else
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void setPauseHandler(std::function<void(int)> handler)
{
    pauseHandler = std::move(handler);
}

QString applicationFolder()
{
    // In the platform's own form: on Windows with the backslashes that the
    // bitmap names are joined with.
    return folderOverride.isEmpty()
               ? QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
               : folderOverride;
}

void setApplicationFolder(const QString& folder)
{
    folderOverride = folder;
}

void endApplication()
{
    if (endHandler) {
        endHandler();
        return;
    }
    // exit(), unlike quit(), leaves the event loop without asking the
    // windows to close, so the exit question is not asked twice.
    QCoreApplication::exit(0);
}

void setEndApplicationHandler(std::function<void()> handler)
{
    endHandler = std::move(handler);
}

} // namespace Platform
