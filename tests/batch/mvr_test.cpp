// MVR: its worked examples, whole files against an independent model, and
// the outcome of every way a run can end.
#include "BatchTestSupport.hpp"
#include "MainIndicators.hpp"
#include "MvrReference.hpp"
#include "PriceFileGenerator.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using batchtest::FileOf;
using batchtest::Generated;
using batchtest::Lines;
using batchtest::Pad;
using batchtest::SplitLines;
using batchtest::WorkDir;

namespace {

const std::string kMvr = MVR_PROGRAM;






std::vector<std::string> FailureBlock(const std::string& fileMessage) { return batchtest::FailureBlock("MVR", fileMessage); }

const std::vector<std::string> kSuccess = batchtest::SuccessLines("MVR");

}  // namespace

TEST(MvrChecks, CheckValueWorkedExample)
{
    std::string line(53, ' ');
    line.replace(8, 6, "002343");
    line.replace(15, 6, "002400");
    line.replace(22, 6, "002300");
    line.replace(29, 6, "002350");
    EXPECT_EQ(mvr::LineCheckValue(line).Text(), "490674842429538552");
    const auto packed = samples::PackCheckValue(samples::CheckValueOf(2343, 2400, 2300, 2350));
    const unsigned char want[10] = {0x04, 0x90, 0x67, 0x48, 0x42, 0x42, 0x95, 0x38, 0x55, 0x2C};
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), want));
}

TEST(MvrChecks, RunCountLine)
{
    EXPECT_EQ(mvr::BuildRunCountLine(mvr::DigitField<5>{"00250"}),
              Pad("@!!###000000025244770500000000019607595000000000039940000250"));
    // 6000 still fits every product into 18 digits.
    EXPECT_EQ(mvr::BuildRunCountLine(mvr::DigitField<5>{"06000"}).substr(0, 60),
              "@!!###000000605874492000000000470582280000000000958720006000");
}

TEST(MvrWholeFile, GeneratedFilesMatchTheIndependentModel)
{
    struct Case {
        std::string market;
        int weeks;
        std::uint64_t seed;
    };
    for (const Case& c : {Case{"US", 260, 11}, Case{"TY", 300, 12}, Case{"US", 100, 13}}) {
        WorkDir dir;
        const auto lines = Lines(Generated(c.market, c.weeks, c.seed));
        dir.Write("SYSTEM.INI", c.market + "  settings\r\n");
        dir.Write(c.market == "US" ? "BONDS.DAT" : "NOTES.DAT", FileOf(lines, "THE-END\r\nnever read\r\n"));
        ASSERT_EQ(batchtest::RunChild(kMvr), 0);
        const auto got = SplitLines(dir.Read("FK.MVR"));
        const auto want = mvrref::ExpectedIndicatorLines(lines, c.market);
        ASSERT_EQ(got.size(), static_cast<std::size_t>(c.weeks - 10)) << c.market;
        for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << c.market << " week " << i + 11;
        EXPECT_EQ(SplitLines(dir.Read("MESSAGES.MVR")), kSuccess);
        EXPECT_EQ(SplitLines(dir.Read("REPORT69.MVR")), std::vector<std::string>{mvr::BuildRunCountLine(
                                                            mvr::DigitField<5>{std::string(c.weeks < 1000 ? "00" : "0") + std::to_string(c.weeks)})});
    }
}

TEST(MvrWholeFile, CraftedWeeks)
{
    // A quiet history with a few weeks that reach the edges of the measures.
    auto bars = Generated("US", 120, 21);
    auto set = [&](int week, long o, long h, long l, long c, long roll = 0) {
        auto& b = bars[week - 1];
        b.open = o, b.high = h, b.low = l, b.close = c, b.rollAdjustment = roll;
    };
    set(101, 4100, 4500, 4000, 4300);
    set(102, 4200, 4454, 4000, 4300);          // previous for 103
    set(103, 4000, 5000, 4000, 5000);          // overlap (4454-4000)/1000 = 45.4; body +100 -> 99
    set(104, 4500, 4455, 4000, 4000);          // a high below the open: bad data is still computed
    set(105, 4200, 5000, 4000, 4300);          // overlap of 45.5 against week 104
    set(106, 4400, 4400, 4400, 4400);          // high = low
    set(107, 9000, 9900, 9000, 9000, 25);      // gap above, roll week
    set(108, 4300, 4300, 4200, 4200, -4800);   // a roll larger than earlier prices
    set(109, 20000, 20100, 4000, 4000);        // window range beyond 10000 ticks
    set(110, 4350, 4400, 4300, 4310);
    bars[110].firstFlag = 'A';
    bars[110].secondFlag = '9';
    const auto lines = Lines(bars);
    WorkDir dir;
    dir.Write("SYSTEM.INI", "US\r\n");
    dir.Write("BONDS.DAT", FileOf(lines));
    ASSERT_EQ(batchtest::RunChild(kMvr), 0);
    const auto got = SplitLines(dir.Read("FK.MVR"));
    const auto want = mvrref::ExpectedIndicatorLines(lines, "US");
    ASSERT_EQ(got.size(), 110u);
    for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << "week " << i + 11;
    auto column = [&](int week, int first, int last) { return got[week - 11].substr(first - 1, last - first + 1); };
    EXPECT_EQ(column(103, 146, 148), "045");
    EXPECT_EQ(column(103, 68, 70), "099");
    EXPECT_EQ(column(105, 146, 148), "046");
    EXPECT_EQ(column(106, 146, 148), "000");
    EXPECT_EQ(column(106, 65, 70), "000000");
    EXPECT_EQ(column(107, 146, 148), "000");
    EXPECT_EQ(column(110, 150, 157), "QEL-5100");
}

TEST(MvrWholeFile, InsideWeekShowsFullOverlap)
{
    auto bars = Generated("US", 105, 5);
    bars[101].high = 4000, bars[101].low = 3000, bars[101].open = bars[101].close = 3500;
    bars[102].high = 3501, bars[102].low = 3500, bars[102].open = bars[102].close = 3500;
    // A quotient of 999.5 and more must not wrap to 000 once the half is added.
    bars[103].high = 3502, bars[103].low = 3500, bars[103].open = bars[103].close = 3500;
    bars[104].high = 3501, bars[104].low = 3500, bars[104].open = bars[104].close = 3500;
    WorkDir dir;
    dir.Write("SYSTEM.INI", "US\r\n");
    dir.Write("BONDS.DAT", FileOf(Lines(bars)));
    ASSERT_EQ(batchtest::RunChild(kMvr), 0);
    const auto got = SplitLines(dir.Read("FK.MVR"));
    ASSERT_EQ(got.size(), 95u);
    EXPECT_EQ(got[103 - 11].substr(145, 3), "100");
    EXPECT_EQ(got[105 - 11].substr(145, 3), "100");
}

TEST(MvrRun, OutcomesOfEveryEnding)
{
    const auto valid = Lines(Generated("US", 150, 3));
    auto corrupt = valid;
    corrupt[49][31] = corrupt[49][31] == '1' ? '2' : '1';  // one close digit of line 50
    auto swapped = valid;
    swapped[59].replace(8, 6, valid[59].substr(29, 6));     // open and close swapped
    swapped[59].replace(29, 6, valid[59].substr(8, 6));
    std::vector<std::string> lines6001;
    const auto many = Lines(Generated("US", 6000, 4));
    lines6001 = many;
    lines6001.push_back(many.back());

    struct Case {
        std::string what;
        std::string systemIni;  // "" means no SYSTEM.INI
        std::string bonds;      // "-" means no price file
        int exitStatus;
        std::vector<std::string> messages;  // empty: no message file expected
        int indicatorLines;                 // -1: the earlier file stays
    };
    const std::string missing = " File: BONDS.DAT is missing.";
    const std::string corrupted = " File: BONDS.DAT is corrupted.";
    const std::string blankSlot = " File:           is corrupted.";
    const std::vector<Case> cases = {
        {"no SYSTEM.INI", "", FileOf(valid), 0, {}, -1},
        {"market SP", "SP\r\n", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"lower-case market", "us\r\n", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"shifted market", " US\r\n", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"empty SYSTEM.INI", "EMPTY", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"missing price file", "US\r\n", "-", 0, FailureBlock(missing), -1},
        {"empty price file", "US\r\n", "", 0, FailureBlock(" File: BONDS.DAT is empty."), 0},
        {"first line THE-END", "US\r\n", "THE-END\r\n" + FileOf(valid), 0, FailureBlock(" File: BONDS.DAT is empty."), 0},
        {"a wrong check value", "US\r\n", FileOf(corrupt), 0, FailureBlock(corrupted), 0},
        {"open and close swapped", "US\r\n", FileOf(swapped), 0, FailureBlock(corrupted), 0},
        {"a blank line", "US\r\n", FileOf(std::vector<std::string>{valid[0], "", valid[1]}), 0, FailureBlock(corrupted), 0},
        {"99 valid lines", "US\r\n", FileOf(std::vector<std::string>(valid.begin(), valid.begin() + 99)), 0, FailureBlock(corrupted), 0},
        {"exactly 100 lines", "US\r\n", FileOf(std::vector<std::string>(valid.begin(), valid.begin() + 100)), 0, kSuccess, 90},
        {"US signature read as TY", "TY\r\n", "-", 0, FailureBlock(" File: NOTES.DAT is missing."), -1},
        {"THE-END after line 150", "US\r\n", FileOf(valid) + "THE-END\r\n" + FileOf(valid), 0, kSuccess, 140},
        {"lower-case the-end is a line", "US\r\n", FileOf(valid) + "the-end\r\n", 0, FailureBlock(corrupted), 0},
        {"no final line end", "US\r\n", FileOf(valid).substr(0, FileOf(valid).size() - 2), 0, kSuccess, 140},
        {"LF line ends", "US\n", [&] { std::string s; for (auto& l : valid) s += l + "\n"; return s; }(), 0, kSuccess, 140},
        {"exactly 6000 lines", "US\r\n", FileOf(many), 0, kSuccess, 5990},
        {"6001 lines", "US\r\n", FileOf(lines6001), 255, {"EMPTY"}, 0},
    };
    for (const Case& c : cases) {
        WorkDir dir;
        const std::string earlier = "earlier run\r\n";
        dir.Write("FK.MVR", earlier);
        dir.Write("REPORT69.MVR", earlier);
        if (c.systemIni == "EMPTY") dir.Write("SYSTEM.INI", "");
        else if (!c.systemIni.empty()) dir.Write("SYSTEM.INI", c.systemIni);
        if (c.bonds != "-") dir.Write("BONDS.DAT", c.bonds);
        if (c.systemIni == "TY\r\n") dir.Write("BONDS.DAT", FileOf(valid));
        EXPECT_EQ(batchtest::RunChild(kMvr), c.exitStatus) << c.what;
        batchtest::ExpectMessageFile(dir, "MESSAGES.MVR", c.messages, c.what);
        if (c.indicatorLines < 0) {
            EXPECT_EQ(dir.Read("FK.MVR"), earlier) << c.what;
            EXPECT_EQ(dir.Read("REPORT69.MVR"), earlier) << c.what;
        } else {
            EXPECT_EQ(SplitLines(dir.Read("FK.MVR")).size(), static_cast<std::size_t>(c.indicatorLines)) << c.what;
            if (c.indicatorLines == 0) {
                EXPECT_EQ(dir.Read("REPORT69.MVR"), "") << c.what;
            }
        }
    }
}

TEST(MvrRun, AnOutputThatCannotBeCreatedIsFatal)
{
    for (const char* output : {"FK.MVR", "MESSAGES.MVR", "REPORT69.MVR"}) {
        WorkDir dir;
        dir.Write("SYSTEM.INI", "US\r\n");
        dir.Write("BONDS.DAT", FileOf(Lines(Generated("US", 120, 9))));
        std::filesystem::create_directory(dir.Path() / output);
        EXPECT_EQ(batchtest::RunChild(kMvr), 255) << output;
    }
}

// An output on a full device: the first failed write ends the run, so no
// later output claims success.
TEST(MvrRun, AWriteThatFailsIsFatal)
{
    struct Case {
        const char* full;
        bool priceFile;
        std::vector<const char*> leftEmpty;
    };
    const Case cases[] = {
        {"FK.MVR", true, {"MESSAGES.MVR", "REPORT69.MVR"}},
        {"REPORT69.MVR", true, {"MESSAGES.MVR"}},
        {"MESSAGES.MVR", true, {}},  // written last, after the other two
        {"MESSAGES.MVR", false, {}},  // the missing-file block cannot be written
    };
    for (const Case& c : cases) {
        WorkDir dir;
        dir.Write("SYSTEM.INI", "US\r\n");
        for (int weeks : {197, 1200}) {
            if (c.priceFile) dir.Write("BONDS.DAT", FileOf(Generated("US", weeks, 9)));
            std::filesystem::remove(dir.Path() / c.full);
            std::filesystem::create_symlink("/dev/full", dir.Path() / c.full);
            EXPECT_EQ(batchtest::RunChild(kMvr), 255) << c.full << " " << weeks;
            for (const char* name : c.leftEmpty) EXPECT_EQ(dir.Read(name), "") << c.full << " " << name;
        }
    }
}

TEST(MvrRun, NotesMarket)
{
    WorkDir dir;
    const auto lines = Lines(Generated("TY", 130, 8));
    dir.Write("SYSTEM.INI", "TY\r\n");
    dir.Write("NOTES.DAT", FileOf(lines));
    ASSERT_EQ(batchtest::RunChild(kMvr), 0);
    const auto got = SplitLines(dir.Read("FK.MVR"));
    ASSERT_EQ(got.size(), 120u);
    EXPECT_EQ(got[0].substr(149, 8), "QEL-7300");
    // The US signature in row 100 fails a TY run.
    auto us = Lines(Generated("US", 130, 8));
    dir.Write("NOTES.DAT", FileOf(us));
    ASSERT_EQ(batchtest::RunChild(kMvr), 0);
    EXPECT_EQ(SplitLines(dir.Read("MESSAGES.MVR")), FailureBlock(" File: NOTES.DAT is corrupted."));
}
