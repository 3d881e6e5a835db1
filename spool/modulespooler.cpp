// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The CUPS spooler lives in a module beside the program, loaded at the first
// job: libcups brings some twenty libraries with it (TLS, Kerberos, Avahi),
// and nothing needs them before the user sends something. The printer
// administration of tr7400ctl lives there too.

#include "printeradmin.h"
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

// Calls the module's entry point of that name; null with the reason in error
// when the module or the entry point cannot be found. Never unloaded: the
// module's code must outlive every object it made.
template <typename T> T* createFromModule(const char* entryPoint, std::string* error)
{
    const std::string path = programFolder() + "/" PCU_SPOOLER_MODULE;
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Create = T* (*)();
    const auto create = module ? reinterpret_cast<Create>(::dlsym(module, entryPoint)) : nullptr;
    if (!create) {
        const char* why = ::dlerror();
        *error = "The print spooler module could not be loaded: " + std::string(why ? why : path);
        return nullptr;
    }
    return create();
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
        if (!m_spooler)
            m_spooler.reset(createFromModule<Spooler>("pcuCreateCupsSpooler", &m_error));
        return m_spooler != nullptr;
    }

    std::unique_ptr<Spooler> m_spooler;
    std::string m_error;
};

class ModulePrinterAdmin final : public PrinterAdmin
{
  public:
    AdminResult overview(PrinterOverview& result) override
    {
        return load() ? m_admin->overview(result) : failure();
    }
    AdminResult devices(std::vector<PrinterDevice>& result) override
    {
        return load() ? m_admin->devices(result) : failure();
    }
    AdminResult addRawQueue(const std::string& name, const std::string& deviceUri) override
    {
        return load() ? m_admin->addRawQueue(name, deviceUri) : failure();
    }
    AdminResult enableQueue(const std::string& name) override
    {
        return load() ? m_admin->enableQueue(name) : failure();
    }
    AdminResult setSystemDefault(const std::string& name) override
    {
        return load() ? m_admin->setSystemDefault(name) : failure();
    }
    AdminResult setUserDefault(const std::string& name) override
    {
        return load() ? m_admin->setUserDefault(name) : failure();
    }
    std::string administratorGroups() override
    {
        return load() ? m_admin->administratorGroups() : std::string("lpadmin");
    }

  private:
    bool load()
    {
        if (!m_admin)
            m_admin.reset(createFromModule<PrinterAdmin>("pcuCreateCupsPrinterAdmin", &m_error));
        return m_admin != nullptr;
    }
    AdminResult failure() const { return {AdminResult::Status::Unreachable, m_error}; }

    std::unique_ptr<PrinterAdmin> m_admin;
    std::string m_error;
};

} // namespace

std::unique_ptr<Spooler> createPlatformSpooler()
{
    return std::make_unique<ModuleSpooler>();
}

std::unique_ptr<PrinterAdmin> createPlatformPrinterAdmin()
{
    return std::make_unique<ModulePrinterAdmin>();
}
