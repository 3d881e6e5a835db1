// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <memory>
#include <string>
#include <vector>

// The print spooler's queues and devices, and the few changes that set up a
// raw queue for a printer: plain C++, as spooler.h. The platform
// implementation is chosen by the build (CUPS on Linux; on Windows every call
// answers Unsupported). Names, addresses and reasons are UTF-8.

// One print queue, as the spooler reports it.
struct PrintQueue {
    enum class State { Idle, Printing, Stopped };
    std::string name;
    State state = State::Idle;
    std::string stateMessage;
    bool accepting = false;
    int jobsWaiting = 0; // of every user
    std::string deviceUri;
    std::string driver; // the driver's make and model; empty for none
    // Raw jobs reach the device untouched: no driver, or one that takes them.
    bool passesRawJobs = false;
};

// Where the default printer of this user comes from, as lp looks for it.
enum class DefaultSource {
    None,
    Lpdest,        // the LPDEST variable
    Printer,       // the PRINTER variable
    UserOptions,   // the user's own lpoptions file
    SystemOptions, // the machine's lpoptions file
    Scheduler,     // the scheduler's default printer
};

struct PrinterOverview {
    std::vector<PrintQueue> queues;
    std::string systemDefault; // the scheduler's; empty for none
    std::string userDefault;   // the one lp uses for this user; empty for none
    DefaultSource userDefaultSource = DefaultSource::None;
    std::string userOptionsFile;    // where setUserDefault writes
    std::string userOptionsDefault; // the default it names; empty for none
    std::string systemOptionsFile;  // the machine's lpoptions
};

// A printer device the spooler can see, whether or not a queue uses it.
struct PrinterDevice {
    std::string deviceClass; // "direct", "network", "serial", "file"
    std::string uri;
    std::string makeAndModel;
    std::string info;
    std::string deviceId; // IEEE 1284, as the printer reports it; may be empty
    std::string location;
};

struct AdminResult {
    enum class Status {
        Done,
        NotAllowed,  // the spooler lets only its administrators do this
        Unreachable, // the spooler could not be reached at all
        Refused,     // the spooler answered with a failure
        Unsupported, // this platform's spooler is not administered here
    };
    Status status = Status::Refused;
    std::string reason; // the spooler's words, when not Done

    bool done() const { return status == Status::Done; }
};

class PrinterAdmin
{
  public:
    virtual ~PrinterAdmin() = default;

    virtual AdminResult overview(PrinterOverview& result) = 0;
    virtual AdminResult devices(std::vector<PrinterDevice>& result) = 0;

    // Makes a raw queue (no driver) on the device, or, when the queue
    // exists, points it at the device and keeps its driver.
    virtual AdminResult addRawQueue(const std::string& name, const std::string& deviceUri) = 0;
    // Starts the queue and lets it accept jobs.
    virtual AdminResult enableQueue(const std::string& name) = 0;
    virtual AdminResult setSystemDefault(const std::string& name) = 0;
    // The default of this user alone, in the user's own lpoptions file.
    virtual AdminResult setUserDefault(const std::string& name) = 0;

    // The groups whose members, besides root, administer printers.
    virtual std::string administratorGroups() = 0;
};

// The printer administration of the platform this program was built for.
std::unique_ptr<PrinterAdmin> createPlatformPrinterAdmin();
