#include "logic/strtoint.h"

#include "logic/qelerror.h"

#include <cstdint>

namespace {

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int> TryStrToInt(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i >= n)
        return std::nullopt;

    // Hexadecimal: "$", "x", "X", "0x" or "0X", then at least one digit.
    qsizetype hexStart = -1;
    if (text.at(i) == QLatin1Char('$') || text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))
        hexStart = i + 1;
    else if (text.at(i) == QLatin1Char('0') && i + 1 < n
             && (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X')))
        hexStart = i + 2;
    if (hexStart >= 0) {
        if (hexStart >= n)
            return std::nullopt;
        uint64_t value = 0;
        for (qsizetype k = hexStart; k < n; ++k) {
            const int d = HexDigit(text.at(k));
            if (d < 0)
                return std::nullopt;
            value = value * 16 + d;
            if (value > 0xFFFFFFFFu)   // checked each digit, so no overflow on long texts
                return std::nullopt;
        }
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }

    bool negative = false;
    if (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= n)
        return std::nullopt;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t value = 0;
    for (; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < '0' || u > '9')
            return std::nullopt;
        value = value * 10 + (u - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

int StrToInt(const QString &text)
{
    if (const auto value = TryStrToInt(text))
        return *value;
    throw QelError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}
