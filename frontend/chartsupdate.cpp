#include "chartsupdate.h"

#include "chartsmain.h"
#include "logic/chartlist.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/formcontrols.h"
#include "platform/textfiles.h"

#include <QPushButton>

TfrmChartsUpdate *frmChartsUpdate = nullptr;

TfrmChartsUpdate::TfrmChartsUpdate(QWidget *parent)
    : TForm(QStringLiteral("frmChartsUpdate"), parent)
{
    setWindowTitle(QStringLiteral("Update"));
    setWindowFlags(windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    SetClientSize(139, 361);
    SetFaceColor(clBlack);
    mmChtUpdate = MakeChild<TMemo>(this, "mmChtUpdate", 0, 0, 139, 330);
    mmChtUpdate->setFont(FixedPitchFont(13));
    mmChtUpdate->SetColor(RgbColor(0xFD, 0xFE, 0xE9));
    mmChtUpdate->SetScrollBars(ScrollBars::Vertical);
    btnChtUpdate = MakeChild<QPushButton>(this, "btnChtUpdate", 0, 333, 139, 25, QStringLiteral(" Save and Exit"));
    btnChtUpdate->setAutoDefault(false);
    connect(btnChtUpdate, &QPushButton::clicked, this, Guarded([this] { btnChtUpdateClick(); }));
}

void TfrmChartsUpdate::EditList(const QString &fileName)
{
    TextFiles::LineEnds ends;
    const QStringList lines = TextFiles::ReadLines(fileName, &ends);
    m_fileName = fileName;
    mmChtUpdate->Clear();
    // Every line followed by a line end: an unedited list saves back byte
    // for byte, and a final Enter adds no entry.
    mmChtUpdate->SetLines(ChartListEditorLines(lines), ends);
    Dialogs::ExecModal(this);
}

QStringList TfrmChartsUpdate::ListLines() const
{
    return ChartListLines(mmChtUpdate->Lines());
}

void TfrmChartsUpdate::btnChtUpdateClick()
{
    // The pane's line ends go with its lines; the one of the line that
    // ListLines drops is not used.
    TextFiles::WriteLines(m_fileName, ListLines(), mmChtUpdate->LineEnds());
    frmChartsMain->ReloadList();
    accept();
}
