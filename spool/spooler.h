#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// The operating system's print spooler, as far as raw jobs need it. The
// platform implementation is chosen by the build (CUPS on Linux); tests of
// the logic above may record calls instead. Nothing here shows a dialog:
// every operation reports its result and, on failure, the spooler's reason.

struct DefaultPrinter {
    enum class Status {
        Found,              // name holds the default destination
        NoPrinter,          // the spooler answers, but names no default printer
        SpoolerUnreachable, // the spooler could not be reached at all
    };
    Status status = Status::NoPrinter;
    QString name;
    QString reason; // why, when not Found
};

// One opened printer. It lives for one job; destroying it closes it.
class SpoolPrinter
{
  public:
    virtual ~SpoolPrinter() = default;

    // Jobs not yet completed on this printer, of every user. A failed
    // enumeration answers 0.
    virtual int activeJobCount() = 0;

    virtual bool startDocument(const QString& documentName) = 0;
    virtual bool startPage() = 0;
    // True only when every byte was taken.
    virtual bool write(const QByteArray& bytes) = 0;
    virtual bool endPage() = 0;
    virtual bool endDocument() = 0;
    // Drops a started document that cannot be finished, so that no half-made
    // job stays in the queue.
    virtual void cancelDocument() = 0;
    virtual bool close() = 0;

    // The spooler's own words for the last failure.
    virtual QString lastError() const = 0;
};

class Spooler
{
  public:
    virtual ~Spooler() = default;

    virtual DefaultPrinter defaultPrinter() = 0;
    // Null when the printer cannot be opened; reason then says why.
    virtual std::unique_ptr<SpoolPrinter> open(const QString& printerName, QString* reason) = 0;
};

// The spooler of the platform this program was built for.
std::unique_ptr<Spooler> createPlatformSpooler();
