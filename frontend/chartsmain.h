#pragma once
// The historical chart viewer: GIF pictures chosen by name from the list
// in "CHARTS.LST".
#include "forms.h"

class QListWidget;

class TfrmChartsMain : public TForm {
    Q_OBJECT
public:
    explicit TfrmChartsMain(QWidget *parent = nullptr);
    TImage *imgCharts;
    QListWidget *lstCharts;
    void FormCreate();
};

extern TfrmChartsMain *frmChartsMain;
