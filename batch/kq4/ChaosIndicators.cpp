#include "ChaosIndicators.hpp"

#include "ExactStores.hpp"
#include "RunControl.hpp"

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

namespace kq4 {

using batch::DecimalAccumulator;

namespace {

// (sum x 10 div divisor + 5) div 10, both divisions whole-number: the mean
// rounded half up, as the means and their mean are formed.
inline std::int64_t RoundedMean(std::int64_t sum, std::int64_t divisor) { return (sum * 10 / divisor + 5) / 10; }

// F3..F11 from the sums of F1, each sum as the four-digit sum field keeps
// it; the field itself is left at zero, as after the last mean.
template <int... K>
void StoreMeans(ChaosRow& row, ChaosWork& work, std::int64_t e, std::integer_sequence<int, K...>)
{
    using Sum = decltype(work.meanSum);
    const auto mean = [&]<int k>() {
        if constexpr (k >= 3) {
            const std::int64_t sum = e > 10 + k ? Sum::StoredMantissa(work.ratioSums[k]) : 0;
            row.F(k).StoreMantissa(RoundedMean(sum, k));
        }
    };
    (mean.template operator()<K>(), ...);
    work.meanSum.StoreMantissa(0);
}

void ReadPriceLine(ChaosIndicatorsRun& run)
{
    batch::ReadPriceLineOrReportEmpty(*run.reader, run.messages, run.fileMessage, [&run] { FinishRun(run); });
}


}  // namespace

void ReadMarketCode(ChaosIndicatorsRun& run)
{
    // "SYSTEM.INI" has no status of its own here: every failure is fatal.
    batch::ReadSystemIni(run.systemIni, batch::SystemIniFailure::Fatal);
    run.market = batch::MarketOf(run.systemIni.MarketCode());
}

void OpenPriceFile(ChaosIndicatorsRun& run)
{
    run.fileMessage.SetNameSlot(batch::PriceFileName(run.market));
    // "FK.KQ4" is not open yet, so a missing file leaves an earlier one as it was.
    if (!run.reader->Open()) batch::ReportMissingPriceFile(run.messages, run.fileMessage);
}

void StoreBar(ChaosIndicatorsRun& run)
{
    PriceBar& bar = run.bars.At(run.window.rowCounter);
    const std::string_view line = run.reader->InputLine();
    bar.date.SetText(batch::Columns(line, 1, 7));
    bar.high.SetText(batch::Columns(line, 16, 21));
    bar.low.SetText(batch::Columns(line, 23, 28));
    bar.close.SetText(batch::Columns(line, 30, 35));
    bar.rollAdjustment.SetText(batch::Columns(line, 37, 42));
}

void LoadStep(ChaosIndicatorsRun& run)
{
    StoreBar(run);
    ReadPriceLine(run);
}

void SumRatios(ChaosIndicatorsRun& run, std::int64_t e)
{
    auto& work = run.work;
    const auto f1 = [&run](std::int64_t bar) -> std::int64_t { return run.chaos.At(bar).F(1).Mantissa(); };
    // The sum over the k bars up to e, for k = 1..11. After the step of the
    // bar before, each window moves by one bar: the same integer follows
    // from one addition and one subtraction, the earlier F1 being unchanged.
    if (work.summedBar == e - 1 && e > kMeans) {
        const std::int64_t added = f1(e);
        for (int k = 1; k <= kMeans; ++k) work.ratioSums[k] += added - f1(e - k);
    } else {
        std::int64_t sum = 0;
        for (int k = 1; k <= kMeans && e - k + 1 >= 1; ++k) {
            sum += f1(e - k + 1);
            work.ratioSums[k] = sum;
        }
        for (int k = static_cast<int>(e) + 1; k <= kMeans; ++k) work.ratioSums[k] = sum;
    }
    work.summedBar = e;
}

void ComputeChaosValues(ChaosIndicatorsRun& run)
{
    const auto& w = run.window;
    auto& work = run.work;
    const std::int64_t e = w.windowEnd.AsInteger();  // the current bar
    const std::int64_t length = w.windowLength.AsInteger();
    const std::int64_t span = work.ratioSpan.AsInteger();
    PriceBar& bar = run.bars.At(w.windowEnd);
    ChaosRow& row = run.chaos.At(w.windowEnd);

    // The close move into the bar, from the back-adjusted close before it:
    // the magnitude of the difference, as its six-digit field keeps it.
    work.previousBar.StoreMantissa(e - 1);
    bar.closeMove.StoreMantissa(
        static_cast<std::int64_t>(batch::detail::Magnitude(run.bars.At(work.previousBar).close.Mantissa() - bar.close.Mantissa())));

    // The efficiency ratio: net close change over RatioSpan bars against
    // the sum of the single-bar moves, in percent.
    if (e > length + span - 1) {
        work.moveBar.StoreMantissa(e - span);
        DigitSubtract(work.netMove, bar.close, run.bars.At(work.moveBar).close);
        for (std::int64_t n = 0; n < span; ++n) {
            DigitIncrement(work.moveBar);
            DigitAdd(work.sumOfMoves, work.sumOfMoves, run.bars.At(work.moveBar).closeMove);
        }
        batch::StorePercent(work.ratioWork, work.netMove, work.sumOfMoves);
        if (work.ratioWork.Mantissa() < 0) work.ratioWork.StoreMantissa(-work.ratioWork.Mantissa());  // its magnitude
        batch::StoreFrom(row.F(1), work.ratioWork, batch::Rounding::HalfUp);
    }
    work.sumOfMoves.StoreMantissa(0);
    if (e < length + span) row.F(1).StoreMantissa(0);

    // F3..F11: the means of F1 over the last k bars, once k bars from the
    // 11th on have an F1. Each sum is kept in four digits.
    SumRatios(run, e);
    StoreMeans(row, work, e, std::make_integer_sequence<int, kMeans + 1>{});
    if (e > 13) work.meanBar.StoreMantissa(e + 1);  // where the last sum's count stopped

    // F2: the mean of the nine means.
    if (e > 21) {
        std::int64_t sum = 0;
        for (int k = 3; k <= kMeans; ++k) sum += row.F(k).Mantissa();
        work.meanSum.StoreMantissa(sum);
    }
    row.F(2).StoreMantissa(RoundedMean(work.meanSum.AsInteger(), 9));

    CountRuns(run);
    work.meanSum.StoreMantissa(0);
    work.sumOfMoves.StoreMantissa(0);
}

void CountRuns(ChaosIndicatorsRun& run)
{
    auto& c = run.counters;
    const ChaosRow& row = run.chaos.At(run.window.windowEnd);
    const std::int64_t f1 = row.F(1).AsInteger();
    const std::int64_t f2 = row.F(2).AsInteger();
    const std::int64_t f3 = row.F(3).AsInteger();

    // C1 counts bars of F1 below 40 and lets one bar of 40 or more through;
    // the second such bar ends the run on that bar.
    if (f1 < 40) DigitIncrement(c.c1);
    if (f1 > 39 && c.aux.AsInteger() < 2 && c.c1.AsInteger() > 0) {
        DigitIncrement(c.aux);
        DigitIncrement(c.c1);
    }
    if (c.aux.AsInteger() > 1) {
        c.c1.StoreInteger(0);
        c.aux.StoreInteger(0);
    }

    const bool f2Below62 = f2 > 0 && f2 < 62;
    const bool f2Below53 = f2 > 0 && f2 < 53;
    if (f2Below62) DigitIncrement(c.c2); else c.c2.StoreInteger(0);
    if (f2Below53) DigitIncrement(c.c3); else c.c3.StoreInteger(0);
    batch::StoreSum(c.c4, c.c1, c.c2, c.c3);

    if (row.F(11).AsInteger() > 0) c.x = row.F(11);
    const bool xBelow53 = c.x.AsInteger() < 53;
    if ((f3 > 0 && f3 < 51) || xBelow53) DigitIncrement(c.c5); else c.c5.StoreInteger(0);
    if (f2Below62 || xBelow53) DigitIncrement(c.c6); else c.c6.StoreInteger(0);
    if (f2Below53 || xBelow53) DigitIncrement(c.c7); else c.c7.StoreInteger(0);
    batch::StoreSum(c.c8, c.c5, c.c6, c.c7);
}

void BuildChaosLine(ChaosIndicatorsRun& run, char* line)
{
    const ChaosRow& row = run.chaos.At(run.window.windowEnd);
    const auto& c = run.counters;
    const auto put = [line](int column, const auto& field) { field.CopyText(line + column - 1); };
    std::memset(line, ' ', kChaosRecordLength);
    put(1, run.bars.At(run.window.windowEnd).date);
    put(9, row.F(1));
    for (int k = 3; k <= kMeans; ++k) put(13 + 4 * (k - 3), row.F(k));
    put(49, row.F(2));
    put(53, c.c1);
    put(56, c.c2);
    put(59, c.c3);
    put(62, c.c4);
    put(66, c.c5);
    put(69, c.c6);
    put(72, c.c7);
    put(75, c.c8);
}

void WriteChaosLine(ChaosIndicatorsRun& run)
{
    // The 77-character chaos line, blank-padded to the record, formatted
    // in place in the file's output buffer.
    if (char* record = run.chaosFile.RecordSpace(kChaosRecordLength)) {
        BuildChaosLine(run, record);
        run.chaosFile.CommitRecord(kChaosRecordLength);
    }
    batch::CheckOutputStatus(run.chaosFile, "write");
}

void PerBarStep(ChaosIndicatorsRun& run)
{
    batch::SetUpWindow(run.window, run.bars, batch::NeighbourRows::NotKept);
    ComputeChaosValues(run);
    WriteChaosLine(run);
}

void CloseFiles(ChaosIndicatorsRun& run)
{
    if (run.reader) run.reader->Close();  // status not tested
    run.messages.Close();
    run.chaosFile.Close();
    batch::CheckOutputStatus(run.chaosFile, "close");
}

void FinishRun(ChaosIndicatorsRun& run)
{
    CloseFiles(run);
    batch::StopRun();
}

void RunChaosIndicators(ChaosIndicatorsRun& run)
{
    ReadMarketCode(run);

    if (run.market != batch::Market::Other) {
        run.reader.emplace(run.market);
        OpenPriceFile(run);
    }

    run.chaosFile.OpenOutput();
    batch::CheckOutputStatus(run.chaosFile, "open");
    run.messages.Open();

    if (!run.reader) {
        // No price file belongs to this code, so no line can ever end the
        // data: report the file as missing, under the blank name slot.
        run.messages.WriteFailureBlock(run.fileMessage.Text(batch::FailureReason::Missing));
        FinishRun(run);
    }
    ReadPriceLine(run);

    auto& w = run.window;
    w.rowCounter.SetText("00001");
    while (!run.reader->EndOfData()) {
        LoadStep(run);
        DigitIncrement(w.rowCounter);
    }

    w.rowCounter.SetText("00001");
    while (w.rowCounter.AsInteger() + 10 <= run.reader->RecordCount().AsInteger()) {
        PerBarStep(run);
        DigitIncrement(w.rowCounter);
    }

    run.messages.WriteSuccessLines();
    // A completed run ends here by returning: the same closes as FinishRun,
    // then exit status 0, without unwinding the stack.
    CloseFiles(run);
}

void RunChaosIndicators()
{
    // The working record is set up once, at the start; nothing else is
    // allocated for the tables during the run.
    // Default-initialised: every field sets its own start value (blanks or
    // its initial digits), so no zero fill is needed first.
    const std::unique_ptr<ChaosIndicatorsRun> run(new ChaosIndicatorsRun);
    RunChaosIndicators(*run);
}

}  // namespace kq4
