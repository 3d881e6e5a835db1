// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "printeradmin.h"
#include "spooler.h"

#include <gmock/gmock.h>

// The spooler, an opened printer and the printer administration, as mocks: the core's tests check
// the calls themselves, in order, with their arguments.
class MockPrinter : public SpoolPrinter
{
  public:
    MOCK_METHOD(int, activeJobCount, (), (override));
    MOCK_METHOD(bool, startDocument, (const std::string&), (override));
    MOCK_METHOD(bool, startPage, (), (override));
    MOCK_METHOD(bool, write, (const std::string&), (override));
    MOCK_METHOD(bool, endPage, (), (override));
    MOCK_METHOD(bool, endDocument, (), (override));
    MOCK_METHOD(void, cancelDocument, (), (override));
    MOCK_METHOD(bool, close, (), (override));
    MOCK_METHOD(std::string, lastError, (), (const, override));
};

class MockSpooler : public Spooler
{
  public:
    MOCK_METHOD(DefaultPrinter, defaultPrinter, (), (override));
    MOCK_METHOD(std::unique_ptr<SpoolPrinter>, open, (const std::string&, std::string*),
                (override));
};

class MockPrinterAdmin : public PrinterAdmin
{
  public:
    MOCK_METHOD(AdminResult, overview, (PrinterOverview&), (override));
    MOCK_METHOD(AdminResult, devices, (std::vector<PrinterDevice>&), (override));
    MOCK_METHOD(AdminResult, addRawQueue, (const std::string&, const std::string&), (override));
    MOCK_METHOD(AdminResult, enableQueue, (const std::string&), (override));
    MOCK_METHOD(AdminResult, setSystemDefault, (const std::string&), (override));
    MOCK_METHOD(AdminResult, setUserDefault, (const std::string&), (override));
    MOCK_METHOD(std::string, administratorGroups, (), (override));
};
