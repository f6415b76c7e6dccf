// The signal, chart and message files, and the whole run in the current
// directory.
#include "PxdText.hpp"

#include "FileText.hpp"

#include <cstdlib>
#include <exception>

namespace pxd {

using detail::Format;
using detail::PaddedRight;
using detail::SignalName;
using detail::Trimmed;

std::string PriceText(long ticks, int ticksPerPoint)
{
    const char* sign = ticks < 0 ? "-" : "";
    const long t = std::labs(ticks);
    return Format("%s%ld-%02ld", sign, t / ticksPerPoint, t % ticksPerPoint);
}

int FourDigitYear(const std::string& date)
{
    const int yy = std::atoi(Column(date, 6, 2).c_str());
    return yy < 60 ? 2000 + yy : 1900 + yy;
}

Lines SignalFile(const RunResult& r)
{
    if (!r.ok || r.weeks.empty()) return {};
    const WeekResult& last = r.weeks.back();
    // Columns 1-2 code, 4-15 its name, 17-23 the date, then the close.
    std::string line = last.signalCode + " " + PaddedRight(SignalName(last.signalCode), 12) +
                       " " + last.week.date + " " +
                       PriceText(last.week.close, r.ticksPerPoint);
    return {line, "Stand-in PXD: demonstration rule, not a trading system."};
}

static std::string Signed7(double value)
{
    long v = std::lround(value);
    v = std::clamp(v, -999999L, 9999999L);
    return v < 0 ? Format("-%06ld", -v) : Format("%07ld", v);
}

std::string ChartLine(const WeekResult& w, int index, int ticksPerPoint)
{
    const long millionths = 1000000 / ticksPerPoint;
    const IndicatorWeek& b = w.week;
    const char rollSign = b.roll > 0 ? '+' : b.roll < 0 ? '-' : ' ';
    std::string line = b.date.substr(0, 2) + b.date.substr(2, 3) +
                       Format("%04d%04d", FourDigitYear(b.date), index % 10000) +
                       Format("%09ld%09ld%09ld", b.high * millionths, b.low * millionths,
                              b.close * millionths);
    line += rollSign;
    line += Format("%03ld", std::labs(b.roll) % 1000);
    line += w.barCode;
    line += Format("%04ld%04ld", b.k % 10000, b.d % 10000);
    line += "+" + Signed7(w.equity) + "+" + Signed7(w.longEquity);
    return line;
}

Lines ChartFile(const RunResult& r)
{
    Lines lines;
    for (std::size_t i = 0; i < r.weeks.size(); ++i)
        lines.push_back(ChartLine(r.weeks[i], int(i), r.ticksPerPoint));
    lines.push_back("THE-END  stand-in PXD chart file, demonstration rule");
    return lines;
}

Lines MessageFile(const RunResult& r)
{
    Lines m = {"", " Stand-in PXD: demonstration rule,", " not a trading system.", ""};
    if (!r.ok) {
        m.insert(m.end(), {" PXD did not finish.", "", r.failure, "", " No signal was written.",
                           "", " Process PXD failed."});
        return m;
    }
    const WeekResult& last = r.weeks.back();
    m.push_back(Format(" Weeks read: %zu, %s to %s.", r.weeks.size(),
                       r.weeks.front().week.date.c_str(), last.week.date.c_str()));
    m.push_back(" Signal: " + last.signalCode + " " + SignalName(last.signalCode) + ".");
    m.insert(m.end(), r.notes.begin(), r.notes.end());
    m.insert(m.end(), {"", " Process PXD ran OK."});
    return m;
}

int RunInCurrentDirectory()
{
    RunInputs in;
    in.indicators = devtools::TryReadLines("FK.MVR");
    in.chaos = devtools::TryReadLines("FK.KQ4");
    in.runCount = devtools::TryReadLines("REPORT69.MVR");
    in.parameters = devtools::TryReadLines("BONDS.SYS");
    const RunResult r = RunRule(in);
    try {
        if (!r.ok) {
            // No signal from an earlier run may stand for this one. The
            // summary says why, so the front end's main pane shows it.
            std::remove("SIGNAL.PXD");
            devtools::WriteLines("SUM.REP", Reports(r).at("SUM.REP"));
        } else {
            for (const auto& [name, lines] : Reports(r)) devtools::WriteLines(name, lines);
            devtools::WriteLines("TCHART.TCH", ChartFile(r));
            devtools::WriteLines("SIGNAL.PXD", SignalFile(r));
        }
        devtools::WriteLines("MESSAGES.PXD", MessageFile(r));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "PXD stand-in: %s\n", e.what());
        return 1;
    }
    std::printf("PXD stand-in (demonstration rule, not a trading system): %s\n",
                r.ok ? ("signal " + r.weeks.back().signalCode).c_str() : Trimmed(r.failure).c_str());
    return r.ok ? 0 : 1;
}

}  // namespace pxd
