#include "logic/pricenotation.h"

#include "logic/columns.h"
#include "logic/strtoint.h"

namespace PriceNotation {

PriceParts SplitPrice(const QString &shownText)
{
    QString text = shownText;
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return {Columns::Take(text, 1, 3), Columns::Take(text, 5, 2)};
}

int ToTicks(int points, int ticks)
{
    return points * TicksPerPoint + ticks;
}

} // namespace PriceNotation

namespace Rollover {

RollInput ReadRollInput(const QString &thisShown, const QString &lastShown)
{
    const PriceNotation::PriceParts thisParts = PriceNotation::SplitPrice(thisShown);
    const PriceNotation::PriceParts lastParts = PriceNotation::SplitPrice(lastShown);
    RollInput input;
    input.thisPoints = StrToInt(thisParts.points);
    input.thisTicks = StrToInt(thisParts.ticks);
    input.lastPoints = StrToInt(lastParts.points);
    input.lastTicks = StrToInt(lastParts.ticks);
    return input;
}

QString RollNumber(const RollInput &input)
{
    using PriceNotation::ToTicks;
    const int d = ToTicks(input.thisPoints, input.thisTicks) - ToTicks(input.lastPoints, input.lastTicks);
    const QLatin1Char sign(d > 0 ? '+' : '-');
    const int n = d < 0 ? -d : d;
    return sign + QString::number(n).rightJustified(3, QLatin1Char('0'));
}

bool TicksValid(const RollInput &input)
{
    return input.thisTicks < PriceNotation::TicksPerPoint && input.lastTicks < PriceNotation::TicksPerPoint;
}

QString MonthLetter(int monthIndex)
{
    static const char *const letters[] = {"M", "J", "S", "D"};
    if (monthIndex < 0 || monthIndex > 3)
        return {};
    return QLatin1String(letters[monthIndex]);
}

} // namespace Rollover
