// The 190-character indicator line of one computed week in "FK.MVR",
// formatted in place in the file's output buffer.
#include "MainIndicators.hpp"

#include <cstring>

namespace mvr {

namespace {

const char* ProductLabel(std::string_view marketCode)
{
    if (marketCode == "US") return "QEL-5100";
    if (marketCode == "TY") return "QEL-7300";
    if (marketCode == "SP") return "QEL-K900";
    return "        ";
}

// The field's text at a 1-based column.
template <class Field>
void Put(char* line, int column, const Field& field)
{
    field.CopyText(line + column - 1);
}

// count characters of the field's text from its 0-based offset on.
template <class Field>
void PutPart(char* line, int column, const Field& field, int offset, int count)
{
    char text[Field::kWidth];
    field.CopyText(text);
    std::memcpy(line + column - 1, text + offset, static_cast<std::size_t>(count));
}

}  // namespace

void BuildIndicatorLine(MainIndicatorsRun& run, char* line)
{
    const WeekRow& c = run.weeks.At(run.window.windowEnd);
    const auto& m = run.measures;
    const auto& s = run.smoothed;
    Put(line, 1, c.date);
    Put(line, 8, c.high);
    Put(line, 14, c.low);
    Put(line, 20, c.close);
    Put(line, 26, c.firstFlag);
    std::memcpy(line + 26, s.weekFlags.data(), s.weekFlags.size());
    Put(line, 32, m.windowRange);
    Put(line, 38, m.rangeRatioPct);
    Put(line, 41, m.highestHigh);
    Put(line, 47, m.lowestLow);
    Put(line, 53, c.range);
    Put(line, 59, m.netChangeSum);
    Put(line, 65, m.closePosPct);
    Put(line, 68, m.bodyPct);
    Put(line, 71, s.roundedR3);
    Put(line, 74, s.firstSum);
    Put(line, 79, s.w[0]);
    Put(line, 83, s.w[1]);
    Put(line, 87, s.w[2]);
    PutPart(line, 91, s.q[0], 1, 3);
    PutPart(line, 94, s.q[1], 1, 3);
    PutPart(line, 97, s.q[2], 1, 3);
    Put(line, 100, s.secondSum);
    Put(line, 105, s.w[3]);
    Put(line, 109, s.w[4]);
    Put(line, 113, s.w[5]);
    Put(line, 117, s.diffSum);
    Put(line, 121, s.diffPair);
    Put(line, 125, s.d[0]);
    Put(line, 129, s.d[1]);
    Put(line, 133, s.d[2]);
    PutPart(line, 137, c.rollAdjustment, 2, 4);
    Put(line, 141, c.secondFlag);
    Put(line, 142, s.highStreak);
    Put(line, 144, s.lowStreak);
    PutPart(line, 146, m.overlapTenths, 0, 3);
    line[148] = '*';
    std::memcpy(line + 149, ProductLabel(run.systemIni.MarketCode()), 8);
    // The 157 columns of the line buffer, then 33 blanks.
    std::memset(line + kLineBufferLength, ' ', kIndicatorLineLength - kLineBufferLength);
}

void WriteIndicatorLine(MainIndicatorsRun& run)
{
    if (char* line = run.indicatorFile.RecordSpace(kIndicatorLineLength)) {
        BuildIndicatorLine(run, line);
        run.indicatorFile.CommitRecord(kIndicatorLineLength);
    }
    batch::CheckOutputStatus(run.indicatorFile, "write");
}

}  // namespace mvr
