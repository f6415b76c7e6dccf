#include "chartsmain.h"

#include "platform/textfiles.h"

#include <QListWidget>

TfrmChartsMain *frmChartsMain = nullptr;

TfrmChartsMain::TfrmChartsMain(QWidget *parent)
    : TForm(QStringLiteral("frmChartsMain"), parent)
{
    setWindowTitle(QStringLiteral("QEL Chart Viewer."));
    SetClientSize(682, 473);
    SetFaceColor(clBlack);
    imgCharts = new TImage(this);
    imgCharts->setObjectName(QStringLiteral("imgCharts"));
    Place(imgCharts, 0, 0, 560, 473);
    lstCharts = new QListWidget(this);
    lstCharts->setObjectName(QStringLiteral("lstCharts"));
    Place(lstCharts, 562, 0, 120, 473);
}

void TfrmChartsMain::FormCreate()
{
    imgCharts->LoadFromFile(QStringLiteral("globe.gif"));
    const QStringList names = TextFiles::ReadLines(QStringLiteral("CHARTS.LST"));
    lstCharts->clear();
    lstCharts->addItems(names);
}
