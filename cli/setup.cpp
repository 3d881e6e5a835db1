// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "setup.h"

#include "adminreport.h"
#include "ctl.h"
#include "printers.h"
#include "tr7400device.h"

#include <cstdlib>
#include <ostream>

namespace
{

// Nothing in it stops the settings from reaching the printer.
bool ready(const PrintQueue& queue)
{
    return queue.passesRawJobs && queue.accepting && queue.state != PrintQueue::State::Stopped;
}

std::string rawness(const PrintQueue& queue)
{
    return queue.driver.empty() ? "raw" : "driver " + queue.driver + ", which passes raw jobs";
}

class Setup
{
  public:
    Setup(const SetupRequest& request, CtlEnvironment& environment)
        : m_request(request), m_out(environment.out), m_err(environment.err),
          m_admin(environment.makePrinterAdmin())
    {
    }

    int run()
    {
        // The queues first: anyone may list them, and the queue may be right
        // already.
        PrinterOverview overview;
        if (const AdminResult listed = m_admin->overview(overview); !listed.done())
            return refused(listed, "list the print queues");
        const PrintQueue* existing = nullptr;
        for (const PrintQueue& queue : overview.queues) {
            if (queue.name == m_request.queue)
                existing = &queue;
        }

        std::string uri = m_request.deviceUri;
        if (uri.empty()) {
            if (const int status = findDevice(existing, uri); status != ExitStatus::sent)
                return status;
        }
        if (const int status = setUpQueue(existing, uri); status != ExitStatus::sent)
            return status;
        if (const int status = setDefaults(overview); status != ExitStatus::sent)
            return status;
        tellWhereJobsGo();
        return ExitStatus::sent;
    }

  private:
    const std::string& name() const { return m_request.queue; }

    // The one device that looks like a TR 7400, in uri.
    int findDevice(const PrintQueue* existing, std::string& uri)
    {
        std::vector<PrinterDevice> devices;
        const AdminResult found = m_admin->devices(devices);
        if (found.status == AdminResult::Status::NotAllowed && existing && ready(*existing)) {
            // Nothing in the queue needs an administrator; the defaults may not.
            m_out << "Only administrators may list the printer devices; the queue " << name()
                  << " is ready on " << existing->deviceUri << ", so it stays as it is.\n";
            uri = existing->deviceUri;
            return ExitStatus::sent;
        }
        if (!found.done())
            return refused(found, "list the printer devices");

        std::vector<const PrinterDevice*> candidates;
        for (const PrinterDevice& device : devices) {
            if (Tr7400Device::looksLikeTr7400(device))
                candidates.push_back(&device);
        }
        if (candidates.size() == 1) {
            uri = candidates.front()->uri;
            m_out << "Found the TR 7400 at " << uri << " ("
                  << Tr7400Device::describe(*candidates.front()) << ").\n";
            return ExitStatus::sent;
        }
        if (candidates.empty()) {
            m_err << "tr7400ctl: none of the printer devices the print spooler sees looks like a "
                     "TR 7400"
                  << (devices.empty() ? "; it sees none.\n" : "; it sees:\n");
            for (const PrinterDevice& device : devices)
                m_err << "  " << device.uri << "  (" << Tr7400Device::describe(device) << ")\n";
            m_err << "tr7400ctl: connect the printer and switch it on, or name its device with "
                     "--device URI (a parallel port reports no model).\n";
            if (existing)
                m_err << "tr7400ctl: the queue " << name() << " stays on " << existing->deviceUri
                      << ".\n";
            nothingChanged();
            return ExitStatus::noDevice;
        }
        m_err << "tr7400ctl: " << candidates.size()
              << " printer devices look like a TR 7400; name one with --device URI:\n";
        for (const PrinterDevice* device : candidates)
            m_err << "  " << device->uri << "  (" << Tr7400Device::describe(*device) << ")\n";
        nothingChanged();
        return ExitStatus::severalDevices;
    }

    int setUpQueue(const PrintQueue* existing, const std::string& uri)
    {
        if (!existing) {
            if (const AdminResult made = m_admin->addRawQueue(name(), uri); !made.done())
                return refused(made, "make the queue " + name());
            m_changed = true;
            if (const AdminResult enabled = m_admin->enableQueue(name()); !enabled.done())
                return refused(enabled, "enable the queue " + name());
            m_out << "Made the raw queue " << name() << " for " << uri
                  << ": enabled and accepting jobs.\n";
            return ExitStatus::sent;
        }
        if (!existing->passesRawJobs) {
            m_err << "tr7400ctl: the queue " << name() << " has "
                  << (existing->driver.empty() ? "no driver" : "the driver " + existing->driver)
                  << " and refuses raw jobs: the settings would not reach the printer.\n"
                  << "tr7400ctl: name another queue with --name, or remove this one first "
                     "(sudo lpadmin -x "
                  << name() << ").\n";
            nothingChanged();
            return ExitStatus::failed;
        }
        bool touched = false;
        if (existing->deviceUri != uri) {
            if (const AdminResult moved = m_admin->addRawQueue(name(), uri); !moved.done())
                return refused(moved, "point the queue " + name() + " at " + uri);
            m_changed = touched = true;
            m_out << "Pointed the queue " << name() << " at " << uri << " (it was on "
                  << (existing->deviceUri.empty() ? "no device" : existing->deviceUri) << ").\n";
        }
        if (existing->state == PrintQueue::State::Stopped || !existing->accepting) {
            if (const AdminResult enabled = m_admin->enableQueue(name()); !enabled.done())
                return refused(enabled, "enable the queue " + name());
            m_changed = touched = true;
            m_out << "Enabled the queue " << name() << ": it was "
                  << (existing->state == PrintQueue::State::Stopped
                          ? (existing->accepting ? "stopped" : "stopped and not accepting jobs")
                          : "not accepting jobs")
                  << ".\n";
        }
        if (!touched)
            m_out << "The queue " << name() << " is already set up: " << rawness(*existing)
                  << ", on " << uri << ", enabled and accepting jobs.\n";
        return ExitStatus::sent;
    }

    int setDefaults(const PrinterOverview& overview)
    {
        if (m_request.systemDefault) {
            if (overview.systemDefault == name()) {
                m_out << name() << " is already the system's default printer.\n";
            } else {
                if (const AdminResult set = m_admin->setSystemDefault(name()); !set.done())
                    return refused(set, "make " + name() + " the system's default printer");
                m_changed = true;
                m_out << "Made " << name() << " the system's default printer.\n";
            }
        }
        if (m_request.userDefault) {
            if (overview.userOptionsDefault == name()) {
                m_out << name() << " is already your default printer (in "
                      << overview.userOptionsFile << ").\n";
            } else {
                if (const AdminResult set = m_admin->setUserDefault(name()); !set.done())
                    return refused(set, "make " + name() + " your default printer");
                m_changed = true;
                m_out << "Made " << name() << " your default printer (in "
                      << overview.userOptionsFile << ").\n";
            }
            if (const char* user = std::getenv("SUDO_USER"); user && *user)
                m_out << "Run with sudo, that is root's default; for " << user
                      << ", run tr7400ctl setup --user-default without sudo.\n";
        }
        return ExitStatus::sent;
    }

    // The window and apply without -P send to the default printer: says
    // where that is now.
    void tellWhereJobsGo()
    {
        PrinterOverview after;
        if (!m_admin->overview(after).done())
            return;
        if (after.userDefault == name()) {
            m_out << "The Printer Configuration Utility and tr7400ctl send to " << name()
                  << ", the default printer.\n";
        } else if (m_request.systemDefault || m_request.userDefault) {
            m_out << "Note: lp still finds " << after.userDefault << " as your default ("
                  << sourceText(after) << "), which comes first; the Printer Configuration "
                  << "Utility sends there.\n";
        } else {
            m_out << "The Printer Configuration Utility sends to the default printer, "
                  << (after.userDefault.empty() ? "none now" : after.userDefault + " now")
                  << ": tr7400ctl setup --default makes it " << name()
                  << " (or --user-default, for you alone).\n";
        }
    }

    int refused(const AdminResult& result, const std::string& doing)
    {
        const int status = reportAdminFailure(result, *m_admin, m_err, doing);
        if (m_changed)
            m_err << "tr7400ctl: what is said above was done; the rest was not.\n";
        else
            nothingChanged();
        return status;
    }

    void nothingChanged() { m_err << "tr7400ctl: nothing was changed.\n"; }

    const SetupRequest& m_request;
    std::ostream& m_out;
    std::ostream& m_err;
    std::unique_ptr<PrinterAdmin> m_admin;
    bool m_changed = false;
};

} // namespace

int setUpPrinter(const SetupRequest& request, CtlEnvironment& environment)
{
    return Setup(request, environment).run();
}
