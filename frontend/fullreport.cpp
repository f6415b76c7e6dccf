#include "fullreport.h"

#include "controlpanel.h"
#include "platform/errorhandler.h"

#include <QKeyEvent>
#include <QVBoxLayout>

TfrmFullReport *frmFullReport = nullptr;

TfrmFullReport::TfrmFullReport(QWidget *parent)
    : TForm(QStringLiteral("frmFullReport"), parent)
{
    SetStayOnTop();
    SetClientSize(660, 450, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mmFullReport = MakeChild<TMemo>(this, "mmFullReport");
    mmFullReport->setFont(DesignFont(QStringLiteral("Lucida Console"), 11));
    // The view does not take the Tab key: it moves the focus on, and with
    // nothing else to take the focus it does nothing.
    mmFullReport->setTabChangesFocus(true);
    mmFullReport->installEventFilter(this);
    mmFullReport->setUndoRedoEnabled(true);
    mmFullReport->SetScrollBars(ScrollBars::Vertical);
    layout->addWidget(mmFullReport);
    connect(mmFullReport, &TMemo::clicked, this, Guarded([this] { mmFullReportClick(); }));
}

bool TfrmFullReport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mmFullReport && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return TForm::eventFilter(watched, event);
}

void TfrmFullReport::ShowLines(const QStringList &lines, const QString &caption, ScrollBars bars)
{
    mmFullReport->SetLines(lines);
    setWindowTitle(caption);
    mmFullReport->SetScrollBars(bars);
    ShowCentred();
}

void TfrmFullReport::SetPaneColor(TColor color)
{
    mmFullReport->SetColor(color);
}

void TfrmFullReport::mmFullReportClick()
{
    frmControlPanel->hide();
}
