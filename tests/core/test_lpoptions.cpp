// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The lpoptions files: the default lp finds on this side of the scheduler,
// and a new default written into a user's file that keeps everything else
// in it.

#include "lpoptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeAll(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

// A home and a server root of the test's own, and none of the variables
// that name a default.
class LpOptionsTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/pcu-lpoptions-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        std::filesystem::create_directory(root / "home");
        for (const char* name : {"HOME", "CUPS_SERVERROOT", "LPDEST", "PRINTER"}) {
            if (const char* value = std::getenv(name))
                saved.emplace_back(name, value);
        }
        ::setenv("HOME", (root / "home").c_str(), 1);
        ::setenv("CUPS_SERVERROOT", (root / "etc").c_str(), 1);
        ::unsetenv("LPDEST");
        ::unsetenv("PRINTER");
    }

    void TearDown() override
    {
        for (const char* name : {"HOME", "CUPS_SERVERROOT", "LPDEST", "PRINTER"})
            ::unsetenv(name);
        for (const auto& [name, value] : saved)
            ::setenv(name.c_str(), value.c_str(), 1);
        std::filesystem::remove_all(root);
    }

    std::filesystem::path userFile() const { return root / "home/.cups/lpoptions"; }

    std::filesystem::path root;
    std::vector<std::pair<std::string, std::string>> saved;
};

} // namespace

TEST_F(LpOptionsTest, FilesUnderHomeAndServerRoot)
{
    EXPECT_EQ(LpOptions::userFile(), userFile().string());
    EXPECT_EQ(LpOptions::systemFile(), (root / "etc/lpoptions").string());
}

// As lp looks: LPDEST, PRINTER unless "lp", the user's file, the machine's.
TEST_F(LpOptionsTest, FindsTheDefaultAsLpDoes)
{
    EXPECT_EQ(LpOptions::locallyNamedDefault().source, DefaultSource::None);
    writeAll(root / "etc/lpoptions", "Dest Office cpi=12\nDefault Hall/draft sides=one-sided\n");
    EXPECT_EQ(LpOptions::locallyNamedDefault().name, "Hall");
    EXPECT_EQ(LpOptions::locallyNamedDefault().source, DefaultSource::SystemOptions);
    writeAll(userFile(), "default Desk\n");
    EXPECT_EQ(LpOptions::locallyNamedDefault().name, "Desk");
    EXPECT_EQ(LpOptions::locallyNamedDefault().source, DefaultSource::UserOptions);
    ::setenv("PRINTER", "lp", 1);
    EXPECT_EQ(LpOptions::locallyNamedDefault().name, "Desk");
    ::setenv("PRINTER", "Back", 1);
    EXPECT_EQ(LpOptions::locallyNamedDefault().name, "Back");
    EXPECT_EQ(LpOptions::locallyNamedDefault().source, DefaultSource::Printer);
    ::setenv("LPDEST", "Front/duplex", 1);
    EXPECT_EQ(LpOptions::locallyNamedDefault().name, "Front");
    EXPECT_EQ(LpOptions::locallyNamedDefault().source, DefaultSource::Lpdest);
}

// What a user's file holds before and after TR7400 is made its default.
struct Rewrite {
    const char* name;
    const char* before; // null: no file, nor its folder .cups
    const char* after;
};

class RewriteRow : public LpOptionsTest, public testing::WithParamInterface<Rewrite>
{
};

TEST_P(RewriteRow, KeepsEverythingElse)
{
    if (GetParam().before)
        writeAll(userFile(), GetParam().before);
    std::string reason;
    ASSERT_TRUE(LpOptions::setDefaultIn(userFile(), "TR7400", &reason)) << reason;
    EXPECT_EQ(readAll(userFile()), GetParam().after);
    EXPECT_EQ(LpOptions::defaultIn(userFile()), "TR7400");
    EXPECT_FALSE(std::filesystem::exists(userFile().string() + ".tr7400ctl"));
}

INSTANTIATE_TEST_SUITE_P(
    LpOptions, RewriteRow,
    testing::Values(Rewrite{"NoFile", nullptr, "Default TR7400\n"},
                    Rewrite{"AnotherDefault", "Default Office\n", "Default TR7400\n"},
                    Rewrite{"OptionsStayWithTheirPrinter",
                            "Default Office sides=two-sided-long-edge\nDest TR7400 cpi=12 lpi=8\n",
                            "Dest Office sides=two-sided-long-edge\nDefault TR7400 cpi=12 lpi=8\n"},
                    Rewrite{"InstancesStay", "Dest TR7400/draft cpi=10\nDefault Office/duplex\n",
                            "Dest TR7400/draft cpi=10\nDest Office/duplex\nDefault TR7400\n"},
                    Rewrite{"OtherLinesStay", "# mine\n\nDest Hall media=A4\n",
                            "# mine\n\nDest Hall media=A4\nDefault TR7400\n"}),
    [](const testing::TestParamInfo<Rewrite>& row) { return std::string(row.param.name); });

TEST_F(LpOptionsTest, TellsWhyItCannotWrite)
{
    // A folder where the file should be.
    std::filesystem::create_directories(userFile());
    std::string reason;
    EXPECT_FALSE(LpOptions::setDefaultIn(userFile(), "TR7400", &reason));
    EXPECT_NE(reason.find(userFile().string()), std::string::npos) << reason;
}
