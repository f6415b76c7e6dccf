// The calendar: its commands on the month lists, the lamps and the modified
// flag, saving and the yearly backup byte for byte, the save questions, the
// day of the year on the grid and the backup viewer.
#include "fixture.h"
#include "testmain.h"

#include "calendarabout.h"
#include "calendarload.h"
#include "calendarmain.h"
#include "qelMain.h"
#include "platform/helpviewer.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

const QStringList MarchNotes{"m1", "m2", "m3"};
const QStringList AprilNotes{"a1", "a2"};
const char *const Suffixes[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

QString MonthFile(int month)
{
    return QStringLiteral("CALENDAR.") + QLatin1String(Suffixes[month - 1]);
}

QByteArray FileBytes(const WorkDir &dir, const QString &name)
{
    QFile file(dir.file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray CrLf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// January one note, February empty, March and April the notes above, the
// other months the fixture's one note each.
void WriteNotes(const WorkDir &dir)
{
    dir.writeLines(MonthFile(1), {"j1"});
    dir.writeLines(MonthFile(2), {});
    dir.writeLines(MonthFile(3), MarchNotes);
    dir.writeLines(MonthFile(4), AprilNotes);
}

// Every file the calendar might touch, byte for byte.
QMap<QString, QByteArray> Snapshot(const WorkDir &dir)
{
    QMap<QString, QByteArray> files;
    for (int month = 1; month <= 12; ++month)
        files[MonthFile(month)] = FileBytes(dir, MonthFile(month));
    files["CHARTS.LST"] = FileBytes(dir, "CHARTS.LST");
    files["Y2024.CAL"] = FileBytes(dir, "Y2024.CAL");
    return files;
}

TListBox *ShownList()
{
    return frmCalendar->lstMonth[frmCalendar->ntbCal->currentIndex()];
}

void ShowCalendar()
{
    frmQEL5100->BondCalendar1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(frmCalendar));
}

void ChooseMonth(int month)
{
    frmCalendar->tbsCal->setCurrentIndex(month - 1);   // as a click on the tab
}

// A click on an entry; with Ctrl on the highlighted entry it takes the
// highlight away, and so the selection.
void Pick(int row, Qt::KeyboardModifiers modifiers = {})
{
    TListBox *list = ShownList();
    QListWidgetItem *item = list->item(row);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(item).center());
    QCOMPARE(list->Selection(), modifiers ? -1 : row);
}

void Press(const char *button)
{
    auto *control = frmCalendar->findChild<QPushButton *>(QLatin1String(button));
    QVERIFY2(control, button);
    control->click();
}

void Menu(const char *item)
{
    auto *action = frmCalendar->findChild<QAction *>(QLatin1String(item));
    QVERIFY2(action, item);
    action->trigger();
}

// "1" for a lamp lit in its own colour, "0" for an unlit (silver) one.
QString Lamps()
{
    QString lamps;
    for (int i = 0; i < TfrmCalendar::LampCount; ++i) {
        auto *lamp = frmCalendar->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(i + 1));
        const QColor colour = lamp->palette().color(QPalette::Base);
        if (colour == ToQColor(TfrmCalendar::LampColors[i]))
            lamps += QLatin1Char(frmCalendar->LampLit(i + 1) ? '1' : '?');
        else if (colour == ToQColor(clSilver))
            lamps += QLatin1Char(frmCalendar->LampLit(i + 1) ? '?' : '0');
        else
            lamps += QLatin1Char('?');
    }
    return lamps;
}

// One step of a command script: "month N", "pick R", "unpick R" (Ctrl+click),
// "text T" (T may be
// blanks or empty), "press NAME", "esc", "focus" (the shown list takes the
// keyboard focus as by Tab).
void Run(const QString &step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString argument = step.mid(verb.size() + 1);
    if (verb == "month") {
        ChooseMonth(argument.toInt());
    } else if (verb == "pick") {
        Pick(argument.toInt());
    } else if (verb == "unpick") {
        Pick(argument.toInt(), Qt::ControlModifier);
    } else if (verb == "text") {
        frmCalendar->Edititem->setText(argument);
    } else if (verb == "press") {
        Press(argument.toLatin1().constData());
    } else if (verb == "esc") {
        frmCalendar->Edititem->setFocus();
        QTest::keyClick(frmCalendar->Edititem, Qt::Key_Escape);
    } else if (verb == "focus") {
        frmCalendar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmCalendar));
        ShownList()->setFocus(Qt::TabFocusReason);
        QVERIFY(ShownList()->hasFocus());
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

// A note added to the month through the entry box and Add.
void AddNote(int month, const QString &text)
{
    ChooseMonth(month);
    frmCalendar->Edititem->setText(text);
    Press("btnAdd");
}

struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);   // a write past the limit fails instead of ending the test
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved{};
};

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        HelpViewer::Close();
    }

    void createsItsWindowFromTheStartDate()
    {
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        QCOMPARE(BoxTexts(), QStringList{});
        QCOMPARE(frmCalendar->StartDate(), QDate(2024, 3, 15));
        QCOMPARE(frmCalendar->pnlCal->text(), QString("MARCH 2024"));
        QCOMPARE(frmCalendar->tbsCal->count(), 12);
        QCOMPARE(frmCalendar->tbsCal->tabText(0), QString("Jan"));
        QCOMPARE(frmCalendar->tbsCal->currentIndex(), 2);
        QCOMPARE(frmCalendar->ntbCal->currentIndex(), 2);
        QCOMPARE(frmCalendar->Calendar1->selectedDate(), QDate(2024, 3, 15));
        QCOMPARE(frmCalendar->Calendar1->firstDayOfWeek(), Qt::Sunday);
        QCOMPARE(frmCalendar->lblJDay->text(), QString("Day = 75"));
        QCOMPARE(frmCalendar->MonthLines(1), QStringList{"j1"});
        QCOMPARE(frmCalendar->MonthLines(2), QStringList{});
        QCOMPARE(frmCalendar->MonthLines(3), MarchNotes);
        QCOMPARE(frmCalendar->MonthLines(12), QStringList{"Note for DEC"});
        QCOMPARE(frmCalendar->Edititem->text(), QString(" "));
        QCOMPARE(frmCalendar->Edititem->toolTip(), QString("Enter the text here."));
        QCOMPARE(frmCalendar->btnAdd->text(), QString("&Add"));
        QCOMPARE(Lamps(), QString("0000000"));
        QVERIFY(!frmCalendar->Modified());
        QStringList names;
        for (int m = 0; m < 12; ++m)
            names << frmCalendar->lstMonth[m]->objectName();
        QCOMPARE(names.first(), QString("lstJan"));
        QCOMPARE(names.last(), QString("lstDec"));
        QStringList captions;
        for (const char *name : {"btnAdd", "btnInsert", "btnCancel", "btnChange", "btncopy", "btnSave", "btnDelete",
                                 "btnUndelete", "btnExit"})
            captions << frmCalendar->findChild<QPushButton *>(name)->text();
        QCOMPARE(captions, (QStringList{"&Add", "&Insert", "C&lear", "&Change", "C&opy", "&Save", "&Delete", "&Undo",
                                        "E&xit"}));
    }

    void monthChoiceMovesTheGridAndHeader()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        ShowCalendar();
        QCOMPARE(frmCalendar->size(), QSize(575, 343));
        // Every month's tab is in sight at once; the entry box is a white box.
        for (int tab = 0; tab < 12; ++tab)
            QVERIFY2(frmCalendar->tbsCal->rect().contains(frmCalendar->tbsCal->tabRect(tab)), Suffixes[tab]);
        QCOMPARE(frmCalendar->Edititem->palette().color(QPalette::Base), QColor(Qt::white));
        ChooseMonth(4);
        QCOMPARE(frmCalendar->pnlCal->text(), QString("APRIL 2024"));
        QCOMPARE(frmCalendar->Calendar1->selectedDate(), QDate(2024, 4, 1));
        QCOMPARE(frmCalendar->lblJDay->text(), QString("Day = 92"));
        QCOMPARE(frmCalendar->Calendar1->minimumDate(), QDate(2024, 4, 1));
        QCOMPARE(frmCalendar->Calendar1->maximumDate(), QDate(2024, 4, 30));
        ChooseMonth(12);
        QCOMPARE(frmCalendar->lblJDay->text(), QString("Day = 336"));
        ChooseMonth(3);
        QCOMPARE(frmCalendar->Calendar1->selectedDate(), QDate(2024, 3, 15));
        QCOMPARE(frmCalendar->lblJDay->text(), QString("Day = 75"));
        // A day clicked on the grid; a date outside the month is refused.
        frmCalendar->Calendar1->setSelectedDate(QDate(2024, 3, 31));
        QCOMPARE(frmCalendar->lblJDay->text(), QString("Day = 91"));
        frmCalendar->Calendar1->setSelectedDate(QDate(2024, 5, 2));
        QCOMPARE(frmCalendar->Calendar1->selectedDate(), QDate(2024, 3, 31));
    }

    void commands_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("march");
        QTest::addColumn<QStringList>("april");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("addCaption");
        QTest::addColumn<QString>("lamps");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("shownMonth");
        const QString add = "&Add", replace = "&Replace";
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

        row("add appends") << QStringList{"text new", "press btnAdd"} << MarchNotes + QStringList{"new"}
                           << AprilNotes << " " << add << "1000000" << true << 3;
        row("add blanks only") << QStringList{"text   ", "press btnAdd"} << MarchNotes << AprilNotes << "  " << add
                               << "0000000" << false << 3;
        row("add empty") << QStringList{"text ", "press btnAdd"} << MarchNotes << AprilNotes << "" << add
                         << "0000000" << false << 3;
        row("change") << QStringList{"pick 1", "press btnChange"} << MarchNotes << AprilNotes << "m2" << replace
                      << "0000000" << true << 3;
        row("change then replace") << QStringList{"pick 1", "press btnChange", "text M2", "press btnAdd"}
                                   << QStringList{"m1", "M2", "m3"} << AprilNotes << " " << add << "0100000" << true
                                   << 3;
        row("replace with a blank box") << QStringList{"pick 0", "press btnChange", "text  ", "press btnAdd"}
                                        << QStringList{" ", "m2", "m3"} << AprilNotes << " " << add << "0100000"
                                        << true << 3;
        row("change without a selection") << QStringList{"press btnChange"} << MarchNotes << AprilNotes << " " << add
                                          << "0000000" << false << 3;
        row("delete") << QStringList{"pick 1", "press btnDelete"} << QStringList{"m1", "m3"} << AprilNotes << " "
                      << add << "0010000" << true << 3;
        row("delete without a selection") << QStringList{"press btnDelete"} << MarchNotes << AprilNotes << " " << add
                                          << "0000000" << false << 3;
        row("delete in replace mode") << QStringList{"pick 1", "press btnChange", "press btnDelete"} << MarchNotes
                                      << AprilNotes << "m2" << replace << "0000000" << true << 3;
        row("delete after the list took the focus") << QStringList{"focus", "press btnDelete", "press btnChange"}
                                                    << MarchNotes << AprilNotes << " " << add << "0000000" << false
                                                    << 3;
        row("delete, delete, undo from another month")
            << QStringList{"pick 0", "press btnDelete", "pick 0", "press btnDelete", "month 4", "press btnUndelete"}
            << QStringList{"m2", "m3"} << AprilNotes << " " << add << "0011000" << true << 3;
        row("second undo does nothing")
            << QStringList{"pick 0", "press btnDelete", "press btnUndelete", "press btnUndelete"} << MarchNotes
            << AprilNotes << " " << add << "0011000" << true << 3;
        row("undo before the selection, which follows its entry")
            << QStringList{"pick 0", "press btnDelete", "pick 1", "press btnUndelete", "press btnDelete"}
            << QStringList{"m1", "m2"} << AprilNotes << " " << add << "0011000" << true << 3;
        row("copy and paste into another month")
            << QStringList{"pick 2", "press btncopy", "month 4", "pick 1", "press btncopy"} << MarchNotes
            << QStringList{"a1", "m3", "a2"} << " " << add << "0000001" << true << 4;
        row("copy alone changes nothing") << QStringList{"pick 2", "press btncopy"} << MarchNotes << AprilNotes << " "
                                          << add << "0000000" << false << 3;
        row("copy, paste, then copy again")
            << QStringList{"pick 0", "press btncopy", "pick 2", "press btncopy", "pick 1", "press btncopy", "pick 0",
                           "press btncopy"}
            << QStringList{"m2", "m1", "m2", "m1", "m3"} << AprilNotes << " " << add << "0000001" << true << 3;
        row("copy in replace mode") << QStringList{"pick 0", "press btnChange", "pick 1", "press btncopy"}
                                    << MarchNotes << AprilNotes << "m1" << replace << "0000000" << true << 3;
        row("insert with an empty box") << QStringList{"pick 1", "text ", "press btnInsert"}
                                        << QStringList{"m1", " ", "m2", "m3"} << AprilNotes << "" << add << "0000100"
                                        << true << 3;
        row("insert text") << QStringList{"pick 0", "text x", "press btnInsert"}
                           << QStringList{"x", "m1", "m2", "m3"} << AprilNotes << " " << add << "0000100" << true
                           << 3;
        row("insert without a selection") << QStringList{"text x", "press btnInsert"} << MarchNotes << AprilNotes
                                          << "x" << add << "0000000" << false << 3;
        row("replace after a month choice adds to the shown month")
            << QStringList{"pick 1", "press btnChange", "month 4", "press btnAdd"} << MarchNotes
            << QStringList{"a1", "a2", "m2"} << " " << add << "1000000" << true << 4;
        row("replace after insert cleared the selection")
            << QStringList{"pick 1", "press btnChange", "pick 0", "press btnInsert", "text r", "press btnAdd"}
            << QStringList{"m2", "m1", "m2", "m3", "r"} << AprilNotes << " " << add << "1000100" << true << 3;
        row("replace of blanks without a selection ends replace mode")
            << QStringList{"pick 1", "press btnChange", "month 4", "text  ", "press btnAdd"} << MarchNotes
            << AprilNotes << " " << add << "0000000" << true << 4;
        row("clear") << QStringList{"pick 1", "press btnChange", "press btnCancel"} << MarchNotes << AprilNotes << " "
                     << add << "0000010" << true << 3;
        row("esc presses clear") << QStringList{"text abc", "esc"} << MarchNotes << AprilNotes << " " << add
                                 << "0000010" << false << 3;
        row("delete after ctrl+click took the highlight away")
            << QStringList{"pick 1", "unpick 1", "press btnDelete", "press btnChange", "press btnInsert"} << MarchNotes
            << AprilNotes << " " << add << "0000000" << false << 3;
        row("clear drops the selection") << QStringList{"pick 1", "press btnCancel", "press btnDelete"} << MarchNotes
                                         << AprilNotes << " " << add << "0000010" << false << 3;
    }
    void commands()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, march);
        QFETCH(QStringList, april);
        QFETCH(QString, entry);
        QFETCH(QString, addCaption);
        QFETCH(QString, lamps);
        QFETCH(bool, modified);
        QFETCH(int, shownMonth);
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        for (const QString &step : steps) {
            Run(step);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(frmCalendar->MonthLines(3), march);
        QCOMPARE(frmCalendar->MonthLines(4), april);
        QCOMPARE(frmCalendar->MonthLines(1), QStringList{"j1"});
        QCOMPARE(frmCalendar->Edititem->text(), entry);
        QCOMPARE(frmCalendar->btnAdd->text(), addCaption);
        QCOMPARE(Lamps(), lamps);
        QCOMPARE(frmCalendar->Modified(), modified);
        QCOMPARE(frmCalendar->ntbCal->currentIndex() + 1, shownMonth);
        QCOMPARE(frmCalendar->tbsCal->currentIndex() + 1, shownMonth);
        QCOMPARE(BoxTexts(), QStringList{});
    }

    // The box takes the code page's characters ("E\u20ac\u201cq\u201d.cal" whole);
    // typed or pasted text with a character outside it, or with a line feed,
    // is refused with a warning that names it, and the box keeps its text.
    void entryBoxRefusesWhatTheFileCannotHold()
    {
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        frmCalendar->Edititem->clear();
        frmCalendar->Edititem->setFocus();
        const QString kept = QString::fromUtf8("E\xE2\x82\xAC\xE2\x80\x9Cq\xE2\x80\x9D.cal");
        QApplication::clipboard()->setText(kept);
        frmCalendar->Edititem->paste();
        TypeText(frmCalendar->Edititem, QString::fromUtf8("\xE2\x86\x92"));
        QApplication::clipboard()->setText(QString::fromUtf8("x\xC4\x80"));
        frmCalendar->Edititem->paste();
        QApplication::clipboard()->setText("two\nlines");
        frmCalendar->Edititem->paste();
        QCOMPARE(frmCalendar->Edititem->text(), kept);
        QCoreApplication::processEvents();   // the warnings come once the box has undone the change
        const QString warning = "The character %1 cannot be stored in the file and was not entered.";
        QCOMPARE(BoxTexts(), (QStringList{warning.arg(QString::fromUtf8("\"\xE2\x86\x92\" (U+2192)")),
                                          warning.arg(QString::fromUtf8("\"\xC4\x80\" (U+0100)")),
                                          warning.arg("U+000A")}));
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Warning);
        Press("btnAdd");
        Press("btnSave");
        QCOMPARE(FileBytes(dir, MonthFile(3)), QByteArray("m1\r\nm2\r\nm3\r\nE\x80\x93q\x94.cal\r\n"));
    }

    void saveWritesEveryMonthByteForByte()
    {
        WorkDir dir;
        WriteNotes(dir);
        dir.writeBytes(MonthFile(5), "lf only\nlast without end");
        QByteArray all;   // every byte value, a lone CR among them
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        dir.writeBytes(MonthFile(6), "X1\r\r\nA\rB\r\n" + all);
        FrontEnd frontEnd;
        ShowCalendar();
        QCOMPARE(frmCalendar->lstMonth[5]->count(), 4);
        QCOMPARE(frmCalendar->lstMonth[5]->item(1)->text(), QString("A") + QChar(0x21B5) + "B");
        const auto before = Snapshot(dir);
        AddNote(3, "new");
        Press("btnSave");
        QCOMPARE(BoxTexts(), QStringList{});
        QCOMPARE(FileBytes(dir, MonthFile(1)), QByteArray("j1\r\n"));
        QCOMPARE(FileBytes(dir, MonthFile(2)), QByteArray());   // an empty month is an empty file
        QCOMPARE(FileBytes(dir, MonthFile(3)), QByteArray("m1\r\nm2\r\nm3\r\nnew\r\n"));
        QCOMPARE(FileBytes(dir, MonthFile(4)), before[MonthFile(4)]);
        for (int month = 5; month <= 12; ++month)
            QCOMPARE(FileBytes(dir, MonthFile(month)), before[MonthFile(month)]);
        QCOMPARE(Lamps(), QString("0000000"));
        QVERIFY(!frmCalendar->Modified());
    }

    void unchangedLoadAndSaveRoundTrips()
    {
        WorkDir dir;
        WriteNotes(dir);
        dir.writeLines(MonthFile(6), {"", " lead", "tab\there", "trail ", QString::fromLatin1("\xE9t\xE9")});
        FrontEnd frontEnd;
        ShowCalendar();
        const auto before = Snapshot(dir);
        // A change and its undoing: the lists are as loaded, but modified.
        Pick(0);
        Press("btnDelete");
        Press("btnUndelete");
        QVERIFY(frmCalendar->Modified());
        Press("btnSave");
        QCOMPARE(Snapshot(dir), before);
        QVERIFY(!frmCalendar->Modified());
    }

    void saveWritesNothingUntilTheNextChange()
    {
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        Press("btnSave");   // not modified: nothing is written
        dir.remove(MonthFile(7));
        Press("btnSave");
        QVERIFY(!dir.exists(MonthFile(7)));
        AddNote(3, "x");
        Press("btnSave");
        QCOMPARE(FileBytes(dir, MonthFile(7)), QByteArray("Note for JUL\r\n"));
    }

    void backupOfEmptyMonths()
    {
        WorkDir dir;
        for (int month = 1; month <= 12; ++month)
            dir.writeLines(MonthFile(month), {});
        FrontEnd frontEnd;
        ShowCalendar();
        Menu("Backup1");
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Information);
        QCOMPARE(BoxTexts(), QStringList{"Year 2024 Backup successful."});
        QCOMPARE(FileBytes(dir, "Y2024.CAL"),
                 CrLf({"[January]", " ", "[February]", " ", "[March]", " ", "[April]", " ", "[May]", " ", "[June]",
                       " ", "[July]", " ", "[August]", " ", "[September]", " ", "[October]", " ", "[November]", " ",
                       "[December]"}));
    }

    void backupHoldsTheUnsavedLists()
    {
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd(0, QDate(2026, 1, 5));
        ShowCalendar();
        AddNote(1, "unsaved");
        Menu("Backup1");
        QCOMPARE(BoxTexts(), QStringList{"Year 2026 Backup successful."});
        const QStringList lines = dir.readLines("Y2026.CAL");
        QCOMPARE(lines.mid(0, 7), (QStringList{"[January]", "j1", "unsaved", " ", "[February]", " ", "[March]"}));
        QCOMPARE(lines.last(), QString("Note for DEC"));
        QVERIFY(frmCalendar->Modified());   // a backup is no save
        QCOMPARE(Lamps(), QString("1000000"));
    }

    void failedBackupLeavesEveryFileAsItWas()
    {
        QFETCH(QString, cause);
        WorkDir dir;
        WriteNotes(dir);
        if (cause == "folder")
            QVERIFY(QDir(dir.path()).mkdir("Y2024.CAL"));
        else
            dir.writeLines("Y2024.CAL", {"[January]", "old"});
        FrontEnd frontEnd;
        ShowCalendar();
        AddNote(3, "unsaved");
        const auto before = Snapshot(dir);
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (cause == "size limit")
                limit = std::make_unique<FileSizeLimit>(40);
            Menu("Backup1");
        }
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QCOMPARE(BoxTexts(), QStringList{"Year 2024 Backup failed."});
        QCOMPARE(Snapshot(dir), before);
        QCOMPARE(QFileInfo(dir.file("Y2024.CAL")).isDir(), cause == "folder");
        QVERIFY(frmCalendar->Modified());
    }
    void failedBackupLeavesEveryFileAsItWas_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("folder in the way") << QString("folder");
        QTest::newRow("write cut short") << QString("size limit");
    }

    void missingMonthLeavesOnlyItsOwnMonthEmpty()
    {
        WorkDir dir;
        WriteNotes(dir);
        dir.remove(MonthFile(2));
        dir.remove(MonthFile(11));
        FrontEnd frontEnd;
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        const QString text = BoxTexts().first();
        QVERIFY2(text.contains("Cannot open file \"CALENDAR.FEB\"") && text.contains("Cannot open file \"CALENDAR.NOV\""),
                 qPrintable(text));
        QCOMPARE(frmCalendar->MonthLines(1), QStringList{"j1"});
        QCOMPARE(frmCalendar->MonthLines(2), QStringList{});
        QCOMPARE(frmCalendar->MonthLines(3), MarchNotes);
        QCOMPARE(frmCalendar->MonthLines(12), QStringList{"Note for DEC"});
        QCOMPARE(frmCalendar->pnlCal->text(), QString("MARCH 2024"));
        QCOMPARE(Lamps(), QString("0000000"));

        ShowCalendar();
        AddNote(3, "x");
        Press("btnSave");
        QCOMPARE(BoxTexts().size(), 1);
        QCOMPARE(FileBytes(dir, MonthFile(2)), QByteArray());
        QCOMPARE(FileBytes(dir, MonthFile(3)), CrLf(MarchNotes + QStringList{"x"}));
        QCOMPARE(FileBytes(dir, MonthFile(4)), CrLf(AprilNotes));
        for (int month = 5; month <= 12; ++month) {
            const QStringList expected =
                month == 11 ? QStringList{} : QStringList{"Note for " + QString(Suffixes[month - 1])};
            QCOMPARE(FileBytes(dir, MonthFile(month)), CrLf(expected));
        }
        QVERIFY(!frmCalendar->Modified());
    }

    void unreadableMonthIsNotOverwrittenBySave()
    {
        WorkDir dir;
        WriteNotes(dir);
        dir.remove(MonthFile(3));
        QVERIFY(QDir(dir.path()).mkdir(MonthFile(3)));
        FrontEnd frontEnd;
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(BoxTexts().first().contains("CALENDAR.MAR"));
        QCOMPARE(frmCalendar->MonthLines(4), AprilNotes);
        ShowCalendar();
        AddNote(4, "x");
        Dialogs::ClearRecord();
        Press("btnSave");
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QVERIFY2(BoxTexts().first().contains("CALENDAR.MAR"), qPrintable(BoxTexts().first()));
        QVERIFY(QFileInfo(dir.file(MonthFile(3))).isDir());
        QCOMPARE(FileBytes(dir, MonthFile(4)), CrLf(AprilNotes + QStringList{"x"}));
        QVERIFY(frmCalendar->Modified());
        QCOMPARE(Lamps(), QString("1000000"));
    }

    void failedMonthWriteStopsNoOtherMonth()
    {
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        AddNote(12, "x");
        Pick(0);
        Press("btnDelete");
        dir.remove(MonthFile(6));
        QVERIFY(QDir(dir.path()).mkdir(MonthFile(6)));
        Press("btnSave");
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QVERIFY2(BoxTexts().first().contains("CALENDAR.JUN"), qPrintable(BoxTexts().first()));
        QCOMPARE(FileBytes(dir, MonthFile(12)), QByteArray("x\r\n"));
        QVERIFY(QFileInfo(dir.file(MonthFile(6))).isDir());
        QVERIFY(frmCalendar->Modified());
        QCOMPARE(Lamps(), QString("1010000"));
    }

    void saveQuestions_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("shown");
        for (const char *how : {"btnExit", "close box", "Exit1"}) {
            QTest::addRow("%s yes", how) << QString(how) << int(btnYes) << true << false;
            QTest::addRow("%s no", how) << QString(how) << int(btnNo) << false << false;
            QTest::addRow("%s cancel", how) << QString(how) << int(btnCancel) << false << true;
        }
    }
    void saveQuestions()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QFETCH(bool, shown);
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        AddNote(3, "x");
        const QByteArray before = FileBytes(dir, MonthFile(3));
        Dialogs::QueueAnswer(answer);
        if (how == "btnExit")
            Press("btnExit");
        else if (how == "close box")
            frmCalendar->close();
        else
            Menu("Exit1");
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Confirmation);
        QCOMPARE(Dialogs::Shown().first().buttons, btnYes | btnNo | btnCancel);
        QCOMPARE(BoxTexts().first(), how == "btnExit" ? QString("Do you want to save your changes?")
                                                      : QString("Do you want to save your changes before quiting?"));
        QCOMPARE(FileBytes(dir, MonthFile(3)), saved ? CrLf(MarchNotes + QStringList{"x"}) : before);
        QCOMPARE(frmCalendar->isVisible(), shown);
        QCOMPARE(frmCalendar->Modified(), shown);
        QCOMPARE(frmCalendar->MonthLines(3), MarchNotes + QStringList{"x"});
    }

    void leavingUnmodifiedAsksNothing()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        ShowCalendar();
        Press("btnExit");
        QVERIFY(!frmCalendar->isVisible());
        ShowCalendar();
        frmCalendar->close();
        QVERIFY(!frmCalendar->isVisible());
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void failedSaveAtTheQuestionKeepsTheWindow()
    {
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        AddNote(3, "x");
        dir.remove(MonthFile(3));
        QVERIFY(QDir(dir.path()).mkdir(MonthFile(3)));
        Dialogs::QueueAnswer(btnYes);
        Press("btnExit");
        Dialogs::QueueAnswer(btnYes);
        frmCalendar->close();
        QCOMPARE(BoxTexts().size(), 4);   // question, error, question, error
        QCOMPARE(Dialogs::Shown().at(1).type, BoxType::Error);
        QVERIFY(frmCalendar->isVisible());
        QVERIFY(frmCalendar->Modified());
    }

    void noThenReopenKeepsTheWorkAndSavesNothing()
    {
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        Pick(0);
        Press("btnDelete");
        Pick(1);   // "m3" is now the selection
        Dialogs::QueueAnswer(btnNo);
        Press("btnExit");
        QVERIFY(!frmCalendar->isVisible());
        ShowCalendar();
        // Hiding kept the lists, the lamps, the selection and the undo record.
        QCOMPARE(frmCalendar->MonthLines(3), (QStringList{"m2", "m3"}));
        QCOMPARE(Lamps(), QString("0010000"));
        QCOMPARE(ShownList()->Selection(), 1);
        Press("btnSave");
        QCOMPARE(FileBytes(dir, MonthFile(3)), CrLf(MarchNotes));
        Press("btnUndelete");
        QCOMPARE(frmCalendar->MonthLines(3), MarchNotes);
        Press("btnSave");
        QCOMPARE(FileBytes(dir, MonthFile(3)), CrLf(MarchNotes));
        QCOMPARE(Lamps(), QString("0000000"));
        QCOMPARE(BoxTexts().size(), 1);
    }

    void closingTheProgramAsksForUnsavedNotes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << int(btnYes) << false << true << true;
        QTest::newRow("no") << int(btnNo) << false << true << false;
        QTest::newRow("cancel") << int(btnCancel) << false << false << false;
        QTest::newRow("yes, save fails") << int(btnYes) << true << false << false;
    }
    void closingTheProgramAsksForUnsavedNotes()
    {
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        WorkDir dir;
        WriteNotes(dir);
        FrontEnd frontEnd;
        ShowCalendar();
        AddNote(12, "x");
        frmCalendar->hide();
        if (saveFails) {
            dir.remove(MonthFile(12));
            QVERIFY(QDir(dir.path()).mkdir(MonthFile(12)));
        }
        QSignalSpy closedSpy(frmQEL5100, &TfrmQEL5100::closed);
        Dialogs::QueueAnswer(answer);
        frmQEL5100->Exit1->trigger();
        // The calendar is named: it need not be on screen.
        QCOMPARE(BoxTexts().first(), QString("Do you want to save your changes to the calendar before quiting?"));
        QCOMPARE(closedSpy.count(), closed ? 1 : 0);
        QCOMPARE(frmQEL5100->isVisible(), !closed);
        QCOMPARE(FileBytes(dir, MonthFile(12)),
                 saved ? QByteArray("Note for DEC\r\nx\r\n")
                       : (saveFails ? QByteArray("<unreadable>") : QByteArray("Note for DEC\r\n")));
    }

    void closingTheProgramWithoutChangesAsksNothing()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        QSignalSpy closedSpy(frmQEL5100, &TfrmQEL5100::closed);
        frmQEL5100->close();
        QCOMPARE(closedSpy.count(), 1);
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void openShowsABackupInTheViewer()
    {
        WorkDir dir;
        const QString longNote = QString("a note wider than the viewer ").repeated(6);
        dir.writeBytes("Y2023.CAL", "[January]\r\nold note\r\n" + longNote.toLatin1()
                                        + "\r\n \r\n[February]\nlf\r\n");
        FrontEnd frontEnd;
        ShowCalendar();
        QString caption;
        QStringList text;
        bool readOnly = false;
        int sidewaysRange = -1;
        Dialogs::QueueOpenFiles({dir.file("Y2023.CAL")});
        Dialogs::QueueModalAction([&](QDialog *shown) {
            caption = shown->windowTitle();
            text = frmCalendarLoad->mmCalendarLoad->Lines();
            readOnly = frmCalendarLoad->mmCalendarLoad->isReadOnly();
            sidewaysRange = frmCalendarLoad->mmCalendarLoad->horizontalScrollBar()->maximum();
        });
        Menu("Open1");
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{"frmCalendarLoad"});
        QCOMPARE(caption, "Openning file: " + QFileInfo(dir.file("Y2023.CAL")).absoluteFilePath());
        QCOMPARE(text, (QStringList{"[January]", "old note", longNote, " ", "[February]", "lf"}));
        QVERIFY(readOnly);
        QCOMPARE(sidewaysRange, 0);   // a long note wraps: none of it out of sight
        QCOMPARE(frmCalendar->MonthLines(1), QStringList{"Note for JAN"});   // nothing taken into the lists
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void openCancelledOrFailing()
    {
        WorkDir dir;
        QVERIFY(QDir(dir.path()).mkdir("BAD.CAL"));
        FrontEnd frontEnd;
        ShowCalendar();
        Dialogs::QueueOpenFiles({});
        Menu("Open1");
        QCOMPARE(BoxTexts(), QStringList{});
        Dialogs::QueueOpenFiles({dir.file("NONE.CAL")});
        Menu("Open1");
        Dialogs::QueueOpenFiles({dir.file("BAD.CAL")});
        Menu("Open1");
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{});
        QCOMPARE(BoxTexts().size(), 2);
        QVERIFY(BoxTexts().at(0).startsWith("Cannot open file"));
        QVERIFY(BoxTexts().at(1).contains("BAD.CAL"));
        QVERIFY(!frmCalendarLoad->isVisible());
    }

    void helpAndAbout()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        ShowCalendar();
        Menu("Help2");
        QCOMPARE(HelpViewer::LastOpened(), QString("CALENDAR.HLP"));
        bool closedByOk = false;
        Dialogs::QueueModalAction([&](QDialog *shown) {
            QCOMPARE(shown->windowTitle(), QString("About Calendar"));
            QVERIFY(!frmCalendarAbout->imgCalendar->pixmap().isNull());
            frmCalendarAbout->Button1->click();
            closedByOk = !shown->isVisible();
        });
        Menu("About1");
        QVERIFY(closedByOk);
        QCOMPARE(Dialogs::ModalWindowsShown(), QStringList{"frmCalendarAbout"});
    }
};

QEL_TEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
