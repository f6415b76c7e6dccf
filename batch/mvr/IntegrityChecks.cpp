// The price file's integrity: a check value on every line, and the market's
// signature in the open of row 100.
#include "MainIndicators.hpp"

namespace mvr {

using batch::Columns;
using batch::DecimalAccumulator;

DigitField<18> LineCheckValue(std::string_view line)
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
    const auto stored = Columns(line, 44, 53);
    const auto expected = batch::PackedDecimalValue(reinterpret_cast<const unsigned char*>(stored.data()), 10);
    if (LineCheckValue(line).Value() == expected) return;
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
