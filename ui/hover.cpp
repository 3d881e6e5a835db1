// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The hover pictures of the main window's five image buttons.
#include "frmconfigutility.h"
#include "hoverbuttons.h"

namespace
{
const QString applySettings = QStringLiteral("Apply_Settings");
const QString restoreDefault = QStringLiteral("Restore_Default");
const QString exitButton = QStringLiteral("Exit_Button");
const QString printFeatures = QStringLiteral("Print_Features");
const QString showFeatures = QStringLiteral("Show_Features");
} // namespace

void frmConfigUtility::imgApplySettings_MouseMove(int, int, float, float)
{
    HoverButtons::highlight(blnButtonsReset, {imgApplySettings, applySettings});
}

void frmConfigUtility::imgDefault_MouseMove(int, int, float, float)
{
    HoverButtons::highlight(blnButtonsReset, {imgDefault, restoreDefault});
}

void frmConfigUtility::imgExit_MouseMove(int, int, float, float)
{
    HoverButtons::highlight(blnButtonsReset, {imgExit, exitButton});
}

void frmConfigUtility::imgPFeatures_MouseMove(int, int, float, float)
{
    HoverButtons::highlight(blnButtonsReset, {imgPFeatures, printFeatures});
}

void frmConfigUtility::imgSFeatures_MouseMove(int, int, float, float)
{
    HoverButtons::highlight(blnButtonsReset, {imgSFeatures, showFeatures});
}

void frmConfigUtility::imgBackground_MouseMove(int, int, float, float)
{
    HoverButtons::reset(blnButtonsReset, {{imgApplySettings, applySettings},
                                          {imgDefault, restoreDefault},
                                          {imgExit, exitButton},
                                          {imgPFeatures, printFeatures},
                                          {imgSFeatures, showFeatures}});
}
