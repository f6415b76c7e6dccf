#include "DecimalAccumulator.hpp"

#include <array>

namespace batch {

using boost::multiprecision::int512_t;

const ScaledInt& PowerOfTen(int n)
{
    static const std::array<ScaledInt, 41> powers = [] {
        std::array<ScaledInt, 41> p{};
        p[0] = 1;
        for (int i = 1; i <= 40; ++i) p[i] = p[i - 1] * 10;
        return p;
    }();
    return powers[n];
}

DecimalAccumulator DecimalAccumulator::Integer(std::int64_t value)
{
    DecimalAccumulator a;
    a.scaled_ = ScaledInt(value) * PowerOfTen(kDecimals);
    return a;
}

DecimalAccumulator DecimalAccumulator::FromDigits(std::uint64_t mantissa, int decimals, bool negative)
{
    DecimalAccumulator a;
    a.scaled_ = ScaledInt(mantissa) * PowerOfTen(kDecimals - decimals);
    if (negative) a.scaled_ = -a.scaled_;
    return a;
}

DecimalAccumulator DecimalAccumulator::FromScaled(const ScaledInt& scaled)
{
    DecimalAccumulator a;
    a.scaled_ = scaled;
    return a;
}

DecimalAccumulator operator+(const DecimalAccumulator& a, const DecimalAccumulator& b)
{
    return DecimalAccumulator::FromScaled(a.scaled_ + b.scaled_);
}

DecimalAccumulator operator-(const DecimalAccumulator& a, const DecimalAccumulator& b)
{
    return DecimalAccumulator::FromScaled(a.scaled_ - b.scaled_);
}

DecimalAccumulator operator*(const DecimalAccumulator& a, const DecimalAccumulator& b)
{
    // Both operands may use all 40 digits, so the product is formed wider.
    int512_t p = int512_t(a.scaled_) * int512_t(b.scaled_);
    p /= int512_t(PowerOfTen(DecimalAccumulator::kDecimals));
    return DecimalAccumulator::FromScaled(ScaledInt(p));
}

DecimalAccumulator operator*(const DecimalAccumulator& a, std::int64_t k)
{
    return DecimalAccumulator::FromScaled(a.scaled_ * k);
}

DecimalAccumulator Divide(const DecimalAccumulator& dividend, const DecimalAccumulator& divisor)
{
    if (divisor.IsZero()) return {};
    // Integer division truncates toward zero, which cuts the 21st and
    // further decimals off the magnitude.
    int512_t q = int512_t(dividend.Scaled()) * int512_t(PowerOfTen(DecimalAccumulator::kDecimals));
    q /= int512_t(divisor.Scaled());
    return DecimalAccumulator::FromScaled(ScaledInt(q));
}

}  // namespace batch
