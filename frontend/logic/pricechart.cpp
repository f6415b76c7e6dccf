#include "logic/pricechart.h"

#include "logic/qelerror.h"

#include <algorithm>
#include <climits>

using namespace ChartFile;

namespace {

constexpr int PriceTop = 10;
constexpr int FirstBarX = 10;
constexpr int BarStep = 4;
constexpr int FrameEdge = 5;

class PricePass {
public:
    PricePass(const PriceChartSetup &setup, PriceChartState &state, ChartCanvas &canvas)
        : s(setup), state(state), canvas(canvas), back(setup.palette[Background])
    {
    }
    void Run();

private:
    TColor Entry(int entry) const { return s.palette[entry]; }
    void Label(int x, int y, const QString &text) { canvas.Text(x, y, text, Entry(TextColor), back); }
    void DrawMonthSeparator(int x, const QString &month, const QString &year, const QString &prevYear);
    void DrawStochasticPane(BarRange range);
    void ShowLastBarTitle(const QString &line, int range);
    void ScaleMark(int y) { canvas.Line(state.chartRight, y, state.chartRight + 6, y, Entry(OuterBox)); }
    void ScaleLabel(int y, int points) { Label(state.chartRight + 9, y - 8, QString::number(points)); }
    void DrawPriceScale(int yUp, int yDown, int points, int pixelsPerPoint, bool coarse);

    const PriceChartSetup &s;
    PriceChartState &state;
    ChartCanvas &canvas;
    const TColor back;
};

void PricePass::Run()
{
    state.frameBottom = PriceTop + s.priceHeight + s.paneHeight + 5;
    const BarRange range = ClampToBars(s.range, static_cast<int>(s.lines.size()));
    const PriceRange prices = FindPriceRange(s.lines, range, s.ticksPerPoint);
    const int spread = prices.max - prices.min;
    if (spread == 0)
        throw QelError(QStringLiteral("The plotted bars have no price range: the chart cannot be scaled."));
    const double scale = static_cast<double>(s.priceHeight) / spread;

    int rollOffset = 0;
    QString prevMonth = QStringLiteral(" ");
    QString prevYear = QStringLiteral(" ");
    int x = FirstBarX;
    int yClose = 0;
    for (int i = range.first; i <= range.last; ++i) {
        const QString &line = s.lines.at(i);
        const QChar code = Text(line, ColorCode).at(0);
        const QString month = Text(line, Month);
        const QString year = Text(line, Year);
        rollOffset += RollChange(line);
        const int high = PriceTicks(Number(line, High), s.ticksPerPoint) + rollOffset;
        const int low = PriceTicks(Number(line, Low), s.ticksPerPoint) + rollOffset;
        const int close = PriceTicks(Number(line, Close), s.ticksPerPoint) + rollOffset;
        const int yHigh = Nearest((prices.max - high) * scale);
        const int yLow = Nearest((prices.max - low) * scale);
        yClose = Nearest((prices.max - close) * scale);
        if (month != prevMonth) {
            DrawMonthSeparator(x, month, year, prevYear);
            prevMonth = month;
        }
        prevYear = year;

        const TColor bar = Entry(BarColorEntry(code));
        canvas.Line(x, PriceTop + yHigh, x, PriceTop + yLow, bar);
        if (s.large) {
            canvas.Line(x + 1, PriceTop + yHigh, x + 1, PriceTop + yLow, bar);
            canvas.Pixel(x + 2, PriceTop + yClose, Entry(ClosePriceMark));
            canvas.Pixel(x + 2, PriceTop + yClose + 1, Entry(ClosePriceMark));
        } else {
            canvas.Pixel(x + 1, PriceTop + yClose, Entry(ClosePriceMark));
        }
        x += BarStep;
    }
    state.chartRight = x;
    state.lastCloseY = yClose;

    DrawChartFrame(canvas, FrameEdge, FrameEdge, state.chartRight, state.frameBottom, Entry(OuterBox));
    if (s.stochastic)
        DrawStochasticPane(range);
    ShowLastBarTitle(s.lines.at(range.last), spread);
}

void PricePass::DrawMonthSeparator(int x, const QString &month, const QString &year, const QString &prevYear)
{
    const int bottom = state.frameBottom;
    canvas.Line(x, FrameEdge, x, bottom, Entry(VerticalBars));
    canvas.Line(x, bottom, x, bottom + 3, Entry(OuterBox));
    if (year == prevYear)
        Label(x + 6, bottom + 3, month.left(1));
    else
        Label(x, bottom + 3, year.right(2));
    // Gaps in the background colour make the separator dashed.
    for (int y = FrameEdge; y < bottom; y += 4)
        canvas.Line(x, y, x, y + 2, back);
}

void PricePass::DrawStochasticPane(BarRange range)
{
    const int right = state.chartRight;
    const int bottom = state.frameBottom;
    canvas.Line(FrameEdge, bottom - 102, right, bottom - 102, Entry(OuterBox));
    for (int level : {50, 80, 20})
        canvas.Line(FrameEdge, bottom - level, right, bottom - level, Entry(VerticalBars));
    const struct {
        const char *text;
        int top;
    } labels[] = {{"100%", 110}, {"80%", 88}, {"50%", 58}, {"20%", 28}, {"0%", 8}};
    for (const auto &label : labels)
        Label(right + 4, bottom - label.top, QString::fromLatin1(label.text));

    // Each segment joins the previous bar's x to this bar's x; 0 % lies on
    // the frame's bottom edge, 100 % 100 pixels above it.
    int x = FrameEdge + 1;
    int prev1 = 0;
    int prev2 = 0;
    for (int i = range.first; i <= range.last; ++i) {
        const QString &line = s.lines.at(i);
        const int s1 = Nearest(Number(line, Stochastic1) / 100.0);
        const int s2 = Nearest(Number(line, Stochastic2) / 100.0);
        if (i > range.first) {
            canvas.Line(x, bottom - prev1, x + BarStep, bottom - s1, Entry(SellSignal));
            canvas.Line(x, bottom - prev2, x + BarStep, bottom - s2, Entry(BuySignal));
        }
        x += BarStep;
        prev1 = s1;
        prev2 = s2;
    }
}

void PricePass::ShowLastBarTitle(const QString &line, int range)
{
    const int tpp = s.ticksPerPoint;
    const int closeTicks = PriceTicks(Number(line, Close), tpp);
    if (tpp == 0)
        throw QelError(QStringLiteral("No edition program file: prices cannot be plotted."));
    const int points = closeTicks / tpp;
    const int ticks = closeTicks % tpp;
    const int rangePoints = range / tpp + (range % tpp != 0 ? 1 : 0);
    const int pixelsPerPoint = rangePoints == 0 ? 0 : Nearest(static_cast<double>(s.priceHeight) / rangePoints);
    if (pixelsPerPoint <= 0)
        throw QelError(QStringLiteral("A price range of %1 points cannot be scaled to %2 pixels.")
                           .arg(rangePoints)
                           .arg(s.priceHeight));

    const QString date = Text(line, Day) + QLatin1Char(' ') + Text(line, Month) + QLatin1Char(' ') + Text(line, Year);
    const auto caption = [&](const char *market, const QString &tickText) {
        return QString::fromLatin1(market) + QStringLiteral("Last Bar: ") + date + QStringLiteral(", Close: ")
            + QString::number(points) + QLatin1Char('-') + tickText;
    };
    if (s.bondEdition)
        canvas.SetCaption(caption("T-Bonds: ", QStringLiteral("%1").arg(ticks, 2, 10, QLatin1Char('0'))));
    if (s.noteEdition)
        canvas.SetCaption(caption("T-Notes: ", NoteTicksText(ticks)));

    const double scale = static_cast<double>(s.priceHeight) / range;
    const int up = Nearest((tpp - ticks) * scale);
    const int down = Nearest(ticks * scale);
    // The last close's whole points are anchored where its mark is drawn.
    const int yUp = PriceTop + state.lastCloseY - up;
    const int yDown = PriceTop + state.lastCloseY + down;
    DrawPriceScale(yUp, yDown, points, pixelsPerPoint, rangePoints > 35);
}

void PricePass::DrawPriceScale(int yUp, int yDown, int points, int pixelsPerPoint, bool coarse)
{
    const auto mark = [&](int y, int number) {
        ScaleMark(y);
        if (!coarse)
            ScaleLabel(y, number);
    };
    mark(yUp, points + 1);
    mark(yDown, points);
    int marks = 2;
    int number = points + 1;
    for (int y = yUp; y > PriceTop + pixelsPerPoint;) {
        y -= pixelsPerPoint;
        mark(y, ++number);
        ++marks;
    }
    int lowestY = yDown;
    int lowest = points;
    for (int y = yDown; y < PriceTop + s.priceHeight - pixelsPerPoint;) {
        y += pixelsPerPoint;
        mark(y, --lowest);
        lowestY = y;
        ++marks;
    }
    if (!coarse)
        return;
    // Every second mark labelled, from the lowest up.
    int y = lowestY;
    for (int k = 1; k <= marks; k += 2) {
        ScaleLabel(y, lowest);
        y -= 2 * pixelsPerPoint;
        lowest += 2;
    }
}

} // namespace

PriceRange FindPriceRange(const QStringList &lines, BarRange range, int ticksPerPoint)
{
    // The lowest low starts above any price, so no low is too high to count.
    PriceRange prices{0, INT_MAX};
    int offset = 0;
    for (int i = range.first; i <= range.last; ++i) {
        const QString &line = lines.at(i);
        const int high = PriceTicks(Number(line, High), ticksPerPoint);
        const int low = PriceTicks(Number(line, Low), ticksPerPoint);
        offset += RollChange(line);
        prices.max = std::max(prices.max, high + offset);
        prices.min = std::min(prices.min, low + offset);
    }
    return prices;
}

void DrawPriceChart(const PriceChartSetup &setup, PriceChartState &state, ChartCanvas &canvas)
{
    PricePass(setup, state, canvas).Run();
}

void DrawChartFrame(ChartCanvas &canvas, int left, int top, int right, int bottom, TColor color)
{
    canvas.Line(left, top, right, top, color);
    canvas.Line(left, top, left, bottom, color);
    canvas.Line(left, bottom, right, bottom, color);
    canvas.Line(right, top, right, bottom + 1, color);
}
