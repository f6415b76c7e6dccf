#pragma once
// The main window: tool bar, menus, the two report panes with the splitter
// between them, the report handlers and the three weekly run handlers.
#include "logic/reportstate.h"
#include "platform/widgets.h"

#include <QChar>
#include <QMainWindow>
#include <memory>

class QAction;
class QMenu;
class QFrame;
class QToolButton;
class QPushButton;
class QLabel;
class QFileDialog;
struct ReportView;

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

// What the three weekly runs act on: the control panel, the main pane, the
// plotter, the floating report and the files of the working directory. The
// main window carries it out on the real windows; tests record the calls.
class RunHost {
public:
    virtual ~RunHost() = default;
    virtual void Warn(const QString &text) = 0;
    virtual void ShowRunPicture(const QString &picture) = 0;
    // Starts the program and waits for it, with the hourglass up meanwhile.
    virtual void RunProgram(const QString &program) = 0;
    // Raise QelError when the file is missing or unreadable.
    virtual QStringList ReadLines(const QString &file) = 0;
    virtual void DeleteFile(const QString &file) = 0;
    virtual void SetMessages(const QStringList &lines) = 0;
    virtual void AppendMessages(const QStringList &lines) = 0;
    // The summary report into the main pane, the window caption its title.
    virtual void ShowSummaryReport(const QString &file) = 0;
    virtual void ReloadChart() = 0;
    virtual void ShowSignalCaption(const QString &caption) = 0;
    virtual void OpenStopLossReport() = 0;
    // Shows the control panel and raises it above the floating report.
    virtual void ShowControlPanel() = 0;
};

// The weekly run order and the steps of each run. An error raised at a step
// ends the run there: the steps before it stand, the later ones are not done.
class RunSequence {
public:
    explicit RunSequence(RunHost &host) : m_host(host) {}

    void RunMVR();
    void RunKQ4();
    void RunSystem();
    void ShowSignalDate();

    QChar ProcessStage = QLatin1Char(' ');
    QString SignalLine;
    QString SignalCode;
    QString SignalDateKey;

private:
    RunHost &m_host;
};

class TfrmQEL5100 : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmQEL5100(QWidget *parent = nullptr);

    // Controls, named as the window's design names them. The event filter
    // sees the client area's and the tool bar's events while the controls
    // are still being made, so these start out null.
    QWidget *ClientArea = nullptr;
    QFrame *tlbQEL = nullptr;
    QFrame *Bevel1 = nullptr;
    TMemo *mmQEL = nullptr;
    TSplitter *HSplitter = nullptr;
    TMemo *mmReport2 = nullptr;
    QToolButton *spEditor, *spParams, *spSignals, *spCharts, *spCalendar, *spControlPanel,
        *spSecondReport, *SpeedButton8, *spMainWindow, *spSecandaryWindow, *spFloatingWindow,
        *SpeedButton9;
    QPushButton *bbDetail, *bbSummary, *bbProfit, *bbMultiple, *bbStopLoss, *bbSideways, *bbTrades,
        *bbYearly;
    QLabel *ImgSpacer = nullptr;
    QFrame *pnlLogo = nullptr;
    TImage *imgLogo = nullptr;

    QMenu *File1, *Reports1, *DetailReport1, *Tools1, *View1, *Color1, *Help1;
    QAction *Open1, *Print1, *Exit1, *ShortVersion1, *FullVersion1, *MaxVersion1, *ProfitReport1,
        *TradeSummary1, *MultipleTrades1, *StopLossReport1, *SidewaysReport1, *AlgorithmTrades1,
        *YearlyProfitReport1, *ClearWindow1, *PriceEditor1, *ChangeParams1, *Signals1, *ChartViewer1,
        *BondCalendar1, *ToolBar1, *ControlPanel1, *View2ndReport1, *MainWindow2, *SecondaryWindow2,
        *Floatingwindow2, *FastStart1, *Help2, *About1;

    // Report state and run state, kept for the life of the program.
    ReportState Report;
private:
    std::unique_ptr<RunHost> m_runHost;
public:
    RunSequence Runs;

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
    void ShowReport(const ReportView &report);
    void ShowSummaryReport(const QString &fileName);
    friend class MainRunHost;

    int m_mainPaneHeight = 505;
};

extern TfrmQEL5100 *frmQEL5100;
