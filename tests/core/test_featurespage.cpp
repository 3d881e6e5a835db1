// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The features page's two blocks, byte for byte, in both command sets.

#include "featurespage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{
// Bytes written as hex pairs, spaces ignored.
std::string hex(const char* text)
{
    std::string bytes;
    std::string pair;
    for (const char* c = text; *c; ++c) {
        if (*c == ' ')
            continue;
        pair += *c;
        if (pair.size() == 2) {
            bytes += char(std::stoi(pair, nullptr, 16));
            pair.clear();
        }
    }
    return bytes;
}

// The contact lines at the foot of the page.
const std::string contact = "For further details contact....\r\n"
                            "Altrune Peripherals Ltd.\r\n"
                            "Unit 4, Example Business Park, 12 Sample Road\r\n"
                            "Springfield 40001\r\n"
                            "Phone:\t+1 202 555 0143\r\n"
                            "Fax:\t+1 202 555 0178\r\n"
                            "E-Mail:\tsupport@altrune.example.com\r\n"
                            "Web:\twww.altrune.example.com\r\n";

const std::string itemsFourToSix =
    "5.Printer driver support for Windows 95, 98, Me, NT 4.0, 2000, XP, 2003, Xp x64,\r\n"
    " Vista, 7, 7 x64, 8, 8 x64 and selected Linux distributions.\r\n"
    " (Available in www.altrune.example.com).\r\n\r\n"
    "6.Windows printer configuration utility to configure the printer permanent "
    "settings.\r\n\r\n";

std::string expectedEscBody()
{
    std::string body = hex("1b40 1b7801 1b6b00 1b50");
    body += "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at Draft 10 CPI.\r\n\r\n"
            "2.Comes with USB 2.0 & Centronics parallel interface with Autoshare.\r\n\r\n"
            "3.Built in 9 LQ fonts:\r\n\r\n";
    body += hex("1b6b00") + "\tRoman\t\t" + hex("1b6b01") + "Sans Serif        " + hex("1b6b02") +
            "Courier" + hex("1b6b00") + "\r\n\r\n";
    body += hex("1b6b04") + "\tScript\t\t" + hex("1b6b03") + "Prestige          " + hex("1b6b06") +
            "OCR-A" + hex("1b6b00") + "\r\n\r\n";
    body += hex("1b6b05") + "\tOCR-B\t\t" + hex("1b6b07") + "Orator            " + hex("1b6b08") +
            "Orator-S" + hex("1b6b00") + "\r\n\r\n";
    body += "4.Supports two paper paths.\r\n\r\n" + itemsFourToSix;
    body += hex("1b45") + contact + hex("1b40");
    return body;
}

std::string expectedIbmBody()
{
    std::string body = hex("1b4903 12 1b5700");
    body += "1.24 pin 136 column Dot Matrix Printer with speed 400 cps at HSD 10 CPI.\r\n\r\n"
            "2.Comes with USB 2.0 & Centronics parallel interface with Autoshare.\r\n\r\n"
            "3.Built in 9 LQ fonts:\r\n\r\n";
    const std::string face = hex("1b4903");
    body += face + "\tRoman\t\t" + face + "Sans Serif        " + face + "Courier" + hex("1b4900") +
            "\r\n\r\n";
    body += face + "\tScript\t\t" + face + "Prestige          " + face + "OCR-A" + hex("1b4900") +
            "\r\n\r\n";
    body +=
        face + "\tOCR-B\t\t" + face + "Orator            " + face + "Orator-S" + face + "\r\n\r\n";
    body += "4.Supports two paper paths\r\n\r\n" + itemsFourToSix;
    body += hex("1b47") + contact;
    return body;
}
} // namespace

struct Page {
    const char* name;
    FeaturesCommandSet commandSet;
    std::string title;
    std::string body;
    std::string documentName;
};

class PageRow : public testing::TestWithParam<Page>
{
};

TEST_P(PageRow, BlocksAreExact)
{
    const Page& page = GetParam();
    const std::vector<std::string> blocks = featuresPageBlocks(page.commandSet);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], page.title);
    EXPECT_EQ(blocks[1], page.body);
    EXPECT_EQ(featuresDocumentName(page.commandSet), page.documentName);
}

INSTANTIATE_TEST_SUITE_P(
    FeaturesPage, PageRow,
    testing::Values(Page{"EscP", FeaturesCommandSet::EscP,
                         hex("1b40 1b7801 1b45 1b6b00 1b50 1b7701 1b5701 1b6101") +
                             "Altrune TR 7400 FEATURES\r\n\r\n",
                         expectedEscBody(), "TR7400 FEATURS"},
                    Page{"Ibm", FeaturesCommandSet::Ibm,
                         "\r\n\t\t\t" + hex("1b47 1b4903 12 1b5701") +
                             "Altrune TR 7400 FEATURES\r\n\r\n",
                         expectedIbmBody(), "TR7400 FEATURES"}),
    [](const testing::TestParamInfo<Page>& row) { return std::string(row.param.name); });

// A block cut at its first NUL would lose everything after ESC k.
TEST(FeaturesPage, EscBlocksKeepTheirNulBytes)
{
    const std::vector<std::string> blocks = featuresPageBlocks(FeaturesCommandSet::EscP);
    EXPECT_EQ(std::count(blocks[0].begin(), blocks[0].end(), '\0'), 1);
    EXPECT_EQ(std::count(blocks[1].begin(), blocks[1].end(), '\0'), 5);
    EXPECT_EQ(blocks[0].find("Altrune TR 7400 FEATURES"), 21u);
    EXPECT_EQ(blocks[1].substr(blocks[1].size() - 4), hex("0d0a1b40"));
}
