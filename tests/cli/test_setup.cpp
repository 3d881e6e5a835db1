// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// tr7400ctl printers and setup against a mock printer administration: which
// device is taken for the printer, what is changed and what is left, and
// what each ending says and answers. The real scheduler's side is tested
// with tst_setup.

#include "ctl.h"
#include "spoolermocks.h"
#include "tr7400device.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>

using testing::_;
using testing::HasSubstr;
using testing::Not;

namespace
{
using Status = AdminResult::Status;

const AdminResult done{Status::Done, {}};

PrinterDevice usbDevice(const std::string& uri, const std::string& makeAndModel,
                        const std::string& deviceId)
{
    return {"direct", uri, makeAndModel, makeAndModel + " USB", deviceId, ""};
}

const std::string tr7400Uri = "usb://Altrune/TR%207400?serial=A1";
const PrinterDevice tr7400 =
    usbDevice(tr7400Uri, "Altrune TR 7400", "MFG:Altrune;MDL:TR 7400;CMD:ESC/P;CLS:PRINTER;");
const PrinterDevice tr7400Again = usbDevice("usb://ALTRUNE/TR-7400?serial=B2", "ALTRUNE TR-7400",
                                            "MANUFACTURER:ALTRUNE;MODEL:TR-7400;CLS:PRINTER;");
const PrinterDevice laser =
    usbDevice("usb://Other/Laser?serial=9", "Other Laser 5", "MFG:Other;MDL:Laser 5;");
const PrinterDevice parallelPort{"direct", "parallel:/dev/lp0", "Unknown", "LPT #1", "", ""};

PrintQueue queue(const std::string& name, const std::string& uri, bool ready = true)
{
    PrintQueue result;
    result.name = name;
    result.deviceUri = uri;
    result.state = ready ? PrintQueue::State::Idle : PrintQueue::State::Stopped;
    result.accepting = ready;
    result.passesRawJobs = true;
    return result;
}

// One run of the tool against a spooler in the state given, which the
// mock's changes move on as the real spooler's would.
struct World {
    std::vector<PrintQueue> queues;
    std::string systemDefault;
    std::string userOptionsDefault;
    std::string lpdest; // the environment's default, before any other
    std::vector<PrinterDevice> devices;
    // Forced answers, by operation: overview, devices, add, enable, default,
    // user.
    std::map<std::string, AdminResult> answers;
};

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> calls; // devices, and every change with its arguments
};

Outcome run(const std::vector<std::string>& arguments, World world)
{
    auto admin = std::make_unique<testing::NiceMock<MockPrinterAdmin>>();
    Outcome result;
    const auto answer = [&world](const std::string& operation) {
        const auto forced = world.answers.find(operation);
        return forced == world.answers.end() ? done : forced->second;
    };
    ON_CALL(*admin, overview(_)).WillByDefault([&](PrinterOverview& overview) {
        overview = {};
        overview.queues = world.queues;
        overview.systemDefault = world.systemDefault;
        overview.userOptionsFile = "/home/user/.cups/lpoptions";
        overview.userOptionsDefault = world.userOptionsDefault;
        // As lp finds it.
        for (const auto& [name, source] :
             {std::pair{world.lpdest, DefaultSource::Lpdest},
              std::pair{world.userOptionsDefault, DefaultSource::UserOptions},
              std::pair{world.systemDefault, DefaultSource::Scheduler}}) {
            if (!name.empty() && overview.userDefault.empty()) {
                overview.userDefault = name;
                overview.userDefaultSource = source;
            }
        }
        return answer("overview");
    });
    ON_CALL(*admin, devices(_)).WillByDefault([&](std::vector<PrinterDevice>& devices) {
        result.calls.push_back("devices");
        devices = world.devices;
        return answer("devices");
    });
    ON_CALL(*admin, addRawQueue(_, _))
        .WillByDefault([&](const std::string& name, const std::string& uri) {
            result.calls.push_back("add " + name + " " + uri);
            const AdminResult answered = answer("add");
            if (answered.done()) {
                bool found = false;
                for (PrintQueue& each : world.queues) {
                    if (each.name == name) {
                        each.deviceUri = uri;
                        found = true;
                    }
                }
                if (!found)
                    world.queues.push_back(queue(name, uri, false));
            }
            return answered;
        });
    ON_CALL(*admin, enableQueue(_)).WillByDefault([&](const std::string& name) {
        result.calls.push_back("enable " + name);
        for (PrintQueue& each : world.queues) {
            if (each.name == name) {
                each.accepting = true;
                each.state = PrintQueue::State::Idle;
            }
        }
        return answer("enable");
    });
    ON_CALL(*admin, setSystemDefault(_)).WillByDefault([&](const std::string& name) {
        result.calls.push_back("default " + name);
        const AdminResult answered = answer("default");
        if (answered.done())
            world.systemDefault = name;
        return answered;
    });
    ON_CALL(*admin, setUserDefault(_)).WillByDefault([&](const std::string& name) {
        result.calls.push_back("user " + name);
        const AdminResult answered = answer("user");
        if (answered.done())
            world.userOptionsDefault = name;
        return answered;
    });
    ON_CALL(*admin, administratorGroups()).WillByDefault(testing::Return("lpadmin"));

    std::ostringstream out, err;
    std::istringstream in;
    CtlEnvironment environment{
        out,
        err,
        in,
        false,
        [](int) {},
        []() -> std::unique_ptr<Spooler> { return nullptr; },
        [&admin]() -> std::unique_ptr<PrinterAdmin> { return std::move(admin); },
    };
    result.status = runCtl(arguments, environment);
    result.out = out.str();
    result.err = err.str();
    return result;
}
} // namespace

// The printer by its device ID or its make and model, however the firmware
// spells them; no other printer, whatever its model number.
struct Looks {
    const char* name;
    PrinterDevice device;
    bool tr7400;
};

class LooksRow : public testing::TestWithParam<Looks>
{
};

TEST_P(LooksRow, TellsATr7400)
{
    EXPECT_EQ(Tr7400Device::looksLikeTr7400(GetParam().device), GetParam().tr7400);
}

INSTANTIATE_TEST_SUITE_P(
    Setup, LooksRow,
    testing::Values(
        Looks{"DeviceId", tr7400, true}, Looks{"LongKeysUpperCaseHyphen", tr7400Again, true},
        Looks{
            "IdOnly", {"direct", "usb://x", "Unknown", "", "mfg: altrune ;mdl:tr_7400;", ""}, true},
        Looks{"MakeAndModelOnly", {"direct", "usb://x", "ALTRUNE TR-7400", "", "", ""}, true},
        Looks{"ModelOnly", {"serial", "serial:/dev/ttyS0", "tr 7400", "", "", ""}, true},
        Looks{"OtherMakerSameNumber",
              usbDevice("usb://Other/Laser%207400", "Other Laser 7400", "MFG:Other;MDL:7400;"),
              false},
        Looks{"OtherAltruneModel",
              usbDevice("usb://Altrune/TR%202400", "Altrune TR 2400", "MFG:Altrune;MDL:TR 2400;"),
              false},
        Looks{"ParallelPort", parallelPort, false}, Looks{"Laser", laser, false}),
    [](const testing::TestParamInfo<Looks>& row) { return std::string(row.param.name); });

TEST(SetupDeviceId, FieldsByEitherName)
{
    const std::string id = "MANUFACTURER:Altrune;MDL: TR 7400 ;CMD:ESC/P,IBM;";
    EXPECT_EQ(Tr7400Device::idField(id, "MFG", "MANUFACTURER"), "Altrune");
    EXPECT_EQ(Tr7400Device::idField(id, "MDL", "MODEL"), "TR 7400");
    EXPECT_EQ(Tr7400Device::idField(id, "CMD", "COMMAND SET"), "ESC/P,IBM");
    EXPECT_EQ(Tr7400Device::idField(id, "CLS", "CLASS"), "");
    EXPECT_EQ(Tr7400Device::idField("", "MFG", "MANUFACTURER"), "");
}

// Each case of setup: the changes made (and only those), the exit status
// and the words.
struct Case {
    const char* name;
    std::vector<std::string> arguments;
    World world;
    std::vector<std::string> calls;
    int status;
    std::vector<std::string> said; // on standard output or error, in order
};

class SetupRow : public testing::TestWithParam<Case>
{
};

TEST_P(SetupRow, ChangesWhatIsNotRight)
{
    const Case& row = GetParam();
    const Outcome result = run(row.arguments, row.world);
    EXPECT_EQ(result.status, row.status) << result.out << result.err;
    EXPECT_EQ(result.calls, row.calls);
    const std::string said = result.out + result.err;
    std::size_t from = 0;
    for (const std::string& words : row.said) {
        const std::size_t at = said.find(words, from);
        EXPECT_NE(at, std::string::npos) << "\"" << words << "\" not in:\n" << said;
        if (at != std::string::npos)
            from = at + words.size();
    }
    if (row.status != ExitStatus::sent) {
        EXPECT_THAT(result.err, testing::StartsWith("tr7400ctl: "));
    }
}

const std::vector<std::string> makes{"devices", "add TR7400 " + tr7400Uri, "enable TR7400"};

std::vector<std::string> plus(std::vector<std::string> calls, const std::string& more)
{
    calls.push_back(more);
    return calls;
}

World withQueue(PrintQueue existing, std::vector<PrinterDevice> devices = {tr7400})
{
    World world;
    world.queues = {existing};
    world.devices = std::move(devices);
    return world;
}

PrintQueue withDriver(PrintQueue existing, bool passesRaw)
{
    existing.driver = "Epson 24-Pin Series";
    existing.passesRawJobs = passesRaw;
    return existing;
}

World answering(World world, const std::string& operation, AdminResult result)
{
    world.answers[operation] = std::move(result);
    return world;
}

const AdminResult forbidden{Status::NotAllowed, "Forbidden"};

INSTANTIATE_TEST_SUITE_P(
    Setup, SetupRow,
    testing::Values(
        Case{"OneFound",
             {"setup"},
             World{{}, "", "", "", {laser, tr7400}, {}},
             makes,
             ExitStatus::sent,
             {"Found the TR 7400 at " + tr7400Uri + " (Altrune TR 7400).\n",
              "Made the raw queue TR7400 for " + tr7400Uri + ": enabled and accepting jobs.\n",
              "The Printer Configuration Utility sends to the default printer, none now: "
              "tr7400ctl setup --default makes it TR7400 (or --user-default, for you alone).\n"}},
        Case{"NoneFound",
             {"setup", "--default"},
             World{{}, "", "", "", {laser, parallelPort}, {}},
             {"devices"},
             ExitStatus::noDevice,
             {"tr7400ctl: none of the printer devices the print spooler sees looks like a TR "
              "7400; it sees:\n  usb://Other/Laser?serial=9  (Other Laser 5)\n"
              "  parallel:/dev/lp0  (LPT #1)\n",
              "--device URI (a parallel port reports no model)",
              "tr7400ctl: nothing was changed.\n"}},
        Case{"NoDevicesAtAll",
             {"setup"},
             withQueue(queue("TR7400", tr7400Uri), {}),
             {"devices"},
             ExitStatus::noDevice,
             {"it sees none.\n", "the queue TR7400 stays on " + tr7400Uri, "nothing was changed."}},
        Case{"TwoFound",
             {"setup", "--default"},
             World{{}, "", "", "", {tr7400, laser, tr7400Again}, {}},
             {"devices"},
             ExitStatus::severalDevices,
             {"tr7400ctl: 2 printer devices look like a TR 7400; name one with --device URI:\n"
              "  " +
                  tr7400Uri +
                  "  (Altrune TR 7400)\n  usb://ALTRUNE/TR-7400?serial=B2  (ALTRUNE TR-7400)\n",
              "tr7400ctl: nothing was changed.\n"}},
        Case{"DeviceNamed",
             {"setup", "--device", "parallel:/dev/lp0", "--name=LPT"},
             World{{}, "", "", "", {tr7400, tr7400Again}, {}},
             {"add LPT parallel:/dev/lp0", "enable LPT"},
             ExitStatus::sent,
             {"Made the raw queue LPT for parallel:/dev/lp0"}},
        Case{"SystemDefault",
             {"setup", "--default"},
             World{{}, "Office", "", "", {tr7400}, {}},
             plus(makes, "default TR7400"),
             ExitStatus::sent,
             {"Made the raw queue", "Made TR7400 the system's default printer.\n",
              "The Printer Configuration Utility and tr7400ctl send to TR7400, the default "
              "printer.\n"}},
        Case{"UserDefault",
             {"setup", "--user-default"},
             World{{}, "Office", "Office", "", {tr7400}, {}},
             plus(makes, "user TR7400"),
             ExitStatus::sent,
             {"Made TR7400 your default printer (in /home/user/.cups/lpoptions).\n",
              "send to TR7400, the default printer."}},
        Case{"AlreadyRight",
             {"setup", "--default", "--user-default"},
             [] {
                 World world = withQueue(queue("TR7400", tr7400Uri));
                 world.systemDefault = world.userOptionsDefault = "TR7400";
                 return world;
             }(),
             {"devices"},
             ExitStatus::sent,
             {"The queue TR7400 is already set up: raw, on " + tr7400Uri +
                  ", enabled and accepting jobs.\n",
              "TR7400 is already the system's default printer.\n",
              "TR7400 is already your default printer (in /home/user/.cups/lpoptions).\n"}},
        Case{"DriverThatPassesRawJobs",
             {"setup"},
             withQueue(withDriver(queue("TR7400", tr7400Uri), true)),
             {"devices"},
             ExitStatus::sent,
             {"already set up: driver Epson 24-Pin Series, which passes raw jobs, on"}},
        Case{"StoppedOnAnotherDevice",
             {"setup"},
             withQueue(queue("TR7400", "parallel:/dev/lp0", false)),
             makes,
             ExitStatus::sent,
             {"Pointed the queue TR7400 at " + tr7400Uri + " (it was on parallel:/dev/lp0).\n",
              "Enabled the queue TR7400: it was stopped and not accepting jobs.\n"}},
        Case{"DriverThatRefusesRawJobs",
             {"setup", "--default"},
             withQueue(withDriver(queue("TR7400", tr7400Uri), false)),
             {"devices"},
             ExitStatus::failed,
             {"tr7400ctl: the queue TR7400 has the driver Epson 24-Pin Series and refuses raw "
              "jobs: the settings would not reach the printer.\n",
              "(sudo lpadmin -x TR7400)", "tr7400ctl: nothing was changed.\n"}},
        Case{"NotAllowedToListDevices",
             {"setup", "--default"},
             answering(World{{}, "", "", "", {tr7400}, {}}, "devices", forbidden),
             {"devices"},
             ExitStatus::notAllowed,
             {"tr7400ctl: only root, or a member of the printer administrators' group lpadmin, "
              "may list the printer devices: run it again with sudo.\n"
              "tr7400ctl: the print spooler answered: Forbidden\n"
              "tr7400ctl: nothing was changed.\n"}},
        Case{"NotAllowedToMakeTheQueue",
             {"setup", "--device", tr7400Uri},
             answering(World{}, "add", forbidden),
             {"add TR7400 " + tr7400Uri},
             ExitStatus::notAllowed,
             {"may make the queue TR7400: run it again with sudo.\n", "nothing was changed."}},
        Case{"UserDefaultOfAReadyQueueWithoutRights",
             {"setup", "--user-default"},
             answering(withQueue(queue("TR7400", tr7400Uri)), "devices", forbidden),
             {"devices", "user TR7400"},
             ExitStatus::sent,
             {"Only administrators may list the printer devices; the queue TR7400 is ready on " +
                  tr7400Uri + ", so it stays as it is.\n",
              "Made TR7400 your default printer"}},
        Case{"NotAllowedAfterAChange",
             {"setup", "--default"},
             answering(World{{}, "", "", "", {tr7400}, {}}, "default", forbidden),
             plus(makes, "default TR7400"),
             ExitStatus::notAllowed,
             {"Made the raw queue TR7400",
              "may make TR7400 the system's default printer: run it again with sudo.\n",
              "tr7400ctl: what is said above was done; the rest was not.\n"}},
        Case{"DeviceAddressRefused",
             {"setup", "--device", "nosuch:/x"},
             answering(World{}, "add", {Status::Refused, "Bad device-uri scheme \"nosuch\"."}),
             {"add TR7400 nosuch:/x"},
             ExitStatus::failed,
             {"tr7400ctl: the print spooler could not make the queue TR7400: Bad device-uri "
              "scheme \"nosuch\".\n",
              "nothing was changed."}},
        Case{"SpoolerUnreachable",
             {"setup"},
             answering(World{}, "overview",
                       {Status::Unreachable,
                        "The print spooler (CUPS at /run/cups/cups.sock) cannot be reached: No "
                        "such file or directory"}),
             {},
             ExitStatus::notOpened,
             {"tr7400ctl: The print spooler (CUPS at /run/cups/cups.sock) cannot be reached",
              "nothing was changed."}},
        Case{"NotOnThisPlatform",
             {"setup"},
             answering(World{}, "overview", {Status::Unsupported, "Use the system's settings."}),
             {},
             ExitStatus::usage,
             {"tr7400ctl: printers and setup work with CUPS, the print spooler of Linux.\n"
              "tr7400ctl: Use the system's settings.\n"}},
        Case{"AnotherDefaultComesFirst",
             {"setup", "--default"},
             [] {
                 World world = withQueue(queue("TR7400", tr7400Uri));
                 world.lpdest = "Office";
                 return world;
             }(),
             {"devices", "default TR7400"},
             ExitStatus::sent,
             {"Made TR7400 the system's default printer.\n",
              "Note: lp still finds Office as your default (from LPDEST), which comes first"}}),
    [](const testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

// The queues with what tells whether the settings reach the printer through
// them, and the devices with the TR 7400 marked.
TEST(Printers, ListsQueuesAndDevices)
{
    World world;
    PrintQueue office = withDriver(queue("Office", "ipp://office/ipp/print", false), false);
    office.jobsWaiting = 2;
    office.stateMessage = "Paused";
    world.queues = {queue("TR7400", tr7400Uri), office};
    world.systemDefault = "Office";
    world.userOptionsDefault = "TR7400";
    world.devices = {tr7400, laser};
    const Outcome result = run({"printers"}, world);
    EXPECT_EQ(result.status, ExitStatus::sent);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "Print queues:\n"
              "  TR7400  idle, accepting jobs, no job waiting\n"
              "      device " +
                  tr7400Uri +
                  "\n"
                  "      raw: no driver, the bytes pass untouched\n"
                  "      your default printer\n"
                  "  Office  stopped, not accepting jobs, 2 jobs waiting (Paused)\n"
                  "      device ipp://office/ipp/print\n"
                  "      driver Epson 24-Pin Series, raw jobs are refused: the settings cannot "
                  "reach the printer\n"
                  "      the system's default printer\n"
                  "System default: Office\n"
                  "Your default, as lp finds it: TR7400 (from /home/user/.cups/lpoptions)\n"
                  "\n"
                  "Printer devices (* a TR 7400):\n"
                  "* " +
                  tr7400Uri +
                  "\n"
                  "      Altrune TR 7400 (direct), ID MFG:Altrune;MDL:TR 7400;CMD:ESC/P;"
                  "CLS:PRINTER;\n"
                  "  usb://Other/Laser?serial=9\n"
                  "      Other Laser 5 (direct), ID MFG:Other;MDL:Laser 5;\n");
    EXPECT_EQ(result.calls, std::vector<std::string>{"devices"});
}

// Without the rights to list devices the queues are still told; the status
// says that the list is short.
TEST(Printers, DevicesRefused)
{
    World world = answering(withQueue(queue("TR7400", tr7400Uri)), "devices", forbidden);
    const Outcome text = run({"printers"}, world);
    EXPECT_EQ(text.status, ExitStatus::notAllowed);
    EXPECT_THAT(text.out, HasSubstr("  TR7400  idle"));
    EXPECT_THAT(text.out, Not(HasSubstr("Printer devices")));
    EXPECT_THAT(text.err, HasSubstr("may list the printer devices: run it again with sudo."));
    const Outcome json = run({"printers", "--json"}, world);
    EXPECT_EQ(json.status, ExitStatus::notAllowed);
    EXPECT_THAT(json.out, HasSubstr("\"devices\": null,\n  \"devicesError\": \"Forbidden\"\n}"));
}

// What the spooler says goes into the JSON whole, quotes, backslashes and
// control characters escaped.
TEST(Printers, JsonEscapes)
{
    World world;
    world.devices = {{"direct", "usb://a\\b", "Say \"hi\"\ttab", "line\nnext\x01", "", ""}};
    const Outcome result = run({"printers", "--json"}, world);
    EXPECT_EQ(result.status, ExitStatus::sent);
    EXPECT_EQ(result.out, "{\n"
                          "  \"queues\": [],\n"
                          "  \"systemDefault\": null,\n"
                          "  \"userDefault\": null,\n"
                          "  \"userDefaultSource\": null,\n"
                          "  \"devices\": [\n"
                          "    {\n"
                          "      \"uri\": \"usb://a\\\\b\",\n"
                          "      \"class\": \"direct\",\n"
                          "      \"makeAndModel\": \"Say \\\"hi\\\"\\ttab\",\n"
                          "      \"info\": \"line\\nnext\\u0001\",\n"
                          "      \"deviceId\": \"\",\n"
                          "      \"location\": \"\",\n"
                          "      \"tr7400\": false\n"
                          "    }\n"
                          "  ],\n"
                          "  \"devicesError\": null\n"
                          "}\n");
}
