#include "RunControl.hpp"

#include <cstdio>

namespace batch {

void StopRun() { throw RunEnded{0, {}}; }

void FatalRunTimeError(int code, const std::string& detail)
{
    throw RunEnded{-1, "run-time error " + std::to_string(code) + ": " + detail};
}

void SubscriptFailure(long long index, long long size)
{
    FatalRunTimeError(153, "table index " + std::to_string(index) + " outside 1.." + std::to_string(size));
}

int RunProgram(const char* programName, const std::function<void()>& run)
{
    try {
        run();
    } catch (const RunEnded& ended) {
        if (ended.exitStatus != 0) std::fprintf(stderr, "%s: %s\n", programName, ended.report.c_str());
        return ended.exitStatus;
    }
    return 0;
}

}  // namespace batch
