// The price file's integrity: a check value on every line, and the market's
// signature in the open of row 100.
#include "MainIndicators.hpp"

namespace mvr {

using batch::Columns;
using batch::DecimalAccumulator;

std::uint64_t LineCheckNumber(std::string_view line)
{
    // A digit reads as its character's low four bits, so a price is below
    // 16 x 111111 and the sum S of the four products below 2^49: all exact
    // in 64 bits. S x 9357428 is taken modulo 10^18 from S's two halves,
    // S = h 10^9 + l: (h x 9357428 mod 10^9) x 10^9 + l x 9357428 < 2^63.
    constexpr std::uint64_t kFactor = 9357428, kE9 = 1000000000, kE18 = kE9 * kE9;
    char padded[35];
    if (line.size() < sizeof padded) {  // a short line reads as blank-padded
        batch::detail::MoveText<35>(padded, line);
        line = {padded, sizeof padded};
    }
    const auto price = [&](int column) { return batch::detail::DigitsValue<6>(line.data() + column - 1); };
    const std::uint64_t sum = price(9) * (9652 * 5719) + price(16) * (8753 * 8367) + price(23) * (7645 * 4928) +
                              price(30) * (4981 * 7531);
    return ((sum / kE9 * kFactor) % kE9 * kE9 + sum % kE9 * kFactor) % kE18;
}

DigitField<18> LineCheckValue(std::string_view line)
{
    DigitField<18> work{"000000000000000000"};
    work.StoreMantissa(static_cast<std::int64_t>(LineCheckNumber(line)));
    return work;
}

DigitField<18> LineCheckValueGeneral(std::string_view line)
{
    DigitField<6> open, high, low, close;
    open.SetText(Columns(line, 9, 14));
    high.SetText(Columns(line, 16, 21));
    low.SetText(Columns(line, 23, 28));
    close.SetText(Columns(line, 30, 35));
    // Each product left to right, the four added in order, the sum times
    // 9357428 last; the 18-digit field keeps V modulo 10^18.
    const DecimalAccumulator v = (open.Value() * 9652 * 5719 + high.Value() * 8753 * 8367 +
                                  low.Value() * 7645 * 4928 + close.Value() * 4981 * 7531) *
                                 9357428;
    DigitField<18> work{"000000000000000000"};
    work.Store(v);
    return work;
}

void CheckLineValue(MainIndicatorsRun& run)
{
    const std::string_view line = run.reader->InputLine();
    // Columns 44-53 hold 19 packed digits and a sign; the value read from
    // them matches when it is the check value, a zero of either sign
    // matching zero.
    const auto* packed = reinterpret_cast<const unsigned char*>(line.data() + 43);
    std::uint64_t stored = 0;
    for (int i = 0; i < 10; ++i) {
        stored = stored * 10 + (packed[i] >> 4);
        if (i < 9) stored = stored * 10 + (packed[i] & 0x0F);
    }
    const int sign = packed[9] & 0x0F;
    const bool negative = sign == 0xB || sign == 0xD;
    if (stored == LineCheckNumber(line) && (!negative || stored == 0)) return;
    run.messages.WriteFailureBlock(run.fileMessage.Text(batch::FailureReason::Corrupted));
    FinishRun(run);
}

void CheckRow100(MainIndicatorsRun& run)
{
    std::string signature = "00";
    signature += run.marketSignature.Text();
    if (run.weeks.At(100).open.Text() == signature) return;
    run.messages.WriteFailureBlock(run.fileMessage.Text(batch::FailureReason::Corrupted));
    FinishRun(run);
}

}  // namespace mvr
