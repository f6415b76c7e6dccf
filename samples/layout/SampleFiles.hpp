// The text files of a sample working directory, as contents without any
// file system or display, so the tests can check them directly.
#pragma once

#include <string>
#include <vector>

namespace layout {

using Lines = std::vector<std::string>;

// One weekly bar of a price file, in ticks.
struct PriceBar {
    std::string date;   // DDMMMYY
    long high = 0, low = 0, close = 0, roll = 0;
};

// The bars of a price file, up to a "THE-END" line; unreadable lines are left out.
std::vector<PriceBar> ReadPriceBars(const Lines& priceLines);
int FourDigitYear(const std::string& date);

Lines SystemIni();                          // market "US"
std::string DefaultParameterLine();         // the 84-character run-parameter line
// The weekly price entry file: the text columns (1-43) of the last weeks of
// the price file, ended by "THE-END".
Lines PriceEntryFile(const Lines& priceLines, int weeks = 8);
// A colour scheme, n = 1..5: 14 colours (red in the low byte) and "999999999".
Lines SchemeFile(int n);
extern const char* const kMonthSuffixes[12];  // "JAN".."DEC"
Lines CalendarFile(int month);              // month 0..11
// The chart viewer's list: one "<year>D" entry for each of the last full years.
Lines ChartList(const std::vector<PriceBar>& bars, int years = 3);
// The bars of one calendar year, back-adjusted over that year's rolls so
// the picture shows one continuous series.
std::vector<PriceBar> YearBars(const std::vector<PriceBar>& bars, int year);

extern const char* const kComponentFiles[8];  // "WPA.DLL".."WPK.DLL"
extern const char* const kSignalPictures[8];  // "BUY.BMP".."STAYOUT.BMP"
extern const char* const kRunPictures[3];     // "MVR.BMP", "KQ4.BMP", "PXD.BMP"

// Every file the layout writes before the runs, chart pictures included.
Lines LayoutFiles(const Lines& chartList);

}  // namespace layout
