#pragma once
// The rollover calculator, shown modally from the price editor.
#include "forms.h"

class TfrmRollover : public TForm {
    Q_OBJECT
public:
    explicit TfrmRollover(QWidget *parent = nullptr);
    QLabel *lblRollover;
};

extern TfrmRollover *frmRollover;
