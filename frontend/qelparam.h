#pragma once
// The parameters panel: the run parameters that "BONDS.SYS" carries. The
// panel's selection groups and its files come with their own work; the
// window exists from start-up and is shown modally from Tools > Params.
#include "forms.h"

class QLabel;

class TfrmQelparam : public TForm {
    Q_OBJECT
public:
    explicit TfrmQelparam(QWidget *parent = nullptr);
    QLabel *pnlParmStrip;
    // "Y" while the panel is in its Default Settings state.
    QChar DefaultSettingsFlag = QLatin1Char('N');
    void FormCreate();
};

extern TfrmQelparam *frmQelparam;
