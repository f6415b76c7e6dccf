#include "qelMain.h"

#include "CTrades.h"
#include "calendarmain.h"
#include "chartsmain.h"
#include "controlpanel.h"
#include "edItormain.h"
#include "fullreport.h"
#include "qelabout.h"
#include "qelparam.h"
#include "logic/signalline.h"
#include "logic/processstage.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/files.h"
#include "platform/helpviewer.h"
#include "platform/hourglass.h"
#include "platform/launcher.h"
#include "platform/menus.h"
#include "platform/textfiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QToolButton>

TfrmQEL5100 *frmQEL5100 = nullptr;

const QString TfrmQEL5100::OpenFilter = QStringLiteral(
    "Algorithms(*.alg)|*.alg|Headers(*.hdn)|*.hdn|Reports(*.rep)|*.rep|System(Bonds.*)|Bonds.*|All files(*.*)|*.*");

namespace {
constexpr int ToolBarHeight = 30;

QFont SansSerif(int pixelHeight, bool bold = false)
{
    return DesignFont(QStringLiteral("MS Sans Serif"), pixelHeight, bold);
}

// The small pictures on the tool-bar buttons: a letter or two on a colour.
QIcon Glyph(const QString &text, QColor colour)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(colour.darker(160));
    painter.drawRoundedRect(1, 1, 16, 16, 3, 3);
    painter.setPen(Qt::white);
    QFont font = SansSerif(text.size() > 1 ? 8 : 11, true);
    painter.setFont(font);
    painter.drawText(QRect(1, 1, 16, 16), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

QPixmap LogoPicture()
{
    QPixmap pixmap(50, 22);
    pixmap.fill(QColor(0x1C, 0x2C, 0x5A));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0xF0, 0xD0, 0x60));
    painter.setFont(SansSerif(11, true));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("QEL"));
    return pixmap;
}

} // namespace

// ---------------------------------------------------------------- run sequence

void RunSequence::RunMVR()
{
    ProcessStage = DecideRun(ProcessStage, RunKind::MVR).nextStage;
    m_host.ShowRunPicture(QStringLiteral("MVR.BMP"));
    m_host.RunProgram(QStringLiteral("MVR.DLL"));
    m_host.SetMessages(m_host.ReadLines(QStringLiteral("MESSAGES.MVR")));
    m_host.DeleteFile(QStringLiteral("MESSAGES.MVR"));
}

void RunSequence::RunKQ4()
{
    const RunDecision decision = DecideRun(ProcessStage, RunKind::KQ4);
    if (!decision.allowed) {
        m_host.Warn(decision.refusal);
        return;
    }
    ProcessStage = decision.nextStage;
    m_host.ShowRunPicture(QStringLiteral("KQ4.BMP"));
    m_host.RunProgram(QStringLiteral("KQ4.DLL"));
    m_host.AppendMessages({QStringLiteral(" ")});
    m_host.AppendMessages(m_host.ReadLines(QStringLiteral("MESSAGES.KQ4")));
    m_host.DeleteFile(QStringLiteral("MESSAGES.KQ4"));
}

void RunSequence::RunSystem()
{
    const RunDecision decision = DecideRun(ProcessStage, RunKind::System);
    if (!decision.allowed) {
        m_host.Warn(decision.refusal);
        return;
    }
    m_host.ShowRunPicture(QStringLiteral("PXD.BMP"));
    m_host.RunProgram(QStringLiteral("PXD.DLL"));
    m_host.ShowSummaryReport(QStringLiteral("SUM.REP"));
    const QStringList signalLines = m_host.ReadLines(QStringLiteral("SIGNAL.PXD"));
    SignalLine = signalLines.isEmpty() ? QString() : signalLines.first();
    m_host.ReloadChart();
    m_host.SetMessages(m_host.ReadLines(QStringLiteral("MESSAGES.PXD")));
    m_host.DeleteFile(QStringLiteral("MESSAGES.PXD"));
    ShowSignalDate();
    SignalDateKey = SignalFile::SignalDateKey(SignalLine);
    SignalCode = SignalFile::SignalCode(SignalLine);
    const QString picture = SignalFile::SignalPicture(SignalCode);
    if (!picture.isEmpty())
        m_host.ShowRunPicture(picture);
    m_host.OpenStopLossReport();
    m_host.ShowControlPanel();
}

void RunSequence::ShowSignalDate()
{
    m_host.ShowSignalCaption(SignalFile::SignalCaption(SignalLine));
}

// The runs carried out on the real windows and files.
class MainRunHost : public RunHost {
public:
    explicit MainRunHost(TfrmQEL5100 *window) : m_window(window) {}
    void Warn(const QString &text) override { Dialogs::Warning(text); }
    void ShowRunPicture(const QString &picture) override { frmControlPanel->ShowRunPicture(picture); }
    void RunProgram(const QString &program) override
    {
        HourglassCursor hourglass;
        RunProgramAndWait(program, program, true);
    }
    QStringList ReadLines(const QString &file) override { return TextFiles::ReadLines(file); }
    void DeleteFile(const QString &file) override { Files::DeleteFile(file); }
    void SetMessages(const QStringList &lines) override { frmControlPanel->SetMessages(lines); }
    void AppendMessages(const QStringList &lines) override { frmControlPanel->AppendMessages(lines); }
    void ShowSummaryReport(const QString &file) override { m_window->ShowSummaryReport(file); }
    void ReloadChart() override { frmTChart->Reload(); }
    void ShowSignalCaption(const QString &caption) override { frmControlPanel->ShowSignal(caption); }
    void OpenStopLossReport() override { m_window->StopLossReport1Click(); }
    void ShowControlPanel() override { frmControlPanel->ShowAbove(); }

private:
    TfrmQEL5100 *m_window;
};

TSplitter::TSplitter(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::SizeVerCursor);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(clRed));
    setPalette(palette);
}

void TSplitter::mousePressEvent(QMouseEvent *event)
{
    m_lastY = event->globalPosition().toPoint().y();
}

void TSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const int y = event->globalPosition().toPoint().y();
    emit dragged(y - m_lastY);
    m_lastY = y;
}

TfrmQEL5100::TfrmQEL5100(QWidget *parent)
    : QMainWindow(parent)
    , m_runHost(std::make_unique<MainRunHost>(this))
    , Runs(*m_runHost)
{
    setObjectName(QStringLiteral("frmQEL5100"));
    setWindowTitle(DesignCaption);
    resize(802, 576);
    setFont(SansSerif(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(clGray));
    setPalette(palette);

    ClientArea = MakeChild<QWidget>(this, "ClientArea");
    ClientArea->installEventFilter(this);
    setCentralWidget(ClientArea);

    BuildToolBar();

    mmQEL = MakeChild<TMemo>(ClientArea, "mmQEL");
    mmQEL->SetReadOnly(true);
    mmQEL->setFont(FixedPitchFont(11));
    mmQEL->SetColor(MainPaneDesignColor);
    mmQEL->SetLines({QString()});
    mmQEL->setMinimumHeight(MainPaneMinHeight);

    HSplitter = MakeChild<TSplitter>(ClientArea, "HSplitter");
    HSplitter->setFixedHeight(3);

    mmReport2 = MakeChild<TMemo>(ClientArea, "mmReport2");
    mmReport2->SetReadOnly(true);
    mmReport2->setFont(FixedPitchFont(11));
    mmReport2->SetColor(ReportPaneColor);

    connect(mmQEL, &TMemo::clicked, this, Guarded([this] { mmQELClick(); }));
    connect(mmReport2, &TMemo::clicked, this, Guarded([this] { mmReport2Click(); }));
    connect(HSplitter, &TSplitter::dragged, this, [this](int dy) {
        SetMainPaneHeight(MainPaneHeightOnDrag(m_mainPaneHeight + dy, ClientHeight(),
                                               tlbQEL->isHidden() ? 0 : ToolBarHeight, HSplitter->height()));
    });

    BuildMenu();
    Relayout();
}

void TfrmQEL5100::BuildToolBar()
{
    tlbQEL = MakeChild<QFrame>(ClientArea, "tlbQEL");
    SetFace(tlbQEL, clSilver);
    tlbQEL->installEventFilter(this);

    Bevel1 = MakeChild<QFrame>(tlbQEL, "Bevel1", 0, 29, 656, 2);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Raised);

    // The tool bar's buttons: the speed buttons with their glyphs, then the
    // report buttons with their letters. A null handler is a spacer.
    using Handler = void (TfrmQEL5100::*)();
    struct SpeedButton {
        QToolButton *TfrmQEL5100::*member;
        const char *name;
        int x, width;
        const char *hint;
        const char *glyph;
        QRgb colour;
        Handler handler;
    };
    const SpeedButton speedButtons[] = {
        {&TfrmQEL5100::spEditor, "spEditor", 0, 25, "Price file editor.", "E", 0x3070B0, &TfrmQEL5100::PriceEditor1Click},
        {&TfrmQEL5100::spParams, "spParams", 25, 25, "Params panel.", "P", 0x409040, &TfrmQEL5100::ChangeParams1Click},
        {&TfrmQEL5100::spSignals, "spSignals", 50, 25, "Signals plotter.", "S", 0xB03030, &TfrmQEL5100::Signals1Click},
        {&TfrmQEL5100::spCharts, "spCharts", 75, 25, "Historical charts.", "H", 0x604090, &TfrmQEL5100::ChartViewer1Click},
        {&TfrmQEL5100::spCalendar, "spCalendar", 100, 25, "Calendar.", "C", 0x907020, &TfrmQEL5100::BondCalendar1Click},
        {&TfrmQEL5100::spControlPanel, "spControlPanel", 125, 25, "Control panel.", "CP", 0x202020,
         &TfrmQEL5100::ControlPanel1Click},
        {&TfrmQEL5100::spSecondReport, "spSecondReport", 150, 25, "Split screen.", "=", 0x505090,
         &TfrmQEL5100::View2ndReport1Click},
        {&TfrmQEL5100::SpeedButton8, "SpeedButton8", 175, 7, "", nullptr, 0, nullptr},
        {&TfrmQEL5100::spMainWindow, "spMainWindow", 182, 25, "Color main window.", "1", 0xA09060,
         &TfrmQEL5100::ChangeColor1Click},
        {&TfrmQEL5100::spSecandaryWindow, "spSecandaryWindow", 207, 25, "Color secondary window.", "2", 0xA09060,
         &TfrmQEL5100::ChangeColor21Click},
        {&TfrmQEL5100::spFloatingWindow, "spFloatingWindow", 232, 25, "Color floating window.", "3", 0xA09060,
         &TfrmQEL5100::ChangeColor31Click},
        {&TfrmQEL5100::SpeedButton9, "SpeedButton9", 257, 7, "", nullptr, 0, nullptr},
    };
    for (const SpeedButton &row : speedButtons) {
        auto *button = MakeChild<QToolButton>(tlbQEL, row.name, row.x, 2, row.width, 25);
        button->setAutoRaise(true);
        button->setToolTip(QLatin1String(row.hint));
        if (row.glyph)
            button->setIcon(Glyph(QLatin1String(row.glyph), QColor(row.colour)));
        if (row.handler)
            connect(button, &QToolButton::clicked, this, Guarded([this, h = row.handler] { (this->*h)(); }));
        this->*row.member = button;
    }

    struct ReportButton {
        QPushButton *TfrmQEL5100::*member;
        const char *name;
        int x;
        const char *hint;
        const char *letter;
        Handler handler;
    };
    const ReportButton reportButtons[] = {
        {&TfrmQEL5100::bbDetail, "bbDetail", 264, "Detail Report.", "D", &TfrmQEL5100::DetailReport1Click},
        {&TfrmQEL5100::bbSummary, "bbSummary", 289, "Summary report.", "S", &TfrmQEL5100::TradeSummary1Click},
        {&TfrmQEL5100::bbProfit, "bbProfit", 314, "Profit report.", "P", &TfrmQEL5100::ProfitReport1Click},
        {&TfrmQEL5100::bbMultiple, "bbMultiple", 339, "Muultiple trades.", "M", &TfrmQEL5100::MultipleTrades1Click},
        {&TfrmQEL5100::bbStopLoss, "bbStopLoss", 364, "Stop loss report.", "L", &TfrmQEL5100::StopLossReport1Click},
        {&TfrmQEL5100::bbSideways, "bbSideways", 389, "Sideways report.", "W", &TfrmQEL5100::SidewaysReport1Click},
        {&TfrmQEL5100::bbTrades, "bbTrades", 414, "Algorithm trades.", "T", &TfrmQEL5100::AlgorithmTrades1Click},
        {&TfrmQEL5100::bbYearly, "bbYearly", 439, "Yearly report.", "Y", &TfrmQEL5100::YearlyProfitReport1Click},
    };
    QPushButton *previous = nullptr;
    for (const ReportButton &row : reportButtons) {
        auto *button = MakeChild<QPushButton>(tlbQEL, row.name, row.x, 2, 25, 25, QLatin1String(row.letter));
        button->setToolTip(QLatin1String(row.hint));
        button->setFont(DesignFont(QStringLiteral("Arial"), 11, true));
        connect(button, &QPushButton::clicked, this, Guarded([this, h = row.handler] { (this->*h)(); }));
        // Tab order runs from the yearly button back to the detail button.
        if (previous)
            QWidget::setTabOrder(button, previous);
        previous = button;
        this->*row.member = button;
    }

    ImgSpacer = MakeChild<QLabel>(tlbQEL, "ImgSpacer", 464, 2, 273, 25);

    pnlLogo = MakeChild<QFrame>(tlbQEL, "pnlLogo", 737, 2, 54, 25);
    pnlLogo->setFrameStyle(QFrame::Panel | QFrame::Raised);
    imgLogo = MakeChild<TImage>(pnlLogo, "imgLogo", 2, 1, 50, 22);
    imgLogo->setToolTip(QStringLiteral("Control panel."));
    imgLogo->setPixmap(LogoPicture());

    connect(imgLogo, &TImage::clicked, this, Guarded([this] { ControlPanel1Click(); }));
}

void TfrmQEL5100::BuildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    MenuBuilder menus(bar, this);

    File1 = menus.Menu("File1", "&File");
    Open1 = menus.Item(File1, "Open1", "&Open", &TfrmQEL5100::Open1Click);
    Print1 = menus.Item(File1, "Print1", "Print", nullptr);
    Print1->setEnabled(false);
    Exit1 = menus.Item(File1, "Exit1", "E&xit", &TfrmQEL5100::Exit1Click);

    Reports1 = menus.Menu("Reports1", "&Reports");
    DetailReport1 = Reports1->addMenu(QStringLiteral("Detail Report"));
    DetailReport1->setObjectName(QStringLiteral("DetailReport1"));
    ShortVersion1 = menus.Item(DetailReport1, "ShortVersion1", "Short Version", &TfrmQEL5100::DetailReport1Click);
    FullVersion1 = menus.Item(DetailReport1, "FullVersion1", "Full Version", &TfrmQEL5100::FullVersion1Click);
    MaxVersion1 = menus.Item(DetailReport1, "MaxVersion1", "Max Version", &TfrmQEL5100::MaxVersion1Click);
    ProfitReport1 = menus.Item(Reports1, "ProfitReport1", "Profit Report", &TfrmQEL5100::ProfitReport1Click);
    TradeSummary1 = menus.Item(Reports1, "TradeSummary1", "Trade Summary", &TfrmQEL5100::TradeSummary1Click);
    MultipleTrades1 = menus.Item(Reports1, "MultipleTrades1", "Multiple Trades ", &TfrmQEL5100::MultipleTrades1Click);
    StopLossReport1 = menus.Item(Reports1, "StopLossReport1", "Stop Loss ", &TfrmQEL5100::StopLossReport1Click);
    SidewaysReport1 = menus.Item(Reports1, "SidewaysReport1", "Sideways Market", &TfrmQEL5100::SidewaysReport1Click);
    AlgorithmTrades1 = menus.Item(Reports1, "AlgorithmTrades1", "Algorithm Trades", &TfrmQEL5100::AlgorithmTrades1Click);
    YearlyProfitReport1 = menus.Item(Reports1, "YearlyProfitReport1", "Yearly Profit ", &TfrmQEL5100::YearlyProfitReport1Click);
    ClearWindow1 = menus.Item(Reports1, "ClearWindow1", "Clear Screen", &TfrmQEL5100::ClearWindow1Click);

    Tools1 = menus.Menu("Tools1", "&Tools");
    PriceEditor1 = menus.Item(Tools1, "PriceEditor1", "Editor", &TfrmQEL5100::PriceEditor1Click);
    ChangeParams1 = menus.Item(Tools1, "ChangeParams1", "Params", &TfrmQEL5100::ChangeParams1Click);
    Signals1 = menus.Item(Tools1, "Signals1", "Signals", &TfrmQEL5100::Signals1Click);
    ChartViewer1 = menus.Item(Tools1, "ChartViewer1", "Charts", &TfrmQEL5100::ChartViewer1Click);
    BondCalendar1 = menus.Item(Tools1, "BondCalendar1", "Calendar", &TfrmQEL5100::BondCalendar1Click);

    View1 = menus.Menu("View1", "&View");
    ToolBar1 = menus.Item(View1, "ToolBar1", "Tool Bar", &TfrmQEL5100::ToolBar1Click);
    ToolBar1->setCheckable(true);
    ToolBar1->setChecked(true);
    ControlPanel1 = menus.Item(View1, "ControlPanel1", "Control Panel", &TfrmQEL5100::ControlPanel1Click);
    View2ndReport1 = menus.Item(View1, "View2ndReport1", "Second Report", &TfrmQEL5100::View2ndReport1Click);
    View2ndReport1->setCheckable(true);

    Color1 = menus.Menu("Color1", "&Color");
    MainWindow2 = menus.Item(Color1, "MainWindow2", "Main window", &TfrmQEL5100::ChangeColor1Click);
    SecondaryWindow2 = menus.Item(Color1, "SecondaryWindow2", "Secondary window", &TfrmQEL5100::ChangeColor21Click);
    Floatingwindow2 = menus.Item(Color1, "Floatingwindow2", "Floating window", &TfrmQEL5100::ChangeColor31Click);

    Help1 = menus.Menu("Help1", "&Help");
    FastStart1 = menus.Item(Help1, "FastStart1", "Fast Start", &TfrmQEL5100::FastStart1Click);
    Help2 = menus.Item(Help1, "Help2", "Contents", &TfrmQEL5100::Help2Click);
    About1 = menus.Item(Help1, "About1", "About", &TfrmQEL5100::About1Click);

}

int TfrmQEL5100::ClientHeight() const
{
    return ClientArea->height();
}

void TfrmQEL5100::SetMainPaneHeight(int height)
{
    m_mainPaneHeight = std::max(height, MainPaneMinHeight);
    Relayout();
}

void TfrmQEL5100::Relayout()
{
    const int width = ClientArea->width();
    const int height = ClientArea->height();
    int y = 0;
    if (!tlbQEL->isHidden()) {
        Place(tlbQEL, 0, 0, width, ToolBarHeight);
        LayoutToolBar();
        y = ToolBarHeight;
    }
    Place(mmQEL, 0, y, width, m_mainPaneHeight);
    y += m_mainPaneHeight;
    const int splitterHeight = HSplitter->height();
    Place(HSplitter, 0, y, width, splitterHeight);
    y += splitterHeight;
    Place(mmReport2, 0, y, width, std::max(0, height - y));
}

void TfrmQEL5100::LayoutToolBar()
{
    // The logo panel keeps to the right edge of the tool bar.
    pnlLogo->move(std::max(ImgSpacer->x() + ImgSpacer->width(), tlbQEL->width() - pnlLogo->width() - 3),
                  pnlLogo->y());
}

bool TfrmQEL5100::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ClientArea && event->type() == QEvent::Resize)
        Relayout();
    else if (watched == tlbQEL && event->type() == QEvent::Resize)
        LayoutToolBar();
    return QMainWindow::eventFilter(watched, event);
}

void TfrmQEL5100::closeEvent(QCloseEvent *event)
{
    // The calendar's unsaved notes are not left behind without a question.
    if (frmCalendar && !frmCalendar->CanEndProgram()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void TfrmQEL5100::FormCreate()
{
    HSplitter->setFixedHeight(1);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 800;
    ImgSpacer->resize(screenWidth - 520, ImgSpacer->height());
    Relayout();
}

void TfrmQEL5100::Exit1Click()
{
    close();
}

// ---------------------------------------------------------------- runs

void TfrmQEL5100::MVRMainIndicators1Click()
{
    Runs.RunMVR();
}

void TfrmQEL5100::KQ4ChaosIndicators1Click()
{
    Runs.RunKQ4();
}

void TfrmQEL5100::QEL5100RunSystem1Click()
{
    Runs.RunSystem();
}

void TfrmQEL5100::ShowSignalDate()
{
    Runs.ShowSignalDate();
}

void TfrmQEL5100::ShowSummaryReport(const QString &fileName)
{
    // The main pane takes it whichever pane is active, and the caption is
    // the main title alone.
    mmQEL->Clear();
    mmQEL->SetScrollBars(ScrollBars::Vertical);
    mmQEL->SetColor(Report.MainPaneColor);
    mmQEL->LoadFromFile(fileName);
    Report.MainPaneTitle = QStringLiteral(" Profit Summary Report");
    setWindowTitle(Report.MainPaneTitle);
}

// ---------------------------------------------------------------- reports

// The ten reports: file, title, scroll bars, where they show, and whether
// the detail jump to the week's signal date follows. A pane report's titles
// are " " + title (main pane) and title (second pane); a floating report's
// caption is " " + title.
struct ReportView {
    const char *file;
    const char *title;
    ScrollBars bars;
    bool floating;
    bool detailJump;
};
namespace {
const ReportView DetailReport{"DT3.REP", "Detail Report", ScrollBars::Both, false, true};
const ReportView ProfitReport{"SUM.REP", "Profit Summary Report", ScrollBars::Vertical, false, false};
const ReportView TradeSummary{"SRP.REP", "Trades Summary Report", ScrollBars::Vertical, false, false};
const ReportView MultipleTrades{"MUL.REP", "Multiple Trades Report", ScrollBars::Vertical, false, false};
const ReportView AlgorithmTrades{"TRD.REP", "Algorithm Trades Report", ScrollBars::Vertical, false, false};
const ReportView YearlyProfit{"YRP.REP", "Yearly Profit Report", ScrollBars::Vertical, false, false};
const ReportView StopLoss{"STP.REP", "Check the Stop Loss Report", ScrollBars::Vertical, true, false};
const ReportView Sideways{"SDW.REP", "Sideways Market Report", ScrollBars::Vertical, true, false};
const ReportView FullDetail{"DT2.REP", "Full Detail Report", ScrollBars::Both, true, false};
const ReportView MaxDetail{"DET.REP", "Max Version Detail Report", ScrollBars::Both, true, false};
} // namespace

void TfrmQEL5100::ShowReport(const ReportView &report)
{
    const QString file = QLatin1String(report.file);
    const QString title = QLatin1String(report.title);
    if (report.floating) {
        frmFullReport->ShowLines(TextFiles::ReadLines(file), QLatin1Char(' ') + title, report.bars);
        return;
    }
    TMemo *pane = Report.ActivePane == 0 ? mmQEL : mmReport2;
    pane->Clear();
    pane->SetScrollBars(report.bars);
    pane->LoadFromFile(file);
    Report.SetActiveTitle(QLatin1Char(' ') + title, title);
    if (report.detailJump) {
        const DetailJump jump = FindDetailJump(pane->Lines(), Runs.SignalDateKey);
        if (jump.found) {
            pane->setFocus(Qt::OtherFocusReason);
            PlaceCaret(pane, jump.line, jump.column);
        }
    }
    setWindowTitle(Report.JoinedCaption());
}

void TfrmQEL5100::DetailReport1Click() { ShowReport(DetailReport); }
void TfrmQEL5100::ProfitReport1Click() { ShowReport(ProfitReport); }
void TfrmQEL5100::TradeSummary1Click() { ShowReport(TradeSummary); }
void TfrmQEL5100::MultipleTrades1Click() { ShowReport(MultipleTrades); }
void TfrmQEL5100::AlgorithmTrades1Click() { ShowReport(AlgorithmTrades); }
void TfrmQEL5100::YearlyProfitReport1Click() { ShowReport(YearlyProfit); }
void TfrmQEL5100::StopLossReport1Click() { ShowReport(StopLoss); }
void TfrmQEL5100::SidewaysReport1Click() { ShowReport(Sideways); }
void TfrmQEL5100::FullVersion1Click() { ShowReport(FullDetail); }
void TfrmQEL5100::MaxVersion1Click() { ShowReport(MaxDetail); }

void TfrmQEL5100::Open1Click()
{
    OpenDialogInitialDir = QDir::currentPath();
    OpenDialogFilterIndex = 1;
    const QStringList chosen =
        Dialogs::OpenFileNames(this, OpenDialogInitialDir, OpenFilter, OpenDialogFilterIndex, true);
    if (chosen.isEmpty())
        return;
    frmFullReport->ShowLines(TextFiles::ReadLines(chosen.first()), DesignCaption, ScrollBars::Vertical);
}

void TfrmQEL5100::ClearWindow1Click()
{
    TMemo *pane = Report.ActivePane == 0 ? mmQEL : mmReport2;
    pane->Clear();
    pane->SetScrollBars(ScrollBars::None);
    Report.ClearActiveTitle();
    setWindowTitle(Report.CaptionAfterClear());
}

void TfrmQEL5100::mmQELClick()
{
    Report.ActivePane = 0;
}

void TfrmQEL5100::mmReport2Click()
{
    Report.ActivePane = 1;
}

// ---------------------------------------------------------------- views

void TfrmQEL5100::View2ndReport1Click()
{
    Report.ActivePane = 1 - Report.SplitView;
    const bool opening = Report.ActivePane == 1;
    HSplitter->setFixedHeight(opening ? 3 : 1);
    View2ndReport1->setChecked(opening);
    m_mainPaneHeight = MainPaneHeightOnSplit(opening, ClientHeight(), Report.ToolBarShown == 1);
    Report.SplitView = Report.ActivePane;
    Relayout();
}

void TfrmQEL5100::ToolBar1Click()
{
    Report.ToolBarShown = 1 - Report.ToolBarShown;
    const bool shown = Report.ToolBarShown == 1;
    ToolBar1->setChecked(shown);
    tlbQEL->setVisible(shown);
    m_mainPaneHeight = MainPaneHeightOnToolBar(m_mainPaneHeight, ToolBarHeight, shown);
    Relayout();
}

void TfrmQEL5100::ChangeColor1Click()
{
    Report.MainPaneColourFlag = 1 - Report.MainPaneColourFlag;
    mmQEL->SetColor(Report.MainPaneColourFlag == 1 ? clWhite : ReportPaneColor);
    Report.MainPaneColor = mmQEL->Color();
}

void TfrmQEL5100::ChangeColor21Click()
{
    Report.SecondPaneColourFlag = 1 - Report.SecondPaneColourFlag;
    mmReport2->SetColor(Report.SecondPaneColourFlag == 1 ? clWhite : ReportPaneColor);
}

void TfrmQEL5100::ChangeColor31Click()
{
    Report.FloatingColourFlag = 1 - Report.FloatingColourFlag;
    frmFullReport->SetPaneColor(Report.FloatingColourFlag == 1 ? FloatingTintColor : clWhite);
}

void TfrmQEL5100::ControlPanel1Click()
{
    if (frmControlPanel->OnScreen())
        frmControlPanel->hide();
    else
        frmControlPanel->ShowAbove();
}

void TfrmQEL5100::About1Click()
{
    const TColor mainColour = mmQEL->Color();
    const TColor secondColour = mmReport2->Color();
    mmQEL->SetColor(clBlack);
    mmReport2->SetColor(clBlack);
    frmControlPanel->hide();
    frmFullReport->hide();
    // The panes get their colours back however the box is left.
    struct Restore {
        TfrmQEL5100 *window;
        TColor main, second;
        ~Restore()
        {
            window->mmQEL->SetColor(main);
            window->mmReport2->SetColor(second);
        }
    } restore{this, mainColour, secondColour};
    Dialogs::ExecModal(frmQelAbout);
    frmControlPanel->ShowAbove();
}

void TfrmQEL5100::ChangeParams1Click()
{
    Dialogs::ExecModal(frmQelparam);
}

void TfrmQEL5100::PriceEditor1Click()
{
    Dialogs::ExecModal(frmEditorMain);
}

void TfrmQEL5100::Signals1Click()
{
    frmTChart->ShowCentred();
}

void TfrmQEL5100::ChartViewer1Click()
{
    frmChartsMain->ShowCentred();
}

void TfrmQEL5100::BondCalendar1Click()
{
    frmCalendar->ShowCentred();
}

void TfrmQEL5100::Help2Click()
{
    HelpViewer::ShowContents(QStringLiteral("QEL5100.HLP"));
}

void TfrmQEL5100::FastStart1Click()
{
    HelpViewer::ShowContents(QStringLiteral("FASTART.HLP"));
}
