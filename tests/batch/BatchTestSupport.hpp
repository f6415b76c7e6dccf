// Shared helpers of the batch tests: a fresh working directory per test,
// whole-file reads and writes, and running a built program as a child.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace batchtest {

// A fresh temporary directory that becomes the current directory for the
// test's lifetime.
class WorkDir {
public:
    WorkDir();
    ~WorkDir();
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// Lines of a CR LF text file, line ends removed.
std::vector<std::string> SplitLines(const std::string& bytes);

// Runs program (an absolute path) with no arguments in the current
// directory and returns its exit status as a parent sees it (0..255).
int RunChild(const std::string& program);

}  // namespace batchtest
