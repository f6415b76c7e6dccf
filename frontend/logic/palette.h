#pragma once
// The chart palette: 14 colours, one table for the whole front end, kept in
// the scheme files "SCHEME1.PAL" .. "SCHEME5.PAL" as one decimal colour a
// line and the end line "999999999".
#include "logic/tcolor.h"

#include <QStringList>
#include <array>

constexpr int PaletteSize = 14;
using Palette = std::array<TColor, PaletteSize>;

// The entries, in file order.
enum PaletteEntry {
    Background,
    OuterBox,
    VerticalBars,
    TextColor,
    ShortPriceBars,
    LongPriceBars,
    SellSignal,
    BuySignal,
    MarketRally,
    MarketPullback,
    OutOfTheMarket,
    ShortSidewaysMarket,
    LongSidewaysMarket,
    ClosePriceMark,
};

// The 14 colours of a scheme file's lines (lines past the 14th are never
// read). Throws QelError, naming the file, when there are fewer than 14 lines
// or a line is not a whole number; the caller's palette then stays as it was.
// Values are kept as written, a negative one too.
Palette ParsePalette(const QStringList &lines, const QString &fileName);

// The lines of a scheme file: the 14 values in decimal, then the end line.
QStringList FormatPalette(const Palette &palette);
