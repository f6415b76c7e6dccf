// The run message file ("MESSAGES.MVR", "MESSAGES.KQ4"): 80-character
// lines that tell the front end how the run ended.
#pragma once

#include "LineFile.hpp"

#include <array>
#include <string>
#include <string_view>

namespace batch {

enum class FailureReason { Missing, Empty, Corrupted };

// " File: " + the nine-character name slot + the reason. The slot is blank
// until the market set-up names the price file.
class FileMessage {
public:
    FileMessage() { nameSlot_.fill(' '); }
    void SetNameSlot(std::string_view name);
    std::string Text(FailureReason reason) const;

private:
    std::array<char, 9> nameSlot_;
};

class MessageFile {
public:
    static constexpr int kLineLength = 80;

    // program is "MVR" or "KQ4"; the file is "MESSAGES." + program.
    explicit MessageFile(std::string program);

    LineFile& File() { return file_; }
    void Open();   // for output; a fatal status ends the run
    void Close();  // tested like the open
    void WriteLine(std::string_view text);

    // The two success lines: a blank line and " Process <program> ran OK.".
    void WriteSuccessLines();

    // The six-line failure block. It neither closes the file nor ends the run.
    void WriteFailureBlock(const std::string& fileMessage);

private:
    std::string program_;
    LineFile file_;
};

}  // namespace batch
