// The plotter's rules without a window: chart lines, ranges, scaling, the
// drawing passes of the price and equity charts on a plain pixel buffer, and
// the scheme file.
#include "chartlines.h"
#include "logic/chartcanvas.h"
#include "logic/equitychart.h"
#include "logic/palette.h"
#include "logic/pricechart.h"
#include "logic/qelerror.h"

#include <QtTest>
#include <vector>

namespace {

struct Surface {
    explicit Surface(int width = 810, int height = 560)
        : bits(static_cast<size_t>(width) * height, 0), canvas(bits.data(), width, height, width)
    {
        canvas.Fill(clGray);
    }
    std::vector<uint32_t> bits;
    ChartCanvas canvas;
};

uint32_t Ink(int entry)
{
    return CanvasPixel(TestPalette()[entry]);
}

// The places from..to along a column (rows) or a row (columns) that hold the colour.
QList<int> Hits(const ChartCanvas &canvas, bool alongColumn, int at, int from, int to, uint32_t pixel)
{
    QList<int> hits;
    for (int v = from; v <= to; ++v) {
        if ((alongColumn ? canvas.At(at, v) : canvas.At(v, at)) == pixel)
            hits << v;
    }
    return hits;
}
QList<int> RowsOf(const ChartCanvas &canvas, int x, int y0, int y1, uint32_t pixel)
{
    return Hits(canvas, true, x, y0, y1, pixel);
}
QList<int> ColumnsOf(const ChartCanvas &canvas, int y, int x0, int x1, uint32_t pixel)
{
    return Hits(canvas, false, y, x0, x1, pixel);
}

QList<int> Run(int from, int to, int step = 1)
{
    QList<int> values;
    for (int v = from; v <= to; v += step)
        values << v;
    return values;
}

// Small layout, scale 1: the range is 400 ticks (3200 .. 3600), the first
// bar spans it, the others lie inside it.
QList<TestBar> SmallBars(int count)
{
    QList<TestBar> bars(count);
    for (int i = 0; i < count; ++i)
        bars[i].date = WeekDate(i);
    bars[0].high = 3600;
    bars[0].low = 3200;
    return bars;
}

PriceChartSetup SmallSetup(const QList<TestBar> &bars)
{
    PriceChartSetup setup;
    setup.lines = ChartLines(bars);
    setup.range = {0, static_cast<int>(bars.size()) - 1};
    setup.ticksPerPoint = 32;
    setup.bondEdition = true;
    setup.palette = TestPalette();
    return setup;
}

QString TextAt(const ChartCanvas &canvas, int x, int y)
{
    for (const CanvasText &text : canvas.Texts()) {
        if (text.x == x && text.y == y)
            return text.text;
    }
    return QString();
}

constexpr uint32_t Black = CanvasPixel(clBlack);
constexpr uint32_t White = CanvasPixel(clWhite);
constexpr uint32_t Red = CanvasPixel(RgbColor(255, 0, 0));
constexpr uint32_t Blue = CanvasPixel(RgbColor(0, 0, 255));

QStringList EquityLines(int barCount, bool secondaryFlag, int lastEquity = 1000000)
{
    QList<TestBar> bars(barCount);
    for (int i = 0; i < barCount; ++i) {
        bars[i].primaryEquity = 560000;
        bars[i].secondaryEquity = 560000;
        bars[i].secondaryFlag = secondaryFlag;
    }
    bars.last().primaryEquity = lastEquity;
    return ChartLines(bars);
}

} // namespace

class TestLogicChart : public QObject {
    Q_OBJECT
private slots:
    void barFields()
    {
        // 114015625 millionths are 3648.5 32nds: the half goes to the even 3648.
        QCOMPARE(PriceTicks(114015625, 32), 3648);
        QCOMPARE(PriceTicks(114015625, 64), 7297);
        QCOMPARE(PriceTicks(114000000, 0), 0);
        QCOMPARE(Nearest(2.5), 2);
        QCOMPARE(Nearest(-1.5), -2);
        QCOMPARE(Nearest(1e12), 1 << 30);
        QCOMPARE(Nearest(-1e12), -(1 << 30));

        TestBar bar;
        QCOMPARE(RollChange(ChartLine(bar, 0)), 0);
        bar.rollSign = '-';
        bar.roll = 10;
        QCOMPARE(RollChange(ChartLine(bar, 0)), 10);
        bar.rollSign = '+';
        QCOMPARE(RollChange(ChartLine(bar, 0)), -10);
        bar.rollSign = '*';
        QCOMPARE(RollChange(ChartLine(bar, 0)), 0);
        // The amount must be a number even where there is no roll.
        QVERIFY_THROWS_EXCEPTION(QelError, RollChange(QStringLiteral("14JAN2000   0")));

        const QString codes = QStringLiteral("XLSBRPVYO");
        const int entries[] = {ShortPriceBars, LongPriceBars, SellSignal, BuySignal, MarketRally,
                               MarketPullback, ShortSidewaysMarket, LongSidewaysMarket, OutOfTheMarket};
        for (int i = 0; i < codes.size(); ++i)
            QCOMPARE(BarColorEntry(codes.at(i)), entries[i]);
        QCOMPARE(BarColorEntry('Q'), int(ClosePriceMark));
        QCOMPARE(BarColorEntry(' '), int(ClosePriceMark));
    }

    void noteTicks_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "000";
        QTest::newRow("10") << 10 << "050";
        QTest::newRow("15") << 15 << "075";
        QTest::newRow("21") << 21 << "105";
        QTest::newRow("63") << 63 << "315";
    }
    void noteTicks()
    {
        QFETCH(int, ticks);
        QFETCH(QString, text);
        QCOMPARE(NoteTicksText(ticks), text);
    }

    void chooserAndRange()
    {
        QCOMPARE(ChosenBar("2001    52"), std::optional<int>(52));
        QCOMPARE(ChosenBar("2001     1"), std::optional<int>(1));
        QCOMPARE(ChosenBar(""), std::nullopt);
        QCOMPARE(ChosenBar("2001  ab12"), std::nullopt);
        QCOMPARE(ChosenBar("2001    5 "), std::nullopt);   // a trailing blank is no number

        // 400 lines: bars 0 .. 398, line 399 is no bar.
        QCOMPARE(PlotRange(10, 156, 400).first, 10);
        QCOMPARE(PlotRange(10, 156, 400).last, 166);   // 157 bars
        // The range reaching exactly the non-bar line is moved to end at the last bar.
        QCOMPARE(PlotRange(243, 156, 400).first, 243);
        QCOMPARE(PlotRange(243, 156, 400).last, 399 - 1 + 0);
        QCOMPARE(PlotRange(244, 156, 400).first, 243);
        QCOMPARE(PlotRange(244, 156, 400).last, 398);   // 156 bars
        // A range kept over a reload: within the bars as it is, past the
        // last bar (even wholly) moved to end at it.
        QCOMPARE(KeepRangeInFile({243, 398}, 156, 400).first, 243);
        QCOMPARE(KeepRangeInFile({243, 398}, 156, 400).last, 398);
        QCOMPARE(KeepRangeInFile({400, 556}, 156, 301).first, 144);
        QCOMPARE(KeepRangeInFile({400, 556}, 156, 301).last, 299);
        QCOMPARE(KeepRangeInFile({200, 356}, 187, 301).first, 113);
        // Fewer bars than the layout: the pass cuts the range to the bars.
        const BarRange moved = PlotRange(0, 156, 50);
        QCOMPARE(moved.first, -107);
        QCOMPARE(ClampToBars(moved, 50).first, 0);
        QCOMPARE(ClampToBars(moved, 50).last, 48);
        QCOMPARE(ClampToBars({10, 20}, 15).last, 13);
        QVERIFY_THROWS_EXCEPTION(QelError, ClampToBars({0, 156}, 1));
        QVERIFY_THROWS_EXCEPTION(QelError, ClampToBars({30, 186}, 20));
    }

    void canvasLines()
    {
        Surface s(20, 20);
        const uint32_t ink = CanvasPixel(clRed);
        s.canvas.Line(2, 3, 6, 3, ink == 0 ? 0 : clRed);
        QCOMPARE(ColumnsOf(s.canvas, 3, 0, 19, ink), Run(2, 5));
        s.canvas.Line(9, 4, 5, 4, clRed);   // right to left: 9 down to 6
        QCOMPARE(ColumnsOf(s.canvas, 4, 0, 19, ink), Run(6, 9));
        s.canvas.Line(1, 5, 1, 5, clRed);   // zero length: nothing
        QCOMPARE(s.canvas.At(1, 5), CanvasPixel(clGray));
        s.canvas.Line(12, 10, 12, 7, clRed);   // upwards: 10 .. 8
        QCOMPARE(RowsOf(s.canvas, 12, 0, 19, ink), Run(8, 10));
        s.canvas.Line(15, -100, 15, 100, clRed);   // clipped
        QCOMPARE(RowsOf(s.canvas, 15, 0, 19, ink).size(), 20);
        s.canvas.Line(0, 19, 4, 15, clRed);   // diagonal, end excluded
        QCOMPARE(s.canvas.At(0, 19), ink);
        QCOMPARE(s.canvas.At(3, 16), ink);
        QCOMPARE(s.canvas.At(4, 15), CanvasPixel(clGray));

        Surface r(20, 20);
        r.canvas.Rectangle(2, 2, 8, 6, clBlack, clWhite);   // x 2 .. 7, y 2 .. 5
        QCOMPARE(r.canvas.At(2, 2), Black);
        QCOMPARE(r.canvas.At(7, 5), Black);
        QCOMPARE(r.canvas.At(4, 4), White);
        QCOMPARE(r.canvas.At(8, 3), CanvasPixel(clGray));
        QCOMPARE(r.canvas.At(3, 6), CanvasPixel(clGray));
    }

    void priceRange()
    {
        QList<TestBar> bars(3);
        bars[0].high = 3600;
        bars[0].low = 3200;
        bars[1].rollSign = '-';
        bars[1].roll = 10;
        bars[1].high = 3595;
        bars[2].low = 3150;
        bars[2].rollSign = '+';
        bars[2].roll = 60;
        const PriceRange range = FindPriceRange(ChartLines(bars), {0, 2}, 32);
        QCOMPARE(range.max, 3605);   // the roll counts for its own bar
        QCOMPARE(range.min, 3100);   // 3150 + 10 - 60

        // Lows of 9999 ticks and more still find the lowest low.
        QList<TestBar> high(2);
        high[0].high = 12000;
        high[0].low = 10000;
        high[1].high = 11000;
        high[1].low = 10400;
        const PriceRange wide = FindPriceRange(ChartLines(high), {0, 1}, 32);
        QCOMPARE(wide.min, 10000);
        QCOMPARE(wide.max, 12000);
    }

    void smallChartBars()
    {
        QList<TestBar> bars = SmallBars(157);
        bars[5].code = 'S';
        bars[5].high = 3300;
        bars[5].low = 3250;
        bars[5].close = 3270;
        bars[6].code = 'Q';   // no such code: the close mark's colour
        bars[7].high = 3400;  // high = low: the close mark only
        bars[7].low = 3400;
        bars[7].close = 3400;
        Surface s;
        PriceChartState state;
        DrawPriceChart(SmallSetup(bars), state, s.canvas);
        QCOMPARE(state.chartRight, 10 + 4 * 157);
        QCOMPARE(state.frameBottom, 415);
        QCOMPARE(state.lastCloseY, 150);

        // Bar 1: high 3500 -> y 10 + 100, low 3400 -> 10 + 200 (excluded), close 3450.
        QCOMPARE(RowsOf(s.canvas, 14, 6, 414, Ink(LongPriceBars)), Run(110, 209));
        QCOMPARE(RowsOf(s.canvas, 15, 6, 414, Ink(ClosePriceMark)), QList<int>{160});
        QCOMPARE(RowsOf(s.canvas, 30, 6, 414, Ink(SellSignal)), Run(310, 359));
        QCOMPARE(s.canvas.At(31, 340), Ink(ClosePriceMark));
        QCOMPARE(RowsOf(s.canvas, 34, 110, 209, Ink(ClosePriceMark)), Run(110, 209));
        QCOMPARE(RowsOf(s.canvas, 38, 6, 414, Ink(LongPriceBars)), QList<int>{});
        QCOMPARE(RowsOf(s.canvas, 39, 6, 414, Ink(ClosePriceMark)), QList<int>{210});

        // The closed frame: top and left at 5, bottom at 415, right at 638 down to 415.
        QCOMPARE(ColumnsOf(s.canvas, 5, 0, 700, Ink(OuterBox)), Run(5, 637) << 638);
        QCOMPARE(ColumnsOf(s.canvas, 415, 0, 637, Ink(OuterBox)), Run(5, 637));
        QCOMPARE(RowsOf(s.canvas, 638, 0, 420, Ink(OuterBox)).first(), 5);
        QVERIFY(RowsOf(s.canvas, 638, 0, 420, Ink(OuterBox)).contains(415));
        QCOMPARE(RowsOf(s.canvas, 5, 0, 420, Ink(OuterBox)), Run(5, 415));
        // The last line is no bar: nothing right of the last bar's mark.
        QCOMPARE(RowsOf(s.canvas, 634, 6, 414, Ink(LongPriceBars)).size(), 100);
        QCOMPARE(RowsOf(s.canvas, 640, 6, 414, Ink(LongPriceBars)), QList<int>{});
    }

    void monthSeparators()
    {
        QList<TestBar> bars = SmallBars(20);
        bars[4].high = 3300;   // the separator of FEB stands above its bar
        bars[4].low = 3250;
        Surface s;
        PriceChartState state;
        DrawPriceChart(SmallSetup(bars), state, s.canvas);
        const int x = 10 + 4 * 4;
        QCOMPARE(s.canvas.At(x, 5), Ink(OuterBox));
        QCOMPARE(s.canvas.At(x, 6), Ink(Background));
        QCOMPARE(s.canvas.At(x, 7), Ink(VerticalBars));
        QCOMPARE(s.canvas.At(x, 8), Ink(VerticalBars));
        QCOMPARE(s.canvas.At(x, 9), Ink(Background));
        QCOMPARE(s.canvas.At(x, 10), Ink(Background));
        QCOMPARE(s.canvas.At(x, 11), Ink(VerticalBars));
        QCOMPARE(s.canvas.At(x, 309), Ink(Background));   // 305, 306 gaps; 307, 308 dashes...
        QCOMPARE(s.canvas.At(x, 310), Ink(LongPriceBars));
        QCOMPARE(RowsOf(s.canvas, x, 415, 420, Ink(OuterBox)), Run(415, 417));
        // Labels: the first bar's two-digit year, later months by their first letter.
        QCOMPARE(TextAt(s.canvas, 10, 418), QString("00"));
        QCOMPARE(TextAt(s.canvas, x + 6, 418), QString("F"));
        QCOMPARE(s.canvas.Texts().at(0).color, TestPalette()[TextColor]);
        QCOMPARE(s.canvas.Texts().at(0).background, std::optional<TColor>(TestPalette()[Background]));
        // No separator inside a month.
        QCOMPARE(RowsOf(s.canvas, 14, 6, 100, Ink(VerticalBars)), QList<int>{});
    }

    void rollLiftsLaterBars()
    {
        QList<TestBar> bars = SmallBars(10);
        bars[5].rollSign = '-';
        bars[5].roll = 10;
        Surface s;
        PriceChartState state;
        DrawPriceChart(SmallSetup(bars), state, s.canvas);
        QCOMPARE(RowsOf(s.canvas, 10 + 4 * 4, 6, 414, Ink(LongPriceBars)), Run(110, 209));
        QCOMPARE(RowsOf(s.canvas, 10 + 4 * 5, 6, 414, Ink(LongPriceBars)), Run(100, 199));
        QCOMPARE(RowsOf(s.canvas, 10 + 4 * 9, 6, 414, Ink(LongPriceBars)), Run(100, 199));
    }

    void fineScaleAndTitle()
    {
        Surface s;
        PriceChartState state;
        DrawPriceChart(SmallSetup(SmallBars(30)), state, s.canvas);
        // Close 3450 = 107-26; 13 points on 400 pixels: 31 pixels a point.
        QCOMPARE(WeekDate(29), QString("14AUG2000"));
        QCOMPARE(s.canvas.Caption(), std::optional<QString>("T-Bonds: Last Bar: 14 AUG 2000, Close: 107-26"));
        const int right = state.chartRight;
        const QList<int> marks{154, 186, 123, 92, 61, 30, 217, 248, 279, 310, 341, 372, 403};
        const QList<int> numbers{108, 107, 109, 110, 111, 112, 106, 105, 104, 103, 102, 101, 100};
        for (int i = 0; i < marks.size(); ++i) {
            QCOMPARE(ColumnsOf(s.canvas, marks[i], right + 1, right + 10, Ink(OuterBox)), Run(right + 1, right + 5));
            QCOMPARE(TextAt(s.canvas, right + 9, marks[i] - 8), QString::number(numbers[i]));
        }
    }

    void coarseScale()
    {
        // 40 points (1280 ticks) on 400 pixels: 10 pixels a point, close 120-00.
        QList<TestBar> bars = SmallBars(3);
        bars[0].high = 4480;
        bars[0].low = 3200;
        bars[2].close = 3840;
        Surface s;
        PriceChartState state;
        DrawPriceChart(SmallSetup(bars), state, s.canvas);
        QCOMPARE(state.lastCloseY, 200);
        const int right = state.chartRight;
        QList<int> markRows = RowsOf(s.canvas, right + 3, 0, 560, Ink(OuterBox));
        QCOMPARE(markRows, Run(20, 400, 10));
        QStringList labels;
        for (const CanvasText &text : s.canvas.Texts()) {
            if (text.x == right + 9)
                labels << QStringLiteral("%1@%2").arg(text.text).arg(text.y + 8);
        }
        QStringList expected;
        for (int k = 0; k < 20; ++k)
            expected << QStringLiteral("%1@%2").arg(101 + 2 * k).arg(400 - 20 * k);
        QCOMPARE(labels, expected);
    }

    void titleByEdition_data()
    {
        QTest::addColumn<bool>("bond");
        QTest::addColumn<bool>("note");
        QTest::addColumn<int>("ticksPerPoint");
        QTest::addColumn<QString>("caption");
        QTest::newRow("T-Bond") << true << false << 32 << "T-Bonds: Last Bar: 14 JAN 2000, Close: 114-00";
        QTest::newRow("T-Note") << false << true << 64 << "T-Notes: Last Bar: 14 JAN 2000, Close: 114-005";
        QTest::newRow("both") << true << true << 64 << "T-Notes: Last Bar: 14 JAN 2000, Close: 114-005";
        QTest::newRow("neither") << false << false << 32 << "";
    }
    void titleByEdition()
    {
        QFETCH(bool, bond);
        QFETCH(bool, note);
        QFETCH(int, ticksPerPoint);
        QFETCH(QString, caption);
        QStringList lines = ChartLines(SmallBars(2));
        // 114015625 millionths: 3648.5 32nds (3648, 114-00) or 7297 64ths (114-005).
        lines[1].replace(31, 9, QStringLiteral("114015625"));
        lines[0].replace(13, 9, QStringLiteral("120000000"));
        lines[0].replace(22, 9, QStringLiteral("100000000"));
        PriceChartSetup setup;
        setup.lines = lines;
        setup.range = {0, 1};
        setup.ticksPerPoint = ticksPerPoint;
        setup.bondEdition = bond;
        setup.noteEdition = note;
        Surface s;
        PriceChartState state;
        DrawPriceChart(setup, state, s.canvas);
        QCOMPARE(s.canvas.Caption().value_or(QString()), caption);
    }

    void largeLayoutAndStochasticPane()
    {
        // 495 ticks on 495 pixels.
        QList<TestBar> bars = SmallBars(188);
        bars[0].high = 3695;
        bars[1].stochastic1 = 7500;
        bars[1].stochastic2 = 2500;
        PriceChartSetup setup = SmallSetup(bars);
        setup.large = true;
        setup.priceHeight = 495;
        Surface s;
        PriceChartState state;
        DrawPriceChart(setup, state, s.canvas);
        QCOMPARE(state.chartRight, 10 + 4 * 188);
        QCOMPARE(state.frameBottom, 510);
        // Bar 1: 2 pixels wide from 10 + 195 to 10 + 294, marks at x + 2 on 245 and 246.
        QCOMPARE(RowsOf(s.canvas, 14, 6, 509, Ink(LongPriceBars)), Run(205, 304));
        QCOMPARE(RowsOf(s.canvas, 15, 6, 509, Ink(LongPriceBars)), Run(205, 304));
        QCOMPARE(RowsOf(s.canvas, 16, 6, 509, Ink(ClosePriceMark)), Run(255, 256));

        // With the pane: 390 + 105, frame bottom 510, divider at 408.
        bars[0].high = 3590;
        setup = SmallSetup(bars);
        setup.large = true;
        setup.priceHeight = 390;
        setup.paneHeight = 105;
        setup.stochastic = true;
        Surface p;
        DrawPriceChart(setup, state, p.canvas);
        const int right = state.chartRight;
        QCOMPARE(ColumnsOf(p.canvas, 408, 0, 800, Ink(OuterBox)), Run(5, right));
        // The 50 % row lies under the stochastic lines here.
        for (int row : {430, 490})
            QCOMPARE(ColumnsOf(p.canvas, row, 0, 800, Ink(VerticalBars)), Run(5, right - 1));
        QCOMPARE(p.canvas.At(100, 460), Ink(BuySignal));
        const QStringList percents{"100%", "80%", "50%", "20%", "0%"};
        const int tops[] = {400, 422, 452, 482, 502};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(TextAt(p.canvas, right + 4, tops[i]), percents[i]);
        // Bar 0 (50 %) to bar 1 (75 % and 25 %): segments from x 10 to 14.
        QCOMPARE(p.canvas.At(10, 460), Ink(BuySignal));   // both start at 50 %, the second on top
        QVERIFY(!RowsOf(p.canvas, 12, 436, 459, Ink(SellSignal)).isEmpty());
        QVERIFY(!RowsOf(p.canvas, 12, 461, 484, Ink(BuySignal)).isEmpty());
        QCOMPARE(p.canvas.At(14, 435), Ink(SellSignal));   // next segment starts at bar 1
        QCOMPARE(p.canvas.At(14, 485), Ink(BuySignal));
    }

    void failuresRaise()
    {
        // Every price the same: no range to scale.
        QList<TestBar> flat(3);
        for (TestBar &bar : flat)
            bar.high = bar.low = bar.close = 3400;
        Surface s;
        PriceChartState state;
        QVERIFY_THROWS_EXCEPTION(QelError, DrawPriceChart(SmallSetup(flat), state, s.canvas));
        QCOMPARE(s.canvas.At(10, 5), CanvasPixel(clGray));   // nothing drawn

        // No edition file with a roll: the range is the roll, the title divides by 0.
        QList<TestBar> rolled = SmallBars(3);
        rolled[1].rollSign = '-';
        rolled[1].roll = 5;
        PriceChartSetup setup = SmallSetup(rolled);
        setup.ticksPerPoint = 0;
        Surface t;
        QVERIFY_THROWS_EXCEPTION(QelError, DrawPriceChart(setup, state, t.canvas));
        QCOMPARE(t.canvas.At(5, 5), Ink(OuterBox));   // the bars and frame stay drawn

        // A range too wide for one pixel a point (lows far below the highs).
        QList<TestBar> wide = SmallBars(2);
        wide[0].high = 40000;
        wide[0].low = 10;
        Surface w;
        QVERIFY_THROWS_EXCEPTION(QelError, DrawPriceChart(SmallSetup(wide), state, w.canvas));

        // A high and close far below the lows (a damaged line, the lowest
        // 32-bit value): the bar lies far off the chart, clipped, and the
        // scale's loops end.
        QList<TestBar> offChart = SmallBars(3);
        for (TestBar &bar : offChart) {
            bar.high = 3201;
            bar.low = 3200;
        }
        setup = SmallSetup(offChart);
        setup.lines[2].replace(13, 9, QStringLiteral("$80000000"));
        setup.lines[2].replace(31, 9, QStringLiteral("$80000000"));
        Surface o;
        DrawPriceChart(setup, state, o.canvas);
        QCOMPARE(state.lastCloseY, (3201 + 68719) * 400);
        QCOMPARE(o.canvas.At(18, 500), Ink(LongPriceBars));   // from far below up to the low

        // A damaged field, and no bar line at all.
        QStringList damaged = ChartLines(SmallBars(3));
        damaged[1].replace(13, 9, QStringLiteral("   12x456"));
        setup = SmallSetup(SmallBars(3));
        setup.lines = damaged;
        QVERIFY_THROWS_EXCEPTION(QelError, DrawPriceChart(setup, state, w.canvas));
        setup.lines = QStringList{"END"};
        QVERIFY_THROWS_EXCEPTION(QelError, DrawPriceChart(setup, state, w.canvas));
    }

    void equityUnit_data()
    {
        QTest::addColumn<int>("equity");
        QTest::addColumn<bool>("bond");
        QTest::addColumn<bool>("note");
        QTest::addColumn<int>("unit");
        QTest::newRow("1000000: 125000, 12.5 to 12") << 1000000 << true << false << 140000;
        QTest::newRow("T-Bond minimum") << 100000 << true << false << 50000;
        QTest::newRow("T-Note minimum") << 100000 << false << true << 40000;
        QTest::newRow("both: T-Bond minimum") << 100000 << true << true << 50000;
        QTest::newRow("neither: no minimum") << 100000 << false << false << 30000;
        QTest::newRow("large") << 4000000 << true << false << 520000;
        QTest::newRow("unit 0") << -160000 << false << false << 0;
    }
    void equityUnit()
    {
        QFETCH(int, equity);
        QFETCH(bool, bond);
        QFETCH(bool, note);
        QFETCH(int, unit);
        QCOMPARE(EquityUnit(equity, bond, note), unit);
    }

    void equityFrameGridLegend()
    {
        Surface s;
        s.canvas.Fill(clWhite);
        EquityChartSetup setup;
        setup.lines = EquityLines(10, false);
        setup.bondEdition = true;
        DrawEquityChart(setup, s.canvas);
        QCOMPARE(s.canvas.Caption(), std::optional<QString>(" Equity Chart."));
        QCOMPARE(s.canvas.At(15, 15), Black);
        QCOMPARE(s.canvas.At(614, 15), Black);
        QCOMPARE(s.canvas.At(615, 415), Black);   // the right edge closes the corner
        QCOMPARE(s.canvas.At(15, 415), Black);
        const uint32_t shadow = CanvasPixel(RgbColor(226, 226, 226));
        QCOMPARE(s.canvas.At(617, 31), shadow);
        QCOMPARE(s.canvas.At(632, 431), shadow);
        QCOMPARE(s.canvas.At(631, 432), shadow);
        QCOMPARE(s.canvas.At(632, 432), White);
        QCOMPARE(s.canvas.At(617, 30), White);
        const uint32_t fine = CanvasPixel(RgbColor(207, 251, 206));
        const uint32_t coarse = CanvasPixel(RgbColor(217, 223, 202));
        QCOMPARE(s.canvas.At(20, 100), fine);
        QCOMPARE(s.canvas.At(65, 100), coarse);
        QCOMPARE(s.canvas.At(115, 65), coarse);
        QCOMPARE(s.canvas.At(100, 65), coarse);
        QCOMPARE(s.canvas.At(610, 405), fine);
        QCOMPARE(s.canvas.At(602, 410), White);   // the rows stop before 410
        QCOMPARE(s.canvas.At(30, 30), Red);
        QCOMPARE(s.canvas.At(69, 45), Red);
        QCOMPARE(s.canvas.At(70, 30), fine);
        QCOMPARE(s.canvas.At(30, 50), Blue);
        QCOMPARE(s.canvas.At(69, 65), Blue);
        // The market box covers x 250 .. 380, y 40 .. 59.
        QCOMPARE(s.canvas.At(250, 40), Black);
        QCOMPARE(s.canvas.At(380, 59), Black);
        QCOMPARE(s.canvas.At(381, 50), fine);
        QCOMPARE(s.canvas.At(300, 60), fine);
        QCOMPARE(s.canvas.At(300, 58), White);
        QCOMPARE(TextAt(s.canvas, 264, 43), QString("30 Year, US T-Bonds"));
        QCOMPARE(TextAt(s.canvas, 75, 32), QString("Primary Trades"));
        QCOMPARE(TextAt(s.canvas, 75, 52), QString("Secondary Trades"));
        // The axis: 0 to 8 units of 140000 from the base line up.
        for (int k = 0; k <= 8; ++k)
            QCOMPARE(TextAt(s.canvas, 619, 408 - 50 * k), QString::number(k * 140000));
        QCOMPARE(s.canvas.Texts().last().background, std::nullopt);
    }

    void equityBars()
    {
        // 601 lines: x = i + 15; 560000 of 8 x 140000 is 200 pixels.
        QStringList lines = EquityLines(600, true);
        lines[10].replace(53, 1, QStringLiteral("+"));
        lines[11].replace(53, 1, QStringLiteral(" "));
        Surface s;
        EquityChartSetup setup;
        setup.lines = lines;
        setup.animate = true;
        DrawEquityChart(setup, s.canvas);
        QCOMPARE(RowsOf(s.canvas, 25, 0, 440, Red), Run(215, 414));
        QCOMPARE(RowsOf(s.canvas, 26, 200, 440, Red), QList<int>{});
        // The secondary series every second pixel from 18.
        QCOMPARE(ColumnsOf(s.canvas, 300, 15, 615, Blue), Run(18, 614, 2));
        // One pause per drawn bar: 1 primary, 299 secondary.
        QCOMPARE(s.canvas.BarsDrawn(), 1 + 299);

        Surface q;
        setup.animate = false;
        DrawEquityChart(setup, q.canvas);
        QCOMPARE(q.canvas.BarsDrawn(), 0);
    }

    void secondarySeriesThinning()
    {
        // 301 lines: x = 2i + 15, drawn from 19 on.
        Surface s;
        EquityChartSetup setup;
        setup.lines = EquityLines(300, true);
        DrawEquityChart(setup, s.canvas);
        QCOMPARE(ColumnsOf(s.canvas, 400, 15, 615, Blue), Run(19, 613, 2));

        // A flagged bar after an unflagged gap is drawn.
        QStringList gap = EquityLines(300, false);
        for (int i : {10, 11, 12, 40, 41})
            gap[i].replace(61, 1, QStringLiteral("+"));
        Surface g;
        setup.lines = gap;
        DrawEquityChart(setup, g.canvas);
        QCOMPARE(ColumnsOf(g.canvas, 400, 15, 615, Blue), (QList<int>{35, 37, 39, 95, 97}));
    }

    void equityYears()
    {
        Surface s;
        EquityChartSetup setup;
        setup.lines = EquityLines(20, false);
        DrawEquityChart(setup, s.canvas);
        QCOMPARE(TextAt(s.canvas, 307, 417), QString("00"));

        QList<TestBar> bars(100);
        for (int i = 0; i < 100; ++i)
            bars[i].date = WeekDate(i);   // 2000, 2001, 2002
        Surface t;
        setup.lines = ChartLines(bars);
        setup.lines[98].replace(54, 7, QStringLiteral(" 800000"));
        DrawEquityChart(setup, t.canvas);
        QCOMPARE(TextAt(t.canvas, 107, 417), QString("00"));
        QCOMPARE(TextAt(t.canvas, 307, 417), QString("01"));
        QCOMPARE(TextAt(t.canvas, 507, 417), QString("02"));
    }

    void equityFailures()
    {
        Surface s;
        EquityChartSetup setup;
        setup.lines = QStringList{"END"};
        QVERIFY_THROWS_EXCEPTION(QelError, DrawEquityChart(setup, s.canvas));
        QCOMPARE(s.canvas.At(15, 15), Black);   // the frame stays drawn
        setup.lines = EquityLines(5, false, -160000);
        QVERIFY_THROWS_EXCEPTION(QelError, DrawEquityChart(setup, s.canvas));
        // An unflagged bar's equity is read all the same.
        setup.lines = EquityLines(5, false);
        setup.lines[2].replace(54, 7, QStringLiteral("  12x45"));
        QVERIFY_THROWS_EXCEPTION(QelError, DrawEquityChart(setup, s.canvas));
        setup.lines = EquityLines(5, false);
        setup.lines[2].replace(62, 7, QStringLiteral("       "));
        QVERIFY_THROWS_EXCEPTION(QelError, DrawEquityChart(setup, s.canvas));
    }

    void schemeFile()
    {
        Palette palette = TestPalette();
        palette[3] = static_cast<TColor>(-5);
        const QStringList lines = FormatPalette(palette);
        QCOMPARE(lines.size(), 15);
        QCOMPARE(lines.at(0), QString::number(RgbColor(20, 30, 40)));
        QCOMPARE(lines.at(3), QString("-5"));   // kept as read
        QCOMPARE(lines.at(14), QString("999999999"));
        QCOMPARE(ParsePalette(lines, "S.PAL"), palette);
        QCOMPARE(ParsePalette(lines.mid(0, 14), "S.PAL"), palette);
        QStringList more = lines;
        more[14] = "junk";
        more << "more junk";
        QCOMPARE(ParsePalette(more, "S.PAL"), palette);
        QStringList trailing = lines;
        trailing[6] += ' ';
        QVERIFY_THROWS_EXCEPTION(QelError, ParsePalette(trailing, "S.PAL"));
    }
};

QTEST_GUILESS_MAIN(TestLogicChart)
#include "tst_logic_chart.moc"
