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
#include "platform/launcher.h"
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
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QFont FixedPitch(const QString &family, int pixelHeight)
{
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelHeight);
    return font;
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

// Puts the caret on a line and column of a pane and scrolls to it.
void PlaceCaret(TMemo *pane, int line, int column)
{
    const QTextBlock block = pane->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + std::min(column, block.length() - 1));
    pane->setTextCursor(cursor);
    pane->ensureCursorVisible();
}

// The hourglass stays up only while a program runs; it goes back to the
// default cursor however the run ends.
class HourglassCursor {
public:
    HourglassCursor()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // Hand the cursor change to the display once; the run that follows
        // blocks the thread, and an unsent change would show only after it.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;
};
} // namespace

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
{
    setObjectName(QStringLiteral("frmQEL5100"));
    setWindowTitle(DesignCaption);
    resize(802, 576);
    setFont(SansSerif(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(clGray));
    setPalette(palette);

    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->installEventFilter(this);
    setCentralWidget(ClientArea);

    BuildToolBar();

    mmQEL = new TMemo(ClientArea);
    mmQEL->setObjectName(QStringLiteral("mmQEL"));
    mmQEL->SetReadOnly(true);
    mmQEL->setFont(FixedPitch(QStringLiteral("Courier New"), 11));
    mmQEL->SetColor(MainPaneDesignColor);
    mmQEL->SetLines({QString()});
    mmQEL->setMinimumHeight(MainPaneMinHeight);

    HSplitter = new TSplitter(ClientArea);
    HSplitter->setObjectName(QStringLiteral("HSplitter"));
    HSplitter->setFixedHeight(3);

    mmReport2 = new TMemo(ClientArea);
    mmReport2->setObjectName(QStringLiteral("mmReport2"));
    mmReport2->SetReadOnly(true);
    mmReport2->setFont(FixedPitch(QStringLiteral("Courier New"), 11));
    mmReport2->SetColor(ReportPaneColor);

    connect(mmQEL, &TMemo::clicked, this, Guarded([this] { mmQELClick(); }));
    connect(mmReport2, &TMemo::clicked, this, Guarded([this] { mmReport2Click(); }));
    connect(HSplitter, &TSplitter::dragged, this, [this](int dy) { SetMainPaneHeight(m_mainPaneHeight + dy); });

    BuildMenu();
    Relayout();
}

void TfrmQEL5100::BuildToolBar()
{
    tlbQEL = new QFrame(ClientArea);
    tlbQEL->setObjectName(QStringLiteral("tlbQEL"));
    tlbQEL->setAutoFillBackground(true);
    QPalette palette = tlbQEL->palette();
    palette.setColor(QPalette::Window, ToQColor(clSilver));
    tlbQEL->setPalette(palette);
    tlbQEL->installEventFilter(this);

    Bevel1 = new QFrame(tlbQEL);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Raised);
    Place(Bevel1, 0, 29, 656, 2);

    auto speed = [this](const char *name, int x, const char *hint, const QIcon &icon, int width = 25) {
        auto *button = new QToolButton(tlbQEL);
        button->setObjectName(QLatin1String(name));
        button->setAutoRaise(true);
        button->setToolTip(QLatin1String(hint));
        button->setIcon(icon);
        Place(button, x, 2, width, 25);
        return button;
    };
    spEditor = speed("spEditor", 0, "Price file editor.", Glyph(QStringLiteral("E"), QColor(0x30, 0x70, 0xB0)));
    spParams = speed("spParams", 25, "Params panel.", Glyph(QStringLiteral("P"), QColor(0x40, 0x90, 0x40)));
    spSignals = speed("spSignals", 50, "Signals plotter.", Glyph(QStringLiteral("S"), QColor(0xB0, 0x30, 0x30)));
    spCharts = speed("spCharts", 75, "Historical charts.", Glyph(QStringLiteral("H"), QColor(0x60, 0x40, 0x90)));
    spCalendar = speed("spCalendar", 100, "Calendar.", Glyph(QStringLiteral("C"), QColor(0x90, 0x70, 0x20)));
    spControlPanel = speed("spControlPanel", 125, "Control panel.", Glyph(QStringLiteral("CP"), QColor(0x20, 0x20, 0x20)));
    spSecondReport = speed("spSecondReport", 150, "Split screen.", Glyph(QStringLiteral("="), QColor(0x50, 0x50, 0x90)));
    SpeedButton8 = speed("SpeedButton8", 175, "", QIcon(), 7);
    SpeedButton8->setToolTip(QString());
    spMainWindow = speed("spMainWindow", 182, "Color main window.", Glyph(QStringLiteral("1"), QColor(0xA0, 0x90, 0x60)));
    spSecandaryWindow = speed("spSecandaryWindow", 207, "Color secondary window.", Glyph(QStringLiteral("2"), QColor(0xA0, 0x90, 0x60)));
    spFloatingWindow = speed("spFloatingWindow", 232, "Color floating window.", Glyph(QStringLiteral("3"), QColor(0xA0, 0x90, 0x60)));
    SpeedButton9 = speed("SpeedButton9", 257, "", QIcon(), 7);
    SpeedButton9->setToolTip(QString());

    auto report = [this](const char *name, int x, const char *hint, const char *label) {
        auto *button = new QPushButton(tlbQEL);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(QLatin1String(hint));
        button->setText(QLatin1String(label));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        font.setBold(true);
        button->setFont(font);
        Place(button, x, 2, 25, 25);
        return button;
    };
    bbDetail = report("bbDetail", 264, "Detail Report.", "D");
    bbSummary = report("bbSummary", 289, "Summary report.", "S");
    bbProfit = report("bbProfit", 314, "Profit report.", "P");
    bbMultiple = report("bbMultiple", 339, "Muultiple trades.", "M");
    bbStopLoss = report("bbStopLoss", 364, "Stop loss report.", "L");
    bbSideways = report("bbSideways", 389, "Sideways report.", "W");
    bbTrades = report("bbTrades", 414, "Algorithm trades.", "T");
    bbYearly = report("bbYearly", 439, "Yearly report.", "Y");
    // Tab order runs from the yearly button back to the detail button.
    QWidget::setTabOrder(bbYearly, bbTrades);
    QWidget::setTabOrder(bbTrades, bbSideways);
    QWidget::setTabOrder(bbSideways, bbStopLoss);
    QWidget::setTabOrder(bbStopLoss, bbMultiple);
    QWidget::setTabOrder(bbMultiple, bbProfit);
    QWidget::setTabOrder(bbProfit, bbSummary);
    QWidget::setTabOrder(bbSummary, bbDetail);

    ImgSpacer = new QLabel(tlbQEL);
    ImgSpacer->setObjectName(QStringLiteral("ImgSpacer"));
    Place(ImgSpacer, 464, 2, 273, 25);

    pnlLogo = new QFrame(tlbQEL);
    pnlLogo->setObjectName(QStringLiteral("pnlLogo"));
    pnlLogo->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Place(pnlLogo, 737, 2, 54, 25);
    imgLogo = new TImage(pnlLogo);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setToolTip(QStringLiteral("Control panel."));
    imgLogo->setPixmap(LogoPicture());
    Place(imgLogo, 2, 1, 50, 22);

    connect(spEditor, &QToolButton::clicked, this, Guarded([this] { PriceEditor1Click(); }));
    connect(spParams, &QToolButton::clicked, this, Guarded([this] { ChangeParams1Click(); }));
    connect(spSignals, &QToolButton::clicked, this, Guarded([this] { Signals1Click(); }));
    connect(spCharts, &QToolButton::clicked, this, Guarded([this] { ChartViewer1Click(); }));
    connect(spCalendar, &QToolButton::clicked, this, Guarded([this] { BondCalendar1Click(); }));
    connect(spControlPanel, &QToolButton::clicked, this, Guarded([this] { ControlPanel1Click(); }));
    connect(spSecondReport, &QToolButton::clicked, this, Guarded([this] { View2ndReport1Click(); }));
    connect(spMainWindow, &QToolButton::clicked, this, Guarded([this] { ChangeColor1Click(); }));
    connect(spSecandaryWindow, &QToolButton::clicked, this, Guarded([this] { ChangeColor21Click(); }));
    connect(spFloatingWindow, &QToolButton::clicked, this, Guarded([this] { ChangeColor31Click(); }));
    connect(bbDetail, &QPushButton::clicked, this, Guarded([this] { DetailReport1Click(); }));
    connect(bbSummary, &QPushButton::clicked, this, Guarded([this] { TradeSummary1Click(); }));
    connect(bbProfit, &QPushButton::clicked, this, Guarded([this] { ProfitReport1Click(); }));
    connect(bbMultiple, &QPushButton::clicked, this, Guarded([this] { MultipleTrades1Click(); }));
    connect(bbStopLoss, &QPushButton::clicked, this, Guarded([this] { StopLossReport1Click(); }));
    connect(bbSideways, &QPushButton::clicked, this, Guarded([this] { SidewaysReport1Click(); }));
    connect(bbTrades, &QPushButton::clicked, this, Guarded([this] { AlgorithmTrades1Click(); }));
    connect(bbYearly, &QPushButton::clicked, this, Guarded([this] { YearlyProfitReport1Click(); }));
    connect(imgLogo, &TImage::clicked, this, Guarded([this] { ControlPanel1Click(); }));
}

void TfrmQEL5100::BuildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QMenu *menu, const char *name, const char *caption, void (TfrmQEL5100::*handler)()) {
        QAction *action = menu->addAction(QLatin1String(caption));
        action->setObjectName(QLatin1String(name));
        if (handler)
            connect(action, &QAction::triggered, this, Guarded([this, handler] { (this->*handler)(); }));
        return action;
    };
    auto menu = [bar](const char *name, const char *caption) {
        QMenu *m = bar->addMenu(QLatin1String(caption));
        m->setObjectName(QLatin1String(name));
        return m;
    };

    File1 = menu("File1", "&File");
    Open1 = item(File1, "Open1", "&Open", &TfrmQEL5100::Open1Click);
    Print1 = item(File1, "Print1", "Print", nullptr);
    Print1->setEnabled(false);
    Exit1 = item(File1, "Exit1", "E&xit", &TfrmQEL5100::Exit1Click);

    Reports1 = menu("Reports1", "&Reports");
    DetailReport1 = Reports1->addMenu(QStringLiteral("Detail Report"));
    DetailReport1->setObjectName(QStringLiteral("DetailReport1"));
    ShortVersion1 = item(DetailReport1, "ShortVersion1", "Short Version", &TfrmQEL5100::DetailReport1Click);
    FullVersion1 = item(DetailReport1, "FullVersion1", "Full Version", &TfrmQEL5100::FullVersion1Click);
    MaxVersion1 = item(DetailReport1, "MaxVersion1", "Max Version", &TfrmQEL5100::MaxVersion1Click);
    ProfitReport1 = item(Reports1, "ProfitReport1", "Profit Report", &TfrmQEL5100::ProfitReport1Click);
    TradeSummary1 = item(Reports1, "TradeSummary1", "Trade Summary", &TfrmQEL5100::TradeSummary1Click);
    MultipleTrades1 = item(Reports1, "MultipleTrades1", "Multiple Trades ", &TfrmQEL5100::MultipleTrades1Click);
    StopLossReport1 = item(Reports1, "StopLossReport1", "Stop Loss ", &TfrmQEL5100::StopLossReport1Click);
    SidewaysReport1 = item(Reports1, "SidewaysReport1", "Sideways Market", &TfrmQEL5100::SidewaysReport1Click);
    AlgorithmTrades1 = item(Reports1, "AlgorithmTrades1", "Algorithm Trades", &TfrmQEL5100::AlgorithmTrades1Click);
    YearlyProfitReport1 = item(Reports1, "YearlyProfitReport1", "Yearly Profit ", &TfrmQEL5100::YearlyProfitReport1Click);
    ClearWindow1 = item(Reports1, "ClearWindow1", "Clear Screen", &TfrmQEL5100::ClearWindow1Click);

    Tools1 = menu("Tools1", "&Tools");
    PriceEditor1 = item(Tools1, "PriceEditor1", "Editor", &TfrmQEL5100::PriceEditor1Click);
    ChangeParams1 = item(Tools1, "ChangeParams1", "Params", &TfrmQEL5100::ChangeParams1Click);
    Signals1 = item(Tools1, "Signals1", "Signals", &TfrmQEL5100::Signals1Click);
    ChartViewer1 = item(Tools1, "ChartViewer1", "Charts", &TfrmQEL5100::ChartViewer1Click);
    BondCalendar1 = item(Tools1, "BondCalendar1", "Calendar", &TfrmQEL5100::BondCalendar1Click);

    View1 = menu("View1", "&View");
    ToolBar1 = item(View1, "ToolBar1", "Tool Bar", &TfrmQEL5100::ToolBar1Click);
    ToolBar1->setCheckable(true);
    ToolBar1->setChecked(true);
    ControlPanel1 = item(View1, "ControlPanel1", "Control Panel", &TfrmQEL5100::ControlPanel1Click);
    View2ndReport1 = item(View1, "View2ndReport1", "Second Report", &TfrmQEL5100::View2ndReport1Click);
    View2ndReport1->setCheckable(true);

    Color1 = menu("Color1", "&Color");
    MainWindow2 = item(Color1, "MainWindow2", "Main window", &TfrmQEL5100::ChangeColor1Click);
    SecondaryWindow2 = item(Color1, "SecondaryWindow2", "Secondary window", &TfrmQEL5100::ChangeColor21Click);
    Floatingwindow2 = item(Color1, "Floatingwindow2", "Floating window", &TfrmQEL5100::ChangeColor31Click);

    Help1 = menu("Help1", "&Help");
    FastStart1 = item(Help1, "FastStart1", "Fast Start", &TfrmQEL5100::FastStart1Click);
    Help2 = item(Help1, "Help2", "Contents", &TfrmQEL5100::Help2Click);
    About1 = item(Help1, "About1", "About", &TfrmQEL5100::About1Click);

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
    if (frmCalendar && !frmCalendar->CanClose()) {
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

int TfrmQEL5100::RunBatchProgram(const QString &programName)
{
    HourglassCursor hourglass;
    return static_cast<int>(RunProgramAndWait(programName, programName, true));
}

void TfrmQEL5100::MVRMainIndicators1Click()
{
    ProcessStage = DecideRun(ProcessStage, RunKind::MVR).nextStage;
    frmControlPanel->imgControlPanel->LoadFromFile(QStringLiteral("MVR.BMP"));
    RunBatchProgram(QStringLiteral("MVR.DLL"));
    frmControlPanel->mmControlPanel->SetLines(TextFiles::ReadLines(QStringLiteral("MESSAGES.MVR")));
    Files::DeleteFile(QStringLiteral("MESSAGES.MVR"));
}

void TfrmQEL5100::KQ4ChaosIndicators1Click()
{
    const RunDecision decision = DecideRun(ProcessStage, RunKind::KQ4);
    if (!decision.allowed) {
        Dialogs::Warning(decision.refusal);
        return;
    }
    ProcessStage = decision.nextStage;
    frmControlPanel->imgControlPanel->LoadFromFile(QStringLiteral("KQ4.BMP"));
    RunBatchProgram(QStringLiteral("KQ4.DLL"));
    TMemo *memo = frmControlPanel->mmControlPanel;
    memo->AppendLine(QStringLiteral(" "));
    const QStringList lines = TextFiles::ReadLines(QStringLiteral("MESSAGES.KQ4"));
    for (const QString &line : lines)
        memo->AppendLine(line);
    Files::DeleteFile(QStringLiteral("MESSAGES.KQ4"));
}

void TfrmQEL5100::QEL5100RunSystem1Click()
{
    const RunDecision decision = DecideRun(ProcessStage, RunKind::System);
    if (!decision.allowed) {
        Dialogs::Warning(decision.refusal);
        return;
    }
    frmControlPanel->imgControlPanel->LoadFromFile(QStringLiteral("PXD.BMP"));
    RunBatchProgram(QStringLiteral("PXD.DLL"));

    mmQEL->Clear();
    mmQEL->SetScrollBars(ScrollBars::Vertical);
    mmQEL->SetColor(Report.MainPaneColor);
    mmQEL->LoadFromFile(QStringLiteral("SUM.REP"));
    Report.MainPaneTitle = QStringLiteral(" Profit Summary Report");
    setWindowTitle(Report.MainPaneTitle);

    SignalLine = TextFiles::ReadFirstLine(QStringLiteral("SIGNAL.PXD"));
    frmTChart->mmTChart->SetLines(TextFiles::ReadLines(QStringLiteral("TCHART.TCH")));
    frmControlPanel->mmControlPanel->SetLines(TextFiles::ReadLines(QStringLiteral("MESSAGES.PXD")));
    Files::DeleteFile(QStringLiteral("MESSAGES.PXD"));
    ShowSignalDate();
    SignalDateKey = SignalFile::SignalDateKey(SignalLine);
    SignalCode = SignalFile::SignalCode(SignalLine);
    const QString picture = SignalFile::SignalPicture(SignalCode);
    if (!picture.isEmpty())
        frmControlPanel->imgControlPanel->LoadFromFile(picture);
    StopLossReport1Click();
    frmControlPanel->show();
}

void TfrmQEL5100::ShowSignalDate()
{
    frmControlPanel->pnlTradingSignal->setText(SignalFile::SignalCaption(SignalLine));
}

// ---------------------------------------------------------------- reports

void TfrmQEL5100::PaneReport(const QString &fileName, const QString &mainTitle, const QString &secondTitle,
                             ScrollBars bars, bool detailJump)
{
    TMemo *pane = Report.ActivePane == 0 ? mmQEL : mmReport2;
    pane->Clear();
    pane->SetScrollBars(bars);
    pane->LoadFromFile(fileName);
    Report.SetActiveTitle(mainTitle, secondTitle);
    if (detailJump) {
        const DetailJump jump = FindDetailJump(pane->Lines(), SignalDateKey);
        if (jump.found) {
            pane->setFocus(Qt::OtherFocusReason);
            PlaceCaret(pane, jump.line, jump.column);
        }
    }
    setWindowTitle(Report.JoinedCaption());
}

void TfrmQEL5100::FloatingReport(const QString &fileName, const QString &caption, ScrollBars bars)
{
    const QStringList lines = TextFiles::ReadLines(fileName);
    frmFullReport->mmFullReport->SetLines(lines);
    frmFullReport->setWindowTitle(caption);
    frmFullReport->mmFullReport->SetScrollBars(bars);
    frmFullReport->ShowCentred();
}

void TfrmQEL5100::DetailReport1Click()
{
    PaneReport(QStringLiteral("DT3.REP"), QStringLiteral(" Detail Report"), QStringLiteral("Detail Report"),
               ScrollBars::Both, true);
}

void TfrmQEL5100::ProfitReport1Click()
{
    PaneReport(QStringLiteral("SUM.REP"), QStringLiteral(" Profit Summary Report"),
               QStringLiteral("Profit Summary Report"), ScrollBars::Vertical, false);
}

void TfrmQEL5100::TradeSummary1Click()
{
    PaneReport(QStringLiteral("SRP.REP"), QStringLiteral(" Trades Summary Report"),
               QStringLiteral("Trades Summary Report"), ScrollBars::Vertical, false);
}

void TfrmQEL5100::MultipleTrades1Click()
{
    PaneReport(QStringLiteral("MUL.REP"), QStringLiteral(" Multiple Trades Report"),
               QStringLiteral("Multiple Trades Report"), ScrollBars::Vertical, false);
}

void TfrmQEL5100::AlgorithmTrades1Click()
{
    PaneReport(QStringLiteral("TRD.REP"), QStringLiteral(" Algorithm Trades Report"),
               QStringLiteral("Algorithm Trades Report"), ScrollBars::Vertical, false);
}

void TfrmQEL5100::YearlyProfitReport1Click()
{
    PaneReport(QStringLiteral("YRP.REP"), QStringLiteral(" Yearly Profit Report"),
               QStringLiteral("Yearly Profit Report"), ScrollBars::Vertical, false);
}

void TfrmQEL5100::StopLossReport1Click()
{
    FloatingReport(QStringLiteral("STP.REP"), QStringLiteral(" Check the Stop Loss Report"), ScrollBars::Vertical);
}

void TfrmQEL5100::SidewaysReport1Click()
{
    FloatingReport(QStringLiteral("SDW.REP"), QStringLiteral(" Sideways Market Report"), ScrollBars::Vertical);
}

void TfrmQEL5100::FullVersion1Click()
{
    FloatingReport(QStringLiteral("DT2.REP"), QStringLiteral(" Full Detail Report"), ScrollBars::Both);
}

void TfrmQEL5100::MaxVersion1Click()
{
    FloatingReport(QStringLiteral("DET.REP"), QStringLiteral(" Max Version Detail Report"), ScrollBars::Both);
}

void TfrmQEL5100::Open1Click()
{
    OpenDialogInitialDir = QDir::currentPath();
    OpenDialogFilterIndex = 1;
    const QStringList chosen =
        Dialogs::OpenFileNames(this, OpenDialogInitialDir, OpenFilter, OpenDialogFilterIndex, true);
    if (chosen.isEmpty())
        return;
    frmFullReport->mmFullReport->SetLines(TextFiles::ReadLines(chosen.first()));
    frmFullReport->setWindowTitle(DesignCaption);
    frmFullReport->mmFullReport->SetScrollBars(ScrollBars::Vertical);
    frmFullReport->ShowCentred();
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
    frmFullReport->mmFullReport->SetColor(Report.FloatingColourFlag == 1 ? FloatingTintColor : clWhite);
}

void TfrmQEL5100::ControlPanel1Click()
{
    frmControlPanel->setVisible(!frmControlPanel->isVisible());
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
    frmControlPanel->show();
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
