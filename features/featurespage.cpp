// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "featurespage.h"

namespace
{
constexpr char ESC = 0x1B;
constexpr char HT = 0x09;
constexpr char DC2 = 0x12;
const std::string lineEnd("\r\n");
const std::string blankLine("\r\n\r\n");

// The maker's contact details as printed at the foot of the page.
const std::string webAddress("www.altrune.example.com");
const std::string companyName("Altrune Peripherals Ltd.");
const std::string addressLine1("Unit 4, Example Business Park, 12 Sample Road");
const std::string addressLine2("Springfield 40001");
const std::string phoneNumber("+1 202 555 0143");
const std::string faxNumber("+1 202 555 0178");
const std::string emailAddress("support@altrune.example.com");

std::string esc(char command)
{
    return {ESC, command};
}

// The parameter is a byte value: ESC k 0 ends with a NUL byte, not a digit.
std::string esc(char command, char parameter)
{
    return {ESC, command, parameter};
}

// One row of three typeface samples: each name follows the switch to its own
// typeface, and the row ends with the switch back.
std::string typefaceRow(const std::string switches[3], const std::string names[3],
                        const std::string& rowEnd)
{
    return switches[0] + HT + names[0] + HT + HT + switches[1] + names[1] + switches[2] + names[2] +
           rowEnd + blankLine;
}

std::string titleBlock(FeaturesCommandSet commandSet)
{
    std::string block;
    if (commandSet == FeaturesCommandSet::EscP)
        block = esc('@') + esc('x', 1) + esc('E') + esc('k', 0) + esc('P') + esc('w', 1) +
                esc('W', 1) + esc('a', 1);
    else
        block = lineEnd + HT + HT + HT + esc('G') + esc('I', 3) + DC2 + esc('W', 1);
    return block + "Altrune TR 7400 FEATURES" + blankLine;
}

std::string bodyBlock(FeaturesCommandSet commandSet)
{
    const bool escP = commandSet == FeaturesCommandSet::EscP;
    // The typeface number of each sample name on the ESC/P page.
    auto face = [escP](char number) { return escP ? esc('k', number) : esc('I', 3); };

    std::string block;
    if (escP)
        block = esc('@') + esc('x', 1) + esc('k', 0) + esc('P');
    else
        block = esc('I', 3) + DC2 + esc('W', 0);

    block += std::string(escP ? "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at "
                                "Draft 10 CPI."
                              : "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at "
                                "HSD 10 CPI.") +
             blankLine;
    block += "2.Comes with USB 2.0 & Centronics parallel interface with Autoshare." + blankLine;
    block += "3.Built in 9 LQ fonts:" + blankLine;

    const std::string row1[3] = {"Roman", "Sans Serif        ", "Courier"};
    const std::string row2[3] = {"Script", "Prestige          ", "OCR-A"};
    const std::string row3[3] = {"OCR-B", "Orator            ", "Orator-S"};
    const std::string faces1[3] = {face(0), face(1), face(2)};
    const std::string faces2[3] = {face(4), face(3), face(6)};
    const std::string faces3[3] = {face(5), face(7), face(8)};
    block += typefaceRow(faces1, row1, escP ? esc('k', 0) : esc('I', 0));
    block += typefaceRow(faces2, row2, escP ? esc('k', 0) : esc('I', 0));
    block += typefaceRow(faces3, row3, escP ? esc('k', 0) : esc('I', 3));

    block += std::string(escP ? "4.Supports two paper paths." : "4.Supports two paper paths") +
             blankLine;
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
    block += "Phone:" + std::string(1, HT) + phoneNumber + lineEnd;
    block += "Fax:" + std::string(1, HT) + faxNumber + lineEnd;
    block += "E-Mail:" + std::string(1, HT) + emailAddress + lineEnd;
    block += "Web:" + std::string(1, HT) + webAddress + lineEnd;
    if (escP)
        block += esc('@');
    return block;
}
} // namespace

std::string_view featuresDocumentName(FeaturesCommandSet commandSet)
{
    return commandSet == FeaturesCommandSet::EscP ? "TR7400 FEATURS" : "TR7400 FEATURES";
}

std::vector<std::string> featuresPageBlocks(FeaturesCommandSet commandSet)
{
    return {titleBlock(commandSet), bodyBlock(commandSet)};
}

SpoolResult sendFeaturesPage(Spooler& spooler, FeaturesCommandSet commandSet,
                             const std::string& printerName)
{
    return runRawSpoolJob(spooler, std::string(featuresDocumentName(commandSet)),
                          featuresPageBlocks(commandSet), /*checkBusy=*/false, printerName);
}
