#pragma once
// The floating report window: a stay-on-top text view for the floating
// reports and for any file the user opens. Changes typed into it are never
// saved.
#include "forms.h"

class TfrmFullReport : public TForm {
    Q_OBJECT
public:
    explicit TfrmFullReport(QWidget *parent = nullptr);
    TMemo *mmFullReport;
    void mmFullReportClick();

    // Shows the lines under the caption, with the scroll bars given.
    void ShowLines(const QStringList &lines, const QString &caption, ScrollBars bars);
    void SetPaneColor(TColor color);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

extern TfrmFullReport *frmFullReport;
