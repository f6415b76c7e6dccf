// The smoothed stochastic of the current week, its week flags and streaks.
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
    const auto lowest = run.measures.lowestLow.Value();

    batch::DigitSubtract(m.offsetHigh, c.high, run.measures.lowestLow);
    batch::DigitSubtract(m.offsetLow, c.low, run.measures.lowestLow);
    batch::DigitSubtract(m.offsetClose, c.close, run.measures.lowestLow);
    m.offsetSpan.Store(run.measures.highestHigh.Value() - lowest);

    const std::array<const DigitField<4>*, 3> offsets{&m.offsetHigh, &m.offsetLow, &m.offsetClose};
    for (int k = 0; k < 3; ++k) m.r[k].Store(batch::Divide(offsets[k]->Value(), m.offsetSpan.Value()) * 100);
    m.roundedR3.Store(m.r[2].Value(), Rounding::HalfUp);

    // One third of the new value and two thirds of last week's; the second
    // three smooth this week's first three as just stored.
    const auto newWeight = m.newWeight.Value(), previousWeight = m.previousWeight.Value();
    for (int k = 0; k < 3; ++k) m.s[k].Store(m.prev[k].Value() * previousWeight + m.r[k].Value() * newWeight);
    for (int k = 3; k < 6; ++k) m.s[k].Store(m.prev[k].Value() * previousWeight + m.s[k - 3].Value() * newWeight);

    for (int k = 0; k < 3; ++k) m.q[k].Store(batch::Divide(m.prev[k].Value(), m.s[k].Value()) * 100, Rounding::HalfUp);

    CompareWeeks(run);
    m.prev = m.s;

    for (int k = 0; k < 6; ++k) m.w[k].Store(m.s[k].Value(), Rounding::HalfUp);
    for (int k = 0; k < 3; ++k) batch::DigitSubtract(m.d[k], m.w[k], m.w[k + 3]);
    m.firstSum.Store(m.w[0].Value() + m.w[1].Value() + m.w[2].Value());
    m.secondSum.Store(m.w[3].Value() + m.w[4].Value() + m.w[5].Value());
    m.diffSum.Store(m.d[0].Value() + m.d[1].Value() + m.d[2].Value());
    m.diffPair.Store(m.d[0].Value() + m.d[1].Value());

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
    // w1 above 76.50 (US) or 85.00 (TY); w2 below 20.00 for both.
    const auto highThreshold = DecimalAccumulator::FromDigits(run.market == batch::Market::Notes ? 8500 : 7650, 2, false);
    const auto lowThreshold = DecimalAccumulator::FromDigits(2000, 2, false);
    if (m.w[0].Value() > highThreshold)
        batch::DigitIncrement(m.highStreak);
    else
        m.highStreak.SetText("00");
    if (m.w[1].Value() < lowThreshold)
        batch::DigitIncrement(m.lowStreak);
    else
        m.lowStreak.SetText("00");
}

}  // namespace mvr
