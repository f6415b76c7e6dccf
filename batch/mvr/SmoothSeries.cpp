// The smoothed stochastic of the current week, its week flags and streaks.
#include "ExactStores.hpp"
#include "MainIndicators.hpp"

namespace mvr {

using batch::DecimalAccumulator;
using batch::Rounding;

namespace {

template <class Field>
char Compare(const Field& current, const Field& previous)
{
    const int order = batch::CompareFields(current, previous);
    return order > 0 ? 'H' : order < 0 ? 'L' : 'E';
}

}  // namespace

void SmoothSeries(MainIndicatorsRun& run)
{
    auto& m = run.smoothed;
    const WeekRow& c = run.weeks.At(run.window.windowEnd);

    batch::DigitSubtract(m.offsetHigh, c.high, run.measures.lowestLow);
    batch::DigitSubtract(m.offsetLow, c.low, run.measures.lowestLow);
    batch::DigitSubtract(m.offsetClose, c.close, run.measures.lowestLow);
    batch::DigitSubtract(m.offsetSpan, run.measures.highestHigh, run.measures.lowestLow);

    const std::array<const DigitField<4>*, 3> offsets{&m.offsetHigh, &m.offsetLow, &m.offsetClose};
    for (int k = 0; k < 3; ++k) batch::StorePercent(m.r[k], *offsets[k], m.offsetSpan);
    batch::StoreFrom(m.roundedR3, m.r[2], Rounding::HalfUp);

    // One third of the new value and two thirds of last week's; the second
    // three smooth this week's first three as just stored.
    for (int k = 0; k < 3; ++k) batch::StoreSumOfProducts(m.s[k], m.prev[k], m.previousWeight, m.r[k], m.newWeight);
    for (int k = 3; k < 6; ++k) batch::StoreSumOfProducts(m.s[k], m.prev[k], m.previousWeight, m.s[k - 3], m.newWeight);

    for (int k = 0; k < 3; ++k) batch::StorePercent(m.q[k], m.prev[k], m.s[k], Rounding::HalfUp);

    CompareWeeks(run);
    m.prev = m.s;

    for (int k = 0; k < 6; ++k) batch::StoreFrom(m.w[k], m.s[k], Rounding::HalfUp);
    for (int k = 0; k < 3; ++k) batch::DigitSubtract(m.d[k], m.w[k], m.w[k + 3]);
    batch::StoreSum(m.firstSum, m.w[0], m.w[1], m.w[2]);
    batch::StoreSum(m.secondSum, m.w[3], m.w[4], m.w[5]);
    batch::StoreSum(m.diffSum, m.d[0], m.d[1], m.d[2]);
    batch::StoreSum(m.diffPair, m.d[0], m.d[1]);

    if (run.market != batch::Market::Other) CountStreaks(run);
    ClosePosition(run);
}

void CompareWeeks(MainIndicatorsRun& run)
{
    auto& m = run.smoothed;
    const WeekRow& c = run.weeks.At(run.window.windowEnd);
    const WeekRow& p = run.weeks.At(run.window.previousRow);
    m.weekFlags[0] = Compare(c.high, p.high);
    m.weekFlags[1] = Compare(c.low, p.low);
    m.weekFlags[2] = Compare(c.close, p.close);
    m.weekFlags[3] = Compare(m.s[2], m.prev[2]);
    m.weekFlags[4] = Compare(m.s[5], m.prev[5]);
}

void CountStreaks(MainIndicatorsRun& run)
{
    auto& m = run.smoothed;
    // w1 above 76.50 (US) or 85.00 (TY); w2 below 20.00 for both (hundredths).
    const std::int64_t highThreshold = run.market == batch::Market::Notes ? 8500 : 7650;
    if (m.w[0].Mantissa() > highThreshold)
        batch::DigitIncrement(m.highStreak);
    else
        m.highStreak.SetText("00");
    if (m.w[1].Mantissa() < 2000)
        batch::DigitIncrement(m.lowStreak);
    else
        m.lowStreak.SetText("00");
}

}  // namespace mvr
