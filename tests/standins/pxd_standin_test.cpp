// The PXD stand-in: reading its inputs, the demonstration rule, the files it
// writes, and the program itself in a working directory.
#include "PxdStandIn.hpp"

#include "ChildProcess.hpp"
#include "FileText.hpp"
#include "TempWorkDir.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <set>

namespace fs = std::filesystem;
using pxd::Lines;

namespace {

// An FK.MVR line with the fields the stand-in reads in their columns.
std::string IndicatorLine(const std::string& date, long close, long k, long d,
                          const std::string& roll4 = "0000",
                          const std::string& label = "QEL-5100")
{
    std::string line(190, ' ');
    auto put = [&](int first, const std::string& s) { line.replace(first - 1, s.size(), s); };
    char buf[32];
    put(1, date);
    std::snprintf(buf, sizeof buf, "%06ld", close + 10);
    put(8, buf);
    std::snprintf(buf, sizeof buf, "%06ld", close - 10);
    put(14, buf);
    std::snprintf(buf, sizeof buf, "%06ld", close);
    put(20, buf);
    std::snprintf(buf, sizeof buf, "%04ld", k);
    put(87, buf);
    std::snprintf(buf, sizeof buf, "%04ld", d);
    put(113, buf);
    put(137, roll4);
    put(149, "*" + label);
    return line;
}

std::string ChaosLine(const std::string& date, long f2)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s 050 000 000 000 000 000 000 000 000 000 %03ld ", date.c_str(), f2);
    std::string line = buf;
    line.resize(93, ' ');
    return line;
}

std::string RunCountLine(long n)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "00%05ld", n);
    return "@!!###" + std::string(47, '0') + buf + std::string(20, ' ');
}

struct Week {
    long close, k, d, f2;
    std::string roll4 = "0000";
};

std::string DateOf(int i)
{
    static const char* months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%s%02d", 1 + (i % 4) * 7, months[(i / 4) % 12],
                  (98 + i / 48) % 100);
    return buf;
}

pxd::RunInputs Inputs(const std::vector<Week>& weeks, const std::string& label = "QEL-5100")
{
    pxd::RunInputs in;
    in.indicators = Lines{};
    in.chaos = Lines{};
    for (std::size_t i = 0; i < weeks.size(); ++i) {
        const Week& w = weeks[i];
        in.indicators->push_back(IndicatorLine(DateOf(int(i)), w.close, w.k, w.d, w.roll4, label));
        in.chaos->push_back(ChaosLine(DateOf(int(i)), w.f2));
    }
    in.runCount = Lines{RunCountLine(long(weeks.size()) + 10)};
    in.parameters = Lines{"Y100200002501500030000" "1000V12.4..78....456789X1......8.1....6.89"
                          "L1.34...8.12...6.89Y"};
    return in;
}

std::vector<std::string> Codes(const pxd::RunResult& r)
{
    std::vector<std::string> codes;
    for (const auto& w : r.weeks) codes.push_back(w.signalCode + w.barCode);
    return codes;
}

}  // namespace

TEST(PxdReading, DigitFieldsAndSignedLastPlace)
{
    EXPECT_EQ(pxd::ReadDigitField("000123", false), 123);
    EXPECT_EQ(pxd::ReadDigitField("  12", false), 12);       // blanks count as 0
    EXPECT_EQ(pxd::ReadDigitField("001r", true), -12);       // "r": a negative 2
    EXPECT_EQ(pxd::ReadDigitField("001p", true), -10);
    EXPECT_FALSE(pxd::ReadDigitField("001r", false));        // only a signed field takes it
    EXPECT_FALSE(pxd::ReadDigitField("0r12", true));         // only in the last place
    EXPECT_FALSE(pxd::ReadDigitField("12a4", false));
    EXPECT_EQ(pxd::Column("AB", 2, 4), "B   ");              // a short line gives blanks
    EXPECT_EQ(pxd::Column("", 5, 2), "  ");
}

TEST(PxdReading, RunParametersFromTheParameterLine)
{
    const pxd::RunParameters p = pxd::ParseRunParameters(
        "N100050002501000040000" "0030V12.4..78....456789X1......8.1....6.89L1.34...8.12...6.89N");
    EXPECT_TRUE(p.fromFile);
    EXPECT_EQ(p.stopLoss, 500);
    EXPECT_EQ(p.margin, 10000);
    EXPECT_EQ(p.capital, 40000);
    EXPECT_EQ(p.maxContracts, 30);
    EXPECT_FALSE(p.trailingStop);
    EXPECT_EQ(p.Contracts(), 4);
    // A short line keeps the defaults for what it lacks.
    const pxd::RunParameters s = pxd::ParseRunParameters("Y1003000");
    EXPECT_EQ(s.stopLoss, 3000);
    EXPECT_EQ(s.margin, 15000);
    EXPECT_EQ(s.Contracts(), 2);
}

TEST(PxdRule, EverySignalCodeFromTheStochasticAndTheChaosGate)
{
    // Flat closes: no stop is ever hit.
    const std::vector<Week> weeks = {
        {3000, 6000, 5000, 50},   // K above D: buy
        {3000, 6500, 5000, 50},   // K rising: stay long
        {3000, 6200, 5000, 50},   // K falling, still above D: pullback
        {3000, 4000, 5000, 50},   // K below D: sell
        {3000, 3500, 5000, 50},   // K falling: stay short
        {3000, 3800, 5000, 50},   // K rising, still below D: rally
        {3000, 3700, 5000, 10},   // sideways week: get out (short trend)
        {3000, 6000, 5000, 20},   // sideways, trend long: stay out
        {3000, 6000, 5000, 46},   // not sideways any more: buy
        {3000, 6000, 6000, 0},    // K equal to D keeps the trend; F2 0 is not sideways
    };
    const pxd::RunResult r = pxd::RunRule(Inputs(weeks));
    ASSERT_TRUE(r.ok) << r.failure;
    const std::vector<std::string> expected = {"GLB", "SLL", "PKP", "GSS", "SSX",
                                               "RYR", "GOV", "SOY", "GLB", "SLL"};
    EXPECT_EQ(Codes(r), expected);
    ASSERT_EQ(r.trades.size(), 3u);
    EXPECT_EQ(r.trades[0].reason, "signal");
    EXPECT_EQ(r.trades[1].reason, "sideways");
    EXPECT_EQ(r.trades[2].reason, "open");
}

TEST(PxdRule, StopLossClosesAndTheRuleWaitsForTheTrendToTurn)
{
    // Default parameters: $2000 stop, 2 contracts at $31.25 a tick: 32 ticks.
    std::vector<Week> weeks = {
        {3000, 6000, 5000, 50},
        {2969, 6100, 5000, 50},   // 31 ticks against: still long
        {2968, 6200, 5000, 50},   // 32 ticks: stopped
        {3100, 6300, 5000, 50},   // trend still long: stay out
        {3100, 4000, 5000, 50},   // the trend turns: sell
    };
    pxd::RunInputs in = Inputs(weeks);
    in.parameters = Lines{"Y100200002501500030000" "1000V12.4..78....456789X1......8.1....6.89"
                          "L1.34...8.12...6.89N"};
    const pxd::RunResult r = pxd::RunRule(in);
    ASSERT_TRUE(r.ok) << r.failure;
    const std::vector<std::string> expected = {"GLB", "SLL", "GOO", "SOO", "GSS"};
    EXPECT_EQ(Codes(r), expected);
    ASSERT_GE(r.trades.size(), 1u);
    EXPECT_EQ(r.trades[0].reason, "stop");
    EXPECT_DOUBLE_EQ(r.trades[0].profit, -32 * 62.5);
    EXPECT_DOUBLE_EQ(r.weeks[3].equity, -2000);
}

TEST(PxdRule, TrailingStopFollowsTheBestClose)
{
    std::vector<Week> weeks = {
        {3000, 6000, 5000, 50},
        {3100, 6100, 5000, 50},   // best close 3100
        {3068, 6200, 5000, 50},   // 32 ticks below the best: stopped at a profit
    };
    const pxd::RunResult r = pxd::RunRule(Inputs(weeks));   // trailing stop on
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.weeks[2].signalCode, "GO");
    EXPECT_DOUBLE_EQ(r.trades[0].profit, 68 * 62.5);

    // Still open after the second week: the stop report places the stop
    // 32 ticks under the best close, 3100 - 32 = 3068 = 95-28.
    weeks.pop_back();
    const Lines stp = pxd::Reports(pxd::RunRule(Inputs(weeks))).at("STP.REP");
    const std::string expected = " Open position LONG since " + DateOf(0) + " at 93-24: stop at 95-28.";
    EXPECT_NE(std::find(stp.begin(), stp.end(), expected), stp.end());
}

TEST(PxdRule, RollKeepsTheOpenTradeInTheNewContractsTerms)
{
    // The new contract stands 20 ticks higher: no profit from the roll itself.
    std::vector<Week> weeks = {{3000, 6000, 5000, 50}, {3020, 6100, 5000, 50, "0020"},
                               {3030, 6200, 5000, 50}};
    const pxd::RunResult r = pxd::RunRule(Inputs(weeks));
    ASSERT_TRUE(r.ok);
    EXPECT_DOUBLE_EQ(r.weeks[1].equity, 0);
    EXPECT_DOUBLE_EQ(r.weeks[2].equity, 10 * 62.5);
    EXPECT_EQ(r.weeks[1].week.roll, 20);
    ASSERT_EQ(r.trades.size(), 1u);
    EXPECT_EQ(r.trades[0].entryTicks, 3000);   // reported as traded
    EXPECT_EQ(r.trades[0].basisTicks, 3020);
}

TEST(PxdRule, InputsThatAreMissingOrDoNotMatchGiveNoSignal)
{
    const std::vector<Week> weeks = {{3000, 6000, 5000, 50}, {3000, 6000, 5000, 50}};
    struct Case {
        const char* what;
        std::function<void(pxd::RunInputs&)> spoil;
        const char* failure;
    };
    const Case cases[] = {
        {"no FK.MVR", [](auto& in) { in.indicators.reset(); }, " File: FK.MVR is missing."},
        {"no FK.KQ4", [](auto& in) { in.chaos.reset(); }, " File: FK.KQ4 is missing."},
        {"no REPORT69", [](auto& in) { in.runCount.reset(); }, " File: REPORT69.MVR is missing."},
        {"empty FK.MVR", [](auto& in) { in.indicators = Lines{}; }, " File: FK.MVR is empty."},
        {"empty REPORT69", [](auto& in) { in.runCount = Lines{}; },
         " File: REPORT69.MVR is corrupted."},
        {"count of another run", [](auto& in) { in.runCount = Lines{RunCountLine(13)}; },
         " REPORT69.MVR does not match FK.MVR."},
        {"KQ4 line missing", [](auto& in) { in.chaos->pop_back(); }, " FK.KQ4 does not match FK.MVR."},
        {"KQ4 of other weeks", [](auto& in) { (*in.chaos)[1].replace(0, 7, "01JAN77"); },
         " FK.KQ4 does not match FK.MVR."},
        {"bad date", [](auto& in) { (*in.indicators)[1].replace(2, 3, "Jan"); },
         " File: FK.MVR line 2 is unreadable."},
        {"bad digit", [](auto& in) { (*in.indicators)[0][20] = 'x'; },
         " File: FK.MVR line 1 is unreadable."},
    };
    for (const Case& c : cases) {
        pxd::RunInputs in = Inputs(weeks);
        c.spoil(in);
        const pxd::RunResult r = pxd::RunRule(in);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.failure, c.failure) << c.what;
        EXPECT_TRUE(pxd::SignalFile(r).empty()) << c.what;
        const Lines m = pxd::MessageFile(r);
        EXPECT_NE(std::find(m.begin(), m.end(), c.failure), m.end()) << c.what;
        EXPECT_EQ(m.back(), " Process PXD failed.") << c.what;
    }
}

TEST(PxdRule, MissingParametersFallBackToDefaultsWithANote)
{
    pxd::RunInputs in = Inputs({{3000, 6000, 5000, 50}});
    in.parameters.reset();
    const pxd::RunResult r = pxd::RunRule(in);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.parameters.fromFile);
    EXPECT_EQ(r.parameters.stopLoss, 2000);
    const Lines m = pxd::MessageFile(r);
    EXPECT_NE(std::find(m.begin(), m.end(), " BONDS.SYS not found: default parameters used."), m.end());
    EXPECT_EQ(m.back(), " Process PXD ran OK.");
}

TEST(PxdOutput, SignalLineCarriesCodeAndDateInTheirColumns)
{
    const pxd::RunResult r = pxd::RunRule(Inputs({{3000, 4000, 5000, 50}, {3000, 3000, 5000, 50}}));
    ASSERT_TRUE(r.ok);
    const Lines s = pxd::SignalFile(r);
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(pxd::Column(s[0], 1, 2), "SS");
    EXPECT_EQ(pxd::Column(s[0], 17, 7), DateOf(1));
    EXPECT_EQ(pxd::Column(s[0], 22, 2), "98");
}

TEST(PxdOutput, ChartLineColumns)
{
    std::vector<Week> weeks = {{3000, 6000, 5000, 50}, {2900, 4012, 5034, 50, "004r"}};
    const pxd::RunResult r = pxd::RunRule(Inputs(weeks));
    ASSERT_TRUE(r.ok);
    const Lines chart = pxd::ChartFile(r);
    ASSERT_EQ(chart.size(), 3u);                       // a line a week and one more
    const std::string& line = chart[1];
    ASSERT_EQ(line.size(), 69u);
    EXPECT_EQ(pxd::Column(line, 1, 2), DateOf(1).substr(0, 2));
    EXPECT_EQ(pxd::Column(line, 3, 3), "JAN");
    EXPECT_EQ(pxd::Column(line, 6, 4), "1998");
    EXPECT_EQ(pxd::Column(line, 10, 4), "0001");       // the line's index
    EXPECT_EQ(pxd::Column(line, 14, 9), "090937500");  // 2910 32nds in millionths
    EXPECT_EQ(pxd::Column(line, 23, 9), "090312500");
    EXPECT_EQ(pxd::Column(line, 32, 9), "090625000");
    EXPECT_EQ(pxd::Column(line, 41, 4), "-042");       // roll of -42 ticks
    EXPECT_EQ(pxd::Column(line, 45, 1), "S");
    EXPECT_EQ(pxd::Column(line, 46, 8), "40125034");
    EXPECT_EQ(pxd::Column(line, 54, 1), "+");
    // Long from 3000, out at 2900 after the roll: (2900 - (3000 - 42)) ticks, 2 contracts.
    EXPECT_EQ(pxd::Column(line, 55, 7), "-003625");
    EXPECT_EQ(pxd::Column(line, 62, 8), "+-003625");
    // The last line is not a bar: it does not begin with a day.
    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(chart.back()[0])));
}

TEST(PxdOutput, NotesEditionWritesSixtyFourthsInMillionths)
{
    const pxd::RunResult r = pxd::RunRule(Inputs({{3000, 6000, 5000, 50}}, "QEL-7300"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.ticksPerPoint, 64);
    EXPECT_EQ(pxd::Column(pxd::ChartFile(r)[0], 32, 9), "046875000");
    EXPECT_EQ(pxd::PriceText(3000, 64), "46-56");
    EXPECT_EQ(pxd::PriceText(3670, 32), "114-22");
}

TEST(PxdOutput, TenReportsAndTheDetailDateKeyOnTheLastWeeksLine)
{
    std::vector<Week> weeks;
    for (int i = 0; i < 80; ++i) weeks.push_back({3000 + (i % 7) * 5, 4000 + (i % 9) * 300, 5000, 60});
    const pxd::RunResult r = pxd::RunRule(Inputs(weeks));
    ASSERT_TRUE(r.ok);
    const auto reports = pxd::Reports(r);
    const std::set<std::string> names = {"SUM.REP", "DT3.REP", "DT2.REP", "DET.REP", "SRP.REP",
                                         "MUL.REP", "STP.REP", "SDW.REP", "TRD.REP", "YRP.REP"};
    std::set<std::string> got;
    for (const auto& [name, lines] : reports) {
        got.insert(name);
        EXPECT_GT(lines.size(), 4u) << name;
        EXPECT_NE(lines[1].find("not a trading system"), std::string::npos) << name;
    }
    EXPECT_EQ(got, names);
    // The key's first occurrence must be the last week's own line.
    const std::string key = pxd::Column(pxd::SignalFile(r)[0], 17, 7);
    const Lines& dt3 = reports.at("DT3.REP");
    std::size_t first = dt3.size();
    for (std::size_t i = 0; i < dt3.size() && first == dt3.size(); ++i)
        if (dt3[i].find(key) != std::string::npos) first = i;
    EXPECT_EQ(first, dt3.size() - 1);
    EXPECT_EQ(dt3.back().find(key), 1u);
}

// ---- the program in a working directory ------------------------------------

namespace {

class WorkDir : public ::testing::Test {
protected:
    fs::path Path(const std::string& name) const { return dir_ / name; }
    void Write(const std::string& name, const Lines& lines) { devtools::WriteLines(Path(name), lines); }
    std::string Bytes(const std::string& name) { return devtools::TryReadFile(Path(name)).value_or(""); }
    Lines ReadLines(const std::string& name) { return devtools::SplitLines(Bytes(name)); }
    // Runs a program in the directory, its standard output silenced.
    int Run(const std::string& program, const std::vector<std::string>& args = {})
    {
        return devtools::RunChild(program, args, {.workDir = dir_.Path(), .out = devtools::Output::Discard})
            .status;
    }
    static bool AllCrLf(const std::string& bytes)
    {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
        return !bytes.empty() && bytes.back() == '\n';
    }
    devtools::TempWorkDir dir_{"pxd-test-"};
};

const char* const kAllOutputs[] = {"MESSAGES.PXD", "SIGNAL.PXD", "TCHART.TCH", "SUM.REP",
                                   "DT3.REP",      "DT2.REP",    "DET.REP",    "SRP.REP",
                                   "MUL.REP",      "STP.REP",    "SDW.REP",    "TRD.REP",
                                   "YRP.REP"};

}  // namespace

TEST_F(WorkDir, MissingInputsRemoveAnEarlierSignal)
{
    Write("SIGNAL.PXD", {"GL BUY          05JAN01"});
    Run(PXD_PROGRAM);
    EXPECT_FALSE(fs::exists(Path("SIGNAL.PXD")));
    const std::string m = Bytes("MESSAGES.PXD");
    EXPECT_NE(m.find(" File: FK.MVR is missing.\r\n"), std::string::npos);
    EXPECT_NE(m.find("not a trading system"), std::string::npos);
    EXPECT_TRUE(AllCrLf(m));
    EXPECT_NE(Bytes("SUM.REP").find("FK.MVR is missing."), std::string::npos);
}

TEST_F(WorkDir, AFullRunWritesEveryFileWithCrLf)
{
    const pxd::RunInputs in = Inputs({{3000, 6000, 5000, 50}, {3010, 6100, 5000, 50}});
    Write("FK.MVR", *in.indicators);
    Write("FK.KQ4", *in.chaos);
    Write("REPORT69.MVR", *in.runCount);
    Write("BONDS.SYS", *in.parameters);
    EXPECT_EQ(Run(PXD_PROGRAM), 0);
    for (const char* name : kAllOutputs) {
        ASSERT_TRUE(fs::exists(Path(name))) << name;
        EXPECT_TRUE(AllCrLf(Bytes(name))) << name;
    }
    EXPECT_EQ(Bytes("SIGNAL.PXD").substr(0, 2), "SL");
    EXPECT_FALSE(fs::exists(Path("SIGNAL.PXD.tmp")));
}

// The real batch programs on a generated price file, then the stand-in.
TEST_F(WorkDir, AfterTheRealBatchProgramsTheSignalNamesTheLastWeek)
{
    Write("SYSTEM.INI", {"US"});
    ASSERT_EQ(Run(GEN_PRICES_PROGRAM, {"--market", "US", "--weeks", "300", "--seed", "3", "--out",
                                       "BONDS.DAT"}),
              0);
    Run(MVR_PROGRAM);
    Run(KQ4_PROGRAM);
    EXPECT_EQ(Run(PXD_PROGRAM), 0) << Bytes("MESSAGES.PXD");
    const Lines mvr = ReadLines("FK.MVR");
    const Lines chart = ReadLines("TCHART.TCH");
    const Lines signal = ReadLines("SIGNAL.PXD");
    ASSERT_EQ(mvr.size(), 290u);
    EXPECT_EQ(chart.size(), mvr.size() + 1);
    const std::set<std::string> codes = {"GL", "GS", "PK", "RY", "SL", "SS", "GO", "SO"};
    EXPECT_TRUE(codes.count(pxd::Column(signal.at(0), 1, 2)));
    EXPECT_EQ(pxd::Column(signal.at(0), 17, 7), mvr.back().substr(0, 7));
    EXPECT_NE(Bytes("MESSAGES.PXD").find(" Process PXD ran OK."), std::string::npos);
}
