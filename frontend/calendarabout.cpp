#include "calendarabout.h"

#include <QPainter>
#include <QPixmap>
#include <QPushButton>

TfrmCalendarAbout *frmCalendarAbout = nullptr;

namespace {
constexpr TColor PanelColor = RgbColor(0xB9, 0xB0, 0xA8);

// A leaf of a wall calendar: a maroon head with two rings over a grid of
// days, one of them marked.
QPixmap CalendarPicture()
{
    QPixmap picture(64, 64);
    picture.fill(ToQColor(PanelColor));
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(6, 10, 51, 49);
    painter.setBrush(ToQColor(clMaroon));
    painter.drawRect(6, 10, 51, 12);
    painter.setBrush(ToQColor(clSilver));
    painter.drawEllipse(16, 5, 6, 10);
    painter.drawEllipse(41, 5, 6, 10);
    painter.setPen(ToQColor(clGray));
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 6; ++column)
            painter.drawRect(10 + column * 7, 26 + row * 8, 5, 5);
    }
    painter.fillRect(10 + 3 * 7, 26 + 2 * 8, 6, 6, ToQColor(clRed));
    return picture;
}
} // namespace

TfrmCalendarAbout::TfrmCalendarAbout(QWidget *parent)
    : TForm(QStringLiteral("frmCalendarAbout"), parent)
{
    setWindowTitle(QStringLiteral("About Calendar"));
    setWindowFlags(windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    SetClientSize(300, 220);
    SetFaceColor(clMaroon);
    auto *panel = MakeChild<QWidget>(this, "Panel1", 8, 8, 284, 168);
    SetFace(panel, PanelColor);
    lblTitle = MakeChild<QLabel>(panel, "lblTitle", 0, 8, 284, 24, QStringLiteral("Calendar"));
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setFont(DesignFont(QStringLiteral("Times New Roman"), 20, true));
    imgCalendar = MakeChild<QLabel>(panel, "imgCalendar", 16, 44, 64, 64);
    imgCalendar->setPixmap(CalendarPicture());
    lblCredits = MakeChild<QLabel>(panel, "lblCredits", 92, 40, 184, 120);
    lblCredits->setTextFormat(Qt::PlainText);
    lblCredits->setWordWrap(true);
    lblCredits->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblCredits->setText(QStringLiteral("Notes for every month of the trading year.\n\n"
                                       "Part of the QEL-5100 front end.\n"
                                       "Written by its own developers."));
    Button1 = MakeChild<QPushButton>(this, "Button1", 112, 186, 75, 25, QStringLiteral("OK"));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TfrmCalendarAbout::Button1Click()
{
    accept();
}
