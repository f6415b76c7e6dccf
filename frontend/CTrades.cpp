#include "CTrades.h"

#include "chartcolor.h"
#include "colorabout.h"
#include "logic/chartfile.h"
#include "logic/equitychart.h"
#include "logic/pricechart.h"
#include "logic/qelerror.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/files.h"
#include "platform/helpviewer.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <optional>

TfrmTChart *frmTChart = nullptr;
TColor ChartPalette[14] = {};

namespace {

const QString ChartFileName = QStringLiteral("TCHART.TCH");
const QString BondEdition = QStringLiteral("QEL5100.EXE");
const QString NoteEdition = QStringLiteral("QEL7300.EXE");

QRect ScreenRect()
{
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

Palette SharedPalette()
{
    Palette palette{};
    std::copy(std::begin(ChartPalette), std::end(ChartPalette), palette.begin());
    return palette;
}

void SetSharedPalette(const Palette &palette)
{
    std::copy(palette.begin(), palette.end(), ChartPalette);
}

// The client area under the menu bar: shows the last pass's picture, and
// hands mouse clicks and moves to the window.
class TChartCanvas : public QWidget {
public:
    TChartCanvas(TfrmTChart *form, QWidget *parent)
        : QWidget(parent), m_form(form)
    {
        setObjectName(QStringLiteral("TChartCanvas"));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override { m_form->CanvasPaint(this); }
    void mousePressEvent(QMouseEvent *event) override
    {
        m_form->FormMouseDown(event->position().toPoint().x(), event->position().toPoint().y());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        m_form->FormMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            ErrorHandler::Run([this] { m_form->FormClick(); });
    }

private:
    TfrmTChart *m_form;
};

// A drawing pass's surface: the window's picture, its texts in the chart
// font, the caption on the window, and each animated bar shown and paused.
class TChartImageCanvas : public ChartCanvas {
public:
    TChartImageCanvas(TfrmTChart *form, QImage &image)
        : ChartCanvas(reinterpret_cast<uint32_t *>(image.bits()), image.width(), image.height(),
                      static_cast<int>(image.bytesPerLine() / 4)),
          m_form(form), m_image(image)
    {
    }

    void Text(int x, int y, const QString &text, TColor color, std::optional<TColor> background) override
    {
        ChartCanvas::Text(x, y, text, color, background);
        if (!m_painter) {
            m_painter.emplace(&m_image);
            m_painter->setFont(m_form->m_chartFont);
        }
        m_painter->setPen(ToQColor(color));
        if (background) {
            m_painter->setBackgroundMode(Qt::OpaqueMode);
            m_painter->setBackground(ToQColor(*background));
        } else {
            m_painter->setBackgroundMode(Qt::TransparentMode);
        }
        m_painter->drawText(x, y + m_painter->fontMetrics().ascent(), text);
    }

    void SetCaption(const QString &caption) override
    {
        ChartCanvas::SetCaption(caption);
        m_form->setWindowTitle(caption);
    }

    void BarDrawn() override
    {
        ChartCanvas::BarDrawn();
        m_painter.reset();   // the picture is whole before it is shown
        m_form->m_canvas->repaint();
        // A fixed pause; no events are handled meanwhile.
        const qint64 pause = static_cast<qint64>(m_form->EquityDelayMs * 1000000.0);
        if (pause <= 0)
            return;
        QElapsedTimer clock;
        clock.start();
        while (clock.nsecsElapsed() < pause) {
        }
    }

private:
    TfrmTChart *m_form;
    QImage &m_image;
    std::optional<QPainter> m_painter;
};

TfrmTChart::TfrmTChart(QWidget *parent)
    : TForm(QStringLiteral("frmTChart"), parent)
{
    setWindowTitle(QStringLiteral("Norvane"));
    KeepOwnPlace();
    m_chartFont = DesignFont(QStringLiteral("Arial"), 11);
    setFont(m_chartFont);
    m_canvas = new TChartCanvas(this, this);
    SetFace(m_canvas, clGray);
    MainMenu = AddMenuBar(m_canvas);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    BuildMenu();
    SetClientSize(686, 493);

    pnlTChart = MakeChild<QFrame>(m_canvas, "pnlTChart", 0, 0, 88, 29);
    pnlTChart->setAttribute(Qt::WA_NoMousePropagation);   // a click on it is no click on the window
    SetFace(pnlTChart, clSilver);
    cbTChart = MakeChild<QComboBox>(pnlTChart, "cbTChart", 2, 3, 62, 23);
    cbTChart->setFont(FixedPitchFont(13));
    cbTChart->setToolTip(QStringLiteral("Click to plot chart."));
    cbTChart->addItem(QString());
    btnClear = MakeChild<QToolButton>(pnlTChart, "btnClear", 65, 3, 21, 23);
    btnClear->setText(QStringLiteral("x"));
    btnClear->setToolTip(QStringLiteral("Click to hide."));
    connect(cbTChart, &QComboBox::activated, this, Guarded([this] { btnPlotClick(); }));
    connect(btnClear, &QToolButton::clicked, this, Guarded([this] { btnClearClick(); }));

    mmTChart = MakeChild<TLineStore>(this, "mmTChart");
}

void TfrmTChart::BuildMenu()
{
    struct Item {
        const char *menu;
        QAction *TfrmTChart::*action;
        const char *name;
        const char *caption;
        void (TfrmTChart::*handler)();
    };
    static const Item items[] = {
        {"&File", &TfrmTChart::Save1, "Save1", "Save", nullptr},
        {"&File", &TfrmTChart::Print1, "Print1", "Print", nullptr},
        {"&File", &TfrmTChart::Exit1, "Exit1", "Exit", &TfrmTChart::Exit1Click},
        {"&Charts", &TfrmTChart::cDrawChart, "cDrawChart", "Bar Charts", &TfrmTChart::cDrawChartClick},
        {"&Charts", &TfrmTChart::SmallCharts1, "SmallCharts1", "Small Charts", &TfrmTChart::SmallCharts1Click},
        {"&Charts", &TfrmTChart::LargeCharts1, "LargeCharts1", "Large Charts", &TfrmTChart::LargeCharts1Click},
        {"&Charts", &TfrmTChart::DailyCharts1, "DailyCharts1", "Daily Charts", nullptr},
        {"C&olors", &TfrmTChart::ColorPreferences1, "ColorPreferences1", "Custom ", &TfrmTChart::ColorPreferences1Click},
        {"C&olors", &TfrmTChart::SchemeOne1, "SchemeOne1", "Style One", &TfrmTChart::SchemeOne1Click},
        {"C&olors", &TfrmTChart::SchemwTwo1, "SchemwTwo1", "Style Two", &TfrmTChart::SchemwTwo1Click},
        {"C&olors", &TfrmTChart::SchemeThree1, "SchemeThree1", "Style Three", &TfrmTChart::SchemeThree1Click},
        {"C&olors", &TfrmTChart::SchemeFour1, "SchemeFour1", "Style Four", &TfrmTChart::SchemeFour1Click},
        {"C&olors", &TfrmTChart::SchemeFive, "SchemeFive", "Style Five", &TfrmTChart::SchemeFiveClick},
        {"&View", &TfrmTChart::Stochastic1, "Stochastic1", "Stochastic", &TfrmTChart::Stochastic1Click},
        {"&View", &TfrmTChart::EquityChart1, "EquityChart1", "Equity Chart", &TfrmTChart::EquityChart1Click},
        {"&Help", &TfrmTChart::Help2, "Help2", "Contents", &TfrmTChart::Help2Click},
        {"&Help", &TfrmTChart::About1, "About1", "About", &TfrmTChart::About1Click},
    };
    QMenu *menu = nullptr;
    QString menuTitle;
    for (const Item &item : items) {
        if (menuTitle != QLatin1String(item.menu)) {
            menuTitle = QLatin1String(item.menu);
            menu = MainMenu->addMenu(menuTitle);
        }
        QAction *action = menu->addAction(QLatin1String(item.caption));
        action->setObjectName(QLatin1String(item.name));
        this->*item.action = action;
        if (item.handler) {
            const auto handler = item.handler;
            connect(action, &QAction::triggered, this, Guarded([this, handler] { (this->*handler)(); }));
        }
    }
    for (QAction *always : {Save1, Print1, DailyCharts1})
        always->setEnabled(false);
    Stochastic1->setCheckable(true);
}

QSize TfrmTChart::ClientSize()
{
    // The layout is brought up to date first: a hidden window's children
    // are otherwise placed only when it is shown.
    layout()->activate();
    return m_canvas->size();
}

void TfrmTChart::PlaceChooser(int top, int left)
{
    pnlTChart->move(left, top);
    pnlTChart->show();
    pnlTChart->raise();
}

void TfrmTChart::FormCreate()
{
    const QSize client = ClientSize();
    pnlTChart->move(Nearest(client.width() / 2.0 - 44), Nearest(client.height() / 2.0 - 15));
    SetSmallLayout();
    mmTChart->LoadFromFile(ChartFileName);
    if (Files::FileExists(BondEdition))
        TicksPerPoint = 32;
    if (Files::FileExists(NoteEdition))
        TicksPerPoint = 64;
    const QStringList years = BuildYearList(mmTChart->Lines());
    for (int i = 0; i < years.size(); ++i) {
        if (i == 0)
            cbTChart->setItemText(0, years.at(0));
        else
            cbTChart->addItem(years.at(i));
    }
    // No year is chosen until the user picks one from the list.
    if (!years.isEmpty())
        cbTChart->setCurrentIndex(-1);
}

void TfrmTChart::Reload()
{
    mmTChart->LoadFromFile(ChartFileName);
    // A shorter file may end before the plotted range does: the range is
    // moved to end at the last bar, as a plot moves it.
    const BarRange range = KeepRangeInFile({FirstBar, LastBar}, LayoutBars,
                                           static_cast<int>(mmTChart->Lines().size()));
    FirstBar = range.first;
    LastBar = range.last;
}

void TfrmTChart::btnPlotClick()
{
    for (QAction *item : {ColorPreferences1, Stochastic1, SmallCharts1, LargeCharts1})
        item->setEnabled(true);
    const std::optional<int> chosen = ChosenBar(cbTChart->currentText());
    if (!chosen) {
        Dialogs::Warning(QStringLiteral("Please select a year first then click."));
        return;
    }
    if (TicksPerPoint == 0)
        throw QelError(QStringLiteral("No edition program file: prices cannot be plotted."));
    const BarRange range = PlotRange(*chosen, LayoutBars, static_cast<int>(mmTChart->Lines().size()));
    FirstBar = range.first;
    LastBar = range.last;
    pnlTChart->hide();
    DrawPriceChart();
}

void TfrmTChart::btnClearClick()
{
    pnlTChart->hide();
}

void TfrmTChart::cDrawChartClick()
{
    const QSize client = ClientSize();
    if (EquityChartShown)
        PlaceChooser(Nearest(client.height() / 2.0 - 125), Nearest(client.width() / 2.0 - 67));
    else
        PlaceChooser(Nearest(client.height() / 2.0 - 15), Nearest(client.width() / 2.0 - 44));
}

void TfrmTChart::FormClick()
{
    if (EquityChartShown)
        cDrawChartClick();
    else
        PlaceChooser(MouseY - 15, MouseX - 48);
}

void TfrmTChart::FormMouseDown(int x, int y)
{
    MouseX = x;
    MouseY = y;
}

void TfrmTChart::FormMouseMove(int x, int y)
{
    MouseX = x;
    MouseY = y;
}

void TfrmTChart::SetSmallLayout()
{
    Stochastic1->setChecked(false);
    LayoutBars = 156;
    ChartLayout = TChartLayout::Small;
    PriceHeight = 400;
    PaneHeight = 0;
    SetClientSize(686, 493);
    const QRect screen = ScreenRect();
    move(Nearest((screen.width() - 686) / 2.0), Nearest((screen.height() - 493) / 2.0));
}

void TfrmTChart::SmallCharts1Click()
{
    if (!PriceChartShown)
        return;
    SetSmallLayout();
    btnPlotClick();
}

void TfrmTChart::LargeCharts1Click()
{
    if (!PriceChartShown)
        return;
    ChartLayout = TChartLayout::Large;
    LayoutBars = 187;
    SetClientSize(803, 580);
    if (Stochastic1->isChecked()) {
        PriceHeight = 390;
        PaneHeight = 105;
    } else {
        PriceHeight = 495;
        PaneHeight = 0;
    }
    // Centred on a height of 603, not the window's 580.
    const QRect screen = ScreenRect();
    move(Nearest((screen.width() - 803) / 2.0), Nearest((screen.height() - 603) / 2.0));
    btnPlotClick();
}

void TfrmTChart::Stochastic1Click()
{
    // The item has toggled its own mark; it may change only over a price chart.
    if (!PriceChartShown) {
        Stochastic1->setChecked(!Stochastic1->isChecked());
        return;
    }
    // Checked: the Large layout with the pane; unchecked: without it.
    ChartLayout = TChartLayout::Large;
    LargeCharts1Click();
}

void TfrmTChart::StyleClick(int scheme)
{
    frmChartColor->LoadScheme(scheme);
    if (PriceChartShown) {
        pnlTChart->hide();
        DrawPriceChart();
    }
}

void TfrmTChart::ColorPreferences1Click()
{
    Dialogs::ExecModal(frmChartColor);
}

void TfrmTChart::About1Click()
{
    Dialogs::ExecModal(frmColorAbout);
}

void TfrmTChart::Help2Click()
{
    HelpViewer::ShowContents(QStringLiteral("TCHART.HLP"));
}

void TfrmTChart::Exit1Click()
{
    hide();
}

void TfrmTChart::EquityChart1Click()
{
    pnlTChart->hide();
    DrawEquityChart();
}

template <typename Pass>
void TfrmTChart::RunPass(TColor background, Pass pass)
{
    const QSize client = ClientSize();
    if (m_image.size() != client)
        m_image = QImage(client, QImage::Format_RGB32);
    m_drawing = true;
    m_delays = 0;
    m_background = background;
    try {
        TChartImageCanvas canvas(this, m_image);
        canvas.Fill(background);
        pass(canvas);
        m_delays = canvas.BarsDrawn();
    } catch (...) {
        // A failed pass leaves no view to repeat; its picture stays as drawn.
        m_drawing = false;
        PriceChartShown = false;
        EquityChartShown = false;
        ShowPicture();
        throw;
    }
    m_drawing = false;
    ShowPicture();
}

void TfrmTChart::ShowPicture()
{
    // A pass run by a handler is shown by the next paint as it stands; one
    // run by the paint itself is shown by that paint.
    if (m_inPaint)
        return;
    m_imageFresh = true;
    m_canvas->update();
}

void TfrmTChart::DrawPriceChart()
{
    PriceChartShown = true;
    EquityChartShown = false;
    EquityAnimationDone = false;
    const Palette palette = SharedPalette();
    PriceChartSetup setup;
    setup.lines = mmTChart->Lines();
    setup.range = {FirstBar, LastBar};
    setup.large = ChartLayout == TChartLayout::Large;
    setup.priceHeight = PriceHeight;
    setup.paneHeight = PaneHeight;
    setup.stochastic = setup.large && Stochastic1->isChecked();
    setup.ticksPerPoint = TicksPerPoint;
    setup.bondEdition = Files::FileExists(BondEdition);
    setup.noteEdition = Files::FileExists(NoteEdition);
    setup.palette = palette;
    PriceChartState state;
    // What the pass has found is kept, a failed pass's too.
    const auto keep = qScopeGuard([&] {
        ChartRight = state.chartRight;
        LastCloseY = state.lastCloseY;
        FrameBottom = state.frameBottom;
    });
    RunPass(palette[Background], [&](ChartCanvas &canvas) { ::DrawPriceChart(setup, state, canvas); });
}

void TfrmTChart::DrawEquityChart()
{
    EquityChartShown = true;
    PriceChartShown = false;
    for (QAction *item : {ColorPreferences1, Stochastic1, SmallCharts1, LargeCharts1})
        item->setEnabled(false);
    SetSmallLayout();
    EquityChartSetup setup;
    setup.lines = mmTChart->Lines();
    setup.bondEdition = Files::FileExists(BondEdition);
    setup.noteEdition = Files::FileExists(NoteEdition);
    setup.animate = !EquityAnimationDone;
    RunPass(clWhite, [&](ChartCanvas &canvas) { ::DrawEquityChart(setup, canvas); });
    EquityAnimationDone = true;
}

void TfrmTChart::FormPaint()
{
    if (PriceChartShown)
        DrawPriceChart();
    if (EquityChartShown)
        DrawEquityChart();
}

void TfrmTChart::CanvasPaint(QWidget *canvas)
{
    if (!m_drawing && !m_imageFresh && EquityChartShown && !EquityAnimationDone) {
        // An animation shows each bar as it comes, which a paint event
        // cannot: it runs just after this one.
        if (!m_animationQueued) {
            m_animationQueued = true;
            QTimer::singleShot(0, this, [this] {
                m_animationQueued = false;
                if (EquityChartShown && !EquityAnimationDone)
                    ErrorHandler::Run([this] { DrawEquityChart(); });
            });
        }
    } else if (!m_drawing && !m_imageFresh) {
        m_inPaint = true;
        const auto done = qScopeGuard([this] { m_inPaint = false; });
        try {
            FormPaint();
        } catch (const std::exception &error) {
            // No box inside a paint event: it is shown just after it.
            const QelError copy(QString::fromStdString(error.what()));
            QTimer::singleShot(0, this, [copy] { ErrorHandler::Report(copy); });
        }
    }
    m_imageFresh = false;
    QPainter painter(canvas);
    painter.fillRect(canvas->rect(), ToQColor(m_background));
    if (!m_image.isNull())
        painter.drawImage(0, 0, m_image);
}

QImage TfrmTChart::CanvasImage() const
{
    if (!m_image.isNull())
        return m_image;
    QImage grey(m_canvas->size(), QImage::Format_RGB32);
    grey.fill(ToQColor(clGray));
    return grey;
}

void TfrmTChart::FormHide()
{
    if (EquityChartShown)
        EquityAnimationDone = !EquityAnimationDone;
}

void TfrmTChart::showEvent(QShowEvent *event)
{
    // Shown again: the paint draws the current view anew, in the colours
    // of now.
    m_imageFresh = false;
    TForm::showEvent(event);
}

void TfrmTChart::hideEvent(QHideEvent *event)
{
    FormHide();
    m_imageFresh = false;
    TForm::hideEvent(event);
}

void TfrmTChart::resizeEvent(QResizeEvent *event)
{
    TForm::resizeEvent(event);
    m_canvas->update();
}
