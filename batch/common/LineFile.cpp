#include "LineFile.hpp"

#include "RunControl.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {

namespace {
constexpr std::size_t kChunk = 1 << 16;

bool IsDirectory(int fd)
{
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

// Writes all bytes, resuming after an interruption or a partial write.
bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}
}  // namespace

LineFile::~LineFile()
{
    if (fd_ >= 0) Close();
}

void LineFile::Release()
{
    buffer_.reset();
    used_ = 0;
    position_ = 0;
}

void LineFile::OpenInput()
{
    if (fd_ >= 0) { status_.Set("41"); return; }  // already open
    output_ = false;
    atEnd_ = false;
    readError_ = false;
    Release();
    fd_ = ::open(name_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) { status_.Set(errno == ENOENT ? "35" : "37"); return; }
    if (IsDirectory(fd_)) {
        ::close(fd_);
        fd_ = -1;
        status_.Set("37");
        return;
    }
    buffer_.reset(new char[kChunk]);  // not cleared: only bytes read are looked at
    status_.Set("00");
}

void LineFile::OpenOutput()
{
    if (fd_ >= 0) { status_.Set("41"); return; }
    output_ = true;
    failed_ = false;
    Release();
    // A name that stands for a directory cannot be created as a file.
    fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ >= 0) buffer_.reset(new char[kChunk]);
    status_.Set(fd_ >= 0 ? "00" : "37");
}

// Replaces the buffer's contents with the next chunk of the file.
bool LineFile::Fill()
{
    position_ = 0;
    used_ = 0;
    if (atEnd_) return false;
    ssize_t got;
    do got = ::read(fd_, buffer_.get(), kChunk);
    while (got < 0 && errno == EINTR);
    if (got <= 0) {
        atEnd_ = true;
        readError_ = got < 0;
        return false;
    }
    used_ = static_cast<std::size_t>(got);
    return true;
}

void LineFile::Read(char* record)
{
    if (fd_ < 0 || output_) { status_.Set("47"); return; }
    const std::size_t keep = static_cast<std::size_t>(recordLength_);
    std::size_t length = 0;  // bytes of the line so far, line end excluded
    char last = 0;           // the line's last byte so far
    bool any = false, endedByLf = false;
    for (;;) {
        if (position_ >= used_ && !Fill()) break;
        any = true;
        const char* start = buffer_.get() + position_;
        const std::size_t available = used_ - position_;
        const void* hit = std::memchr(start, '\n', available);
        const std::size_t piece = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - start) : available;
        if (length < keep) std::memcpy(record + length, start, piece < keep - length ? piece : keep - length);
        if (piece > 0) last = start[piece - 1];
        length += piece;
        position_ += piece;
        if (hit) {
            ++position_;
            endedByLf = true;
            break;
        }
    }
    if (!any) {
        status_.Set(readError_ ? "30" : "10");
        return;
    }
    // One CR just before the LF belongs to the line end; a CR copied into
    // the record there is covered by the padding.
    if (endedByLf && length > 0 && last == '\r') --length;
    const std::size_t copied = length < keep ? length : keep;
    std::memset(record + copied, ' ', keep - copied);
    status_.Set("00");
}

// Records are gathered per file and handed to the system in large pieces,
// one write a buffer. So that a write that fails is known before anything
// reaches another output, the gathered records of one file are flushed, and
// tested, as soon as a record is written to another file.
namespace {
LineFile* gUnflushed = nullptr;
}  // namespace

bool LineFile::Flush()
{
    if (used_ > 0) {
        if (!WriteAll(fd_, buffer_.get(), used_)) failed_ = true;
        used_ = 0;
    }
    if (gUnflushed == this) gUnflushed = nullptr;
    return !failed_;
}

char* LineFile::RecordSpace(std::size_t length)
{
    if (fd_ < 0 || !output_) { status_.Set("48"); return nullptr; }
    if (gUnflushed && gUnflushed != this) {
        LineFile& other = *gUnflushed;
        if (!other.Flush()) {
            other.status_.Set("30");
            FatalFileError(other, "write");
        }
    }
    if (length + 2 > kChunk) {
        // Longer than the buffer: a buffer of its own for this record.
        Flush();
        std::unique_ptr<char[]> larger(new char[length + 2]);
        buffer_.swap(larger);
    } else if (used_ + length + 2 > kChunk) {
        Flush();
    }
    return buffer_.get() + used_;
}

void LineFile::CommitRecord(std::size_t length)
{
    char* end = buffer_.get() + used_ + length;
    end[0] = '\r';
    end[1] = '\n';
    used_ += length + 2;
    gUnflushed = this;
    if (used_ > kChunk) {
        // The oversized record's own buffer goes out at once.
        Flush();
        buffer_.reset(new char[kChunk]);
    }
    status_.Set(failed_ ? "30" : "00");
}

void LineFile::Write(std::string_view record)
{
    char* space = RecordSpace(record.size());
    if (!space) return;
    std::memcpy(space, record.data(), record.size());
    CommitRecord(record.size());
}

void LineFile::Close()
{
    if (fd_ < 0) { status_.Set("42"); return; }
    bool ok = true;
    if (output_ && !Flush()) ok = false;
    if (gUnflushed == this) gUnflushed = nullptr;
    if (::close(fd_) != 0) ok = false;
    fd_ = -1;
    Release();
    status_.Set(ok ? "00" : "30");
}

void FatalFileError(const LineFile& file, const char* operation)
{
    throw RunEnded{-1, std::string("file error ") + std::string(file.Status().Text()) + " on " + operation + " of " + file.Name()};
}

}  // namespace batch
