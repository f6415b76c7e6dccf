#include "chartsupdate.h"

#include <QPushButton>

TfrmChartsUpdate *frmChartsUpdate = nullptr;

TfrmChartsUpdate::TfrmChartsUpdate(QWidget *parent)
    : TForm(QStringLiteral("frmChartsUpdate"), parent)
{
    setWindowTitle(QStringLiteral("Update"));
    SetClientSize(139, 361);
    SetFaceColor(clBlack);
    mmChtUpdate = new TMemo(this);
    mmChtUpdate->setObjectName(QStringLiteral("mmChtUpdate"));
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    mmChtUpdate->setFont(fixed);
    mmChtUpdate->SetColor(0xE9FEFD);
    mmChtUpdate->SetScrollBars(ScrollBars::Vertical);
    Place(mmChtUpdate, 0, 0, 139, 330);
    btnChtUpdate = new QPushButton(QStringLiteral(" Save and Exit"), this);
    btnChtUpdate->setObjectName(QStringLiteral("btnChtUpdate"));
    Place(btnChtUpdate, 0, 333, 139, 25);
}
