// A fresh temporary directory for the lifetime of the object.
#pragma once

#include <filesystem>
#include <string>

namespace devtools {

class TempWorkDir {
public:
    enum class Enter { No, Yes };

    // Makes <temp>/<prefix>XXXXXX; with Enter::Yes it becomes the current
    // directory until the object goes. Throws std::runtime_error when it
    // cannot be made or entered.
    explicit TempWorkDir(const std::string& prefix = "qel-", Enter enter = Enter::No);
    // Returns to the earlier current directory (when entered) and removes
    // the directory with everything in it.
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;   // empty when not entered
};

}  // namespace devtools
