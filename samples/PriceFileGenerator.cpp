#include "PriceFileGenerator.hpp"

#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace samples {

unsigned __int128 CheckValueOf(long open, long high, long low, long close)
{
    using u128 = unsigned __int128;
    u128 v = (u128)open * 9652 * 5719 + (u128)high * 8753 * 8367 +
             (u128)low * 7645 * 4928 + (u128)close * 4981 * 7531;
    v *= 9357428;
    const u128 mod = (u128)1000000000000000000ULL;  // 10^18
    return v % mod;
}

std::array<unsigned char, 10> PackCheckValue(unsigned __int128 value)
{
    // 19 digits, most significant first, then the sign nibble.
    int digits[20];
    for (int i = 18; i >= 0; --i) {
        digits[i] = (int)(value % 10);
        value /= 10;
    }
    digits[19] = 0xC;
    std::array<unsigned char, 10> bytes{};
    for (int b = 0; b < 10; ++b)
        bytes[b] = (unsigned char)((digits[2 * b] << 4) | digits[2 * b + 1]);
    return bytes;
}

std::string SignedDigits6(long value)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%06ld", value < 0 ? -value : value);
    std::string s(buf, 6);
    if (value < 0) s[5] = (char)(s[5] | 0x40);
    return s;
}

static std::string Digits6(long value)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%06ld", value);
    return std::string(buf, 6);
}

std::string FormatPriceLine(const Bar& bar)
{
    std::string line;
    line.reserve(53);
    line += bar.date.substr(0, 7);
    line.resize(7, ' ');
    line += bar.firstFlag;
    line += Digits6(bar.open) + " " + Digits6(bar.high) + " " + Digits6(bar.low) + " " +
            Digits6(bar.close) + " " + SignedDigits6(bar.rollAdjustment);
    line += bar.secondFlag;
    const auto packed = PackCheckValue(CheckValueOf(bar.open, bar.high, bar.low, bar.close));
    line.append(packed.begin(), packed.end());
    return line;
}

namespace {

const char* const kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysIn(int y, int m)
{
    static const int d[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 1 && IsLeap(y) ? 29 : d[m];
}

struct Date {
    int y, m, d;  // m 0..11
    void AddDays(int n)
    {
        d += n;
        while (d > DaysIn(y, m)) {
            d -= DaysIn(y, m);
            if (++m == 12) { m = 0; ++y; }
        }
    }
    std::string Text() const
    {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02d%s%02d", d, kMonths[m], y % 100);
        return buf;
    }
};

// Deterministic draws on any platform: the standard distributions are
// implementation-defined, so only the engine's raw output is used.
struct Draw {
    std::mt19937_64 engine;
    explicit Draw(std::uint64_t seed) : engine(seed) {}
    long Between(long lo, long hi) { return lo + (long)(engine() % (std::uint64_t)(hi - lo + 1)); }
    // A rough bell shape: the sum of four uniform draws.
    long Around(long spread)
    {
        long s = 0;
        for (int i = 0; i < 4; ++i) s += Between(-spread, spread);
        return s / 2;
    }
};

}  // namespace

std::vector<Bar> GenerateBars(const PriceFileOptions& o)
{
    if (o.market != "US" && o.market != "TY") throw std::invalid_argument("market must be US or TY");
    if (o.weeks < 1 || o.weeks > 6000) throw std::invalid_argument("weeks must be 1..6000");
    const bool bonds = o.market == "US";
    const long signature = bonds ? 2343 : 5218;
    const long tick = bonds ? 1 : 2;  // a 64th is half a 32nd
    Draw draw(o.seed);

    // A mean-reverting walk around the signature level, in ticks.
    std::vector<Bar> bars(o.weeks);
    Date date{1986, 0, 3};
    long level = signature + draw.Around(40 * tick);
    for (int w = 0; w < o.weeks; ++w) {
        Bar& b = bars[w];
        b.date = date.Text();
        date.AddDays(7);
        if (o.rollEvery > 0 && w >= 10 && (w + 1) % o.rollEvery == 0) {
            long adj = 0;
            while (adj == 0) adj = draw.Between(-40 * tick, 40 * tick);
            b.rollAdjustment = adj;
            b.secondFlag = 'R';
            level += adj;
        }
        level += draw.Around(30 * tick) - (level - signature) / 25;
        b.open = level + draw.Around(10 * tick);
        b.close = level + draw.Around(20 * tick);
        b.high = std::max(b.open, b.close) + draw.Between(0, 25 * tick);
        b.low = std::min(b.open, b.close) - draw.Between(0, 25 * tick);
        if (draw.Between(0, 40) == 0) b.high = b.low = b.open = b.close;  // a still week
        level = b.close;
    }
    // Row 100 carries the market's signature in its open.
    if (o.weeks >= 100) {
        Bar& b = bars[99];
        const long shift = signature - b.open;
        b.open += shift;
        b.high = std::max(b.high + shift, b.open);
        b.low = std::min(b.low + shift, b.open);
        b.close += shift;
    }
    for (Bar& b : bars) {
        b.low = std::max(b.low, 1L);
        b.high = std::max(b.high, b.low);
        b.open = std::clamp(b.open, b.low, b.high);
        b.close = std::clamp(b.close, b.low, b.high);
    }
    return bars;
}

std::string PriceFileBytes(const std::vector<Bar>& bars, bool endMarker)
{
    std::string out;
    out.reserve(bars.size() * 56 + 16);
    for (const Bar& b : bars) out += FormatPriceLine(b) + "\r\n";
    if (endMarker) out += "THE-END\r\n";
    return out;
}

}  // namespace samples
