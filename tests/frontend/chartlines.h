#pragma once
// Chart file lines for the plotter's tests, written column by column.
#include "logic/palette.h"

#include <QString>
#include <QStringList>

// A palette whose 14 colours differ from each other and from the fixed ones.
inline Palette TestPalette()
{
    Palette palette{};
    for (int i = 0; i < PaletteSize; ++i)
        palette[i] = RgbColor(20 + 10 * i, 30 + i, 40 + 3 * i);
    return palette;
}

struct TestBar {
    QString date = QStringLiteral("14JAN2000");   // columns 1-9
    int high = 3500;                               // ticks of 32
    int low = 3400;
    int close = 3450;
    QChar rollSign = QLatin1Char(' ');
    int roll = 0;
    QChar code = QLatin1Char('L');
    int stochastic1 = 5000;
    int stochastic2 = 5000;
    bool primaryFlag = false;
    int primaryEquity = 0;
    bool secondaryFlag = false;
    int secondaryEquity = 0;
};

// A price of whole 32nds as millionths of a point.
inline QString Millionths(int ticks32)
{
    return QStringLiteral("%1").arg(static_cast<qint64>(ticks32) * 31250, 9);
}

inline QString ChartLine(const TestBar &bar, int index)
{
    return bar.date + QStringLiteral("%1").arg(index, 4) + Millionths(bar.high) + Millionths(bar.low)
        + Millionths(bar.close) + bar.rollSign + QStringLiteral("%1").arg(bar.roll, 3, 10, QLatin1Char('0'))
        + bar.code + QStringLiteral("%1").arg(bar.stochastic1, 4) + QStringLiteral("%1").arg(bar.stochastic2, 4)
        + (bar.primaryFlag ? QLatin1Char('+') : QLatin1Char(' ')) + QStringLiteral("%1").arg(bar.primaryEquity, 7)
        + (bar.secondaryFlag ? QLatin1Char('+') : QLatin1Char(' '))
        + QStringLiteral("%1").arg(bar.secondaryEquity, 7);
}

// The file: one line per bar, numbered from 0, and the closing non-bar line.
inline QStringList ChartLines(const QList<TestBar> &bars)
{
    QStringList lines;
    for (int i = 0; i < bars.size(); ++i)
        lines << ChartLine(bars.at(i), i);
    lines << QStringLiteral("END OF CHART");
    return lines;
}

// A date in week n of a run of weeks from 7 January 2000, months of four
// weeks ("JAN" .. "DEC"), 48 weeks a year.
inline QString WeekDate(int week)
{
    static const char *months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const int year = 2000 + week / 48;
    const int month = (week % 48) / 4;
    const int day = 7 + 7 * (week % 4);
    return QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')) + QLatin1String(months[month])
        + QString::number(year);
}
