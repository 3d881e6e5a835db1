// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Printer administration on Linux: the scheduler's queues and devices, and
// the changes lpadmin would make, as IPP requests to CUPS. Part of the CUPS
// module (see modulespooler.cpp).

#include "cupsconnection.h"
#include "lpoptions.h"
#include "printeradmin.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{

using namespace CupsConnection;
using Status = AdminResult::Status;

// How long the scheduler's backends may look for devices; the answer comes
// after them.
constexpr int kDeviceSeconds = 10;

// CUPS names a queue without a driver so.
const char kNoDriver[] = "Local Raw Printer";

// An administrator's password is never asked for on the terminal: the tool
// says who may do it instead.
const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

bool refusedForRights(http_t* http)
{
    const http_status_t status = httpGetStatus(http);
    const ipp_status_t ipp = cupsLastError();
    return status == HTTP_STATUS_UNAUTHORIZED || status == HTTP_STATUS_FORBIDDEN ||
           ipp == IPP_STATUS_ERROR_FORBIDDEN || ipp == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
           ipp == IPP_STATUS_ERROR_NOT_AUTHORIZED;
}

// Sends one request (and frees it); the answer in response when asked for.
AdminResult send(ipp_t* request, const char* resource, Ipp* response = nullptr,
                 double answerSeconds = 0)
{
    SigpipeBlocker blocker;
    std::string reason;
    const Http http = connectToScheduler(&reason);
    if (!http) {
        ippDelete(request);
        return {Status::Unreachable, reason};
    }
    if (answerSeconds > 0)
        setAnswerTime(http.get(), answerSeconds);
    Ipp answer(cupsDoRequest(http.get(), request, resource));
    if (!succeeded(answer, http.get(), &reason)) {
        // Refused for want of rights, the scheduler's one word says it all.
        if (refusedForRights(http.get()))
            return {Status::NotAllowed, lastCupsError()};
        return {Status::Refused, reason};
    }
    if (response)
        *response = std::move(answer);
    return {Status::Done, {}};
}

std::string text(ipp_attribute_t* attribute)
{
    const char* value = ippGetString(attribute, 0, nullptr);
    return value ? value : "";
}

bool holds(ipp_attribute_t* attribute, const char* value)
{
    for (int i = 0; i < ippGetCount(attribute); ++i) {
        const char* each = ippGetString(attribute, i, nullptr);
        if (each && std::string(each) == value)
            return true;
    }
    return false;
}

// Each printer or device is one group of attributes; groups end at a
// separator. Calls take(name, attribute) for each attribute and done() after
// each group.
template <typename Take, typename Done>
void eachGroup(ipp_t* response, ipp_tag_t group, Take take, Done done)
{
    bool open = false;
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute;
         attribute = ippNextAttribute(response)) {
        const char* name = ippGetName(attribute);
        if (!name || ippGetGroupTag(attribute) != group) {
            if (open)
                done();
            open = false;
            continue;
        }
        open = true;
        take(std::string(name), attribute);
    }
    if (open)
        done();
}

std::string schedulerDefault()
{
    Ipp response;
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    if (!send(request, "/", &response).done())
        return {};
    return text(ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME));
}

class CupsPrinterAdmin final : public PrinterAdmin
{
  public:
    CupsPrinterAdmin() { cupsSetPasswordCB2(noPassword, nullptr); }

    AdminResult overview(PrinterOverview& result) override
    {
        static const char* const wanted[] = {"printer-name",           "printer-state",
                                             "printer-state-message",  "printer-is-accepting-jobs",
                                             "queued-job-count",       "device-uri",
                                             "printer-make-and-model", "document-format-supported"};
        ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      int(std::size(wanted)), nullptr, wanted);
        Ipp response;
        const AdminResult sent = send(request, "/", &response);
        // A scheduler without queues answers "not found".
        if (!sent.done() && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
            return sent;

        result = {};
        PrintQueue queue;
        eachGroup(
            response.get(), IPP_TAG_PRINTER,
            [&queue](const std::string& name, ipp_attribute_t* attribute) {
                if (name == "printer-name")
                    queue.name = text(attribute);
                else if (name == "printer-state")
                    queue.state = ippGetInteger(attribute, 0) == IPP_PSTATE_STOPPED
                                      ? PrintQueue::State::Stopped
                                  : ippGetInteger(attribute, 0) == IPP_PSTATE_PROCESSING
                                      ? PrintQueue::State::Printing
                                      : PrintQueue::State::Idle;
                else if (name == "printer-state-message")
                    queue.stateMessage = text(attribute);
                else if (name == "printer-is-accepting-jobs")
                    queue.accepting = ippGetBoolean(attribute, 0) != 0;
                else if (name == "queued-job-count")
                    queue.jobsWaiting = ippGetInteger(attribute, 0);
                else if (name == "device-uri")
                    queue.deviceUri = text(attribute);
                else if (name == "printer-make-and-model" && text(attribute) != kNoDriver)
                    queue.driver = text(attribute);
                else if (name == "document-format-supported")
                    queue.passesRawJobs = holds(attribute, CUPS_FORMAT_RAW);
            },
            [&queue, &result] {
                if (!queue.name.empty())
                    result.queues.push_back(queue);
                queue = {};
            });

        result.systemDefault = schedulerDefault();
        const LpOptions::NamedDefault named = LpOptions::locallyNamedDefault();
        result.userDefault = named.name;
        result.userDefaultSource = named.source;
        if (named.name.empty() && !result.systemDefault.empty()) {
            result.userDefault = result.systemDefault;
            result.userDefaultSource = DefaultSource::Scheduler;
        }
        result.userOptionsFile = LpOptions::userFile();
        result.userOptionsDefault = LpOptions::defaultIn(result.userOptionsFile);
        result.systemOptionsFile = LpOptions::systemFile();
        return {Status::Done, {}};
    }

    AdminResult devices(std::vector<PrinterDevice>& result) override
    {
        ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_DEVICES);
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout", kDeviceSeconds);
        Ipp response;
        const AdminResult sent = send(request, "/", &response, kDeviceSeconds + answerSeconds);
        if (!sent.done())
            return sent;
        result.clear();
        PrinterDevice device;
        eachGroup(
            response.get(), IPP_TAG_PRINTER,
            [&device](const std::string& name, ipp_attribute_t* attribute) {
                if (name == "device-class")
                    device.deviceClass = text(attribute);
                else if (name == "device-uri")
                    device.uri = text(attribute);
                else if (name == "device-make-and-model")
                    device.makeAndModel = text(attribute);
                else if (name == "device-info")
                    device.info = text(attribute);
                else if (name == "device-id")
                    device.deviceId = text(attribute);
                else if (name == "device-location")
                    device.location = text(attribute);
            },
            [&device, &result] {
                if (!device.uri.empty())
                    result.push_back(device);
                device = {};
            });
        return {Status::Done, {}};
    }

    AdminResult addRawQueue(const std::string& name, const std::string& deviceUri) override
    {
        // Without a driver named, a new queue has none: lpadmin -p -v.
        ipp_t* request = newPrinterRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, name);
        ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
                     deviceUri.c_str());
        return send(request, "/admin/");
    }

    AdminResult enableQueue(const std::string& name) override
    {
        // As lpadmin -E does.
        ipp_t* request = newPrinterRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, name);
        ippAddBoolean(request, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        ippAddInteger(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        return send(request, "/admin/");
    }

    AdminResult setSystemDefault(const std::string& name) override
    {
        return send(newPrinterRequest(IPP_OP_CUPS_SET_DEFAULT, name), "/admin/");
    }

    AdminResult setUserDefault(const std::string& name) override
    {
        // Always the user's own file: lpoptions -d run by root would write the
        // machine's, the default of every user.
        std::string reason;
        if (!LpOptions::setDefaultIn(LpOptions::userFile(), name, &reason))
            return {Status::Refused, reason};
        return {Status::Done, {}};
    }

    std::string administratorGroups() override
    {
        // The scheduler's SystemGroup, when its configuration is on this
        // machine and readable; Debian's otherwise.
        const char* root = std::getenv("CUPS_SERVERROOT");
        std::ifstream file(std::string(root && *root ? root : "/etc/cups") + "/cups-files.conf");
        std::string line;
        std::string groups;
        while (std::getline(file, line)) {
            std::istringstream words(line);
            std::string keyword;
            words >> keyword;
            if (keyword != "SystemGroup")
                continue;
            std::string group;
            std::string all;
            while (words >> group) {
                if (group != "root")
                    all += (all.empty() ? "" : " or ") + group;
            }
            groups = all.empty() ? "root" : all;
        }
        return groups.empty() ? "lpadmin" : groups;
    }
};

} // namespace

// The module's entry point for printer administration.
extern "C" __attribute__((visibility("default"))) PrinterAdmin* pcuCreateCupsPrinterAdmin()
{
    return new CupsPrinterAdmin;
}
