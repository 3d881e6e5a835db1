// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "dropdownlist.h"

#include <QAbstractItemView>

DropDownList::DropDownList(QObject* keyPreview, QWidget* parent)
    : QComboBox(parent), m_keyPreview(keyPreview)
{
    setEditable(false);
    installEventFilter(keyPreview);
}

void DropDownList::showPopup()
{
    // The open list exists only once it was first asked for; building it for
    // every list at start-up would cost time for lists never opened.
    if (!m_popupPreviewed) {
        view()->installEventFilter(m_keyPreview);
        m_popupPreviewed = true;
    }
    QComboBox::showPopup();
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
