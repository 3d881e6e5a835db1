// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "accessiblelist.h"

#include "dropdownlist.h"

#include <QAbstractItemView>

AccessibleList::AccessibleList(DropDownList* list) : QAccessibleWidget(list, QAccessible::ComboBox)
{
}

void* AccessibleList::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

DropDownList* AccessibleList::list() const
{
    return static_cast<DropDownList*>(widget());
}

QString AccessibleList::choice() const
{
    return list()->currentText();
}

// The list of choices, as Qt presents a combo box: it is built when first
// asked for, as when the list first opens.
int AccessibleList::childCount() const
{
    return 1;
}

QAccessibleInterface* AccessibleList::child(int index) const
{
    return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
}

int AccessibleList::indexOfChild(const QAccessibleInterface* child) const
{
    return child && child->object() == list()->view() ? 0 : -1;
}

QAccessibleInterface* AccessibleList::childAt(int, int) const
{
    return nullptr;
}

QAccessibleInterface* AccessibleList::focusChild() const
{
    return nullptr;
}

QString AccessibleList::text(QAccessible::Text t) const
{
    QString text;
    switch (t) {
    case QAccessible::Name:
#ifdef Q_OS_UNIX
        // As Qt names a combo box on Linux: by its choice; screen readers
        // there name it by the label it is labelled by.
        text = choice();
#endif
        break;
    case QAccessible::Value:
        text = choice();
        break;
    default:
        break;
    }
    return text.isEmpty() ? QAccessibleWidget::text(t) : text;
}

QAccessible::State AccessibleList::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = list()->choicesOpen();
    return state;
}

QStringList AccessibleList::actionNames() const
{
    if (!list()->canOpen())
        return {};
    return {showMenuAction(), pressAction()};
}

QString AccessibleList::localizedActionDescription(const QString& actionName) const
{
    if (actionName == showMenuAction() || actionName == pressAction())
        return QComboBox::tr("Open the combo box selection popup");
    return {};
}

void AccessibleList::doAction(const QString& actionName)
{
    if (!list()->canOpen() || (actionName != showMenuAction() && actionName != pressAction()))
        return;
    if (list()->choicesOpen())
        list()->hidePopup();
    else
        list()->showPopup();
}

QStringList AccessibleList::keyBindingsForAction(const QString&) const
{
    return {};
}

QString AccessibleList::text(int startOffset, int endOffset) const
{
    const QString text = choice();
    startOffset = qBound(0, startOffset, int(text.size()));
    endOffset = endOffset < 0 ? int(text.size()) : qBound(startOffset, endOffset, int(text.size()));
    return text.mid(startOffset, endOffset - startOffset);
}

int AccessibleList::characterCount() const
{
    return int(choice().size());
}

int AccessibleList::cursorPosition() const
{
    return list()->hasFocus() ? characterCount() : 0;
}

int AccessibleList::selectionCount() const
{
    return list()->hasFocus() && characterCount() > 0 ? 1 : 0;
}

void AccessibleList::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = selectionIndex < selectionCount() ? characterCount() : 0;
}

// The choice is chosen from the list, never typed or selected.
void AccessibleList::setCursorPosition(int) {}
void AccessibleList::addSelection(int, int) {}
void AccessibleList::removeSelection(int) {}
void AccessibleList::setSelection(int, int, int) {}
void AccessibleList::scrollToSubstring(int, int) {}

QRect AccessibleList::characterRect(int offset) const
{
    const QString text = choice();
    if (offset < 0 || offset >= text.size())
        return {};
    const QFontMetrics metrics = list()->fontMetrics();
    const QRect field = list()->choiceRect();
    const int left = field.left() + metrics.horizontalAdvance(text.left(offset));
    const QRect character(left, field.center().y() - metrics.height() / 2,
                          metrics.horizontalAdvance(text.at(offset)), metrics.height());
    return QRect(list()->mapToGlobal(character.topLeft()), character.size());
}

int AccessibleList::offsetAtPoint(const QPoint& point) const
{
    for (int offset = 0; offset < characterCount(); ++offset) {
        if (characterRect(offset).contains(point))
            return offset;
    }
    return -1;
}

QString AccessibleList::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
