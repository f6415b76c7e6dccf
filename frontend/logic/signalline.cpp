#include "logic/signalline.h"

#include "logic/columns.h"
#include "logic/strtoint.h"

namespace SignalFile {

QString SignalCode(const QString &signalLine) { return Columns::Take(signalLine, 1, 2); }
QString SignalDateKey(const QString &signalLine) { return Columns::Take(signalLine, 17, 7); }

QString SignalCaption(const QString &signalLine)
{
    static const char *const shortNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                             "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    static const char *const longNames[] = {"January", "February", "March", "April",
                                            "May", "June", "July", "August",
                                            "September", "October", "November", "December"};
    const QString day = Columns::Take(signalLine, 17, 2);
    QString month = Columns::Take(signalLine, 19, 3);
    int year = StrToInt(Columns::Take(signalLine, 22, 2));
    year += year < 60 ? 2000 : 1900;
    for (int m = 0; m < 12; ++m) {
        if (month == QLatin1String(shortNames[m])) {
            month = QLatin1String(longNames[m]);
            break;
        }
    }
    return QStringLiteral("Signal for:  ") + day + QLatin1Char(' ') + month + QLatin1Char(' ')
        + QString::number(year);
}

QString SignalPicture(const QString &signalCode)
{
    static const struct {
        const char *code;
        const char *picture;
    } table[] = {
        {"GL", "BUY.BMP"},      {"GS", "SELL.BMP"},     {"PK", "PULLBACK.BMP"}, {"RY", "RALLY.BMP"},
        {"SL", "STAYLONG.BMP"}, {"SS", "STAYXORT.BMP"}, {"GO", "GETOUT.BMP"},   {"SO", "STAYOUT.BMP"},
    };
    for (const auto &row : table) {
        if (signalCode == QLatin1String(row.code))
            return QLatin1String(row.picture);
    }
    return QString();
}

} // namespace SignalFile
