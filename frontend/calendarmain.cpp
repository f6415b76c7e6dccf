#include "calendarmain.h"

#include "platform/textfiles.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QStackedWidget>
#include <QTabBar>

TfrmCalendar *frmCalendar = nullptr;

const QStringList TfrmCalendar::MonthFiles = {
    QStringLiteral("CALENDAR.JAN"), QStringLiteral("CALENDAR.FEB"), QStringLiteral("CALENDAR.MAR"),
    QStringLiteral("CALENDAR.APR"), QStringLiteral("CALENDAR.MAY"), QStringLiteral("CALENDAR.JUN"),
    QStringLiteral("CALENDAR.JUL"), QStringLiteral("CALENDAR.AUG"), QStringLiteral("CALENDAR.SEP"),
    QStringLiteral("CALENDAR.OCT"), QStringLiteral("CALENDAR.NOV"), QStringLiteral("CALENDAR.DEC"),
};

namespace {
const char *const ListNames[12] = {"lstJan", "lstFeb", "lstMar", "lstApr", "lstMay", "lstJun",
                                   "lstJul", "lstAug", "lstSep", "lstOct", "lstNov", "lstDec"};
const char *const TabNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
QString MonthHeader(int month, int year)
{
    return QLocale(QLocale::English).standaloneMonthName(month).toUpper() + QLatin1Char(' ')
        + QString::number(year);
}
} // namespace

TfrmCalendar::TfrmCalendar(QWidget *parent)
    : TForm(QStringLiteral("frmCalendar"), parent)
{
    setWindowTitle(QStringLiteral("Calendar"));
    SetClientSize(575, 343);
    SetFaceColor(clSilver);
    pnlCal = new QLabel(this);
    pnlCal->setObjectName(QStringLiteral("pnlCal"));
    pnlCal->setAlignment(Qt::AlignCenter);
    pnlCal->setAutoFillBackground(true);
    QPalette palette = pnlCal->palette();
    palette.setColor(QPalette::Window, QColor(0xD9, 0xD7, 0xB9));
    pnlCal->setPalette(palette);
    Place(pnlCal, 8, 8, 300, 22);
    ntbCal = new QStackedWidget(this);
    ntbCal->setObjectName(QStringLiteral("ntbCal"));
    Place(ntbCal, 8, 34, 300, 260);
    for (int m = 0; m < 12; ++m) {
        lstMonth[m] = new QListWidget(ntbCal);
        lstMonth[m]->setObjectName(QLatin1String(ListNames[m]));
        ntbCal->addWidget(lstMonth[m]);
    }
    tbsCal = new QTabBar(this);
    tbsCal->setObjectName(QStringLiteral("tbsCal"));
    tbsCal->setShape(QTabBar::RoundedSouth);
    Place(tbsCal, 8, 296, 300, 24);
}

void TfrmCalendar::FormCreate()
{
    StartDate = QDate::currentDate();
    for (int m = 0; m < 12; ++m)
        tbsCal->addTab(QLatin1String(TabNames[m]));
    connect(tbsCal, &QTabBar::currentChanged, this, [this](int) { tbsCalClick(); });
    tbsCal->setCurrentIndex(StartDate.month() - 1);
    tbsCalClick();
    pnlCal->setText(MonthHeader(StartDate.month(), StartDate.year()));
    for (int m = 0; m < 12; ++m) {
        const QStringList lines = TextFiles::ReadLines(MonthFiles.at(m));
        lstMonth[m]->clear();
        lstMonth[m]->addItems(lines);
    }
}

void TfrmCalendar::tbsCalClick()
{
    const int index = tbsCal->currentIndex();
    if (index < 0)
        return;
    ntbCal->setCurrentIndex(index);
    lstMonth[index]->setCurrentRow(-1);
    pnlCal->setText(MonthHeader(index + 1, StartDate.year()));
}
