#include "fullreport.h"

#include "controlpanel.h"
#include "platform/errorhandler.h"

#include <QVBoxLayout>

TfrmFullReport *frmFullReport = nullptr;

TfrmFullReport::TfrmFullReport(QWidget *parent)
    : TForm(QStringLiteral("frmFullReport"), parent)
{
    SetStayOnTop();
    SetClientSize(660, 450, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mmFullReport = new TMemo(this);
    mmFullReport->setObjectName(QStringLiteral("mmFullReport"));
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(11);
    mmFullReport->setFont(font);
    mmFullReport->setTabChangesFocus(false);
    mmFullReport->setUndoRedoEnabled(true);
    mmFullReport->SetScrollBars(ScrollBars::Vertical);
    layout->addWidget(mmFullReport);
    connect(mmFullReport, &TMemo::clicked, this, Guarded([this] { mmFullReportClick(); }));
}

void TfrmFullReport::mmFullReportClick()
{
    frmControlPanel->hide();
}
