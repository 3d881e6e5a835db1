#include "expectedcatalogue.h"
#include "settingslists.h"

#include <QTest>

namespace
{
QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}
} // namespace

class TestSettingsRules : public QObject
{
    Q_OBJECT

  private slots:
    // Lookups by setting index the catalogue directly.
    void catalogueIsInSettingOrder()
    {
        for (std::size_t i = 0; i < settingCount; ++i)
            QCOMPARE(indexOf(settingsCatalogue()[i].setting), i);
    }

    // Every list's name, label, choices and default, against the table
    // written out in the test.
    void catalogueAsDocumented_data()
    {
        QTest::addColumn<int>("row");
        QCOMPARE(settingsCatalogue().size(), expectedSettings.size());
        for (std::size_t row = 0; row < expectedSettings.size(); ++row)
            QTest::newRow(expectedSettings[row].list) << int(row);
    }

    void catalogueAsDocumented()
    {
        QFETCH(int, row);
        const ExpectedSetting& expected = expectedSettings[std::size_t(row)];
        const SettingInfo& info = settingsCatalogue()[std::size_t(row)];
        QCOMPARE(text(info.listName), QString(expected.list));
        QCOMPARE(text(info.label), QString(expected.label));
        QStringList choices;
        for (std::string_view choice : info.choices)
            choices << text(choice);
        QStringList expectedChoices;
        for (const char* choice : expected.choices)
            expectedChoices << QString(choice);
        QCOMPARE(choices, expectedChoices);
        QCOMPARE(info.defaultIndex, expected.defaultIndex);
    }

    void defaultsAndTheirEnabledStates()
    {
        SettingsState state;
        selectDefaults(state);
        for (const SettingInfo& info : settingsCatalogue())
            QCOMPARE(state.selectedIndex(info.setting), info.defaultIndex);
        for (const SettingInfo& info : settingsCatalogue()) {
            const bool indian = info.setting == Setting::Language ||
                                info.setting == Setting::LanguageStandard ||
                                info.setting == Setting::SpaceCompensation;
            QCOMPARE(state.isListEnabled(info.setting), !indian);
        }
    }

    void choosingEnablesAndDisables_data()
    {
        QTest::addColumn<int>("characterTable");
        QTest::addColumn<int>("interface");
        QTest::addColumn<bool>("indianEnabled");
        QTest::addColumn<bool>("strobeEnabled");
        QTest::newRow("Graphics, Parallel") << 0 << 0 << false << true;
        QTest::newRow("Italic, USB") << 1 << 1 << false << false;
        QTest::newRow("Indian Language, Autoshare") << 2 << 2 << true << true;
        QTest::newRow("Indian Language, USB") << 2 << 1 << true << false;
    }

    void choosingEnablesAndDisables()
    {
        QFETCH(int, characterTable);
        QFETCH(int, interface);
        QFETCH(bool, indianEnabled);
        QFETCH(bool, strobeEnabled);
        SettingsState state;
        selectDefaults(state);
        state.setSelectedIndex(Setting::CharacterTable, characterTable);
        state.setSelectedIndex(Setting::Interface, interface);
        QCOMPARE(state.isListEnabled(Setting::Language), indianEnabled);
        QCOMPARE(state.isListEnabled(Setting::LanguageStandard), indianEnabled);
        QCOMPARE(state.isListEnabled(Setting::SpaceCompensation), indianEnabled);
        QCOMPARE(state.isListEnabled(Setting::StrobeEdge), strobeEnabled);
        // The rules change enabled states only.
        QCOMPARE(state.selectedIndex(Setting::StrobeEdge), 1);
        QCOMPARE(state.selectedIndex(Setting::Language), 0);
    }

    void disabledListKeepsItsChoice()
    {
        SettingsState state;
        selectDefaults(state);
        state.setSelectedIndex(Setting::StrobeEdge, 0); // Rising
        state.setSelectedIndex(Setting::Interface, interfaceUsb);
        QVERIFY(!state.isListEnabled(Setting::StrobeEdge));
        QCOMPARE(state.selectedIndex(Setting::StrobeEdge), 0);
        QCOMPARE(state.choiceIndexes()[indexOf(Setting::StrobeEdge)], 0);
    }

    void rechoosingTheSameChoiceChangesNoEnabledState()
    {
        SettingsState state;
        selectDefaults(state);
        state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
        state.setSelectedIndex(Setting::Interface, interfaceUsb);
        state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
        state.setSelectedIndex(Setting::Interface, interfaceUsb);
        QVERIFY(state.isListEnabled(Setting::Language));
        QVERIFY(!state.isListEnabled(Setting::StrobeEdge));
    }

    // Choosing in any other list re-applies no rule: enabled states put out
    // of step with the rules stay so.
    void otherListsHaveNoChangeHandler()
    {
        SettingsState state;
        selectDefaults(state); // Graphics and Autoshare
        state.setListEnabled(Setting::Language, true);
        state.setListEnabled(Setting::LanguageStandard, true);
        state.setListEnabled(Setting::SpaceCompensation, true);
        state.setListEnabled(Setting::StrobeEdge, false);
        for (const SettingInfo& info : settingsCatalogue()) {
            if (info.setting == Setting::CharacterTable || info.setting == Setting::Interface)
                continue;
            for (int choice = 0; choice < int(info.choices.size()); ++choice)
                state.setSelectedIndex(info.setting, choice);
        }
        QVERIFY(state.isListEnabled(Setting::Language));
        QVERIFY(state.isListEnabled(Setting::LanguageStandard));
        QVERIFY(state.isListEnabled(Setting::SpaceCompensation));
        QVERIFY(!state.isListEnabled(Setting::StrobeEdge));
    }

    void defaultsAfterUsbAndIndianLanguage()
    {
        SettingsState state;
        selectDefaults(state);
        state.setSelectedIndex(Setting::Interface, interfaceUsb);
        state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
        state.setSelectedIndex(Setting::Language, 5);
        state.setSelectedIndex(Setting::SpaceCompensation, 0);
        selectDefaults(state);
        QCOMPARE(state.selectedIndex(Setting::Interface), 2);
        QVERIFY(state.isListEnabled(Setting::StrobeEdge));
        QCOMPARE(state.selectedIndex(Setting::StrobeEdge), 1);
        for (Setting list :
             {Setting::Language, Setting::LanguageStandard, Setting::SpaceCompensation}) {
            QVERIFY(!state.isListEnabled(list));
            QCOMPARE(state.selectedIndex(list), settingInfo(list).defaultIndex);
        }
    }
};

QTEST_APPLESS_MAIN(TestSettingsRules)
#include "tst_settingsrules.moc"
