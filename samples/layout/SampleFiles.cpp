#include "SampleFiles.hpp"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace layout {

const char* const kMonthSuffixes[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const kComponentFiles[8] = {"WPA.DLL", "WPB.DLL", "WPC.DLL", "WPD.DLL",
                                        "WPE.DLL", "WPF.DLL", "WPG.DLL", "WPK.DLL"};
const char* const kSignalPictures[8] = {"BUY.BMP",      "SELL.BMP",     "PULLBACK.BMP",
                                        "RALLY.BMP",    "STAYLONG.BMP", "STAYXORT.BMP",
                                        "GETOUT.BMP",   "STAYOUT.BMP"};
const char* const kRunPictures[3] = {"MVR.BMP", "KQ4.BMP", "PXD.BMP"};

namespace {

bool Digits(const std::string& s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A signed six-digit field: "p".."y" in the last place mark a negative value.
bool SignedField(std::string s, long& value)
{
    if (s.size() != 6) return false;
    bool negative = false;
    if (s.back() >= 'p' && s.back() <= 'y') {
        negative = true;
        s.back() = char(s.back() - 'p' + '0');
    }
    if (!Digits(s)) return false;
    value = std::atol(s.c_str());
    if (negative) value = -value;
    return true;
}

}  // namespace

int FourDigitYear(const std::string& date)
{
    const int yy = std::atoi(date.substr(5, 2).c_str());
    return yy < 60 ? 2000 + yy : 1900 + yy;
}

std::vector<PriceBar> ReadPriceBars(const Lines& priceLines)
{
    std::vector<PriceBar> bars;
    for (const std::string& line : priceLines) {
        if (line.compare(0, 7, "THE-END") == 0) break;
        if (line.size() < 42) continue;
        PriceBar b;
        b.date = line.substr(0, 7);
        const std::string high = line.substr(15, 6), low = line.substr(22, 6),
                          close = line.substr(29, 6);
        if (!Digits(b.date.substr(0, 2)) || !Digits(b.date.substr(5, 2)) || !Digits(high) ||
            !Digits(low) || !Digits(close) || !SignedField(line.substr(36, 6), b.roll))
            continue;
        b.high = std::atol(high.c_str());
        b.low = std::atol(low.c_str());
        b.close = std::atol(close.c_str());
        bars.push_back(b);
    }
    return bars;
}

Lines SystemIni()
{
    return {"US"};
}

std::string DefaultParameterLine()
{
    // Flag, filter, stop loss, drawdown, margin, capital, contracts, then the
    // V, X and L groups (master letter and 18 item columns) and the trailing stop.
    return std::string("Y") + "100" + "2000" + "0250" + "15000" + "30000" + "1000" + "V" +
           "12.4..78....456789" + "X" + "1......8.1....6.89" + "L" + "1.34...8.12...6.89" + "Y";
}

Lines PriceEntryFile(const Lines& priceLines, int weeks)
{
    Lines priceRows;
    for (const std::string& line : priceLines) {
        if (line.compare(0, 7, "THE-END") == 0) break;
        if (!line.empty()) priceRows.push_back(line.substr(0, std::min<std::size_t>(43, line.size())));
    }
    const std::size_t from = priceRows.size() > std::size_t(weeks) ? priceRows.size() - weeks : 0;
    Lines out(priceRows.begin() + long(from), priceRows.end());
    out.push_back("THE-END");
    return out;
}

namespace {

struct Rgb {
    int r, g, b;
    long Value() const { return r + 256L * g + 65536L * b; }
};

// Background, Outer Box, Vertical Bars, Text, Short Price Bars, Long Price
// Bars, Sell, Buy, Rally, Pullback, Out of the Market, Short Sideways,
// Long Sideways, Close Price Mark.
const Rgb kSchemes[5][14] = {
    {{0, 0, 0}, {192, 192, 192}, {96, 96, 96}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0},
     {255, 128, 0}, {0, 255, 255}, {255, 255, 0}, {255, 0, 255}, {128, 128, 128},
     {155, 114, 57}, {117, 190, 92}, {255, 255, 255}},
    {{255, 255, 255}, {0, 0, 0}, {213, 199, 187}, {0, 0, 0}, {192, 0, 0}, {0, 128, 0},
     {128, 0, 0}, {0, 0, 255}, {255, 128, 0}, {128, 0, 128}, {128, 128, 128},
     {155, 114, 57}, {117, 190, 92}, {0, 0, 0}},
    {{253, 254, 231}, {0, 0, 128}, {236, 232, 223}, {0, 0, 128}, {255, 0, 0}, {0, 128, 0},
     {255, 128, 0}, {0, 0, 255}, {0, 160, 160}, {160, 0, 160}, {128, 128, 128},
     {155, 114, 57}, {117, 190, 92}, {0, 0, 0}},
    {{0, 0, 64}, {255, 255, 0}, {64, 64, 128}, {255, 255, 255}, {255, 64, 64}, {64, 255, 64},
     {255, 160, 0}, {0, 200, 255}, {255, 255, 128}, {255, 128, 255}, {160, 160, 160},
     {200, 150, 80}, {150, 220, 120}, {255, 255, 255}},
    {{192, 192, 192}, {0, 0, 0}, {128, 128, 128}, {0, 0, 0}, {128, 0, 0}, {0, 96, 0},
     {255, 0, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 255, 255},
     {155, 114, 57}, {117, 190, 92}, {0, 0, 0}},
};

}  // namespace

Lines SchemeFile(int n)
{
    Lines lines;
    for (const Rgb& c : kSchemes[std::clamp(n, 1, 5) - 1]) lines.push_back(std::to_string(c.Value()));
    lines.push_back("999999999");
    return lines;
}

Lines CalendarFile(int month)
{
    // Notes of the kind a user keeps: recurring reports, auctions, rolls.
    static const std::map<int, Lines> extra = {
        {0, {"Review last year's trades and back up the calendar.",
             "Markets closed on New Year's Day."}},
        {1, {"Mid-month: quarterly refunding auctions."}},
        {2, {"Roll to the June contract before first notice day.",
             "Quarter end: check the margin requirement."}},
        {3, {"Back up the price history before the quarter's first run."}},
        {4, {"Mid-month: quarterly refunding auctions.", "Markets closed on Memorial Day."}},
        {5, {"Roll to the September contract before first notice day."}},
        {6, {"Markets closed on Independence Day."}},
        {7, {"Mid-month: quarterly refunding auctions."}},
        {8, {"Roll to the December contract before first notice day.",
             "Markets closed on Labor Day."}},
        {9, {"Check the run parameters for the new quarter."}},
        {10, {"Mid-month: quarterly refunding auctions.", "Markets closed on Thanksgiving Day."}},
        {11, {"Roll to the March contract before first notice day.",
              "Year end: back up BONDS.WKY and the calendar."}},
    };
    Lines lines = {"First Friday: employment report - expect a wide week.",
                   "Friday close: enter the week's prices in the editor.",
                   "Run MVR, KQ4 and the system run after the weekly entry."};
    const Lines& more = extra.at(std::clamp(month, 0, 11));
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

Lines ChartList(const std::vector<PriceBar>& bars, int years)
{
    // Full years only: the year of the first and of the last bar may be partial.
    std::map<int, int> weeksIn;
    for (const PriceBar& b : bars) ++weeksIn[FourDigitYear(b.date)];
    std::vector<int> full;
    for (const auto& [year, n] : weeksIn)
        if (n >= 52) full.push_back(year);
    if (full.empty())
        for (const auto& [year, n] : weeksIn) full.push_back(year);
    Lines list;
    const std::size_t from = full.size() > std::size_t(years) ? full.size() - years : 0;
    for (std::size_t i = from; i < full.size(); ++i) list.push_back(std::to_string(full[i]) + "D");
    return list;
}

std::vector<PriceBar> YearBars(const std::vector<PriceBar>& bars, int year)
{
    std::vector<PriceBar> out;
    for (const PriceBar& b : bars)
        if (FourDigitYear(b.date) == year) out.push_back(b);
    // A roll adjustment on a bar lifts every earlier bar by that amount.
    long offset = 0;
    for (auto it = out.rbegin(); it != out.rend(); ++it) {
        const long own = it->roll;
        it->high += offset;
        it->low += offset;
        it->close += offset;
        offset += own;
    }
    return out;
}

Lines LayoutFiles(const Lines& chartList)
{
    Lines files = {"SYSTEM.INI", "BONDS.DAT",  "BONDS.WWW",   "BONDS.WKY",  "BONDS.SYS",
                   "QEL5100.EXE", "Splash.bmp", "About.bmp", "globe.gif", "CHARTS.LST"};
    files.insert(files.end(), std::begin(kComponentFiles), std::end(kComponentFiles));
    files.insert(files.end(), std::begin(kRunPictures), std::end(kRunPictures));
    files.insert(files.end(), std::begin(kSignalPictures), std::end(kSignalPictures));
    for (int n = 1; n <= 5; ++n) files.push_back("SCHEME" + std::to_string(n) + ".PAL");
    for (const char* m : kMonthSuffixes) files.push_back(std::string("CALENDAR.") + m);
    for (const std::string& name : chartList) files.push_back(name + ".GIF");
    return files;
}

}  // namespace layout
