// The machine-integer stores against the general decimal path on random and
// extreme operands, and whole runs on extreme price files (largest prices,
// rolls at the limits, zero ranges) against the independent model and
// against sums taken afresh. Seeds are fixed so a failure can be repeated.
#include "BatchTestSupport.hpp"
#include "ExactStores.hpp"
#include "MainIndicators.hpp"
#include "MvrReference.hpp"
#include "PriceFileGenerator.hpp"
#include "RunControl.hpp"
#include "ChaosIndicators.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using batch::DecimalAccumulator;
using batch::DigitField;
using batch::Rounding;
using batch::SignedDigitField;

std::int64_t Pow10(int n) { return static_cast<std::int64_t>(batch::detail::kPowers10[n]); }

DecimalAccumulator Decimal(std::int64_t mantissa, int decimals)
{
    return DecimalAccumulator::FromDigits(batch::detail::Magnitude(mantissa), decimals, mantissa < 0);
}

// A mantissa of at most digits digits: often an edge (0, 1, all nines, a
// power of ten), otherwise random; negative half the time when allowed.
std::int64_t Operand(std::mt19937_64& rng, int digits, bool negative)
{
    std::int64_t v;
    switch (rng() % 6) {
    case 0: v = static_cast<std::int64_t>(rng() % 3); break;
    case 1: v = Pow10(digits) - 1 - static_cast<std::int64_t>(rng() % 2); break;
    case 2: v = Pow10(static_cast<int>(rng() % (digits + 1))) - static_cast<std::int64_t>(rng() % 2); break;
    default: v = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(Pow10(digits))); break;
    }
    if (v < 0) v = 0;
    return negative && rng() % 2 ? -v : v;
}

template <class Field>
Field WithMantissa(std::int64_t m)
{
    Field f;
    f.StoreMantissa(m);
    return f;
}

// A field holding a stored value, or now and then characters moved in
// that read above the digits (":" to "?" read as 10 to 15).
template <class Field>
Field RandomField(std::mt19937_64& rng)
{
    if (rng() % 5) return WithMantissa<Field>(Operand(rng, Field::kWidth, true));
    std::string text(Field::kWidth, '0');
    for (char& c : text) c = "0123456789:;<=>?pqry "[rng() % 21];
    Field f;
    f.SetText(text);
    return f;
}

template <class Target>
void CheckPercents(std::mt19937_64& rng, int cases)
{
    for (int i = 0; i < cases && !::testing::Test::HasFailure(); ++i) {
        const int ad = static_cast<int>(rng() % 7), bd = static_cast<int>(rng() % 7);
        const std::int64_t a = Operand(rng, static_cast<int>(rng() % 19), true);
        const std::int64_t b = Operand(rng, static_cast<int>(rng() % 19), true);
        for (Rounding r : {Rounding::Truncate, Rounding::HalfUp}) {
            Target fast, general;
            batch::StorePercent(fast, a, ad, b, bd, r);
            general.Store(batch::Divide(Decimal(a, ad), Decimal(b, bd)) * 100, r);
            EXPECT_EQ(fast.Text(), general.Text()) << a << "e-" << ad << " / " << b << "e-" << bd << " rounding "
                                                   << static_cast<int>(r);
        }
    }
}

template <class Target, class Source>
void CheckStoreFrom(std::mt19937_64& rng, int cases)
{
    for (int i = 0; i < cases && !::testing::Test::HasFailure(); ++i) {
        const auto source = RandomField<Source>(rng);
        for (Rounding r : {Rounding::Truncate, Rounding::HalfUp}) {
            Target fast, general;
            batch::StoreFrom(fast, source, r);
            general.Store(source.Value(), r);
            EXPECT_EQ(fast.Text(), general.Text()) << source.Text() << " rounding " << static_cast<int>(r);
        }
    }
}

template <class Target, class A1, class B1, class A2, class B2>
void CheckSumOfProducts(std::mt19937_64& rng, int cases)
{
    for (int i = 0; i < cases && !::testing::Test::HasFailure(); ++i) {
        const auto a1 = RandomField<A1>(rng);
        const auto b1 = RandomField<B1>(rng);
        const auto a2 = RandomField<A2>(rng);
        const auto b2 = RandomField<B2>(rng);
        Target fast, general;
        batch::StoreSumOfProducts(fast, a1, b1, a2, b2);
        general.Store(a1.Value() * b1.Value() + a2.Value() * b2.Value());
        EXPECT_EQ(fast.Text(), general.Text()) << a1.Text() << " " << b1.Text() << " " << a2.Text() << " " << b2.Text();
    }
}

template <class Target, class Field>
void CheckSums(std::mt19937_64& rng, int cases)
{
    for (int i = 0; i < cases && !::testing::Test::HasFailure(); ++i) {
        const auto a = RandomField<Field>(rng);
        const auto b = RandomField<Field>(rng);
        const auto c = RandomField<Field>(rng);
        Target fast, general;
        batch::StoreSum(fast, a, b, c);
        general.Store(a.Value() + b.Value() + c.Value());
        EXPECT_EQ(fast.Text(), general.Text()) << a.Text() << " " << b.Text() << " " << c.Text();
    }
}

}  // namespace

TEST(ExactStoresDifferential, PercentQuotientsMatchTheGeneralPath)
{
    std::mt19937_64 rng(1210);
    // The targets the programs use, and wider ones that reach the general path.
    CheckPercents<SignedDigitField<3, 1>>(rng, 20000);
    CheckPercents<DigitField<3, 6>>(rng, 20000);
    CheckPercents<DigitField<4>>(rng, 20000);
    CheckPercents<SignedDigitField<6, 5>>(rng, 20000);
    CheckPercents<DigitField<3, 4>>(rng, 20000);
    CheckPercents<SignedDigitField<3, 4>>(rng, 20000);
    CheckPercents<SignedDigitField<2, 15>>(rng, 20000);
    CheckPercents<DigitField<1, 17>>(rng, 20000);
    CheckPercents<DigitField<18>>(rng, 5000);
}

TEST(ExactStoresDifferential, CutsRoundingsProductsAndSumsMatchTheGeneralPath)
{
    std::mt19937_64 rng(1211);
    CheckStoreFrom<DigitField<3>, DigitField<3, 6>>(rng, 20000);
    CheckStoreFrom<DigitField<2, 2>, DigitField<3, 4>>(rng, 20000);
    CheckStoreFrom<SignedDigitField<3>, SignedDigitField<6, 5>>(rng, 20000);
    CheckStoreFrom<DigitField<3>, SignedDigitField<3, 4>>(rng, 20000);
    CheckStoreFrom<SignedDigitField<2, 2>, SignedDigitField<10, 7>>(rng, 20000);
    CheckStoreFrom<DigitField<3, 4>, DigitField<2, 2>>(rng, 5000);  // more decimals: the general path
    CheckSumOfProducts<DigitField<3, 4>, DigitField<3, 4>, DigitField<1, 5>, DigitField<3, 6>, DigitField<1, 5>>(rng, 20000);
    CheckSumOfProducts<DigitField<3, 4>, DigitField<3, 4>, DigitField<1, 5>, DigitField<3, 4>, DigitField<1, 5>>(rng, 20000);
    CheckSumOfProducts<SignedDigitField<3, 4>, SignedDigitField<6>, SignedDigitField<2, 2>, SignedDigitField<3, 6>,
                       DigitField<1, 5>>(rng, 20000);
    CheckSumOfProducts<DigitField<5, 5>, DigitField<9, 6>, DigitField<9, 8>, DigitField<1>, DigitField<1>>(rng, 5000);
    CheckSums<DigitField<3, 2>, DigitField<2, 2>>(rng, 20000);
    CheckSums<SignedDigitField<2, 2>, SignedDigitField<2, 2>>(rng, 20000);
    CheckSums<DigitField<3>, DigitField<3>>(rng, 20000);
    CheckSums<DigitField<17>, DigitField<17>>(rng, 20000);
}

TEST(ExactStoresDifferential, LineCheckValueMatchesTheGeneralPath)
{
    std::mt19937_64 rng(1212);
    std::vector<std::string> lines = {std::string(53, '9'), std::string(53, '\xff'), std::string(53, ' ')};
    for (int i = 0; i < 50000; ++i) {
        std::string line(53, ' ');
        for (auto& c : line) c = rng() % 3 ? static_cast<char>('0' + rng() % 10) : static_cast<char>(rng());
        lines.push_back(line);
    }
    for (const auto& line : lines) {
        ASSERT_EQ(mvr::LineCheckValue(line).Text(), mvr::LineCheckValueGeneral(line).Text());
    }
}

namespace {

template <int Width>
void CheckDigitsValue(std::mt19937_64& rng)
{
    for (int i = 0; i < 20000; ++i) {
        char chars[Width];
        std::uint64_t want = 0;
        for (char& c : chars) {
            c = rng() % 2 ? static_cast<char>('0' + rng() % 10) : static_cast<char>(rng());
            want = want * 10 + (static_cast<unsigned char>(c) & 0x0F);
        }
        ASSERT_EQ(batch::detail::DigitsValue<Width>(chars), want) << std::string(chars, Width);
    }
}

}  // namespace

// Digit characters read all at once against one at a time, any byte
// counting by its low four bits.
TEST(ExactStoresDifferential, DigitFieldsReadAsDigitByDigit)
{
    std::mt19937_64 rng(1215);
    CheckDigitsValue<1>(rng);
    CheckDigitsValue<2>(rng);
    CheckDigitsValue<3>(rng);
    CheckDigitsValue<4>(rng);
    CheckDigitsValue<5>(rng);
    CheckDigitsValue<6>(rng);
    CheckDigitsValue<7>(rng);
    CheckDigitsValue<8>(rng);
    CheckDigitsValue<11>(rng);
}

namespace {

// Price files at the edges: prices up to 999999, rolls at +-999999 and
// often zero, weeks whose high equals their low, all with valid check
// values and the market's signature in row 100.
std::vector<samples::Bar> ExtremeBars(std::mt19937_64& rng, int weeks, long signature)
{
    std::vector<samples::Bar> bars(static_cast<std::size_t>(weeks));
    for (int n = 0; n < weeks; ++n) {
        samples::Bar& b = bars[static_cast<std::size_t>(n)];
        char date[16];
        std::snprintf(date, sizeof date, "X%06d", n + 1);
        b.date = date;
        const auto price = [&]() -> long {
            switch (rng() % 5) {
            case 0: return 999999 - static_cast<long>(rng() % 3);
            case 1: return static_cast<long>(rng() % 3);
            default: return static_cast<long>(rng() % 1000000);
            }
        };
        b.low = price();
        b.high = rng() % 4 == 0 ? b.low : std::max(b.low, price());  // zero ranges
        b.open = rng() % 2 ? b.high : b.low;
        b.close = rng() % 3 == 0 ? price() : (rng() % 2 ? b.low : b.high);  // a close outside the range too
        switch (rng() % 6) {
        case 0: b.rollAdjustment = 999999; break;
        case 1: b.rollAdjustment = -999999; break;
        case 2: b.rollAdjustment = static_cast<long>(rng() % 1999999) - 999999; break;
        default: b.rollAdjustment = 0; break;
        }
    }
    if (weeks >= 100) bars[99].open = signature;
    return bars;
}

}  // namespace

TEST(ExactStoresDifferential, MvrOnExtremeFilesMatchesTheIndependentModel)
{
    std::mt19937_64 rng(1213);
    for (int file = 0; file < 40; ++file) {
        const bool notes = rng() % 2;
        const int weeks = 100 + static_cast<int>(rng() % 200);
        const auto lines = batchtest::Lines(ExtremeBars(rng, weeks, notes ? 5218 : 2343));
        batchtest::WorkDir dir;
        dir.Write("SYSTEM.INI", notes ? "TY\r\n" : "US\r\n");
        dir.Write(notes ? "NOTES.DAT" : "BONDS.DAT", batchtest::FileOf(lines));
        ASSERT_EQ(batch::RunProgram("MVR", mvr::RunMainIndicators), 0);
        const auto got = batchtest::SplitLines(dir.Read("FK.MVR"));
        const auto want = mvrref::ExpectedIndicatorLines(lines, notes ? "TY" : "US");
        ASSERT_EQ(got.size(), static_cast<std::size_t>(weeks - 10)) << "file " << file;
        ASSERT_EQ(got.size(), want.size()) << "file " << file;
        for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << "file " << file << " week " << i + 11;
    }
}

TEST(ExactStoresDifferential, Kq4SlidingSumsMatchSumsTakenAfresh)
{
    std::mt19937_64 rng(1214);
    for (int file = 0; file < 40; ++file) {
        const int weeks = 11 + static_cast<int>(rng() % 300);
        batchtest::WorkDir dir;
        dir.Write("SYSTEM.INI", "US\r\n");
        dir.Write("BONDS.DAT", batchtest::FileOf(ExtremeBars(rng, weeks, 2343)));
        ASSERT_EQ(batch::RunProgram("KQ4", [] { kq4::RunChaosIndicators(); }), 0);
        // F1 and the means as written: each mean from the four-digit sum of
        // the written F1 of its k bars.
        const auto lines = batchtest::SplitLines(dir.Read("FK.KQ4"));
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(weeks - 10)) << "file " << file;
        const auto field = [&](int e, int column) { return std::stol(lines[static_cast<std::size_t>(e - 11)].substr(column - 1, 3)); };
        for (int e = 11; e <= weeks; ++e) {
            for (int k = 3; k <= kq4::kMeans; ++k) {
                long sum = 0;
                if (e > 10 + k)
                    for (int j = e - k + 1; j <= e; ++j) sum += field(j, 9);
                const long mean = (sum % 10000 * 10 / k + 5) / 10;
                ASSERT_EQ(field(e, 13 + 4 * (k - 3)), mean % 1000) << "file " << file << " bar " << e << " F" << k;
            }
        }
    }
}
