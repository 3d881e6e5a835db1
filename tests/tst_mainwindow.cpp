// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "core/expectedcatalogue.h"
#include "windowfixture.h"

#include <QLabel>

namespace
{
using Answer = MessageBox::Answer;
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    QWidget* child(const char* name) { return f->child(name); }
    QComboBox* combo(Setting setting) { return f->list(setting); }
    bool bannerVisible() { return child("imgWarning")->isVisible(); }

  private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
    }

    void cleanup() { f.reset(); }

    void startUpState()
    {
        QCOMPARE(f->window.windowTitle(), QString("Altrune TR 7400 Printer Configuration Utility"));
        QCOMPARE(f->window.size(), QSize(727, 356));
        QCOMPARE(f->window.minimumSize(), f->window.maximumSize());
        QVERIFY(!(f->window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!bannerVisible());
        QCOMPARE(QApplication::focusWidget(), combo(Setting::HSG));
        for (const SettingInfo& info : settingsCatalogue()) {
            QComboBox* list = combo(info.setting);
            QCOMPARE(list->objectName(), QString::fromUtf8(info.listName.data()));
            QCOMPARE(list->currentIndex(), info.defaultIndex);
            QCOMPARE(list->count(), int(info.choices.size()));
            const bool indian = info.setting == Setting::Language ||
                                info.setting == Setting::LanguageStandard ||
                                info.setting == Setting::SpaceCompensation;
            QCOMPARE(list->isEnabled(), !indian);
            QCOMPARE(list->isVisible(), info.setting != Setting::VacantBufferSize);
        }
        QCOMPARE(combo(Setting::VacantBufferSize)->currentText(), QString("256 Bytes"));
        QCOMPARE(combo(Setting::CharacterTable)->geometry(), QRect(152, 208, 137, 21));
        QCOMPARE(combo(Setting::SleepMode)->geometry(), QRect(424, 232, 137, 21));
        QCOMPARE(child("imgExit")->geometry(), QRect(594, 284, 128, 26));
        QCOMPARE(child("imgBackground")->geometry(), QRect(0, 0, 726, 358));
        QCOMPARE(combo(Setting::SleepMode)->font().family(), QString("Verdana"));
        QCOMPARE(combo(Setting::SleepMode)->font().pointSizeF(), 8.25);
        QCOMPARE(combo(Setting::SleepMode)->font().weight(), QFont::Normal);
        QCOMPARE(child("imgDefault")->accessibleName(), QString("Restore Default"));
        QVERIFY(MessageBox::history().isEmpty());
        QVERIFY(f->spooler.calls.isEmpty());
    }

    // The label boxes show the window colour where their pictures end:
    // Attribute2 is one column wider than its picture.
    void labelBoxesShowTheWindowColour()
    {
        const QImage window = f->window.grab().toImage();
        const QColor windowColour = f->window.palette().color(QPalette::Window);
        QVERIFY(windowColour != QColor(Qt::white)); // else the panel would pass too
        const QRect box = child("Attribute2")->geometry();
        QCOMPARE(box, QRect(296, 40, 129, 241));
        for (int y = box.top(); y <= box.bottom(); ++y)
            QCOMPARE(window.pixelColor(box.right(), y), windowColour);
    }

    void tabOrder_data()
    {
        QTest::addColumn<int>("characterTable");
        QTest::addColumn<int>("interface");
        QTest::addColumn<QStringList>("order");
        const QStringList right{"cmbInputBufferSize", "cmbSkipOverPerf", "cmbPrintDirection",
                                "cmbSlashedZero",     "cmbLineSpacing",  "cmbAutoLF",
                                "cmbDarkMode",        "cmbPrintImpact",  "cmbSleepMode"};
        QTest::newRow("defaults") << 0 << 2
                                  << QStringList{"cmbHSD",           "cmbLQF",
                                                 "cmbTearoff",       "cmbPageLength",
                                                 "cmbInterface",     "cmbStrobeEdge",
                                                 "cmbCharacterTable"} +
                                         right + QStringList{"cmbHSG"};
        QTest::newRow("Indian Language, USB") << 2 << 1
                                              << QStringList{"cmbHSD",
                                                             "cmbLQF",
                                                             "cmbTearoff",
                                                             "cmbPageLength",
                                                             "cmbInterface",
                                                             "cmbCharacterTable",
                                                             "cmbLanguage",
                                                             "cmbLanguageStandard",
                                                             "cmbSpaceCompensation"} +
                                                     right + QStringList{"cmbHSG"};
    }

    void tabOrder()
    {
        QFETCH(int, characterTable);
        QFETCH(int, interface);
        QFETCH(QStringList, order);
        combo(Setting::CharacterTable)->setCurrentIndex(characterTable);
        combo(Setting::Interface)->setCurrentIndex(interface);
        combo(Setting::HSG)->setFocus();
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, order);
    }

    // Each list holds the documented choices, its default selected.
    void listsHoldTheDocumentedChoices()
    {
        for (const ExpectedSetting& expected : expectedSettings) {
            auto* list = f->child<QComboBox>(expected.list);
            QVERIFY2(list, expected.list);
            QStringList choices;
            for (int i = 0; i < list->count(); ++i)
                choices << list->itemText(i);
            QStringList expectedChoices;
            for (const char* choice : expected.choices)
                expectedChoices << QString(choice);
            QCOMPARE(choices, expectedChoices);
            QCOMPARE(list->currentIndex(), expected.defaultIndex);
        }
    }

    // Only Character Table and Interface re-apply a rule when chosen in:
    // enabled states put out of step stay so whatever else is chosen.
    void otherListsHaveNoChangeHandler()
    {
        for (Setting indian :
             {Setting::Language, Setting::LanguageStandard, Setting::SpaceCompensation})
            combo(indian)->setEnabled(true);
        combo(Setting::StrobeEdge)->setEnabled(false);
        for (const SettingInfo& info : settingsCatalogue()) {
            if (info.setting == Setting::CharacterTable || info.setting == Setting::Interface)
                continue;
            QComboBox* list = combo(info.setting);
            for (int choice = list->count() - 1; choice >= 0; --choice)
                list->setCurrentIndex(choice);
        }
        QVERIFY(combo(Setting::Language)->isEnabled());
        QVERIFY(combo(Setting::LanguageStandard)->isEnabled());
        QVERIFY(combo(Setting::SpaceCompensation)->isEnabled());
        QVERIFY(!combo(Setting::StrobeEdge)->isEnabled());
    }

    // A user's choice runs the same rules as code does.
    void choosingInTheListsRunsTheRules()
    {
        QComboBox* table = combo(Setting::CharacterTable);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_End); // "Indian Language"
        QCOMPARE(table->currentIndex(), 2);
        QVERIFY(combo(Setting::SpaceCompensation)->isEnabled());
        QTest::keyClick(combo(Setting::Interface), Qt::Key_Up); // "USB"
        QCOMPARE(combo(Setting::Interface)->currentIndex(), 1);
        QVERIFY(!combo(Setting::StrobeEdge)->isEnabled());
        QCOMPARE(combo(Setting::StrobeEdge)->currentIndex(), 1);
    }

    void onlyTheLeftButtonRunsACommand_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("question");
        for (const char* image : {"imgApplySettings", "imgDefault", "imgPFeatures"})
            QTest::newRow(image) << image << printerReadyText;
        QTest::newRow("imgExit") << "imgExit" << exitQuestionText;
        QTest::newRow("imgSFeatures") << "imgSFeatures" << QString();
    }

    void onlyTheLeftButtonRunsACommand()
    {
        QFETCH(QString, image);
        QFETCH(QString, question);
        QWidget* button = child(qPrintable(image));
        QTest::mouseClick(button, Qt::RightButton);
        QTest::mouseClick(button, Qt::MiddleButton);
        QVERIFY(MessageBox::history().isEmpty());

        MessageBox::queueAnswer(question == exitQuestionText ? Answer::No : Answer::Cancel);
        QTest::mouseClick(button, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(f->shownTexts(), question.isEmpty() ? QStringList() : QStringList{question});
        // Cancel and No make no spooler call and change nothing.
        QVERIFY(f->spooler.calls.isEmpty());
        QCOMPARE(f->ends, 0);
        QCOMPARE(f->window.isVisible(), image != "imgSFeatures"); // it opens the features window
    }

    void confirmationLooksRight()
    {
        MessageBox::queueAnswer(Answer::Cancel);
        QTest::mouseClick(child("imgApplySettings"), Qt::LeftButton);
        const MessageBox::Shown& shown = MessageBox::history().first();
        QCOMPARE(shown.icon, MessageBox::Icon::Information);
        QCOMPARE(shown.buttons, MessageBox::Buttons::OkCancel);
        QCOMPARE(shown.title, QString("Printer Configuration Utility"));
    }

    void applySendsTheChoices()
    {
        combo(Setting::Tearoff)->setCurrentIndex(3);        // True Manual: 192
        combo(Setting::CharacterTable)->setCurrentIndex(2); // Indian Language
        combo(Setting::SpaceCompensation)->setCurrentIndex(0);
        combo(Setting::CharacterTable)->setCurrentIndex(1); // Italic: still encodes bit 4
        bool bannerDuringJob = false, applyEnabledDuringJob = true, backgroundEnabled = true,
             defaultEnabled = false;
        f->spooler.onStartDocument = [&] {
            bannerDuringJob = bannerVisible();
            applyEnabledDuringJob = child("imgApplySettings")->isEnabled();
            backgroundEnabled = child("imgBackground")->isEnabled();
            defaultEnabled = child("imgDefault")->isEnabled();
        };
        QTest::mouseClick(child("imgApplySettings"), Qt::LeftButton);
        QCOMPARE(f->spooler.writes,
                 QList<QByteArray>{QByteArray::fromHex("1b1901d01000000010e00101 0000")});
        QVERIFY(bannerDuringJob);
        QVERIFY(!applyEnabledDuringJob);
        QVERIFY(!backgroundEnabled);
        QVERIFY(defaultEnabled);
        QCOMPARE(f->pauses, QList<int>{2500});
        QVERIFY(!bannerVisible());
        QVERIFY(child("imgApplySettings")->isEnabled());
        QVERIFY(child("imgBackground")->isEnabled());
        QCOMPARE(combo(Setting::Tearoff)->currentIndex(), 3);
    }

    void applyPutsTheWindowBackAfterAFailure_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("openFails");
        QTest::addColumn<int>("activeJobs");
        QTest::newRow("busy") << int(DefaultPrinter::Status::Found) << false << 2;
        QTest::newRow("missing") << int(DefaultPrinter::Status::NoPrinter) << false << 0;
        QTest::newRow("unopenable") << int(DefaultPrinter::Status::Found) << true << 0;
    }

    void applyPutsTheWindowBackAfterAFailure()
    {
        QFETCH(int, status);
        QFETCH(bool, openFails);
        QFETCH(int, activeJobs);
        f->spooler.status = DefaultPrinter::Status(status);
        f->spooler.openFails = openFails;
        f->spooler.activeJobs = activeJobs;
        combo(Setting::LQF)->setCurrentIndex(4);
        QTest::mouseClick(child("imgApplySettings"), Qt::LeftButton);
        QCOMPARE(MessageBox::history().size(), 2); // the confirmation, then the failure
        QVERIFY(f->spooler.writes.isEmpty());
        QVERIFY(!bannerVisible());
        QVERIFY(child("imgApplySettings")->isEnabled());
        QVERIFY(child("imgBackground")->isEnabled());
        QCOMPARE(combo(Setting::LQF)->currentIndex(), 4);
    }

    // A printer that fails to close once the document has ended still got it
    // whole: no failure is shown, and the settings get their pause.
    void sentWhenOnlyTheCloseFails_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("pauses");
        QTest::newRow("Apply Settings") << "imgApplySettings" << QList<int>{2500};
        QTest::newRow("Restore Default") << "imgDefault" << QList<int>{2500};
        QTest::newRow("Print Features") << "imgPFeatures" << QList<int>{};
    }

    void sentWhenOnlyTheCloseFails()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, pauses);
        f->spooler.failingCall = QStringLiteral("close");
        QTest::mouseClick(child(qPrintable(button)), Qt::LeftButton);
        QCOMPARE(f->shownTexts(), QStringList{printerReadyText});
        QVERIFY(!f->spooler.writes.isEmpty());
        QCOMPARE(f->spooler.calls.mid(f->spooler.calls.size() - 2),
                 QStringList({"endDocument", "close"}));
        QVERIFY(!f->spooler.calls.contains("cancelDocument"));
        QCOMPARE(f->pauses, pauses);
        QVERIFY(!bannerVisible());
        QVERIFY(child("imgApplySettings")->isEnabled());
    }

    void restoreDefaultEvenWhenRefused()
    {
        f->spooler.activeJobs = 1;
        combo(Setting::Interface)->setCurrentIndex(1);
        combo(Setting::CharacterTable)->setCurrentIndex(2);
        combo(Setting::PageLength)->setCurrentIndex(0);
        QTest::mouseClick(child("imgDefault"), Qt::LeftButton);
        QCOMPARE(MessageBox::history().size(), 2);
        QVERIFY(MessageBox::history().last().text.contains("Printer is busy"));
        QCOMPARE(combo(Setting::Interface)->currentIndex(), 2);
        QVERIFY(combo(Setting::StrobeEdge)->isEnabled());
        QCOMPARE(combo(Setting::PageLength)->currentIndex(), 10);
        QVERIFY(!combo(Setting::Language)->isEnabled());
        QVERIFY(!bannerVisible());
    }

    // Cancel leaves the user's choices, and the states that go with them.
    void restoreDefaultCancelled_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("mouse") << false;
        QTest::newRow("Ctrl+D") << true;
    }

    void restoreDefaultCancelled()
    {
        QFETCH(bool, byKey);
        combo(Setting::Interface)->setCurrentIndex(1);      // USB
        combo(Setting::CharacterTable)->setCurrentIndex(2); // Indian Language
        combo(Setting::Language)->setCurrentIndex(6);
        combo(Setting::PageLength)->setCurrentIndex(0);
        combo(Setting::HSG)->setCurrentIndex(0);
        const ChoiceIndexes chosen = f->window.choiceIndexes();
        MessageBox::queueAnswer(Answer::Cancel);
        if (byKey)
            QTest::keyClick(combo(Setting::HSG), Qt::Key_D, Qt::ControlModifier);
        else
            QTest::mouseClick(child("imgDefault"), Qt::LeftButton);
        QCOMPARE(f->shownTexts(), QStringList{printerReadyText});
        QCOMPARE(f->window.choiceIndexes(), chosen);
        QVERIFY(!combo(Setting::StrobeEdge)->isEnabled());
        QVERIFY(combo(Setting::Language)->isEnabled());
        QVERIFY(f->spooler.calls.isEmpty());
    }

    void restoreDefaultSendsTheDefaultBlock()
    {
        combo(Setting::HSG)->setCurrentIndex(0);
        QTest::mouseClick(child("imgDefault"), Qt::LeftButton);
        QCOMPARE(f->spooler.writes,
                 QList<QByteArray>{QByteArray::fromHex("1b1901100200000010e00101 0000")});
        QCOMPARE(combo(Setting::HSG)->currentIndex(), 1);
    }

    void printFeaturesSendsThePage()
    {
        QTest::mouseClick(child("imgPFeatures"), Qt::LeftButton);
        QCOMPARE(f->spooler.documents, QStringList{"TR7400 FEATURS"});
        QCOMPARE(f->spooler.writes.size(), 2);
        QVERIFY(f->pauses.isEmpty());
    }

    void exitAndClose_data()
    {
        QTest::addColumn<bool>("byClosing");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Exit, No") << false << false;
        QTest::newRow("Exit, Yes") << false << true;
        QTest::newRow("close, No") << true << false;
        QTest::newRow("close, Yes") << true << true;
    }

    void exitAndClose()
    {
        QFETCH(bool, byClosing);
        QFETCH(bool, yes);
        combo(Setting::SleepMode)->setCurrentIndex(2);
        MessageBox::queueAnswer(yes ? Answer::Yes : Answer::No);
        if (byClosing)
            f->window.close();
        else
            QTest::mouseClick(child("imgExit"), Qt::LeftButton);
        QCOMPARE(f->shownTexts(), QStringList{exitQuestionText});
        QCOMPARE(MessageBox::history().first().icon, MessageBox::Icon::Question);
        QCOMPARE(f->ends, yes ? 1 : 0);
        // Exit ends the program without closing the window, so no second question.
        QCOMPARE(f->window.isVisible(), !(yes && byClosing));
        QCOMPARE(combo(Setting::SleepMode)->currentIndex(), 2);
    }
};

PCU_GUI_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
