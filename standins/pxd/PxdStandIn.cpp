#include "PxdStandIn.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace pxd {

// ---- text files -----------------------------------------------------------

std::string Column(const std::string& line, int first, int width)
{
    std::string out(width, ' ');
    for (int i = 0; i < width; ++i) {
        const std::size_t at = std::size_t(first - 1 + i);
        if (at < line.size()) out[i] = line[at];
    }
    return out;
}

// ---- what is read ---------------------------------------------------------

std::optional<long> ReadDigitField(const std::string& field, bool isSigned)
{
    long value = 0;
    bool negative = false;
    for (std::size_t i = 0; i < field.size(); ++i) {
        char c = field[i];
        const bool last = i + 1 == field.size();
        if (isSigned && last && c >= 'p' && c <= 'y') {
            negative = true;
            c = char(c - 'p' + '0');
        }
        if (c == ' ') c = '0';
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

namespace {

const char* const kMonthCodes[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool IsWeekDate(const std::string& date)
{
    if (date.size() != 7) return false;
    for (int i : {0, 1, 5, 6})
        if (date[i] < '0' || date[i] > '9') return false;
    return std::find_if(std::begin(kMonthCodes), std::end(kMonthCodes), [&](const char* m) {
               return date.compare(2, 3, m) == 0;
           }) != std::end(kMonthCodes);
}

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}

std::string Trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string Format(const char* fmt, auto... args)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

std::string Money(double dollars)
{
    return Format("%+.0f", std::round(dollars));
}

std::string PaddedRight(std::string s, std::size_t width)
{
    s.resize(std::max(width, s.size()), ' ');
    return s;
}

}  // namespace

std::optional<IndicatorWeek> ParseIndicatorLine(const std::string& line)
{
    IndicatorWeek w;
    w.date = Column(line, 1, 7);
    if (!IsWeekDate(w.date)) return std::nullopt;
    const auto high = ReadDigitField(Column(line, 8, 6), false);
    const auto low = ReadDigitField(Column(line, 14, 6), false);
    const auto close = ReadDigitField(Column(line, 20, 6), false);
    const auto k = ReadDigitField(Column(line, 87, 4), false);
    const auto d = ReadDigitField(Column(line, 113, 4), false);
    const auto roll = ReadDigitField(Column(line, 137, 4), true);
    if (!high || !low || !close || !k || !d || !roll) return std::nullopt;
    w.high = *high;
    w.low = *low;
    w.close = *close;
    w.k = *k;
    w.d = *d;
    w.roll = *roll;
    w.ticksPerPoint = Column(line, 150, 8) == "QEL-7300" ? 64 : 32;
    return w;
}

std::optional<ChaosWeek> ParseChaosLine(const std::string& line)
{
    ChaosWeek c;
    c.date = Column(line, 1, 7);
    if (!IsWeekDate(c.date)) return std::nullopt;
    const auto f1 = ReadDigitField(Column(line, 9, 3), false);
    const auto f2 = ReadDigitField(Column(line, 49, 3), false);
    if (!f1 || !f2) return std::nullopt;
    c.efficiency = *f1;
    c.meanEfficiency = *f2;
    return c;
}

std::optional<long> ParseRunCount(const std::string& line)
{
    if (Column(line, 1, 6) != "@!!###") return std::nullopt;
    return ReadDigitField(Column(line, 56, 5), false);
}

int RunParameters::Contracts() const
{
    long n = margin > 0 ? capital / margin : 1;
    n = std::min(n, maxContracts);
    return int(std::max(n, 1L));
}

RunParameters ParseRunParameters(const std::string& line)
{
    // Columns of the run-parameter line: stop loss 5-8, margin 13-17,
    // capital 18-22, contracts 23-26, trailing stop 84. A field that is not
    // a number keeps the default.
    RunParameters p;
    p.fromFile = true;
    auto take = [&](int first, int width, long& into) {
        const std::string f = Column(line, first, width);
        if (IsBlank(f)) return;
        if (const auto v = ReadDigitField(f, false)) into = *v;
    };
    take(5, 4, p.stopLoss);
    take(13, 5, p.margin);
    take(18, 5, p.capital);
    take(23, 4, p.maxContracts);
    p.trailingStop = Column(line, 84, 1) == "Y";
    return p;
}

// ---- the rule -------------------------------------------------------------

namespace {

constexpr long kSidewaysLimit = 45;   // F2 from 1 to this: sideways week

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

// ---- what is written ------------------------------------------------------

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

int RunInCurrentDirectory()
{
    RunInputs in;
    in.indicators = ReadTextLines("FK.MVR");
    in.chaos = ReadTextLines("FK.KQ4");
    in.runCount = ReadTextLines("REPORT69.MVR");
    in.parameters = ReadTextLines("BONDS.SYS");
    const RunResult r = RunRule(in);
    try {
        if (!r.ok) {
            // No signal from an earlier run may stand for this one. The
            // summary says why, so the front end's main pane shows it.
            std::remove("SIGNAL.PXD");
            WriteTextFile("SUM.REP", Reports(r).at("SUM.REP"));
        } else {
            for (const auto& [name, lines] : Reports(r)) WriteTextFile(name, lines);
            WriteTextFile("TCHART.TCH", ChartFile(r));
            WriteTextFile("SIGNAL.PXD", SignalFile(r));
        }
        WriteTextFile("MESSAGES.PXD", MessageFile(r));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "PXD stand-in: %s\n", e.what());
        return 1;
    }
    std::printf("PXD stand-in (demonstration rule, not a trading system): %s\n",
                r.ok ? ("signal " + r.weeks.back().signalCode).c_str() : Trimmed(r.failure).c_str());
    return r.ok ? 0 : 1;
}

}  // namespace pxd
