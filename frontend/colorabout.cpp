#include "colorabout.h"

#include <QLabel>
#include <QPushButton>

TfrmColorAbout *frmColorAbout = nullptr;

TfrmColorAbout::TfrmColorAbout(QWidget *parent)
    : TForm(QStringLiteral("frmColorAbout"), parent)
{
    setWindowTitle(QStringLiteral("About Zizida Zuzezaz"));
    SetClientSize(383, 248);
    auto *label = new QLabel(QStringLiteral("Dedizer Edeva Duzuzed"), this);
    label->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    Place(label, 180, 40, 190, 25);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    Place(ok, 250, 200, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
