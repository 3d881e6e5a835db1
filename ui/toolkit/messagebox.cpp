// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QQueue>

namespace MessageBox
{
namespace
{
bool testing = false;
QQueue<Answer> answers;
QList<Shown> shown;
std::function<void(const Shown&)> observer;

Answer defaultAnswer(Buttons buttons)
{
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Critical:
        break;
    }
    return QMessageBox::Critical;
}
} // namespace

QString lines(std::initializer_list<QString> parts)
{
    QStringList list(parts);
    return list.join(QStringLiteral("\r\n"));
}

Answer show(const QString& text, Icon icon, Buttons buttons, const std::optional<QString>& title,
            QWidget* parent)
{
    const QString caption = title.value_or(QCoreApplication::applicationName());
    shown.append({text, icon, buttons, caption});
    if (testing) {
        if (observer) {
            const Shown box = shown.last(); // the observer may show another
            observer(box);
        }
        return answers.isEmpty() ? defaultAnswer(buttons) : answers.dequeue();
    }

    // Over the window the user is working in, not in the middle of the screen.
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton,
                    parent ? parent : QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

void setTesting(bool on)
{
    testing = on;
    answers.clear();
    observer = {};
}

void setObserver(std::function<void(const Shown&)> function)
{
    observer = std::move(function);
}

void queueAnswer(Answer answer)
{
    answers.enqueue(answer);
}

const QList<Shown>& history()
{
    return shown;
}

QStringList shownTexts()
{
    QStringList texts;
    for (const Shown& box : shown)
        texts << box.text;
    return texts;
}

void clearHistory()
{
    shown.clear();
}

} // namespace MessageBox
