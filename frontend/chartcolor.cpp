#include "chartcolor.h"

#include "CTrades.h"
#include "signalline.h"
#include "platform/qelerror.h"

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
    const QStringList lines = mmColorSave->Lines();
    if (lines.size() < 14)
        throw QelError(QStringLiteral("Colour scheme \"%1\" holds %2 lines, not the 14 colours of a scheme.")
                           .arg(PaletteFileName)
                           .arg(lines.size()));
    TColor loaded[14];
    for (int i = 0; i < 14; ++i)
        loaded[i] = static_cast<TColor>(SignalFile::StrToInt(lines.at(i).trimmed()));
    std::copy(loaded, loaded + 14, ChartPalette);
}
