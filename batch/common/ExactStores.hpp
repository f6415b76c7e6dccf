// Stores of the batch computations done in machine integers where the
// digits allow: each gives the same field contents as the general path
// through DecimalAccumulator named beside it, and takes that path itself
// when an operand is too wide. The fuzz test runs both on random and
// extreme operands.
#pragma once

#include "DigitField.hpp"

#include <cstdint>
#include <limits>

namespace batch {

namespace detail {

inline constexpr std::uint64_t kPowers10[19] = {1ULL,
                                                10ULL,
                                                100ULL,
                                                1000ULL,
                                                10000ULL,
                                                100000ULL,
                                                1000000ULL,
                                                10000000ULL,
                                                100000000ULL,
                                                1000000000ULL,
                                                10000000000ULL,
                                                100000000000ULL,
                                                1000000000000ULL,
                                                10000000000000ULL,
                                                100000000000000ULL,
                                                1000000000000000ULL,
                                                10000000000000000ULL,
                                                100000000000000000ULL,
                                                1000000000000000000ULL};

// The largest magnitude that times 10^k stays below 2^63.
struct RaiseLimits {
    std::uint64_t limit[19];
    constexpr RaiseLimits() : limit()
    {
        for (int k = 0; k < 19; ++k) limit[k] = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) / kPowers10[k];
    }
};
inline constexpr RaiseLimits kRaiseLimits{};

inline std::uint64_t Magnitude(std::int64_t v) { return v < 0 ? -static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v); }

}  // namespace detail

// The percentage of two decimals a = am x 10^-ad and b = bm x 10^-bd into
// target: Store(Divide(a, b) * 100, rounding).
template <class Target>
[[gnu::always_inline]] inline void StorePercent(Target& target, std::int64_t am, int ad, std::int64_t bm, int bd,
                                                Rounding rounding)
{
    constexpr int d = Target::kDecimals;
    const int half = rounding == Rounding::HalfUp ? 1 : 0;
    const int k = 2 + d + half + bd - ad;
    if constexpr (Target::kWidth <= 17 && d <= 17) {
        if (bm == 0) {  // Divide gives 0 for a zero divisor
            target.StoreMantissa(0);
            return;
        }
        const std::uint64_t ua = detail::Magnitude(am), ub = detail::Magnitude(bm);
        if (k >= 0 && k <= 18 && ua <= detail::kRaiseLimits.limit[k]) {
            // Divide keeps M = floor(x 10^20) of x = |a|/|b|; x 100 then a cut
            // at d decimals is floor(M / 10^(18-d)) = floor(x 10^(2+d)), floors
            // nested by whole numbers collapsing. Half up adds 5 x 10^(17-d) to
            // M first, which likewise is (floor(x 10^(3+d)) + 5) div 10.
            std::uint64_t q = ua * detail::kPowers10[k] / ub;
            if (half) q = (q + 5) / 10;
            q %= detail::kPowers10[Target::kWidth];
            const bool negative = (am < 0) != (bm < 0);
            target.StoreMantissa(negative ? -static_cast<std::int64_t>(q) : static_cast<std::int64_t>(q));
            return;
        }
    }
    target.Store(Divide(DecimalAccumulator::FromDigits(detail::Magnitude(am), ad, am < 0),
                        DecimalAccumulator::FromDigits(detail::Magnitude(bm), bd, bm < 0)) *
                     100,
                 rounding);
}

// The same for two fields that keep their value:
// target.Store(Divide(a.Value(), b.Value()) * 100, rounding).
template <class Target, class A, class B>
void StorePercent(Target& target, const A& a, const B& b, Rounding rounding = Rounding::Truncate)
{
    StorePercent(target, a.Mantissa(), A::kDecimals, b.Mantissa(), B::kDecimals, rounding);
}

// A field's value into another field: target.Store(source.Value(), rounding).
template <class Target, class Source>
void StoreFrom(Target& target, const Source& source, Rounding rounding = Rounding::Truncate)
{
    constexpr int drop = Source::kDecimals - Target::kDecimals;
    if constexpr (Target::kWidth <= 17 && Source::kWidth <= 17 && drop >= 0) {
        // Cutting decimals off, or rounding half up by the magnitude, is the
        // whole-number division the general store makes.
        const std::int64_t m = source.Mantissa();
        std::uint64_t mag = detail::Magnitude(m);
        if (rounding == Rounding::HalfUp && drop > 0) mag += detail::kPowers10[drop] / 2;
        mag = mag / detail::kPowers10[drop] % detail::kPowers10[Target::kWidth];
        target.StoreMantissa(m < 0 ? -static_cast<std::int64_t>(mag) : static_cast<std::int64_t>(mag));
    } else {
        target.Store(source.Value(), rounding);
    }
}

// a1 x b1 + a2 x b2 into target, cut to its decimals:
// target.Store(a1.Value() * b1.Value() + a2.Value() * b2.Value()).
template <class Target, class A1, class B1, class A2, class B2>
void StoreSumOfProducts(Target& target, const A1& a1, const B1& b1, const A2& a2, const B2& b2)
{
    constexpr int d1 = A1::kDecimals + B1::kDecimals, d2 = A2::kDecimals + B2::kDecimals;
    constexpr int d = d1 > d2 ? d1 : d2;
    // The digits of each raised product. A field's value is below
    // 2 x 10^width (a digit character reads at most 15), so with at most
    // 18 digits each product is below 4 x 10^18 and the sum below 2^63; no
    // product may lose decimals.
    constexpr int digits1 = A1::kWidth + B1::kWidth + d - d1, digits2 = A2::kWidth + B2::kWidth + d - d2;
    if constexpr (Target::kWidth <= 17 && d <= 20 && d >= Target::kDecimals && digits1 <= 18 && digits2 <= 18 &&
                  A1::kWidth <= 17 && B1::kWidth <= 17 && A2::kWidth <= 17 && B2::kWidth <= 17) {
        // Each product is exact; the sum on the finer decimals is exact; the
        // store cuts the magnitude, as the general store does.
        const std::int64_t sum = a1.Mantissa() * b1.Mantissa() * static_cast<std::int64_t>(detail::kPowers10[d - d1]) +
                                 a2.Mantissa() * b2.Mantissa() * static_cast<std::int64_t>(detail::kPowers10[d - d2]);
        const std::uint64_t mag = detail::Magnitude(sum) / detail::kPowers10[d - Target::kDecimals] % detail::kPowers10[Target::kWidth];
        target.StoreMantissa(sum < 0 ? -static_cast<std::int64_t>(mag) : static_cast<std::int64_t>(mag));
    } else {
        target.Store(a1.Value() * b1.Value() + a2.Value() * b2.Value());
    }
}

// The sum of fields on the target's own decimals:
// target.Store(f1.Value() + f2.Value() + ...).
template <class Target, class... Fields>
void StoreSum(Target& target, const Fields&... fields)
{
    if constexpr (detail::kSameScale<Target, Fields...> && sizeof...(Fields) < 10)
        target.StoreMantissa((static_cast<std::int64_t>(fields.Mantissa()) + ...));
    else
        target.Store((fields.Value() + ...));
}

}  // namespace batch
