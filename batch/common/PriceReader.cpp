#include "PriceReader.hpp"

#include "RunControl.hpp"

#include <cstring>

namespace batch {

Market MarketOf(std::string_view code)
{
    if (code == "US") return Market::Bonds;
    if (code == "TY") return Market::Notes;
    return Market::Other;
}

const char* PriceFileName(Market market)
{
    switch (market) {
    case Market::Bonds: return "BONDS.DAT";
    case Market::Notes: return "NOTES.DAT";
    case Market::Other: break;
    }
    return "";
}

void ReadSystemIni(SystemIniRecord& record, SystemIniFailure failure)
{
    const bool fatal = failure == SystemIniFailure::Fatal;
    LineFile file("SYSTEM.INI", kSystemIniLength);
    file.OpenInput();
    if (fatal) {
        CheckOutputStatus(file, "open");
    } else if (!file.Status().IsOk()) {
        file.Close();
        StopRun();
    }
    char chars[kSystemIniLength];
    file.Read(chars);
    if (file.Status().Key1() == '0') std::memcpy(record.chars.data(), chars, kSystemIniLength);
    if (fatal) CheckOutputStatus(file, "read");
    file.Close();
    if (fatal) CheckOutputStatus(file, "close");
}

bool PriceReader::Open()
{
    file_.OpenInput();
    return file_.Status().IsOk();
}

bool PriceReader::ReadPriceLine()
{
    char record[kPriceRecordLength];
    file_.Read(record);
    const char key1 = file_.Status().Key1();
    if (key1 == '0') std::memcpy(inputLine_.data(), record, kInputLineLength);
    if (key1 == '1') endOfData_ = 'Y';
    if (std::memcmp(inputLine_.data(), "THE-END", 7) == 0) endOfData_ = 'Y';
    if (endOfData_ != 'Y') DigitIncrement(recordCount_);
    return endOfData_ == 'Y' && recordCount_.Text() == "00000";
}

void ReadPriceLineOrReportEmpty(PriceReader& reader, MessageFile& messages, const FileMessage& fileMessage,
                                const std::function<void()>& finishRun)
{
    if (reader.ReadPriceLine()) {
        messages.WriteFailureBlock(fileMessage.Text(FailureReason::Empty));
        finishRun();
    }
}

void ReportMissingPriceFile(MessageFile& messages, const FileMessage& fileMessage)
{
    messages.Open();
    messages.WriteFailureBlock(fileMessage.Text(FailureReason::Missing));
    messages.Close();  // tested: a block that did not reach the file is a fatal error
    StopRun();
}

}  // namespace batch
