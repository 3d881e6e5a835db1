// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QComboBox>

// A drop-down list whose window sees its keys first, also while its list of
// choices is open: keys then go to the open list, not to the closed one, so
// the window's filter is put on that list too when it first opens.
//
// Its choices open only where the user could open them by hand: while the
// list is enabled and on screen. A list that its window disabled or hid
// keeps its choice until the window's own rules change it, whoever asks
// (a screen reader's action, a key, a call of showPopup()); disabling or
// hiding it closes its open choices.
class DropDownList : public QComboBox
{
    Q_OBJECT

  public:
    DropDownList(QObject* keyPreview, QWidget* parent);

    bool canOpen() const { return isEnabled() && isVisible(); }
    void showPopup() override;
    // Whether its choices are open now; asking builds none.
    bool choicesOpen() const;

    // Tells assistive technology the current choice, if it is not the one
    // told last; run by every change the user makes, and by the window after
    // it sets a choice itself.
    void tellChoice();

    // Where the choice is drawn, in the list's coordinates.
    QRect choiceRect() const;

    // The list that owns an open drop-down, for an object that receives its
    // keys; null for anything else.
    static DropDownList* owning(QObject* popupChild);

  protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QObject* m_keyPreview;
    bool m_popupPreviewed = false;
    QString m_toldChoice;
};
