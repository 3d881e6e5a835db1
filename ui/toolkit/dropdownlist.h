// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <QComboBox>

// A drop-down list whose window sees its keys first, also while its list of
// choices is open: keys then go to the open list, not to the closed one, so
// the window's filter is put on that list too when it first opens.
class DropDownList : public QComboBox
{
    Q_OBJECT

  public:
    DropDownList(QObject* keyPreview, QWidget* parent);

    void showPopup() override;

    // The list that owns an open drop-down, for an object that receives its
    // keys; null for anything else.
    static DropDownList* owning(QObject* popupChild);

  private:
    QObject* m_keyPreview;
    bool m_popupPreviewed = false;
};
