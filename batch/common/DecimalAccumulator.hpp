// The work register of every batch computation: a sign, 20 integer and 20
// decimal digits, exact. The value is held as an integer scaled by 10^20.
#pragma once

#include <boost/multiprecision/cpp_int.hpp>
#include <cstdint>

namespace batch {

using ScaledInt = boost::multiprecision::int256_t;

class DecimalAccumulator {
public:
    static constexpr int kDecimals = 20;

    DecimalAccumulator() = default;

    static DecimalAccumulator Integer(std::int64_t value);
    // mantissa x 10^-decimals, decimals 0..20.
    static DecimalAccumulator FromDigits(std::uint64_t mantissa, int decimals, bool negative);
    static DecimalAccumulator FromScaled(const ScaledInt& scaled);

    const ScaledInt& Scaled() const { return scaled_; }
    bool IsNegative() const { return scaled_ < 0; }
    bool IsZero() const { return scaled_ == 0; }

    friend DecimalAccumulator operator+(const DecimalAccumulator& a, const DecimalAccumulator& b);
    friend DecimalAccumulator operator-(const DecimalAccumulator& a, const DecimalAccumulator& b);
    // Exact product; decimals beyond the 20th are cut off.
    friend DecimalAccumulator operator*(const DecimalAccumulator& a, const DecimalAccumulator& b);
    friend DecimalAccumulator operator*(const DecimalAccumulator& a, std::int64_t k);
    friend auto operator<=>(const DecimalAccumulator& a, const DecimalAccumulator& b) = default;
    friend bool operator==(const DecimalAccumulator& a, const DecimalAccumulator& b) = default;

private:
    ScaledInt scaled_ = 0;
};

// The quotient to 20 decimal places, further decimals cut off (toward zero).
// A zero divisor gives 0: the batch programs go on without a message.
DecimalAccumulator Divide(const DecimalAccumulator& dividend, const DecimalAccumulator& divisor);

// 10^n for n in 0..40.
const ScaledInt& PowerOfTen(int n);

}  // namespace batch
