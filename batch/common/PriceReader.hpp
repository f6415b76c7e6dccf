// The market code of "SYSTEM.INI" and the reader of the weekly price file,
// shared by both batch programs.
#pragma once

#include "DigitField.hpp"
#include "LineFile.hpp"
#include "MessageFile.hpp"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace batch {

constexpr int kSystemIniLength = 80;
constexpr int kPriceRecordLength = 80;
constexpr int kInputLineLength = 53;  // columns 1-53 of a price line are used

enum class Market { Bonds, Notes, Other };

struct SystemIniRecord {
    std::array<char, kSystemIniLength> chars;
    SystemIniRecord() { chars.fill(' '); }
    std::string_view MarketCode() const { return {chars.data(), 2}; }
};

// How a program meets a "SYSTEM.INI" that cannot be opened or read.
enum class SystemIniFailure {
    StopQuietly,  // an open other than "00" stops the run (exit 0) before any output exists
    Fatal,        // status key 1 above "2" on open, read or close is a fatal file error
};

// Reads the first line of "SYSTEM.INI" into record. A first read that does
// not succeed (an empty file) leaves the record blank, an other code.
void ReadSystemIni(SystemIniRecord& record, SystemIniFailure failure);

// "US" and "TY" are compared exactly; anything else (blanks, "SP", lower
// case) is an other code, for which no price file is used.
Market MarketOf(std::string_view code);
const char* PriceFileName(Market market);  // "BONDS.DAT", "NOTES.DAT"; "" for Other

// A 1-based column range of a record.
inline std::string_view Columns(std::string_view record, int first, int last)
{
    return record.substr(first - 1, last - first + 1);
}

// Moves characters into a record from a 1-based column on.
template <class Record>
void PutColumns(Record& record, int column, std::string_view chars)
{
    std::copy(chars.begin(), chars.end(), record.begin() + (column - 1));
}

// The reader's state and the open price file.
class PriceReader {
public:
    explicit PriceReader(Market market)
        : market_(market), file_(PriceFileName(market), kPriceRecordLength)
    {
        inputLine_.fill(' ');
    }

    Market MarketSelected() const { return market_; }
    LineFile& File() { return file_; }
    std::string_view InputLine() const { return {inputLine_.data(), inputLine_.size()}; }
    bool EndOfData() const { return endOfData_ == 'Y'; }
    const DigitField<5>& RecordCount() const { return recordCount_; }

    // Opens the price file; true on status "00".
    bool Open();

    // Reads the next line and updates the input line, the end-of-data flag
    // and the record count. Returns true when the data ended before the
    // first price line: the caller then reports the empty file.
    bool ReadPriceLine();

    // Closes the file without testing the status.
    void Close() { if (file_.IsOpen()) file_.Close(); }

private:
    Market market_;
    LineFile file_;
    std::array<char, kInputLineLength> inputLine_;
    char endOfData_ = 'N';
    DigitField<5> recordCount_{"00000"};
};

// ReadPriceLine with the empty-file report: the failure block, then the
// program's FinishRun (which ends the run).
void ReadPriceLineOrReportEmpty(PriceReader& reader, MessageFile& messages, const FileMessage& fileMessage,
                                const std::function<void()>& finishRun);

// The missing-file path of opening the price file: the message file is
// opened alone, the failure block written, and the run stops (exit 0).
[[noreturn]] void ReportMissingPriceFile(MessageFile& messages, const FileMessage& fileMessage);

}  // namespace batch
