#include "logic/equitychart.h"

#include "logic/chartfile.h"
#include "logic/pricechart.h"
#include "logic/qelerror.h"

using namespace ChartFile;

namespace {

constexpr int Left = 15;
constexpr int Top = 15;
constexpr int Right = 615;
constexpr int Base = 415;

constexpr TColor Black = clBlack;
constexpr TColor White = clWhite;
constexpr TColor Shadow = RgbColor(226, 226, 226);
constexpr TColor FineGrid = RgbColor(207, 251, 206);
constexpr TColor CoarseGrid = RgbColor(217, 223, 202);
constexpr TColor PrimaryBars = RgbColor(255, 0, 0);
constexpr TColor SecondaryBars = RgbColor(0, 0, 255);

void DrawGrid(ChartCanvas &canvas, int first, TColor color)
{
    const int step = first == 20 ? 5 : 50;
    for (int x = first; x < Right; x += step)
        canvas.Line(x, Top + 1, x, Base, color);
    for (int y = first; y < Base - 5; y += step)
        canvas.Line(Left + 1, y, Right, y, color);
}

void LabelEquityYears(const QStringList &lines, ChartCanvas &canvas)
{
    const int lastBar = LastBarIndex(lines);
    int years = 0;
    QString previous;
    for (int i = 0; i <= lastBar; ++i) {
        const QString year = Text(lines.at(i), Year);
        if (i == 0 || year != previous)
            ++years;
        previous = year;
    }
    // Spaced evenly by the number of years, not placed at the bars.
    const int step = Nearest(600.0 / years);
    const int half = Nearest(step / 2.0);
    int pos = 7;
    for (int i = 0; i <= lastBar; ++i) {
        const QString year = Text(lines.at(i), Year);
        if (i == 0 || year != previous) {
            pos += step;
            canvas.Text(pos - half, 417, year.right(2), Black, std::nullopt);
        }
        previous = year;
    }
}

} // namespace

int EquityUnit(int lastEquity, bool bondEdition, bool noteEdition)
{
    int unit = Nearest(lastEquity / 8.0);
    unit = Nearest(unit / 10000.0) * 10000 + 20000;
    if (bondEdition && unit < 50000)
        unit = 50000;
    if (noteEdition && unit < 40000)
        unit = 40000;
    return unit;
}

void DrawEquityChart(const EquityChartSetup &setup, ChartCanvas &canvas)
{
    const QStringList &lines = setup.lines;
    DrawChartFrame(canvas, Left, Top, Right, Base, Black);
    for (int x = 617; x <= 632; ++x)
        canvas.Line(x, 31, x, 432, Shadow);
    for (int y = 417; y <= 432; ++y)
        canvas.Line(31, y, 632, y, Shadow);
    DrawGrid(canvas, 20, FineGrid);
    DrawGrid(canvas, 65, CoarseGrid);

    for (int y = 30; y <= 45; ++y)
        canvas.Line(30, y, 70, y, PrimaryBars);
    for (int y = 50; y <= 65; ++y)
        canvas.Line(30, y, 70, y, SecondaryBars);
    canvas.Text(75, 32, QStringLiteral("Primary Trades"), Black, White);
    canvas.Text(75, 52, QStringLiteral("Secondary Trades"), Black, White);
    canvas.SetCaption(QStringLiteral(" Equity Chart."));

    canvas.Rectangle(250, 40, 381, 60, Black, White);
    if (setup.bondEdition)
        canvas.Text(264, 43, QStringLiteral("30 Year, US T-Bonds"), Black, White);
    if (setup.noteEdition)
        canvas.Text(264, 43, QStringLiteral("10 Year, US T-Notes"), Black, White);

    const int lastBar = LastBarIndex(lines);
    if (lastBar < 0)
        throw QelError(QStringLiteral("The chart file \"TCHART.TCH\" holds no bars to plot."));
    const int unit = EquityUnit(Number(lines.at(lastBar), PrimaryEquity), setup.bondEdition, setup.noteEdition);
    if (unit == 0)
        throw QelError(QStringLiteral("The equity of the last bar gives an equity unit of 0: the chart cannot be scaled."));
    const double yScale = 400.0 / (8.0 * unit);
    const double xScale = 600.0 / (lines.size() - 1);

    for (int i = 0; i <= lastBar; ++i) {
        const QString &line = lines.at(i);
        const int y = Base - Nearest(Number(line, PrimaryEquity) * yScale);
        const int x = Nearest(i * xScale) + Left;
        if (Flagged(line, PrimaryFlag)) {
            canvas.Line(x, y, x, Base, PrimaryBars);
            if (setup.animate)
                canvas.BarDrawn();
        }
    }
    // Thinned to one bar every 2 pixels or more, the first at x 18 or more.
    int lastDrawn = 16;
    for (int i = 0; i <= lastBar; ++i) {
        const QString &line = lines.at(i);
        const int y = Base - Nearest(Number(line, SecondaryEquity) * yScale);
        const int x = Nearest(i * xScale) + Left;
        if (Flagged(line, SecondaryFlag) && x >= lastDrawn + 2) {
            canvas.Line(x, y, x, Base, SecondaryBars);
            lastDrawn = x;
            if (setup.animate)
                canvas.BarDrawn();
        }
    }

    for (int k = 0; k <= 8; ++k)
        canvas.Text(619, 408 - 50 * k, QString::number(k * unit), Black, std::nullopt);
    LabelEquityYears(lines, canvas);
}
