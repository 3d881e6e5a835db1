// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QAccessibleWidget>

class DropDownList;

// A drop-down list as assistive technology sees it: a combo box with its
// list of choices as its child, whose choice is its value and its text. Orca
// reads a combo box's choice from its text alone, and speaks a change of the
// focused list's choice because that text counts as selected while the list
// has the focus (as the choice of a focused drop-down list is highlighted on
// Windows). It opens, and offers to open, only where the list can open
// (DropDownList::canOpen); its text cannot be edited or selected.
class AccessibleList : public QAccessibleWidget, public QAccessibleTextInterface
{
  public:
    explicit AccessibleList(DropDownList* list);

    void* interface_cast(QAccessible::InterfaceType type) override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    QString localizedActionDescription(const QString& actionName) const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    int selectionCount() const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  private:
    DropDownList* list() const;
    QString choice() const;
};
