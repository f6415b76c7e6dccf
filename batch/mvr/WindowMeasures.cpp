// One computed week: the window set-up and the measures of its eleven rows.
#include "ExactStores.hpp"
#include "MainIndicators.hpp"

#include <algorithm>

namespace mvr {

using batch::DecimalAccumulator;
using batch::Rounding;

namespace {

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
    using Sum = decltype(m.netChangeSum);
    // Each addition stored in turn, as the field would keep it.
    std::int64_t sum = 0;
    const auto first = run.window.rowCounter.AsInteger(), last = run.window.windowEnd.AsInteger();
    if (first <= last) {
        const WeekRow* row = run.weeks.Span(first, last);
        for (auto n = first; n <= last; ++n, ++row) sum = Sum::StoredMantissa(sum + row->netChange.Mantissa());
    }
    m.netChangeSum.StoreMantissa(sum);
}

void OverlapPercent(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const WeekRow& c = Row(run, run.window.windowEnd);
    const WeekRow& p = Row(run, run.window.previousRow);
    const std::int64_t hc = c.high.Mantissa(), lc = c.low.Mantissa(), hp = p.high.Mantissa(), lp = p.low.Mantissa();
    const std::int64_t span = hc - lc;
    const auto storeQuotient = [&](std::int64_t overlap) {
        // The percentage reaches 1000 exactly when the quotient is positive
        // and at least 10: then the field, too small for it, takes 100.
        const bool tooLarge = span != 0 && overlap != 0 && (overlap < 0) == (span < 0) &&
                              batch::detail::Magnitude(overlap) >= 10 * batch::detail::Magnitude(span);
        if (tooLarge)
            m.overlapTenths.StoreMantissa(1000);
        else
            batch::StorePercent(m.overlapTenths, overlap, 0, span, 0, Rounding::Truncate);
    };
    m.overlapTenths.StoreMantissa(0);
    if (lc >= lp) storeQuotient(hp - lc);
    if (hc <= hp) storeQuotient(hc - lp);
    if (hc > hp && lc < lp) storeQuotient(hp - lp);
    // Half a percent added, then held to 0..100. The sum is limited before
    // it is stored, so 999.5 and above show 100 rather than wrapping to 0.
    std::int64_t rounded = m.overlapTenths.Mantissa() + 5;  // in tenths
    if (rounded < 0)
        rounded = 0;
    else if (rounded > 1000)
        rounded = 1000;
    m.overlapTenths.StoreMantissa(rounded);
}

void BodyPercent(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const WeekRow& c = Row(run, run.window.windowEnd);
    SignedDigitField<6> difference;
    DigitField<6> span;
    batch::DigitSubtract(difference, c.close, c.open);
    batch::DigitSubtract(span, c.high, c.low);
    batch::StorePercent(m.bodyWork, difference, span, Rounding::HalfUp);
    batch::StoreFrom(m.bodyPct, m.bodyWork);
    if (m.bodyPct.AsInteger() == 100) m.bodyPct.StoreInteger(99);
    if (m.bodyPct.AsInteger() == -100) m.bodyPct.StoreInteger(-99);
}

void WindowExtremes(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const auto last = run.window.windowEnd.AsInteger();
    // Only a strictly higher high (lower low) replaces the extreme so far,
    // compared with the extreme as its field keeps it.
    using Extreme = decltype(m.highestHigh);
    const WeekRow& firstRow = Row(run, run.window.rowCounter);
    std::int64_t highest = Extreme::StoredMantissa(firstRow.high.Mantissa());
    std::int64_t lowest = Extreme::StoredMantissa(firstRow.low.Mantissa());
    const auto next = run.window.nextRow.AsInteger();
    if (next <= last) {
        const WeekRow* rows = run.weeks.Span(next, last);
        const auto count = last - next + 1;
        // Prices within six digits, as nearly all are: plain maximum and
        // minimum. A price read with more (digit characters above 9) is
        // compared as read but kept cut to six digits, so it takes the
        // exact steps.
        constexpr std::int64_t kLimit = 1000000;
        bool wide = highest >= kLimit || lowest >= kLimit;
        for (auto n = 0; n < count; ++n) wide |= (rows[n].high.Mantissa() >= kLimit) | (rows[n].low.Mantissa() >= kLimit);
        if (!wide) {
            for (auto n = 0; n < count; ++n) highest = std::max<std::int64_t>(highest, rows[n].high.Mantissa());
            for (auto n = 0; n < count; ++n) lowest = std::min<std::int64_t>(lowest, rows[n].low.Mantissa());
        } else {
            for (auto n = 0; n < count; ++n)
                if (rows[n].high.Mantissa() > highest) highest = Extreme::StoredMantissa(rows[n].high.Mantissa());
            for (auto n = 0; n < count; ++n)
                if (rows[n].low.Mantissa() < lowest) lowest = Extreme::StoredMantissa(rows[n].low.Mantissa());
        }
    }
    m.highestHigh.StoreMantissa(highest);
    m.lowestLow.StoreMantissa(lowest);
    batch::DigitSubtract(m.windowRange, m.highestHigh, m.lowestLow);
    RangeRatio(run);
}

void RangeRatio(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const auto last = run.window.windowEnd.AsInteger();
    using Sum = decltype(m.rangeSum);
    std::int64_t sum = 0;  // each addition stored in turn, as the field would keep it
    const auto first = run.window.rowCounter.AsInteger();
    if (first <= last) {
        const WeekRow* row = run.weeks.Span(first, last);
        for (auto n = first; n <= last; ++n, ++row) sum = Sum::StoredMantissa(sum + row->range.Mantissa());
    }
    m.rangeSum.StoreMantissa(sum);
    batch::StorePercent(m.rangeRatioWork, m.windowRange, m.rangeSum);
    batch::StoreFrom(m.rangeRatioPct, m.rangeRatioWork, Rounding::HalfUp);
}

void ClosePosition(MainIndicatorsRun& run)
{
    auto& m = run.measures;
    const WeekRow& c = Row(run, run.window.windowEnd);
    batch::DigitSubtract(m.weekSpan, c.high, c.low);
    batch::DigitSubtract(m.closeAboveLow, c.close, c.low);
    batch::StorePercent(m.closePosWork, m.closeAboveLow, m.weekSpan);
    batch::StoreFrom(m.closePosPct, m.closePosWork, Rounding::HalfUp);
}

}  // namespace mvr
