// The price-file generator's command line: its usage, and a clear error for
// every wrong option, after which nothing is written.
#include "ChildProcess.hpp"
#include "FileText.hpp"
#include "TempWorkDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string kUsage = "usage: gen_prices [--market US|TY]";

devtools::ChildResult GenPrices(const devtools::TempWorkDir& dir, const std::vector<std::string>& args)
{
    return devtools::RunChild(GEN_PRICES_PROGRAM, args,
                              {.workDir = dir.Path(), .out = devtools::Output::Capture, .err = devtools::Output::Capture});
}

}  // namespace

TEST(GenPrices, HelpShowsTheUsageAndWritesNothing)
{
    for (const char* help : {"--help", "-h"}) {
        const devtools::TempWorkDir dir;
        const auto r = GenPrices(dir, {"--weeks", "5", help});
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_TRUE(r.out.starts_with(kUsage)) << r.out;
        EXPECT_EQ(r.err, "");
        EXPECT_TRUE(fs::is_empty(dir.Path())) << help;
    }
}

TEST(GenPrices, AWrongCommandLineIsNamedWithTheUsageAndWritesNothing)
{
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--weeks", "abc"}, "--weeks: \"abc\" is not a whole number"},
        {{"--weeks", "52x"}, "--weeks: \"52x\" is not a whole number"},
        {{"--weeks", "-5"}, "--weeks: \"-5\" is not a whole number"},
        {{"--weeks", ""}, "--weeks: \"\" is not a whole number"},
        {{"--weeks", "0"}, "--weeks: \"0\" is out of range 1..6000"},
        {{"--weeks", "6001"}, "--weeks: \"6001\" is out of range 1..6000"},
        {{"--weeks", "99999999999999999999"}, "--weeks: \"99999999999999999999\" is out of range 1..6000"},
        {{"--seed", "-1"}, "--seed: \"-1\" is not a whole number"},
        {{"--seed", "18446744073709551616"}, "--seed: \"18446744073709551616\" is out of range"},
        {{"--market", "us"}, "--market: \"us\" is neither US nor TY"},
        {{"--weeks"}, "--weeks needs a value"},
        {{"--market", "TY", "--out"}, "--out needs a value"},
        {{"--week", "52"}, "unknown option --week"},
        {{"BONDS.DAT"}, "unexpected argument BONDS.DAT"},
    };
    for (const auto& c : cases) {
        const devtools::TempWorkDir dir;
        const auto r = GenPrices(dir, c.args);
        EXPECT_EQ(r.status, 2) << c.error;
        EXPECT_TRUE(r.err.starts_with("gen_prices: " + c.error)) << r.err;
        EXPECT_NE(r.err.find("\n" + kUsage), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(fs::is_empty(dir.Path())) << c.error;
    }
}

TEST(GenPrices, WritesTheMarketsFileAtTheLimitsAndReportsAFailedWrite)
{
    const devtools::TempWorkDir dir;
    auto r = GenPrices(dir, {"--market", "TY", "--weeks", "6000", "--seed", "18446744073709551615", "--the-end"});
    ASSERT_EQ(r.status, 0) << r.err;
    const devtools::Lines lines = devtools::SplitLines(devtools::ReadFile(dir / "NOTES.DAT"));
    ASSERT_EQ(lines.size(), 6001u);
    EXPECT_EQ(lines.back(), "THE-END");

    r = GenPrices(dir, {"--weeks", "1", "--out", "NO/BONDS.DAT"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("gen_prices: ")) << r.err;
    EXPECT_EQ(r.err.find(kUsage), std::string::npos) << r.err;
}
