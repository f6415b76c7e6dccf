// The ten reports, "SUM.REP" to "YRP.REP".
#include "PxdText.hpp"

#include <map>

namespace pxd {

using detail::Format;
using detail::kSidewaysLimit;
using detail::Money;
using detail::PaddedRight;
using detail::SideName;
using detail::SignalName;

namespace {

const std::string kRule(72, '=');

Lines Header(const RunResult& r, const std::string& title)
{
    // No report header names the last week's date: the detail report's
    // date key must first occur on that week's own line.
    Lines h = {" " + title, " Stand-in PXD: demonstration rule, not a trading system."};
    h.push_back(r.ticksPerPoint == 64 ? " Market: 10 Year T-Notes, prices in 64ths."
                                      : " Market: 30 Year T-Bonds, prices in 32nds.");
    if (r.ok) h.push_back(Format(" Weeks: %zu.", r.weeks.size()));
    h.push_back(" " + kRule);
    return h;
}

Lines Failed(const RunResult& r, const std::string& title)
{
    Lines l = Header(r, title);
    l.insert(l.end(), {"", " PXD did not finish:", r.failure, " No signal was written."});
    return l;
}

std::string WeekLine(const WeekResult& w, int tpp)
{
    return Format(" %s %8s %5.2f %5.2f %-5s %s %-10s", w.week.date.c_str(),
                  PriceText(w.week.close, tpp).c_str(), w.week.k / 100.0, w.week.d / 100.0,
                  SideName(w.position), w.signalCode.c_str(), SignalName(w.signalCode));
}

std::string TradeLine(const Trade& t, int tpp)
{
    return Format(" %-5s %s %8s  %-7s %8s  %-8s %9s", SideName(t.side), t.entryDate.c_str(),
                  PriceText(t.entryTicks, tpp).c_str(),
                  t.exitDate.empty() ? "(open)" : t.exitDate.c_str(),
                  PriceText(t.exitTicks, tpp).c_str(), t.reason.c_str(),
                  Money(t.profit).c_str());
}

double MaxDrawdown(const RunResult& r)
{
    double peak = 0, worst = 0;
    for (const WeekResult& w : r.weeks) {
        peak = std::max(peak, w.equity);
        worst = std::max(worst, peak - w.equity);
    }
    return worst;
}

Lines SummaryReport(const RunResult& r)
{
    Lines l = Header(r, "Profit Summary Report");
    const RunParameters& p = r.parameters;
    int wins = 0, losses = 0, closed = 0;
    double gross = 0, loss = 0;
    for (const Trade& t : r.trades) {
        if (t.exitDate.empty()) continue;
        ++closed;
        (t.profit > 0 ? wins : losses)++;
        (t.profit > 0 ? gross : loss) += t.profit;
    }
    const WeekResult& last = r.weeks.back();
    l.push_back(Format(" Parameters %s: stop loss $%ld, trailing stop %s,",
                       p.fromFile ? "from BONDS.SYS" : "(defaults)", p.stopLoss,
                       p.trailingStop ? "on" : "off"));
    l.push_back(Format("   margin $%ld, capital $%ld, max contracts %ld: %d contract(s) traded.",
                       p.margin, p.capital, p.maxContracts, p.Contracts()));
    l.push_back("");
    auto row = [&](const char* label, const std::string& value) {
        l.push_back(Format(" %-24s%10s", label, value.c_str()));
    };
    row("Trades closed", std::to_string(closed));
    row("Winning trades", std::to_string(wins));
    row("Losing trades", std::to_string(losses));
    row("Gross profit", Money(gross));
    row("Gross loss", Money(loss));
    row("Net profit, closed", Money(gross + loss));
    row("Equity at the last week", Money(last.equity));
    row("Largest drawdown", Money(-MaxDrawdown(r)));
    l.push_back("");
    l.push_back(Format(" Last week %s: position %s, signal %s %s.", last.week.date.c_str(),
                       SideName(last.position), last.signalCode.c_str(),
                       SignalName(last.signalCode)));
    return l;
}

Lines DetailShort(const RunResult& r)
{
    Lines l = Header(r, "Detail Report (last 52 weeks)");
    l.push_back(" Date       Close     K     D  Pos.  Signal");
    const std::size_t from = r.weeks.size() > 52 ? r.weeks.size() - 52 : 0;
    for (std::size_t i = from; i < r.weeks.size(); ++i)
        l.push_back(WeekLine(r.weeks[i], r.ticksPerPoint));
    return l;
}

Lines DetailFull(const RunResult& r)
{
    Lines l = Header(r, "Full Detail Report");
    l.push_back(" Date       Close     K     D  Pos.  Signal        High      Low  F2  Equity");
    for (const WeekResult& w : r.weeks)
        l.push_back(PaddedRight(WeekLine(w, r.ticksPerPoint), 46) +
                    Format("%8s %8s %3ld %s", PriceText(w.week.high, r.ticksPerPoint).c_str(),
                           PriceText(w.week.low, r.ticksPerPoint).c_str(),
                           w.chaos.meanEfficiency, Money(w.equity).c_str()));
    return l;
}

Lines DetailMax(const RunResult& r)
{
    Lines l = Header(r, "Max Version Detail Report");
    l.push_back(" Date     High     Low      Close    Roll     K      D  F1  F2 Side Pos.  Code "
                "Bar   Equity  Long eq.");
    for (const WeekResult& w : r.weeks) {
        const int tpp = r.ticksPerPoint;
        l.push_back(Format(" %s %8s %8s %8s %4ld %6.2f %6.2f %3ld %3ld %-4s %-5s %-4s %c %9s %9s",
                           w.week.date.c_str(), PriceText(w.week.high, tpp).c_str(),
                           PriceText(w.week.low, tpp).c_str(),
                           PriceText(w.week.close, tpp).c_str(), w.week.roll, w.week.k / 100.0,
                           w.week.d / 100.0, w.chaos.efficiency, w.chaos.meanEfficiency,
                           w.sideways ? "yes" : "no", SideName(w.position),
                           w.signalCode.c_str(), w.barCode, Money(w.equity).c_str(),
                           Money(w.longEquity).c_str()));
    }
    return l;
}

Lines TradeList(const RunResult& r, const std::string& title)
{
    Lines l = Header(r, title);
    l.push_back(" Side  Entry       Price  Exit       Price  Reason      Profit");
    for (const Trade& t : r.trades) l.push_back(TradeLine(t, r.ticksPerPoint));
    if (r.trades.empty()) l.push_back(" No trades.");
    return l;
}

Lines TradesSummary(const RunResult& r)
{
    Lines l = Header(r, "Trades Summary Report");
    for (Position side : {Position::Long, Position::Short}) {
        int n = 0, wins = 0;
        double sum = 0, best = 0, worst = 0;
        for (const Trade& t : r.trades) {
            if (t.side != side || t.exitDate.empty()) continue;
            ++n;
            wins += t.profit > 0;
            sum += t.profit;
            best = std::max(best, t.profit);
            worst = std::min(worst, t.profit);
        }
        l.push_back(Format(" %-5s trades %4d  won %4d  net %9s  average %9s  best %9s  worst %9s",
                           SideName(side), n, wins, Money(sum).c_str(),
                           Money(n ? sum / n : 0).c_str(), Money(best).c_str(),
                           Money(worst).c_str()));
    }
    return l;
}

Lines MultipleTrades(const RunResult& r)
{
    Lines l = Header(r, "Multiple Trades Report");
    l.push_back(Format(" Contracts per trade: %d (capital $%ld / margin $%ld, at most %ld).",
                       r.parameters.Contracts(), r.parameters.capital, r.parameters.margin,
                       r.parameters.maxContracts));
    l.push_back(" Side  Entry       Price  Exit       Price  Reason      Profit  Per contract");
    for (const Trade& t : r.trades)
        l.push_back(TradeLine(t, r.ticksPerPoint) + "  " +
                    Money(t.profit / r.parameters.Contracts()));
    return l;
}

Lines StopLoss(const RunResult& r)
{
    Lines l = Header(r, "Stop Loss Report");
    const RunParameters& p = r.parameters;
    const int tpp = r.ticksPerPoint;
    const double dollarsPerTick = 1000.0 / tpp * p.Contracts();
    const long stopTicks = long(std::ceil(p.stopLoss / dollarsPerTick));
    l.push_back(Format(" Stop loss $%ld for %d contract(s): %ld ticks; trailing stop %s.",
                       p.stopLoss, p.Contracts(), stopTicks, p.trailingStop ? "on" : "off"));
    const Trade* open = r.trades.empty() || !r.trades.back().exitDate.empty()
                            ? nullptr
                            : &r.trades.back();
    if (open) {
        const long reference = p.trailingStop ? open->bestTicks : open->basisTicks;
        const long stop =
            open->side == Position::Long ? reference - stopTicks : reference + stopTicks;
        l.push_back(Format(" Open position %s since %s at %s: stop at %s.", SideName(open->side),
                           open->entryDate.c_str(), PriceText(open->entryTicks, tpp).c_str(),
                           PriceText(stop, tpp).c_str()));
    } else {
        l.push_back(" No open position: no stop to place this week.");
    }
    l.push_back("");
    l.push_back(" Trades closed by the stop:");
    int n = 0;
    for (const Trade& t : r.trades)
        if (t.reason == "stop") {
            l.push_back(TradeLine(t, tpp));
            ++n;
        }
    if (n == 0) l.push_back(" none");
    return l;
}

Lines Sideways(const RunResult& r)
{
    Lines l = Header(r, "Sideways Market Report");
    l.push_back(Format(" A week is sideways when its mean efficiency (FK.KQ4 F2) is 1 to %ld.",
                       kSidewaysLimit));
    int n = 0;
    for (const WeekResult& w : r.weeks)
        if (w.sideways) {
            l.push_back(Format(" %s  F1 %3ld  F2 %3ld  %s", w.week.date.c_str(), w.chaos.efficiency,
                               w.chaos.meanEfficiency,
                               PriceText(w.week.close, r.ticksPerPoint).c_str()));
            ++n;
        }
    l.push_back(Format(" Sideways weeks: %d of %zu.", n, r.weeks.size()));
    return l;
}

Lines Yearly(const RunResult& r)
{
    Lines l = Header(r, "Yearly Profit Report");
    l.push_back(" Year  Trades      Profit   Equity at year end");
    std::map<int, std::pair<int, double>> byYear;
    for (const Trade& t : r.trades) {
        const std::string& when = t.exitDate.empty() ? r.weeks.back().week.date : t.exitDate;
        auto& y = byYear[FourDigitYear(when)];
        ++y.first;
        y.second += t.profit;
    }
    std::map<int, double> yearEnd;
    for (const WeekResult& w : r.weeks) yearEnd[FourDigitYear(w.week.date)] = w.equity;
    for (const auto& [year, equity] : yearEnd) {
        const auto it = byYear.find(year);
        const int n = it == byYear.end() ? 0 : it->second.first;
        const double profit = it == byYear.end() ? 0 : it->second.second;
        l.push_back(Format(" %4d  %6d  %10s  %10s", year, n, Money(profit).c_str(),
                           Money(equity).c_str()));
    }
    return l;
}

}  // namespace

std::map<std::string, Lines> Reports(const RunResult& r)
{
    const std::pair<const char*, const char*> titles[] = {
        {"SUM.REP", "Profit Summary Report"},  {"DT3.REP", "Detail Report"},
        {"DT2.REP", "Full Detail Report"},     {"DET.REP", "Max Version Detail Report"},
        {"SRP.REP", "Trades Summary Report"},  {"MUL.REP", "Multiple Trades Report"},
        {"STP.REP", "Stop Loss Report"},       {"SDW.REP", "Sideways Market Report"},
        {"TRD.REP", "Algorithm Trades Report"}, {"YRP.REP", "Yearly Profit Report"}};
    std::map<std::string, Lines> reports;
    if (!r.ok) {
        for (const auto& [name, title] : titles) reports[name] = Failed(r, title);
        return reports;
    }
    reports["SUM.REP"] = SummaryReport(r);
    reports["DT3.REP"] = DetailShort(r);
    reports["DT2.REP"] = DetailFull(r);
    reports["DET.REP"] = DetailMax(r);
    reports["SRP.REP"] = TradesSummary(r);
    reports["MUL.REP"] = MultipleTrades(r);
    reports["STP.REP"] = StopLoss(r);
    reports["SDW.REP"] = Sideways(r);
    reports["TRD.REP"] = TradeList(r, "Algorithm Trades Report");
    reports["YRP.REP"] = Yearly(r);
    return reports;
}

}  // namespace pxd
