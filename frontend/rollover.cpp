#include "rollover.h"

#include "logic/pricenotation.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TfrmRollover *frmRollover = nullptr;

const QStringList TfrmRollover::HelpText = {
    QStringLiteral(" Rollover calculation example."),
    QString(),
    QStringLiteral(" E.g. Switching from December to March."),
    QString(),
    QStringLiteral(" The MAR contract closed at 114-22. Enter 114-22."),
    QStringLiteral(" The DEC contract closed at 115-22. Enter 115-22."),
    QString(),
    QStringLiteral(" Choose March as the new month, then click on 'Rollover'."),
    QStringLiteral(" The difference is -1-00 one full point or 32 ticks."),
    QStringLiteral(" The rollover will be displayed as -032M. Enter this in the file."),
    QStringLiteral(" Use Friday's close when calculating the rollover."),
};

namespace {
const QString EmptyPrice = QStringLiteral("000-00");
constexpr int HelpButtonStrip = 33;   // the foot of the help pane, kept for its OK button

// Back to "000-00" with the caret on the first digit: a full mask refuses
// what is typed at its end, so typing starts over the price from the left.
void ResetPrice(QLineEdit *box)
{
    box->setText(EmptyPrice);
    box->setCursorPosition(0);
}

// Three digit positions, a fixed "-", two digit positions; "_" shows an
// empty position.
QLineEdit *PriceBox(QWidget *parent, const char *name, int y)
{
    auto *box = MakeChild<QLineEdit>(parent, name, 95, y, 70, 22);
    box->setFont(FixedPitchFont(13, true));
    box->setInputMask(QStringLiteral("000-00;_"));
    ResetPrice(box);
    return box;
}

// The help text pane, whose text can stop above a strip at its foot where
// the OK button lies, so the button hides no line of the help.
class HelpPane : public TMemo {
public:
    using TMemo::TMemo;
    void KeepFootFree(int height) { setViewportMargins(0, 0, 0, height); }
};
} // namespace

TfrmRollover::TfrmRollover(QWidget *parent)
    : TForm(QStringLiteral("frmRollover"), parent)
{
    setWindowTitle(QStringLiteral("Rollover Calculator"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    SetClientSize(302, 191);
    SetFaceColor(clSilver);

    pnlHeader = MakeChild<TPanel>(this, "pnlHeader", 0, 0, 302, 25);
    pnlHeader->setText(QStringLiteral("US T-Bonds Rollover Calculator"));
    pnlHeader->setFont(DesignFont(font().family(), 13, true));
    pnlHeader->SetColor(RgbColor(0xB9, 0xB0, 0xA8));

    grpClose = MakeChild<QGroupBox>(this, "grpClose", 6, 30, 176, 80, QStringLiteral("Close"));
    MakeChild<QLabel>(grpClose, "lblThisMonth", 8, 22, 85, 22, QStringLiteral("This Month"));
    mskThisMonth = PriceBox(grpClose, "mskThisMonth", 22);
    MakeChild<QLabel>(grpClose, "lblLastMonth", 8, 50, 85, 22, QStringLiteral("Last Month"));
    mskLastMonth = PriceBox(grpClose, "mskLastMonth", 50);

    MakeChild<QLabel>(this, "lblRolloverCaption", 12, 122, 70, 22, QStringLiteral("Rollover"));
    lblRollover = MakeChild<QLabel>(this, "lblRollover", 101, 120, 70, 24);
    lblRollover->setAlignment(Qt::AlignCenter);
    lblRollover->setTextFormat(Qt::PlainText);
    lblRollover->setFont(DesignFont(font().family(), 13, true));
    SetFace(lblRollover, RgbColor(0xD6, 0xFE, 0xE6));

    rdgRollover = MakeChild<QGroupBox>(this, "rdgRollover", 190, 30, 106, 116, QStringLiteral("New Month"));
    rdgRolloverItems = new QButtonGroup(this);
    rdgRolloverItems->setObjectName(QStringLiteral("rdgRolloverItems"));
    const char *const months[] = {"March", "June", "September", "December"};
    for (int i = 0; i < 4; ++i) {
        auto *item = MakeChild<QRadioButton>(rdgRollover, months[i], 10, 20 + i * 23, 90, 22,
                                             QLatin1String(months[i]));
        rdgRolloverItems->addButton(item, i);
    }
    // Arrow keys and Space choose a month as a click does.
    connect(rdgRolloverItems, &QButtonGroup::idClicked, this, &TfrmRollover::rdgRolloverClick);

    struct ButtonRow {
        QPushButton *&button;
        const char *name, *caption;
        int x;
        void (TfrmRollover::*handler)();
    };
    const ButtonRow buttons[] = {
        {btnHelp, "btnHelp", "&Help", 6, &TfrmRollover::btnHelpClick},
        {btnCalculate, "btnCalculate", "&Rollover", 80, &TfrmRollover::btnCalculateClick},
        {btnClear, "btnClear", "C&lear", 154, &TfrmRollover::btnClearClick},
        {btnExit, "btnExit", "E&xit", 228, &TfrmRollover::btnExitClick},
    };
    for (const ButtonRow &b : buttons) {
        b.button = MakeChild<QPushButton>(this, b.name, b.x, 158, 68, 25, QLatin1String(b.caption));
        b.button->setAutoDefault(false);
        connect(b.button, &QPushButton::clicked, this, Guarded([this, h = b.handler] { (this->*h)(); }));
    }

    // The help covers the whole window until its OK is pressed.
    auto *helpPane = MakeChild<HelpPane>(this, "mmRollover", 0, 0, 302, 191);
    helpPane->KeepFootFree(HelpButtonStrip);
    mmRollover = helpPane;
    mmRollover->SetReadOnly(true);
    // The help's lines are wider than the window: they wrap, and scroll when
    // they must.
    mmRollover->setFont(DesignFont(font().family(), 11));
    mmRollover->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmRollover->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mmRollover->SetColor(RgbColor(0xFD, 0xFE, 0xE7));
    mmRollover->SetLines(HelpText);
    mmRollover->hide();
    btnRolloverHelp = MakeChild<QPushButton>(this, "btnRolloverHelp", 117, 191 - HelpButtonStrip + 4, 68, 25,
                                             QStringLiteral("OK"));
    btnRolloverHelp->setAutoDefault(false);
    btnRolloverHelp->hide();
    connect(btnRolloverHelp, &QPushButton::clicked, this, Guarded([this] { btnRolloverHelpClick(); }));
}

int TfrmRollover::ItemIndex() const
{
    return rdgRolloverItems->checkedId();
}

void TfrmRollover::btnCalculateClick()
{
    const Rollover::RollInput input = Rollover::ReadRollInput(mskThisMonth->displayText(),
                                                              mskLastMonth->displayText());
    lblRollover->setText(Rollover::RollNumber(input));
    if (!Rollover::TicksValid(input)) {
        Dialogs::Warning(QStringLiteral("You have entered the ticks incorrectly"));
        btnClearClick();
    } else if (ItemIndex() < 0) {
        Dialogs::Warning(QStringLiteral("You have not selected the month yet"));
        lblRollover->clear();
    } else {
        lblRollover->setText(lblRollover->text() + MonthLetter);
    }
}

void TfrmRollover::rdgRolloverClick(int index)
{
    MonthLetter = Rollover::MonthLetter(index);
}

void TfrmRollover::btnClearClick()
{
    ResetPrice(mskThisMonth);
    ResetPrice(mskLastMonth);
    lblRollover->clear();
    // An exclusive group keeps one button checked; let go of it for a moment.
    rdgRolloverItems->setExclusive(false);
    for (QAbstractButton *item : rdgRolloverItems->buttons())
        item->setChecked(false);
    rdgRolloverItems->setExclusive(true);
}

void TfrmRollover::btnHelpClick()
{
    mmRollover->show();
    mmRollover->raise();
    btnRolloverHelp->show();
    btnRolloverHelp->raise();
}

void TfrmRollover::btnRolloverHelpClick()
{
    btnRolloverHelp->hide();
    mmRollover->hide();
}

void TfrmRollover::btnExitClick()
{
    close();
}
