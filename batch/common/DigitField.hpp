// Fixed-width decimal digit fields as the batch programs keep them: digit
// characters, most significant first, with an implied decimal point.
#pragma once

#include "DecimalAccumulator.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace batch {

enum class Rounding {
    Truncate,  // further decimals cut off (the default everywhere)
    HalfUp,    // 5 added to the magnitude one digit below the last kept one
};

namespace detail {

// The one reading of a digit character: its low four bits. A blank (and
// any character whose low bits are 0) counts as 0; no character is
// rejected, because the programs never test their digit fields.
inline std::uint64_t DigitValue(char c) { return static_cast<unsigned char>(c) & 0x0F; }

// Sign carried in the last character of a signed field (trailing
// overpunch): bit 0x40 set marks a negative value, "p".."y" for 0..9.
inline bool HasNegativeSign(char c) { return (static_cast<unsigned char>(c) & 0x40) != 0; }

// Width (up to 8) characters as the high bytes of a little-endian word,
// read in pieces of 4, 2 and 1 bytes: each a plain load, none waiting on a
// narrower store to the same place.
template <int Width, int Done = 0>
inline std::uint64_t DigitWord(const char* chars)
{
    constexpr int left = Width - Done;
    if constexpr (left == 0) {
        return 0;
    } else {
        constexpr int size = left >= 4 ? 4 : left >= 2 ? 2 : 1;
        using Piece = std::conditional_t<size == 4, std::uint32_t, std::conditional_t<size == 2, std::uint16_t, std::uint8_t>>;
        Piece piece;
        std::memcpy(&piece, chars + Done, size);
        return (static_cast<std::uint64_t>(piece) << (8 * (8 - Width + Done))) | DigitWord<Width, Done + size>(chars);
    }
}

template <int Width>
inline std::uint64_t DigitsValue(const char* chars)
{
    if constexpr (Width >= 2 && Width <= 8 && std::endian::native == std::endian::little) {
        // All digits at once: the characters as the last bytes of an
        // eight-byte word, zero bytes (leading zero digits) before them;
        // then pairs, fours and the eight combined by three multiplications.
        // A digit reads up to 15, so a pair stays below 256, a four below
        // 2^16 and the whole below 2^32: no lane carries into the next.
        std::uint64_t v = DigitWord<Width>(chars);
        v &= 0x0F0F0F0F0F0F0F0FULL;
        v = (v * (10 * 256 + 1)) >> 8 & 0x00FF00FF00FF00FFULL;
        v = (v * (100 * 65536 + 1)) >> 16 & 0x0000FFFF0000FFFFULL;
        return (v * ((10000ULL << 32) + 1)) >> 32;
    } else {
        std::uint64_t v = 0;
        for (int i = 0; i < Width; ++i) v = v * 10 + DigitValue(chars[i]);
        return v;
    }
}

// "000" "001" ... "999": digits are written three at a time.
struct DigitTriples {
    char text[1000][4];
    constexpr DigitTriples() : text()
    {
        for (int v = 0; v < 1000; ++v) {
            text[v][0] = static_cast<char>('0' + v / 100);
            text[v][1] = static_cast<char>('0' + v / 10 % 10);
            text[v][2] = static_cast<char>('0' + v % 10);
        }
    }
};
inline constexpr DigitTriples kDigitTriples{};

// The Width decimal digits of digits (below 10^Width), most significant
// first.
template <int Width, class Digits = std::uint64_t>
inline void WriteDigits(Digits digits, char* chars)
{
    int i = Width;
    for (; i > 3; i -= 3) {
        std::memcpy(chars + i - 3, kDigitTriples.text[digits % 1000], 3);
        digits /= 1000;
    }
    std::memcpy(chars, kDigitTriples.text[digits] + 3 - i, static_cast<std::size_t>(i));
}

// Moves text into a field of Width characters, blank-padded when shorter.
template <int Width>
inline void MoveText(char* chars, std::string_view text)
{
    if (text.size() >= static_cast<std::size_t>(Width)) {
        std::memcpy(chars, text.data(), Width);
        return;
    }
    std::memset(chars, ' ', Width);
    if (!text.empty()) std::memcpy(chars, text.data(), text.size());
}

constexpr std::uint64_t Power10(int n) { return n == 0 ? 1 : 10 * Power10(n - 1); }

// The digits a store leaves in a field of width digits: the magnitude, its
// decimals beyond the field's cut off (or rounded), its high digits dropped.
std::uint64_t StoredMagnitude(const DecimalAccumulator& value, int decimals, Rounding rounding, int width);

template <int Width>
inline std::uint64_t StoredMagnitude(const DecimalAccumulator& value, int decimals, Rounding rounding)
{
    __int128 mantissa;
    int have;
    // The common case: a few digits on the field's own decimals.
    if (value.Narrow(mantissa, have) && have == decimals && mantissa > -static_cast<__int128>(UINT64_MAX) &&
        mantissa < static_cast<__int128>(UINT64_MAX))
        return static_cast<std::uint64_t>(mantissa < 0 ? -mantissa : mantissa) % Power10(Width);
    return StoredMagnitude(value, decimals, rounding, Width);
}

}  // namespace detail

// The characters are the field's contents. Fields of up to 17 digits also
// keep their value as a number, read once when characters are moved in and
// set by every store; the digit characters of a stored value are written
// when the field's text is next read. This keeps the arithmetic of the
// compute loops off the characters without changing a digit of the result.
template <int IntegerDigits, int Decimals, bool Signed>
class BasicDigitField {
public:
    static constexpr int kWidth = IntegerDigits + Decimals;
    static constexpr int kDecimals = Decimals;
    static_assert(kWidth > 0 && kWidth <= 19, "digit fields hold up to 19 digits");

    // A field without an initial value holds blanks until first written.
    BasicDigitField() { chars_.fill(' '); }
    // An initial value given as its characters ("00000", "066667").
    explicit BasicDigitField(std::string_view initial) { SetText(initial); }

    DecimalAccumulator Value() const
    {
        if constexpr (kCached) {
            const std::int64_t m = mantissa_;
            return DecimalAccumulator::FromDigits(m < 0 ? -static_cast<std::uint64_t>(m) : m, Decimals, m < 0);
        } else {
            const bool negative = Signed && detail::HasNegativeSign(chars_[kWidth - 1]);
            return DecimalAccumulator::FromDigits(detail::DigitsValue<kWidth>(chars_.data()), Decimals, negative);
        }
    }

    // The whole-number reading of an integer field (row numbers, counters).
    std::int64_t AsInteger() const
    {
        static_assert(Decimals == 0);
        return Mantissa();
    }

    // The value in units of the field's last decimal place, signed.
    std::int64_t Mantissa() const
    {
        static_assert(kCached);
        return mantissa_;
    }

    // The value a field that keeps its value holds after StoreMantissa(value).
    static std::int64_t StoredMantissa(std::int64_t value)
    {
        static_assert(kCached);
        constexpr auto kLimit = static_cast<std::int64_t>(detail::Power10(kWidth));
        if ((Signed ? value > -kLimit : value >= 0) && value < kLimit) [[likely]]
            return value;  // no digit to drop
        const std::uint64_t magnitude =
            (value < 0 ? -static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value)) % detail::Power10(kWidth);
        return Signed && value < 0 ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    }

    // Stores a result given in units of the field's last decimal place.
    void StoreMantissa(std::int64_t value)
    {
        if constexpr (kCached) {
            mantissa_ = static_cast<Cache>(StoredMantissa(value));
            stale_ = true;
            return;
        }
        const std::uint64_t magnitude =
            (value < 0 ? -static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value)) % detail::Power10(kWidth);
        SetStored(magnitude, value < 0);
    }

    // Stores the field's own value again (what adding zero does): the
    // digits of a value moved in as characters are then written afresh.
    void Rewrite()
    {
        if constexpr (kCached) {
            // A stored value is always within the field's digits, so a
            // field marked stored is already as a store would leave it.
            if (!stale_) StoreMantissa(mantissa_);
        } else {
            Store(Value());
        }
    }

    // Stores a result: integer digits above the field's width are dropped,
    // decimals beyond its places cut off (or rounded); an unsigned field
    // keeps the magnitude; a signed field carries a negative sign in its
    // last character, and zero is always written positive.
    void Store(const DecimalAccumulator& value, Rounding rounding = Rounding::Truncate)
    {
        SetStored(detail::StoredMagnitude<kWidth>(value, Decimals, rounding), value.IsNegative());
    }

    void StoreInteger(std::int64_t value)
    {
        if constexpr (Decimals == 0 && kCached)
            StoreMantissa(value);  // the same digits: a whole number on a whole-number field
        else
            Store(DecimalAccumulator::Integer(value));
    }

    // Moves characters in unchanged (a copy from a record); a shorter text
    // is padded with blanks.
    void SetText(std::string_view text)
    {
        detail::MoveText<kWidth>(chars_.data(), text);
        if constexpr (kCached) {
            const auto v = static_cast<std::int64_t>(detail::DigitsValue<kWidth>(chars_.data()));
            mantissa_ = static_cast<Cache>(Signed && detail::HasNegativeSign(chars_[kWidth - 1]) ? -v : v);
            stale_ = false;
        }
    }

    std::string_view Text() const
    {
        if constexpr (kCached) {
            if (stale_) WriteChars();
        }
        return {chars_.data(), chars_.size()};
    }

    // Copies the field's kWidth characters to out (the text Text() gives),
    // formatting a stored value straight from its number.
    void CopyText(char* out) const
    {
        if constexpr (kCached) {
            if (stale_) {
                FormatValue(mantissa_, out);
                return;
            }
        }
        std::memcpy(out, chars_.data(), kWidth);
    }

    friend bool operator==(const BasicDigitField& a, const BasicDigitField& b) { return a.Text() == b.Text(); }

private:
    static constexpr bool kCached = kWidth <= 17;

    void SetStored(std::uint64_t magnitude, bool negative)
    {
        const bool negativeSign = Signed && negative && magnitude != 0;
        if constexpr (kCached) {
            mantissa_ = static_cast<Cache>(negativeSign ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude));
            stale_ = true;
        } else {
            detail::WriteDigits<kWidth>(magnitude, chars_.data());
            if (negativeSign) chars_[kWidth - 1] = static_cast<char>(chars_[kWidth - 1] | 0x40);
        }
    }

    // m is a stored value: every store leaves it within the field's digits.
    static void FormatValue(std::int64_t m, char* out)
    {
        const std::uint64_t magnitude = Signed && m < 0 ? -static_cast<std::uint64_t>(m) : static_cast<std::uint64_t>(m);
        if constexpr (kWidth <= 9)
            detail::WriteDigits<kWidth>(static_cast<std::uint32_t>(magnitude), out);  // kept in 32 bits
        else
            detail::WriteDigits<kWidth>(magnitude, out);
        if (Signed && m < 0) out[kWidth - 1] = static_cast<char>(out[kWidth - 1] | 0x40);
    }

    void WriteChars() const
    {
        FormatValue(mantissa_, chars_.data());
        stale_ = false;
    }

    // Narrow fields keep their value in 32 bits, so that a table row stays small.
    using Cache = std::conditional_t<(kWidth <= 9), std::int32_t, std::int64_t>;
    mutable std::array<char, kWidth> chars_;
    mutable bool stale_ = false;
    Cache mantissa_ = 0;
};

// Characters moved in and out unchanged (dates, flags): no number is read.
template <int Width>
class TextField {
public:
    TextField() { chars_.fill(' '); }
    explicit TextField(std::string_view initial) { SetText(initial); }
    void SetText(std::string_view text) { detail::MoveText<Width>(chars_.data(), text); }
    std::string_view Text() const { return {chars_.data(), chars_.size()}; }
    void CopyText(char* out) const { std::memcpy(out, chars_.data(), Width); }

private:
    std::array<char, Width> chars_;
};

template <int IntegerDigits, int Decimals = 0>
using DigitField = BasicDigitField<IntegerDigits, Decimals, false>;

template <int IntegerDigits, int Decimals = 0>
using SignedDigitField = BasicDigitField<IntegerDigits, Decimals, true>;

namespace detail {
// Fields on the same decimal places whose sums fit in 64 bits take a direct
// route; the result is the same as through the accumulator.
template <class... Fields>
constexpr bool kSameScale = ((Fields::kDecimals == std::tuple_element_t<0, std::tuple<Fields...>>::kDecimals) && ...) &&
                            ((Fields::kWidth <= 17) && ...);  // fields that keep their value
}  // namespace detail

// Adds 1 with a carry from digit to digit; all nines become all zeros.
template <class Field>
void DigitIncrement(Field& field)
{
    if constexpr (Field::kDecimals == 0 && Field::kWidth <= 17)
        field.StoreMantissa(field.Mantissa() + 1);
    else
        field.Store(field.Value() + DecimalAccumulator::Integer(1));
}

// The sum of two fields, written into the target's width (a carry out of
// the top digit is dropped).
template <class Target, class A, class B>
void DigitAdd(Target& target, const A& a, const B& b)
{
    if constexpr (detail::kSameScale<Target, A, B>)
        target.StoreMantissa(a.Mantissa() + b.Mantissa());
    else
        target.Store(a.Value() + b.Value());
}

// The difference a - b: signed into a signed target, as a magnitude into
// an unsigned one.
template <class Target, class A, class B>
void DigitSubtract(Target& target, const A& a, const B& b)
{
    if constexpr (detail::kSameScale<Target, A, B>)
        target.StoreMantissa(a.Mantissa() - b.Mantissa());
    else
        target.Store(a.Value() - b.Value());
}

// Numeric comparison of two fields: negative, zero or positive.
template <class A, class B>
int CompareFields(const A& a, const B& b)
{
    if constexpr (detail::kSameScale<A, B>) {
        const auto x = a.Mantissa(), y = b.Mantissa();
        return x < y ? -1 : x > y ? 1 : 0;
    } else {
        const auto order = a.Value() <=> b.Value();
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
}

// Packed decimal: two digits a byte, high nibble first; the low nibble of
// the last byte is the sign (B or D negative, anything else positive).
// A digit nibble above 9 is taken at its value, like a digit character's
// low four bits.
DecimalAccumulator PackedDecimalValue(const unsigned char* bytes, int length);

}  // namespace batch
