#include "qelparam.h"

#include <QLabel>

TfrmQelparam *frmQelparam = nullptr;

TfrmQelparam::TfrmQelparam(QWidget *parent)
    : TForm(QStringLiteral("frmQelparam"), parent)
{
    setWindowTitle(QStringLiteral("Change Running Parameters"));
    SetClientSize(609, 515);
    SetFaceColor(0xEAFBFB);
    pnlParmStrip = new QLabel(this);
    pnlParmStrip->setObjectName(QStringLiteral("pnlParmStrip"));
    Place(pnlParmStrip, 8, 480, 593, 25);
}

void TfrmQelparam::FormCreate()
{
    // Start state: the Default Settings. "BONDS.SYS" is never read back.
    DefaultSettingsFlag = QLatin1Char('Y');
}
