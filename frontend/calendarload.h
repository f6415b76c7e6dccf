#pragma once
// The viewer of an opened calendar backup.
#include "forms.h"

class TfrmCalendarLoad : public TForm {
    Q_OBJECT
public:
    explicit TfrmCalendarLoad(QWidget *parent = nullptr);
    TMemo *mmCalendarLoad;
};

extern TfrmCalendarLoad *frmCalendarLoad;
