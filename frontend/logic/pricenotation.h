#pragma once
// The price notation of the T-Bond future, points and ticks ("114-22" is 114
// and 22/32), and the roll adjustment worked out from two closes.
#include <QString>

namespace PriceNotation {

constexpr int TicksPerPoint = 32;

// A price box's text as the user sees it: three point positions, "-", two
// tick positions; an empty position ("_") reads as a blank.
struct PriceParts {
    QString points;   // characters 1-3
    QString ticks;    // characters 5-6
};
PriceParts SplitPrice(const QString &shownText);

// A price in ticks.
int ToTicks(int points, int ticks);

} // namespace PriceNotation

namespace Rollover {

// The two closes of a roll, converted in the order This points, This ticks,
// Last points, Last ticks; the first part that is not a whole number throws
// QelError "'part' is not a valid integer value".
struct RollInput {
    int thisPoints = 0, thisTicks = 0, lastPoints = 0, lastTicks = 0;
};
RollInput ReadRollInput(const QString &thisShown, const QString &lastShown);

// This close less the last in ticks, as the price file writes it: "+" when
// this close is above the last, "-" otherwise (so no change is "-000"), then
// the number of ticks in at least three digits.
QString RollNumber(const RollInput &input);

// Ticks of 32 or more in either box make the input wrong.
bool TicksValid(const RollInput &input);

// March, June, September, December: "M", "J", "S", "D"; empty otherwise.
QString MonthLetter(int monthIndex);

} // namespace Rollover
