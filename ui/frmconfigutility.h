// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "download.h"
#include "dropdownlist.h"
#include "settingslists.h"

#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QKeyEvent;
class ImageControl;
class MessageBanner;
class Spooler;
class frmFeatures;

// The main window: the permanent settings as drop-down lists, which are the
// only store of the settings, and the five command images.
class frmConfigUtility : public QWidget, public SettingsLists, public DownloadWindow
{
    Q_OBJECT

  public:
    explicit frmConfigUtility(Spooler& spooler, QWidget* parent = nullptr);
    ~frmConfigUtility() override;

    // Every list back to its default with the enabled states of the
    // defaults, and the please-wait banner hidden.
    void IntializeSelectionBoxes();

    void fncPrintPrinterFeaturesEsc();
    void fncPrintPrinterFeaturesIBM();

    // Shows the window centred on its screen.
    void showCentred();

    QComboBox* list(Setting setting) const { return m_lists[indexOf(setting)]; }
    // The features window, once Show Features has created it.
    frmFeatures* featuresWindow() const { return m_features.get(); }

    // Owned by the hover image buttons.
    bool blnButtonsReset = false;
    // 2 from a key-down with Ctrl alone until the next character.
    int intCtrlKeyState = 0;

    // SettingsLists: the lists themselves.
    int selectedIndex(Setting setting) const override;
    void setSelectedIndex(Setting setting, int index) override;
    bool isListEnabled(Setting setting) const override;
    void setListEnabled(Setting setting, bool enabled) override;

    // DownloadWindow
    void restoreAfterBusyPrinter() override;

  public slots:
    // The commands; each acts on a release of the left button (1) only.
    void imgApplySettings_MouseUp(int button, int shift, float x, float y);
    void imgDefault_MouseUp(int button, int shift, float x, float y);
    void imgPFeatures_MouseUp(int button, int shift, float x, float y);
    void imgSFeatures_MouseUp(int button, int shift, float x, float y);
    void imgExit_MouseUp(int button, int shift, float x, float y);

    // The pointer over an image button highlights it; over the background
    // it puts every button back at rest.
    void imgApplySettings_MouseMove(int button, int shift, float x, float y);
    void imgDefault_MouseMove(int button, int shift, float x, float y);
    void imgExit_MouseMove(int button, int shift, float x, float y);
    void imgPFeatures_MouseMove(int button, int shift, float x, float y);
    void imgSFeatures_MouseMove(int button, int shift, float x, float y);
    void imgBackground_MouseMove(int button, int shift, float x, float y);

  protected:
    // Closing the window asks the exit question; No keeps it open.
    void closeEvent(QCloseEvent* event) override;
    // Key preview: the lists' keys pass through the window's handlers first.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    using Handler = void (frmConfigUtility::*)(int button, int shift, float x, float y);
    // The five command images, top to bottom. Each runs its command on a click
    // and on Ctrl with its letter, and lights up under the pointer.
    struct CommandButton {
        ImageControl* frmConfigUtility::*control;
        const char* name;
        const char* picture;
        const char* caption;
        Qt::Key letter; // with Ctrl, the keyboard accelerator
        Handler command;
        Handler hover;
    };
    static const std::array<CommandButton, 5> commandButtons;

    // The keyboard accelerators: Alt+letter focuses a list, Ctrl+letter runs
    // a command.
    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyPress(int& keyAscii);
    void Form_KeyUp(int keyCode, int shift);
    // The list an Alt letter would give the focus to now; null when the
    // letter names none or its list cannot take the focus.
    QComboBox* altLetterTarget(int keyCode) const;
    // The command a Ctrl letter runs; null for a letter that runs none.
    static Handler ctrlLetterCommand(int keyCode);
    // Whether the release of this key with this modifier mask would act.
    bool acceleratorActs(int keyCode, int shift) const;
    // Runs a key press through the handlers; true when its character was
    // swallowed.
    bool previewKeyPress(QKeyEvent* event);
    void previewKeyRelease(QKeyEvent* event);

    void Form_Load();
    void cmbCharacterTable_Click();
    void cmbInterface_Click();

    void buildImages();
    void buildLists();
    void buildListLabel(QComboBox* list, const QString& text);
    void buildPictureBoxes();

    Spooler& m_spooler;
    std::unique_ptr<frmFeatures> m_features;
    std::array<DropDownList*, settingCount> m_lists{};

    ImageControl* imgBackground = nullptr;
    ImageControl* imgApplySettings = nullptr;
    ImageControl* imgDefault = nullptr;
    ImageControl* imgSFeatures = nullptr;
    ImageControl* imgPFeatures = nullptr;
    ImageControl* imgExit = nullptr;
    MessageBanner* imgWarning = nullptr;
};
