// Generates weekly price files ("BONDS.DAT", "NOTES.DAT") of our own for the
// sample working directory, the tests and the benchmark.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace samples {

struct PriceFileOptions {
    std::string market = "US";   // "US" (32nds) or "TY" (64ths)
    int weeks = 520;             // 1..6000 price lines
    std::uint64_t seed = 1;
    bool endMarker = false;      // append a "THE-END" line
    int rollEvery = 13;          // a contract roll every N weeks (0: none)
};

// One bar in ticks, as the price line carries it.
struct Bar {
    std::string date;            // DDMMMYY
    char firstFlag = ' ';
    long open = 0, high = 0, low = 0, close = 0;
    long rollAdjustment = 0;     // signed ticks
    char secondFlag = ' ';
};

// The check value the price file's writer stores: V modulo 10^18 where
// V = (O*9652*5719 + H*8753*8367 + L*7645*4928 + C*4981*7531) * 9357428.
unsigned __int128 CheckValueOf(long open, long high, long low, long close);

// The ten packed-decimal bytes of columns 44-53: 19 digits (the first 0)
// and the positive sign nibble C.
std::array<unsigned char, 10> PackCheckValue(unsigned __int128 value);

// A signed six-digit field with the sign in the last character.
std::string SignedDigits6(long value);

// The 53 used columns of one price line (no line end).
std::string FormatPriceLine(const Bar& bar);

// A realistic weekly series: row 100's open carries the market signature.
std::vector<Bar> GenerateBars(const PriceFileOptions& options);

// The whole file's bytes, lines ended by CR LF.
std::string PriceFileBytes(const std::vector<Bar>& bars, bool endMarker);

}  // namespace samples
