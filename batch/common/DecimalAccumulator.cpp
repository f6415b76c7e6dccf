#include "DecimalAccumulator.hpp"

// Narrowing a 512-bit intermediate back to 256 bits makes GCC 12 warn about
// a copy inside the multiprecision header that it cannot prove in bounds;
// the copy is the library's own and correct.
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"

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

__int128 PowerOfTen128(int n)
{
    static const std::array<__int128, 39> powers = [] {
        std::array<__int128, 39> p{};
        p[0] = 1;
        for (int i = 1; i <= 38; ++i) p[i] = p[i - 1] * 10;
        return p;
    }();
    return powers[n];
}

namespace {

ScaledInt From128(__int128 v)
{
    const bool negative = v < 0;
    unsigned __int128 u = negative ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
    ScaledInt r = static_cast<std::uint64_t>(u >> 64);
    r <<= 64;
    r += static_cast<std::uint64_t>(u);
    return negative ? ScaledInt(-r) : r;
}

// m x 10^shift without overflow, or false.
bool Raise(__int128 m, int shift, __int128& out)
{
    if (shift > 38) return m == 0 ? (out = 0, true) : false;
    return !__builtin_mul_overflow(m, PowerOfTen128(shift), &out);
}

// Both mantissas on the larger of the two decimal counts.
bool Align(const __int128 am, int ad, const __int128 bm, int bd, __int128& a, __int128& b, int& d)
{
    if (ad == bd) {
        a = am;
        b = bm;
        d = ad;
        return true;
    }
    d = ad > bd ? ad : bd;
    return Raise(am, d - ad, a) && Raise(bm, d - bd, b);
}

}  // namespace

DecimalAccumulator DecimalAccumulator::FromScaled(const ScaledInt& scaled)
{
    DecimalAccumulator a;
    a.wide_ = scaled;
    return a;
}

ScaledInt DecimalAccumulator::Scaled() const
{
    if (wide_) return *wide_;
    return From128(mantissa_) * PowerOfTen(kDecimals - decimals_);
}

DecimalAccumulator DecimalAccumulator::Add(const DecimalAccumulator& a, const DecimalAccumulator& b, bool subtract)
{
    __int128 x, y, result;
    int d;
    if (!a.wide_ && !b.wide_ && Align(a.mantissa_, a.decimals_, b.mantissa_, b.decimals_, x, y, d) &&
        !(subtract ? __builtin_sub_overflow(x, y, &result) : __builtin_add_overflow(x, y, &result))) {
        DecimalAccumulator r;
        r.mantissa_ = result;
        r.decimals_ = d;
        return r;
    }
    return FromScaled(subtract ? ScaledInt(a.Scaled() - b.Scaled()) : ScaledInt(a.Scaled() + b.Scaled()));
}

DecimalAccumulator operator*(const DecimalAccumulator& a, const DecimalAccumulator& b)
{
    __int128 product;
    if (!a.wide_ && !b.wide_ && !__builtin_mul_overflow(a.mantissa_, b.mantissa_, &product)) {
        DecimalAccumulator r;
        r.decimals_ = a.decimals_ + b.decimals_;
        if (r.decimals_ > DecimalAccumulator::kDecimals) {
            // Integer division truncates toward zero: the extra decimals are cut off.
            product /= PowerOfTen128(r.decimals_ - DecimalAccumulator::kDecimals);
            r.decimals_ = DecimalAccumulator::kDecimals;
        }
        r.mantissa_ = product;
        return r;
    }
    int512_t p = int512_t(a.Scaled()) * int512_t(b.Scaled());
    p /= int512_t(PowerOfTen(DecimalAccumulator::kDecimals));
    return DecimalAccumulator::FromScaled(ScaledInt(p));
}

DecimalAccumulator operator*(const DecimalAccumulator& a, std::int64_t k)
{
    __int128 product;
    if (!a.wide_ && !__builtin_mul_overflow(a.mantissa_, static_cast<__int128>(k), &product)) {
        DecimalAccumulator r;
        r.mantissa_ = product;
        r.decimals_ = a.decimals_;
        return r;
    }
    return DecimalAccumulator::FromScaled(a.Scaled() * k);
}

std::strong_ordering operator<=>(const DecimalAccumulator& a, const DecimalAccumulator& b)
{
    __int128 x, y;
    int d;
    if (!a.wide_ && !b.wide_ && Align(a.mantissa_, a.decimals_, b.mantissa_, b.decimals_, x, y, d))
        return x <=> y;
    const ScaledInt sa = a.Scaled(), sb = b.Scaled();
    return sa < sb ? std::strong_ordering::less : sb < sa ? std::strong_ordering::greater : std::strong_ordering::equal;
}

DecimalAccumulator Divide(const DecimalAccumulator& dividend, const DecimalAccumulator& divisor)
{
    if (divisor.IsZero()) return {};
    // The quotient has 20 decimals: dividend x 10^(20 + divisor's decimals
    // - dividend's) / divisor's mantissa. Integer division truncates toward
    // zero, which cuts the 21st and further decimals off the magnitude.
    if (!dividend.wide_ && !divisor.wide_) {
        __int128 raised;
        if (Raise(dividend.mantissa_, DecimalAccumulator::kDecimals + divisor.decimals_ - dividend.decimals_, raised)) {
            DecimalAccumulator r;
            r.mantissa_ = raised / divisor.mantissa_;
            r.decimals_ = DecimalAccumulator::kDecimals;
            return r;
        }
    }
    int512_t q = int512_t(dividend.Scaled()) * int512_t(PowerOfTen(DecimalAccumulator::kDecimals));
    q /= int512_t(divisor.Scaled());
    return DecimalAccumulator::FromScaled(ScaledInt(q));
}

}  // namespace batch
