#include "colorabout.h"

#include <QPainter>
#include <QPixmap>
#include <QPushButton>

TfrmColorAbout *frmColorAbout = nullptr;

namespace {

// The box's own picture: a few weekly bars over a rising equity line.
QPixmap AboutPicture()
{
    QPixmap picture(150, 200);
    picture.fill(QColor(255, 255, 255));
    QPainter painter(&picture);
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(4, 4, 141, 191);
    const int highs[] = {60, 52, 58, 44, 40, 48, 36, 30, 38, 26, 22, 30};
    for (int i = 0; i < 12; ++i) {
        painter.setPen(i % 3 == 0 ? QColor(255, 0, 0) : QColor(0, 0, 255));
        const int x = 14 + 11 * i;
        painter.drawLine(x, highs[i] + 20, x, highs[i] + 60);
        painter.drawLine(x, highs[i] + 40, x + 3, highs[i] + 40);
    }
    painter.setPen(QPen(QColor(0, 128, 0), 2));
    painter.drawLine(12, 180, 70, 150);
    painter.drawLine(70, 150, 138, 120);
    return picture;
}

} // namespace

TfrmColorAbout::TfrmColorAbout(QWidget *parent)
    : TForm(QStringLiteral("frmColorAbout"), parent)
{
    setWindowTitle(QStringLiteral("About Zizida Zuzezaz"));
    SetClientSize(383, 248);
    imgAbout = MakeChild<QLabel>(this, "imgAbout", 10, 24, 150, 200);
    imgAbout->setPixmap(AboutPicture());
    auto *panel = MakeChild<QFrame>(this, "Panel1", 170, 10, 203, 228);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *label = MakeChild<QLabel>(panel, "lblTitle", 8, 40, 187, 25);
    label->setText(QStringLiteral("Dedizer Edeva Duzuzed"));
    label->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11, true));
    label->setAlignment(Qt::AlignCenter);
    Button1 = MakeChild<QPushButton>(panel, "Button1", 64, 180, 75, 25);
    Button1->setText(QStringLiteral("OK"));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TfrmColorAbout::Button1Click()
{
    accept();
}
