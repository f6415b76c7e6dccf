#pragma once
// The plotter's colour editor. Scheme 1 is loaded into the chart palette
// when the editor is created.
#include "forms.h"

class TfrmChartColor : public TForm {
    Q_OBJECT
public:
    explicit TfrmChartColor(QWidget *parent = nullptr);
    QString PaletteFileName;
    TMemo *mmColorSave;
    void FormCreate();
    void Scheme1LoadClick();
    void Load1Click();
};

extern TfrmChartColor *frmChartColor;
