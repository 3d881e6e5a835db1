// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

// What the CUPS module's parts share: a bounded connection to the scheduler,
// requests on it, and the reasons of their failures. Inside the module only.

#include <cups/cups.h>

#include <csignal>
#include <memory>
#include <string>

namespace CupsConnection
{

// Every exchange with the scheduler gives up after about this long, so that a
// hung scheduler never freezes the program.
inline constexpr int connectMsec = 10000;
inline constexpr double answerSeconds = 10.0;

// A scheduler that goes away mid-request makes the next send raise SIGPIPE,
// which would end the program: Linux sockets have no per-socket opt-out.
// The signal is held back for this thread and a pending one swallowed.
class SigpipeBlocker
{
  public:
    SigpipeBlocker();
    ~SigpipeBlocker();
    SigpipeBlocker(const SigpipeBlocker&) = delete;
    SigpipeBlocker& operator=(const SigpipeBlocker&) = delete;

  private:
    sigset_t m_pipe;
    sigset_t m_previous;
    bool m_wasPending = false;
};

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using Http = std::unique_ptr<http_t, HttpCloser>;

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

std::string lastCupsError();

// Null when the scheduler cannot be reached; reason then says why.
Http connectToScheduler(std::string* reason);
// Lets one request wait this long for its answer (listing devices does).
void setAnswerTime(http_t* http, double seconds);

// Why a request on this connection got no usable answer.
std::string requestFailure(http_t* http);
bool failedRequest(http_t* http);
// A response whose status is a success; otherwise reason says why.
bool succeeded(const Ipp& response, http_t* http, std::string* reason);

std::string printerUri(const std::string& name);
// A request on the queue, in this user's name.
ipp_t* newPrinterRequest(ipp_op_t operation, const std::string& name);

} // namespace CupsConnection
