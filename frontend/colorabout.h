#pragma once
// The signal chart plotter's about box.
#include "forms.h"

class QPushButton;

class TfrmColorAbout : public TForm {
    Q_OBJECT
public:
    explicit TfrmColorAbout(QWidget *parent = nullptr);
    QLabel *imgAbout;
    QPushButton *Button1;
    void Button1Click();
};

extern TfrmColorAbout *frmColorAbout;
