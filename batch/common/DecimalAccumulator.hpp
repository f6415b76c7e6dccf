// The work register of every batch computation: a sign, 20 integer and 20
// decimal digits, exact, no floating point.
//
// Most values the programs compute are a few digits wide, so a value is kept
// as a 128-bit mantissa with its own number of decimals (0..20); a result
// that outgrows 128 bits moves to the wide form, an integer scaled by 10^20
// that holds all 40 digits. Both forms give the same digits.
#pragma once

// The multiprecision header includes <iostream> although it needs only the
// stream types. The stream objects' static set-up would then run at every
// start of a batch program, a third of a millisecond that no run uses, so
// the header gets the stream types alone here.
#include <istream>
#include <ostream>
#if defined(__GLIBCXX__) && !defined(_GLIBCXX_IOSTREAM)
#define _GLIBCXX_IOSTREAM 1
#include <boost/multiprecision/cpp_int.hpp>
#undef _GLIBCXX_IOSTREAM
#else
#include <boost/multiprecision/cpp_int.hpp>
#endif
#include <compare>
#include <cstdint>
#include <optional>

namespace batch {

using ScaledInt = boost::multiprecision::int256_t;

class DecimalAccumulator {
public:
    static constexpr int kDecimals = 20;

    DecimalAccumulator() = default;

    static DecimalAccumulator Integer(std::int64_t value) { return FromDigits(value < 0 ? -static_cast<std::uint64_t>(value) : value, 0, value < 0); }
    // mantissa x 10^-decimals, decimals 0..20.
    static DecimalAccumulator FromDigits(std::uint64_t mantissa, int decimals, bool negative)
    {
        DecimalAccumulator a;
        a.mantissa_ = negative ? -static_cast<__int128>(mantissa) : static_cast<__int128>(mantissa);
        a.decimals_ = decimals;
        return a;
    }
    static DecimalAccumulator FromScaled(const ScaledInt& scaled);

    // The value as an integer scaled by 10^20.
    ScaledInt Scaled() const;
    bool IsNegative() const { return wide_ ? *wide_ < 0 : mantissa_ < 0; }
    bool IsZero() const { return wide_ ? *wide_ == 0 : mantissa_ == 0; }

    // The fast form, for storing: false when the value is in the wide form.
    bool Narrow(__int128& mantissa, int& decimals) const
    {
        mantissa = mantissa_;
        decimals = decimals_;
        return !wide_;
    }

    friend DecimalAccumulator operator+(const DecimalAccumulator& a, const DecimalAccumulator& b)
    {
        DecimalAccumulator r;
        if (!a.wide_ && !b.wide_ && a.decimals_ == b.decimals_ && !__builtin_add_overflow(a.mantissa_, b.mantissa_, &r.mantissa_)) {
            r.decimals_ = a.decimals_;
            return r;
        }
        return Add(a, b, false);
    }
    friend DecimalAccumulator operator-(const DecimalAccumulator& a, const DecimalAccumulator& b)
    {
        DecimalAccumulator r;
        if (!a.wide_ && !b.wide_ && a.decimals_ == b.decimals_ && !__builtin_sub_overflow(a.mantissa_, b.mantissa_, &r.mantissa_)) {
            r.decimals_ = a.decimals_;
            return r;
        }
        return Add(a, b, true);
    }
    // Exact product; decimals beyond the 20th are cut off.
    friend DecimalAccumulator operator*(const DecimalAccumulator& a, const DecimalAccumulator& b);
    friend DecimalAccumulator operator*(const DecimalAccumulator& a, std::int64_t k);
    friend std::strong_ordering operator<=>(const DecimalAccumulator& a, const DecimalAccumulator& b);
    friend bool operator==(const DecimalAccumulator& a, const DecimalAccumulator& b)
    {
        return (a <=> b) == std::strong_ordering::equal;
    }
    friend DecimalAccumulator Divide(const DecimalAccumulator& dividend, const DecimalAccumulator& divisor);

private:
    static DecimalAccumulator Add(const DecimalAccumulator& a, const DecimalAccumulator& b, bool subtract);

    __int128 mantissa_ = 0;
    int decimals_ = 0;
    std::optional<ScaledInt> wide_;  // set only in the wide form
};

// The quotient to 20 decimal places, further decimals cut off (toward zero).
// A zero divisor gives 0: the batch programs go on without a message.
DecimalAccumulator Divide(const DecimalAccumulator& dividend, const DecimalAccumulator& divisor);

// 10^n for n in 0..40.
const ScaledInt& PowerOfTen(int n);
// 10^n for n in 0..38.
__int128 PowerOfTen128(int n);

}  // namespace batch
