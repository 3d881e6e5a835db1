// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

// One run of tr7400ctl, as a script runs it: no input, its exit status (-1
// when it crashed or did not end within a minute) and what it printed.
struct CtlRun {
    int status = -1;
    QString out;
    QString err;
};

// childSetUp runs in the child before the program, e.g. to drop root.
inline CtlRun runCtlProgram(const QString& program, const QStringList& arguments,
                            const std::function<void()>& childSetUp = {})
{
    QProcess process;
    if (childSetUp)
        process.setChildProcessModifier(childSetUp);
    process.start(program, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
