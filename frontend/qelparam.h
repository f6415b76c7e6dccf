#pragma once
// The parameters panel: which X-algorithms, L-algorithms and V-filters take
// part in the week's system run, six money values, the trailing stop, or one
// of the preset runs. Its state becomes the run-parameter line written to
// "BONDS.SYS" and kept in ".par" files. The window exists from start-up and
// is shown modally from Tools > Params; its controls keep their state for
// the whole run.
//
// The panel rests on one rule of its check boxes: a box's handler runs
// whenever its checked state changes, from a click or from code, at once and
// nested inside the setter; setting the state it has, or enabling or
// disabling a box, runs nothing. The helpers and presets below are written
// as plain steps on that rule, and the cascades follow from it.
#include "forms.h"
#include "logic/runparams.h"

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QMenuBar;
class QPushButton;

class TfrmQelparam : public TForm {
    Q_OBJECT
public:
    explicit TfrmQelparam(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QAction *Load1, *Save1, *Saveas1, *Exit1, *Help2;

    QGroupBox *gbxXort, *gbxLong, *gbxFilter;
    QCheckBox *cbx_XX, *cbx_LL, *cbx_VV;
    // Item boxes: cbx_X[0] is "cbx_X1" ... cbx_X[17] is "cbx_X18".
    std::array<QCheckBox *, 18> cbx_X{}, cbx_L{}, cbx_V{};
    QPushButton *btnXX, *btnLL, *btnVV;

    QCheckBox *cbx_PTR1, *cbx_PTR2, *cbx_PTR3, *cbx_PTR4, *cbx_PTR5, *cbx_PTR6, *cbx_PTR8;
    QCheckBox *cbx_TrailingStop;
    QComboBox *cmbFLT, *cmbSTP, *cmbDRD, *cmbMRG, *cmbCAP, *cmbCON;
    QPushButton *btnSetParmFile;
    TPanel *pnlParams;

    // "Y" while the panel is in its Default Settings state; column 1 of the line.
    QChar DefaultSettingsFlag = QLatin1Char('Y');
    QString CurrentParameterLine;   // the line last built
    bool ParameterLineValid = false;
    QString LoadedParameterLine;    // the line last read by Load

    void FormCreate();
    void FormShow();

    void cbx_PTR1Click();
    void cbx_PTR2Click();
    void cbx_PTR3Click();
    void cbx_PTR4Click();
    void cbx_PTR5Click();
    void cbx_PTR6Click();
    void cbx_PTR8Click();
    void btnXXClick();
    void btnLLClick();
    void btnVVClick();
    // The item handler family, one for all 50 item boxes that have one.
    void cbx_ItemClick(QCheckBox *item);
    void cbx_XXClick();
    void cbx_LLClick();
    void cbx_VVClick();
    void cbx_TrailingStopClick();
    void btnSetParmFileClick();
    void Save1Click();
    void Saveas1Click();
    void Load1Click();
    void Help2Click();
    void Exit1Click();

    void SetXDefaults();
    void SetLDefaults();
    void SetVDefaults();
    void ClearXGroup();
    void ClearLGroup();
    void ClearVGroup();
    void LockGroups();
    void UnlockGroups();
    void LockCombos();
    void UnlockCombos();

    // Controls to line: checks the values (their boxes shown), may correct
    // the stop loss, sets ParameterLineValid and CurrentParameterLine.
    // Raises the stop-loss conversion error, which leaves both unchanged.
    void BuildParameterLine();
    // LoadedParameterLine to controls.
    void ApplyParameterLine();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Group {
        QGroupBox *box;
        QCheckBox *master;
        std::array<QCheckBox *, 18> *items;
    };
    Group XGroup() { return {gbxXort, cbx_XX, &cbx_X}; }
    Group LGroup() { return {gbxLong, cbx_LL, &cbx_L}; }
    Group VGroup() { return {gbxFilter, cbx_VV, &cbx_V}; }

    void BuildGroup(Group group, const char *const *captions);
    void BuildMenu();
    void ConnectHandlers();
    void RunSteps(Group group, const char *steps);
    void SetPresetsEnabled(QCheckBox *except, bool enabled);
    void SetComboTexts(const ParameterValues &values);
    ParameterValues ComboTexts() const;
    GroupSelection Selection(Group group) const;
    void ApplyGroup(Group group, const GroupColumns &columns);
    void WriteParameterFile(const QString &name);

    std::array<QCheckBox *, 7> m_presets{};
};

extern TfrmQelparam *frmQelparam;
