// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "printers.h"

#include "adminreport.h"
#include "ctl.h"
#include "jsonwriter.h"
#include "tr7400device.h"

#include <ostream>

namespace
{

const char* stateName(PrintQueue::State state)
{
    switch (state) {
    case PrintQueue::State::Idle:
        return "idle";
    case PrintQueue::State::Printing:
        return "printing";
    case PrintQueue::State::Stopped:
        break;
    }
    return "stopped";
}

const char* sourceName(DefaultSource source)
{
    switch (source) {
    case DefaultSource::Lpdest:
        return "LPDEST";
    case DefaultSource::Printer:
        return "PRINTER";
    case DefaultSource::UserOptions:
        return "user-lpoptions";
    case DefaultSource::SystemOptions:
        return "system-lpoptions";
    case DefaultSource::Scheduler:
        return "scheduler";
    case DefaultSource::None:
        break;
    }
    return nullptr;
}

std::string jobsText(int count)
{
    if (count == 0)
        return "no job waiting";
    return std::to_string(count) + (count == 1 ? " job waiting" : " jobs waiting");
}

std::string rawText(const PrintQueue& queue)
{
    if (queue.driver.empty())
        return queue.passesRawJobs ? "raw: no driver, the bytes pass untouched"
                                   : "no driver, but raw jobs are refused";
    return "driver " + queue.driver +
           (queue.passesRawJobs ? ", raw jobs pass untouched"
                                : ", raw jobs are refused: the settings cannot reach the printer");
}

void writeText(std::ostream& out, const PrinterOverview& overview,
               const std::vector<PrinterDevice>* devices)
{
    out << (overview.queues.empty() ? "No print queues.\n" : "Print queues:\n");
    for (const PrintQueue& queue : overview.queues) {
        out << "  " << queue.name << "  " << stateName(queue.state)
            << (queue.accepting ? ", accepting jobs, " : ", not accepting jobs, ")
            << jobsText(queue.jobsWaiting)
            << (queue.stateMessage.empty() ? "" : " (" + queue.stateMessage + ")") << "\n"
            << "      device " << (queue.deviceUri.empty() ? "(none)" : queue.deviceUri) << "\n"
            << "      " << rawText(queue) << "\n";
        const bool system = queue.name == overview.systemDefault;
        const bool user = queue.name == overview.userDefault;
        if (system || user)
            out << "      "
                << (system && user ? "the system's default printer, and yours"
                    : system       ? "the system's default printer"
                                   : "your default printer")
                << "\n";
    }
    out << "System default: " << (overview.systemDefault.empty() ? "none" : overview.systemDefault)
        << "\n"
        << "Your default, as lp finds it: "
        << (overview.userDefault.empty() ? "none"
                                         : overview.userDefault + " (" + sourceText(overview) + ")")
        << "\n";
    if (!devices)
        return;
    out << "\n"
        << (devices->empty() ? "No printer devices.\n" : "Printer devices (* a TR 7400):\n");
    for (const PrinterDevice& device : *devices) {
        out << (Tr7400Device::looksLikeTr7400(device) ? "* " : "  ") << device.uri << "\n"
            << "      " << Tr7400Device::describe(device) << " (" << device.deviceClass << ")";
        if (!device.deviceId.empty())
            out << ", ID " << device.deviceId;
        out << "\n";
    }
}

void writeJson(std::ostream& out, const PrinterOverview& overview,
               const std::vector<PrinterDevice>* devices, const std::string& devicesError)
{
    JsonWriter json(out);
    json.beginObject();
    json.key("queues");
    json.beginArray();
    for (const PrintQueue& queue : overview.queues) {
        json.beginObject();
        json.member("name", queue.name);
        json.member("state", stateName(queue.state));
        json.member("stateMessage", queue.stateMessage);
        json.member("accepting", queue.accepting);
        json.member("jobsWaiting", queue.jobsWaiting);
        json.textOrNullMember("device", queue.deviceUri);
        json.textOrNullMember("driver", queue.driver);
        json.member("raw", queue.passesRawJobs);
        json.member("systemDefault", queue.name == overview.systemDefault);
        json.member("userDefault", queue.name == overview.userDefault);
        json.endObject();
    }
    json.endArray();
    json.textOrNullMember("systemDefault", overview.systemDefault);
    json.textOrNullMember("userDefault", overview.userDefault);
    json.key("userDefaultSource");
    if (const char* source = sourceName(overview.userDefaultSource))
        json.value(source);
    else
        json.null();
    json.key("devices");
    if (devices) {
        json.beginArray();
        for (const PrinterDevice& device : *devices) {
            json.beginObject();
            json.member("uri", device.uri);
            json.member("class", device.deviceClass);
            json.member("makeAndModel", device.makeAndModel);
            json.member("info", device.info);
            json.member("deviceId", device.deviceId);
            json.member("location", device.location);
            json.member("tr7400", Tr7400Device::looksLikeTr7400(device));
            json.endObject();
        }
        json.endArray();
    } else {
        json.null();
    }
    json.textOrNullMember("devicesError", devicesError);
    json.endObject();
}

} // namespace

std::string sourceText(const PrinterOverview& overview)
{
    switch (overview.userDefaultSource) {
    case DefaultSource::Lpdest:
        return "from LPDEST";
    case DefaultSource::Printer:
        return "from PRINTER";
    case DefaultSource::UserOptions:
        return "from " + overview.userOptionsFile;
    case DefaultSource::SystemOptions:
        return "from " + overview.systemOptionsFile;
    case DefaultSource::Scheduler:
        return "the system's default";
    case DefaultSource::None:
        break;
    }
    return "none";
}

int listPrinters(bool json, CtlEnvironment& environment)
{
    const std::unique_ptr<PrinterAdmin> admin = environment.makePrinterAdmin();
    PrinterOverview overview;
    const AdminResult listed = admin->overview(overview);
    if (!listed.done())
        return reportAdminFailure(listed, *admin, environment.err, "list the print queues");
    std::vector<PrinterDevice> devices;
    const AdminResult found = admin->devices(devices);
    if (json)
        writeJson(environment.out, overview, found.done() ? &devices : nullptr, found.reason);
    else
        writeText(environment.out, overview, found.done() ? &devices : nullptr);
    environment.out.flush();
    // The queues are told all the same; the status says the list is short.
    return reportAdminFailure(found, *admin, environment.err, "list the printer devices");
}
