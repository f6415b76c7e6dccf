// KQ4: the ratio, the means and the run counters on their worked examples,
// whole files against an independent model, and every way a run can end.
#include "BatchTestSupport.hpp"
#include "ChaosIndicators.hpp"
#include "PriceFileGenerator.hpp"
#include "RunControl.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

using batchtest::FileOf;
using batchtest::Generated;
using batchtest::Lines;
using batchtest::Pad;
using batchtest::SplitLines;
using batchtest::WorkDir;

namespace {

const std::string kKq4 = KQ4_PROGRAM;


std::string Digits3(long v)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%03ld", v);
    return buf;
}





// A bar with its close given; the date names the bar's number.
samples::Bar BarAt(int number, long close, long roll = 0)
{
    samples::Bar b;
    char date[16];
    std::snprintf(date, sizeof date, "WK%05d", number);
    b.date = date;
    b.open = close;
    b.close = close;
    b.high = close + 3;
    b.low = std::max(close - 3, 0L);
    b.rollAdjustment = roll;
    return b;
}

std::vector<samples::Bar> BarsWithCloses(const std::vector<long>& closes)
{
    std::vector<samples::Bar> bars;
    for (std::size_t i = 0; i < closes.size(); ++i) bars.push_back(BarAt(static_cast<int>(i) + 1, closes[i]));
    return bars;
}


std::vector<std::string> FailureBlock(const std::string& fileMessage) { return batchtest::FailureBlock("KQ4", fileMessage); }

const std::vector<std::string> kSuccess = batchtest::SuccessLines("KQ4");

int RunInProcess()
{
    return batch::RunProgram("KQ4", [] { kq4::RunChaosIndicators(); });
}

std::vector<std::string> ChaosLines(const WorkDir& dir) { return SplitLines(dir.Read("FK.KQ4")); }

// The chaos lines of a file computed another way: the back-adjusted closes
// in closed form (bar r, while bar E is computed, carries the roll
// adjustments of bars max(11, r + 1) to E), the ratio and the means as exact
// fractions rounded half up, the counters as plain integers.
std::vector<std::string> ReferenceChaosLines(const std::vector<samples::Bar>& bars)
{
    const long n = static_cast<long>(bars.size());
    auto raw = [&](long r) { return bars[static_cast<std::size_t>(r - 1)].close; };
    auto closeDuring = [&](long r, long e) {
        long c = raw(r);
        for (long j = std::max(11L, r + 1); j <= e; ++j) c += bars[static_cast<std::size_t>(j - 1)].rollAdjustment;
        EXPECT_GE(c, 0) << "the closed form holds only for closes that stay positive";
        return c;
    };
    auto halfUp = [](long numerator, long denominator) { return (2 * numerator + denominator) / (2 * denominator); };

    std::vector<long> move(static_cast<std::size_t>(n + 1));
    std::vector<std::array<long, 12>> f(static_cast<std::size_t>(n + 1));
    long c1 = 0, c2 = 0, c3 = 0, aux = 0, c5 = 0, c6 = 0, c7 = 0, x = 999;
    std::vector<std::string> lines;
    for (long e = 11; e <= n; ++e) {
        auto& fe = f[static_cast<std::size_t>(e)];
        move[static_cast<std::size_t>(e)] = std::labs(closeDuring(e - 1, e) - raw(e));
        if (e >= 14) {
            const long net = std::labs(raw(e) - closeDuring(e - 3, e));
            long sum = 0;
            for (long j = e - 2; j <= e; ++j) sum += move[static_cast<std::size_t>(j)];
            fe[1] = sum == 0 ? 0 : halfUp(100 * net, sum) % 1000;
        }
        for (long k = 3; k <= 11; ++k) {
            if (e < 11 + k) continue;
            long sum = 0;
            for (long j = e - k + 1; j <= e; ++j) sum += f[static_cast<std::size_t>(j)][1];
            fe[static_cast<std::size_t>(k)] = halfUp(sum % 10000, k) % 1000;
        }
        if (e >= 22) {
            long sum = 0;
            for (int k = 3; k <= 11; ++k) sum += fe[static_cast<std::size_t>(k)];
            fe[2] = halfUp(sum % 10000, 9) % 1000;
        }

        if (fe[1] < 40) c1 = (c1 + 1) % 1000;
        else if (aux < 2 && c1 > 0) { ++aux; c1 = (c1 + 1) % 1000; }
        if (aux > 1) c1 = aux = 0;
        const bool f2Low62 = fe[2] > 0 && fe[2] < 62;
        const bool f2Low53 = fe[2] > 0 && fe[2] < 53;
        c2 = f2Low62 ? (c2 + 1) % 1000 : 0;
        c3 = f2Low53 ? (c3 + 1) % 1000 : 0;
        if (fe[11] > 0) x = fe[11];
        c5 = (fe[3] > 0 && fe[3] < 51) || x < 53 ? (c5 + 1) % 1000 : 0;
        c6 = f2Low62 || x < 53 ? (c6 + 1) % 1000 : 0;
        c7 = f2Low53 || x < 53 ? (c7 + 1) % 1000 : 0;

        std::string line = bars[static_cast<std::size_t>(e - 1)].date.substr(0, 7) + " " + Digits3(fe[1]);
        for (int k = 3; k <= 11; ++k) line += " " + Digits3(fe[static_cast<std::size_t>(k)]);
        line += " " + Digits3(fe[2]) + " " + Digits3(c1) + Digits3(c2) + Digits3(c3) + Digits3((c1 + c2 + c3) % 1000) +
                " " + Digits3(c5) + Digits3(c6) + Digits3(c7) + Digits3((c5 + c6 + c7) % 1000);
        lines.push_back(Pad(line, 93));
    }
    return lines;
}

// A working record for driving one step by hand.
struct StepFixture {
    std::unique_ptr<kq4::ChaosIndicatorsRun> run = std::make_unique<kq4::ChaosIndicatorsRun>();

    void AtBar(int e) { run->window.windowEnd.StoreInteger(e); }
    kq4::PriceBar& Bar(int n) { return run->bars.At(n); }
    kq4::ChaosRow& Row(int n) { return run->chaos.At(n); }
    std::string Counters() const
    {
        const auto& c = run->counters;
        return std::string(c.c1.Text()) + std::string(c.c2.Text()) + std::string(c.c3.Text()) +
               std::string(c.c4.Text()) + " " + std::string(c.c5.Text()) + std::string(c.c6.Text()) +
               std::string(c.c7.Text()) + std::string(c.c8.Text());
    }
};

}  // namespace

TEST(Kq4Ratio, EfficiencyRatioOfTheLastThreeCloses)
{
    struct Case {
        std::vector<long> closes;  // bars 11..14
        std::string f1;            // of bar 14
    };
    const std::vector<Case> cases = {
        {{100, 104, 103, 107}, "078"},  // 700 / 9 = 77.78
        {{107, 103, 104, 100}, "078"},  // the same moves falling
        {{100, 103, 106, 109}, "100"},  // three equal rises
        {{100, 104, 98, 100}, "000"},   // back where it stood
        {{100, 100, 100, 100}, "000"},  // no move at all: a zero divisor
        {{100, 105, 98, 102}, "013"},   // 200 / 16 = 12.5, half up
        {{100, 101, 102, 102}, "100"},
    };
    for (const Case& c : cases) {
        WorkDir dir;
        std::vector<long> closes(10, 100);
        closes.insert(closes.end(), c.closes.begin(), c.closes.end());
        dir.Write("SYSTEM.INI", "US\r\n");
        dir.Write("BONDS.DAT", FileOf(BarsWithCloses(closes)));
        ASSERT_EQ(RunInProcess(), 0);
        const auto lines = ChaosLines(dir);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[3].substr(8, 3), c.f1) << c.closes[0] << " " << c.closes[3];
        EXPECT_EQ(lines[3].substr(12, 3), Digits3((std::stol(c.f1) * 10 / 3 + 5) / 10));  // F3: F1 / 3
    }
}

TEST(Kq4Ratio, RatioKeepsThreeIntegerDigits)
{
    struct Case {
        long close11, close13, close14;  // the moves into bars 12 and 13 are zero
        std::string f1;
    };
    const std::vector<Case> cases = {
        {0, 10, 11, "100"},        // 1100 percent keeps its last three digits
        {0, 1134, 1234, "234"},    // 1234.0
        {0, 1799, 1999, "000"},    // 999.5 rounds to 1000, stored as 000
        {0, 1798, 1998, "999"},    // 999.0
    };
    for (const Case& c : cases) {
        StepFixture s;
        s.AtBar(14);
        s.Bar(11).close.StoreInteger(c.close11);
        s.Bar(13).close.StoreInteger(c.close13);
        s.Bar(14).close.StoreInteger(c.close14);
        s.Bar(12).closeMove.StoreInteger(0);
        s.Bar(13).closeMove.StoreInteger(0);
        kq4::ComputeChaosValues(*s.run);
        EXPECT_EQ(s.Bar(14).closeMove.AsInteger(), std::labs(c.close13 - c.close14));
        EXPECT_EQ(s.Row(14).F(1).Text(), c.f1) << c.close14;
        EXPECT_EQ(s.run->work.sumOfMoves.Text(), "000000");
    }
}

TEST(Kq4Means, MeansRoundHalfUpAndSumsKeepFourDigits)
{
    struct Case {
        long f12, f13, f14;  // F1 of bars 12-14; bar 15 does not move, so its F1 is 0
        std::string f3, f4;
    };
    const std::vector<Case> cases = {
        {0, 1, 4, "002", "001"},  // 5 / 3 = 1.67, 5 / 4 = 1.25
        {6, 0, 4, "001", "003"},  // 4 / 3 = 1.33, 10 / 4 = 2.5
        {0, 0, 0, "000", "000"},
    };
    for (const Case& c : cases) {
        StepFixture s;
        s.AtBar(15);
        for (int n = 12; n <= 15; ++n) s.Bar(n).close.StoreInteger(100);
        for (int n = 13; n <= 14; ++n) s.Bar(n).closeMove.StoreInteger(0);
        s.Row(12).F(1).StoreInteger(c.f12);
        s.Row(13).F(1).StoreInteger(c.f13);
        s.Row(14).F(1).StoreInteger(c.f14);
        kq4::ComputeChaosValues(*s.run);
        EXPECT_EQ(s.Row(15).F(1).Text(), "000");
        EXPECT_EQ(s.Row(15).F(3).Text(), c.f3);
        EXPECT_EQ(s.Row(15).F(4).Text(), c.f4);
        EXPECT_EQ(s.Row(15).F(5).Text(), "000");  // not before bar 16
        EXPECT_EQ(s.Row(15).F(2).Text(), "000");  // not before bar 22
    }

    // Bar 22: ten F1 of 999 and a rise of 1 on each of the last three bars
    // (F1 100). The sum over 11 bars, 10090, keeps 0090.
    StepFixture s;
    s.AtBar(22);
    for (int n = 12; n <= 21; ++n) s.Row(n).F(1).StoreInteger(999);
    for (int n = 19; n <= 22; ++n) s.Bar(n).close.StoreInteger(100 + (n - 19));
    s.Bar(20).closeMove.StoreInteger(1);
    s.Bar(21).closeMove.StoreInteger(1);
    kq4::ComputeChaosValues(*s.run);
    EXPECT_EQ(s.Row(22).F(1).Text(), "100");
    EXPECT_EQ(s.Row(22).F(11).Text(), "008");  // 90 / 11
    EXPECT_EQ(s.Row(22).F(10).Text(), "909");  // 9091 / 10 = 909.1
    EXPECT_EQ(s.Row(22).F(3).Text(), "699");   // 2098 / 3 = 699.33
    // F2 from the nine means: 699 + 774 + 819 + 849 + 871 + 887 + 899 + 909 + 008 = 6715.
    EXPECT_EQ(s.Row(22).F(2).Text(), "746");
}

TEST(Kq4Counters, RunsOfLowValues)
{
    struct Bar {
        long f1, f2, f3, f11;
        std::string counters;  // C1 C2 C3 C4, C5 C6 C7 C8 after the bar
    };
    struct Case {
        std::string what;
        std::vector<Bar> bars;
    };
    const std::vector<Case> cases = {
        {"one bar of 40 or more let through, the second ends the run",
         {{10, 0, 0, 0, "001000000001 000000000000"},
          {50, 0, 0, 0, "002000000002 000000000000"},
          {10, 0, 0, 0, "003000000003 000000000000"},
          {50, 0, 0, 0, "000000000000 000000000000"},
          {10, 0, 0, 0, "001000000001 000000000000"}}},
        {"a high F1 while C1 is zero changes nothing",
         {{50, 0, 0, 0, "000000000000 000000000000"}, {40, 0, 0, 0, "000000000000 000000000000"}}},
        {"F2 runs below 62 and below 53",
         {{50, 45, 0, 0, "000001001002 000001001002"},
          {50, 58, 0, 0, "000002000002 000002000002"},
          {50, 70, 0, 0, "000000000000 000000000000"},
          {50, 61, 0, 0, "000001000001 000001000001"},
          {50, 62, 0, 0, "000000000000 000000000000"}}},
        {"F3 from 1 to 50 counts C5",
         {{50, 0, 50, 0, "000000000000 001000000001"},
          {50, 0, 51, 0, "000000000000 000000000000"},
          {50, 0, 1, 0, "000000000000 001000000001"}}},
        {"X below 53 counts C5 to C7 whatever F2 and F3; an F11 of zero keeps X",
         {{50, 70, 70, 52, "000000000000 001001001003"},
          {50, 0, 0, 0, "000000000000 002002002006"},
          {50, 0, 0, 53, "000000000000 000000000000"},
          {50, 45, 0, 0, "000001001002 000001001002"}}},
    };
    for (const Case& c : cases) {
        StepFixture s;
        s.AtBar(30);
        for (const Bar& b : c.bars) {
            auto& row = s.Row(30);
            row.F(1).StoreInteger(b.f1);
            row.F(2).StoreInteger(b.f2);
            row.F(3).StoreInteger(b.f3);
            row.F(11).StoreInteger(b.f11);
            kq4::CountRuns(*s.run);
            EXPECT_EQ(s.Counters(), b.counters) << c.what << ", F1 " << b.f1 << " F2 " << b.f2;
        }
    }

    // Counters wrap from 999 to 000; their sums keep three digits.
    StepFixture s;
    s.AtBar(30);
    s.run->counters.c1.StoreInteger(999);
    s.run->counters.c2.StoreInteger(500);
    s.run->counters.c3.StoreInteger(500);
    s.Row(30).F(1).StoreInteger(10);
    s.Row(30).F(2).StoreInteger(45);
    kq4::CountRuns(*s.run);
    EXPECT_EQ(s.Counters(), "000501501002 000001001002");
}

TEST(Kq4Line, FirstBarsOfAFile)
{
    // Up to bar 13 every F is 000 and C1 counts the bars; 93 characters a line.
    for (int bars : {11, 12, 13}) {
        WorkDir dir;
        const auto generated = Generated("US", bars, 21);
        dir.Write("SYSTEM.INI", "US\r\n");
        dir.Write("BONDS.DAT", FileOf(generated));
        ASSERT_EQ(RunInProcess(), 0);
        std::vector<std::string> expected;
        for (int e = 11; e <= bars; ++e) {
            const std::string c1 = Digits3(e - 10);
            std::string line = generated[static_cast<std::size_t>(e - 1)].date + " 000";
            for (int k = 3; k <= 11; ++k) line += " 000";
            line += " 000 " + c1 + "000000" + c1 + " 000000000000";
            expected.push_back(Pad(line, 93));
        }
        EXPECT_EQ(ChaosLines(dir), expected) << bars << " bars";
        EXPECT_EQ(SplitLines(dir.Read("MESSAGES.KQ4")), kSuccess);
        EXPECT_EQ(dir.Read("FK.KQ4").size(), static_cast<std::size_t>(bars - 10) * 95);  // CR LF ends
    }
}

TEST(Kq4Run, RollsBackAdjustHighLowAndClose)
{
    // Rolls of +5, 0 and -3 on bars 11-13; a roll on bar 5 is never applied.
    auto bars = BarsWithCloses({200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212});
    bars[4].rollAdjustment = 7;
    bars[10].rollAdjustment = 5;
    bars[12].rollAdjustment = -3;
    WorkDir dir;
    dir.Write("SYSTEM.INI", "US\r\n");
    dir.Write("BONDS.DAT", FileOf(bars));
    const auto run = std::make_unique<kq4::ChaosIndicatorsRun>();
    ASSERT_EQ(batch::RunProgram("KQ4", [&] { kq4::RunChaosIndicators(*run); }), 0);
    const long shift[13] = {5, 5, 2, 2, 2, 2, 2, 2, 2, 2, -3, -3, 0};
    for (int n = 1; n <= 13; ++n) {
        const auto& b = run->bars.At(n);
        const auto& raw = bars[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(b.close.AsInteger(), raw.close + shift[n - 1]) << "bar " << n;
        EXPECT_EQ(b.high.AsInteger(), raw.high + shift[n - 1]) << "bar " << n;
        EXPECT_EQ(b.low.AsInteger(), raw.low + shift[n - 1]) << "bar " << n;
        EXPECT_EQ(b.rollAdjustment.Text(), samples::SignedDigits6(raw.rollAdjustment)) << "bar " << n;
    }
    // Each move is taken after its own step's adjustment: bar 10 + 5 against
    // bar 11, bar 11 + 0 against bar 12, bar 12 - 3 against bar 13.
    EXPECT_EQ(run->bars.At(11).closeMove.AsInteger(), 4);  // |209 + 5 - 210|
    EXPECT_EQ(run->bars.At(12).closeMove.AsInteger(), 1);  // |210 + 0 - 211|
    EXPECT_EQ(run->bars.At(13).closeMove.AsInteger(), 4);  // |211 - 3 - 212|
    EXPECT_EQ(ChaosLines(dir).size(), 3u);
}

TEST(Kq4Run, LinesThatMvrRejectsLoadAlike)
{
    const auto bars = Generated("US", 120, 31);
    auto changed = Lines(bars);
    for (std::size_t i = 0; i < changed.size(); ++i) {
        auto& line = changed[i];
        line.replace(8, 6, "999999");              // the open
        line[7] = 'X';                              // first flag
        line[42] = 'Y';                             // second flag
        for (int b = 43; b < 53; ++b) line[static_cast<std::size_t>(b)] = static_cast<char>(0xF0 + i % 7);  // check value
    }
    WorkDir dir;
    dir.Write("SYSTEM.INI", "US\r\n");
    dir.Write("BONDS.DAT", FileOf(bars));
    ASSERT_EQ(RunInProcess(), 0);
    const std::string expected = dir.Read("FK.KQ4");
    EXPECT_EQ(SplitLines(expected), ReferenceChaosLines(bars));

    dir.Write("BONDS.DAT", FileOf(changed));
    ASSERT_EQ(RunInProcess(), 0);
    EXPECT_EQ(dir.Read("FK.KQ4"), expected);
    EXPECT_EQ(SplitLines(dir.Read("MESSAGES.KQ4")), kSuccess);

    // Fewer than 100 lines, and no row-100 signature, are no concern of KQ4.
    const std::vector<samples::Bar> first99(bars.begin(), bars.begin() + 99);
    dir.Write("BONDS.DAT", FileOf(first99));
    ASSERT_EQ(RunInProcess(), 0);
    EXPECT_EQ(ChaosLines(dir), ReferenceChaosLines(first99));
}

TEST(Kq4WholeFile, GeneratedFilesMatchTheIndependentModel)
{
    struct Case {
        std::string market;
        int weeks;
        std::uint64_t seed;
        int rollEvery;
        bool endMarker;
    };
    const std::vector<Case> cases = {
        {"US", 400, 5, 13, false},
        {"TY", 300, 9, 13, true},
        {"US", 250, 17, 3, true},  // a roll every third week: rolls inside every window
        {"TY", 150, 2, 0, false},
    };
    for (const Case& c : cases) {
        const auto bars = Generated(c.market, c.weeks, c.seed, c.rollEvery);
        WorkDir dir;
        dir.Write("SYSTEM.INI", c.market + "\r\n");
        dir.Write(c.market == "US" ? "BONDS.DAT" : "NOTES.DAT", FileOf(bars, c.endMarker ? "THE-END\r\n" : ""));
        ASSERT_EQ(RunInProcess(), 0);
        EXPECT_EQ(ChaosLines(dir), ReferenceChaosLines(bars)) << c.market << " seed " << c.seed;
        EXPECT_EQ(SplitLines(dir.Read("MESSAGES.KQ4")), kSuccess);
    }
}

TEST(Kq4WholeFile, FlatClosesAndRollsInCraftedBars)
{
    // Stretches of unchanged closes (moves summing to zero), steps, and rolls
    // that lift the closes before the current bar.
    std::vector<samples::Bar> bars;
    long close = 3000;
    for (int n = 1; n <= 60; ++n) {
        if (n % 11 == 0) close += 7;
        if (n > 30 && n < 36) close -= 4;
        const long roll = n == 17 ? 32 : n == 25 ? -20 : n == 40 ? 5 : 0;
        bars.push_back(BarAt(n, close + (n > 45 ? (n % 2) * 3 : 0), roll));
    }
    WorkDir dir;
    dir.Write("SYSTEM.INI", "US\r\n");
    dir.Write("BONDS.DAT", FileOf(bars));
    ASSERT_EQ(RunInProcess(), 0);
    const auto got = ChaosLines(dir);
    EXPECT_EQ(got, ReferenceChaosLines(bars));
    ASSERT_EQ(got.size(), 50u);
    EXPECT_EQ(got[2].substr(8, 3), "000");  // bar 13: not yet computed
    EXPECT_EQ(got[4].substr(8, 3), "000");  // bar 15: bars 12-15 unchanged
}

TEST(Kq4Run, OutcomesOfEveryEnding)
{
    const auto valid = Generated("US", 40, 3);
    const auto many = Lines(Generated("US", 6000, 4));
    auto lines6001 = many;
    lines6001.push_back(many.back());
    auto first = [&](int n) { return std::vector<samples::Bar>(valid.begin(), valid.begin() + n); };

    struct Case {
        std::string what;
        std::string systemIni;  // "-" means no SYSTEM.INI
        std::string bonds;      // "-" means no price file
        int exitStatus;
        std::vector<std::string> messages;  // {}: no message file; {"EMPTY"}: an empty one
        int chaosLines;                     // -1: the earlier file stays
    };
    const std::string blankSlot = " File:           is missing.";
    const auto emptyBlock = FailureBlock(" File: BONDS.DAT is empty.");
    const std::vector<Case> cases = {
        {"no SYSTEM.INI", "-", FileOf(valid), 255, {}, -1},
        {"SYSTEM.INI is a directory", "DIR", FileOf(valid), 255, {}, -1},
        {"empty SYSTEM.INI", "", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"market SP", "SP\r\n", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"lower-case market", "us\r\n", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"shifted market", " US\r\n", FileOf(valid), 0, FailureBlock(blankSlot), 0},
        {"missing price file", "US\r\n", "-", 0, FailureBlock(" File: BONDS.DAT is missing."), -1},
        {"missing notes file", "TY\r\n", FileOf(valid), 0, FailureBlock(" File: NOTES.DAT is missing."), -1},
        {"empty price file", "US\r\n", "", 0, emptyBlock, 0},
        {"first line THE-END", "US\r\n", "THE-END\r\n" + FileOf(valid), 0, emptyBlock, 0},
        {"one line", "US\r\n", FileOf(first(1)), 0, kSuccess, 0},
        {"ten lines", "US\r\n", FileOf(first(10)), 0, kSuccess, 0},
        {"ten lines and THE-END", "US\r\n", FileOf(first(10), "THE-END\r\n") + FileOf(valid), 0, kSuccess, 0},
        {"eleven lines", "US\r\n", FileOf(first(11)), 0, kSuccess, 1},
        {"twelve lines", "US\r\n", FileOf(first(12)), 0, kSuccess, 2},
        {"a blank line is a bar", "US\r\n", FileOf(Lines(first(11)), "\r\n"), 0, kSuccess, 2},
        {"exactly 6000 lines and more after THE-END", "US\r\n", FileOf(many, "THE-END\r\n") + FileOf(valid), 0,
         kSuccess, 5990},
        {"6001 lines", "US\r\n", FileOf(lines6001), 255, {"EMPTY"}, 0},
    };
    for (const Case& c : cases) {
        WorkDir dir;
        const std::string earlier = "earlier run\r\n";
        dir.Write("FK.KQ4", earlier);
        if (c.systemIni == "DIR") std::filesystem::create_directory(dir.Path() / "SYSTEM.INI");
        else if (c.systemIni != "-") dir.Write("SYSTEM.INI", c.systemIni);
        if (c.bonds != "-") dir.Write("BONDS.DAT", c.bonds);
        EXPECT_EQ(batchtest::RunChild(kKq4), c.exitStatus) << c.what;
        batchtest::ExpectMessageFile(dir, "MESSAGES.KQ4", c.messages, c.what);
        if (c.chaosLines < 0) {
            EXPECT_EQ(dir.Read("FK.KQ4"), earlier) << c.what;
        } else {
            EXPECT_EQ(dir.Read("FK.KQ4").size(), static_cast<std::size_t>(c.chaosLines) * 95) << c.what;
        }
    }
}

TEST(Kq4Run, WithoutSystemIniNoOutputIsCreated)
{
    WorkDir dir;
    dir.Write("BONDS.DAT", FileOf(Generated("US", 30, 1)));
    EXPECT_EQ(batchtest::RunChild(kKq4), 255);
    EXPECT_FALSE(dir.Exists("FK.KQ4"));
    EXPECT_FALSE(dir.Exists("MESSAGES.KQ4"));
}

TEST(Kq4Run, AnOutputThatCannotBeCreatedIsFatal)
{
    for (const char* output : {"FK.KQ4", "MESSAGES.KQ4"}) {
        WorkDir dir;
        dir.Write("SYSTEM.INI", "US\r\n");
        dir.Write("BONDS.DAT", FileOf(Generated("US", 30, 9)));
        std::filesystem::create_directory(dir.Path() / output);
        EXPECT_EQ(batchtest::RunChild(kKq4), 255) << output;
    }
}

// An output on a full device: the first failed write ends the run, so the
// message file never claims success.
TEST(Kq4Run, AWriteThatFailsIsFatal)
{
    for (const char* full : {"FK.KQ4", "MESSAGES.KQ4"}) {
        for (int weeks : {40, 1200}) {
            WorkDir dir;
            dir.Write("SYSTEM.INI", "US\r\n");
            dir.Write("BONDS.DAT", FileOf(Generated("US", weeks, 9)));
            std::filesystem::create_symlink("/dev/full", dir.Path() / full);
            EXPECT_EQ(batchtest::RunChild(kKq4), 255) << full << " " << weeks;
            if (std::string(full) == "FK.KQ4") {
                EXPECT_EQ(dir.Read("MESSAGES.KQ4"), "") << weeks;
            }
        }
    }
    WorkDir dir;  // the missing-file block cannot be written
    dir.Write("SYSTEM.INI", "US\r\n");
    std::filesystem::create_symlink("/dev/full", dir.Path() / "MESSAGES.KQ4");
    EXPECT_EQ(batchtest::RunChild(kKq4), 255);
}

TEST(Kq4Run, ChildAndInProcessRunsAgree)
{
    const auto bars = Generated("TY", 80, 44);
    WorkDir dir;
    dir.Write("SYSTEM.INI", "TY        anything after the code\r\nUS\r\n");
    dir.Write("NOTES.DAT", FileOf(bars));
    ASSERT_EQ(batchtest::RunChild(kKq4), 0);
    const std::string child = dir.Read("FK.KQ4");
    EXPECT_EQ(SplitLines(child), ReferenceChaosLines(bars));
    ASSERT_EQ(RunInProcess(), 0);
    EXPECT_EQ(dir.Read("FK.KQ4"), child);
}

TEST(Kq4SystemIni, FatalAndQuietReadings)
{
    struct Case {
        std::string what;
        std::string contents;  // "-": no file; "DIR": a directory of that name
        batch::SystemIniFailure failure;
        int exitStatus;        // -1 fatal, 0 stopped, 1 read through
        std::string code;
    };
    const std::vector<Case> cases = {
        {"fatal: no file", "-", batch::SystemIniFailure::Fatal, -1, "  "},
        {"fatal: a directory", "DIR", batch::SystemIniFailure::Fatal, -1, "  "},
        {"fatal: an empty file reads blank", "", batch::SystemIniFailure::Fatal, 1, "  "},
        {"fatal: first line only", "TYUS\r\nUS\r\n", batch::SystemIniFailure::Fatal, 1, "TY"},
        {"quiet: no file stops the run", "-", batch::SystemIniFailure::StopQuietly, 0, "  "},
        {"quiet: a line", "US", batch::SystemIniFailure::StopQuietly, 1, "US"},
    };
    for (const Case& c : cases) {
        WorkDir dir;
        if (c.contents == "DIR") std::filesystem::create_directory(dir.Path() / "SYSTEM.INI");
        else if (c.contents != "-") dir.Write("SYSTEM.INI", c.contents);
        batch::SystemIniRecord record;
        const int status = batch::RunProgram("KQ4", [&] {
            batch::ReadSystemIni(record, c.failure);
            throw batch::RunEnded{1, {}};
        });
        EXPECT_EQ(status, c.exitStatus) << c.what;
        EXPECT_EQ(record.MarketCode(), c.code) << c.what;
    }
}
