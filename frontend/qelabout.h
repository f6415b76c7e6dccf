#pragma once
// The program's about box, shown modally from Help > About.
#include "forms.h"

class TfrmQelAbout : public TForm {
    Q_OBJECT
public:
    explicit TfrmQelAbout(QWidget *parent = nullptr);
    TImage *imgAbout;
    QLabel *lblVersion;
    void FormCreate();
};

extern TfrmQelAbout *frmQelAbout;
