// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "cupsconnection.h"

#include <cerrno>
#include <cstring>
#include <ctime>

namespace CupsConnection
{

namespace
{

// Without a callback that gives up, libcups waits forever for a socket that
// stops taking data.
int giveUp(http_t*, void*)
{
    return 0;
}

std::string systemError(int error)
{
    return std::strerror(error);
}

std::string unreachable(const std::string& why)
{
    return "The print spooler (CUPS at " + std::string(cupsServer()) +
           ") cannot be reached: " + why;
}

} // namespace

SigpipeBlocker::SigpipeBlocker()
{
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    m_wasPending = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
}

SigpipeBlocker::~SigpipeBlocker()
{
    if (!m_wasPending) {
        sigset_t pending;
        sigemptyset(&pending);
        sigpending(&pending);
        if (sigismember(&pending, SIGPIPE) == 1) {
            const timespec none{};
            sigtimedwait(&m_pipe, nullptr, &none);
        }
    }
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

std::string lastCupsError()
{
    const char* text = cupsLastErrorString();
    if (text && *text)
        return text;
    return ippErrorString(cupsLastError());
}

Http connectToScheduler(std::string* reason)
{
    // Created unconnected and then connected, so that the connection keeps
    // the reason of a failure.
    Http http(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr));
    if (!http) {
        *reason = unreachable(lastCupsError());
        return nullptr;
    }
    if (httpReconnect2(http.get(), connectMsec, nullptr) != 0) {
        const int error = httpError(http.get());
        *reason = unreachable(systemError(error != 0 ? error : ECONNREFUSED));
        return nullptr;
    }
    setAnswerTime(http.get(), answerSeconds);
    return http;
}

void setAnswerTime(http_t* http, double seconds)
{
    httpSetTimeout(http, seconds, giveUp, nullptr);
}

// libcups keeps its last error when the connection itself fails, so the
// connection is asked first.
std::string requestFailure(http_t* http)
{
    const int error = httpError(http);
    if (error == ETIMEDOUT)
        return "The print spooler did not answer within " +
               std::to_string(static_cast<int>(answerSeconds)) + " seconds.";
    if (error != 0)
        return "The connection to the print spooler failed: " + systemError(error);
    const http_status_t status = httpGetStatus(http);
    if (status >= HTTP_STATUS_BAD_REQUEST)
        return "The print spooler refused the request: " + std::string(httpStatus(status));
    if (cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return lastCupsError();
    return "The print spooler closed the connection without an answer.";
}

bool failedRequest(http_t* http)
{
    const http_status_t status = httpGetStatus(http);
    return httpError(http) != 0 || status == HTTP_STATUS_ERROR || status >= HTTP_STATUS_BAD_REQUEST;
}

bool succeeded(const Ipp& response, http_t* http, std::string* reason)
{
    if (!response) {
        *reason = requestFailure(http);
        return false;
    }
    if (ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING) {
        *reason = lastCupsError();
        return false;
    }
    return true;
}

std::string printerUri(const std::string& name)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.c_str());
    return uri;
}

ipp_t* newPrinterRequest(ipp_op_t operation, const std::string& name)
{
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(name).c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

} // namespace CupsConnection
