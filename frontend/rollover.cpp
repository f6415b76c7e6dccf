#include "rollover.h"

#include <QLabel>

TfrmRollover *frmRollover = nullptr;

TfrmRollover::TfrmRollover(QWidget *parent)
    : TForm(QStringLiteral("frmRollover"), parent)
{
    setWindowTitle(QStringLiteral("Rollover Calculator"));
    SetClientSize(302, 191);
    SetFaceColor(clSilver);
    lblRollover = new QLabel(this);
    lblRollover->setObjectName(QStringLiteral("lblRollover"));
    lblRollover->setAlignment(Qt::AlignCenter);
    Place(lblRollover, 150, 150, 140, 25);
}
