#include "MessageFile.hpp"

namespace batch {

void FileMessage::SetNameSlot(std::string_view name)
{
    nameSlot_.fill(' ');
    for (std::size_t i = 0; i < nameSlot_.size() && i < name.size(); ++i) nameSlot_[i] = name[i];
}

std::string FileMessage::Text(FailureReason reason) const
{
    std::string text = " File: ";
    text.append(nameSlot_.data(), nameSlot_.size());
    switch (reason) {
    case FailureReason::Missing: text += " is missing."; break;
    case FailureReason::Empty: text += " is empty."; break;
    case FailureReason::Corrupted: text += " is corrupted."; break;
    }
    return text;
}

MessageFile::MessageFile(std::string program)
    : program_(std::move(program)), file_("MESSAGES." + program_, kLineLength)
{
}

void MessageFile::Open()
{
    file_.OpenOutput();
    CheckOutputStatus(file_, "open");
}

void MessageFile::Close()
{
    file_.Close();
    CheckOutputStatus(file_, "close");
}

void MessageFile::WriteLine(std::string_view text)
{
    std::string line(text.substr(0, kLineLength));
    line.resize(kLineLength, ' ');
    file_.Write(line);
    CheckOutputStatus(file_, "write");
}

void MessageFile::WriteSuccessLines()
{
    WriteLine("");
    WriteLine(" Process " + program_ + " ran OK.");
}

void MessageFile::WriteFailureBlock(const std::string& fileMessage)
{
    WriteLine("");
    WriteLine(" " + program_ + " did not finish.");
    WriteLine("");
    WriteLine(fileMessage);
    WriteLine("");
    WriteLine(" Process " + program_ + " failed.");
}

}  // namespace batch
