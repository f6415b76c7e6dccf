#include "qelabout.h"

#include "controlpanel.h"

#include <QLabel>
#include <QPushButton>

TfrmQelAbout *frmQelAbout = nullptr;

TfrmQelAbout::TfrmQelAbout(QWidget *parent)
    : TForm(QStringLiteral("frmQelAbout"), parent)
{
    setWindowTitle(QStringLiteral(" About QEL-5100"));
    SetClientSize(462, 290);
    SetFaceColor(clGray);
    imgAbout = new TImage(this);
    imgAbout->setObjectName(QStringLiteral("imgAbout"));
    Place(imgAbout, 8, 8, 446, 236);
    lblVersion = new QLabel(QStringLiteral("Version 1.3"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    Place(lblVersion, 16, 254, 200, 20);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    Place(ok, 372, 252, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmQelAbout::FormCreate()
{
    // The control panel is on screen from start-up whether or not the
    // picture loads; a picture that fails is still reported.
    try {
        imgAbout->LoadFromFile(QStringLiteral("About.bmp"));
    } catch (...) {
        frmControlPanel->show();
        throw;
    }
    frmControlPanel->show();
}
