// The CUPS spooler lives in a module beside the program, loaded at the first
// job: libcups brings some twenty libraries with it (TLS, Kerberos, Avahi),
// and nothing needs them before the user sends something.

#include "spooler.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace
{

// The folder of the running program, also before a QCoreApplication exists.
QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
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

    std::unique_ptr<SpoolPrinter> open(const QString& printerName, QString* reason) override
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
        QLibrary module(programFolder() + QStringLiteral("/" PCU_SPOOLER_MODULE));
        using Create = Spooler* (*)();
        const auto create = reinterpret_cast<Create>(module.resolve("pcuCreateCupsSpooler"));
        if (!create) {
            m_error = QStringLiteral("The print spooler module could not be loaded: %1")
                          .arg(module.errorString());
            return false;
        }
        m_spooler.reset(create());
        return true;
    }

    std::unique_ptr<Spooler> m_spooler;
    QString m_error;
};

} // namespace

std::unique_ptr<Spooler> createPlatformSpooler()
{
    return std::make_unique<ModuleSpooler>();
}
