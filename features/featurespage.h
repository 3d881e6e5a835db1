#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class Spooler;

// The printed features page: text and printer control codes, composed here
// and sent raw so that the printer's own fonts and modes do the work. The
// ESC/P page is the one the program prints; the IBM command-set page is kept
// for printers switched to that emulation.
enum class FeaturesCommandSet { EscP, Ibm };

// The document name the page is spooled under.
QString featuresDocumentName(FeaturesCommandSet commandSet);

// The title block and the body block, each written whole with one write.
QList<QByteArray> featuresPageBlocks(FeaturesCommandSet commandSet);

// Sends the page to the default printer, without a busy check, and tells the
// user of any failure.
void printFeaturesPage(Spooler& spooler, FeaturesCommandSet commandSet);
