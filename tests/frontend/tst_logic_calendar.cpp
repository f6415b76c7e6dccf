// The calendar's and the chart viewer's rules without a window: the day of
// the year, the month files, the backup, the chart list text.
#include "logic/calendar.h"
#include "logic/chartlist.h"

#include <QtTest>

class TestLogicCalendar : public QObject {
    Q_OBJECT
private slots:
    void dayOfYear_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("expected");
        QTest::newRow("January day") << 17 << 1 << 2023 << 17;
        QTest::newRow("29 Feb 2024") << 29 << 2 << 2024 << 60;
        QTest::newRow("1 Mar 2023") << 1 << 3 << 2023 << 60;
        QTest::newRow("31 Dec 2023") << 31 << 12 << 2023 << 365;
        QTest::newRow("15 Mar 2024") << 15 << 3 << 2024 << 75;
        for (int year : {2024, 1900, 2100}) {
            // No century rule: 1900 and 2100 count as leap years too.
            QTest::addRow("1 Mar %d", year) << 1 << 3 << year << 61;
            QTest::addRow("31 Dec %d", year) << 31 << 12 << year << 366;
        }
    }
    void dayOfYear()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, expected);
        QCOMPARE(DayOfYear(day, month, year), expected);
    }

    void monthNamesAndFiles()
    {
        using namespace CalendarFiles;
        QCOMPARE(MonthFileName(1), QString("CALENDAR.JAN"));
        QCOMPARE(MonthFileName(9), QString("CALENDAR.SEP"));
        QCOMPARE(MonthFileName(12), QString("CALENDAR.DEC"));
        QCOMPARE(MonthHeader(3, 2026), QString("MARCH 2026"));
        QCOMPARE(MonthHeader(9, 2024), QString("SEPTEMBER 2024"));
        QCOMPARE(BackupFileName(2026), QString("Y2026.CAL"));
    }

    void backupOfEmptyMonthsHoldsNamesAndSeparators()
    {
        const QStringList lines = CalendarFiles::BackupLines(QList<QStringList>(12));
        QCOMPARE(lines, (QStringList{"[January]", " ", "[February]", " ", "[March]", " ", "[April]", " ", "[May]",
                                     " ", "[June]", " ", "[July]", " ", "[August]", " ", "[September]", " ",
                                     "[October]", " ", "[November]", " ", "[December]"}));
        QCOMPARE(lines.size(), 23);
    }

    void backupPutsEntriesUnderTheirMonth()
    {
        QList<QStringList> months(12);
        months[0] = {"a", " "};
        months[11] = {"z"};
        const QStringList lines = CalendarFiles::BackupLines(months);
        QCOMPARE(lines.mid(0, 5), (QStringList{"[January]", "a", " ", " ", "[February]"}));
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"[December]", "z"}));   // no blank after December
        QCOMPARE(lines.size(), 26);
    }

    void blankText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("nonBlank");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blanks") << QString("   ") << false;
        QTest::newRow("word") << QString(" x ") << true;
        QTest::newRow("tab") << QString("\t") << true;
    }
    void blankText()
    {
        QFETCH(QString, text);
        QFETCH(bool, nonBlank);
        QCOMPARE(HasNonBlank(text), nonBlank);
    }

    void chartListEditorText_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty list") << QStringList{} << QString();
        QTest::newRow("names") << QStringList{"1999D", "2000W"} << QString("1999D\n2000W\n");
        QTest::newRow("empty last line") << QStringList{"A", ""} << QString("A\n\n");
        QTest::newRow("only an empty line") << QStringList{""} << QString("\n");
        QTest::newRow("trailing blank") << QStringList{"A "} << QString("A \n");
    }
    void chartListEditorText()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QCOMPARE(ChartListEditorLines(lines).join(QLatin1Char('\n')), text);
        // The pane's lines are its text split at line ends; reading them back
        // gives the list unchanged.
        QCOMPARE(ChartListLines(text.split(QLatin1Char('\n'))), lines);
    }

    void chartListTypedText()
    {
        // A name typed then Enter is one entry; a pane emptied by hand none.
        QCOMPARE(ChartListLines({"A", ""}), QStringList{"A"});
        QCOMPARE(ChartListLines({"A"}), QStringList{"A"});
        QCOMPARE(ChartListLines({""}), QStringList{});
        QCOMPARE(ChartListLines({}), QStringList{});
        QCOMPARE(ChartPictureFile("1999D "), QString("1999D .GIF"));
        QCOMPARE(ChartPictureFile(""), QString(".GIF"));
    }
};

QTEST_GUILESS_MAIN(TestLogicCalendar)
#include "tst_logic_calendar.moc"
