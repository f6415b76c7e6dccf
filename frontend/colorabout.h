#pragma once
// The signal chart plotter's about box.
#include "forms.h"

class TfrmColorAbout : public TForm {
    Q_OBJECT
public:
    explicit TfrmColorAbout(QWidget *parent = nullptr);
};

extern TfrmColorAbout *frmColorAbout;
