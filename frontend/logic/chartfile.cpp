#include "logic/chartfile.h"

#include "logic/columns.h"
#include "logic/palette.h"
#include "logic/qelerror.h"
#include "logic/strtoint.h"

#include <algorithm>
#include <cmath>

namespace ChartFile {

QString Text(const QString &line, Field field)
{
    return Columns::Take(line, field.first, field.width);
}

int Number(const QString &line, Field field)
{
    return StrToInt(Text(line, field));
}

bool Flagged(const QString &line, Field flag)
{
    return Text(line, flag) == QLatin1String("+");
}

} // namespace ChartFile

int Nearest(double v)
{
    // Held within a billion either way: damaged prices (a high far below
    // its low) can put a bar millions of pixels off the chart, and the
    // coordinates are added to afterwards.
    constexpr double Limit = 1 << 30;
    return static_cast<int>(std::nearbyint(std::clamp(v, -Limit, Limit)));
}

int PriceTicks(int millionths, int ticksPerPoint)
{
    return Nearest(millionths / 1000000.0 * ticksPerPoint);
}

int RollChange(const QString &line)
{
    const QString sign = ChartFile::Text(line, ChartFile::RollSign);
    const int amount = ChartFile::Number(line, ChartFile::RollAmount);
    if (sign == QLatin1String("-"))
        return amount;
    if (sign == QLatin1String("+"))
        return -amount;
    return 0;
}

int BarColorEntry(QChar code)
{
    switch (code.unicode()) {
    case 'X': return ShortPriceBars;
    case 'L': return LongPriceBars;
    case 'S': return SellSignal;
    case 'B': return BuySignal;
    case 'R': return MarketRally;
    case 'P': return MarketPullback;
    case 'V': return ShortSidewaysMarket;
    case 'Y': return LongSidewaysMarket;
    case 'O': return OutOfTheMarket;
    default: return ClosePriceMark;
    }
}

QStringList BuildYearList(const QStringList &chartLines)
{
    QStringList items;
    QString year;
    for (int i = 0; i <= ChartFile::LastBarIndex(chartLines); ++i) {
        const QString lineYear = ChartFile::Text(chartLines.at(i), ChartFile::Year);
        if (lineYear != year) {
            items << lineYear + QStringLiteral("  ") + ChartFile::Text(chartLines.at(i), ChartFile::BarNumber);
            year = lineYear;
        }
    }
    std::reverse(items.begin(), items.end());
    return items;
}

std::optional<int> ChosenBar(const QString &chooserText)
{
    return TryStrToInt(Columns::Take(chooserText, 7, 4));
}

BarRange PlotRange(int chosenBar, int layoutBars, int lineCount)
{
    return KeepRangeInFile({chosenBar, chosenBar + layoutBars}, layoutBars, lineCount);
}

BarRange KeepRangeInFile(BarRange range, int layoutBars, int lineCount)
{
    if (range.last > lineCount - 2)
        range = {lineCount - layoutBars - 1, lineCount - 2};
    return range;
}

BarRange ClampToBars(BarRange range, int lineCount)
{
    range.first = std::max(range.first, 0);
    range.last = std::min(range.last, lineCount - 2);
    if (range.last < range.first)
        throw QelError(QStringLiteral("The chart file \"TCHART.TCH\" holds no bars to plot."));
    return range;
}

QString NoteTicksText(int ticks)
{
    return QStringLiteral("%1").arg(ticks / 2, 2, 10, QLatin1Char('0')) + (ticks % 2 ? QLatin1Char('5') : QLatin1Char('0'));
}
