#include "LineFile.hpp"

#include "RunControl.hpp"

#include <cstring>
#include <sys/stat.h>

namespace batch {

namespace {
constexpr std::size_t kChunk = 1 << 16;

bool IsDirectory(std::FILE* f)
{
    struct stat st {};
    return fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

LineFile::~LineFile()
{
    if (file_) Close();
}

void LineFile::OpenInput()
{
    if (file_) { status_.Set("41"); return; }  // already open
    output_ = false;
    atEnd_ = false;
    buffer_.clear();
    position_ = 0;
    file_ = std::fopen(name_.c_str(), "rb");
    if (!file_) { status_.Set(errno == ENOENT ? "35" : "37"); return; }
    if (IsDirectory(file_)) {
        std::fclose(file_);
        file_ = nullptr;
        status_.Set("37");
        return;
    }
    status_.Set("00");
}

void LineFile::OpenOutput()
{
    if (file_) { status_.Set("41"); return; }
    output_ = true;
    failed_ = false;
    buffer_.clear();
    // A name that stands for a directory cannot be created as a file.
    file_ = std::fopen(name_.c_str(), "wb");
    status_.Set(file_ ? "00" : "37");
}

bool LineFile::Fill()
{
    if (atEnd_) return false;
    buffer_.erase(0, position_);
    position_ = 0;
    const std::size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    const std::size_t got = std::fread(buffer_.data() + old, 1, kChunk, file_);
    buffer_.resize(old + got);
    if (got == 0) atEnd_ = true;
    return got > 0;
}

void LineFile::Read(char* record)
{
    if (!file_ || output_) { status_.Set("47"); return; }
    // Find the next LF, reading ahead as needed.
    std::size_t lf;
    for (;;) {
        const void* hit = std::memchr(buffer_.data() + position_, '\n', buffer_.size() - position_);
        if (hit) { lf = static_cast<const char*>(hit) - buffer_.data(); break; }
        if (!Fill()) { lf = std::string::npos; break; }
    }
    std::size_t end;
    std::size_t next;
    if (lf == std::string::npos) {
        if (position_ >= buffer_.size()) {
            status_.Set(std::ferror(file_) ? "30" : "10");
            return;
        }
        end = buffer_.size();  // a last line without a line end
        next = end;
    } else {
        end = lf;
        if (end > position_ && buffer_[end - 1] == '\r') --end;
        next = lf + 1;
    }
    const std::size_t length = end - position_;
    const std::size_t copied = length < static_cast<std::size_t>(recordLength_) ? length : recordLength_;
    std::memcpy(record, buffer_.data() + position_, copied);
    std::memset(record + copied, ' ', recordLength_ - copied);
    position_ = next;
    status_.Set("00");
}

// Records are gathered per file and handed to the system in large pieces.
// So that a write that fails is known before anything reaches another
// output, the gathered records of one file are flushed, and tested, as soon
// as a record is written to another file.
namespace {
LineFile* gUnflushed = nullptr;
}  // namespace

bool LineFile::Flush()
{
    if (!buffer_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) failed_ = true;
        buffer_.clear();
    }
    if (std::fflush(file_) != 0) failed_ = true;
    if (gUnflushed == this) gUnflushed = nullptr;
    return !failed_;
}

void LineFile::Write(std::string_view record)
{
    if (!file_ || !output_) { status_.Set("48"); return; }
    if (gUnflushed && gUnflushed != this) {
        LineFile& other = *gUnflushed;
        if (!other.Flush()) {
            other.status_.Set("30");
            FatalFileError(other, "write");
        }
    }
    buffer_.append(record.data(), record.size());
    buffer_.append("\r\n", 2);
    gUnflushed = this;
    if (buffer_.size() >= kChunk) Flush();
    status_.Set(failed_ ? "30" : "00");
}

void LineFile::Close()
{
    if (!file_) { status_.Set("42"); return; }
    bool ok = true;
    if (output_ && !Flush()) ok = false;
    if (gUnflushed == this) gUnflushed = nullptr;
    if (std::fclose(file_) != 0) ok = false;
    file_ = nullptr;
    buffer_.clear();
    position_ = 0;
    status_.Set(ok ? "00" : "30");
}

void FatalFileError(const LineFile& file, const char* operation)
{
    throw RunEnded{-1, std::string("file error ") + std::string(file.Status().Text()) + " on " + operation + " of " + file.Name()};
}

}  // namespace batch
