// Shared helpers of the batch tests: a fresh working directory per test,
// whole-file reads and writes, and running a built program as a child.
#pragma once

#include "PriceFileGenerator.hpp"
#include "TempWorkDir.hpp"

#include <cstdint>
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

    const std::filesystem::path& Path() const { return dir_.Path(); }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    devtools::TempWorkDir dir_;
};

// Lines of a CR LF (or LF) text file, line ends removed.
std::vector<std::string> SplitLines(const std::string& bytes);

// A message-file line: the text blank-padded to the record width.
std::string Pad(std::string s, std::size_t width = 80);

// The six lines of a failure block and the two success lines of a program
// ("MVR" or "KQ4").
std::vector<std::string> FailureBlock(const std::string& program, const std::string& fileMessage);
std::vector<std::string> SuccessLines(const std::string& program);

// Price lines of generated bars, and a price file of lines (CR LF) with an
// optional tail of raw bytes.
std::vector<samples::Bar> Generated(const std::string& market, int weeks, std::uint64_t seed, int rollEvery = 13);
std::vector<std::string> Lines(const std::vector<samples::Bar>& bars);
std::string FileOf(const std::vector<std::string>& lines, const std::string& tail = "");
std::string FileOf(const std::vector<samples::Bar>& bars, const std::string& tail = "");

// Checks a message file against what a run should leave: no file (an empty
// list), an empty file ({"EMPTY"}), or these lines. what names the case.
void ExpectMessageFile(const WorkDir& dir, const std::string& name, const std::vector<std::string>& expected,
                       const std::string& what);

// Runs program (an absolute path) with no arguments in the current
// directory, its standard error silenced, and returns its exit status as a
// parent sees it (0..255).
int RunChild(const std::string& program);

}  // namespace batchtest
