#include "calendarload.h"

#include "platform/dialogs.h"
#include "platform/files.h"

#include <QFileInfo>
#include <QVBoxLayout>

TfrmCalendarLoad *frmCalendarLoad = nullptr;

TfrmCalendarLoad::TfrmCalendarLoad(QWidget *parent)
    : TForm(QStringLiteral("frmCalendarLoad"), parent)
{
    SetClientSize(362, 415, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mmCalendarLoad = MakeChild<TMemo>(this, "mmCalendarLoad");
    mmCalendarLoad->SetScrollBars(ScrollBars::Vertical);
    // No sideways scroll bar: a note longer than the pane wraps, not hidden.
    mmCalendarLoad->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmCalendarLoad->SetReadOnly(true);
    layout->addWidget(mmCalendarLoad);
}

void TfrmCalendarLoad::ShowBackup(const QString &fileName)
{
    const QString actual = Files::Resolve(fileName);
    mmCalendarLoad->LoadFromFile(actual);
    setWindowTitle(QStringLiteral("Openning file: ") + QFileInfo(actual).absoluteFilePath());
    Dialogs::ExecModal(this);
}
