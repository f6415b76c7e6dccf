#include "chartcolor.h"

#include "CTrades.h"
#include "logic/palette.h"

#include <algorithm>

TfrmChartColor *frmChartColor = nullptr;

TfrmChartColor::TfrmChartColor(QWidget *parent)
    : TForm(QStringLiteral("frmChartColor"), parent)
{
    setWindowTitle(QStringLiteral("Set Colors "));
    SetStayOnTop();
    SetClientSize(268, 296);
    SetFaceColor(clSilver);
    mmColorSave = new TMemo(this);
    mmColorSave->setObjectName(QStringLiteral("mmColorSave"));
    mmColorSave->hide();
}

void TfrmChartColor::FormCreate()
{
    Scheme1LoadClick();
}

void TfrmChartColor::Scheme1LoadClick()
{
    PaletteFileName = QStringLiteral("SCHEME1.PAL");
    Load1Click();
}

void TfrmChartColor::Load1Click()
{
    mmColorSave->Clear();
    mmColorSave->LoadFromFile(PaletteFileName);
    const Palette loaded = ParsePalette(mmColorSave->Lines(), PaletteFileName);
    std::copy(loaded.begin(), loaded.end(), ChartPalette);
}
