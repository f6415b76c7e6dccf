// Running a built program as a child process and waiting for it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace devtools {

// Where a child's standard output or error goes.
enum class Output {
    Keep,      // the parent's own
    Discard,   // /dev/null
    Capture,   // into ChildResult
};

struct ChildOptions {
    std::filesystem::path workDir{};   // empty: the parent's current directory
    Output out = Output::Keep;
    Output err = Output::Keep;
};

struct ChildResult {
    int status = -1;        // the exit status 0..255; 128 + the signal when killed by one
    std::string out, err;   // what was captured
};

// Runs program (a path, relative to the parent's current directory; PATH is
// not searched) with args after its own name and waits for it. The parent's
// current directory does not change. Throws std::runtime_error when the
// program cannot be started.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& args = {},
                     const ChildOptions& options = {});

}  // namespace devtools
