#include "flagsettings.h"
#include "settingslists.h"

#include <QRandomGenerator>
#include <QTest>

namespace
{
// What each choice contributes to one entry, written out from the printer's
// command reference independently of the encoder.
struct Contribution {
    Setting setting;
    int entry;
    std::vector<int> byChoice;
};

// clang-format off
const std::vector<Contribution> expectedContributions{
    {Setting::PrintDirection, 0, {1, 0}},
    {Setting::SlashedZero, 0, {0, 2}},
    {Setting::SkipOverPerf, 0, {4, 0}},
    {Setting::HSD, 0, {8, 0}},
    {Setting::LineSpacing, 0, {0, 16, 32, 48}},
    {Setting::Tearoff, 0, {0, 64, 128, 192}},
    {Setting::StrobeEdge, 1, {1, 0}},
    {Setting::CharacterTable, 1, {2, 0, 8}},
    {Setting::AutoLF, 1, {4, 0}},
    {Setting::SpaceCompensation, 1, {16, 0}},
    {Setting::LanguageStandard, 1, {0, 32, 64}},
    {Setting::VacantBufferSize, 2, {0, 4, 8}},
    {Setting::Interface, 4, {1, 3, 0}},
    {Setting::LQF, 4, {0, 16, 32, 48, 64, 80, 96, 112, 128}},
    {Setting::PageLength, 5, {4, 5, 5, 7, 8, 9, 11, 11, 15, 16, 16, 19}},
    {Setting::PageLength, 6, {56, 40, 160, 188, 112, 216, 64, 244, 120, 101, 224, 176}},
    {Setting::Language, 7, {1, 2, 3, 4, 7, 8, 9, 10}},
    {Setting::InputBufferSize, 8, {0, 1}},
    {Setting::DarkMode, 9, {1, 0}},
    {Setting::PrintImpact, 9, {0, 2}},
    {Setting::HSG, 9, {8, 0}},
    {Setting::SleepMode, 10, {0, 1, 2}},
};
// clang-format on

FlagSettingsBlock expectedBlock(const ChoiceIndexes& indexes)
{
    FlagSettingsBlock block{};
    for (const Contribution& row : expectedContributions)
        block[static_cast<std::size_t>(row.entry)] = static_cast<std::int16_t>(
            block[static_cast<std::size_t>(row.entry)] +
            row.byChoice.at(static_cast<std::size_t>(indexes[indexOf(row.setting)])));
    return block;
}

ChoiceIndexes defaultIndexes()
{
    ChoiceIndexes indexes{};
    for (const SettingInfo& info : settingsCatalogue())
        indexes[indexOf(info.setting)] = info.defaultIndex;
    return indexes;
}

ChoiceIndexes allAt(bool last)
{
    ChoiceIndexes indexes{};
    for (const SettingInfo& info : settingsCatalogue())
        indexes[indexOf(info.setting)] = last ? static_cast<int>(info.choices.size()) - 1 : 0;
    return indexes;
}

QList<int> toList(const FlagSettingsBlock& block)
{
    return QList<int>(block.begin(), block.end());
}
} // namespace

class TestFlagSettings : public QObject
{
    Q_OBJECT

  private slots:
    void workedExamples_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("defaults") << 0 << QList<int>{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};
        QTest::newRow("every list at index 0")
            << 1 << QList<int>{13, 23, 0, 0, 1, 4, 56, 1, 0, 9, 0};
        QTest::newRow("every list at its last index")
            << 2 << QList<int>{242, 72, 8, 0, 128, 19, 176, 10, 1, 2, 2};
    }

    void workedExamples()
    {
        QFETCH(int, which);
        QFETCH(QList<int>, expected);
        const ChoiceIndexes indexes = which == 0 ? defaultIndexes() : allAt(/*last=*/which == 2);
        QCOMPARE(toList(encodeFlagSettings(indexes)), expected);
    }

    // Every choice of every setting, the others at their defaults.
    void everyChoiceOfEverySetting()
    {
        int checked = 0;
        for (const SettingInfo& info : settingsCatalogue()) {
            for (int choice = 0; choice < static_cast<int>(info.choices.size()); ++choice) {
                ChoiceIndexes indexes = defaultIndexes();
                indexes[indexOf(info.setting)] = choice;
                const FlagSettingsBlock block = encodeFlagSettings(indexes);
                if (toList(block) != toList(expectedBlock(indexes)))
                    QFAIL(qPrintable(QStringLiteral("%1 at choice %2 encodes wrongly")
                                         .arg(QString::fromUtf8(info.listName.data(),
                                                                qsizetype(info.listName.size())))
                                         .arg(choice)));
                ++checked;
            }
        }
        QCOMPARE(checked, 74); // the choices of all twenty-one lists
    }

    // Random combinations with a fixed seed: the entries are independent.
    void randomCombinations()
    {
        QRandomGenerator random(7400);
        for (int round = 0; round < 5000; ++round) {
            ChoiceIndexes indexes{};
            for (const SettingInfo& info : settingsCatalogue())
                indexes[indexOf(info.setting)] =
                    random.bounded(static_cast<int>(info.choices.size()));
            const FlagSettingsBlock block = encodeFlagSettings(indexes);
            QCOMPARE(toList(block), toList(expectedBlock(indexes)));
            QCOMPARE(block[3], std::int16_t(0));
            for (std::int16_t entry : block)
                QVERIFY(entry >= 0 && entry <= 255);
        }
    }

    // Settings that share an entry occupy different bits, so adding their
    // contributions is the same as or-ing them. Measured on the encoder: the
    // bits of an entry that one setting's choice changes, over random
    // choices of all the others.
    void sharedEntriesUseDisjointBits()
    {
        QRandomGenerator random(7400);
        std::array<std::array<int, 11>, settingCount> bits{}; // [setting][entry]
        for (int round = 0; round < 500; ++round) {
            ChoiceIndexes indexes{};
            for (const SettingInfo& info : settingsCatalogue())
                indexes[indexOf(info.setting)] = random.bounded(int(info.choices.size()));
            for (const SettingInfo& info : settingsCatalogue()) {
                ChoiceIndexes first = indexes;
                first[indexOf(info.setting)] = 0;
                const FlagSettingsBlock base = encodeFlagSettings(first);
                for (int choice = 1; choice < int(info.choices.size()); ++choice) {
                    ChoiceIndexes other = indexes;
                    other[indexOf(info.setting)] = choice;
                    const FlagSettingsBlock block = encodeFlagSettings(other);
                    for (std::size_t entry = 0; entry < block.size(); ++entry)
                        bits[indexOf(info.setting)][entry] |= block[entry] ^ base[entry];
                }
            }
        }
        int shared = 0;
        for (std::size_t entry = 0; entry < 11; ++entry) {
            for (std::size_t a = 0; a < settingCount; ++a) {
                for (std::size_t b = a + 1; b < settingCount; ++b) {
                    if (bits[a][entry] == 0 || bits[b][entry] == 0)
                        continue;
                    ++shared;
                    QVERIFY2((bits[a][entry] & bits[b][entry]) == 0,
                             qPrintable(QStringLiteral("%1 and %2 overlap in entry %3")
                                            .arg(settingsCatalogue()[a].listName.data())
                                            .arg(settingsCatalogue()[b].listName.data())
                                            .arg(entry)));
                }
            }
        }
        // Entries 0, 1, 4 and 9 are shared: 15 + 10 + 1 + 3 pairs of settings.
        QCOMPARE(shared, 29);
    }

    void readsDisabledListsFromTheStore()
    {
        SettingsState state;
        selectDefaults(state);
        state.setSelectedIndex(Setting::CharacterTable, characterTableIndianLanguage);
        state.setSelectedIndex(Setting::SpaceCompensation, 0);
        state.setSelectedIndex(Setting::CharacterTable, 1); // Italic
        QVERIFY(!state.isListEnabled(Setting::SpaceCompensation));
        QCOMPARE(mdlFlagSettings::fncGetFlagSettings(state)[1], std::int16_t(16));
    }
};

QTEST_APPLESS_MAIN(TestFlagSettings)
#include "tst_flagsettings.moc"
