// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// tr7400ctl's command lines against a mock spooler: what it prints, asks,
// sends and answers. The real spooler's side is tested with tst_ctl.

#include "ctl.h"
#include "flagsettings.h"
#include "hex.h"
#include "rawspooljob.h"
#include "settingnames.h"
#include "settingsjob.h"
#include "spoolermocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using testing::_;
using testing::HasSubstr;
using testing::Return;

namespace
{
// A printer that takes every job and keeps what was written.
std::unique_ptr<SpoolPrinter> willingPrinter(std::vector<std::string>* written, int waiting = 0)
{
    auto printer = std::make_unique<testing::NiceMock<MockPrinter>>();
    ON_CALL(*printer, activeJobCount()).WillByDefault(Return(waiting));
    ON_CALL(*printer, startDocument(_)).WillByDefault(Return(true));
    ON_CALL(*printer, startPage()).WillByDefault(Return(true));
    ON_CALL(*printer, write(_)).WillByDefault([written](const std::string& bytes) {
        written->push_back(bytes);
        return true;
    });
    ON_CALL(*printer, endPage()).WillByDefault(Return(true));
    ON_CALL(*printer, endDocument()).WillByDefault(Return(true));
    ON_CALL(*printer, close()).WillByDefault(Return(true));
    return printer;
}

// What one run of the tool printed and did.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<int> pauses;
    bool spoolerMade = false;
    bool adminMade = false;
};

class Ctl : public testing::Test
{
  protected:
    Outcome run(const std::vector<std::string>& arguments, const std::string& answer = {},
                bool interactive = false)
    {
        std::ostringstream out, err;
        std::istringstream in(answer);
        Outcome result;
        CtlEnvironment environment{
            out,
            err,
            in,
            interactive,
            [&result](int ms) { result.pauses.push_back(ms); },
            [this, &result]() -> std::unique_ptr<Spooler> {
                result.spoolerMade = true;
                return std::move(spooler);
            },
            [&result]() -> std::unique_ptr<PrinterAdmin> {
                result.adminMade = true;
                return std::make_unique<testing::StrictMock<MockPrinterAdmin>>();
            },
        };
        result.status = runCtl(arguments, environment);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    // The default printer TR7400 takes every job.
    void withDefaultPrinter(int waiting = 0)
    {
        ON_CALL(*spooler, defaultPrinter())
            .WillByDefault(Return(DefaultPrinter{DefaultPrinter::Status::Found, "TR7400", {}}));
        EXPECT_CALL(*spooler, open("TR7400", _))
            .WillRepeatedly([this, waiting](const std::string&, std::string*) {
                return willingPrinter(&written, waiting);
            });
    }

    std::unique_ptr<MockSpooler> spooler = std::make_unique<testing::NiceMock<MockSpooler>>();
    std::vector<std::string> written;
};
} // namespace

// Settings and choices by their text, in any case, with or without spaces,
// hyphens and underscores, and choices by their number.
struct Naming {
    const char* setting;
    const char* choice;
    Setting expectedSetting;
    int expectedChoice;
};

class NamingRow : public testing::TestWithParam<Naming>
{
};

TEST_P(NamingRow, FindsTheSettingAndChoice)
{
    const Naming& row = GetParam();
    const std::optional<Setting> setting = SettingNames::findSetting(row.setting);
    ASSERT_TRUE(setting.has_value()) << row.setting;
    EXPECT_EQ(*setting, row.expectedSetting);
    EXPECT_EQ(SettingNames::findChoice(*setting, row.choice), row.expectedChoice) << row.choice;
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, NamingRow,
    testing::Values(Naming{"page-length", "14 Inch", Setting::PageLength, 11},
                    Naming{"Page Length", "14inch", Setting::PageLength, 11},
                    Naming{"pagelength", "#11", Setting::PageLength, 11},
                    Naming{"PAGE_LENGTH", "3.67-inch", Setting::PageLength, 1},
                    Naming{"lq font type", "ocr-b", Setting::LQF, 5},
                    Naming{"lqfonttype", "OCR-A", Setting::LQF, 6},
                    Naming{"lq-font-type", "orator-s", Setting::LQF, 8},
                    Naming{"skipoverperf", "off", Setting::SkipOverPerf, 1},
                    Naming{"Language Standard", "8-bit-iscii", Setting::LanguageStandard, 0},
                    Naming{"language", "kannada", Setting::Language, 4},
                    Naming{"input-buffer-size", "32k bytes", Setting::InputBufferSize, 0},
                    Naming{"vacant-buffer-size", "1024-bytes", Setting::VacantBufferSize, 2},
                    Naming{"cmbTearoff", "true manual", Setting::Tearoff, 3}));

TEST(CtlNames, UnknownNamesMatchNothing)
{
    EXPECT_FALSE(SettingNames::findSetting("page"));
    EXPECT_FALSE(SettingNames::findSetting(""));
    EXPECT_FALSE(SettingNames::findChoice(Setting::PageLength, "15 inch"));
    EXPECT_FALSE(SettingNames::findChoice(Setting::PageLength, "#12"));
    EXPECT_FALSE(SettingNames::findChoice(Setting::PageLength, "#-1"));
    EXPECT_FALSE(SettingNames::findChoice(Setting::PageLength, "#1x"));
    EXPECT_FALSE(SettingNames::findChoice(Setting::PageLength, "#"));
}

// Every setting with its typed form, every choice with its number and typed
// form, the factory setting marked.
TEST_F(Ctl, ListShowsEveryChoice)
{
    const Outcome result = run({"list"});
    EXPECT_EQ(result.status, ExitStatus::sent);
    EXPECT_THAT(result.out, HasSubstr("Page Length  (page-length)\n"));
    EXPECT_THAT(result.out, HasSubstr("  * #10 12 Inch     12-inch\n"));
    EXPECT_THAT(result.out, HasSubstr("    #11 14 Inch     14-inch\n"));
    // The vacant buffer size is fixed: its one choice is its factory setting.
    EXPECT_THAT(result.out, testing::EndsWith("Vacant Buffer Size  (vacant-buffer-size)\n"
                                              "    fixed: not shown in the window, and always "
                                              "stored at this choice\n"
                                              "  * #0  256 Bytes   256-bytes\n"));
    for (const SettingInfo& info : settingsCatalogue())
        EXPECT_THAT(result.out, HasSubstr(SettingNames::typed(SettingNames::label(info.setting))));
    EXPECT_FALSE(result.spoolerMade);
}

// The three worked blocks of the settings.
struct Encoding {
    const char* name;
    std::vector<std::string> arguments;
    const char* bytes;
};

class EncodingRow : public Ctl, public testing::WithParamInterface<Encoding>
{
};

TEST_P(EncodingRow, PrintsTheJobBytes)
{
    std::vector<std::string> arguments{"encode"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    const Outcome result = run(arguments);
    EXPECT_EQ(result.status, ExitStatus::sent);
    EXPECT_EQ(result.out, std::string(GetParam().bytes) + "\n");
    EXPECT_FALSE(result.spoolerMade);
}

std::vector<std::string> everyListAt(bool last)
{
    std::vector<std::string> arguments;
    for (const SettingInfo& info : settingsCatalogue()) {
        // The vacant buffer size has its factory setting as its one choice.
        const std::size_t index = isFixedSetting(info.setting)
                                      ? std::size_t(info.defaultIndex)
                                      : (last ? info.choices.size() - 1 : 0);
        arguments.push_back(SettingNames::typed(SettingNames::label(info.setting)) + "=#" +
                            std::to_string(index));
    }
    return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, EncodingRow,
    testing::Values(Encoding{"Defaults", {}, "1b 19 01 10 02 00 00 00 10 e0 01 01 00 00"},
                    Encoding{"EveryListAtIndex0", everyListAt(false),
                             "1b 19 01 0d 17 00 00 01 04 38 01 00 09 00"},
                    Encoding{"EveryListAtItsLastIndex", everyListAt(true),
                             "1b 19 01 f2 48 00 00 80 13 b0 0a 01 02 02"},
                    Encoding{"ByText",
                             {"tear-off=True Manual", "interface=usb", "lq-font-type=orator-s"},
                             "1b 19 01 d0 02 00 00 83 10 e0 01 01 00 00"}),
    [](const testing::TestParamInfo<Encoding>& row) { return std::string(row.param.name); });

// A usage error names what was wrong and the nearest valid names, and never
// makes a spooler, let alone sends.
struct Misuse {
    const char* name;
    std::vector<std::string> arguments;
    const char* message;
};

class MisuseRow : public Ctl, public testing::WithParamInterface<Misuse>
{
};

TEST_P(MisuseRow, IsAUsageError)
{
    const Outcome result = run(GetParam().arguments, "y\n", true);
    EXPECT_EQ(result.status, ExitStatus::usage);
    EXPECT_THAT(result.err, HasSubstr(GetParam().message));
    EXPECT_FALSE(result.spoolerMade);
    EXPECT_FALSE(result.adminMade);
    EXPECT_TRUE(result.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, MisuseRow,
    testing::Values(
        Misuse{"NoCommand", {}, "no command given"},
        Misuse{"UnknownCommand", {"print"}, "unknown command \"print\""},
        Misuse{"UnknownSetting",
               {"apply", "pagelenght=14-inch"},
               "unknown setting \"pagelenght\"; nearest: \"page-length\""},
        Misuse{"UnknownChoice",
               {"apply", "page-length=15-inch"},
               "unknown choice \"15-inch\" for Page Length; nearest: \"11-inch\", \"12-inch\", "
               "\"14-inch\""},
        Misuse{"IndexOutOfRange",
               {"apply", "sleep-mode=#3"},
               "Sleep Mode has no choice #3: its choices are #0 to #2"},
        Misuse{"SettingNamedTwice",
               {"apply", "page-length=14-inch", "Page Length=#0"},
               "Page Length is named twice"},
        Misuse{"NoEquals", {"encode", "page-length"}, "expected SETTING=CHOICE"},
        Misuse{"NothingToApply", {"apply", "--yes"}, "name the settings to store"},
        Misuse{"DefaultsAndSettings",
               {"apply", "--defaults", "page-length=#1"},
               "--defaults stores the factory settings"},
        Misuse{"PrinterWithoutName", {"apply", "--defaults", "-P"}, "-P needs a printer's name"},
        Misuse{"OptionOfAnotherCommand",
               {"apply", "--defaults", "--ibm"},
               "--ibm does not go with apply"},
        Misuse{"UnknownOption", {"features", "--colour"}, "unknown option \"--colour\""},
        Misuse{"ArgumentToFeatures", {"features", "page"}, "unexpected \"page\""},
        Misuse{"VacantBufferEncoded",
               {"encode", "vacant-buffer-size=#1"},
               "Vacant Buffer Size is fixed at \"256 Bytes\": no other choice can be stored"},
        Misuse{"VacantBufferApplied",
               {"apply", "--yes", "vacant buffer size=1024 Bytes"},
               "Vacant Buffer Size is fixed at \"256 Bytes\""},
        Misuse{"VacantBufferUnknownChoice",
               {"apply", "vacant-buffer-size=2048-bytes"},
               "Vacant Buffer Size is fixed at \"256 Bytes\""},
        Misuse{"DefaultIsNotDefaults", {"apply", "--default"}, "--default does not go with apply"},
        Misuse{"JsonOfSetup", {"setup", "--json"}, "--json does not go with setup"},
        Misuse{"DeviceOfPrinters",
               {"printers", "--device=usb://a/b"},
               "--device does not go with printers"},
        Misuse{"ArgumentToSetup", {"setup", "TR7400"}, "unexpected \"TR7400\""},
        Misuse{"NameWithASpace",
               {"setup", "--name", "TR 7400"},
               "--name \"TR 7400\" cannot name a queue"},
        Misuse{"NameWithASlash", {"setup", "--name=TR/7400"}, "cannot name a queue"},
        Misuse{"EmptyName", {"setup", "--name="}, "--name \"\" cannot name a queue"},
        Misuse{"NameWithoutValue", {"setup", "--name"}, "--name needs a value"},
        Misuse{"DeviceNotAUri",
               {"setup", "--device", "/dev/lp0"},
               "--device \"/dev/lp0\" is not a device URI"},
        Misuse{"EmptyDevice", {"setup", "--device="}, "--device needs a device URI"}),
    [](const testing::TestParamInfo<Misuse>& row) { return std::string(row.param.name); });

// Off a terminal there is nobody to ask: without --yes nothing is sent.
TEST_F(Ctl, ApplyWithoutATerminalNeedsYes)
{
    const Outcome result = run({"apply", "--defaults"});
    EXPECT_EQ(result.status, ExitStatus::usage);
    EXPECT_THAT(result.err, HasSubstr("give --yes"));
    EXPECT_FALSE(result.spoolerMade);
}

// Every setting not named is stored at its factory setting, and the list says
// so before the question.
TEST_F(Ctl, ApplyListsWhatIsStoredAndAsks)
{
    withDefaultPrinter();
    const Outcome result = run({"apply", "page-length=14-inch"}, "y\n", /*interactive=*/true);
    EXPECT_EQ(result.status, ExitStatus::sent);
    EXPECT_THAT(result.out, HasSubstr("These settings will be stored in the printer TR7400:\n"));
    EXPECT_THAT(result.out, HasSubstr("  Page Length          14 Inch\n"));
    EXPECT_THAT(result.out, HasSubstr("  Tear Off             Short Auto  (factory setting)\n"));
    EXPECT_THAT(result.err, HasSubstr("Please check whether the printer is :\n* Switched ON\n"
                                      "* In online mode\n* In Parallel or Autoshare interface\n"));
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(hex(written[0]), "1b 19 01 10 02 00 00 00 13 b0 01 01 00 00");
    EXPECT_EQ(result.pauses, std::vector<int>{2500});
    EXPECT_THAT(result.out, HasSubstr("The settings were sent to TR7400."));
}

TEST_F(Ctl, ApplyNotConfirmedSendsNothing)
{
    withDefaultPrinter();
    const Outcome result = run({"apply", "--defaults"}, "n\n", /*interactive=*/true);
    EXPECT_EQ(result.status, ExitStatus::notConfirmed);
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(result.pauses.empty());
    EXPECT_THAT(result.err, HasSubstr("Nothing was sent."));
}

// How each end of the job is told, and its exit status.
struct Ending {
    const char* name;
    DefaultPrinter::Status status;
    bool opens;
    int waiting;
    int exitStatus;
    const char* message;
};

class EndingRow : public Ctl, public testing::WithParamInterface<Ending>
{
};

TEST_P(EndingRow, IsToldAndAnswered)
{
    const Ending& row = GetParam();
    ON_CALL(*spooler, defaultPrinter())
        .WillByDefault(Return(DefaultPrinter{row.status, "TR7400", "the spooler's reason"}));
    ON_CALL(*spooler, open(_, _))
        .WillByDefault([this, &row](const std::string&, std::string* reason) {
            if (!row.opens) {
                *reason = "the spooler's reason";
                return std::unique_ptr<SpoolPrinter>();
            }
            return willingPrinter(&written, row.waiting);
        });
    const Outcome result = run({"apply", "--yes", "--defaults"});
    EXPECT_EQ(result.status, row.exitStatus);
    EXPECT_THAT(result.err, HasSubstr(row.message));
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(result.pauses.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, EndingRow,
    testing::Values(
        Ending{"NoDefaultPrinter", DefaultPrinter::Status::NoPrinter, true, 0,
               ExitStatus::noPrinter,
               "tr7400ctl: No printer drivers are installed.\ntr7400ctl: Download Failed!!\n"
               "tr7400ctl: the spooler's reason\n"},
        Ending{"SpoolerUnreachable", DefaultPrinter::Status::SpoolerUnreachable, true, 0,
               ExitStatus::notOpened,
               "tr7400ctl: OpenPrinter Failed!!!\ntr7400ctl: Unable to access printer\n"
               "tr7400ctl: the spooler's reason\n"},
        Ending{"NotOpened", DefaultPrinter::Status::Found, false, 0, ExitStatus::notOpened,
               "tr7400ctl: OpenPrinter Failed!!!\ntr7400ctl: Unable to access printer\n"
               "tr7400ctl: the spooler's reason\n"},
        Ending{"Busy", DefaultPrinter::Status::Found, true, 2, ExitStatus::busy,
               "tr7400ctl: Unable to download printer settings.\ntr7400ctl: Printer is busy with "
               "processing print jobs, please try once printer is free.\n"}),
    [](const testing::TestParamInfo<Ending>& row) { return std::string(row.param.name); });

// The page goes to the printer named, in the command set asked for, with no
// look at its queue and no question.
TEST_F(Ctl, FeaturesToANamedPrinter)
{
    EXPECT_CALL(*spooler, defaultPrinter()).Times(0);
    EXPECT_CALL(*spooler, open("Back", _)).WillOnce([this](const std::string&, std::string*) {
        return willingPrinter(&written, /*waiting=*/3);
    });
    const Outcome result = run({"features", "--ibm", "-P", "Back/duplex"});
    EXPECT_EQ(result.status, ExitStatus::sent);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].substr(0, 5), "\r\n\t\t\t");
    EXPECT_TRUE(result.pauses.empty());
}
