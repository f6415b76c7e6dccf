#pragma once
// The signal chart file "TCHART.TCH" as the plotter reads it: one bar line a
// week, oldest first, and one last line that is never a bar. Every scan stops
// at index line count - 2.
#include <QStringList>
#include <optional>

namespace ChartFile {

// Fixed columns of a bar line (1-based first column, width).
struct Field {
    int first;
    int width;
};
inline constexpr Field Day{1, 2};
inline constexpr Field Month{3, 3};
inline constexpr Field Year{6, 4};
inline constexpr Field BarNumber{10, 4};
inline constexpr Field High{14, 9};
inline constexpr Field Low{23, 9};
inline constexpr Field Close{32, 9};
inline constexpr Field RollSign{41, 1};
inline constexpr Field RollAmount{42, 3};
inline constexpr Field ColorCode{45, 1};
inline constexpr Field Stochastic1{46, 4};
inline constexpr Field Stochastic2{50, 4};
inline constexpr Field PrimaryFlag{54, 1};
inline constexpr Field PrimaryEquity{55, 7};
inline constexpr Field SecondaryFlag{62, 1};
inline constexpr Field SecondaryEquity{63, 7};

QString Text(const QString &line, Field field);
// The field as a whole number; throws QelError when it is not one.
int Number(const QString &line, Field field);
bool Flagged(const QString &line, Field flag);

// Index of the last bar line (line count - 2); -1 when there is none.
inline int LastBarIndex(const QStringList &lines) { return static_cast<int>(lines.size()) - 2; }

} // namespace ChartFile

// The integer nearest to v, a half going to the even neighbour; beyond
// 2^30 either way the bound.
int Nearest(double v);

// A price field in millionths of a point as ticks of ticksPerPoint.
int PriceTicks(int millionths, int ticksPerPoint);

// What a bar's roll does to the running offset: a "-" roll raises this and
// every later bar by its amount, a "+" roll lowers them; any other sign is
// no roll. The amount is read in every case.
int RollChange(const QString &line);

// The palette entry (0-based) of a bar's colour code; a code outside the
// nine letters takes the Close Price Mark colour.
int BarColorEntry(QChar code);

// The plotter's year list from the chart file's lines: one item per change
// of year (columns 6-9) over the bar lines, "yyyy  " + columns 10-13, newest
// first. The last line is never a bar, so fewer than two lines give no items.
QStringList BuildYearList(const QStringList &chartLines);

// The bar number in characters 7-10 of a year-list item; none when they are
// not a whole number (no year chosen).
std::optional<int> ChosenBar(const QString &chooserText);

struct BarRange {
    int first;
    int last;
};
// The plot range from the chosen bar: layoutBars + 1 bars, moved to end at
// the last bar line when it would run past it.
BarRange PlotRange(int chosenBar, int layoutBars, int lineCount);
// A range that runs past the last bar line moved to end at it, layoutBars
// bars long, as a plot moves it; a range within the bar lines as it is.
BarRange KeepRangeInFile(BarRange range, int layoutBars, int lineCount);
// The range as a drawing pass uses it: cut to 0 .. line count - 2. Throws
// QelError when no bar line is left.
BarRange ClampToBars(BarRange range, int lineCount);

// The ticks of a T-Note close written as 32nds and halves: 15 -> "075".
QString NoteTicksText(int ticks);
