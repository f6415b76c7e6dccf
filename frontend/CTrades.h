#pragma once
// The signal chart plotter. Holds its copy of "TCHART.TCH" in a hidden line
// store, loaded when the window is created and replaced after each system
// run, and the chart palette that the whole front end shares.
#include "forms.h"

class QComboBox;
class QFrame;

extern TColor ChartPalette[14];

// The plotter's year list from the chart file's lines: one item per change
// of year (columns 6-9) over the bar lines, "yyyy  " + columns 10-13, newest
// first. Fewer than two lines give no items.
QStringList BuildYearList(const QStringList &chartLines);

class TfrmTChart : public TForm {
    Q_OBJECT
public:
    explicit TfrmTChart(QWidget *parent = nullptr);
    QFrame *pnlTChart;
    QComboBox *cbTChart;
    TMemo *mmTChart;
    int TicksPerPoint = 0;
    void FormCreate();
};

extern TfrmTChart *frmTChart;
