#pragma once
// The viewer of an opened calendar backup: it shows the text only.
#include "forms.h"

class TfrmCalendarLoad : public TForm {
    Q_OBJECT
public:
    explicit TfrmCalendarLoad(QWidget *parent = nullptr);
    TMemo *mmCalendarLoad;
    // Loads the file and shows it modally; a file that cannot be read
    // raises the file error and nothing is shown.
    void ShowBackup(const QString &fileName);
};

extern TfrmCalendarLoad *frmCalendarLoad;
