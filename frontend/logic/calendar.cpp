#include "calendar.h"

namespace {
const char *const MonthSuffixes[CalendarFiles::MonthCount] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char *const MonthNames[CalendarFiles::MonthCount] = {"January", "February", "March",     "April",
                                                           "May",     "June",     "July",      "August",
                                                           "September", "October", "November", "December"};
const int DaysBeforeMonth[CalendarFiles::MonthCount] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
} // namespace

namespace CalendarFiles {

QString MonthFileName(int month)
{
    return QStringLiteral("CALENDAR.") + QLatin1String(MonthSuffixes[month - 1]);
}

QString MonthName(int month)
{
    return QLatin1String(MonthNames[month - 1]);
}

QString MonthHeader(int month, int year)
{
    return MonthName(month).toUpper() + QLatin1Char(' ') + QString::number(year);
}

QString BackupFileName(int year)
{
    return QStringLiteral("Y") + QString::number(year) + QStringLiteral(".CAL");
}

QStringList BackupLines(const QList<QStringList> &months)
{
    QStringList lines;
    for (int m = 0; m < MonthCount; ++m) {
        if (m > 0)
            lines << QStringLiteral(" ");
        lines << QLatin1Char('[') + MonthName(m + 1) + QLatin1Char(']');
        if (m < months.size())
            lines << months.at(m);
    }
    return lines;
}

} // namespace CalendarFiles

int DayOfYear(int day, int month, int year)
{
    return day + DaysBeforeMonth[month - 1] + (year % 4 == 0 && month > 2 ? 1 : 0);
}

bool HasNonBlank(const QString &text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return true;
    }
    return false;
}
