#include "calendarabout.h"

#include <QLabel>
#include <QPushButton>

TfrmCalendarAbout *frmCalendarAbout = nullptr;

TfrmCalendarAbout::TfrmCalendarAbout(QWidget *parent)
    : TForm(QStringLiteral("frmCalendarAbout"), parent)
{
    setWindowTitle(QStringLiteral("About Calendar"));
    SetClientSize(300, 200);
    SetFaceColor(0x000080);
    auto *title = new QLabel(QStringLiteral("Calendar"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setAutoFillBackground(true);
    QPalette palette = title->palette();
    palette.setColor(QPalette::Window, QColor(0xB9, 0xB0, 0xA8));
    title->setPalette(palette);
    Place(title, 10, 10, 280, 140);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    Place(ok, 112, 162, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
