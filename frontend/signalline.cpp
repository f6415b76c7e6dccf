#include "signalline.h"

#include "platform/qelerror.h"
#include "platform/textfiles.h"

namespace SignalFile {

QString SignalCode(const QString &signalLine) { return Columns::Take(signalLine, 1, 2); }
QString SignalDateKey(const QString &signalLine) { return Columns::Take(signalLine, 17, 7); }

int StrToInt(const QString &text)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= text.size())
        throw QelError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    long long value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || value > 214748364LL)
            throw QelError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        value = value * 10 + (c.unicode() - '0');
    }
    return static_cast<int>(negative ? -value : value);
}

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
