// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The raw spool job's calls, in order, for each way it can end: against a
// mock of the spooler, since here the calls themselves are what is checked.
// What the real spoolers make of them is tested against a private scheduler.

#include "featurespage.h"
#include "rawspooljob.h"
#include "settingsjob.h"
#include "spoolermocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::_;
using testing::InSequence;
using testing::Return;
using Outcome = SpoolResult::Outcome;

namespace
{
// What the job is handed by the open: it passes every call to the test's
// mock, which outlives it.
class OpenedPrinter : public SpoolPrinter
{
  public:
    explicit OpenedPrinter(MockPrinter& mock) : m_mock(mock) {}
    int activeJobCount() override { return m_mock.activeJobCount(); }
    bool startDocument(const std::string& name) override { return m_mock.startDocument(name); }
    bool startPage() override { return m_mock.startPage(); }
    bool write(const std::string& bytes) override { return m_mock.write(bytes); }
    bool endPage() override { return m_mock.endPage(); }
    bool endDocument() override { return m_mock.endDocument(); }
    void cancelDocument() override { m_mock.cancelDocument(); }
    bool close() override { return m_mock.close(); }
    std::string lastError() const override { return m_mock.lastError(); }

  private:
    MockPrinter& m_mock;
};

DefaultPrinter found(const std::string& name)
{
    return {DefaultPrinter::Status::Found, name, {}};
}

class RawSpoolJob : public testing::Test
{
  protected:
    // The default printer TR7400 opens as the mock printer.
    void expectDefaultOpened()
    {
        EXPECT_CALL(spooler, defaultPrinter()).WillOnce(Return(found("TR7400")));
        expectOpened("TR7400");
    }

    void expectOpened(const std::string& name)
    {
        EXPECT_CALL(spooler, open(name, _)).WillOnce([this](const std::string&, std::string*) {
            return std::make_unique<OpenedPrinter>(printer);
        });
    }

    const std::string settings = mdlFlagSettings::downloadJobBytes(
        mdlFlagSettings::downloadModeSend, {16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0});
    MockSpooler spooler;
    testing::StrictMock<MockPrinter> printer;
};
} // namespace

TEST_F(RawSpoolJob, SettingsGoAsOneWriteAfterTheBusyCheck)
{
    InSequence order;
    expectDefaultOpened();
    EXPECT_CALL(printer, activeJobCount()).WillOnce(Return(0));
    EXPECT_CALL(printer, startDocument("Permanent Settings Configuration")).WillOnce(Return(true));
    EXPECT_CALL(printer, startPage()).WillOnce(Return(true));
    EXPECT_CALL(printer,
                write(std::string("\x1b\x19\x01\x10\x02\x00\x00\x00\x10\xe0\x01\x01\x00\x00", 14)))
        .WillOnce(Return(true));
    EXPECT_CALL(printer, endPage()).WillOnce(Return(true));
    EXPECT_CALL(printer, endDocument()).WillOnce(Return(true));
    EXPECT_CALL(printer, close()).WillOnce(Return(true));
    EXPECT_EQ(mdlFlagSettings::sendFlagSettings(spooler, 2, {16, 2, 0, 0, 0, 16, 224, 1, 1, 0, 0})
                  .outcome,
              Outcome::Sent);
}

// Another download mode makes the document with an empty page.
TEST_F(RawSpoolJob, OtherModeMakesAnEmptyPage)
{
    InSequence order;
    expectDefaultOpened();
    EXPECT_CALL(printer, activeJobCount()).WillOnce(Return(0));
    EXPECT_CALL(printer, startDocument("Permanent Settings Configuration")).WillOnce(Return(true));
    EXPECT_CALL(printer, startPage()).WillOnce(Return(true));
    EXPECT_CALL(printer, endPage()).WillOnce(Return(true));
    EXPECT_CALL(printer, endDocument()).WillOnce(Return(true));
    EXPECT_CALL(printer, close()).WillOnce(Return(true));
    EXPECT_EQ(mdlFlagSettings::sendFlagSettings(spooler, 1, {}).outcome, Outcome::Sent);
}

// The page goes in two writes, without a look at the queue, to the printer
// named when there is one.
TEST_F(RawSpoolJob, FeaturesPageToANamedPrinter)
{
    const std::vector<std::string> blocks = featuresPageBlocks(FeaturesCommandSet::EscP);
    InSequence order;
    EXPECT_CALL(spooler, defaultPrinter()).Times(0);
    expectOpened("Back Office");
    EXPECT_CALL(printer, startDocument("TR7400 FEATURS")).WillOnce(Return(true));
    EXPECT_CALL(printer, startPage()).WillOnce(Return(true));
    EXPECT_CALL(printer, write(blocks[0])).WillOnce(Return(true));
    EXPECT_CALL(printer, write(blocks[1])).WillOnce(Return(true));
    EXPECT_CALL(printer, endPage()).WillOnce(Return(true));
    EXPECT_CALL(printer, endDocument()).WillOnce(Return(true));
    EXPECT_CALL(printer, close()).WillOnce(Return(true));
    EXPECT_EQ(sendFeaturesPage(spooler, FeaturesCommandSet::EscP, "Back Office").outcome,
              Outcome::Sent);
}

TEST_F(RawSpoolJob, BusyPrinterIsClosedWithNothingSent)
{
    InSequence order;
    expectDefaultOpened();
    EXPECT_CALL(printer, activeJobCount()).WillOnce(Return(1));
    EXPECT_CALL(printer, close()).WillOnce(Return(true));
    EXPECT_EQ(mdlFlagSettings::sendFlagSettings(spooler, 2, {}).outcome, Outcome::Busy);
}

TEST_F(RawSpoolJob, NoDefaultPrinterOpensNothing)
{
    EXPECT_CALL(spooler, defaultPrinter())
        .WillOnce(Return(DefaultPrinter{DefaultPrinter::Status::NoPrinter, {}, "none"}));
    EXPECT_CALL(spooler, open(_, _)).Times(0);
    EXPECT_EQ(runRawSpoolJob(spooler, "x", {"x"}, true).outcome, Outcome::NoPrinter);
}

TEST_F(RawSpoolJob, UnreachableSpoolerIsAnOpenFailure)
{
    EXPECT_CALL(spooler, defaultPrinter())
        .WillOnce(
            Return(DefaultPrinter{DefaultPrinter::Status::SpoolerUnreachable, {}, "no answer"}));
    EXPECT_CALL(spooler, open(_, _)).Times(0);
    const SpoolResult result = runRawSpoolJob(spooler, "x", {"x"}, true);
    EXPECT_EQ(result.outcome, Outcome::NotOpened);
    EXPECT_EQ(result.reason, "no answer");
}

TEST_F(RawSpoolJob, PrinterThatCannotBeOpened)
{
    EXPECT_CALL(spooler, defaultPrinter()).WillOnce(Return(found("Gone")));
    EXPECT_CALL(spooler, open("Gone", _)).WillOnce([](const std::string&, std::string* reason) {
        *reason = "The printer does not exist.";
        return nullptr;
    });
    const SpoolResult result = runRawSpoolJob(spooler, "x", {"x"}, true);
    EXPECT_EQ(result.outcome, Outcome::NotOpened);
    EXPECT_EQ(result.reason, "The printer does not exist.");
}

// Each step after the open that can fail: the job then goes no further, is
// cancelled once it was started, and the printer is closed, with the
// spooler's reason.
enum class Step { StartDocument, StartPage, FirstWrite, SecondWrite, EndPage, EndDocument };

class FailingStep : public RawSpoolJob, public testing::WithParamInterface<Step>
{
};

TEST_P(FailingStep, CancelsAndCloses)
{
    const Step failing = GetParam();
    const auto step = [failing](Step which) { return failing != which; };
    InSequence order;
    expectDefaultOpened();
    EXPECT_CALL(printer, startDocument("doc")).WillOnce(Return(step(Step::StartDocument)));
    if (failing != Step::StartDocument) {
        EXPECT_CALL(printer, startPage()).WillOnce(Return(step(Step::StartPage)));
        if (failing > Step::StartPage)
            EXPECT_CALL(printer, write(std::string("one")))
                .WillOnce(Return(step(Step::FirstWrite)));
        if (failing > Step::FirstWrite)
            EXPECT_CALL(printer, write(std::string("two\0", 4)))
                .WillOnce(Return(step(Step::SecondWrite)));
        if (failing > Step::SecondWrite)
            EXPECT_CALL(printer, endPage()).WillOnce(Return(step(Step::EndPage)));
        if (failing > Step::EndPage)
            EXPECT_CALL(printer, endDocument()).WillOnce(Return(step(Step::EndDocument)));
    }
    EXPECT_CALL(printer, lastError()).WillOnce(Return("The spooler said no."));
    if (failing != Step::StartDocument)
        EXPECT_CALL(printer, cancelDocument());
    EXPECT_CALL(printer, close()).WillOnce(Return(true));

    const SpoolResult result =
        runRawSpoolJob(spooler, "doc", {"one", std::string("two\0", 4)}, /*checkBusy=*/false);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.reason, "The spooler said no.");
}

INSTANTIATE_TEST_SUITE_P(RawSpoolJob, FailingStep,
                         testing::Values(Step::StartDocument, Step::StartPage, Step::FirstWrite,
                                         Step::SecondWrite, Step::EndPage, Step::EndDocument));

// Once the document has ended it is the spooler's, whole: a printer that then
// fails to close does not undo that, nor is the document cancelled.
TEST_F(RawSpoolJob, CloseFailingAfterAnEndedDocumentIsSent)
{
    InSequence order;
    expectDefaultOpened();
    EXPECT_CALL(printer, activeJobCount()).WillOnce(Return(0));
    EXPECT_CALL(printer, startDocument("doc")).WillOnce(Return(true));
    EXPECT_CALL(printer, startPage()).WillOnce(Return(true));
    EXPECT_CALL(printer, write(std::string("one"))).WillOnce(Return(true));
    EXPECT_CALL(printer, endPage()).WillOnce(Return(true));
    EXPECT_CALL(printer, endDocument()).WillOnce(Return(true));
    EXPECT_CALL(printer, cancelDocument()).Times(0);
    EXPECT_CALL(printer, close()).WillOnce(Return(false));

    const SpoolResult result = runRawSpoolJob(spooler, "doc", {"one"}, /*checkBusy=*/true);
    EXPECT_EQ(result.outcome, Outcome::Sent);
    EXPECT_EQ(result.reason, "");
}
