// The stand-in for the outside trading-system program PXD.
//
// It is NOT a trading system. It follows one small demonstration rule so that
// the front end has a real signal, chart file and reports to show:
//
//   K = the smoothed close position of FK.MVR (w3), D = K smoothed again (w6).
//   K above D means long, K below D short, K equal to D keeps the trend.
//   A week whose mean efficiency in FK.KQ4 (F2) lies from 1 to 45 is a
//   sideways week: the rule stays out of the market.
//   A position whose loss reaches the stop loss of BONDS.SYS is closed and
//   the rule stays out until the trend turns.
//
// Everything here works on file texts, so the tests need no directory.
#pragma once

#include "StandInFiles.hpp"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pxd {

using Lines = std::vector<std::string>;

// ---- text files -----------------------------------------------------------

// The stand-ins' reader and writer (CR LF or LF in, CR LF out, whole files).
using standin::ReadTextLines;
using standin::WriteTextFile;

// Columns first..first+width-1 (1-based); a short line gives blanks.
std::string Column(const std::string& line, int first, int width);

// ---- what is read ---------------------------------------------------------

// A digit field: "0".."9", a blank counts as 0. The last character may carry
// the sign of a signed field ("p".."y" for a negative last digit). Returns
// nothing when a character is none of these.
std::optional<long> ReadDigitField(const std::string& field, bool isSigned);

struct IndicatorWeek {        // one line of FK.MVR
    std::string date;         // DDMMMYY as the price file holds it
    long high = 0, low = 0, close = 0;  // ticks
    long k = 0, d = 0;        // w3 and w6, hundredths of a percent
    long roll = 0;            // roll adjustment, signed ticks
    int ticksPerPoint = 32;   // from the product label
};
std::optional<IndicatorWeek> ParseIndicatorLine(const std::string& line);

struct ChaosWeek {            // one line of FK.KQ4
    std::string date;
    long efficiency = 0;      // F1
    long meanEfficiency = 0;  // F2
};
std::optional<ChaosWeek> ParseChaosLine(const std::string& line);

// The week count that REPORT69.MVR carries in columns 56-60.
std::optional<long> ParseRunCount(const std::string& line);

struct RunParameters {        // what the rule takes from BONDS.SYS
    bool fromFile = false;
    long stopLoss = 2000;     // dollars per contract
    long margin = 15000;
    long capital = 30000;
    long maxContracts = 1000;
    bool trailingStop = true;
    int Contracts() const;
};
RunParameters ParseRunParameters(const std::string& line);

// ---- the rule -------------------------------------------------------------

enum class Position { Out, Long, Short };

struct WeekResult {
    IndicatorWeek week;
    ChaosWeek chaos;
    bool sideways = false;
    Position position = Position::Out;
    std::string signalCode;   // "GL", "GS", "PK", "RY", "SL", "SS", "GO", "SO"
    char barCode = 'O';       // the chart's colour code
    double equity = 0;        // all trades, dollars, open trade at the close
    double longEquity = 0;    // long trades only
};

struct Trade {
    Position side = Position::Long;
    std::string entryDate, exitDate;   // exitDate empty while open
    long entryTicks = 0, exitTicks = 0;  // prices as traded
    long basisTicks = 0;                 // the entry in the current contract's terms
    long bestTicks = 0;                  // the best close since the entry, same terms
    std::string reason;                // "signal", "sideways", "stop"
    double profit = 0;                 // dollars for all contracts
};

struct RunInputs {            // the file texts; nothing = file missing
    std::optional<Lines> indicators, chaos, runCount, parameters;
};

struct RunResult {
    bool ok = false;
    std::string failure;      // the reason line when not ok
    Lines notes;              // remarks shown in the messages
    RunParameters parameters;
    int ticksPerPoint = 32;
    std::vector<WeekResult> weeks;
    std::vector<Trade> trades;
};

RunResult RunRule(const RunInputs& inputs);

// ---- what is written ------------------------------------------------------

// "SIGNAL.PXD": the code in columns 1-2, the last week's date in 17-23.
Lines SignalFile(const RunResult& r);
// "TCHART.TCH": one line a week, then one line that is not a bar.
Lines ChartFile(const RunResult& r);
std::string ChartLine(const WeekResult& w, int index, int ticksPerPoint);
Lines MessageFile(const RunResult& r);
// The ten reports by file name, "SUM.REP" to "YRP.REP".
std::map<std::string, Lines> Reports(const RunResult& r);

// "114-22": points and ticks.
std::string PriceText(long ticks, int ticksPerPoint);
// "05JAN98" -> 1998; two-digit years below 60 are 20yy.
int FourDigitYear(const std::string& date);

// The whole run in the current directory; returns the exit status.
int RunInCurrentDirectory();

}  // namespace pxd
