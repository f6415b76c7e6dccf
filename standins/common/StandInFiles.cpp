#include "StandInFiles.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace standin {

std::optional<Lines> ReadTextLines(const std::string& name)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) return std::nullopt;
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::size_t stop = end;
        if (stop > start && bytes[stop - 1] == '\r') --stop;
        lines.push_back(bytes.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

void WriteTextFile(const std::string& name, const Lines& lines)
{
    const std::string temp = name + "." + std::to_string(::getpid()) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines) out << line << "\r\n";
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            throw std::runtime_error("cannot write " + name);
        }
    }
    if (std::rename(temp.c_str(), name.c_str()) != 0) {
        std::remove(temp.c_str());
        throw std::runtime_error("cannot replace " + name);
    }
}

}  // namespace standin
