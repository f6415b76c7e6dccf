// How a batch run ends: StopRun (exit status 0) or a fatal error (exit
// status -1, after a report on standard error). Both unwind to RunProgram,
// which closes every file still open on the way out.
#pragma once

#include <functional>
#include <string>

namespace batch {

struct RunEnded {
    int exitStatus;      // 0 or -1
    std::string report;  // the fatal error report; empty for StopRun
};

[[noreturn]] void StopRun();
[[noreturn]] void FatalRunTimeError(int code, const std::string& detail);

// Every access to a table by a computed index goes through this check: an
// index outside 1..size is fatal run-time error 153, never clamped.
[[noreturn]] void SubscriptFailure(long long index, long long size);
inline void SubscriptCheck(long long index, long long size)
{
    if (index < 1 || index > size) [[unlikely]]
        SubscriptFailure(index, size);
}

// Runs a program's whole run and returns its exit status. The report of a
// fatal error goes to standard error, prefixed with the program's name.
int RunProgram(const char* programName, const std::function<void()>& run);

}  // namespace batch
