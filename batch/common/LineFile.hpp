// Line-sequential text files with fixed-length records, as both batch
// programs use them. Every operation sets the file's two-character status.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace batch {

struct FileStatus {
    char code[2] = {'0', '0'};
    char Key1() const { return code[0]; }
    bool IsOk() const { return code[0] == '0' && code[1] == '0'; }
    // Status key 1 from "3" to "9": the outputs treat it as fatal.
    bool IsFatal() const { return code[0] > '2'; }
    std::string_view Text() const { return {code, 2}; }
    void Set(const char* two) { code[0] = two[0]; code[1] = two[1]; }
};

class LineFile {
public:
    LineFile(std::string name, int recordLength) : name_(std::move(name)), recordLength_(recordLength) {}
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    const std::string& Name() const { return name_; }
    const FileStatus& Status() const { return status_; }
    bool IsOpen() const { return fd_ >= 0; }

    void OpenInput();
    void OpenOutput();  // creates the file, or empties it

    // Reads the next line into record (recordLength characters): the line's
    // bytes padded with blanks, or cut at the record length. A line ends at
    // LF; one CR just before the LF belongs to the line end, every other
    // byte is data. A last line without a line end is still a record.
    // Only the bytes the record keeps are held: the rest of a longer line is
    // passed over while looking for its end, so memory stays flat however
    // long a line is.
    void Read(char* record);

    // Writes the record as one line ended by CR LF. A failure shows in the
    // status of this write or, at the latest, of the next write to another
    // output or of this file's close.
    void Write(std::string_view record);

    // The same in two steps, for a record formatted in place: RecordSpace
    // gives room for length characters in the output buffer (nullptr, with
    // status "48", when the file is not open for output), and CommitRecord
    // ends the record there with CR LF.
    char* RecordSpace(std::size_t length);
    void CommitRecord(std::size_t length);

    void Close();

private:
    bool Fill();
    bool Flush();  // false once a write has not reached the file
    void Release();

    std::string name_;
    int recordLength_;
    FileStatus status_;
    int fd_ = -1;
    bool output_ = false;
    bool failed_ = false;     // a write that did not reach the file
    bool readError_ = false;  // a read that failed
    std::unique_ptr<char[]> buffer_;  // input: bytes read ahead; output: bytes to write
    std::size_t used_ = 0;            // bytes in the buffer
    std::size_t position_ = 0;        // input: the next byte to read
    bool atEnd_ = false;
};

// The fatal file error: ends the run at once, naming the file.
[[noreturn]] void FatalFileError(const LineFile& file, const char* operation);

// The test the programs make after every open, write and close of their
// outputs: status key 1 above "2" ends the run.
inline void CheckOutputStatus(const LineFile& file, const char* operation)
{
    if (file.Status().IsFatal()) FatalFileError(file, operation);
}

}  // namespace batch
