#include "calendarload.h"

#include <QVBoxLayout>

TfrmCalendarLoad *frmCalendarLoad = nullptr;

TfrmCalendarLoad::TfrmCalendarLoad(QWidget *parent)
    : TForm(QStringLiteral("frmCalendarLoad"), parent)
{
    SetClientSize(362, 415, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mmCalendarLoad = new TMemo(this);
    mmCalendarLoad->setObjectName(QStringLiteral("mmCalendarLoad"));
    mmCalendarLoad->SetScrollBars(ScrollBars::Vertical);
    layout->addWidget(mmCalendarLoad);
}
