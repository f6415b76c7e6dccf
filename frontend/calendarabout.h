#pragma once
// The calendar's about box.
#include "forms.h"

class QPushButton;

class TfrmCalendarAbout : public TForm {
    Q_OBJECT
public:
    explicit TfrmCalendarAbout(QWidget *parent = nullptr);
    QLabel *lblTitle;
    QLabel *imgCalendar;
    QLabel *lblCredits;
    QPushButton *Button1;
    void Button1Click();
};

extern TfrmCalendarAbout *frmCalendarAbout;
