#pragma once
// One drawing pass of the equity chart: the system's equity over the whole
// chart file as red (primary) and blue (secondary) bars on a fixed grid,
// with shadow, legend, market label, equity axis and year labels.
#include "logic/chartcanvas.h"

#include <QStringList>

struct EquityChartSetup {
    QStringList lines;
    bool bondEdition = false;   // "QEL5100.EXE" is there
    bool noteEdition = false;   // "QEL7300.EXE" is there
    bool animate = false;       // each drawn bar is shown on its own
};

// The axis unit from the last bar's primary equity: an eighth of it rounded
// to ten thousands plus 20000, at least 50000 (T-Bonds) or 40000 (T-Notes).
int EquityUnit(int lastEquity, bool bondEdition, bool noteEdition);

// Throws QelError on an equity field that is not a number, a file without
// bar lines and a unit of 0; what is drawn by then stays on the canvas.
void DrawEquityChart(const EquityChartSetup &setup, ChartCanvas &canvas);
