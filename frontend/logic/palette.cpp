#include "logic/palette.h"

#include "logic/qelerror.h"
#include "logic/strtoint.h"

Palette ParsePalette(const QStringList &lines, const QString &fileName)
{
    if (lines.size() < PaletteSize)
        throw QelError(QStringLiteral("Colour scheme \"%1\" holds %2 lines, not the 14 colours of a scheme.")
                           .arg(fileName)
                           .arg(lines.size()));
    Palette palette{};
    for (int i = 0; i < PaletteSize; ++i)
        palette[i] = static_cast<TColor>(StrToInt(lines.at(i)));
    return palette;
}

QStringList FormatPalette(const Palette &palette)
{
    QStringList lines;
    for (TColor color : palette)
        lines << QString::number(static_cast<int32_t>(color));
    lines << QStringLiteral("999999999");
    return lines;
}
