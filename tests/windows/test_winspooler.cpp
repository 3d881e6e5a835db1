// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The winspool spooler's calls and arguments, against stand-ins for the
// winspool functions that record what the program passes. Wine's spooler
// counts no waiting jobs, so the busy check is proven here; what a job's
// bytes become on the way to a printer is tested under Wine.

#include "featurespage.h"
#include "rawspooljob.h"
#include "settingsjob.h"
#include "winspoolapi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// One winspool call as the program made it.
struct Call {
    std::string name;
    DWORD level = 0;
    DWORD size = 0;      // the buffer or byte count passed
    bool buffer = false; // whether a buffer was passed at all
    std::string text;    // a name, or the bytes written
};

// A spooler whose calls succeed unless told otherwise, and whose queue holds
// a given number of jobs of 200 bytes of records each.
class RecordingWinspool
{
  public:
    RecordingWinspool()
    {
        const HANDLE printer = reinterpret_cast<HANDLE>(0x7400);
        api.getDefaultPrinter = [this](LPSTR buffer, LPDWORD size) {
            calls.push_back({"GetDefaultPrinterA", 0, *size, buffer != nullptr, {}});
            if (defaultName.empty())
                return fail(ERROR_FILE_NOT_FOUND);
            if (!buffer || *size < defaultName.size() + 1) {
                *size = DWORD(defaultName.size() + 1);
                return fail(ERROR_INSUFFICIENT_BUFFER);
            }
            std::copy(defaultName.begin(), defaultName.end(), buffer);
            buffer[defaultName.size()] = '\0';
            return TRUE;
        };
        api.openPrinter = [this, printer](LPSTR name, LPHANDLE handle,
                                          LPPRINTER_DEFAULTSA defaults) {
            calls.push_back({"OpenPrinterA", 0, 0, defaults != nullptr, name});
            if (failing == "OpenPrinterA")
                return fail(ERROR_INVALID_PRINTER_NAME);
            *handle = printer;
            return TRUE;
        };
        api.enumJobs = [this](HANDLE, DWORD first, DWORD count, DWORD level, LPBYTE jobs,
                              DWORD size, LPDWORD needed, LPDWORD returned) {
            calls.push_back({"EnumJobsA", level, size, jobs != nullptr,
                             std::to_string(first) + "," + std::to_string(count)});
            if (failing == "EnumJobsA")
                return fail(ERROR_INVALID_HANDLE);
            *needed = DWORD(200 * waitingJobs);
            if (size < *needed)
                return fail(ERROR_INSUFFICIENT_BUFFER);
            // The records fill the room the first call asked for, to its end.
            std::fill(jobs, jobs + *needed, BYTE(0xAB));
            *returned = DWORD(waitingJobs);
            return TRUE;
        };
        api.startDocPrinter = [this](HANDLE, DWORD level, LPBYTE info) -> DWORD {
            const auto* doc = reinterpret_cast<DOC_INFO_1A*>(info);
            calls.push_back({"StartDocPrinterA", level, 0,
                             doc->pOutputFile != nullptr || doc->pDatatype != nullptr,
                             doc->pDocName});
            return failing == "StartDocPrinterA" ? (fail(ERROR_ACCESS_DENIED), 0) : 42;
        };
        api.startPagePrinter = [this](HANDLE) { return step("StartPagePrinter"); };
        api.writePrinter = [this](HANDLE, LPVOID bytes, DWORD size, LPDWORD written) {
            calls.push_back({"WritePrinter", 0, size, true,
                             std::string(static_cast<const char*>(bytes), size)});
            *written = shortWrite ? size - 1 : size;
            return failing == "WritePrinter" ? fail(ERROR_NOT_ENOUGH_MEMORY) : TRUE;
        };
        api.endPagePrinter = [this](HANDLE) { return step("EndPagePrinter"); };
        api.endDocPrinter = [this](HANDLE) { return step("EndDocPrinter"); };
        api.setJob = [this](HANDLE, DWORD job, DWORD level, LPBYTE info, DWORD command) {
            calls.push_back({"SetJobA", level, command, info != nullptr, std::to_string(job)});
            return TRUE;
        };
        api.closePrinter = [this](HANDLE) { return step("ClosePrinter"); };
        api.getLastError = [this] { return lastError; };
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> list;
        for (const Call& call : calls)
            list.push_back(call.name);
        return list;
    }

    WinspoolApi api;
    std::vector<Call> calls;
    std::string defaultName = "TR7400";
    int waitingJobs = 0;
    std::string failing; // the call that fails
    bool shortWrite = false;
    DWORD lastError = 0;

  private:
    BOOL fail(DWORD error)
    {
        lastError = error;
        return FALSE;
    }

    BOOL step(const std::string& name)
    {
        calls.push_back({name, 0, 0, false, {}});
        return failing == name ? fail(ERROR_NOT_READY) : TRUE;
    }
};

using Outcome = SpoolResult::Outcome;
const FlagSettingsBlock defaults{16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0};
} // namespace

TEST(Winspool, DefaultPrinterIsAskedForItsSizeFirst)
{
    RecordingWinspool winspool;
    winspool.defaultName = "Büro TR7400";
    const DefaultPrinter found = createWinspoolSpooler(winspool.api)->defaultPrinter();
    EXPECT_EQ(found.status, DefaultPrinter::Status::Found);
    ASSERT_EQ(winspool.calls.size(), 2u);
    EXPECT_FALSE(winspool.calls[0].buffer);
    EXPECT_EQ(winspool.calls[0].size, 0u);
    EXPECT_TRUE(winspool.calls[1].buffer);
    EXPECT_EQ(winspool.calls[1].size, winspool.defaultName.size() + 1);
}

// No default printer is reported as no printer at all.
TEST(Winspool, NoDefaultPrinter)
{
    RecordingWinspool winspool;
    winspool.defaultName.clear();
    const std::unique_ptr<Spooler> spooler = createWinspoolSpooler(winspool.api);
    EXPECT_EQ(spooler->defaultPrinter().status, DefaultPrinter::Status::NoPrinter);
    EXPECT_EQ(mdlFlagSettings::sendFlagSettings(*spooler, 2, defaults).outcome, Outcome::NoPrinter);
    EXPECT_EQ(winspool.names(), std::vector<std::string>(2, "GetDefaultPrinterA"));
}

// The settings: opened with no defaults, the queue counted, one document of
// one page with one write of all fourteen bytes, NULs included.
TEST(Winspool, SettingsJobCalls)
{
    RecordingWinspool winspool;
    const std::unique_ptr<Spooler> spooler = createWinspoolSpooler(winspool.api);
    EXPECT_EQ(mdlFlagSettings::sendFlagSettings(*spooler, 2, defaults).outcome, Outcome::Sent);
    EXPECT_EQ(winspool.names(),
              (std::vector<std::string>{"GetDefaultPrinterA", "GetDefaultPrinterA", "OpenPrinterA",
                                        "EnumJobsA", "EnumJobsA", "StartDocPrinterA",
                                        "StartPagePrinter", "WritePrinter", "EndPagePrinter",
                                        "EndDocPrinter", "ClosePrinter"}));
    const Call& open = winspool.calls[2];
    EXPECT_EQ(open.text, "TR7400");
    EXPECT_FALSE(open.buffer) << "printer defaults passed";
    const Call& document = winspool.calls[5];
    EXPECT_EQ(document.level, 1u);
    EXPECT_EQ(document.text, "Permanent Settings Configuration");
    EXPECT_FALSE(document.buffer) << "an output file or data type was passed";
    const Call& write = winspool.calls[7];
    EXPECT_EQ(write.size, 14u);
    EXPECT_EQ(write.text, mdlFlagSettings::downloadJobBytes(2, defaults));
}

// The busy check: a first call with no buffer learns the size, the second
// passes a buffer of that size (one more byte is allocated) and the count
// decides. An empty queue still makes the second call, with size 0.
struct Queue {
    const char* name;
    int waitingJobs;
    bool enumerationFails;
    Outcome outcome;
};

class QueueRow : public testing::TestWithParam<Queue>
{
};

TEST_P(QueueRow, BusyCheck)
{
    const Queue& row = GetParam();
    RecordingWinspool winspool;
    winspool.waitingJobs = row.waitingJobs;
    if (row.enumerationFails)
        winspool.failing = "EnumJobsA";
    const std::unique_ptr<Spooler> spooler = createWinspoolSpooler(winspool.api);
    EXPECT_EQ(mdlFlagSettings::sendFlagSettings(*spooler, 2, defaults).outcome, row.outcome);
    std::vector<Call> enumerations;
    for (const Call& call : winspool.calls) {
        if (call.name == "EnumJobsA")
            enumerations.push_back(call);
    }
    ASSERT_EQ(enumerations.size(), 2u);
    for (const Call& call : enumerations) {
        EXPECT_EQ(call.level, 2u);
        EXPECT_EQ(call.text, "0,4294967295"); // from the first job, all of them
    }
    EXPECT_FALSE(enumerations[0].buffer);
    EXPECT_EQ(enumerations[0].size, 0u);
    EXPECT_TRUE(enumerations[1].buffer);
    EXPECT_EQ(enumerations[1].size, row.enumerationFails ? 0u : DWORD(200 * row.waitingJobs));
    EXPECT_EQ(winspool.names().back(), "ClosePrinter");
    if (row.outcome == Outcome::Busy) {
        EXPECT_EQ(winspool.names().size(), 6u) << "something was sent to a busy printer";
    }
}

INSTANTIATE_TEST_SUITE_P(Winspool, QueueRow,
                         testing::Values(Queue{"Empty", 0, false, Outcome::Sent},
                                         Queue{"OneJob", 1, false, Outcome::Busy},
                                         Queue{"ThreeJobs", 3, false, Outcome::Busy},
                                         Queue{"EnumerationFails", 2, true, Outcome::Sent}),
                         [](const testing::TestParamInfo<Queue>& row) {
                             return std::string(row.param.name);
                         });

// The page: two writes, each its whole block, without a look at the queue.
TEST(Winspool, FeaturesPageCalls)
{
    RecordingWinspool winspool;
    winspool.waitingJobs = 2;
    const std::unique_ptr<Spooler> spooler = createWinspoolSpooler(winspool.api);
    EXPECT_EQ(sendFeaturesPage(*spooler, FeaturesCommandSet::EscP).outcome, Outcome::Sent);
    const std::vector<std::string> blocks = featuresPageBlocks(FeaturesCommandSet::EscP);
    std::vector<std::string> written;
    for (const Call& call : winspool.calls) {
        EXPECT_NE(call.name, "EnumJobsA");
        if (call.name == "WritePrinter")
            written.push_back(call.text);
        if (call.name == "StartDocPrinterA") {
            EXPECT_EQ(call.text, "TR7400 FEATURS");
        }
    }
    EXPECT_EQ(written, blocks);
}

// A failure after the open deletes the job and closes the printer, with the
// system's reason; a write that takes fewer bytes than asked is a failure.
struct Failure {
    const char* name;
    const char* failing;
    bool shortWrite;
    std::vector<std::string> lastCalls;
};

class FailureRow : public testing::TestWithParam<Failure>
{
};

TEST_P(FailureRow, CancelsAndCloses)
{
    const Failure& row = GetParam();
    RecordingWinspool winspool;
    winspool.failing = row.failing;
    winspool.shortWrite = row.shortWrite;
    const std::unique_ptr<Spooler> spooler = createWinspoolSpooler(winspool.api);
    const SpoolResult result = mdlFlagSettings::sendFlagSettings(*spooler, 2, defaults);
    EXPECT_EQ(result.outcome,
              std::string(row.failing) == "OpenPrinterA" ? Outcome::NotOpened : Outcome::Failed);
    EXPECT_FALSE(result.reason.empty());
    const std::vector<std::string> names = winspool.names();
    ASSERT_GE(names.size(), row.lastCalls.size());
    EXPECT_EQ(
        std::vector<std::string>(names.end() - std::ptrdiff_t(row.lastCalls.size()), names.end()),
        row.lastCalls);
    for (const Call& call : winspool.calls) {
        if (call.name == "SetJobA") {
            EXPECT_EQ(call.text, "42"); // the job StartDocPrinterA made
            EXPECT_EQ(call.size, DWORD(JOB_CONTROL_DELETE));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Winspool, FailureRow,
    testing::Values(
        Failure{"OpenFails", "OpenPrinterA", false, {"OpenPrinterA"}},
        Failure{"DocumentRefused", "StartDocPrinterA", false, {"StartDocPrinterA", "ClosePrinter"}},
        Failure{"PageRefused",
                "StartPagePrinter",
                false,
                {"StartPagePrinter", "SetJobA", "ClosePrinter"}},
        Failure{"WriteFails", "WritePrinter", false, {"WritePrinter", "SetJobA", "ClosePrinter"}},
        Failure{"ShortWrite", "", true, {"WritePrinter", "SetJobA", "ClosePrinter"}},
        Failure{
            "EndDocFails", "EndDocPrinter", false, {"EndDocPrinter", "SetJobA", "ClosePrinter"}}),
    [](const testing::TestParamInfo<Failure>& row) { return std::string(row.param.name); });
