#include "chartsmain.h"

#include "chartsupdate.h"
#include "logic/chartlist.h"
#include "platform/errorhandler.h"
#include "platform/textfiles.h"

#include <QApplication>
#include <QFrame>
#include <QMenuBar>
#include <QPushButton>

TfrmChartsMain *frmChartsMain = nullptr;

namespace {
const QString ChartListFile = QStringLiteral("CHARTS.LST");
const QString Placeholder = QStringLiteral("globe.gif");
} // namespace

const QStringList TfrmChartsMain::HelpLines = {
    QStringLiteral("Updating the chart list file."),
    QStringLiteral("Click on the menu button \"File\" then \"Update\". Once"),
    QStringLiteral("the file is loaded you can add more charts to the list. Do"),
    QStringLiteral("not include the '.GIF' extension. Your changes will take"),
    QStringLiteral("effect immediately after you save your changes. "),
    QStringLiteral("Note: When you enter the new chart name, make sure you "),
    QStringLiteral("enter the charts numbers, no spaces. Eg. 1999D."),
};

TfrmChartsMain::TfrmChartsMain(QWidget *parent)
    : TForm(QStringLiteral("frmChartsMain"), parent)
{
    setWindowTitle(QStringLiteral("QEL Chart Viewer."));
    // A fixed window: system menu and minimise button, no maximise.
    setWindowFlags(windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    SetFaceColor(clBlack);
    setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11));
    QWidget *client = MenuAndClient(this, &MainMenu1, 682, 473);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    // The menu bar keeps the system's colours: on the black face its
    // captions would be black on black.
    QPalette menuPalette = MainMenu1->palette();
    menuPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    MainMenu1->setPalette(menuPalette);
    QMenu *file = AddMenu(MainMenu1, "File1", "&File");
    Uppdate1 = AddMenuItem(file, "Uppdate1", "Update", [this] { Uppdate1Click(); });
    Clear1 = AddMenuItem(file, "Clear1", "Clear", [this] { Clear1Click(); });
    Exit1 = AddMenuItem(file, "Exit1", "Exit", [this] { Exit1Click(); });
    QMenu *help = AddMenu(MainMenu1, "Help1", "&Help");
    Help2 = AddMenuItem(help, "Help2", "Contents", [this] { Help2Click(); });

    lstCharts = MakeChild<TListBox>(client, "lstCharts", 0, 0, 40, 473);
    lstCharts->setToolTip(QStringLiteral("Click on a chart to view."));
    // A narrow face, so that a name such as "1999D" fits the 40 pixels.
    lstCharts->setFont(DesignFont(QStringLiteral("Arial"), 11));
    lstCharts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstCharts->setTextElideMode(Qt::ElideNone);
    // A chart is chosen when the highlight moves to it, by mouse or keys.
    connect(lstCharts, &QListWidget::itemSelectionChanged, this, Guarded([this] { lstChartsClick(); }));
    imgChart = MakeChild<TImage>(client, "imgChart", 42, 3, 638, 467);

    pnlCharts = MakeChild<QFrame>(client, "pnlCharts", 121, 136, 480, 200);
    pnlCharts->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SetFace(pnlCharts, clBlack);
    lblHelp = MakeChild<QLabel>(pnlCharts, "lblHelp", 12, 8, 456, 150, HelpLines.join(QLatin1Char('\n')));
    lblHelp->setTextFormat(Qt::PlainText);
    QPalette palette = lblHelp->palette();
    palette.setColor(QPalette::WindowText, ToQColor(clAqua));
    lblHelp->setPalette(palette);
    Button1 = MakeChild<QPushButton>(pnlCharts, "Button1", 202, 164, 75, 25, QStringLiteral("OK"));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    pnlCharts->hide();
}

void TfrmChartsMain::FormCreate()
{
    imgChart->LoadFromFile(Placeholder);
    ReloadList();
}

void TfrmChartsMain::ReloadList()
{
    lstCharts->SetLines(TextFiles::ReadLines(ChartListFile));
}

void TfrmChartsMain::lstChartsClick()
{
    const int selected = lstCharts->Selection();
    if (selected < 0)
        return;
    imgChart->LoadFromFile(ChartPictureFile(lstCharts->Line(selected)));
}

void TfrmChartsMain::Uppdate1Click()
{
    frmChartsUpdate->EditList(ChartListFile);
}

void TfrmChartsMain::Clear1Click()
{
    imgChart->LoadFromFile(Placeholder);
    // With no chart chosen, choosing the last one again shows it again.
    const QSignalBlocker blocker(lstCharts);
    lstCharts->SelectNone();
}

void TfrmChartsMain::Exit1Click()
{
    close();
}

void TfrmChartsMain::Help2Click()
{
    pnlCharts->show();
    pnlCharts->raise();
}

void TfrmChartsMain::Button1Click()
{
    pnlCharts->hide();
}
