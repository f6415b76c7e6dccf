#include "codepage.h"

#include "logic/qelerror.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>

namespace CodePage {

namespace {
constexpr const char *Name = "windows-1252";

// The 256 characters of the code page, sorted, as Qt's own converter reads
// the 256 byte values; a character is held exactly when it is one of them.
const std::array<char16_t, 256> &HeldCharacters()
{
    static const std::array<char16_t, 256> held = [] {
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QStringDecoder decoder(Name);
        const QString text = decoder.decode(all);
        if (!decoder.isValid() || decoder.hasError() || text.size() != 256)
            qFatal("The %s converter is not available: the user's files cannot be read.", Name);
        std::array<char16_t, 256> chars{};
        std::copy(text.utf16(), text.utf16() + 256, chars.begin());
        std::sort(chars.begin(), chars.end());
        return chars;
    }();
    return held;
}
} // namespace

QString Decode(QByteArrayView bytes)
{
    HeldCharacters();   // fails loudly where the converter is missing
    QStringDecoder decoder(Name, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray Encode(QStringView text)
{
    if (const std::optional<char32_t> c = FirstNotHeld(text))
        throw QelError(QStringLiteral("The character %1 cannot be stored in the file.").arg(NameOf(*c)));
    QStringEncoder encoder(Name, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

bool Holds(char32_t c)
{
    const auto &held = HeldCharacters();
    return c <= 0xFFFF && std::binary_search(held.begin(), held.end(), char16_t(c));
}

std::optional<char32_t> FirstNotHeld(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80)
            continue;
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text.at(i + 1));
        if (!Holds(code))
            return code;
    }
    return std::nullopt;
}

QString NameOf(char32_t c)
{
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    // A control or a line break would not show between the quotes.
    const QChar::Category category = QChar::category(c);
    if (!QChar::isPrint(c) || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
        return code;
    return QStringLiteral("\"%1\" (%2)").arg(QString::fromUcs4(&c, 1), code);
}

QString ShownLine(QString line)
{
    return line.replace(QLatin1Char('\r'), QChar(LoneCrMark));
}

QString StoredLine(QString line)
{
    return line.replace(QChar(LoneCrMark), QLatin1Char('\r'));
}

} // namespace CodePage
