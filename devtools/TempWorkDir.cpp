#include "TempWorkDir.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace devtools {

TempWorkDir::TempWorkDir(const std::string& prefix, Enter enter)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a directory " + pattern + ": " + std::strerror(errno));
    path_ = pattern;
    if (enter == Enter::Yes) {
        std::error_code ec;
        previous_ = std::filesystem::current_path(ec);
        if (!ec) std::filesystem::current_path(path_, ec);
        if (ec) {
            std::filesystem::remove_all(path_, ec);
            throw std::runtime_error("cannot enter " + pattern);
        }
    }
}

TempWorkDir::~TempWorkDir()
{
    std::error_code ec;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

}  // namespace devtools
