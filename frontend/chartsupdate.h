#pragma once
// The chart viewer's list editor.
#include "forms.h"

class QPushButton;

class TfrmChartsUpdate : public TForm {
    Q_OBJECT
public:
    explicit TfrmChartsUpdate(QWidget *parent = nullptr);
    TMemo *mmChtUpdate;
    QPushButton *btnChtUpdate;
};

extern TfrmChartsUpdate *frmChartsUpdate;
