// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The spooler on Windows: winspool, through its ANSI entry points. Raw jobs
// are documents of one page whose bytes go to the printer as they are.

#include "winspoolapi.h"

#include <string>
#include <vector>

namespace
{

// Between the program's UTF-8 and the ANSI code page of the entry points.
std::string convert(const std::string& text, UINT from, UINT to)
{
    if (text.empty())
        return text;
    const int wideLength = MultiByteToWideChar(from, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), int(text.size()), wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string converted(std::size_t(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, converted.data(), length, nullptr, nullptr);
    return converted;
}

std::string toUtf8(const std::string& ansi)
{
    return convert(ansi, CP_ACP, CP_UTF8);
}

std::string toAnsi(const std::string& utf8)
{
    return convert(utf8, CP_UTF8, CP_ACP);
}

// The system's words for an error code.
std::string describe(DWORD error)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = length != 0 && text ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    if (message.empty())
        return "The print spooler reported error " + std::to_string(error) + ".";
    return toUtf8(message) + ".";
}

class WinspoolPrinter final : public SpoolPrinter
{
  public:
    WinspoolPrinter(const WinspoolApi& api, HANDLE handle) : m_api(api), m_handle(handle) {}
    ~WinspoolPrinter() override { close(); }

    int activeJobCount() override
    {
        // The first call learns how much room the records need; with jobs
        // waiting it fails for want of that room, as it should.
        DWORD needed = 0;
        DWORD returned = 0;
        m_api.enumJobs(m_handle, 0, 0xFFFFFFFF, 2, nullptr, 0, &needed, &returned);
        std::vector<BYTE> records(std::size_t(needed) + 1);
        returned = 0;
        m_api.enumJobs(m_handle, 0, 0xFFFFFFFF, 2, records.data(), needed, &needed, &returned);
        // The records themselves are not read: their number is the answer.
        return int(returned);
    }

    bool startDocument(const std::string& documentName) override
    {
        std::string name = toAnsi(documentName);
        DOC_INFO_1A info{};
        info.pDocName = name.data();
        info.pOutputFile = nullptr; // to the printer's port
        info.pDatatype = nullptr;   // the printer's own data type
        m_job = m_api.startDocPrinter(m_handle, 1, reinterpret_cast<LPBYTE>(&info));
        return m_job != 0 || failed();
    }

    bool startPage() override { return m_api.startPagePrinter(m_handle) || failed(); }

    bool write(const std::string& bytes) override
    {
        DWORD written = 0;
        // NUL bytes included: the length, not a terminator, ends the block.
        if (!m_api.writePrinter(m_handle, const_cast<char*>(bytes.data()), DWORD(bytes.size()),
                                &written))
            return failed();
        if (written != bytes.size()) {
            m_error = "The print spooler took " + std::to_string(written) + " of " +
                      std::to_string(bytes.size()) + " bytes.";
            return false;
        }
        return true;
    }

    bool endPage() override { return m_api.endPagePrinter(m_handle) || failed(); }

    bool endDocument() override
    {
        if (!m_api.endDocPrinter(m_handle))
            return failed();
        m_job = 0; // complete: from here on it is the spooler's
        return true;
    }

    void cancelDocument() override
    {
        if (m_job == 0)
            return;
        m_api.setJob(m_handle, m_job, 0, nullptr, JOB_CONTROL_DELETE);
        m_job = 0;
    }

    bool close() override
    {
        if (!m_handle)
            return true;
        bool ok = true;
        if (m_job != 0) {
            cancelDocument();
            m_error = "The document was not finished, so its job was cancelled.";
            ok = false;
        }
        if (!m_api.closePrinter(m_handle))
            ok = failed();
        m_handle = nullptr;
        return ok;
    }

    std::string lastError() const override
    {
        return m_error.empty() ? std::string("The print spooler gave no reason.") : m_error;
    }

  private:
    bool failed()
    {
        m_error = describe(m_api.getLastError());
        return false;
    }

    const WinspoolApi& m_api;
    HANDLE m_handle;
    DWORD m_job = 0; // started and neither ended nor cancelled
    std::string m_error;
};

class WinspoolSpooler final : public Spooler
{
  public:
    explicit WinspoolSpooler(const WinspoolApi& api) : m_api(api) {}

    DefaultPrinter defaultPrinter() override
    {
        DefaultPrinter result;
        DWORD size = 0;
        m_api.getDefaultPrinter(nullptr, &size);
        std::string name(size, '\0');
        if (size == 0 || !m_api.getDefaultPrinter(name.data(), &size)) {
            const DWORD error = m_api.getLastError();
            // No default printer is the same to the user as no printer at all.
            result.status = error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_PRINTER_NAME
                                ? DefaultPrinter::Status::NoPrinter
                                : DefaultPrinter::Status::SpoolerUnreachable;
            result.reason = describe(error);
            return result;
        }
        if (const std::size_t end = name.find('\0'); end != std::string::npos)
            name.resize(end);
        result.status = DefaultPrinter::Status::Found;
        result.name = toUtf8(name);
        return result;
    }

    std::unique_ptr<SpoolPrinter> open(const std::string& printerName, std::string* reason) override
    {
        std::string name = toAnsi(printerName);
        HANDLE handle = nullptr;
        if (!m_api.openPrinter(name.data(), &handle, nullptr)) {
            if (reason)
                *reason = describe(m_api.getLastError());
            return nullptr;
        }
        return std::make_unique<WinspoolPrinter>(m_api, handle);
    }

  private:
    const WinspoolApi& m_api;
};

} // namespace

std::unique_ptr<Spooler> createWinspoolSpooler(const WinspoolApi& api)
{
    return std::make_unique<WinspoolSpooler>(api);
}
