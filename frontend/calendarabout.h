#pragma once
// The calendar's about box.
#include "forms.h"

class TfrmCalendarAbout : public TForm {
    Q_OBJECT
public:
    explicit TfrmCalendarAbout(QWidget *parent = nullptr);
};

extern TfrmCalendarAbout *frmCalendarAbout;
