// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The CUPS spooler lives in a module beside the program, loaded at the first
// job: libcups brings some twenty libraries with it (TLS, Kerberos, Avahi),
// and nothing needs them before the user sends something.

#include "spooler.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace
{

// The folder of the running program, without a trailing separator.
std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string executable(path, static_cast<std::size_t>(length));
    const std::size_t slash = executable.rfind('/');
    return slash == std::string::npos ? std::string(".") : executable.substr(0, slash);
}

class ModuleSpooler final : public Spooler
{
  public:
    DefaultPrinter defaultPrinter() override
    {
        if (!load()) {
            DefaultPrinter printer;
            printer.status = DefaultPrinter::Status::SpoolerUnreachable;
            printer.reason = m_error;
            return printer;
        }
        return m_spooler->defaultPrinter();
    }

    std::unique_ptr<SpoolPrinter> open(const std::string& printerName, std::string* reason) override
    {
        if (!load()) {
            if (reason)
                *reason = m_error;
            return nullptr;
        }
        return m_spooler->open(printerName, reason);
    }

  private:
    bool load()
    {
        if (m_spooler)
            return true;
        // Never unloaded: the spooler's code must outlive every object it made.
        const std::string path = programFolder() + "/" PCU_SPOOLER_MODULE;
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        using Create = Spooler* (*)();
        const auto create =
            module ? reinterpret_cast<Create>(::dlsym(module, "pcuCreateCupsSpooler")) : nullptr;
        if (!create) {
            const char* why = ::dlerror();
            m_error =
                "The print spooler module could not be loaded: " + std::string(why ? why : path);
            return false;
        }
        m_spooler.reset(create());
        return true;
    }

    std::unique_ptr<Spooler> m_spooler;
    std::string m_error;
};

} // namespace

std::unique_ptr<Spooler> createPlatformSpooler()
{
    return std::make_unique<ModuleSpooler>();
}
