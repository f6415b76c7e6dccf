#include "DigitField.hpp"

namespace batch::detail {

std::uint64_t DigitsValue(const char* chars, int width)
{
    std::uint64_t v = 0;
    for (int i = 0; i < width; ++i) v = v * 10 + DigitValue(chars[i]);
    return v;
}

bool StoreDigits(const DecimalAccumulator& value, int decimals, Rounding rounding, char* chars, int width)
{
    ScaledInt magnitude = value.Scaled();
    if (magnitude < 0) magnitude = -magnitude;
    const int dropped = DecimalAccumulator::kDecimals - decimals;
    if (rounding == Rounding::HalfUp && dropped > 0) magnitude += 5 * PowerOfTen(dropped - 1);
    magnitude /= PowerOfTen(dropped);
    magnitude %= PowerOfTen(width);
    auto digits = static_cast<std::uint64_t>(magnitude);
    for (int i = width - 1; i >= 0; --i) {
        chars[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    return magnitude != 0;
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
