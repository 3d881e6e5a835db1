// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "frmconfigutility.h"

#include "dropdownlist.h"
#include "fixedwindow.h"
#include "fonts.h"
#include "frmfeatures.h"
#include "imagecontrol.h"
#include "messagebanner.h"
#include "messagebox.h"
#include "picturebox.h"
#include "platform.h"
#include "printfeatures.h"
#include "spoolmessages.h"
#include "storedpicture.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>

namespace
{
constexpr int listWidth = 137;
constexpr int listHeight = 21;
constexpr int leftColumnX = 152;
constexpr int rightColumnX = 424;

int rowTop(int row)
{
    return 40 + 24 * (row - 1);
}

// Where each list stands, in tab order: the left column top to bottom, then
// the right column, with the hidden list between Auto LineFeed and Dark Mode.
struct ListPlace {
    Setting setting;
    int x;
    int row;
};
constexpr std::array<ListPlace, settingCount> listPlaces{{
    {Setting::HSG, leftColumnX, 1},
    {Setting::HSD, leftColumnX, 2},
    {Setting::LQF, leftColumnX, 3},
    {Setting::Tearoff, leftColumnX, 4},
    {Setting::PageLength, leftColumnX, 5},
    {Setting::Interface, leftColumnX, 6},
    {Setting::StrobeEdge, leftColumnX, 7},
    {Setting::CharacterTable, leftColumnX, 8},
    {Setting::Language, leftColumnX, 9},
    {Setting::LanguageStandard, leftColumnX, 10},
    {Setting::SpaceCompensation, leftColumnX, 11},
    {Setting::InputBufferSize, rightColumnX, 1},
    {Setting::SkipOverPerf, rightColumnX, 2},
    {Setting::PrintDirection, rightColumnX, 3},
    {Setting::SlashedZero, rightColumnX, 4},
    {Setting::LineSpacing, rightColumnX, 5},
    {Setting::AutoLF, rightColumnX, 6},
    {Setting::VacantBufferSize, rightColumnX, 10},
    {Setting::DarkMode, rightColumnX, 7},
    {Setting::PrintImpact, rightColumnX, 8},
    {Setting::SleepMode, rightColumnX, 9},
}};

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The program's icon at the sizes desktops ask for; at 64 pixels it is the
// stored 256-colour icon.
QIcon programIcon()
{
    QIcon icon;
    for (const int pixels : {16, 24, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/images/icons/tr7400config-%1.png").arg(pixels),
                     QSize(pixels, pixels));
    icon.addFile(QStringLiteral(":/images/icon.png"), QSize(64, 64));
    return icon;
}

} // namespace

frmConfigUtility::frmConfigUtility(Spooler& spooler, QWidget* parent)
    : QWidget(parent, fixedWindowFlags()), m_spooler(spooler)
{
    setObjectName(QStringLiteral("frmConfigUtility"));
    setWindowTitle(QStringLiteral("Altrune TR 7400 Printer Configuration Utility"));
    // The stored icon alone until the window is up: on X11 every size of a
    // window's icon is read and sent to the server before the window maps.
    setWindowIcon(QIcon(storedPicture("icon.png")));
    setFixedSize(727, 356);

    // Children created later lie above those created earlier: the images
    // first (the background under the buttons), then the lists, then the
    // picture boxes, so that the banner covers the lists it overlaps.
    buildImages();
    buildLists();
    buildPictureBoxes();

    Form_Load();
    m_lists[indexOf(Setting::HSG)]->setFocus();
}

frmConfigUtility::~frmConfigUtility() = default;

const std::array<frmConfigUtility::CommandButton, 5> frmConfigUtility::commandButtons{{
    {&frmConfigUtility::imgApplySettings, "imgApplySettings", "button_apply.png", "Apply Settings",
     Qt::Key_A, &frmConfigUtility::imgApplySettings_MouseUp,
     &frmConfigUtility::imgApplySettings_MouseMove},
    {&frmConfigUtility::imgDefault, "imgDefault", "button_default.png", "Restore Default",
     Qt::Key_D, &frmConfigUtility::imgDefault_MouseUp, &frmConfigUtility::imgDefault_MouseMove},
    {&frmConfigUtility::imgSFeatures, "imgSFeatures", "button_showfeatures.png", "Show Features",
     Qt::Key_S, &frmConfigUtility::imgSFeatures_MouseUp, &frmConfigUtility::imgSFeatures_MouseMove},
    {&frmConfigUtility::imgPFeatures, "imgPFeatures", "button_printfeatures.png", "Print Features",
     Qt::Key_P, &frmConfigUtility::imgPFeatures_MouseUp, &frmConfigUtility::imgPFeatures_MouseMove},
    {&frmConfigUtility::imgExit, "imgExit", "button_exit.png", "Exit", Qt::Key_X,
     &frmConfigUtility::imgExit_MouseUp, &frmConfigUtility::imgExit_MouseMove},
}};

void frmConfigUtility::buildImages()
{
    const qreal ratio = devicePixelRatio();
    imgBackground = new ImageControl(QStringLiteral("imgBackground"),
                                     StoredPicture("background.png", ratio), this);
    imgBackground->move(0, 0);
    connect(imgBackground, &ImageControl::mouseMoved, this,
            &frmConfigUtility::imgBackground_MouseMove);

    int top = 164;
    for (const CommandButton& button : commandButtons) {
        ImageControl* control = new ImageControl(QLatin1String(button.name),
                                                 StoredPicture(button.picture, ratio), this);
        this->*button.control = control;
        control->move(594, top);
        control->setCommand(QLatin1String(button.caption), QKeySequence(Qt::CTRL | button.letter));
        connect(control, &ImageControl::mouseReleased, this, button.command);
        connect(control, &ImageControl::mouseMoved, this, button.hover);
        top += 30;
    }
}

void frmConfigUtility::buildLists()
{
    // Set once on the window, before the lists exist, so that they take it
    // as they are built: a font set on a built list makes it build its whole
    // drop-down at once.
    setFont(verdanaFont(8.25));

    QWidget* previous = nullptr;
    for (const ListPlace& place : listPlaces) {
        const SettingInfo& info = settingInfo(place.setting);
        auto* combo = new DropDownList(/*keyPreview=*/this, this);
        combo->setObjectName(fromView(info.listName));
        combo->setGeometry(place.x, rowTop(place.row), listWidth, listHeight);
        for (std::string_view choice : info.choices)
            combo->addItem(fromView(choice));
        combo->setCurrentIndex(-1); // no choice until the defaults are selected
        if (info.label.empty())
            combo->setAccessibleName(QStringLiteral("Vacant Buffer Size"));
        else
            buildListLabel(combo, fromView(info.label));
        if (previous)
            setTabOrder(previous, combo);
        previous = combo;
        m_lists[indexOf(place.setting)] = combo;
    }
    m_lists[indexOf(Setting::VacantBufferSize)]->setVisible(false);

    connect(list(Setting::CharacterTable), &QComboBox::currentIndexChanged, this,
            &frmConfigUtility::cmbCharacterTable_Click);
    connect(list(Setting::Interface), &QComboBox::currentIndexChanged, this,
            &frmConfigUtility::cmbInterface_Click);
}

// Screen readers name a drop-down list by the label whose buddy it is (on
// Linux a list's own name is its current choice). The labels this window
// shows are pictures, so each list gets a label with its setting's name that
// is never shown. Its text has no '&': a mnemonic would give the label an Alt
// shortcut of its own beside the window's Alt letters.
void frmConfigUtility::buildListLabel(QComboBox* list, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lbl") + list->objectName());
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(list);
    label->hide();
}

void frmConfigUtility::buildPictureBoxes()
{
    struct Box {
        const char* name;
        const char* picture;
        QRect geometry;
    };
    const Box boxes[] = {
        {"Picture1", "Picture1.png", QRect(8, 4, 201, 17)},
        {"Attribute1", "Attribute1.png", QRect(5, 40, 140, 265)},
        {"Attribute2", "Attribute2.png", QRect(296, 40, 129, 241)},
    };
    const qreal ratio = devicePixelRatio();
    for (const Box& box : boxes) {
        auto* label =
            new PictureBox(QLatin1String(box.name), StoredPicture(box.picture, ratio), this);
        label->setGeometry(box.geometry);
    }
    // The label boxes have the window colour behind their pictures: where a
    // box is wider than its picture (Attribute2, by a column) that colour
    // shows, not the panel of the background image.
    for (const char* name : {"Attribute1", "Attribute2"}) {
        auto* label = findChild<QLabel*>(QLatin1String(name));
        label->setBackgroundRole(QPalette::Window);
        label->setAutoFillBackground(true);
    }

    imgWarning = new MessageBanner(
        QStringLiteral("imgWarning"), StoredPicture("imgWarning.png", ratio),
        QStringLiteral("Please wait, while printer settings being applied."), this);
    imgWarning->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    imgWarning->setLineWidth(2);
    imgWarning->setGeometry(184, 144, 350, 38);
}

void frmConfigUtility::Form_Load()
{
    IntializeSelectionBoxes();
}

void frmConfigUtility::IntializeSelectionBoxes()
{
    selectDefaults(*this);
    imgWarning->hide();
}

int frmConfigUtility::selectedIndex(Setting setting) const
{
    return list(setting)->currentIndex();
}

void frmConfigUtility::setSelectedIndex(Setting setting, int index)
{
    DropDownList* target = m_lists[indexOf(setting)];
    {
        // The handler runs below, once, whether or not the index changed.
        const QSignalBlocker blocker(target);
        target->setCurrentIndex(index);
    }
    // The blocked signals did not tell the screen reader either.
    target->tellChoice();
    runChangeHandler(*this, setting);
}

bool frmConfigUtility::isListEnabled(Setting setting) const
{
    return list(setting)->isEnabled();
}

void frmConfigUtility::setListEnabled(Setting setting, bool enabled)
{
    list(setting)->setEnabled(enabled);
}

void frmConfigUtility::cmbCharacterTable_Click()
{
    applyCharacterTableRule(*this);
}

void frmConfigUtility::cmbInterface_Click()
{
    applyInterfaceRule(*this);
}

void frmConfigUtility::showCentred()
{
    centreOnScreen(this, screen());
    show();
    // The display server maps the window while its pictures are decoded; the
    // first frame, painted only after this, shows them all.
    readStoredPictures(this);
    activateWindow();
    afterFirstFrame(this, [this] { setWindowIcon(programIcon()); });
}

void frmConfigUtility::imgApplySettings_MouseUp(int button, int, float, float)
{
    if (button != 1 || !confirmPrinterReady())
        return;
    imgWarning->show();
    imgWarning->repaint();
    imgApplySettings->setEnabled(false);
    imgBackground->setEnabled(false);

    mdlFlagSettings::fncDownloadFlagSettings(mdlFlagSettings::downloadModeSend,
                                             mdlFlagSettings::fncGetFlagSettings(*this), m_spooler,
                                             this);

    imgWarning->hide();
    imgApplySettings->setEnabled(true);
    imgBackground->setEnabled(true);
}

void frmConfigUtility::restoreAfterBusyPrinter()
{
    imgApplySettings->setEnabled(true);
    imgWarning->hide();
    imgBackground->setEnabled(true);
    imgApplySettings->repaint();
    imgWarning->repaint();
    imgBackground->repaint();
}

void frmConfigUtility::imgDefault_MouseUp(int button, int, float, float)
{
    if (button != 1 || !confirmPrinterReady())
        return;
    IntializeSelectionBoxes();
    mdlFlagSettings::fncDownloadFlagSettings(mdlFlagSettings::downloadModeSend,
                                             mdlFlagSettings::fncGetFlagSettings(*this), m_spooler,
                                             this);
}

void frmConfigUtility::imgPFeatures_MouseUp(int button, int, float, float)
{
    if (button != 1 || !confirmPrinterReady())
        return;
    fncPrintPrinterFeaturesEsc();
}

void frmConfigUtility::imgSFeatures_MouseUp(int button, int, float, float)
{
    if (button != 1)
        return;
    hide();
    if (!m_features)
        m_features = std::make_unique<frmFeatures>(this, [this] { fncPrintPrinterFeaturesEsc(); });
    m_features->showFeatures();
}

void frmConfigUtility::fncPrintPrinterFeaturesEsc()
{
    printFeaturesPage(m_spooler, FeaturesCommandSet::EscP);
}

void frmConfigUtility::fncPrintPrinterFeaturesIBM()
{
    printFeaturesPage(m_spooler, FeaturesCommandSet::Ibm);
}

namespace
{
bool confirmExit()
{
    return MessageBox::show(QStringLiteral("Are you sure to quit from this application?"),
                            MessageBox::Icon::Question, MessageBox::Buttons::YesNo,
                            messageTitle()) == MessageBox::Answer::Yes;
}
} // namespace

void frmConfigUtility::imgExit_MouseUp(int button, int, float, float)
{
    if (button == 1 && confirmExit())
        Platform::endApplication();
}

void frmConfigUtility::closeEvent(QCloseEvent* event)
{
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    event->accept();
    Platform::endApplication();
}
