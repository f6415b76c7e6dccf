#include "FileText.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace devtools {

Lines SplitLines(const std::string& bytes)
{
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) lf = bytes.size();
        std::size_t end = lf;
        if (lf < bytes.size() && end > start && bytes[end - 1] == '\r') --end;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::string JoinLines(const Lines& lines)
{
    std::string bytes;
    for (const std::string& l : lines) bytes += l + "\r\n";
    return bytes;
}

std::optional<std::string> TryReadFile(const std::filesystem::path& name)
{
    // A directory opens as a stream but reads nothing: it is no file.
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec)) return std::nullopt;
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::string ReadFile(const std::filesystem::path& name)
{
    std::optional<std::string> bytes = TryReadFile(name);
    if (!bytes) throw std::runtime_error("cannot read " + name.string());
    return std::move(*bytes);
}

std::optional<Lines> TryReadLines(const std::filesystem::path& name)
{
    const std::optional<std::string> bytes = TryReadFile(name);
    if (!bytes) return std::nullopt;
    return SplitLines(*bytes);
}

void WriteFile(const std::filesystem::path& name, const std::string& bytes)
{
    std::filesystem::path temp = name;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            throw std::runtime_error("cannot write " + name.string());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, name, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw std::runtime_error("cannot replace " + name.string());
    }
}

void WriteLines(const std::filesystem::path& name, const Lines& lines)
{
    WriteFile(name, JoinLines(lines));
}

}  // namespace devtools
