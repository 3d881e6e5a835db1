// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The spooler on Linux: CUPS, through libcups. Raw jobs go to a queue as
// application/vnd.cups-raw, so the scheduler hands the bytes to the device
// unchanged. Built as a module of its own (see modulespooler.cpp).

#include "cupsconnection.h"
#include "lpoptions.h"
#include "spooler.h"

#include <utility>

namespace
{

using namespace CupsConnection;

class CupsPrinter final : public SpoolPrinter
{
  public:
    CupsPrinter(std::string name, Http http)
        : m_name(std::move(name)), m_resource("/printers/" + m_name), m_http(std::move(http))
    {
    }
    ~CupsPrinter() override { close(); }

    int activeJobCount() override
    {
        SigpipeBlocker blocker;
        if (!m_http || m_sending)
            return 0;
        // myjobs = 0: a job of any user blocks the printer alike.
        cups_job_t* jobs = nullptr;
        const int count =
            cupsGetJobs2(m_http.get(), &jobs, m_name.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
        if (count <= 0 || !jobs)
            return 0;
        cupsFreeJobs(count, jobs);
        return count;
    }

    bool startDocument(const std::string& title) override
    {
        SigpipeBlocker blocker;
        if (!m_http)
            return failed("The printer is closed.");
        if (m_jobId != 0)
            return failed("A document is already started.");

        // Sent here rather than by cupsCreateJob, which looks the queue up
        // again and, when that fails, lists every destination over libcups's
        // own connection with waits of a minute and more.
        ipp_t* request = newPrinterRequest(IPP_OP_CREATE_JOB, m_name);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
        cups_option_t* options = nullptr;
        const int optionCount = cupsAddOption("job-sheets", "none,none", 0, &options);
        cupsEncodeOptions2(request, optionCount, options, IPP_TAG_JOB);
        cupsFreeOptions(optionCount, options);
        const Ipp response(cupsDoRequest(m_http.get(), request, m_resource.c_str()));
        std::string reason;
        if (!succeeded(response, m_http.get(), &reason))
            return failed(reason);
        ipp_attribute_t* id = ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER);
        if (!id)
            return failed("The print spooler created no job.");
        m_jobId = ippGetInteger(id, 0);

        m_sending = true;
        const http_status_t status = cupsStartDocument(m_http.get(), m_name.c_str(), m_jobId,
                                                       title.c_str(), CUPS_FORMAT_RAW, 1);
        if (status != HTTP_STATUS_CONTINUE) {
            failed(requestFailure(m_http.get()));
            // The caller cancels only documents that started.
            cancelDocument();
            return false;
        }
        return true;
    }

    // CUPS has no pages in a raw job: the bytes alone make them.
    bool startPage() override { return true; }
    bool endPage() override { return true; }

    bool write(const std::string& bytes) override
    {
        SigpipeBlocker blocker;
        if (!m_sending)
            return failed("No document is started.");
        // A write of nothing would end the document's data early.
        if (bytes.empty())
            return true;
        const http_status_t status = cupsWriteRequestData(m_http.get(), bytes.data(), bytes.size());
        if (status == HTTP_STATUS_CONTINUE)
            return true;
        if (status == HTTP_STATUS_OK || failedRequest(m_http.get()))
            return failed(requestFailure(m_http.get()));
        return failed("The print spooler refused the document: " + std::string(httpStatus(status)));
    }

    bool endDocument() override
    {
        SigpipeBlocker blocker;
        if (!m_sending)
            return failed("No document is started.");
        // cupsFinishDocument would answer with the last status libcups kept,
        // a stale success when the answer never came; the response tells.
        const Ipp response(cupsGetResponse(m_http.get(), m_resource.c_str()));
        std::string reason;
        if (!succeeded(response, m_http.get(), &reason))
            return failed(reason);
        m_sending = false;
        // The job is complete: from here on it is the scheduler's.
        m_jobId = 0;
        return true;
    }

    void cancelDocument() override
    {
        SigpipeBlocker blocker;
        if (m_jobId == 0)
            return;
        const int job = std::exchange(m_jobId, 0);
        // A connection in the middle of sending the document, or broken by a
        // failure, cannot carry the cancel: a fresh one does.
        if (m_sending || !m_http || failedRequest(m_http.get())) {
            m_sending = false;
            m_http.reset();
            std::string unused;
            m_http = connectToScheduler(&unused);
        }
        // If even this fails there is nothing left to try; the scheduler
        // aborts a job without a document by itself after 15 minutes.
        if (m_http)
            cupsCancelJob2(m_http.get(), m_name.c_str(), job, 0);
    }

    bool close() override
    {
        SigpipeBlocker blocker;
        bool ok = true;
        if (m_jobId != 0) {
            cancelDocument();
            ok = failed("The document was not finished, so its job was cancelled.");
        }
        m_sending = false;
        m_http.reset();
        return ok;
    }

    std::string lastError() const override
    {
        if (m_lastError.empty())
            return "The print spooler gave no reason.";
        return m_lastError;
    }

  private:
    bool failed(const std::string& reason)
    {
        m_lastError = reason;
        return false;
    }

    const std::string m_name;
    const std::string m_resource;
    Http m_http;
    int m_jobId = 0;        // created and neither finished nor cancelled
    bool m_sending = false; // the Send-Document request is open on m_http
    std::string m_lastError;
};

class CupsSpooler final : public Spooler
{
  public:
    // The destination lp would use: LPDEST or PRINTER, the lpoptions default,
    // else the scheduler's default.
    DefaultPrinter defaultPrinter() override
    {
        SigpipeBlocker blocker;
        DefaultPrinter result;
        const Http http = connectToScheduler(&result.reason);
        if (!http) {
            result.status = DefaultPrinter::Status::SpoolerUnreachable;
            return result;
        }
        if (cups_dest_t* dest = cupsGetNamedDest(http.get(), nullptr, nullptr)) {
            result.status = DefaultPrinter::Status::Found;
            result.name = dest->name;
            cupsFreeDests(1, dest);
            return result;
        }
        // cupsGetNamedDest says "No default destination." also when the
        // scheduler never answered; the connection tells the two apart.
        if (failedRequest(http.get())) {
            result.status = DefaultPrinter::Status::SpoolerUnreachable;
            result.reason = requestFailure(http.get());
            return result;
        }
        // A default named here whose queue is gone is still the one asked
        // for: opening it then fails with the scheduler's reason.
        const std::string named = LpOptions::locallyNamedDefault().name;
        if (!named.empty()) {
            result.status = DefaultPrinter::Status::Found;
            result.name = named;
            return result;
        }
        result.status = DefaultPrinter::Status::NoPrinter;
        result.reason = lastCupsError();
        return result;
    }

    std::unique_ptr<SpoolPrinter> open(const std::string& name, std::string* reason) override
    {
        SigpipeBlocker blocker;
        std::string why;
        Http http = connectToScheduler(&why);
        if (http) {
            // Asked directly rather than through cupsGetNamedDest, which for
            // a missing queue lists every destination over libcups's own
            // connection, outside the time bound.
            ipp_t* request = newPrinterRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, name);
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                         nullptr, "printer-name");
            const Ipp response(cupsDoRequest(http.get(), request, "/"));
            if (succeeded(response, http.get(), &why))
                return std::make_unique<CupsPrinter>(name, std::move(http));
        }
        if (reason)
            *reason = why;
        return nullptr;
    }
};

} // namespace

// The module's one entry point; the program loads it at its first job.
extern "C" __attribute__((visibility("default"))) Spooler* pcuCreateCupsSpooler()
{
    return new CupsSpooler;
}
