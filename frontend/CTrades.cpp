#include "CTrades.h"

#include "logic/chartfile.h"
#include "platform/files.h"
#include "platform/textfiles.h"

#include <QComboBox>
#include <QFrame>
#include <cmath>

TfrmTChart *frmTChart = nullptr;
TColor ChartPalette[14] = {};

TfrmTChart::TfrmTChart(QWidget *parent)
    : TForm(QStringLiteral("frmTChart"), parent)
{
    setWindowTitle(QStringLiteral("Norvane"));
    SetFaceColor(clGray);
    SetClientSize(686, 493, false);
    pnlTChart = new QFrame(this);
    pnlTChart->setObjectName(QStringLiteral("pnlTChart"));
    pnlTChart->setAutoFillBackground(true);
    pnlTChart->resize(88, 29);
    cbTChart = new QComboBox(pnlTChart);
    cbTChart->setObjectName(QStringLiteral("cbTChart"));
    cbTChart->setToolTip(QStringLiteral("Click to plot chart."));
    cbTChart->addItem(QString());
    Place(cbTChart, 2, 3, 84, 23);
    mmTChart = new TMemo(this);
    mmTChart->setObjectName(QStringLiteral("mmTChart"));
    mmTChart->hide();
}

void TfrmTChart::Reload()
{
    mmTChart->SetLines(TextFiles::ReadLines(QStringLiteral("TCHART.TCH")));
}

void TfrmTChart::FormCreate()
{
    pnlTChart->move(static_cast<int>(std::nearbyint(width() / 2.0 - 44)),
                    static_cast<int>(std::nearbyint(height() / 2.0 - 15)));
    mmTChart->LoadFromFile(QStringLiteral("TCHART.TCH"));
    if (Files::FileExists(QStringLiteral("QEL5100.EXE")))
        TicksPerPoint = 32;
    if (Files::FileExists(QStringLiteral("QEL7300.EXE")))
        TicksPerPoint = 64;
    const QStringList years = BuildYearList(mmTChart->Lines());
    for (int i = 0; i < years.size(); ++i) {
        if (i == 0)
            cbTChart->setItemText(0, years.at(0));
        else
            cbTChart->addItem(years.at(i));
    }
}
