#include "MvrReference.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace mvrref {

namespace {

using i64 = long long;

i64 Pow10(int n)
{
    i64 p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// The low four bits of each character, as the programs read a digit field.
i64 Digits(const std::string& s, int col, int width)
{
    i64 v = 0;
    for (int i = 0; i < width; ++i) v = v * 10 + (static_cast<unsigned char>(s[col - 1 + i]) & 0x0F);
    return v;
}

i64 SignedDigits(const std::string& s, int col, int width)
{
    const i64 v = Digits(s, col, width);
    return (static_cast<unsigned char>(s[col - 1 + width - 1]) & 0x40) ? -v : v;
}

// Storing: magnitude modulo 10^width, sign kept only by signed fields.
i64 Unsigned(i64 v, int width) { return std::llabs(v) % Pow10(width); }
i64 Signed(i64 v, int width) { return v < 0 ? -(std::llabs(v) % Pow10(width)) : v % Pow10(width); }

std::string Num(i64 v, int width)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", width, std::llabs(v));
    std::string s(buf);
    if (v < 0) s.back() = static_cast<char>(s.back() | 0x40);
    return s;
}

// Half-up rounding of the non-negative fraction num/den to an integer.
i64 RoundHalfUp(i64 num, i64 den) { return den == 0 ? 0 : (2 * num + den) / (2 * den); }

char Flag(i64 a, i64 b) { return a > b ? 'H' : a < b ? 'L' : 'E'; }

struct Row {
    std::string raw;  // the 53 used columns
    i64 open, high, low, close, range, net, roll;
};

}  // namespace

std::vector<std::string> ExpectedIndicatorLines(const std::vector<std::string>& priceLines, const std::string& market)
{
    std::vector<Row> rows;
    i64 previousClose = 2879;
    for (const std::string& line : priceLines) {
        std::string l = line.substr(0, 53);
        l.resize(53, ' ');
        Row r{l, Digits(l, 9, 6), Digits(l, 16, 6), Digits(l, 23, 6), Digits(l, 30, 6), 0, 0, SignedDigits(l, 37, 6)};
        r.range = Unsigned(r.high - r.low, 6);
        r.net = Signed(r.close - Signed(previousClose + r.roll, 6), 6);
        previousClose = r.close;
        rows.push_back(r);
    }
    // Smoothed values in ten-thousandths; seeds of the week before the first.
    i64 prev[6];
    const i64 usSeeds[6] = {790000, 450000, 590000, 700000, 360000, 530000};
    const i64 tySeeds[6] = {760000, 500000, 590000, 800000, 540000, 660000};
    for (int k = 0; k < 6; ++k) prev[k] = market == "TY" ? tySeeds[k] : usSeeds[k];
    i64 highStreak = 0, lowStreak = 0;

    std::vector<std::string> out;
    const int n = static_cast<int>(rows.size());
    for (int c = 10; c < n; ++c) {  // 0-based current row
        const int first = c - 10, p = c - 1;
        for (int r = first; r < c; ++r) {
            Row& a = rows[r];
            a.open = Unsigned(a.open + rows[c].roll, 6);
            a.high = Unsigned(a.high + rows[c].roll, 6);
            a.low = Unsigned(a.low + rows[c].roll, 6);
            a.close = Unsigned(a.close + rows[c].roll, 6);
        }
        const Row& C = rows[c];
        const Row& P = rows[p];

        i64 netSum = 0;
        for (int r = first; r <= c; ++r) netSum = Signed(netSum + rows[r].net, 6);

        // Overlap in tenths of a percent.
        i64 overlap = 0;
        const i64 span = C.high - C.low;
        auto quotient = [&](i64 num) {
            const i64 q = span == 0 ? 0 : (num * 1000) / span;  // toward zero
            overlap = q >= 10000 ? 1000 : Signed(q, 4);
        };
        if (C.low >= P.low) quotient(P.high - C.low);
        if (C.high <= P.high) quotient(C.high - P.low);
        if (C.high > P.high && C.low < P.low) quotient(P.high - P.low);
        overlap += 5;
        if (overlap < 0) overlap = 0;
        else if (overlap > 1000) overlap = 1000;

        // Body in hundred-thousandths, rounded half up on the magnitude.
        const i64 diff = Signed(C.close - C.open, 6);
        const i64 bodySpan = Unsigned(C.high - C.low, 6);
        i64 body = bodySpan == 0 ? 0 : RoundHalfUp(std::llabs(diff) * 10000000, bodySpan);
        body = Unsigned(body, 11);
        i64 bodyPct = Unsigned(body / 100000, 3);
        if (diff < 0) bodyPct = -bodyPct;
        if (bodyPct == 100) bodyPct = 99;
        if (bodyPct == -100) bodyPct = -99;

        i64 hh = rows[first].high, ll = rows[first].low, rangeSum = 0;
        for (int r = first + 1; r <= c; ++r) {
            if (rows[r].high > hh) hh = rows[r].high;
            if (rows[r].low < ll) ll = rows[r].low;
        }
        for (int r = first; r <= c; ++r) rangeSum = Unsigned(rangeSum + rows[r].range, 6);
        const i64 windowRange = Unsigned(hh - ll, 6);
        const i64 ratioWork = rangeSum == 0 ? 0 : Unsigned(windowRange * 1000000 / rangeSum, 7);
        const i64 ratioPct = Unsigned((ratioWork + 5000) / 10000, 3);

        // Positions in millionths of a percent.
        const i64 offHigh = Unsigned(C.high - ll, 4), offLow = Unsigned(C.low - ll, 4), offClose = Unsigned(C.close - ll, 4);
        const i64 offSpan = Unsigned(hh - ll, 4);
        auto position = [&](i64 off) { return offSpan == 0 ? 0 : Unsigned(off * 100000000 / offSpan, 9); };
        const i64 r3[3] = {position(offHigh), position(offLow), position(offClose)};
        const i64 roundedR3 = Unsigned((r3[2] + 500000) / 1000000, 3);

        // s in ten-thousandths: prev x 0.66667 + new x 0.33333, cut.
        i64 s[6];
        for (int k = 0; k < 3; ++k) s[k] = Unsigned((prev[k] * 66667 * 100 + r3[k] * 33333) / 10000000, 7);
        for (int k = 3; k < 6; ++k) s[k] = Unsigned((prev[k] * 66667 + s[k - 3] * 33333) / 100000, 7);
        i64 q[3];
        for (int k = 0; k < 3; ++k) q[k] = s[k] == 0 ? 0 : Unsigned(RoundHalfUp(prev[k] * 100, s[k]), 4);
        const char flags[5] = {Flag(C.high, P.high), Flag(C.low, P.low), Flag(C.close, P.close), Flag(s[2], prev[2]),
                               Flag(s[5], prev[5])};
        for (int k = 0; k < 6; ++k) prev[k] = s[k];
        i64 w[6], d[3];
        for (int k = 0; k < 6; ++k) w[k] = Unsigned((s[k] + 50) / 100, 4);
        for (int k = 0; k < 3; ++k) d[k] = Signed(w[k] - w[k + 3], 4);
        const i64 firstSum = Unsigned(w[0] + w[1] + w[2], 5), secondSum = Unsigned(w[3] + w[4] + w[5], 5);
        const i64 diffSum = Signed(d[0] + d[1] + d[2], 4), diffPair = Signed(d[0] + d[1], 4);
        const i64 threshold = market == "TY" ? 8500 : 7650;
        highStreak = w[0] > threshold ? (highStreak + 1) % 100 : 0;
        lowStreak = w[1] < 2000 ? (lowStreak + 1) % 100 : 0;

        const i64 weekSpan = Unsigned(C.high - C.low, 6), aboveLow = Unsigned(C.close - C.low, 6);
        const i64 closeWork = weekSpan == 0 ? 0 : Unsigned(aboveLow * 1000000 / weekSpan, 7);
        const i64 closePct = Unsigned((closeWork + 5000) / 10000, 3);

        std::string line;
        line += C.raw.substr(0, 7);
        line += C.raw.substr(15, 6) + C.raw.substr(22, 6) + C.raw.substr(29, 6);
        line += C.raw[7];
        line += std::string(flags, 5);
        line += Num(windowRange, 6) + Num(ratioPct, 3) + Num(hh, 6) + Num(ll, 6) + Num(C.range, 6);
        line += Num(netSum, 6) + Num(closePct, 3) + Num(bodyPct, 3) + Num(roundedR3, 3);
        line += Num(firstSum, 5) + Num(w[0], 4) + Num(w[1], 4) + Num(w[2], 4);
        for (int k = 0; k < 3; ++k) line += Num(q[k], 4).substr(1);
        line += Num(secondSum, 5) + Num(w[3], 4) + Num(w[4], 4) + Num(w[5], 4);
        line += Num(diffSum, 4) + Num(diffPair, 4) + Num(d[0], 4) + Num(d[1], 4) + Num(d[2], 4);
        line += C.raw.substr(38, 4);
        line += C.raw[42];
        line += Num(highStreak, 2) + Num(lowStreak, 2);
        line += Num(overlap / 10, 3);
        line += "*";
        line += market == "TY" ? "QEL-7300" : "QEL-5100";
        line.resize(190, ' ');
        out.push_back(line);
    }
    return out;
}

}  // namespace mvrref
