#pragma once

#include "spooler.h"

#include <QList>

// How a raw spool job ended.
struct SpoolResult {
    enum class Outcome {
        Sent,      // the document was handed to the spooler whole
        NoPrinter, // the system has no default printer; nothing opened
        NotOpened, // the default printer could not be opened; nothing sent
        Busy,      // jobs wait in the queue; printer closed, nothing sent
        Failed,    // a step after the open failed; the job was cancelled
    };
    Outcome outcome = Outcome::Failed;
    QString reason; // the spooler's words, for NotOpened and Failed
};

// One document with one page on the default printer: each block is written
// whole, in order, with its explicit length (blocks may hold NUL bytes). With
// checkBusy the job is refused while any job waits in the queue. The printer
// is closed on every path.
SpoolResult runRawSpoolJob(Spooler& spooler, const QString& documentName,
                           const QList<QByteArray>& blocks, bool checkBusy);
