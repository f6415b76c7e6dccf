#pragma once
// The calendar: twelve month lists of one-line notes, one file a month,
// loaded when the window is created.
#include "forms.h"

#include <QDate>

class QListWidget;
class QStackedWidget;
class QTabBar;

class TfrmCalendar : public TForm {
    Q_OBJECT
public:
    explicit TfrmCalendar(QWidget *parent = nullptr);
    static const QStringList MonthFiles;
    QLabel *pnlCal;
    QStackedWidget *ntbCal;
    QTabBar *tbsCal;
    QListWidget *lstMonth[12];
    QDate StartDate;
    void FormCreate();
    void tbsCalClick();
};

extern TfrmCalendar *frmCalendar;
