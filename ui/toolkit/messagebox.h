// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Every message box of the program goes through here, so that tests can
// answer it and see what was shown without a modal dialog blocking them.
namespace MessageBox
{

enum class Icon { Information, Question, Critical };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

struct Shown {
    QString text;
    Icon icon;
    Buttons buttons;
    QString title; // the title the box carried, the application's title when none was given
};

// Lines of a message are joined by CR LF.
QString lines(std::initializer_list<QString> parts);

// A modal box; with no title it carries the application's name as its title.
// Closing the box counts as Cancel (OK/Cancel) or No (Yes/No).
Answer show(const QString& text, Icon icon, Buttons buttons,
            const std::optional<QString>& title = std::nullopt, QWidget* parent = nullptr);

// Test hooks. In testing mode no dialog is shown: the next queued answer is
// returned, or the box's default button (OK, Yes) when nothing is queued.
void setTesting(bool testing);
void queueAnswer(Answer answer);
// Called with each box as it is shown in testing mode, before it is answered:
// a test sees the windows as the user would while the box is up.
void setObserver(std::function<void(const Shown&)> observer);
const QList<Shown>& history();
// The texts of the boxes shown, in order.
QStringList shownTexts();
void clearHistory();

} // namespace MessageBox
