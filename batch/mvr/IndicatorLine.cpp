// The 190-character indicator line of one computed week in "FK.MVR".
#include "MainIndicators.hpp"

#include <algorithm>

namespace mvr {

namespace {

const char* ProductLabel(std::string_view marketCode)
{
    if (marketCode == "US") return "QEL-5100";
    if (marketCode == "TY") return "QEL-7300";
    if (marketCode == "SP") return "QEL-K900";
    return "        ";
}

// Puts characters into 1-based columns of the buffer.
void Put(std::string& buffer, int column, std::string_view chars)
{
    std::copy(chars.begin(), chars.end(), buffer.begin() + (column - 1));
}

}  // namespace

std::string BuildIndicatorLine(MainIndicatorsRun& run)
{
    const WeekRow& c = run.weeks.At(run.window.windowEnd);
    const auto& m = run.measures;
    const auto& s = run.smoothed;
    std::string line(kIndicatorLineLength, ' ');  // the buffer, then 33 blanks
    Put(line, 1, c.date.Text());
    Put(line, 8, c.high.Text());
    Put(line, 14, c.low.Text());
    Put(line, 20, c.close.Text());
    Put(line, 26, c.firstFlag.Text());
    Put(line, 27, {s.weekFlags.data(), s.weekFlags.size()});
    Put(line, 32, m.windowRange.Text());
    Put(line, 38, m.rangeRatioPct.Text());
    Put(line, 41, m.highestHigh.Text());
    Put(line, 47, m.lowestLow.Text());
    Put(line, 53, c.range.Text());
    Put(line, 59, m.netChangeSum.Text());
    Put(line, 65, m.closePosPct.Text());
    Put(line, 68, m.bodyPct.Text());
    Put(line, 71, s.roundedR3.Text());
    Put(line, 74, s.firstSum.Text());
    Put(line, 79, s.w[0].Text());
    Put(line, 83, s.w[1].Text());
    Put(line, 87, s.w[2].Text());
    Put(line, 91, s.q[0].Text().substr(1));
    Put(line, 94, s.q[1].Text().substr(1));
    Put(line, 97, s.q[2].Text().substr(1));
    Put(line, 100, s.secondSum.Text());
    Put(line, 105, s.w[3].Text());
    Put(line, 109, s.w[4].Text());
    Put(line, 113, s.w[5].Text());
    Put(line, 117, s.diffSum.Text());
    Put(line, 121, s.diffPair.Text());
    Put(line, 125, s.d[0].Text());
    Put(line, 129, s.d[1].Text());
    Put(line, 133, s.d[2].Text());
    Put(line, 137, c.rollAdjustment.Text().substr(2));
    Put(line, 141, c.secondFlag.Text());
    Put(line, 142, s.highStreak.Text());
    Put(line, 144, s.lowStreak.Text());
    Put(line, 146, m.overlapTenths.Text().substr(0, 3));
    Put(line, 149, "*");
    Put(line, 150, ProductLabel(run.systemIni.MarketCode()));
    return line;
}

void WriteIndicatorLine(MainIndicatorsRun& run)
{
    run.indicatorFile.Write(BuildIndicatorLine(run));
    batch::CheckOutputStatus(run.indicatorFile, "write");
}

}  // namespace mvr
