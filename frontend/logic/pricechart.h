#pragma once
// One drawing pass of the price chart: bars coloured by their signal code,
// close marks, month separators, the frame, the stochastic pane and the
// price scale, and the caption with the last bar's date and close.
#include "logic/chartcanvas.h"
#include "logic/chartfile.h"
#include "logic/palette.h"

#include <QStringList>

struct PriceChartSetup {
    QStringList lines;        // the whole chart file, re-read by every pass
    BarRange range;           // FirstBar .. LastBar, cut to the bar lines here
    bool large = false;       // 2-pixel bars and marks
    int priceHeight = 400;
    int paneHeight = 0;
    bool stochastic = false;  // the stochastic pane is drawn
    int ticksPerPoint = 0;
    bool bondEdition = false; // "QEL5100.EXE" is there
    bool noteEdition = false; // "QEL7300.EXE" is there
    Palette palette{};
};

// What the pass leaves for the plotter, set as each value is known.
struct PriceChartState {
    int chartRight = 0;
    int lastCloseY = 0;
    int frameBottom = 0;
};

struct PriceRange {
    int max;
    int min;
};
// Highest high and lowest low over the range in ticks, roll offsets added.
PriceRange FindPriceRange(const QStringList &lines, BarRange range, int ticksPerPoint);

// Throws QelError on a field that is not a number and on a range that
// cannot be scaled; what is drawn by then stays on the canvas.
void DrawPriceChart(const PriceChartSetup &setup, PriceChartState &state, ChartCanvas &canvas);

// The four edges; the right one reaches one pixel below the bottom edge so
// that the bottom right corner is closed.
void DrawChartFrame(ChartCanvas &canvas, int left, int top, int right, int bottom, TColor color);
