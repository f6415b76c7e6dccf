// What the stand-in reads: digit fields and the lines of FK.MVR, FK.KQ4,
// REPORT69.MVR and BONDS.SYS.
#include "PxdText.hpp"

namespace pxd {

using detail::IsBlank;

std::string Column(const std::string& line, int first, int width)
{
    std::string out(width, ' ');
    for (int i = 0; i < width; ++i) {
        const std::size_t at = std::size_t(first - 1 + i);
        if (at < line.size()) out[i] = line[at];
    }
    return out;
}

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

}  // namespace pxd
