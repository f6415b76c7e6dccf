// MVR, the main indicator program: weekly price lines in, one indicator
// line per week from the eleventh on out ("FK.MVR"), the run-count line
// ("REPORT69.MVR") and the run messages ("MESSAGES.MVR").
#pragma once

#include "DigitField.hpp"
#include "LineFile.hpp"
#include "MessageFile.hpp"
#include "PriceReader.hpp"
#include "Window.hpp"

#include <array>
#include <memory>
#include <string>

namespace mvr {

using batch::DigitField;
using batch::SignedDigitField;

constexpr int kIndicatorLineLength = 190;
constexpr int kLineBufferLength = 157;
constexpr int kRunCountLineLength = 80;

struct WeekRow {
    batch::TextField<7> date;
    batch::TextField<1> firstFlag;
    DigitField<6> open, high, low, close;
    DigitField<6> range;               // high - low of the line as read
    SignedDigitField<6> netChange;     // from the lines as read
    SignedDigitField<6> rollAdjustment;
    batch::TextField<1> secondFlag;

    static constexpr auto kAdjustedPrices = std::array{&WeekRow::open, &WeekRow::high, &WeekRow::low, &WeekRow::close};
    static constexpr auto kRollAdjustment = &WeekRow::rollAdjustment;
};

using WeekTable = batch::RowTable<WeekRow>;

// The measures of one week's window.
struct WindowMeasures {
    SignedDigitField<6> netChangeSum{"000000"};
    SignedDigitField<3, 1> overlapTenths{"0000"};
    SignedDigitField<6, 5> bodyWork{"00000000000"};
    SignedDigitField<3> bodyPct{"000"};
    DigitField<6> highestHigh{"000000"}, lowestLow{"000000"}, windowRange{"000000"}, rangeSum{"000000"};
    DigitField<3, 4> rangeRatioWork{"0000000"};
    DigitField<3> rangeRatioPct{"000"};
    DigitField<6> weekSpan{"000000"}, closeAboveLow{"000000"};
    DigitField<3, 4> closePosWork{"0000000"};
    DigitField<3> closePosPct{"000"};
};

// The smoothed stochastic, its flags and streaks.
struct SmoothedMeasures {
    DigitField<4> offsetHigh{"0000"}, offsetLow{"0000"}, offsetClose{"0000"}, offsetSpan{"0000"};
    std::array<DigitField<3, 6>, 3> r{DigitField<3, 6>{"000000000"}, DigitField<3, 6>{"000000000"},
                                      DigitField<3, 6>{"000000000"}};
    DigitField<3> roundedR3{"000"};
    DigitField<1, 5> newWeight{"033333"}, previousWeight{"066667"};
    std::array<DigitField<3, 4>, 6> s{};     // s1..s6
    std::array<DigitField<3, 4>, 6> prev{};  // last week's s1..s6 (the seeds at first)
    std::array<DigitField<4>, 3> q{};
    std::array<DigitField<2, 2>, 6> w{};
    std::array<SignedDigitField<2, 2>, 3> d{};
    DigitField<3, 2> firstSum{"00000"}, secondSum{"00000"};
    SignedDigitField<2, 2> diffSum{"0000"}, diffPair{"0000"};
    std::array<char, 5> weekFlags{' ', ' ', ' ', ' ', ' '};
    DigitField<2> highStreak{"00"}, lowStreak{"00"};
};

// The program's whole working record.
struct MainIndicatorsRun {
    batch::SystemIniRecord systemIni;
    batch::Market market = batch::Market::Other;
    std::unique_ptr<batch::PriceReader> reader;  // the market's price file
    batch::FileMessage fileMessage;
    batch::MessageFile messages{"MVR"};
    batch::LineFile indicatorFile{"FK.MVR", kIndicatorLineLength};
    batch::LineFile runCountFile{"REPORT69.MVR", kRunCountLineLength};

    DigitField<4> marketSignature{"0000"};
    DigitField<6> previousClose;
    batch::WindowCounters window;
    WeekTable weeks;
    WindowMeasures measures;
    SmoothedMeasures smoothed;
};

// The whole run; ends through StopRun or a fatal error (batch::RunEnded).
void RunMainIndicators();

// Steps of the run, exposed for the tests.
void ReadMarketCode(MainIndicatorsRun& run);
void SetUpMarket(MainIndicatorsRun& run);
void LoadStep(MainIndicatorsRun& run);
void StoreWeekRow(MainIndicatorsRun& run);
void CheckLineValue(MainIndicatorsRun& run);
void CheckRow100(MainIndicatorsRun& run);
void ComputeWeek(MainIndicatorsRun& run);
void SumNetChange(MainIndicatorsRun& run);
void OverlapPercent(MainIndicatorsRun& run);
void BodyPercent(MainIndicatorsRun& run);
void WindowExtremes(MainIndicatorsRun& run);
void RangeRatio(MainIndicatorsRun& run);
void ClosePosition(MainIndicatorsRun& run);
void SmoothSeries(MainIndicatorsRun& run);
void CompareWeeks(MainIndicatorsRun& run);
void CountStreaks(MainIndicatorsRun& run);
// Formats the indicator line into line (kIndicatorLineLength characters).
void BuildIndicatorLine(MainIndicatorsRun& run, char* line);
void WriteIndicatorLine(MainIndicatorsRun& run);
std::string BuildRunCountLine(const DigitField<5>& recordCount);
void WriteRunCountLine(MainIndicatorsRun& run);
// Closes the price file and the outputs (each output's close tested).
void CloseFiles(MainIndicatorsRun& run);
// CloseFiles, then StopRun.
[[noreturn]] void FinishRun(MainIndicatorsRun& run);

// The check value of a line's prices as the work field keeps it: V modulo
// 10^18, V = (O*9652*5719 + H*8753*8367 + L*7645*4928 + C*4981*7531) * 9357428.
DigitField<18> LineCheckValue(std::string_view inputLine);
// The same number, and the same through the general decimal path.
std::uint64_t LineCheckNumber(std::string_view inputLine);
DigitField<18> LineCheckValueGeneral(std::string_view inputLine);

}  // namespace mvr
