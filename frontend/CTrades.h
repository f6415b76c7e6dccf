#pragma once
// The signal chart plotter. Holds its copy of "TCHART.TCH" in a hidden line
// store, loaded when the window is created and replaced after each system
// run, and the chart palette that the whole front end shares.
#include "forms.h"

class QComboBox;
class QFrame;

extern TColor ChartPalette[14];

class TfrmTChart : public TForm {
    Q_OBJECT
public:
    explicit TfrmTChart(QWidget *parent = nullptr);
    QFrame *pnlTChart;
    QComboBox *cbTChart;
    TMemo *mmTChart;
    int TicksPerPoint = 0;
    void FormCreate();
    // The line store read again from "TCHART.TCH" after a system run; the
    // year list stays and nothing is redrawn until the next plot.
    void Reload();
};

extern TfrmTChart *frmTChart;
