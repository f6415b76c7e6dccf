// The demonstration rule: positions, stops and equity week by week.
#include "PxdText.hpp"

namespace pxd {

using detail::Format;
using detail::IsBlank;
using detail::kSidewaysLimit;

namespace detail {

const char* SideName(Position p)
{
    return p == Position::Long ? "LONG" : p == Position::Short ? "SHORT" : "OUT";
}

const char* SignalName(const std::string& code)
{
    static const std::map<std::string, const char*> names = {
        {"GL", "BUY"},       {"GS", "SELL"},       {"PK", "PULLBACK"}, {"RY", "RALLY"},
        {"SL", "STAY LONG"}, {"SS", "STAY SHORT"}, {"GO", "GET OUT"},  {"SO", "STAY OUT"}};
    const auto it = names.find(code);
    return it == names.end() ? "" : it->second;
}

}  // namespace detail

namespace {

double TradeProfit(Position side, long entry, long exit, int ticksPerPoint, int contracts)
{
    const long ticks = side == Position::Long ? exit - entry : entry - exit;
    return double(ticks) * 1000.0 / ticksPerPoint * contracts;
}

}  // namespace

RunResult RunRule(const RunInputs& in)
{
    RunResult r;
    auto fail = [&](const std::string& why) {
        r.ok = false;
        r.failure = why;
        r.weeks.clear();
        r.trades.clear();
        return r;
    };
    if (!in.indicators) return fail(" File: FK.MVR is missing.");
    if (!in.chaos) return fail(" File: FK.KQ4 is missing.");
    if (!in.runCount) return fail(" File: REPORT69.MVR is missing.");

    if (in.parameters && !in.parameters->empty() && !IsBlank(in.parameters->front()))
        r.parameters = ParseRunParameters(in.parameters->front());
    else
        r.notes.push_back(" BONDS.SYS not found: default parameters used.");

    std::vector<IndicatorWeek> weeks;
    for (std::size_t i = 0; i < in.indicators->size(); ++i) {
        const std::string& line = (*in.indicators)[i];
        if (IsBlank(line)) continue;
        const auto w = ParseIndicatorLine(line);
        if (!w) return fail(Format(" File: FK.MVR line %zu is unreadable.", i + 1));
        weeks.push_back(*w);
    }
    if (weeks.empty()) return fail(" File: FK.MVR is empty.");

    std::vector<ChaosWeek> chaos;
    for (std::size_t i = 0; i < in.chaos->size(); ++i) {
        const std::string& line = (*in.chaos)[i];
        if (IsBlank(line)) continue;
        const auto c = ParseChaosLine(line);
        if (!c) return fail(Format(" File: FK.KQ4 line %zu is unreadable.", i + 1));
        chaos.push_back(*c);
    }
    if (chaos.empty()) return fail(" File: FK.KQ4 is empty.");
    if (chaos.size() != weeks.size()) return fail(" FK.KQ4 does not match FK.MVR.");
    for (std::size_t i = 0; i < weeks.size(); ++i)
        if (chaos[i].date != weeks[i].date) return fail(" FK.KQ4 does not match FK.MVR.");

    const std::optional<long> count =
        in.runCount->empty() ? std::nullopt : ParseRunCount(in.runCount->front());
    if (!count) return fail(" File: REPORT69.MVR is corrupted.");
    if (*count != long(weeks.size()) + 10) return fail(" REPORT69.MVR does not match FK.MVR.");

    r.ticksPerPoint = weeks.front().ticksPerPoint;
    const int tpp = r.ticksPerPoint;
    const int contracts = r.parameters.Contracts();
    const double dollarsPerTick = 1000.0 / tpp * contracts;

    Position trend = Position::Out, previous = Position::Out;
    bool stopped = false, inTrade = false;
    long previousK = -1;
    double closedAll = 0, closedLong = 0;
    Trade open;
    for (std::size_t i = 0; i < weeks.size(); ++i) {
        const IndicatorWeek& w = weeks[i];
        WeekResult out;
        out.week = w;
        out.chaos = chaos[i];
        if (inTrade && w.roll != 0) {  // keep the entry in the new contract's terms
            open.basisTicks += w.roll;
            open.bestTicks += w.roll;
        }
        const Position turned =
            w.k > w.d ? Position::Long : w.k < w.d ? Position::Short : trend;
        if (turned != trend) stopped = false;
        trend = turned;
        out.sideways = chaos[i].meanEfficiency >= 1 && chaos[i].meanEfficiency <= kSidewaysLimit;
        Position wanted = out.sideways || stopped ? Position::Out : trend;
        bool stopHit = false;
        if (inTrade && wanted == open.side) {
            long& best = open.bestTicks;
            best = open.side == Position::Long ? std::max(best, w.close) : std::min(best, w.close);
            const long reference = r.parameters.trailingStop ? best : open.basisTicks;
            const long against =
                open.side == Position::Long ? reference - w.close : w.close - reference;
            if (double(against) * dollarsPerTick >= double(r.parameters.stopLoss)) {
                stopped = stopHit = true;
                wanted = Position::Out;
            }
        }
        if (inTrade && wanted != open.side) {
            open.exitDate = w.date;
            open.exitTicks = w.close;
            open.reason = stopHit ? "stop" : out.sideways ? "sideways" : "signal";
            open.profit = TradeProfit(open.side, open.basisTicks, w.close, tpp, contracts);
            closedAll += open.profit;
            if (open.side == Position::Long) closedLong += open.profit;
            r.trades.push_back(open);
            inTrade = false;
        }
        if (!inTrade && wanted != Position::Out) {
            open = Trade{};
            open.side = wanted;
            open.entryDate = w.date;
            open.entryTicks = open.basisTicks = open.bestTicks = w.close;
            inTrade = true;
        }
        out.position = wanted;

        switch (wanted) {
        case Position::Long:
            out.signalCode = previous != Position::Long ? "GL" : w.k < previousK ? "PK" : "SL";
            out.barCode = out.signalCode == "GL" ? 'B' : out.signalCode == "PK" ? 'P' : 'L';
            break;
        case Position::Short:
            out.signalCode = previous != Position::Short ? "GS" : w.k > previousK ? "RY" : "SS";
            out.barCode = out.signalCode == "GS" ? 'S' : out.signalCode == "RY" ? 'R' : 'X';
            break;
        case Position::Out:
            out.signalCode = previous != Position::Out ? "GO" : "SO";
            out.barCode = !out.sideways               ? 'O'
                          : trend == Position::Long  ? 'Y'
                          : trend == Position::Short ? 'V'
                                                     : 'O';
            break;
        }
        const double openProfit =
            inTrade ? TradeProfit(open.side, open.basisTicks, w.close, tpp, contracts) : 0;
        out.equity = closedAll + openProfit;
        out.longEquity = closedLong + (inTrade && open.side == Position::Long ? openProfit : 0);
        r.weeks.push_back(out);
        previous = wanted;
        previousK = w.k;
    }
    if (inTrade) {
        open.exitTicks = weeks.back().close;
        open.reason = "open";
        open.profit = TradeProfit(open.side, open.basisTicks, open.exitTicks, tpp, contracts);
        r.trades.push_back(open);
    }
    r.ok = true;
    return r;
}

}  // namespace pxd
