// The run flow of MVR: market, load, checks, compute loop, run-count line,
// success lines, finish.
#include "MainIndicators.hpp"

#include "RunControl.hpp"

namespace mvr {

using batch::Columns;
using batch::DecimalAccumulator;
using batch::FailureReason;
using batch::Market;

namespace {

struct MarketSetUp {
    const char* signature;
    std::array<const char*, 6> seeds;  // s1..s6 of the week before the first
};

const MarketSetUp& SetUpFor(Market market)
{
    static const MarketSetUp bonds{"2343", {"0790000", "0450000", "0590000", "0700000", "0360000", "0530000"}};
    static const MarketSetUp notes{"5218", {"0760000", "0500000", "0590000", "0800000", "0540000", "0660000"}};
    return market == Market::Notes ? notes : bonds;
}

void OpenOutput(batch::LineFile& file)
{
    file.OpenOutput();
    batch::CheckOutputStatus(file, "open");
}

void CloseOutput(batch::LineFile& file)
{
    file.Close();
    batch::CheckOutputStatus(file, "close");
}

void ReadNextPriceLine(MainIndicatorsRun& run)
{
    if (run.market == Market::Other) return;  // no price file is read for another code
    batch::ReadPriceLineOrReportEmpty(*run.reader, run.messages, run.fileMessage, [&run] { FinishRun(run); });
}

}  // namespace

void ReadMarketCode(MainIndicatorsRun& run)
{
    // A "SYSTEM.INI" that cannot be opened stops the run before any file is
    // created: the front end then finds no message file.
    batch::ReadSystemIni(run.systemIni, batch::SystemIniFailure::StopQuietly);
    run.market = batch::MarketOf(run.systemIni.MarketCode());
}

void SetUpMarket(MainIndicatorsRun& run)
{
    const MarketSetUp& setUp = SetUpFor(run.market);
    run.fileMessage.SetNameSlot(batch::PriceFileName(run.market));
    for (int k = 0; k < 6; ++k) run.smoothed.prev[k].SetText(setUp.seeds[k]);
    run.previousClose.SetText("002879");
    if (!run.reader->Open()) batch::ReportMissingPriceFile(run.messages, run.fileMessage);
}

void StoreWeekRow(MainIndicatorsRun& run)
{
    WeekRow& row = run.weeks.At(run.window.rowCounter);
    const std::string_view line = run.reader->InputLine();
    row.date.SetText(Columns(line, 1, 7));
    row.firstFlag.SetText(Columns(line, 8, 8));
    row.open.SetText(Columns(line, 9, 14));
    row.high.SetText(Columns(line, 16, 21));
    row.low.SetText(Columns(line, 23, 28));
    row.close.SetText(Columns(line, 30, 35));
    row.rollAdjustment.SetText(Columns(line, 37, 42));
    row.secondFlag.SetText(Columns(line, 43, 43));
    batch::DigitSubtract(row.range, row.high, row.low);
    SignedDigitField<6> adjustedPrevious;
    batch::DigitAdd(adjustedPrevious, run.previousClose, row.rollAdjustment);
    batch::DigitSubtract(row.netChange, row.close, adjustedPrevious);
    run.previousClose.SetText(row.close.Text());
}

void LoadStep(MainIndicatorsRun& run)
{
    CheckLineValue(run);
    StoreWeekRow(run);
    ReadNextPriceLine(run);
}

std::string BuildRunCountLine(const DigitField<5>& recordCount)
{
    const DecimalAccumulator n = recordCount.Value();
    DigitField<18> first, second, third;
    first.Store(n * 694 * 317 * 459);
    second.Store(n * 735 * 148 * 721);
    third.Store(n * 523 * 973 * 314);
    std::string line = "@!!###";
    line += first.Text();
    line += second.Text();
    line += third.Text().substr(0, 11);
    line += "00";
    line += recordCount.Text();
    line.resize(kRunCountLineLength, ' ');
    return line;
}

void WriteRunCountLine(MainIndicatorsRun& run)
{
    run.runCountFile.Write(BuildRunCountLine(run.reader->RecordCount()));
    batch::CheckOutputStatus(run.runCountFile, "write");
}

void CloseFiles(MainIndicatorsRun& run)
{
    run.reader->Close();
    run.messages.Close();
    CloseOutput(run.runCountFile);
    CloseOutput(run.indicatorFile);
}

void FinishRun(MainIndicatorsRun& run)
{
    CloseFiles(run);
    batch::StopRun();
}

void RunMainIndicators()
{
    // Default-initialised: every field sets its own start value, so the
    // record is not cleared twice.
    std::unique_ptr<MainIndicatorsRun> run(new MainIndicatorsRun);
    ReadMarketCode(*run);
    run->reader = std::make_unique<batch::PriceReader>(run->market);
    if (run->market != Market::Other) {
        run->marketSignature.SetText(SetUpFor(run->market).signature);
        SetUpMarket(*run);
    }
    OpenOutput(run->indicatorFile);
    run->messages.Open();
    OpenOutput(run->runCountFile);

    ReadNextPriceLine(*run);
    auto& w = run->window;
    w.rowCounter.SetText("00001");
    while (!run->reader->EndOfData()) {
        LoadStep(*run);
        batch::DigitIncrement(w.rowCounter);
    }
    CheckRow100(*run);

    w.rowCounter.SetText("00001");
    while (w.windowEnd.Text() != run->reader->RecordCount().Text()) {
        ComputeWeek(*run);
        batch::DigitIncrement(w.rowCounter);
    }
    WriteRunCountLine(*run);
    run->messages.WriteSuccessLines();
    // A completed run ends here by returning: the same closes as FinishRun,
    // then exit status 0, without unwinding the stack.
    CloseFiles(*run);
}

}  // namespace mvr
