// One computed week: the window set-up and the measures of its eleven rows.
#include "MainIndicators.hpp"

namespace mvr {

using batch::DecimalAccumulator;
using batch::Rounding;

namespace {

DecimalAccumulator Hundred() { return DecimalAccumulator::Integer(100); }

WeekRow& Row(MainIndicatorsRun& run, const DigitField<5>& index) { return run.weeks.At(index); }

}  // namespace

void ComputeWeek(MainIndicatorsRun& run)
{
    batch::SetUpWindow(run.window, run.weeks, batch::NeighbourRows::Kept);
    SumNetChange(run);
    OverlapPercent(run);
    BodyPercent(run);
    WindowExtremes(run);
    SmoothSeries(run);
    WriteIndicatorLine(run);
}

void SumNetChange(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    m.netChangeSum.StoreInteger(0);
    const auto last = run.window.windowEnd.AsInteger();
    for (auto scanRow = run.window.rowCounter.AsInteger(); scanRow <= last; ++scanRow)
        batch::DigitAdd(m.netChangeSum, m.netChangeSum, run.weeks.At(scanRow).netChange);
}

void OverlapPercent(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const WeekRow& c = Row(run, run.window.windowEnd);
    const WeekRow& p = Row(run, run.window.previousRow);
    const auto hc = c.high.Value(), lc = c.low.Value(), hp = p.high.Value(), lp = p.low.Value();
    const DecimalAccumulator span = hc - lc;
    const auto storeQuotient = [&](const DecimalAccumulator& overlap) {
        const DecimalAccumulator q = batch::Divide(overlap, span) * 100;
        if (q >= DecimalAccumulator::Integer(1000))
            m.overlapTenths.Store(Hundred());  // too large for the field
        else
            m.overlapTenths.Store(q);
    };
    m.overlapTenths.StoreInteger(0);
    if (lc >= lp) storeQuotient(hp - lc);
    if (hc <= hp) storeQuotient(hc - lp);
    if (hc > hp && lc < lp) storeQuotient(hp - lp);
    // Half a percent added, then held to 0..100. The sum is limited before
    // it is stored, so 999.5 and above show 100 rather than wrapping to 0.
    DecimalAccumulator rounded = m.overlapTenths.Value() + DecimalAccumulator::FromDigits(5, 1, false);
    if (rounded < DecimalAccumulator{})
        rounded = DecimalAccumulator{};
    else if (rounded > Hundred())
        rounded = Hundred();
    m.overlapTenths.Store(rounded);
}

void BodyPercent(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const WeekRow& c = Row(run, run.window.windowEnd);
    SignedDigitField<6> difference;
    DigitField<6> span;
    batch::DigitSubtract(difference, c.close, c.open);
    batch::DigitSubtract(span, c.high, c.low);
    m.bodyWork.Store(batch::Divide(difference.Value(), span.Value()) * 100, Rounding::HalfUp);
    m.bodyPct.Store(m.bodyWork.Value());
    if (m.bodyPct.AsInteger() == 100) m.bodyPct.StoreInteger(99);
    if (m.bodyPct.AsInteger() == -100) m.bodyPct.StoreInteger(-99);
}

void WindowExtremes(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const auto last = run.window.windowEnd.AsInteger();
    // Only a strictly higher high (lower low) replaces the extreme so far.
    m.highestHigh.StoreMantissa(Row(run, run.window.rowCounter).high.Mantissa());
    for (auto scanRow = run.window.nextRow.AsInteger(); scanRow <= last; ++scanRow) {
        const auto& high = run.weeks.At(scanRow).high;
        if (batch::CompareFields(high, m.highestHigh) > 0) m.highestHigh.StoreMantissa(high.Mantissa());
    }
    m.lowestLow.StoreMantissa(Row(run, run.window.rowCounter).low.Mantissa());
    for (auto scanRow = run.window.nextRow.AsInteger(); scanRow <= last; ++scanRow) {
        const auto& low = run.weeks.At(scanRow).low;
        if (batch::CompareFields(low, m.lowestLow) < 0) m.lowestLow.StoreMantissa(low.Mantissa());
    }
    batch::DigitSubtract(m.windowRange, m.highestHigh, m.lowestLow);
    RangeRatio(run);
}

void RangeRatio(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const auto last = run.window.windowEnd.AsInteger();
    m.rangeSum.StoreInteger(0);
    for (auto rangeRow = run.window.rowCounter.AsInteger(); rangeRow <= last; ++rangeRow)
        batch::DigitAdd(m.rangeSum, m.rangeSum, run.weeks.At(rangeRow).range);
    m.rangeRatioWork.Store(batch::Divide(m.windowRange.Value(), m.rangeSum.Value()) * 100);
    m.rangeRatioPct.Store(m.rangeRatioWork.Value(), Rounding::HalfUp);
}

void ClosePosition(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const WeekRow& c = Row(run, run.window.windowEnd);
    batch::DigitSubtract(m.weekSpan, c.high, c.low);
    batch::DigitSubtract(m.closeAboveLow, c.close, c.low);
    m.closePosWork.Store(batch::Divide(m.closeAboveLow.Value(), m.weekSpan.Value()) * 100);
    m.closePosPct.Store(m.closePosWork.Value(), Rounding::HalfUp);
}

}  // namespace mvr
