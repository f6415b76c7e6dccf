#include "DigitField.hpp"

namespace batch::detail {

std::uint64_t StoredMagnitude(const DecimalAccumulator& value, int decimals, Rounding rounding, int width)
{
    __int128 mantissa;
    int have;
    if (value.Narrow(mantissa, have)) {
        auto narrow = mantissa < 0 ? -static_cast<unsigned __int128>(mantissa) : static_cast<unsigned __int128>(mantissa);
        bool fits = true;
        if (have > decimals) {
            const auto unit = static_cast<unsigned __int128>(PowerOfTen128(have - decimals));
            if (rounding == Rounding::HalfUp) narrow += unit / 2;
            narrow /= unit;
        } else if (have < decimals) {
            const auto unit = static_cast<unsigned __int128>(PowerOfTen128(decimals - have));
            fits = narrow <= ~static_cast<unsigned __int128>(0) / unit;
            narrow *= unit;
        }
        if (fits) return static_cast<std::uint64_t>(narrow % static_cast<unsigned __int128>(PowerOfTen128(width)));
    }
    ScaledInt magnitude = value.Scaled();
    if (magnitude < 0) magnitude = -magnitude;
    const int dropped = DecimalAccumulator::kDecimals - decimals;
    if (rounding == Rounding::HalfUp && dropped > 0) magnitude += 5 * PowerOfTen(dropped - 1);
    magnitude /= PowerOfTen(dropped);
    magnitude %= PowerOfTen(width);
    return static_cast<std::uint64_t>(magnitude);
}

}  // namespace batch::detail

namespace batch {

DecimalAccumulator PackedDecimalValue(const unsigned char* bytes, int length)
{
    std::uint64_t v = 0;
    for (int i = 0; i < length; ++i) {
        v = v * 10 + (bytes[i] >> 4);
        if (i + 1 < length) v = v * 10 + (bytes[i] & 0x0F);
    }
    const int sign = bytes[length - 1] & 0x0F;
    return DecimalAccumulator::FromDigits(v, 0, sign == 0xB || sign == 0xD);
}

}  // namespace batch
