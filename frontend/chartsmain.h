#pragma once
// The historical chart viewer: GIF pictures chosen by name from the list
// in "CHARTS.LST".
#include "forms.h"
#include "platform/formcontrols.h"

class QAction;
class QFrame;
class QMenuBar;
class QPushButton;

class TfrmChartsMain : public TForm {
    Q_OBJECT
public:
    explicit TfrmChartsMain(QWidget *parent = nullptr);
    static const QStringList HelpLines;

    QMenuBar *MainMenu1;
    QAction *Uppdate1, *Clear1, *Exit1, *Help2;
    TListBox *lstCharts;
    TImage *imgChart;
    QFrame *pnlCharts;
    QLabel *lblHelp;
    QPushButton *Button1;

    void FormCreate();
    void lstChartsClick();
    void Uppdate1Click();
    void Clear1Click();
    void Exit1Click();
    void Help2Click();
    void Button1Click();
    // Reads "CHARTS.LST" into the list afresh; the shown picture stays.
    void ReloadList();
};

extern TfrmChartsMain *frmChartsMain;
