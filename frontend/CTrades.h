#pragma once
// The signal chart plotter: a weekly bar chart of a chosen stretch of years
// from "TCHART.TCH" in the palette's colours, and the equity chart of the
// same file. The file is held in a hidden line store, loaded when the window
// is created and reloaded after each system run.
#include "forms.h"
#include "logic/palette.h"
#include "platform/linestore.h"

#include <QImage>

class QAction;
class QComboBox;
class QFrame;
class QMenuBar;
class QToolButton;
class TChartCanvas;

// The chart palette the whole front end shares (Background .. Close Price
// Mark), loaded and edited by the colour editor.
extern TColor ChartPalette[14];
// The shared palette as a table, and the table put back whole.
Palette SharedPalette();
void SetSharedPalette(const Palette &palette);

enum class TChartLayout { Small, Large };

class TfrmTChart : public TForm {
    Q_OBJECT
public:
    explicit TfrmTChart(QWidget *parent = nullptr);

    QMenuBar *MainMenu;
    QFrame *pnlTChart;
    QComboBox *cbTChart;
    QToolButton *btnClear;
    TLineStore *mmTChart;

    QAction *Save1, *Print1, *Exit1;
    QAction *cDrawChart, *SmallCharts1, *LargeCharts1, *DailyCharts1;
    QAction *ColorPreferences1, *SchemeOne1, *SchemwTwo1, *SchemeThree1, *SchemeFour1, *SchemeFive;
    QAction *Stochastic1, *EquityChart1;
    QAction *Help2, *About1;

    int TicksPerPoint = 0;
    TChartLayout ChartLayout = TChartLayout::Small;
    int LayoutBars = 156;
    int PriceHeight = 400;
    int PaneHeight = 0;
    int FirstBar = 0;
    int LastBar = 0;
    bool PriceChartShown = false;
    bool EquityChartShown = false;
    bool EquityAnimationDone = false;
    int ChartRight = 0;
    int LastCloseY = 0;
    int FrameBottom = 0;
    int MouseX = 0;
    int MouseY = 0;

    // The pause after each bar of the equity animation, in milliseconds.
    double EquityDelayMs = 0.5;
    // Pauses made by the last drawing pass.
    int DelaysOfLastDrawing() const { return m_delays; }
    // The picture of the last drawing pass (grey before the first plot).
    QImage CanvasImage() const;

    void FormCreate();
    // Reloads the line store from "TCHART.TCH" after a system run; the year
    // list and the ticks stay as they are and nothing is redrawn.
    void Reload();

    void btnPlotClick();
    void btnClearClick();
    void cDrawChartClick();
    void FormClick();
    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormPaint();
    void FormHide();
    void SetSmallLayout();
    void SmallCharts1Click();
    void LargeCharts1Click();
    void Stochastic1Click();
    // Colors > Style One .. Style Five: "SCHEME1.PAL" .. "SCHEME5.PAL".
    void StyleClick(int scheme);
    void SchemeOne1Click() { StyleClick(1); }
    void SchemwTwo1Click() { StyleClick(2); }
    void SchemeThree1Click() { StyleClick(3); }
    void SchemeFour1Click() { StyleClick(4); }
    void SchemeFiveClick() { StyleClick(5); }
    void ColorPreferences1Click();
    void About1Click();
    void Help2Click();
    void Exit1Click();
    void EquityChart1Click();
    void DrawPriceChart();
    void DrawEquityChart();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TChartCanvas;
    friend class TChartImageCanvas;
    void CanvasPaint(QWidget *canvas);
    QSize ClientSize();
    void PlaceChooser(int top, int left);
    template <typename Pass>
    void RunPass(TColor background, Pass pass);
    void BuildMenu();
    void ShowPicture();

    TChartCanvas *m_canvas;
    QImage m_image;
    QFont m_chartFont;
    bool m_drawing = false;     // a pass runs: a repaint only shows the picture
    bool m_imageFresh = false;  // a handler has just drawn the picture
    bool m_inPaint = false;
    bool m_animationQueued = false;
    TColor m_background = clGray;
    int m_delays = 0;
};

extern TfrmTChart *frmTChart;
