#include "chartcolor.h"

#include "CTrades.h"
#include "logic/palette.h"
#include "logic/qelerror.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/menus.h"
#include "platform/textfiles.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

TfrmChartColor *frmChartColor = nullptr;

namespace {

struct RowDesign {
    const char *captionName;
    const char *caption;
    const char *swatchName;
    int entry;
};
// Top to bottom; the sideways row shows entry 12 or 13.
const RowDesign Rows[TfrmChartColor::RowCount] = {
    {"Panel1", "  Background ", "pnBK", Background},
    {"Panel2", "  Outer Box ", "pnBX", OuterBox},
    {"Panel3", "  Vertical Bars ", "pnVB", VerticalBars},
    {"Panel5", "  Text Color", "pnTX", TextColor},
    {"Panel4", "  Short Price Bars ", "pnXX", ShortPriceBars},
    {"Panel16", "  Long Price Bars ", "pnLL", LongPriceBars},
    {"Panel6", "  Sell Signal", "pnSS", SellSignal},
    {"Panel7", "  Buy Signal", "pnBB", BuySignal},
    {"Panel8", "  Market Rally", "pnRY", MarketRally},
    {"Panel9", "  Market Pullback", "pnPK", MarketPullback},
    {"Panel13", "  Out of the Market", "pnSO", OutOfTheMarket},
    {"Panel10", "  Short Sideways Market", "pnSM", ShortSidewaysMarket},
    {"Panel11", "  Close Price Mark", "pnCL", ClosePriceMark},
};
constexpr int SidewaysRowIndex = 11;
constexpr int LongBarsRowIndex = 5;

struct PresetDesign {
    const char *name;
    int column;
    int row;
    TColor color;
};
const PresetDesign PresetTable[TfrmChartColor::PresetCount] = {
    {"Panel25", 0, 0, RgbColor(0, 0, 0)},       {"Panel40", 1, 0, RgbColor(192, 192, 192)},
    {"Panel36", 0, 1, RgbColor(255, 255, 255)}, {"Panel41", 1, 1, RgbColor(0, 255, 255)},
    {"Panel48", 0, 2, RgbColor(0, 128, 0)},     {"Panel47", 1, 2, RgbColor(0, 0, 255)},
    {"Panel35", 0, 3, RgbColor(0, 255, 0)},     {"Panel34", 1, 3, RgbColor(117, 190, 92)},
    {"Panel33", 0, 4, RgbColor(255, 255, 0)},   {"Panel32", 1, 4, RgbColor(255, 128, 0)},
    {"Panel38", 0, 5, RgbColor(128, 128, 128)}, {"Panel39", 1, 5, RgbColor(255, 0, 0)},
    {"Panel37", 0, 6, RgbColor(155, 114, 57)},  {"Panel29", 1, 6, RgbColor(253, 254, 231)},
    {"Panel43", 0, 7, RgbColor(236, 232, 223)}, {"Panel45", 1, 7, RgbColor(213, 199, 187)},
};

const QString SchemeFile = QStringLiteral("SCHEME%1.PAL");

} // namespace

TSwatch::TSwatch(QWidget *parent)
    : TPanel(parent)
{
}

void TSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    const bool endsDoubleClick = m_endsDoubleClick;
    m_endsDoubleClick = false;
    if (!endsDoubleClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    TPanel::mouseReleaseEvent(event);
}

void TSwatch::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_endsDoubleClick = true;
        emit doubleClicked();
    }
}

TfrmChartColor::TfrmChartColor(QWidget *parent)
    : TForm(QStringLiteral("frmChartColor"), parent), SidewaysRow(ShortSidewaysMarket)
{
    setWindowTitle(QStringLiteral("Set Colors "));
    SetStayOnTop();
    setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11));
    auto *client = new QWidget(this);
    SetFace(client, clSilver);

    for (int row = 0; row < RowCount; ++row) {
        const RowDesign &design = Rows[row];
        const int top = 4 + 19 * row;
        CaptionPanels[row] = MakeChild<TSwatch>(client, design.captionName, 4, top, 145, 19);
        CaptionPanels[row]->setText(QLatin1String(design.caption));
        CaptionPanels[row]->setFrameStyle(QFrame::Panel | QFrame::Raised);
        CaptionPanels[row]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        EntrySwatches[row] = MakeChild<TSwatch>(client, design.swatchName, 149, top, 39, 19);
        EntrySwatches[row]->setFrameStyle(QFrame::Panel | QFrame::Raised);
        connect(EntrySwatches[row], &TSwatch::clicked, this, Guarded([this, row] { EntryClick(row); }));
        connect(EntrySwatches[row], &TSwatch::doubleClicked, this, Guarded([this, row] { EntryDblClick(row); }));
    }
    Panel10 = CaptionPanels[SidewaysRowIndex];
    pnSM = EntrySwatches[SidewaysRowIndex];
    connect(Panel10, &TSwatch::clicked, this, Guarded([this] { Panel10Click(); }));

    auto *presetFrame = MakeChild<QFrame>(client, "pnlPresets", 194, 4, 70, 252);
    presetFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (int i = 0; i < PresetCount; ++i) {
        const PresetDesign &design = PresetTable[i];
        Presets[i] = MakeChild<TSwatch>(presetFrame, design.name, 5 + 32 * design.column, 5 + 30 * design.row, 28, 28);
        Presets[i]->SetColor(design.color);
        connect(Presets[i], &TSwatch::clicked, this, Guarded([this, i] { PresetClick(i); }));
    }
    ClearPresetHighlight();

    struct ButtonDesign {
        QPushButton *TfrmChartColor::*button;
        const char *name;
        const char *caption;
    };
    const ButtonDesign buttons[] = {
        {&TfrmChartColor::btnReset, "btnReset", "&Reset"},
        {&TfrmChartColor::btnDefault, "btnDefault", "&Default"},
        {&TfrmChartColor::btnApply, "btnApply", "&Apply"},
        {&TfrmChartColor::btnCancel, "btnCancel", "&Cancel"},
    };
    for (int i = 0; i < 4; ++i) {
        QPushButton *button = MakeChild<QPushButton>(client, buttons[i].name, 4 + 65 * i, 264, 61, 25);
        button->setText(QLatin1String(buttons[i].caption));
        button->setAutoDefault(false);
        this->*buttons[i].button = button;
    }
    connect(btnReset, &QPushButton::clicked, this, Guarded([this] { btnResetClick(); }));
    connect(btnDefault, &QPushButton::clicked, this, Guarded([this] { Scheme1LoadClick(); }));
    connect(btnApply, &QPushButton::clicked, this, Guarded([this] { btnApplyClick(); }));
    connect(btnCancel, &QPushButton::clicked, this, Guarded([this] { Exit1Click(); }));

    MainMenu = AddMenuBar(client);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MenuBuilder menus(MainMenu, this);
    QMenu *file = MainMenu->addMenu(QStringLiteral("&File"));
    Exit1 = menus.Item(file, "Exit1", "E&xit", &TfrmChartColor::Exit1Click);
    QMenu *colors = MainMenu->addMenu(QStringLiteral("&Colors"));
    cApply = menus.Item(colors, "cApply", "&Apply", &TfrmChartColor::btnApplyClick);
    cReset = menus.Item(colors, "cReset", "&Reset", &TfrmChartColor::btnResetClick);
    using Handler = void (TfrmChartColor::*)();
    const struct {
        const char *menu, *load, *save;
        Handler loadClick, saveClick;
    } styles[] = {
        {"cScheme1", "Scheme1Load", "Scheme1Save", &TfrmChartColor::Scheme1LoadClick, &TfrmChartColor::Scheme1SaveClick},
        {"cScheme2", "Scheme2Load", "Scheme2Save", &TfrmChartColor::Scheme2LoadClick, &TfrmChartColor::Scheme2SaveClick},
        {"cScheme3", "Scheme3Load", "Scheme3Save", &TfrmChartColor::Scheme3LoadClick, &TfrmChartColor::Scheme3SaveClick},
        {"cScheme4", "Scheme4Load", "Scheme4Save", &TfrmChartColor::Scheme4LoadClick, &TfrmChartColor::Scheme4SaveClick},
        {"Scheme51", "Scheme5Load", "Scheme5Save", &TfrmChartColor::Scheme5LoadClick, &TfrmChartColor::Scheme5SaveClick},
    };
    for (int n = 0; n < 5; ++n) {
        QMenu *style = colors->addMenu(QStringLiteral("Style%1").arg(n + 1));
        style->setObjectName(QLatin1String(styles[n].menu));
        SchemeLoad[n] = menus.Item(style, styles[n].load, "Load", styles[n].loadClick);
        SchemeSave[n] = menus.Item(style, styles[n].save, "Save", styles[n].saveClick);
    }
    SetClientSize(268, 296 + MainMenu->sizeHint().height());
    // Alt+C is Cancel's, not the Colors menu's.
    ButtonKeysBeforeMenus(MainMenu);

    mmColorSave = MakeChild<TLineStore>(this, "mmColorSave");
    SetSwatches();
}

void TfrmChartColor::FormCreate()
{
    Scheme1LoadClick();
}

int TfrmChartColor::EntryOfRow(int row) const
{
    return row == SidewaysRowIndex ? SidewaysRow : Rows[row].entry;
}

void TfrmChartColor::LoadScheme(int scheme)
{
    PaletteFileName = SchemeFile.arg(scheme);
    Load1Click();
}

void TfrmChartColor::SaveScheme(int scheme)
{
    PaletteFileName = SchemeFile.arg(scheme);
    Save1Click();
}

void TfrmChartColor::Load1Click()
{
    mmColorSave->Clear();
    mmColorSave->LoadFromFile(PaletteFileName);
    // All or nothing: a damaged scheme changes no colour.
    SetSharedPalette(ParsePalette(mmColorSave->Lines(), PaletteFileName));
    SetSwatches();
}

void TfrmChartColor::Save1Click()
{
    if (Dialogs::YesNoCancel(QStringLiteral("Do you want to save your settings?")) != btnYes)
        return;
    mmColorSave->Clear();
    mmColorSave->SetLines(FormatPalette(SharedPalette()));
    TextFiles::WriteLines(PaletteFileName, mmColorSave->Lines());
}

void TfrmChartColor::SetSwatches()
{
    for (int row = 0; row < RowCount; ++row)
        EntrySwatches[row]->SetColor(ChartPalette[EntryOfRow(row)]);
}

void TfrmChartColor::ClearPresetHighlight()
{
    for (TSwatch *preset : Presets) {
        preset->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        preset->setLineWidth(1);
    }
}

int TfrmChartColor::MarkedPreset() const
{
    for (int i = 0; i < PresetCount; ++i) {
        if (Presets[i]->frameShadow() == QFrame::Raised)
            return i;
    }
    return -1;
}

void TfrmChartColor::PresetClick(int preset)
{
    CurrentColor = PresetTable[preset].color;
    ClearPresetHighlight();
    Presets[preset]->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Presets[preset]->setLineWidth(2);
}

void TfrmChartColor::EntryClick(int row)
{
    ClearPresetHighlight();
    ChartPalette[EntryOfRow(row)] = CurrentColor;
    EntrySwatches[row]->SetColor(CurrentColor);
}

void TfrmChartColor::EntryDblClick(int row)
{
    std::optional<TColor> chosen;
    try {
        chosen = Dialogs::ChooseColor(ChartPalette[EntryOfRow(row)]);
    } catch (const QelError &) {
        Dialogs::MessageBox(BoxType::Plain, QStringLiteral("Color selection dialog failed to load."), btnOk);
        return;
    }
    if (!chosen)
        return;
    ChartPalette[EntryOfRow(row)] = *chosen;
    EntrySwatches[row]->SetColor(*chosen);
    // The Long Price Bars swatch leaves the current colour as it was.
    if (row != LongBarsRowIndex)
        CurrentColor = *chosen;
}

void TfrmChartColor::Panel10Click()
{
    const bool toLong = SidewaysRow == ShortSidewaysMarket;
    SidewaysRow = toLong ? LongSidewaysMarket : ShortSidewaysMarket;
    Panel10->setText(toLong ? QStringLiteral("  Long Sideways Market") : QStringLiteral("  Short Sideways Market"));
    pnSM->SetColor(ChartPalette[SidewaysRow]);
}

void TfrmChartColor::btnResetClick()
{
    // Only the swatches: the palette keeps its colours.
    CurrentColor = clWhite;
    for (TSwatch *swatch : EntrySwatches)
        swatch->SetColor(clWhite);
}

void TfrmChartColor::btnApplyClick()
{
    frmTChart->btnPlotClick();
}

void TfrmChartColor::Exit1Click()
{
    // Closes the editor; the edits made stay in the palette.
    reject();
}
