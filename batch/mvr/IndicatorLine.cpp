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


}  // namespace

std::string BuildIndicatorLine(MainIndicatorsRun& run)
{
    const WeekRow& c = run.weeks.At(run.window.windowEnd);
    const auto& m = run.measures;
    const auto& s = run.smoothed;
    std::string line(kIndicatorLineLength, ' ');  // the buffer, then 33 blanks
    batch::PutColumns(line, 1, c.date.Text());
    batch::PutColumns(line, 8, c.high.Text());
    batch::PutColumns(line, 14, c.low.Text());
    batch::PutColumns(line, 20, c.close.Text());
    batch::PutColumns(line, 26, c.firstFlag.Text());
    batch::PutColumns(line, 27, {s.weekFlags.data(), s.weekFlags.size()});
    batch::PutColumns(line, 32, m.windowRange.Text());
    batch::PutColumns(line, 38, m.rangeRatioPct.Text());
    batch::PutColumns(line, 41, m.highestHigh.Text());
    batch::PutColumns(line, 47, m.lowestLow.Text());
    batch::PutColumns(line, 53, c.range.Text());
    batch::PutColumns(line, 59, m.netChangeSum.Text());
    batch::PutColumns(line, 65, m.closePosPct.Text());
    batch::PutColumns(line, 68, m.bodyPct.Text());
    batch::PutColumns(line, 71, s.roundedR3.Text());
    batch::PutColumns(line, 74, s.firstSum.Text());
    batch::PutColumns(line, 79, s.w[0].Text());
    batch::PutColumns(line, 83, s.w[1].Text());
    batch::PutColumns(line, 87, s.w[2].Text());
    batch::PutColumns(line, 91, s.q[0].Text().substr(1));
    batch::PutColumns(line, 94, s.q[1].Text().substr(1));
    batch::PutColumns(line, 97, s.q[2].Text().substr(1));
    batch::PutColumns(line, 100, s.secondSum.Text());
    batch::PutColumns(line, 105, s.w[3].Text());
    batch::PutColumns(line, 109, s.w[4].Text());
    batch::PutColumns(line, 113, s.w[5].Text());
    batch::PutColumns(line, 117, s.diffSum.Text());
    batch::PutColumns(line, 121, s.diffPair.Text());
    batch::PutColumns(line, 125, s.d[0].Text());
    batch::PutColumns(line, 129, s.d[1].Text());
    batch::PutColumns(line, 133, s.d[2].Text());
    batch::PutColumns(line, 137, c.rollAdjustment.Text().substr(2));
    batch::PutColumns(line, 141, c.secondFlag.Text());
    batch::PutColumns(line, 142, s.highStreak.Text());
    batch::PutColumns(line, 144, s.lowStreak.Text());
    batch::PutColumns(line, 146, m.overlapTenths.Text().substr(0, 3));
    batch::PutColumns(line, 149, "*");
    batch::PutColumns(line, 150, ProductLabel(run.systemIni.MarketCode()));
    return line;
}

void WriteIndicatorLine(MainIndicatorsRun& run)
{
    run.indicatorFile.Write(BuildIndicatorLine(run));
    batch::CheckOutputStatus(run.indicatorFile, "write");
}

}  // namespace mvr
