// Running a built program as a child process: waiting for it, or leaving it
// running in the background until it is stopped.
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <utility>
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

// A program left running beside the caller (a server a test talks to).
struct BackgroundOptions {
    int outputFd = -1;                                         // its standard output and error; -1: /dev/null
    std::vector<std::pair<std::string, std::string>> env{};    // set in its environment, over the caller's
};

// Starts program (a path; PATH is not searched) with args and returns at
// once with its process id. Standard input is /dev/null. The child ends when
// the caller does, however the caller ends. A program that cannot be
// executed exits with status 127; throws std::runtime_error when no process
// can be made.
pid_t StartChild(const std::string& program, const std::vector<std::string>& args = {},
                 const BackgroundOptions& options = {});

// Ends a child from StartChild and reaps it: SIGTERM, then SIGKILL when it
// has not gone within graceMilliseconds. Nothing for a pid of 0 or less.
void StopChild(pid_t pid, int graceMilliseconds = 10000);

}  // namespace devtools
