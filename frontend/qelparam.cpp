#include "qelparam.h"

#include "logic/strtoint.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/formcontrols.h"
#include "platform/helpviewer.h"
#include "platform/menus.h"
#include "platform/textfiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmQelparam *frmQelparam = nullptr;

namespace {

const QString ParameterFile = QStringLiteral("BONDS.SYS");
const QString ParameterFilter = QStringLiteral("Param Files(*.par)|*.par");

// The combo texts of the Default Settings state.
const ParameterValues DefaultValues = {
    QStringLiteral("100"), QStringLiteral("2000"), QStringLiteral("0250"),
    QStringLiteral("15000"), QStringLiteral("30000"), QStringLiteral("1000"),
};

// Item captions from the top; a null caption is a dead item.
const char *const XCaptions[18] = {
    "QEL5100-HIGH", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "MARKET-RALLY", nullptr,
    "KQ4*100-PLUS", nullptr, nullptr, nullptr, nullptr, "HHHHH*2-PLUS", nullptr, "SDW-MKT-SELL", "SPCL-SDW-MKT",
};
const char *const LCaptions[18] = {
    "QEL5100-LOW", nullptr, "MMT140-PLUS", "MAXX58-PLUS", nullptr, nullptr, nullptr, "MK-PULLBACK", nullptr,
    "KQ4100-PLUS", "MRKT-PLUNGE", nullptr, nullptr, nullptr, "LLLLL*2PLUS", nullptr, "SDW-MKT-BUY", "SPL-SDW-MKT",
};
const char *const VCaptions[18] = {
    "WPB-TOOHIGH", "WPB-TOO-LOW", nullptr, "WK-MVT < 32", nullptr, nullptr, "KQ4-TOO-LOW", "BAR-OVERLAP", nullptr,
    nullptr, nullptr, nullptr, "HIGHER-CLSE", "HIGHER-HIGH", "LOWER-CLOSE", "LOWER-(LOW)", "KAOS-FILTER", "MAIN-FILTER",
};
const int ItemTops[18] = {45, 64, 83, 103, 122, 141, 160, 179, 198, 218, 237, 256, 275, 294, 313, 333, 352, 371};
// The bold master captions take the item boxes' width: 97 pixels cut them
// in the sans-serif faces a desktop has.
const int MasterWidth = 110;

// Texts from..to by step, with leading zeros to the width.
QStringList Steps(int from, int to, int step, int width)
{
    QStringList texts;
    for (int value = from; value <= to; value += step)
        texts << QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    return texts;
}

QFont PanelFont(bool bold = false)
{
    return DesignFont(QStringLiteral("MS Sans Serif"), 11, bold);
}

QCheckBox *MakeCheckBox(QWidget *parent, const QString &name, const QString &caption, int x, int y, int w,
                        const QFont &font)
{
    auto *box = MakeChild<QCheckBox>(parent, name.toLatin1().constData(), x, y, w, 17);
    box->setText(caption);
    box->setFont(font);
    return box;
}

QGroupBox *MakeGroupBox(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h)
{
    auto *group = MakeChild<QGroupBox>(parent, name, x, y, w, h);
    group->setTitle(QLatin1String(caption));
    group->setFont(PanelFont(true));
    return group;
}

void MakeLine(QWidget *parent, const char *name, int x, int y, int w)
{
    auto *line = MakeChild<QFrame>(parent, name, x, y, w, 2);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
}

QPushButton *MakeButton(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h)
{
    auto *button = MakeChild<QPushButton>(parent, name, x, y, w, h);
    button->setText(QLatin1String(caption));
    button->setFont(PanelFont());
    // Return in a combo must not press a button: "&X-Clear" would wipe a group.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmQelparam::TfrmQelparam(QWidget *parent)
    : TForm(QStringLiteral("frmQelparam"), parent)
{
    setWindowTitle(QStringLiteral("Change Running Parameters"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    SetClientSize(609, 515);
    SetFaceColor(RgbColor(0xFB, 0xFB, 0xEA));
    setFont(PanelFont());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenu();
    layout->setMenuBar(MainMenu1);
    auto *client = new QWidget(this);
    layout->addWidget(client);

    gbxXort = MakeGroupBox(client, "gbxXort", "X-Algorithms", 8, 13, 130, 432);
    cbx_XX = MakeCheckBox(gbxXort, "cbx_XX", "X-Algorithms", 13, 17, MasterWidth, PanelFont(true));
    btnXX = MakeButton(gbxXort, "btnXX", "&X-Clear", 13, 394, 104, 25);
    BuildGroup(XGroup(), XCaptions);

    gbxLong = MakeGroupBox(client, "gbxLong", "L-Agorithms", 143, 13, 130, 432);
    cbx_LL = MakeCheckBox(gbxLong, "cbx_LL", "L-Algorithms", 13, 17, MasterWidth, PanelFont(true));
    btnLL = MakeButton(gbxLong, "btnLL", "&L-Clear", 13, 394, 104, 25);
    BuildGroup(LGroup(), LCaptions);

    gbxFilter = MakeGroupBox(client, "gbxFilter", "V-Filters", 279, 13, 130, 432);
    cbx_VV = MakeCheckBox(gbxFilter, "cbx_VV", "V-Filters", 13, 17, MasterWidth, PanelFont(true));
    btnVV = MakeButton(gbxFilter, "btnVV", "&V-Clear", 13, 394, 104, 25);
    BuildGroup(VGroup(), VCaptions);

    QGroupBox *presets = MakeGroupBox(client, "gbxPresetRuns", "Preset Runs", 416, 13, 177, 150);
    cbx_PTR1 = MakeCheckBox(presets, "cbx_PTR1", "Default Settings.", 8, 17, 160, PanelFont(true));
    MakeLine(presets, "bvlPresets", 8, 38, 161);
    cbx_PTR8 = MakeCheckBox(presets, "cbx_PTR8", "No Algorithms.", 8, 43, 160, PanelFont());
    cbx_PTR2 = MakeCheckBox(presets, "cbx_PTR2", "X-Algorithms only.", 8, 60, 160, PanelFont());
    cbx_PTR3 = MakeCheckBox(presets, "cbx_PTR3", "L-Algorithms only.", 8, 76, 160, PanelFont());
    cbx_PTR4 = MakeCheckBox(presets, "cbx_PTR4", "V-Filter Only.", 8, 93, 160, PanelFont());
    cbx_PTR5 = MakeCheckBox(presets, "cbx_PTR5", "X+L Algorithms only.", 8, 109, 160, PanelFont());
    cbx_PTR6 = MakeCheckBox(presets, "cbx_PTR6", "No. #1 Algorithm only.", 8, 126, 160, PanelFont());
    m_presets = {cbx_PTR1, cbx_PTR2, cbx_PTR3, cbx_PTR4, cbx_PTR5, cbx_PTR6, cbx_PTR8};
    // Checked in the design: the panel starts in its Default Settings state.
    cbx_PTR1->setChecked(true);

    QGroupBox *trailing = MakeGroupBox(client, "gbxTrailingStop", "Trailing Stop", 416, 168, 177, 41);
    cbx_TrailingStop = MakeCheckBox(trailing, "cbx_TrailingStop", "Trailing Stop ON.", 8, 17, 160, PanelFont());

    QGroupBox *risk = MakeGroupBox(client, "gbxRiskTolerance", "Risk Tolerance", 416, 215, 177, 94);
    QGroupBox *money = MakeGroupBox(client, "gbxMoneyManagement", "Money Management", 416, 314, 177, 131);
    struct ComboDesign {
        QComboBox *TfrmQelparam::*combo;
        QGroupBox *group;
        const char *name;
        int top;
        const char *label;
        QStringList items;
        QString text;
    };
    const ComboDesign combos[] = {
        {&TfrmQelparam::cmbFLT, risk, "cmbFLT", 18, "Filter.",
         QStringList{"000", "050", "075"} + Steps(100, 110, 1, 3) + Steps(115, 150, 5, 3) + QStringList{""},
         DefaultValues.filter},
        {&TfrmQelparam::cmbSTP, risk, "cmbSTP", 42, "Stoploss.", Steps(500, 6500, 500, 4), DefaultValues.stopLoss},
        {&TfrmQelparam::cmbDRD, risk, "cmbDRD", 66, "Drawdown.", Steps(0, 2000, 250, 4), DefaultValues.drawdown},
        {&TfrmQelparam::cmbMRG, money, "cmbMRG", 20, "Trading Margin.", Steps(5000, 50000, 5000, 5) + QStringList{""},
         DefaultValues.margin},
        {&TfrmQelparam::cmbCAP, money, "cmbCAP", 44, "Trading Capital.",
         QStringList{"15000", "20000", "25000"} + Steps(30000, 90000, 10000, 5) + QStringList{"99999"},
         DefaultValues.capital},
        {&TfrmQelparam::cmbCON, money, "cmbCON", 68, "Max contracts.",
         QStringList{"0001", "0003", "0010", "0050", "0100", "0250", "0500"} + Steps(1000, 9000, 1000, 4)
             + QStringList{"9999"},
         DefaultValues.contracts},
    };
    for (const ComboDesign &design : combos) {
        auto *combo = MakeChild<QComboBox>(design.group, design.name, 8, design.top, 66, 21);
        combo->setFont(PanelFont());
        combo->setEditable(true);
        GuardFileText(combo);
        // Typed text stays as typed: no completion from the list, and Return
        // adds no item.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(design.items);
        combo->setEditText(design.text);
        this->*design.combo = combo;
        const QByteArray labelName = QByteArray("lbl") + (design.name + 3);   // "lblFLT" ...
        auto *label = MakeChild<QLabel>(design.group, labelName.constData(), 80, design.top + 3, 92, 15);
        label->setText(QLatin1String(design.label));
        label->setFont(PanelFont());
    }
    btnSetParmFile = MakeButton(money, "btnSetParmFile", "&Create Parm File", 13, 94, 150, 25);

    pnlParams = MakeChild<TPanel>(client, "pnlParams", 8, 448, 584, 15);
    pnlParams->SetColor(clWhite);
    pnlParams->setFrameStyle(QFrame::NoFrame);
    pnlParams->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pnlParams->setFont(FixedPitchFont(11));

    ConnectHandlers();
}

void TfrmQelparam::BuildGroup(Group group, const char *const *captions)
{
    const QString prefix = group.master->objectName().left(5);   // "cbx_X"
    // The line between the master and the items.
    MakeLine(group.box, qPrintable(QStringLiteral("bvl") + group.box->objectName().mid(3)), 8, 38, 114);
    for (int k = 1; k <= 18; ++k) {
        const char *caption = captions[k - 1];
        QCheckBox *item = MakeCheckBox(group.box, prefix + QString::number(k),
                                       caption ? QLatin1String(caption) : QString(), 13, ItemTops[k - 1], 110,
                                       FixedPitchFont(11));
        // A dead item can be checked by a loaded line but is never enabled.
        item->setEnabled(caption != nullptr);
        (*group.items)[k - 1] = item;
    }
}

void TfrmQelparam::BuildMenu()
{
    MainMenu1 = MakeChild<QMenuBar>(this, "MainMenu1");
    MenuBuilder menus(MainMenu1, this);
    QMenu *file = menus.Menu("File1", "&File");
    Load1 = menus.Item(file, "Load1", "Load...", &TfrmQelparam::Load1Click);
    Save1 = menus.Item(file, "Save1", "Save", &TfrmQelparam::Save1Click);
    Saveas1 = menus.Item(file, "Saveas1", "Save As...", &TfrmQelparam::Saveas1Click);
    Exit1 = menus.Item(file, "Exit1", "Exit", &TfrmQelparam::Exit1Click);
    QMenu *help = menus.Menu("Help1", "&Help");
    Help2 = menus.Item(help, "Help2", "Contents", &TfrmQelparam::Help2Click);
}

void TfrmQelparam::ConnectHandlers()
{
    // Check boxes: toggled comes on a real change only, from a click or from
    // setChecked, before the setter returns, which is the rule the panel's
    // cascades rest on.
    auto onToggle = [this](QCheckBox *box, void (TfrmQelparam::*handler)()) {
        connect(box, &QCheckBox::toggled, this, [this, handler] { (this->*handler)(); });
    };
    onToggle(cbx_XX, &TfrmQelparam::cbx_XXClick);
    onToggle(cbx_LL, &TfrmQelparam::cbx_LLClick);
    onToggle(cbx_VV, &TfrmQelparam::cbx_VVClick);
    onToggle(cbx_PTR1, &TfrmQelparam::cbx_PTR1Click);
    onToggle(cbx_PTR2, &TfrmQelparam::cbx_PTR2Click);
    onToggle(cbx_PTR3, &TfrmQelparam::cbx_PTR3Click);
    onToggle(cbx_PTR4, &TfrmQelparam::cbx_PTR4Click);
    onToggle(cbx_PTR5, &TfrmQelparam::cbx_PTR5Click);
    onToggle(cbx_PTR6, &TfrmQelparam::cbx_PTR6Click);
    onToggle(cbx_PTR8, &TfrmQelparam::cbx_PTR8Click);
    onToggle(cbx_TrailingStop, &TfrmQelparam::cbx_TrailingStopClick);
    for (Group group : {XGroup(), LGroup(), VGroup()}) {
        for (int k = 1; k <= 18; ++k) {
            // V items 3, 9, 10 and 12 have no handler.
            if (group.master == cbx_VV && RunningParameters::AlwaysDot(ParameterGroup::V, k))
                continue;
            QCheckBox *item = (*group.items)[k - 1];
            connect(item, &QCheckBox::toggled, this, [this, item] { cbx_ItemClick(item); });
        }
    }
    auto onClick = [this](QPushButton *button, void (TfrmQelparam::*handler)()) {
        connect(button, &QPushButton::clicked, this, Guarded([this, handler] { (this->*handler)(); }));
    };
    onClick(btnXX, &TfrmQelparam::btnXXClick);
    onClick(btnLL, &TfrmQelparam::btnLLClick);
    onClick(btnVV, &TfrmQelparam::btnVVClick);
    onClick(btnSetParmFile, &TfrmQelparam::btnSetParmFileClick);
}

// Steps on one group, in order, separated by blanks: "M" is the master, a
// number the item; "+" checks, "-" unchecks, "d" disables.
void TfrmQelparam::RunSteps(Group group, const char *steps)
{
    for (const QString &step : QString::fromLatin1(steps).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QChar action = step.back();
        const QString target = step.chopped(1);
        QCheckBox *box = target == QLatin1String("M") ? group.master : (*group.items)[StrToInt(target) - 1];
        if (action == QLatin1Char('+'))
            box->setChecked(true);
        else if (action == QLatin1Char('-'))
            box->setChecked(false);
        else
            box->setEnabled(false);
    }
}

void TfrmQelparam::SetXDefaults()
{
    RunSteps(XGroup(), "M+ 1+ 2d 3d 4d 5d 6d 7d 8+ 9d 10+ 11d 12d 13d 14- 15+ 16d 17+ 18+");
}

void TfrmQelparam::SetLDefaults()
{
    RunSteps(LGroup(), "M+ 1+ 2d 3+ 4+ 5d 6d 7d 8+ 9d 10+ 11+ 12d 13d 14- 15+ 16d 17+ 18+");
}

void TfrmQelparam::SetVDefaults()
{
    RunSteps(VGroup(), "M+ 1+ 2+ 3d 4+ 5d 6d 7+ 8+ 9d 10d 11d 12d 13+ 14+ 15+ 16+ 17+ 18+");
}

void TfrmQelparam::ClearXGroup()
{
    RunSteps(XGroup(), "M+ 1- 8- 10- 15- 17- 18-");
}

void TfrmQelparam::ClearLGroup()
{
    RunSteps(LGroup(), "M+ 1- 3- 4- 8- 10- 11- 15- 17- 18-");
}

void TfrmQelparam::ClearVGroup()
{
    RunSteps(VGroup(), "M+ 1- 2- 3d 4- 5d 6d 7- 8- 9d 10d 11d 12d 13- 14- 15- 16- 17+ 18+");
}

void TfrmQelparam::LockGroups()
{
    for (QGroupBox *group : {gbxXort, gbxLong, gbxFilter})
        group->setEnabled(false);
}

void TfrmQelparam::UnlockGroups()
{
    for (QGroupBox *group : {gbxXort, gbxLong, gbxFilter})
        group->setEnabled(true);
}

void TfrmQelparam::LockCombos()
{
    for (QComboBox *combo : {cmbFLT, cmbSTP, cmbDRD, cmbMRG, cmbCAP, cmbCON})
        combo->setEnabled(false);
}

void TfrmQelparam::UnlockCombos()
{
    for (QComboBox *combo : {cmbFLT, cmbSTP, cmbDRD, cmbMRG, cmbCAP, cmbCON})
        combo->setEnabled(true);
}

void TfrmQelparam::SetPresetsEnabled(QCheckBox *except, bool enabled)
{
    for (QCheckBox *preset : m_presets) {
        if (preset != except)
            preset->setEnabled(enabled);
    }
}

void TfrmQelparam::SetComboTexts(const ParameterValues &values)
{
    cmbFLT->setEditText(values.filter);
    cmbSTP->setEditText(values.stopLoss);
    cmbDRD->setEditText(values.drawdown);
    cmbMRG->setEditText(values.margin);
    cmbCAP->setEditText(values.capital);
    cmbCON->setEditText(values.contracts);
}

ParameterValues TfrmQelparam::ComboTexts() const
{
    return {cmbFLT->currentText(), cmbSTP->currentText(), cmbDRD->currentText(),
            cmbMRG->currentText(), cmbCAP->currentText(), cmbCON->currentText()};
}

void TfrmQelparam::FormCreate()
{
    SetXDefaults();
    SetLDefaults();
    SetVDefaults();
    LockGroups();
    LockCombos();
    cbx_PTR1->setChecked(true);   // checked in the design: its handler does not run
    cbx_PTR1->setEnabled(true);
    SetPresetsEnabled(cbx_PTR1, false);
    cbx_TrailingStop->setChecked(true);
    cbx_TrailingStop->setText(QStringLiteral("Trailing Stop ON."));
    cbx_TrailingStop->setEnabled(false);
    SetComboTexts(DefaultValues);
    DefaultSettingsFlag = QLatin1Char('Y');
}

void TfrmQelparam::showEvent(QShowEvent *event)
{
    TForm::showEvent(event);
    // A window restored by the window system is not a new showing.
    if (!event->spontaneous())
        ErrorHandler::Run([this] { FormShow(); });
}

void TfrmQelparam::FormShow()
{
    pnlParams->setText(TextFiles::ReadFirstLine(ParameterFile));
}

void TfrmQelparam::cbx_ItemClick(QCheckBox *item)
{
    if (!item->isChecked())
        return;
    if (item->parentWidget() == gbxXort)
        cbx_XX->setChecked(true);
    else if (item->parentWidget() == gbxLong)
        cbx_LL->setChecked(true);
    else
        cbx_VV->setChecked(true);
}

void TfrmQelparam::cbx_XXClick()
{
    if (!cbx_XX->isChecked())
        RunSteps(XGroup(), "1- 2- 3- 4- 5- 6- 7- 8- 9- 10- 11- 12- 13- 14- 15- 16- 17- 18-");
}

void TfrmQelparam::cbx_LLClick()
{
    if (!cbx_LL->isChecked())
        RunSteps(LGroup(), "1- 2- 3- 4- 5- 6- 7- 8- 9- 10- 11- 12- 13- 14- 15- 16- 17- 18-");
}

void TfrmQelparam::cbx_VVClick()
{
    // Checking V17 or V18 here runs its handler, which checks the master
    // again when one of them was off.
    if (!cbx_VV->isChecked())
        RunSteps(VGroup(), "1- 2- 3d 4- 5- 6- 7- 8- 9d 10d 11- 12d 13- 14- 15- 16- 17+ 18+");
}

void TfrmQelparam::cbx_TrailingStopClick()
{
    cbx_TrailingStop->setText(cbx_TrailingStop->isChecked() ? QStringLiteral("Trailing Stop ON.")
                                                            : QStringLiteral("Trailing Stop OFF."));
}

void TfrmQelparam::btnXXClick()
{
    ClearXGroup();
}

void TfrmQelparam::btnLLClick()
{
    ClearLGroup();
}

void TfrmQelparam::btnVVClick()
{
    ClearVGroup();
}

void TfrmQelparam::cbx_PTR1Click()
{
    if (cbx_PTR1->isChecked()) {
        SetPresetsEnabled(cbx_PTR1, false);
        cbx_TrailingStop->setChecked(true);
        cbx_TrailingStop->setText(QStringLiteral("Trailing Stop ON."));
        cbx_TrailingStop->setEnabled(false);
        SetXDefaults();
        SetLDefaults();
        SetVDefaults();
        LockGroups();
        LockCombos();
        SetComboTexts(DefaultValues);
        DefaultSettingsFlag = QLatin1Char('Y');
    } else {
        UnlockGroups();
        UnlockCombos();
        DefaultSettingsFlag = QLatin1Char('N');
        SetPresetsEnabled(cbx_PTR1, true);
        cbx_TrailingStop->setEnabled(true);
    }
}

void TfrmQelparam::cbx_PTR2Click()
{
    if (cbx_PTR2->isChecked()) {
        SetXDefaults();
        ClearLGroup();
        ClearVGroup();
        LockGroups();
        SetPresetsEnabled(cbx_PTR2, false);
    } else {
        UnlockGroups();
        SetLDefaults();
        SetVDefaults();
        SetPresetsEnabled(cbx_PTR2, true);
    }
}

void TfrmQelparam::cbx_PTR3Click()
{
    if (cbx_PTR3->isChecked()) {
        ClearXGroup();
        SetLDefaults();
        ClearVGroup();
        LockGroups();
        SetPresetsEnabled(cbx_PTR3, false);
    } else {
        UnlockGroups();
        SetXDefaults();
        SetVDefaults();
        SetPresetsEnabled(cbx_PTR3, true);
    }
}

void TfrmQelparam::cbx_PTR4Click()
{
    if (cbx_PTR4->isChecked()) {
        ClearXGroup();
        ClearLGroup();
        SetVDefaults();
        LockGroups();
        SetPresetsEnabled(cbx_PTR4, false);
    } else {
        UnlockGroups();
        SetXDefaults();
        SetLDefaults();
        SetPresetsEnabled(cbx_PTR4, true);
    }
}

void TfrmQelparam::cbx_PTR5Click()
{
    if (cbx_PTR5->isChecked()) {
        SetXDefaults();
        SetLDefaults();
        ClearVGroup();
        LockGroups();
        SetPresetsEnabled(cbx_PTR5, false);
    } else {
        UnlockGroups();
        SetVDefaults();
        SetPresetsEnabled(cbx_PTR5, true);
    }
}

void TfrmQelparam::cbx_PTR6Click()
{
    if (cbx_PTR6->isChecked()) {
        ClearXGroup();
        ClearLGroup();
        SetVDefaults();
        LockGroups();
        cbx_XX->setChecked(true);
        cbx_LL->setChecked(true);
        cbx_X[0]->setChecked(true);
        cbx_L[0]->setChecked(true);
        SetPresetsEnabled(cbx_PTR6, false);
    } else {
        SetXDefaults();
        SetLDefaults();
        UnlockGroups();
        SetPresetsEnabled(cbx_PTR6, true);
    }
}

void TfrmQelparam::cbx_PTR8Click()
{
    if (cbx_PTR8->isChecked()) {
        ClearXGroup();
        ClearLGroup();
        ClearVGroup();
        LockGroups();
        SetPresetsEnabled(cbx_PTR8, false);
    } else {
        UnlockGroups();
        SetLDefaults();
        SetXDefaults();
        SetVDefaults();
        SetPresetsEnabled(cbx_PTR8, true);
    }
}

GroupSelection TfrmQelparam::Selection(Group group) const
{
    GroupSelection selection;
    selection.master = group.master->isChecked();
    for (int k = 0; k < 18; ++k)
        selection.items[k] = (*group.items)[k]->isChecked();
    return selection;
}

void TfrmQelparam::BuildParameterLine()
{
    PanelSelections selections;
    selections.x = Selection(XGroup());
    selections.l = Selection(LGroup());
    selections.v = Selection(VGroup());
    selections.trailingStop = cbx_TrailingStop->isChecked();
    ParameterLineValid = true;
    ParameterValues values = ComboTexts();
    // Each box comes as its check fails; a corrected stop loss is in its
    // combo by then.
    ParameterChecks::Run(values, [this, &values](ParameterChecks::Box box, const QString &text) {
        cmbSTP->setEditText(values.stopLoss);
        if (box == ParameterChecks::Box::Warning) {
            ParameterLineValid = false;
            Dialogs::Warning(text);
        } else {
            Dialogs::Information(text);
        }
    });
    selections.defaultSettingsFlag = DefaultSettingsFlag;
    selections.values = values;
    CurrentParameterLine = RunningParameters::Assemble(selections);
}

void TfrmQelparam::WriteParameterFile(const QString &name)
{
    // The checked writer: a failed write leaves the old file byte for byte
    // and raises the error that ends the handler.
    TextFiles::WriteLines(name, {CurrentParameterLine});
}

void TfrmQelparam::btnSetParmFileClick()
{
    BuildParameterLine();
    if (!ParameterLineValid)
        return;
    WriteParameterFile(ParameterFile);
    pnlParams->setText(CurrentParameterLine);
    Dialogs::Information(QStringLiteral("The file has been successfully created."));
}

void TfrmQelparam::Save1Click()
{
    btnSetParmFileClick();
}

void TfrmQelparam::Saveas1Click()
{
    const QString name = Dialogs::SaveFileName(this, QStringLiteral("QEL Save Parm File."), QDir::currentPath(),
                                               QStringLiteral("*.par"), ParameterFilter, QStringLiteral("par"),
                                               Dialogs::PromptOverwrite | Dialogs::PromptCreate);
    if (name.isEmpty())
        return;
    BuildParameterLine();
    // A parameter set is kept whatever the checks found.
    WriteParameterFile(name);
}

void TfrmQelparam::Load1Click()
{
    LoadedParameterLine = QStringLiteral(" ");
    const QStringList chosen = Dialogs::OpenFileNames(this, QDir::currentPath(), ParameterFilter, 1, false,
                                                      QStringLiteral("QEL Load parm File."), QStringLiteral("*.par"));
    if (!chosen.isEmpty())
        LoadedParameterLine = TextFiles::ReadFirstLine(chosen.first());
    pnlParams->setText(LoadedParameterLine);
    if (RunningParameters::Applies(LoadedParameterLine))
        ApplyParameterLine();
}

void TfrmQelparam::ApplyGroup(Group group, const GroupColumns &columns)
{
    if (columns.master)
        group.master->setChecked(*columns.master);
    for (int k = 0; k < 18; ++k) {
        if (columns.check[k])
            (*group.items)[k]->setChecked(true);
    }
    for (int k = 0; k < 18; ++k) {
        if (columns.uncheck[k])
            (*group.items)[k]->setChecked(false);
    }
}

void TfrmQelparam::ApplyParameterLine()
{
    // A load ends in Free mode. The checked preset is unchecked first, so
    // that its own unchecked steps (a preset's defaults) come before the
    // clears and cannot stand beside the loaded selection.
    for (QCheckBox *preset : m_presets) {
        if (preset->isChecked())
            preset->setChecked(false);
    }
    UnlockGroups();
    ClearXGroup();
    ClearLGroup();
    ClearVGroup();
    QCheckBox *const firstSix[] = {cbx_PTR1, cbx_PTR2, cbx_PTR3, cbx_PTR4, cbx_PTR5, cbx_PTR6};
    for (QCheckBox *preset : firstSix)
        preset->setEnabled(true);
    for (QCheckBox *preset : firstSix)
        preset->setChecked(false);

    const LineColumns columns = RunningParameters::Read(LoadedParameterLine);
    SetComboTexts(columns.values);
    ApplyGroup(VGroup(), columns.v);
    ApplyGroup(XGroup(), columns.x);
    ApplyGroup(LGroup(), columns.l);
    if (columns.trailingStop)
        cbx_TrailingStop->setChecked(*columns.trailingStop);
}

void TfrmQelparam::Help2Click()
{
    HelpViewer::ShowContents(QStringLiteral("PARAMS.HLP"));
}

void TfrmQelparam::Exit1Click()
{
    close();
}
