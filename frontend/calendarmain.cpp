#include "calendarmain.h"

#include "calendarabout.h"
#include "calendarload.h"
#include "logic/calendar.h"
#include "logic/qelerror.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/files.h"
#include "platform/helpviewer.h"
#include "platform/textfiles.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>

TfrmCalendar *frmCalendar = nullptr;

const TColor TfrmCalendar::LampColors[LampCount] = {clRed, clYellow, clLime, clAqua, clNavy, clMaroon, clBlue};

namespace {
const char *const ListNames[12] = {"lstJan", "lstFeb", "lstMar", "lstApr", "lstMay", "lstJun",
                                   "lstJul", "lstAug", "lstSep", "lstOct", "lstNov", "lstDec"};
const char *const TabCaptions[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr TColor GridColor = RgbColor(0xFD, 0xFE, 0xE9);
constexpr TColor HeaderColor = RgbColor(0xD9, 0xD7, 0xB9);
constexpr TColor EntryPanelColor = RgbColor(0x80, 0x80, 0x40);
const QString EmptyEntry = QStringLiteral(" ");
const QString AddCaption = QStringLiteral("&Add");
const QString ReplaceCaption = QStringLiteral("&Replace");
} // namespace

TfrmCalendar::TfrmCalendar(QWidget *parent)
    : TForm(QStringLiteral("frmCalendar"), parent)
{
    setWindowTitle(QStringLiteral("Calendar"));
    // A fixed window: system menu, minimise and help buttons, no maximise.
    setWindowFlags(windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowContextHelpButtonHint | Qt::WindowCloseButtonHint);
    SetFaceColor(clSilver);
    // The design's face font: the twelve tabs and the grid's day names fit.
    setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11));
    QWidget *client = MenuAndClient(this, &MainMenu1, 575, 320);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *file = AddMenu(MainMenu1, "File1", "&File");
    Open1 = AddMenuItem(file, "Open1", "Open", [this] { Open1Click(); });
    Backup1 = AddMenuItem(file, "Backup1", "Backup", [this] { Backup1Click(); });
    Exit1 = AddMenuItem(file, "Exit1", "Exit", [this] { Exit1Click(); });
    QMenu *help = AddMenu(MainMenu1, "Help1", "&Help");
    Help2 = AddMenuItem(help, "Help2", "Contents", [this] { Help2Click(); });
    About1 = AddMenuItem(help, "About1", "About", [this] { About1Click(); });
    // The whole window, menu included, is the design's 575 x 343.
    const int clientHeight = 343 - MainMenu1->sizeHint().height();
    client->setFixedHeight(clientHeight);

    pnlCal = MakeChild<TPanel>(client, "pnlCal", 8, 6, 330, 22);
    pnlCal->SetColor(HeaderColor);
    ntbCal = MakeChild<QStackedWidget>(client, "ntbCal", 8, 30, 330, 190);
    for (int m = 0; m < 12; ++m) {
        lstMonth[m] = MakeChild<TListBox>(ntbCal, ListNames[m]);
        SetFace(lstMonth[m], clWhite);
        // A click on an entry makes it the selection: the list's current row.
        ntbCal->addWidget(lstMonth[m]);
    }
    tbsCal = MakeChild<QTabBar>(client, "tbsCal", 8, 220, 330, 24);
    tbsCal->setShape(QTabBar::RoundedSouth);
    // All twelve tabs side by side, sharing the strip's width.
    tbsCal->setUsesScrollButtons(false);
    tbsCal->setExpanding(true);
    tbsCal->setStyleSheet(QStringLiteral("QTabBar::tab { background: #FDFEE9; padding: 2px 1px; }"
                                         "QTabBar::tab:selected { background: white; }"));
    connect(tbsCal, &QTabBar::currentChanged, this, Guarded([this] { tbsCalClick(); }));

    Calendar1 = MakeChild<QCalendarWidget>(client, "Calendar1", 346, 6, 221, 170);
    Calendar1->setFirstDayOfWeek(Qt::Sunday);
    Calendar1->setNavigationBarVisible(false);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    SetFace(Calendar1, GridColor);
    connect(Calendar1, &QCalendarWidget::clicked, this, Guarded([this] { Calendar1Click(); }));
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, Guarded([this] { Calendar1Change(); }));
    lblJDay = MakeChild<QLabel>(client, "lblJDay", 346, 180, 140, 20);

    for (int i = 0; i < LampCount; ++i) {
        const QByteArray name = "Edit" + QByteArray::number(i + 1);
        Lamp[i] = MakeChild<QLineEdit>(client, name.constData(), 346 + i * 18, 206, 14, 14);
        Lamp[i]->setReadOnly(true);
        Lamp[i]->setFocusPolicy(Qt::NoFocus);
        SetFace(Lamp[i], clSilver);
    }

    auto *entryPanel = MakeChild<QWidget>(client, "pnlEntry", 0, 250, 575, clientHeight - 250);
    SetFace(entryPanel, EntryPanelColor);
    Edititem = MakeChild<QLineEdit>(entryPanel, "Edititem", 8, 6, 559, 22);
    SetFace(Edititem, clWhite);   // a plain white edit box on the panel's colour
    Edititem->setToolTip(QStringLiteral("Enter the text here."));
    GuardFileText(Edititem);
    struct ButtonDesign {
        QPushButton *TfrmCalendar::*button;
        const char *name;
        const char *caption;
        std::function<void(TfrmCalendar *)> click;
    };
    const ButtonDesign buttons[] = {
        {&TfrmCalendar::btnAdd, "btnAdd", "&Add", &TfrmCalendar::btnAddClick},
        {&TfrmCalendar::btnInsert, "btnInsert", "&Insert", &TfrmCalendar::btnInsertClick},
        {&TfrmCalendar::btnCancel, "btnCancel", "C&lear", &TfrmCalendar::BtnCancelClick},
        {&TfrmCalendar::btnChange, "btnChange", "&Change", &TfrmCalendar::btnChangeClick},
        {&TfrmCalendar::btncopy, "btncopy", "C&opy", &TfrmCalendar::btnCopyClick},
        {&TfrmCalendar::btnSave, "btnSave", "&Save", [](TfrmCalendar *form) { form->btnSaveClick(); }},
        {&TfrmCalendar::btnDelete, "btnDelete", "&Delete", &TfrmCalendar::btnDeleteClick},
        {&TfrmCalendar::btnUndelete, "btnUndelete", "&Undo", &TfrmCalendar::btnUndeleteClick},
        {&TfrmCalendar::btnExit, "btnExit", "E&xit", &TfrmCalendar::btnExitClick},
    };
    int x = 8;
    for (const ButtonDesign &design : buttons) {
        QPushButton *button = MakeChild<QPushButton>(entryPanel, design.name, x, 36, 58, 26,
                                                     QLatin1String(design.caption));
        // Enter in the entry box presses no button of its own accord.
        button->setAutoDefault(false);
        this->*design.button = button;
        connect(button, &QPushButton::clicked, this, Guarded([this, click = design.click] { click(this); }));
        x += 62;
    }
    // Esc presses Clear (the window itself ignores Escape).
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, btnCancel, &QPushButton::click);

    lstBackup = MakeChild<QListWidget>(client, "lstBackup");
    lstBackup->hide();
}

void TfrmCalendar::SetGridDate(const QDate &date)
{
    if (date.isValid())
        Calendar1->setSelectedDate(date);
}

void TfrmCalendar::FormCreate()
{
    m_startDate = Calendar1->selectedDate();
    {
        const QSignalBlocker blocker(tbsCal);
        for (const char *caption : TabCaptions)
            tbsCal->addTab(QLatin1String(caption));
    }
    ChooseMonth(ntbCal->currentIndex());
    ChooseMonth(m_startDate.month() - 1);
    pnlCal->setText(CalendarFiles::MonthHeader(m_startDate.month(), m_startDate.year()));

    // Each month on its own: a file that fails leaves only its month empty.
    QStringList failures;
    for (int m = 0; m < 12; ++m) {
        const QString name = CalendarFiles::MonthFileName(m + 1);
        try {
            lstMonth[m]->LoadFromFile(name);
            m_unread[m] = false;
        } catch (const QelError &error) {
            lstMonth[m]->SetLines({});
            m_unread[m] = QFileInfo::exists(Files::Resolve(name));
            failures << error.message();
        }
    }

    SelectNone();
    m_undo = UndoRecord();
    Edititem->setText(EmptyEntry);
    SetAllLampsUnlit();
    if (!failures.isEmpty())
        throw QelError(failures.join(QLatin1Char('\n')));
}

void TfrmCalendar::tbsCalClick()
{
    const int page = tbsCal->currentIndex();
    if (page < 0)
        return;
    ntbCal->setCurrentIndex(page);
    SelectNone();
    const int year = m_startDate.year();
    const int month = page + 1;
    const QDate first(year, month, 1);
    const QDate shown = month == m_startDate.month() ? m_startDate : first;
    // Limiting the range moves the grid's date into it; the date set after
    // it is the one the grid and the day label end on.
    Calendar1->setDateRange(first, first.addDays(first.daysInMonth() - 1));
    Calendar1->setSelectedDate(shown);
    Calendar1->setCurrentPage(year, month);
    Calendar1Change();
    pnlCal->setText(CalendarFiles::MonthHeader(month, year));
}

void TfrmCalendar::btnAddClick()
{
    TListBox *list = CurrentList();
    const QString text = Edititem->text();
    const int selected = list->Selection();
    if (m_replaceMode && selected >= 0) {
        list->item(selected)->setText(text);
        SetLamp(2, true);
        m_modified = true;
        Edititem->setText(EmptyEntry);
        SelectNone();
    } else if (HasNonBlank(text)) {
        // Replace whose selection was cleared after Change adds the text, so
        // no entry is overwritten that the user did not choose.
        list->addItem(text);
        SetLamp(1, true);
        m_modified = true;
        Edititem->setText(EmptyEntry);
        SelectNone();
    }
    EndReplaceMode();
}

void TfrmCalendar::btnChangeClick()
{
    const int selected = CurrentList()->Selection();
    if (selected < 0)
        return;
    Edititem->setText(CurrentList()->item(selected)->text());
    m_replaceMode = true;
    btnAdd->setText(ReplaceCaption);
    m_modified = true;
}

void TfrmCalendar::BtnCancelClick()
{
    Edititem->setText(EmptyEntry);
    SelectNone();
    EndReplaceMode();
    SetLamp(6, true);
}

void TfrmCalendar::btnDeleteClick()
{
    TListBox *list = CurrentList();
    const int selected = list->Selection();
    if (m_replaceMode || selected < 0)
        return;
    m_undo = {ShownPage(), selected, list->item(selected)->text()};
    delete list->takeItem(selected);
    SelectNone();
    SetLamp(3, true);
    m_modified = true;
}

void TfrmCalendar::btnUndeleteClick()
{
    if (m_undo.month < 0)
        return;
    if (m_undo.month != ShownPage())
        ChooseMonth(m_undo.month);
    InsertEntry(lstMonth[m_undo.month], m_undo.index, m_undo.text);
    m_undo = UndoRecord();
    SetLamp(4, true);
    m_modified = true;
}

void TfrmCalendar::btnCopyClick()
{
    TListBox *list = CurrentList();
    const int selected = list->Selection();
    if (m_replaceMode || selected < 0)
        return;
    if (!m_copyHeld) {
        m_copied = list->item(selected)->text();
        m_copyHeld = true;
    } else {
        InsertEntry(list, selected, m_copied);
        m_copyHeld = false;
        m_modified = true;
        SetLamp(7, true);
    }
    SelectNone();
}

void TfrmCalendar::btnInsertClick()
{
    TListBox *list = CurrentList();
    const int selected = list->Selection();
    if (selected < 0)
        return;
    const QString text = Edititem->text();
    if (HasNonBlank(text)) {
        InsertEntry(list, selected, text);
        Edititem->setText(EmptyEntry);
    } else {
        InsertEntry(list, selected, EmptyEntry);
    }
    SelectNone();
    SetLamp(5, true);
    m_modified = true;
}

bool TfrmCalendar::btnSaveClick()
{
    if (!m_modified)
        return true;
    // Every month is tried; one that fails does not stop the others, and
    // a month whose file could not be read is not overwritten with nothing.
    QStringList failures;
    for (int m = 0; m < 12; ++m) {
        const QString name = CalendarFiles::MonthFileName(m + 1);
        if (m_unread[m]) {
            failures << QStringLiteral("File \"%1\" could not be read at start-up and is left as it was.").arg(name);
            continue;
        }
        try {
            lstMonth[m]->SaveToFile(name);
        } catch (const QelError &error) {
            failures << error.message();
        }
    }
    if (!failures.isEmpty()) {
        Dialogs::Error(failures.join(QLatin1Char('\n')));
        return false;
    }
    SetAllLampsUnlit();
    m_modified = false;
    return true;
}

void TfrmCalendar::btnExitClick()
{
    if (m_modified) {
        switch (Dialogs::YesNoCancel(QStringLiteral("Do you want to save your changes?"))) {
        case btnYes:
            if (!btnSaveClick())
                return;
            break;
        case btnNo:
            m_modified = false;
            break;
        default:
            return;
        }
    }
    hide();
}

void TfrmCalendar::Exit1Click()
{
    close();
}

bool TfrmCalendar::CanClose()
{
    return AskToSave(QStringLiteral("Do you want to save your changes before quiting?"));
}

bool TfrmCalendar::CanEndProgram()
{
    return AskToSave(QStringLiteral("Do you want to save your changes to the calendar before quiting?"));
}

bool TfrmCalendar::AskToSave(const QString &question)
{
    if (!m_modified)
        return true;
    switch (Dialogs::YesNoCancel(question)) {
    case btnYes:
        return btnSaveClick();
    case btnNo:
        m_modified = false;
        return true;
    default:
        return false;
    }
}

void TfrmCalendar::closeEvent(QCloseEvent *event)
{
    bool mayClose = false;
    ErrorHandler::Run([this, &mayClose] { mayClose = CanClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TfrmCalendar::Backup1Click()
{
    QList<QStringList> months;
    for (const TListBox *list : lstMonth)
        months << list->Lines();
    lstBackup->clear();
    lstBackup->addItems(CalendarFiles::BackupLines(months));
    QStringList lines;
    for (int row = 0; row < lstBackup->count(); ++row)
        lines << lstBackup->item(row)->text();
    const QString year = QString::number(m_startDate.year());
    try {
        TextFiles::WriteLines(CalendarFiles::BackupFileName(m_startDate.year()), lines);
    } catch (const QelError &) {
        Dialogs::Error(QStringLiteral("Year ") + year + QStringLiteral(" Backup failed."));
        return;
    }
    Dialogs::Information(QStringLiteral("Year ") + year + QStringLiteral(" Backup successful."));
}

void TfrmCalendar::Open1Click()
{
    const QStringList files =
        Dialogs::OpenFileNames(this, QDir::currentPath(), QStringLiteral("*.cal|*.cal"), 1, false, QString(),
                               QStringLiteral("*.cal"));
    if (files.isEmpty())
        return;
    frmCalendarLoad->ShowBackup(files.first());
}

void TfrmCalendar::Calendar1Click()
{
    const QDate date = Calendar1->selectedDate();
    lblJDay->setText(QStringLiteral("Day = ") + QString::number(DayOfYear(date.day(), date.month(), date.year())));
}

void TfrmCalendar::Calendar1Change()
{
    Calendar1Click();
}

void TfrmCalendar::Help2Click()
{
    HelpViewer::ShowContents(QStringLiteral("CALENDAR.HLP"));
}

void TfrmCalendar::About1Click()
{
    Dialogs::ExecModal(frmCalendarAbout);
}

bool TfrmCalendar::LampLit(int lamp) const
{
    return m_lit[lamp - 1];
}

QStringList TfrmCalendar::MonthLines(int month) const
{
    return lstMonth[month - 1]->Lines();
}

TListBox *TfrmCalendar::CurrentList() const
{
    return lstMonth[ShownPage()];
}

int TfrmCalendar::ShownPage() const
{
    return ntbCal->currentIndex();
}

void TfrmCalendar::ChooseMonth(int page)
{
    {
        const QSignalBlocker blocker(tbsCal);
        tbsCal->setCurrentIndex(page);
    }
    tbsCalClick();
}

void TfrmCalendar::SelectNone()
{
    CurrentList()->SelectNone();
}

void TfrmCalendar::EndReplaceMode()
{
    m_replaceMode = false;
    btnAdd->setText(AddCaption);
}

void TfrmCalendar::SetLamp(int lamp, bool lit)
{
    m_lit[lamp - 1] = lit;
    SetFace(Lamp[lamp - 1], lit ? LampColors[lamp - 1] : clSilver);
}

void TfrmCalendar::SetAllLampsUnlit()
{
    for (int lamp = 1; lamp <= LampCount; ++lamp)
        SetLamp(lamp, false);
}

void TfrmCalendar::InsertEntry(QListWidget *list, int row, const QString &text)
{
    list->insertItem(qBound(0, row, list->count()), text);
}
