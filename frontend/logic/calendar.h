#pragma once
// The calendar's rules that need no window: the month files, the header,
// the yearly backup and the day of the year.
#include <QList>
#include <QString>
#include <QStringList>

namespace CalendarFiles {

constexpr int MonthCount = 12;

// "CALENDAR.JAN" .. "CALENDAR.DEC" for month 1..12.
QString MonthFileName(int month);
// "January" .. "December" for month 1..12.
QString MonthName(int month);
// The header over the month pages: "MARCH 2026".
QString MonthHeader(int month, int year);
// "Y2026.CAL".
QString BackupFileName(int year);
// The backup of the twelve lists: "[January]" and its entries, then for
// each later month a line of one blank, "[Month]" and its entries.
QStringList BackupLines(const QList<QStringList> &months);

} // namespace CalendarFiles

// Day d of month m in year y counted from 1 January. Every year divisible by
// 4 is a leap year here, 1900 and 2100 included, so 1 March 1900 is day 61.
int DayOfYear(int day, int month, int year);

// True when the text holds a character other than a blank.
bool HasNonBlank(const QString &text);
