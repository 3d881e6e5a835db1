// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "dropdownlist.h"

#include "accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QStyleOptionComboBox>

DropDownList::DropDownList(QObject* keyPreview, QWidget* parent)
    : QComboBox(parent), m_keyPreview(keyPreview)
{
    Accessibility::installFactory();
    setEditable(false);
    installEventFilter(keyPreview);
    connect(this, &QComboBox::currentTextChanged, this, &DropDownList::tellChoice);
}

void DropDownList::showPopup()
{
    if (!canOpen())
        return;
    // The open list exists only once it was first asked for; building it for
    // every list at start-up would cost time for lists never opened.
    if (!m_popupPreviewed) {
        view()->installEventFilter(m_keyPreview);
        m_popupPreviewed = true;
    }
    QComboBox::showPopup();
}

bool DropDownList::choicesOpen() const
{
    // Not view(), which would build them.
    const auto* choices = findChild<QAbstractItemView*>();
    return choices && choices->isVisible();
}

void DropDownList::tellChoice()
{
    const QString choice = currentText();
    if (choice == m_toldChoice)
        return;
    // A choice taken from the open choices is read when the focus comes back
    // to the list, which closes them.
    if (QAccessible::isActive() && !choicesOpen()) {
        // The new choice goes in before the old one, which then goes: Orca
        // speaks inserted text that is selected (the focused list's choice
        // is, see AccessibleList), and a removal of text other than the
        // selected text is not spoken.
        QAccessibleTextInsertEvent inserted(this, 0, choice);
        QAccessible::updateAccessibility(&inserted);
        if (!m_toldChoice.isEmpty()) {
            QAccessibleTextRemoveEvent removed(this, int(choice.size()), m_toldChoice);
            QAccessible::updateAccessibility(&removed);
        }
    }
    m_toldChoice = choice;
}

QRect DropDownList::choiceRect() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                   this);
}

void DropDownList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        hidePopup();
    QComboBox::changeEvent(event);
}

void DropDownList::hideEvent(QHideEvent* event)
{
    hidePopup();
    QComboBox::hideEvent(event);
}

DropDownList* DropDownList::owning(QObject* popupChild)
{
    // The open list lies in a popup frame whose parent is its drop-down list.
    for (QObject* object = popupChild; object; object = object->parent()) {
        if (auto* list = qobject_cast<DropDownList*>(object))
            return object == popupChild ? nullptr : list;
    }
    return nullptr;
}
