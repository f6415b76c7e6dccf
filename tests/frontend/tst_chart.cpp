// The signal chart plotter, its colour editor and about box, driven by their
// controls on chart files written column by column.
#include "CTrades.h"
#include "chartcolor.h"
#include "chartlines.h"
#include "colorabout.h"
#include "fixture.h"
#include "logic/chartcanvas.h"
#include "logic/qelerror.h"
#include "logic/palette.h"
#include "platform/helpviewer.h"
#include "testmain.h"

#include <QComboBox>
#include <QFrame>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <csignal>
#include <sys/resource.h>

namespace {

uint32_t Ink(int entry)
{
    return CanvasPixel(ChartPalette[entry]);
}

// Bars of the Small layout's scale 1: the range of every plotted stretch
// is 400 ticks, 3200 .. 3600, held by each year's first bar.
QList<TestBar> Bars(int count)
{
    QList<TestBar> bars(count);
    for (int i = 0; i < count; ++i) {
        bars[i].date = WeekDate(i);
        bars[i].primaryFlag = true;
        bars[i].primaryEquity = 100000 + 1000 * i;
        if (i % 48 == 0) {
            bars[i].high = 3600;
            bars[i].low = 3200;
        }
    }
    return bars;
}

QList<int> RowsOf(const QImage &image, int x, int y0, int y1, uint32_t pixel)
{
    QList<int> rows;
    for (int y = y0; y <= y1; ++y) {
        if (image.pixel(x, y) == pixel)
            rows << y;
    }
    return rows;
}

QList<int> Run(int from, int to)
{
    QList<int> values;
    for (int v = from; v <= to; ++v)
        values << v;
    return values;
}

// Ink other than the background inside a small box.
bool InkNear(const QImage &image, int x0, int y0, int w, int h, uint32_t background)
{
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            if (image.pixel(x, y) != background)
                return true;
        }
    }
    return false;
}

// The plotter on a working directory whose chart file holds the bars.
struct Plotter {
    explicit Plotter(const QList<TestBar> &bars, bool show = true)
    {
        dir.writeLines("TCHART.TCH", ChartLines(bars));
        dir.writeLines("SCHEME1.PAL", FormatPalette(TestPalette()));
        frontEnd.emplace();
        Dialogs::ClearRecord();
        frmTChart->EquityDelayMs = 0;
        if (show) {
            frmTChart->show();
            QVERIFY(QTest::qWaitForWindowExposed(frmTChart));
        }
    }
    // The user's choice in the year list (also of the item already shown).
    void Choose(int item)
    {
        frmTChart->cbTChart->setCurrentIndex(item);
        emit frmTChart->cbTChart->activated(item);
    }
    WorkDir dir;
    std::optional<FrontEnd> frontEnd;
};

// A repaint of the client area once the pending one (showing a handler's
// picture) is through.
void Repaint()
{
    QCoreApplication::processEvents();
    frmTChart->findChild<QWidget *>("TChartCanvas")->repaint();
}

} // namespace

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Dialogs::ClearQueues(); }

    void yearListAndRange()
    {
        QList<TestBar> bars = Bars(400);   // 2000 .. 2008
        Plotter p(bars);
        QComboBox *chooser = frmTChart->cbTChart;
        QCOMPARE(chooser->count(), 9);
        QCOMPARE(chooser->itemText(0), QString("2008   384"));
        QCOMPARE(chooser->itemText(1), QString("2007   336"));
        QCOMPARE(chooser->itemText(8), QString("2000     0"));
        QCOMPARE(frmTChart->windowTitle(), QString("Norvane"));
        // No year is chosen until the user picks one: Apply warns.
        QCOMPARE(chooser->currentText(), QString());
        frmChartColor->btnApply->click();
        QCOMPARE(BoxTexts(), QStringList{"Please select a year first then click."});
        QVERIFY(!frmTChart->PriceChartShown);
        Dialogs::ClearRecord();

        p.Choose(8);
        QCOMPARE(frmTChart->FirstBar, 0);
        QCOMPARE(frmTChart->LastBar, 156);
        QCOMPARE(frmTChart->ChartRight, 638);   // 157 bars
        QVERIFY(frmTChart->PriceChartShown);
        QVERIFY(!frmTChart->pnlTChart->isVisible());
        QCOMPARE(WeekDate(156), QString("07APR2003"));
        QCOMPARE(frmTChart->windowTitle(), QString("T-Bonds: Last Bar: 07 APR 2003, Close: 107-26"));
        // Bar 1 at x 14: 3500 .. 3400 -> rows 110 .. 209, close 3450 at x 15, row 160.
        const QImage image = frmTChart->CanvasImage();
        QCOMPARE(RowsOf(image, 14, 6, 414, Ink(LongPriceBars)), Run(110, 209));
        QCOMPARE(RowsOf(image, 15, 6, 414, Ink(ClosePriceMark)), QList<int>{160});
        QCOMPARE(image.pixel(10, 6), Ink(Background));
        QCOMPARE(image.pixel(10, 7), Ink(VerticalBars));

        // Near the file's end the range is moved to end at the last bar.
        p.Choose(1);
        QCOMPARE(frmTChart->FirstBar, 401 - 157);
        QCOMPARE(frmTChart->LastBar, 399);
        QCOMPARE(frmTChart->ChartRight, 634);   // 156 bars
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void nonBarLineIsNeverDrawn()
    {
        QList<TestBar> bars = Bars(200);
        QStringList lines = ChartLines(bars);
        TestBar last;
        last.code = 'X';
        lines.last() = ChartLine(last, 200);   // looks like a bar, is none
        WorkDir dir;
        dir.writeLines("TCHART.TCH", lines);
        dir.writeLines("SCHEME1.PAL", FormatPalette(TestPalette()));
        FrontEnd frontEnd;
        frmTChart->show();
        frmTChart->cbTChart->setCurrentIndex(0);   // 2004, bar 192: moved to 43 .. 199
        emit frmTChart->cbTChart->activated(0);
        QCOMPARE(frmTChart->LastBar, 199);
        const QImage image = frmTChart->CanvasImage();
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(RowsOf(image, x, 0, image.height() - 1, Ink(ShortPriceBars)), QList<int>{});
    }

    void warningWithoutAYear()
    {
        Plotter p(Bars(0));   // no bar lines: the chooser keeps its empty item
        QCOMPARE(frmTChart->cbTChart->count(), 1);
        frmTChart->EquityChart1->trigger();   // disables the items, fails: no bars
        Dialogs::ClearRecord();
        QVERIFY(!frmTChart->Stochastic1->isEnabled());
        p.Choose(0);
        QCOMPARE(BoxTexts(), QStringList{"Please select a year first then click."});
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Warning);
        // The items are enabled before the choice is read.
        for (QAction *item : {frmTChart->ColorPreferences1, frmTChart->Stochastic1, frmTChart->SmallCharts1,
                              frmTChart->LargeCharts1})
            QVERIFY(item->isEnabled());
        QVERIFY(!frmTChart->PriceChartShown);
    }

    void layoutsOnTheScreen()
    {
        Plotter p(Bars(400));
        QCOMPARE(frmTChart->frameGeometry().topLeft(), QPoint(57, 154));
        QCOMPARE(frmTChart->size(), QSize(686, 493));
        QVERIFY(frmTChart->MainMenu->isVisible());
        // The single border: the user neither resizes nor maximises it.
        auto sizeIsFixed = [] {
            return frmTChart->minimumSize() == frmTChart->size() && frmTChart->maximumSize() == frmTChart->size()
                && !(frmTChart->windowFlags() & Qt::WindowMaximizeButtonHint);
        };
        QVERIFY(sizeIsFixed());
        // Large only over a price chart.
        frmTChart->LargeCharts1->trigger();
        QCOMPARE(frmTChart->ChartLayout, TChartLayout::Small);
        p.Choose(8);
        frmTChart->LargeCharts1->trigger();
        QCOMPARE(frmTChart->size(), QSize(803, 580));
        QVERIFY(sizeIsFixed());
        QTRY_COMPARE(frmTChart->frameGeometry().topLeft(), QPoint(0, 98));
        QCOMPARE(frmTChart->LayoutBars, 187);
        QCOMPARE(frmTChart->LastBar, 187);
        QCOMPARE(frmTChart->ChartRight, 10 + 4 * 188);
        QCOMPARE(frmTChart->FrameBottom, 510);
        p.Choose(1);
        QCOMPARE(frmTChart->ChartRight, 10 + 4 * 187);
        // Large: bars 2 pixels wide, marks 2 pixels high at x + 2.
        const QImage image = frmTChart->CanvasImage();
        QCOMPARE(image.size(), frmTChart->findChild<QWidget *>("TChartCanvas")->size());
        frmTChart->SmallCharts1->trigger();
        QCOMPARE(frmTChart->size(), QSize(686, 493));
        QVERIFY(sizeIsFixed());
        QTRY_COMPARE(frmTChart->frameGeometry().topLeft(), QPoint(57, 154));
        QCOMPARE(frmTChart->ChartRight, 634);
    }

    void largeBarsAndStochasticPane()
    {
        // 495 ticks in the Large layout's first stretch: scale 1.
        QList<TestBar> bars = Bars(200);
        bars[0].high = 3695;
        bars[1].stochastic1 = 7500;
        Plotter p(bars);
        frmTChart->Stochastic1->trigger();   // no price chart yet: no change
        QVERIFY(!frmTChart->Stochastic1->isChecked());
        p.Choose(4);
        frmTChart->LargeCharts1->trigger();
        QImage image = frmTChart->CanvasImage();
        QCOMPARE(RowsOf(image, 14, 6, 509, Ink(LongPriceBars)), Run(205, 304));
        QCOMPARE(RowsOf(image, 15, 6, 509, Ink(LongPriceBars)), Run(205, 304));
        QCOMPARE(RowsOf(image, 16, 6, 509, Ink(ClosePriceMark)), Run(255, 256));

        frmTChart->Stochastic1->trigger();
        QVERIFY(frmTChart->Stochastic1->isChecked());
        QCOMPARE(frmTChart->PriceHeight, 390);
        QCOMPARE(frmTChart->PaneHeight, 105);
        QCOMPARE(frmTChart->FrameBottom, 510);
        image = frmTChart->CanvasImage();
        QCOMPARE(image.pixel(100, 408), Ink(OuterBox));   // the divider
        QCOMPARE(image.pixel(100, 430), Ink(VerticalBars));   // 80 %
        QCOMPARE(image.pixel(100, 490), Ink(VerticalBars));   // 20 %
        QVERIFY(!RowsOf(image, 12, 436, 459, Ink(SellSignal)).isEmpty());

        // Unchecking replots the Large layout without the pane.
        frmTChart->Stochastic1->trigger();
        QVERIFY(!frmTChart->Stochastic1->isChecked());
        QCOMPARE(frmTChart->PriceHeight, 495);
        QCOMPARE(frmTChart->PaneHeight, 0);
        QCOMPARE(frmTChart->CanvasImage().pixel(100, 408) == Ink(OuterBox), false);
    }

    void chooserPlacement()
    {
        Plotter p(Bars(100));
        const QSize client = frmTChart->findChild<QWidget *>("TChartCanvas")->size();
        QCOMPARE(client.width(), 686);
        frmTChart->btnClear->click();
        QVERIFY(!frmTChart->pnlTChart->isVisible());
        frmTChart->cDrawChart->trigger();
        QVERIFY(frmTChart->pnlTChart->isVisible());
        QCOMPARE(frmTChart->pnlTChart->pos(), QPoint(299, static_cast<int>(std::nearbyint(client.height() / 2.0 - 15))));
        QWidget *canvas = frmTChart->findChild<QWidget *>("TChartCanvas");
        QTest::mouseMove(canvas, QPoint(200, 100));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 100));
        QCOMPARE(frmTChart->pnlTChart->pos(), QPoint(152, 85));
        frmTChart->EquityChart1->trigger();
        QVERIFY(!frmTChart->pnlTChart->isVisible());
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(frmTChart->pnlTChart->pos(),
                 QPoint(686 / 2 - 67, static_cast<int>(std::nearbyint(client.height() / 2.0 - 125))));
    }

    void noEditionFile()
    {
        WorkDir dir;
        dir.remove("QEL5100.EXE");
        dir.writeLines("TCHART.TCH", ChartLines(Bars(100)));
        FrontEnd frontEnd;
        QCOMPARE(frmTChart->TicksPerPoint, 0);
        Dialogs::ClearRecord();
        frmTChart->show();
        frmTChart->cbTChart->setCurrentIndex(0);
        emit frmTChart->cbTChart->activated(0);
        QCOMPARE(BoxTexts(), QStringList{"No edition program file: prices cannot be plotted."});
        QVERIFY(!frmTChart->PriceChartShown);
        // The equity chart is drawn without minimum unit and market label.
        frmTChart->EquityChart1->trigger();
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(frmTChart->EquityChartShown);
        QCOMPARE(frmTChart->CanvasImage().pixel(300, 50), CanvasPixel(clWhite));
    }

    void failedPassShowsOneBox_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("equity");
        QTest::newRow("no price range") << "flat" << false;
        QTest::newRow("under a pixel a point") << "wide" << false;
        QTest::newRow("damaged price") << "price field" << false;
        QTest::newRow("equity unit 0") << "unit" << true;
        QTest::newRow("no bar lines") << "no bars" << true;
        QTest::newRow("damaged unflagged equity") << "equity field" << true;
    }
    void failedPassShowsOneBox()
    {
        QFETCH(QString, fault);
        QFETCH(bool, equity);
        QList<TestBar> bars = Bars(fault == "no bars" ? 0 : 100);
        for (TestBar &bar : bars) {
            if (fault == "flat")
                bar.high = bar.low = bar.close = 3400;
            bar.primaryFlag = false;
        }
        if (fault == "wide") {
            bars[0].high = 30000;   // 935 points on 400 pixels
            bars[0].low = 100;
        }
        if (fault == "unit")
            bars.last().primaryEquity = -160000;
        QStringList lines = ChartLines(bars);
        if (fault == "price field")
            lines[5].replace(22, 9, "     -x-1");
        if (fault == "equity field")
            lines[5].replace(54, 7, "    1 2");
        Plotter p(bars);
        p.dir.writeLines("TCHART.TCH", lines);
        frmTChart->Reload();
        if (fault == "unit")
            p.dir.remove("QEL5100.EXE");   // no minimum unit
        if (equity)
            frmTChart->EquityChart1->trigger();
        else
            p.Choose(frmTChart->cbTChart->count() - 1);
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QVERIFY(!frmTChart->PriceChartShown);
        QVERIFY(!frmTChart->EquityChartShown);
        Repaint();
        QTest::qWait(20);
        QCOMPARE(Dialogs::Shown().size(), 1);
    }

    void lineStoreKeepsTheFilesLines()
    {
        Plotter p(Bars(3), false);
        // CR LF or LF end a line, a lone CR does not; no line after the last end.
        p.dir.writeBytes("TCHART.TCH", "one\r\ntwo\rstill two\nthree \xe9\r\n");
        frmTChart->Reload();
        QCOMPARE(frmTChart->mmTChart->Lines(),
                 (QStringList{"one", "two\rstill two", QString::fromLatin1("three \xe9")}));
        p.dir.remove("TCHART.TCH");
        QVERIFY_THROWS_EXCEPTION(QelError, frmTChart->Reload());   // the store stays
        QCOMPARE(frmTChart->mmTChart->Lines().size(), 3);
    }

    void missingChartFileLeavesTheSmallLayout()
    {
        WorkDir dir;
        dir.remove("TCHART.TCH");
        FrontEnd frontEnd;
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(frmTChart->size(), QSize(686, 493));
        QCOMPARE(frmTChart->pos(), QPoint(57, 154));
        QCOMPARE(frmTChart->LayoutBars, 156);
        // A reload after a system run fills the store but not the year list.
        dir.writeLines("TCHART.TCH", ChartLines(Bars(60)));
        frmTChart->Reload();
        QCOMPARE(frmTChart->mmTChart->Lines().size(), 61);
        QCOMPARE(frmTChart->cbTChart->count(), 1);
        frmTChart->show();
        QCOMPARE(frmTChart->CanvasImage().pixel(100, 100), CanvasPixel(clGray));
    }

    void failureInARepaintIsShownAfterIt()
    {
        Plotter p(Bars(100));
        p.Choose(0);
        QCOMPARE(BoxTexts(), QStringList{});
        // A reload with a damaged field: the next repaint fails.
        QStringList lines = ChartLines(Bars(100));
        lines[5].replace(13, 9, "   12x456");
        p.dir.writeLines("TCHART.TCH", lines);
        frmTChart->Reload();
        QCoreApplication::processEvents();
        frmTChart->findChild<QWidget *>("TChartCanvas")->repaint();
        QCOMPARE(Dialogs::Shown().size(), 0);   // not inside the paint event
        QTRY_COMPARE(Dialogs::Shown().size(), 1);
        QVERIFY(BoxTexts().first().contains("12x456"));
        QVERIFY(!frmTChart->PriceChartShown);
        Repaint();
        QTest::qWait(10);
        QCOMPARE(Dialogs::Shown().size(), 1);
    }

    void reloadOfAShorterFile()
    {
        Plotter p(Bars(400));
        p.Choose(1);   // 2007, bar 336: moved to 244 .. 399
        QCOMPARE(frmTChart->FirstBar, 244);
        // The range lies wholly past the end of the new file: it is moved to
        // end at the last bar, as a plot moves it.
        p.dir.writeLines("TCHART.TCH", ChartLines(Bars(200)));
        frmTChart->Reload();
        QCOMPARE(frmTChart->cbTChart->count(), 9);   // the year list stays
        QCOMPARE(frmTChart->ChartRight, 634);        // nothing redrawn
        QCOMPARE(frmTChart->FirstBar, 44);
        QCOMPARE(frmTChart->LastBar, 199);
        Repaint();
        QCOMPARE(frmTChart->windowTitle(), QString("T-Bonds: Last Bar: 28 FEB 2004, Close: 107-26"));
        QCOMPARE(frmTChart->ChartRight, 634);   // 156 bars
        // A file longer than the range keeps it.
        p.dir.writeLines("TCHART.TCH", ChartLines(Bars(300)));
        frmTChart->Reload();
        QCOMPARE(frmTChart->FirstBar, 44);
        QCOMPARE(frmTChart->LastBar, 199);
        // Fewer bars than the layout shows: all of them are drawn.
        p.dir.writeLines("TCHART.TCH", ChartLines(Bars(100)));
        frmTChart->Reload();
        Repaint();
        QCOMPARE(frmTChart->ChartRight, 10 + 4 * 100);
        QVERIFY(frmTChart->PriceChartShown);
        QTest::qWait(10);
        QCOMPARE(BoxTexts(), QStringList{});
        // No bar at all is left to draw.
        p.dir.writeLines("TCHART.TCH", ChartLines(Bars(0)));
        frmTChart->Reload();
        Repaint();
        QTRY_COMPARE(BoxTexts(), QStringList{"The chart file \"TCHART.TCH\" holds no bars to plot."});
        QVERIFY(!frmTChart->PriceChartShown);
    }

    void equityChart()
    {
        QList<TestBar> bars = Bars(300);
        bars.last().primaryEquity = 1000000;
        for (int i = 0; i < 300; i += 2)
            bars[i].primaryFlag = false;
        Plotter p(bars);
        p.Choose(0);
        frmTChart->EquityChart1->trigger();
        QVERIFY(frmTChart->EquityChartShown);
        QVERIFY(!frmTChart->PriceChartShown);
        QCOMPARE(frmTChart->windowTitle(), QString(" Equity Chart."));
        for (QAction *item : {frmTChart->ColorPreferences1, frmTChart->Stochastic1, frmTChart->SmallCharts1,
                              frmTChart->LargeCharts1})
            QVERIFY(!item->isEnabled());
        QCOMPARE(frmTChart->DelaysOfLastDrawing(), 150);   // the flagged primary bars
        QImage image = frmTChart->CanvasImage();
        QCOMPARE(image.pixel(632, 432), CanvasPixel(clWhite));
        QCOMPARE(image.pixel(631, 432), CanvasPixel(RgbColor(226, 226, 226)));
        QCOMPARE(image.pixel(15, 15), CanvasPixel(clBlack));
        // Bar 299 at x 615 - 2 = 613: 1000000 of 8 x 140000 is 357 pixels.
        const int x = static_cast<int>(std::nearbyint(299 * 600.0 / 300)) + 15;
        QCOMPARE(RowsOf(image, x, 0, 440, CanvasPixel(clRed)), Run(415 - 357, 414));
        QCOMPARE(RowsOf(image, 15, 300, 414, CanvasPixel(clRed)), QList<int>{});   // bar 0 unflagged
        QVERIFY(InkNear(image, 264, 43, 20, 12, CanvasPixel(clWhite)));   // the market label

        // A repaint draws it again without animation.
        Repaint();
        QCOMPARE(frmTChart->DelaysOfLastDrawing(), 0);
        QCOMPARE(frmTChart->CanvasImage(), image);
        // Hiding re-arms the animation.
        frmTChart->hide();
        QVERIFY(!frmTChart->EquityAnimationDone);
        frmTChart->show();   // the repaint animates it, just after the paint event
        QTRY_VERIFY(frmTChart->EquityAnimationDone);
        QCOMPARE(frmTChart->DelaysOfLastDrawing(), 150);
        QCOMPARE(frmTChart->CanvasImage(), image);
        Repaint();
        QCOMPARE(frmTChart->DelaysOfLastDrawing(), 0);
        // And so does a price plot.
        p.Choose(0);
        QVERIFY(frmTChart->PriceChartShown);
        frmTChart->EquityChart1->trigger();
        QCOMPARE(frmTChart->DelaysOfLastDrawing(), 150);
    }

    void equityYearLabelOfOneYear()
    {
        Plotter p(Bars(40));
        frmTChart->EquityChart1->trigger();
        const QImage image = frmTChart->CanvasImage();
        // Black on the shadow, its top-left corner at (307, 417).
        const uint32_t shadow = CanvasPixel(RgbColor(226, 226, 226));
        QVERIFY(InkNear(image, 305, 417, 12, 12, shadow));
        QVERIFY(!InkNear(image, 280, 417, 20, 12, shadow));
    }

    void styleItemsRedrawOverAPriceChart()
    {
        Plotter p(Bars(100));
        Palette second = TestPalette();
        second[Background] = RgbColor(1, 2, 3);
        second[LongPriceBars] = RgbColor(4, 5, 6);
        p.dir.writeLines("SCHEME2.PAL", FormatPalette(second));
        frmTChart->SchemwTwo1->trigger();   // no chart: loaded, not drawn
        QCOMPARE(ChartPalette[Background], RgbColor(1, 2, 3));
        QCOMPARE(frmTChart->CanvasImage().pixel(3, 3), CanvasPixel(clGray));
        frmTChart->SchemeOne1->trigger();
        p.Choose(0);
        QCOMPARE(frmTChart->CanvasImage().pixel(3, 3), CanvasPixel(TestPalette()[Background]));
        frmTChart->SchemwTwo1->trigger();
        QCOMPARE(frmTChart->CanvasImage().pixel(3, 3), CanvasPixel(RgbColor(1, 2, 3)));
        QCOMPARE(frmTChart->CanvasImage().pixel(14, 150), CanvasPixel(RgbColor(4, 5, 6)));
        // The editor's Load does not redraw; showing the plotter again does.
        frmTChart->hide();
        frmChartColor->SchemeLoad[0]->trigger();
        QCOMPARE(frmTChart->CanvasImage().pixel(3, 3), CanvasPixel(RgbColor(1, 2, 3)));
        frmTChart->show();
        QTRY_COMPARE(frmTChart->CanvasImage().pixel(3, 3), CanvasPixel(TestPalette()[Background]));
        frmTChart->SchemwTwo1->trigger();
        frmTChart->SchemeFour1->trigger();   // missing: the error box, no change
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(BoxTexts().first().contains("SCHEME4.PAL"));
        QCOMPARE(ChartPalette[Background], RgbColor(1, 2, 3));
    }

    void editorSwatches()
    {
        Plotter p(Bars(10), false);
        TfrmChartColor *editor = frmChartColor;
        QCOMPARE(editor->EntrySwatches[0]->Color(), TestPalette()[Background]);
        TSwatch *lime = editor->findChild<TSwatch *>("Panel35");
        QTest::mouseClick(lime, Qt::LeftButton);
        QCOMPARE(editor->CurrentColor, RgbColor(0, 255, 0));
        QCOMPARE(editor->MarkedPreset(), int(std::find(editor->Presets.begin(), editor->Presets.end(), lime) - editor->Presets.begin()));
        TSwatch *outerBox = editor->findChild<TSwatch *>("pnBX");
        QTest::mouseClick(outerBox, Qt::LeftButton);
        QCOMPARE(ChartPalette[OuterBox], RgbColor(0, 255, 0));
        QCOMPARE(outerBox->Color(), RgbColor(0, 255, 0));
        QCOMPARE(editor->MarkedPreset(), -1);

        // Reset: white swatches and current colour, the palette unchanged.
        editor->btnReset->click();
        QCOMPARE(ChartPalette[OuterBox], RgbColor(0, 255, 0));
        QCOMPARE(outerBox->Color(), clWhite);
        QTest::mouseClick(editor->findChild<TSwatch *>("pnTX"), Qt::LeftButton);
        QCOMPARE(ChartPalette[TextColor], clWhite);

        // The sideways row switches between entries 12 and 13.
        TSwatch *caption = editor->findChild<TSwatch *>("Panel10");
        QTest::mouseClick(editor->findChild<TSwatch *>("Panel38"), Qt::LeftButton);   // grey
        QTest::mouseClick(caption, Qt::LeftButton);
        QCOMPARE(caption->text(), QString("  Long Sideways Market"));
        QCOMPARE(editor->pnSM->Color(), TestPalette()[LongSidewaysMarket]);
        QTest::mouseClick(editor->pnSM, Qt::LeftButton);
        QCOMPARE(ChartPalette[LongSidewaysMarket], RgbColor(128, 128, 128));
        QCOMPARE(ChartPalette[ShortSidewaysMarket], TestPalette()[ShortSidewaysMarket]);
        QTest::mouseClick(caption, Qt::LeftButton);
        QCOMPARE(caption->text(), QString("  Short Sideways Market"));
        QCOMPARE(editor->pnSM->Color(), TestPalette()[ShortSidewaysMarket]);
    }

    void editorColourDialog()
    {
        Plotter p(Bars(10), false);
        TfrmChartColor *editor = frmChartColor;
        QTest::mouseClick(editor->findChild<TSwatch *>("Panel39"), Qt::LeftButton);   // red
        TSwatch *longBars = editor->findChild<TSwatch *>("pnLL");
        // A double-click is a click first: the entry takes red, then the chosen colour.
        Dialogs::QueueColor(RgbColor(1, 2, 3));
        QTest::mouseClick(longBars, Qt::LeftButton);
        QCOMPARE(ChartPalette[LongPriceBars], RgbColor(255, 0, 0));
        QTest::mouseDClick(longBars, Qt::LeftButton);
        QTest::mouseRelease(longBars, Qt::LeftButton);   // ends the double-click: no click
        QCOMPARE(ChartPalette[LongPriceBars], RgbColor(1, 2, 3));
        QCOMPARE(longBars->Color(), RgbColor(1, 2, 3));
        QCOMPARE(editor->CurrentColor, RgbColor(255, 0, 0));   // Long Price Bars alone keeps it

        TSwatch *buy = editor->findChild<TSwatch *>("pnBB");
        Dialogs::QueueColor(RgbColor(7, 8, 9));
        QTest::mouseDClick(buy, Qt::LeftButton);
        QCOMPARE(ChartPalette[BuySignal], RgbColor(7, 8, 9));
        QCOMPARE(editor->CurrentColor, RgbColor(7, 8, 9));

        Dialogs::QueueColorCancel();
        QTest::mouseDClick(buy, Qt::LeftButton);
        QCOMPARE(ChartPalette[BuySignal], RgbColor(7, 8, 9));
        QCOMPARE(BoxTexts(), QStringList{});

        Dialogs::QueueColorFailure();
        QTest::mouseDClick(buy, Qt::LeftButton);
        QCOMPARE(BoxTexts(), QStringList{"Color selection dialog failed to load."});
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Plain);
        QCOMPARE(Dialogs::Shown().first().buttons, int(btnOk));
        QCOMPARE(ChartPalette[BuySignal], RgbColor(7, 8, 9));
    }

    void schemeSaveAndLoad()
    {
        Plotter p(Bars(10), false);
        TfrmChartColor *editor = frmChartColor;
        ChartPalette[2] = static_cast<TColor>(-7);
        Dialogs::QueueAnswer(btnYes);
        editor->SchemeSave[2]->trigger();
        QCOMPARE(BoxTexts(), QStringList{"Do you want to save your settings?"});
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Confirmation);
        QByteArray expected;
        for (int i = 0; i < 14; ++i)
            expected += (i == 2 ? QByteArray("-7") : QByteArray::number(TestPalette()[i])) + "\r\n";
        expected += "999999999\r\n";
        QFile saved(p.dir.file("SCHEME3.PAL"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), expected);
        saved.close();

        // No and Cancel write nothing.
        for (int answer : {int(btnNo), int(btnCancel)}) {
            ChartPalette[0] = 99;
            Dialogs::QueueAnswer(answer);
            editor->SchemeSave[2]->trigger();
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), expected);
            saved.close();
        }
        QVERIFY(!p.dir.exists("SCHEME5.PAL"));
        Dialogs::QueueAnswer(btnNo);
        editor->SchemeSave[4]->trigger();
        QVERIFY(!p.dir.exists("SCHEME5.PAL"));

        // Load brings back all 14 entries, and the swatches.
        editor->SchemeLoad[2]->trigger();
        QCOMPARE(ChartPalette[0], TestPalette()[0]);
        QCOMPARE(ChartPalette[2], static_cast<TColor>(-7));
        QCOMPARE(editor->EntrySwatches[0]->Color(), TestPalette()[0]);
        QCOMPARE(editor->PaletteFileName, QString("SCHEME3.PAL"));

        // A file of 14 lines loads the same.
        Palette fourth = TestPalette();
        fourth[13] = 4444;
        p.dir.writeLines("SCHEME4.PAL", FormatPalette(fourth).mid(0, 14));
        editor->SchemeLoad[3]->trigger();
        QCOMPARE(ChartPalette[13], TColor(4444));

        // A bad line 7 changes nothing, the swatches neither.
        QStringList bad = FormatPalette(TestPalette());
        bad[0] = "1";
        bad[6] = "12 ";
        p.dir.writeLines("SCHEME5.PAL", bad);
        Dialogs::ClearRecord();
        editor->SchemeLoad[4]->trigger();
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(ChartPalette[0], TestPalette()[0]);
        QCOMPARE(editor->EntrySwatches[0]->Color(), TestPalette()[0]);
        QCOMPARE(ChartPalette[13], TColor(4444));

        // Default loads scheme 1.
        editor->btnDefault->click();
        QCOMPARE(ChartPalette[13], TestPalette()[13]);
        QCOMPARE(editor->PaletteFileName, QString("SCHEME1.PAL"));
    }

    void failedSaveKeepsTheOldFile()
    {
        Plotter p(Bars(10), false);
        const QByteArray before = QByteArray("1\r\n").repeated(15);
        p.dir.writeBytes("SCHEME2.PAL", before);
        ChartPalette[0] = 123456789;
        struct rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit low = old;
        low.rlim_cur = 40;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &low);
        Dialogs::QueueAnswer(btnYes);
        frmChartColor->SchemeSave[1]->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(Dialogs::Shown().size(), 2);
        QCOMPARE(Dialogs::Shown().at(1).type, BoxType::Error);
        QFile file(p.dir.file("SCHEME2.PAL"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void applyAndCancelInTheModalEditor()
    {
        Plotter p(Bars(100));
        p.Choose(0);
        // Colors > Custom: the modal editor; Apply replots in the new colours,
        // Cancel closes it keeping the edits.
        Dialogs::QueueModalAction([](QDialog *) {
            QTest::mouseClick(frmChartColor->findChild<TSwatch *>("Panel47"), Qt::LeftButton);   // blue
            QTest::mouseClick(frmChartColor->findChild<TSwatch *>("pnLL"), Qt::LeftButton);
            frmChartColor->btnApply->click();
            QCOMPARE(frmTChart->CanvasImage().pixel(14, 150), CanvasPixel(RgbColor(0, 0, 255)));
            frmChartColor->btnCancel->click();
            QVERIFY(!frmChartColor->isVisible());
        });
        frmTChart->ColorPreferences1->trigger();
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{"frmChartColor"});
        QCOMPARE(ChartPalette[LongPriceBars], RgbColor(0, 0, 255));
        QCOMPARE(BoxTexts(), QStringList{});

        // Apply before any year is chosen warns.
        frmTChart->cbTChart->setCurrentIndex(-1);
        frmChartColor->cApply->trigger();
        QCOMPARE(BoxTexts(), QStringList{"Please select a year first then click."});
    }

    // Alt+C is Cancel's, not the Colors menu's: one press closes the editor.
    void cancelKey()
    {
        Plotter p(Bars(10));
        Dialogs::QueueModalAction([](QDialog *editor) {
            editor->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(editor));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
            QTRY_VERIFY(!editor->isVisible());
            QVERIFY(!QApplication::activePopupWidget());
        });
        frmTChart->ColorPreferences1->trigger();
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{"frmChartColor"});
    }

    void helpAndAbout()
    {
        Plotter p(Bars(10));
        frmTChart->Help2->trigger();
        QCOMPARE(HelpViewer::LastOpened(), QString("TCHART.HLP"));
        // Every menu the help names is one of the window's own.
        QStringList menus;
        for (QAction *menu : frmTChart->MainMenu->actions())
            menus << menu->text().remove('&');
        const QRegularExpression named("(\\w+)\\s+(?:menu|>)");
        int names = 0;
        for (const QRegularExpressionMatch &match : named.globalMatch(HelpViewer::ShownText())) {
            QVERIFY2(menus.contains(match.captured(1)), qPrintable(match.captured(1)));
            ++names;
        }
        QVERIFY(names > 0);
        Dialogs::QueueModalAction([](QDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QString("About Zizida Zuzezaz"));
            frmColorAbout->Button1->click();
            QVERIFY(!dialog->isVisible());
        });
        frmTChart->About1->trigger();
        QVERIFY(Dialogs::ModalWindowsShown().contains("frmColorAbout"));
        QVERIFY(!frmColorAbout->imgAbout->pixmap().isNull());
        frmTChart->Exit1->trigger();
        QVERIFY(!frmTChart->isVisible());
    }
};

QEL_TEST_MAIN(TestChart)
#include "tst_chart.moc"
