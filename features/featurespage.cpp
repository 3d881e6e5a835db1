#include "featurespage.h"

#include "rawspooljob.h"
#include "spoolmessages.h"

#include <exception>

namespace
{
constexpr char ESC = 0x1B;
constexpr char HT = 0x09;
constexpr char DC2 = 0x12;
const QByteArray lineEnd("\r\n");
const QByteArray blankLine("\r\n\r\n");

// The maker's contact details as printed at the foot of the page.
const QByteArray webAddress("www.altrune.example.com");
const QByteArray companyName("Altrune Peripherals Ltd.");
const QByteArray addressLine1("Unit 4, Example Business Park, 12 Sample Road");
const QByteArray addressLine2("Springfield 40001");
const QByteArray phoneNumber("+1 202 555 0143");
const QByteArray faxNumber("+1 202 555 0178");
const QByteArray emailAddress("support@altrune.example.com");

QByteArray esc(char command)
{
    return QByteArray(1, ESC).append(command);
}

// The parameter is a byte value: ESC k 0 ends with a NUL byte, not a digit.
QByteArray esc(char command, char parameter)
{
    return esc(command).append(parameter);
}

// One row of three typeface samples: each name follows the switch to its own
// typeface, and the row ends with the switch back.
QByteArray typefaceRow(const QByteArray switches[3], const QByteArray names[3],
                       const QByteArray& rowEnd)
{
    return switches[0] + HT + names[0] + HT + HT + switches[1] + names[1] + switches[2] + names[2] +
           rowEnd + blankLine;
}

QByteArray titleBlock(FeaturesCommandSet commandSet)
{
    QByteArray block;
    if (commandSet == FeaturesCommandSet::EscP)
        block = esc('@') + esc('x', 1) + esc('E') + esc('k', 0) + esc('P') + esc('w', 1) +
                esc('W', 1) + esc('a', 1);
    else
        block = lineEnd + HT + HT + HT + esc('G') + esc('I', 3) + DC2 + esc('W', 1);
    return block + "Altrune TR 7400 FEATURES" + blankLine;
}

QByteArray bodyBlock(FeaturesCommandSet commandSet)
{
    const bool escP = commandSet == FeaturesCommandSet::EscP;
    // The typeface number of each sample name on the ESC/P page.
    auto face = [escP](char number) { return escP ? esc('k', number) : esc('I', 3); };

    QByteArray block;
    if (escP)
        block = esc('@') + esc('x', 1) + esc('k', 0) + esc('P');
    else
        block = esc('I', 3) + DC2 + esc('W', 0);

    block += QByteArray(escP ? "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at "
                               "Draft 10 CPI."
                             : "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at "
                               "HSD 10 CPI.") +
             blankLine;
    block += "2.Comes with USB 2.0 & Centronics parallel interface with Autoshare." + blankLine;
    block += "3.Built in 9 LQ fonts:" + blankLine;

    const QByteArray row1[3] = {"Roman", "Sans Serif        ", "Courier"};
    const QByteArray row2[3] = {"Script", "Prestige          ", "OCR-A"};
    const QByteArray row3[3] = {"OCR-B", "Orator            ", "Orator-S"};
    const QByteArray faces1[3] = {face(0), face(1), face(2)};
    const QByteArray faces2[3] = {face(4), face(3), face(6)};
    const QByteArray faces3[3] = {face(5), face(7), face(8)};
    block += typefaceRow(faces1, row1, escP ? esc('k', 0) : esc('I', 0));
    block += typefaceRow(faces2, row2, escP ? esc('k', 0) : esc('I', 0));
    block += typefaceRow(faces3, row3, escP ? esc('k', 0) : esc('I', 3));

    block +=
        QByteArray(escP ? "4.Supports two paper paths." : "4.Supports two paper paths") + blankLine;
    block += "5.Printer driver support for Windows 95, 98, Me, NT 4.0, 2000, XP, 2003, Xp x64," +
             lineEnd;
    block += " Vista, 7, 7 x64, 8, 8 x64 and selected Linux distributions." + lineEnd;
    block += " (Available in " + webAddress + ")." + blankLine;
    block += "6.Windows printer configuration utility to configure the printer permanent "
             "settings." +
             blankLine;

    block += (escP ? esc('E') : esc('G')) + "For further details contact...." + lineEnd;
    block += companyName + lineEnd;
    block += addressLine1 + lineEnd;
    block += addressLine2 + lineEnd;
    block += "Phone:" + QByteArray(1, HT) + phoneNumber + lineEnd;
    block += "Fax:" + QByteArray(1, HT) + faxNumber + lineEnd;
    block += "E-Mail:" + QByteArray(1, HT) + emailAddress + lineEnd;
    block += "Web:" + QByteArray(1, HT) + webAddress + lineEnd;
    if (escP)
        block += esc('@');
    return block;
}
} // namespace

QString featuresDocumentName(FeaturesCommandSet commandSet)
{
    return commandSet == FeaturesCommandSet::EscP ? QStringLiteral("TR7400 FEATURS")
                                                  : QStringLiteral("TR7400 FEATURES");
}

QList<QByteArray> featuresPageBlocks(FeaturesCommandSet commandSet)
{
    return {titleBlock(commandSet), bodyBlock(commandSet)};
}

void printFeaturesPage(Spooler& spooler, FeaturesCommandSet commandSet)
{
    const QString failureLine = QStringLiteral("Unable to print the features page.");
    try {
        reportSpoolResult(runRawSpoolJob(spooler, featuresDocumentName(commandSet),
                                         featuresPageBlocks(commandSet), /*checkBusy=*/false),
                          failureLine);
    } catch (const std::exception& error) {
        reportUnexpectedFailure(failureLine, QString::fromLocal8Bit(error.what()));
    }
}
