// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// What a screen reader finds in both windows, through Qt's accessibility
// interfaces: every shown list named by its setting's label and telling its
// choice, a list that the window locked never opening, the command images as
// push buttons whose press runs their command, the please-wait banner as a
// notification, and pictures that offer nothing to do. Against the real
// spooler and a private scheduler, so that a press of Apply Settings is seen
// to reach the printer side with the block the lists hold.

#include "dropdownlist.h"
#include "expectedtexts.h"
#include "frmconfigutility.h"
#include "frmfeatures.h"
#include "imagecontrol.h"
#include "schedulerfixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>

namespace
{
using Answer = MessageBox::Answer;

const QString bannerText = QStringLiteral("Please wait, while printer settings being applied.");
const QString settingsJob = QStringLiteral("Permanent Settings Configuration");
const QString featuresJob = QStringLiteral("TR7400 FEATURS");
// Apply Settings and Restore Default with every list at its default.
const QByteArray defaultBlock = QByteArray::fromHex("1b1901 10 02 00 00 00 10 e0 01 01 00 00");
// The same with Tear Off at Short Manual, its second choice.
const QByteArray tearOffBlock = QByteArray::fromHex("1b1901 50 02 00 00 00 10 e0 01 01 00 00");
const int noAnswer = -1;

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

void press(QObject* image)
{
    accessible(image)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// Runs a press asked for before, as the event loop would.
void runPendingPress(QObject* image)
{
    QCoreApplication::sendPostedEvents(image, QEvent::MetaCall);
}

QString textOf(QAccessibleInterface* iface)
{
    QAccessibleTextInterface* text = iface->textInterface();
    return text ? text->text(0, text->characterCount()) : QStringLiteral("(no text)");
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    SchedulerFixture f;
    std::unique_ptr<frmConfigUtility> m_window;
    int m_ends = 0;

    QWidget* child(const char* name) { return m_window->findChild<QWidget*>(name); }

    frmFeatures* showFeatures()
    {
        m_window->imgSFeatures_MouseUp(1, 0, 0, 0);
        return m_window->featuresWindow();
    }

    // An image of the main window, or of the features window, which is
    // opened for it.
    QWidget* image(const QString& window, const QString& name)
    {
        QWidget* in = m_window.get();
        if (window == "features")
            in = showFeatures();
        return in->findChild<QWidget*>(name);
    }

  private slots:
    void init()
    {
        QVERIFY2(f.reset(), qPrintable(f.error()));
        m_ends = 0;
        Platform::setEndApplicationHandler([this] { ++m_ends; });
        m_window = std::make_unique<frmConfigUtility>(f.spooler());
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        Platform::setEndApplicationHandler({});
    }

    // A screen reader says "Tear Off, Short Auto, combo box": the name comes
    // from the label whose buddy the list is, the value from the list. The
    // label is never shown, so nothing is drawn over the label pictures.
    void listsAreLabelled_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::newRow("cmbHSG") << "High Speed Graphics"
                                << "Disabled";
        QTest::newRow("cmbHSD") << "High Speed Draft"
                                << "Disabled";
        QTest::newRow("cmbLQF") << "LQ Font Type"
                                << "Roman";
        QTest::newRow("cmbTearoff") << "Tear Off"
                                    << "Short Auto";
        QTest::newRow("cmbPageLength") << "Page Length"
                                       << "12 Inch";
        QTest::newRow("cmbInterface") << "Interface"
                                      << "Autoshare";
        QTest::newRow("cmbStrobeEdge") << "Strobe Edge"
                                       << "Falling";
        QTest::newRow("cmbCharacterTable") << "Character Table"
                                           << "Graphics";
        QTest::newRow("cmbLanguage") << "Language"
                                     << "Hindi";
        QTest::newRow("cmbLanguageStandard") << "Language Standard"
                                             << "8 bit-ISCII";
        QTest::newRow("cmbSpaceCompensation") << "Space Compensation"
                                              << "Disabled";
        QTest::newRow("cmbInputBufferSize") << "Input Buffer Size"
                                            << "64K bytes";
        QTest::newRow("cmbSkipOverPerf") << "SkipOverPerf"
                                         << "OFF";
        QTest::newRow("cmbPrintDirection") << "Print Direction"
                                           << "BI-DI";
        QTest::newRow("cmbSlashedZero") << "Slashed Zero"
                                        << "Slashed";
        QTest::newRow("cmbLineSpacing") << "Line Spacing"
                                        << "6 LPI";
        QTest::newRow("cmbAutoLF") << "Auto LineFeed"
                                   << "Disabled";
        QTest::newRow("cmbDarkMode") << "Dark Mode"
                                     << "Disabled";
        QTest::newRow("cmbPrintImpact") << "Print Impact"
                                        << "Normal";
        QTest::newRow("cmbSleepMode") << "Sleep Mode"
                                      << "2 Minutes";
    }

    void listsAreLabelled()
    {
        QFETCH(QString, label);
        QFETCH(QString, value);
        const QString list = QTest::currentDataTag();
        QAccessibleInterface* iface = accessible(m_window->findChild<QComboBox*>(list));
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::ComboBox);
        QCOMPARE(iface->text(QAccessible::Value), value);
        // Orca reads the choice from the list's text, and from nothing else.
        QCOMPARE(textOf(iface), value);

        const auto relations = iface->relations(QAccessible::Label);
        QCOMPARE(relations.size(), 1);
        QAccessibleInterface* labelIface = relations.first().first;
        QCOMPARE(labelIface->text(QAccessible::Name), label);
        QCOMPARE(labelIface->object()->objectName(), "lbl" + list);
        QVERIFY(labelIface->state().invisible);
        QVERIFY(!static_cast<QWidget*>(labelIface->object())->isVisible());
    }

    void hiddenListHasNoLabel()
    {
        QAccessibleInterface* iface = accessible(m_window->list(Setting::VacantBufferSize));
        QVERIFY(iface->state().invisible);
        QVERIFY(iface->relations(QAccessible::Label).isEmpty());
    }

    // Orca speaks a new choice at once when text that is selected is
    // inserted (test-orca.sh hears it): the focused list's choice counts as
    // selected, and it is always the choice the list shows.
    void focusedChoiceIsSelected()
    {
        QComboBox* list = m_window->list(Setting::Tearoff);
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QAccessibleTextInterface* text = accessible(list)->textInterface();
        QAccessibleTextInterface* other = accessible(m_window->list(Setting::HSG))->textInterface();
        int start = -1;
        int end = -1;
        QCOMPARE(text->selectionCount(), 1);
        text->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(0, 10)); // "Short Auto"
        QCOMPARE(other->selectionCount(), 0);

        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(textOf(accessible(list)), "Short Manual");
        text->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(0, 12));
        // Nothing a screen reader asks of the text changes the choice.
        text->setSelection(0, 0, 3);
        text->setCursorPosition(2);
        QCOMPARE(textOf(accessible(list)), "Short Manual");

        m_window->list(Setting::HSG)->setFocus();
        QTRY_VERIFY(!list->hasFocus());
        QCOMPARE(text->selectionCount(), 0);
        QCOMPARE(other->selectionCount(), 1);
    }

    // A list that the window disabled or hid changes only by the window's
    // rules: no action opens it and no route changes it, and Apply Settings
    // still sends the default block. After each try come the keys that
    // change an open list, sent to whatever would get them.
    void lockedListsStayLocked_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QByteArray>("sent");
        const QStringList routes{"Press",       "ShowMenu",           "SetFocus",
                                 "showPopup()", "Toggle of a choice", "a choice's row selected"};
        for (const char* list : {"cmbLanguage", "cmbLanguageStandard", "cmbSpaceCompensation",
                                 "cmbVacantBufferSize"}) {
            for (const QString& route : routes)
                QTest::addRow("%s, %s", list, qPrintable(route)) << list << route << defaultBlock;
        }
        // Disabled or hidden while open: the open choices close.
        QTest::newRow("cmbLanguage disabled while open") << "cmbLanguage"
                                                         << "disabled while open" << defaultBlock;
        QTest::newRow("cmbTearoff hidden while open") << "cmbTearoff"
                                                      << "hidden while open" << defaultBlock;
        // An enabled list on screen opens, and the keys change it.
        QTest::newRow("cmbTearoff, Press") << "cmbTearoff"
                                           << "Press" << tearOffBlock;
    }

    void lockedListsStayLocked()
    {
        QFETCH(QString, list);
        QFETCH(QString, route);
        QFETCH(QByteArray, sent);
        auto* target = m_window->findChild<DropDownList*>(list);
        QAccessibleInterface* iface = accessible(target);
        const bool opens = sent != defaultBlock;
        QCOMPARE(iface->actionInterface()->actionNames().isEmpty(), !target->canOpen());

        if (route == "showPopup()") {
            target->showPopup();
        } else if (route == "Toggle of a choice") {
            QAccessibleInterface* choice = iface->child(0)->child(1);
            QVERIFY(choice && choice->actionInterface());
            choice->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        } else if (route == "a choice's row selected") {
            QVERIFY(iface->child(0)->tableInterface()->selectRow(1));
        } else if (route == "disabled while open" || route == "hidden while open") {
            if (route == "disabled while open")
                m_window->setSelectedIndex(Setting::CharacterTable, 2); // Indian Language
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTRY_VERIFY(target->view()->isVisible());
            if (route == "disabled while open") {
                m_window->setSelectedIndex(Setting::CharacterTable, 0); // Graphics
            } else {
                press(child("imgSFeatures"));
                runPendingPress(child("imgSFeatures"));
                QTRY_COMPARE(QApplication::activeWindow(), m_window->featuresWindow());
            }
        } else {
            using Actions = QAccessibleActionInterface;
            iface->actionInterface()->doAction(route == "Press"      ? Actions::pressAction()
                                               : route == "ShowMenu" ? Actions::showMenuAction()
                                                                     : Actions::setFocusAction());
        }

        QCOMPARE(target->view()->isVisible(), opens);
        QCOMPARE(QApplication::activePopupWidget() != nullptr, opens);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) {
            if (QWidget* popup = QApplication::activePopupWidget())
                QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, key);
            else if (QWidget* active = QApplication::activeWindow())
                QTest::keyClick(active->focusWidget() ? active->focusWidget() : active, key);
        }
        QVERIFY(!QApplication::activePopupWidget());
        if (!m_window->isVisible()) {
            press(m_window->featuresWindow()->findChild<QWidget*>("imgClose"));
            runPendingPress(m_window->featuresWindow()->findChild<QWidget*>("imgClose"));
        }

        MessageBox::queueAnswer(Answer::Ok);
        QWidget* apply = child("imgApplySettings");
        press(apply);
        runPendingPress(apply);
        const QList<CapturedJob> jobs = f.cups().waitForCaptured(1, 20000);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs.first().bytes.toHex(), sent.toHex());
    }

    // Named by their captions, pressable, with the Ctrl letter that runs the
    // same command; like every image they never take the keyboard focus.
    void imageButtons_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("keys");
        QTest::newRow("imgApplySettings") << "main"
                                          << "Apply Settings"
                                          << "Ctrl+A";
        QTest::newRow("imgDefault") << "main"
                                    << "Restore Default"
                                    << "Ctrl+D";
        QTest::newRow("imgSFeatures") << "main"
                                      << "Show Features"
                                      << "Ctrl+S";
        QTest::newRow("imgPFeatures") << "main"
                                      << "Print Features"
                                      << "Ctrl+P";
        QTest::newRow("imgExit") << "main"
                                 << "Exit"
                                 << "Ctrl+X";
        QTest::newRow("imgPrintFeatures") << "features"
                                          << "Print Features"
                                          << "Ctrl+P";
        QTest::newRow("imgClose") << "features"
                                  << "Close"
                                  << "Ctrl+C";
    }

    void imageButtons()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QString, keys);
        QWidget* button = image(window, QTest::currentDataTag());
        QAccessibleInterface* iface = accessible(button);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), caption);
        QVERIFY(!iface->state().disabled);
        QAccessibleActionInterface* actions = iface->actionInterface();
        QVERIFY(actions);
        const QString pressAction = QAccessibleActionInterface::pressAction();
        QCOMPARE(actions->actionNames(), QStringList{pressAction});
        QCOMPARE(actions->keyBindingsForAction(pressAction), QStringList{keys});
        QVERIFY(!iface->state().focusable);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }

    // A press runs the left-button release handler (1, 0, 0, 0), message
    // boxes included, from the event loop: the press itself returns at once,
    // as a screen reader's call over the bus must.
    void pressRunsTheCommand_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("job"); // the job's title at the scheduler; empty: no job
        QTest::addColumn<bool>("mainShown");
        QTest::addColumn<bool>("featuresShown");
        QTest::addColumn<int>("ends");

        const QStringList ready{printerReadyText};
        const QStringList quit{exitQuestionText};
        const int ok = int(Answer::Ok);
        const int cancel = int(Answer::Cancel);
        QTest::newRow("Apply Settings, OK")
            << "main"
            << "imgApplySettings" << ok << ready << settingsJob << true << false << 0;
        QTest::newRow("Apply Settings, Cancel")
            << "main"
            << "imgApplySettings" << cancel << ready << QString() << true << false << 0;
        QTest::newRow("Restore Default, OK")
            << "main"
            << "imgDefault" << ok << ready << settingsJob << true << false << 0;
        QTest::newRow("Print Features, OK")
            << "main"
            << "imgPFeatures" << ok << ready << featuresJob << true << false << 0;
        QTest::newRow("Show Features")
            << "main"
            << "imgSFeatures" << noAnswer << QStringList() << QString() << false << true << 0;
        QTest::newRow("Exit, No") << "main"
                                  << "imgExit" << int(Answer::No) << quit << QString() << true
                                  << false << 0;
        QTest::newRow("Exit, Yes")
            << "main"
            << "imgExit" << int(Answer::Yes) << quit << QString() << true << false << 1;
        QTest::newRow("features window: Print Features, OK")
            << "features"
            << "imgPrintFeatures" << ok << ready << featuresJob << false << true << 0;
        QTest::newRow("features window: Print Features, Cancel")
            << "features"
            << "imgPrintFeatures" << cancel << ready << QString() << false << true << 0;
        QTest::newRow("features window: Close")
            << "features"
            << "imgClose" << noAnswer << QStringList() << QString() << true << false << 0;
    }

    void pressRunsTheCommand()
    {
        QFETCH(QString, window);
        QFETCH(QString, image);
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        QFETCH(QString, job);
        QFETCH(bool, mainShown);
        QFETCH(bool, featuresShown);
        QFETCH(int, ends);

        auto* button = static_cast<ImageControl*>(this->image(window, image));
        const bool mainBefore = m_window->isVisible();
        const qint64 picture = button->picture().cacheKey();
        QSignalSpy releases(button, &ImageControl::mouseReleased);
        if (answer != noAnswer)
            MessageBox::queueAnswer(Answer(answer));

        press(button);
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(releases.size(), 0);
        QCOMPARE(m_window->isVisible(), mainBefore);

        runPendingPress(button);
        QCOMPARE(releases.size(), 1);
        QCOMPARE(releases.first(), (QVariantList{1, 0, 0.0f, 0.0f}));
        QCOMPARE(MessageBox::shownTexts(), shown);
        if (job.isEmpty()) {
            QCOMPARE(f.cups().countJobs(true), 0);
        } else {
            const QList<CapturedJob> jobs = f.cups().waitForCaptured(1, 20000);
            QCOMPARE(jobs.size(), 1);
            QCOMPARE(jobs.first().title, job);
            if (job == settingsJob)
                QCOMPARE(jobs.first().bytes, defaultBlock);
        }
        QCOMPARE(m_window->isVisible(), mainShown);
        frmFeatures* features = m_window->featuresWindow();
        QCOMPARE(features && features->isVisible(), featuresShown);
        QCOMPARE(m_ends, ends);
        QCOMPARE(button->picture().cacheKey(), picture); // the hover pictures are not touched
    }

    // While the settings are applied: the banner is a notification that
    // reads its message, and Apply Settings is unavailable and its press
    // does nothing, then or later.
    void whileApplying()
    {
        QWidget* apply = child("imgApplySettings");
        QAccessibleInterface* applyIface = accessible(apply);
        QAccessibleInterface* banner = accessible(child("imgWarning"));
        QCOMPARE(banner->role(), QAccessible::Notification);
        QCOMPARE(banner->text(QAccessible::Name), bannerText);
        QVERIFY(banner->state().invisible);

        bool paused = false;
        Platform::setPauseHandler([&](int) {
            paused = true;
            QVERIFY(!banner->state().invisible);
            QVERIFY(applyIface->state().disabled);
            QVERIFY(applyIface->actionInterface()->actionNames().isEmpty());
            press(apply);
        });
        MessageBox::queueAnswer(Answer::Ok);
        press(apply);
        runPendingPress(apply);
        QVERIFY(paused);
        runPendingPress(apply);

        QCOMPARE(MessageBox::shownTexts(), QStringList{printerReadyText});
        QCOMPARE(f.cups().waitForCaptured(1, 20000).size(), 1);
        QCOMPARE(f.cups().countJobs(true), 1);
        QVERIFY(banner->state().invisible);
        QVERIFY(!applyIface->state().disabled);
    }

    // A press counts only where a left click could reach the image.
    void pressWhereNoClickReaches_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("main window hidden behind the features window") << "hidden";
        QTest::newRow("behind a modal box") << "modal";
        QTest::newRow("a modal box came up before the press ran") << "modal later";
        QTest::newRow("main window minimized") << "minimized";
        QTest::newRow("minimized before the press ran") << "minimized later";
    }

    void pressWhereNoClickReaches()
    {
        QFETCH(QString, where);
        auto* apply = static_cast<ImageControl*>(child("imgApplySettings"));
        QSignalSpy releases(apply, &ImageControl::mouseReleased);
        QDialog box(m_window.get());
        box.setModal(true);
        if (where == "hidden")
            showFeatures();
        if (where == "modal")
            box.show();
        if (where == "minimized")
            m_window->showMinimized();
        press(apply);
        if (where == "modal later")
            box.show();
        if (where == "minimized later")
            m_window->showMinimized();
        runPendingPress(apply);

        QCOMPARE(releases.size(), 0);
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(f.cups().countJobs(true), 0);
    }

    // The background and the pictures are pictures: nothing to press, focus
    // or choose.
    void picturesOfferNothingToDo_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::newRow("imgBackground") << "main"
                                       << "imgBackground";
        QTest::newRow("Attribute1") << "main"
                                    << "Attribute1";
        QTest::newRow("Attribute2") << "main"
                                    << "Attribute2";
        QTest::newRow("Picture1") << "main"
                                  << "Picture1";
        QTest::newRow("features window: imgBackground") << "features"
                                                        << "imgBackground";
        QTest::newRow("features window: Image2") << "features"
                                                 << "Image2";
        QTest::newRow("features window: Picture1") << "features"
                                                   << "Picture1";
    }

    void picturesOfferNothingToDo()
    {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QAccessibleInterface* iface = accessible(image(window, name));
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Graphic);
        QVERIFY(!iface->state().focusable);
        QAccessibleActionInterface* actions = iface->actionInterface();
        QVERIFY(!actions || actions->actionNames().isEmpty());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(appTitleText);
    app.setQuitOnLastWindowClosed(false);
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_accessibility.moc"
