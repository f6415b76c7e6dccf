#pragma once
// The main window: tool bar, menus, the two report panes with the splitter
// between them, the report handlers and the three weekly run handlers.
#include "logic/reportstate.h"
#include "platform/widgets.h"

#include <QChar>
#include <QMainWindow>

class QAction;
class QMenu;
class QFrame;
class QToolButton;
class QPushButton;
class QLabel;
class QFileDialog;

// The thin line between the panes; dragging it moves the panes' border.
class TSplitter : public QWidget {
    Q_OBJECT
public:
    explicit TSplitter(QWidget *parent = nullptr);
signals:
    void dragged(int dy);
protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
private:
    int m_lastY = 0;
};

class TfrmQEL5100 : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmQEL5100(QWidget *parent = nullptr);

    // Controls, named as the window's design names them.
    QWidget *ClientArea;
    QFrame *tlbQEL;
    QFrame *Bevel1;
    TMemo *mmQEL;
    TSplitter *HSplitter;
    TMemo *mmReport2;
    QToolButton *spEditor, *spParams, *spSignals, *spCharts, *spCalendar, *spControlPanel,
        *spSecondReport, *SpeedButton8, *spMainWindow, *spSecandaryWindow, *spFloatingWindow,
        *SpeedButton9;
    QPushButton *bbDetail, *bbSummary, *bbProfit, *bbMultiple, *bbStopLoss, *bbSideways, *bbTrades,
        *bbYearly;
    QLabel *ImgSpacer;
    QFrame *pnlLogo;
    TImage *imgLogo;

    QMenu *File1, *Reports1, *DetailReport1, *Tools1, *View1, *Color1, *Help1;
    QAction *Open1, *Print1, *Exit1, *ShortVersion1, *FullVersion1, *MaxVersion1, *ProfitReport1,
        *TradeSummary1, *MultipleTrades1, *StopLossReport1, *SidewaysReport1, *AlgorithmTrades1,
        *YearlyProfitReport1, *ClearWindow1, *PriceEditor1, *ChangeParams1, *Signals1, *ChartViewer1,
        *BondCalendar1, *ToolBar1, *ControlPanel1, *View2ndReport1, *MainWindow2, *SecondaryWindow2,
        *Floatingwindow2, *FastStart1, *Help2, *About1;

    // Report state and run state, kept for the life of the program.
    ReportState Report;
    QChar ProcessStage = QLatin1Char(' ');
    QString SignalLine;
    QString SignalCode;
    QString SignalDateKey;

    // The filter list of File > Open, and what the last opening used.
    static const QString OpenFilter;
    QString OpenDialogInitialDir;
    int OpenDialogFilterIndex = 0;

    // Creation and the application's end.
    void FormCreate();
    void Exit1Click();

    // The weekly runs.
    void MVRMainIndicators1Click();
    void KQ4ChaosIndicators1Click();
    void QEL5100RunSystem1Click();
    void ShowSignalDate();

    // Reports.
    void DetailReport1Click();
    void ProfitReport1Click();
    void TradeSummary1Click();
    void MultipleTrades1Click();
    void AlgorithmTrades1Click();
    void YearlyProfitReport1Click();
    void StopLossReport1Click();
    void SidewaysReport1Click();
    void FullVersion1Click();
    void MaxVersion1Click();
    void Open1Click();
    void ClearWindow1Click();
    void mmQELClick();
    void mmReport2Click();

    // Views, colours, openers and help.
    void View2ndReport1Click();
    void ToolBar1Click();
    void ChangeColor1Click();
    void ChangeColor21Click();
    void ChangeColor31Click();
    void ControlPanel1Click();
    void About1Click();
    void ChangeParams1Click();
    void PriceEditor1Click();
    void Signals1Click();
    void ChartViewer1Click();
    void BondCalendar1Click();
    void Help2Click();
    void FastStart1Click();

    // The main pane's height as the layout keeps it (at least 50).
    int MainPaneHeight() const { return m_mainPaneHeight; }
    void SetMainPaneHeight(int height);
    int ClientHeight() const;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildToolBar();
    void BuildMenu();
    void Relayout();
    void LayoutToolBar();
    void PaneReport(const QString &fileName, const QString &mainTitle, const QString &secondTitle,
                    ScrollBars bars, bool detailJump);
    void FloatingReport(const QString &fileName, const QString &caption, ScrollBars bars);
    int RunBatchProgram(const QString &programName);

    int m_mainPaneHeight = 505;
};

extern TfrmQEL5100 *frmQEL5100;
