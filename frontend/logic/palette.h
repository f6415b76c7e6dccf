#pragma once
// The chart palette: 14 colours, one table for the whole front end, kept in
// the scheme files "SCHEME1.PAL" .. "SCHEME5.PAL" as one decimal colour a line.
#include "logic/tcolor.h"

#include <QStringList>
#include <array>

constexpr int PaletteSize = 14;
using Palette = std::array<TColor, PaletteSize>;

// The 14 colours of a scheme file's lines. Throws QelError, naming the file,
// when there are fewer than 14 lines or a line is not a whole number; the
// caller's palette then stays as it was.
Palette ParsePalette(const QStringList &lines, const QString &fileName);
