// KQ4, the chaos indicator program: weekly price lines in, one chaos line
// per bar from the eleventh on out ("FK.KQ4"), and the run messages
// ("MESSAGES.KQ4").
#pragma once

#include "DigitField.hpp"
#include "LineFile.hpp"
#include "MessageFile.hpp"
#include "PriceReader.hpp"
#include "Window.hpp"

#include <array>
#include <cstdint>
#include <optional>

namespace kq4 {

using batch::DigitField;
using batch::SignedDigitField;

constexpr int kChaosLineLength = 77;
constexpr int kChaosRecordLength = 93;
constexpr int kMeans = 11;  // F1 .. F11 of a chaos row

// One weekly bar as KQ4 keeps it: no open, no flags, no check value.
struct PriceBar {
    batch::TextField<7> date;
    DigitField<6> high, low, close;       // P1, P2, P3
    SignedDigitField<6> rollAdjustment;   // P4
    SignedDigitField<6> closeMove;        // V, set in the bar's own step

    static constexpr auto kAdjustedPrices = std::array{&PriceBar::high, &PriceBar::low, &PriceBar::close};
    static constexpr auto kRollAdjustment = &PriceBar::rollAdjustment;
};

using BarTable = batch::RowTable<PriceBar>;

// F1 the efficiency ratio, F3..F11 its means over 3..11 bars, F2 the mean
// of those means.
struct ChaosRow {
    std::array<DigitField<3>, kMeans> fields;
    DigitField<3>& F(int k) { return fields[static_cast<std::size_t>(k - 1)]; }
    const DigitField<3>& F(int k) const { return fields[static_cast<std::size_t>(k - 1)]; }
};

// A bar's step writes its chaos row whole, then reads back F1 of the ten
// bars before it: sixteen rows round robin hold all a step needs.
using ChaosTable = batch::RecentRows<ChaosRow, 16>;

// Work fields of the ratio and its means.
struct ChaosWork {
    DigitField<1> ratioSpan{"3"};
    DigitField<6> previousBar{"000000"};  // the bar before the current one
    DigitField<6> moveBar{"000000"};
    DigitField<6> sumOfMoves{"000000"};
    SignedDigitField<6> netMove{"000000"};
    SignedDigitField<3, 4> ratioWork{"0000000"};
    DigitField<4> meanSum{"0000"};
    DigitField<5> meanBar{"00000"};
    // The sums of F1 over the last k bars up to summedBar (k = 1..11),
    // whole, carried from one bar's step to the next.
    std::int64_t summedBar = 0;
    std::array<std::int64_t, kMeans + 1> ratioSums{};
};

struct RunCounters {
    DigitField<3> c1{"000"}, c2{"000"}, c3{"000"}, c4{"000"};
    DigitField<3> aux{"000"};
    DigitField<3> c5{"000"}, c6{"000"}, c7{"000"}, c8{"000"};
    DigitField<3> x{"999"};  // the last F11 above zero
};

// The program's whole working record.
struct ChaosIndicatorsRun {
    batch::SystemIniRecord systemIni;
    batch::Market market = batch::Market::Other;
    std::optional<batch::PriceReader> reader;  // only for "US" and "TY"
    batch::FileMessage fileMessage;
    batch::MessageFile messages{"KQ4"};
    batch::LineFile chaosFile{"FK.KQ4", kChaosRecordLength};

    batch::WindowCounters window;
    BarTable bars;
    ChaosTable chaos;
    ChaosWork work;
    RunCounters counters;
};

// The whole run on a fresh working record; ends through StopRun or a fatal
// error (batch::RunEnded).
void RunChaosIndicators();
// The same on a record the caller provides (fresh, default-constructed), so
// tests can look at the tables afterwards.
void RunChaosIndicators(ChaosIndicatorsRun& run);

// Steps of the run, exposed for the tests.
void ReadMarketCode(ChaosIndicatorsRun& run);
void OpenPriceFile(ChaosIndicatorsRun& run);
void LoadStep(ChaosIndicatorsRun& run);
void StoreBar(ChaosIndicatorsRun& run);
void PerBarStep(ChaosIndicatorsRun& run);
void ComputeChaosValues(ChaosIndicatorsRun& run);
// The sums of F1 over the last 1..11 bars up to bar e, into run.work.
void SumRatios(ChaosIndicatorsRun& run, std::int64_t e);
void CountRuns(ChaosIndicatorsRun& run);
// The chaos record (kChaosRecordLength characters) of the current bar.
void BuildChaosLine(ChaosIndicatorsRun& run, char* line);
void WriteChaosLine(ChaosIndicatorsRun& run);
// Closes the price file and the outputs (each output's close tested).
void CloseFiles(ChaosIndicatorsRun& run);
// CloseFiles, then StopRun.
[[noreturn]] void FinishRun(ChaosIndicatorsRun& run);

}  // namespace kq4
