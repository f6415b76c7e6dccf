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
    imgAbout = MakeChild<TImage>(this, "imgAbout", 8, 8, 446, 236);
    lblVersion = MakeChild<QLabel>(this, "lblVersion", 16, 254, 200, 20, QStringLiteral("Version 1.3"));
    auto *ok = MakeChild<QPushButton>(this, "btnOK", 372, 252, 75, 25, QStringLiteral("OK"));
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
