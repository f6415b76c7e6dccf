#pragma once
// The rollover calculator: the roll adjustment between the closes of the new
// and the old contract, shown modally from the price editor. Its state lasts
// from one showing to the next.
#include "forms.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TfrmRollover : public TForm {
    Q_OBJECT
public:
    explicit TfrmRollover(QWidget *parent = nullptr);

    static const QStringList HelpText;

    TPanel *pnlHeader;
    QGroupBox *grpClose;
    QLineEdit *mskThisMonth, *mskLastMonth;
    QLabel *lblRollover;
    QGroupBox *rdgRollover;
    QButtonGroup *rdgRolloverItems;   // March, June, September, December: ids 0-3
    QPushButton *btnHelp, *btnCalculate, *btnClear, *btnExit, *btnRolloverHelp;
    TMemo *mmRollover;
    // The letter of the month chosen last; clearing the choice keeps it.
    QString MonthLetter;

    void btnCalculateClick();
    void rdgRolloverClick(int index);
    void btnClearClick();
    void btnHelpClick();
    void btnRolloverHelpClick();
    void btnExitClick();

private:
    // -1 when no month is chosen.
    int ItemIndex() const;
};

extern TfrmRollover *frmRollover;
