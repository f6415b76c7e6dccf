#pragma once
// The signal chart file "TCHART.TCH" as the plotter reads it.
#include <QStringList>

// The plotter's year list from the chart file's lines: one item per change
// of year (columns 6-9) over the bar lines, "yyyy  " + columns 10-13, newest
// first. The last line is never a bar, so fewer than two lines give no items.
QStringList BuildYearList(const QStringList &chartLines);
