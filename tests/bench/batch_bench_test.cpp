// The benchmark's command line: its usage, a clear error for a wrong option
// or a PROGRAM that cannot be run, and nothing timed in either case.
#include "ChildProcess.hpp"
#include "FileText.hpp"
#include "TempWorkDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string kUsage = "usage: batch_bench [--runs N]";

devtools::ChildResult BatchBench(const std::string& program, const std::vector<std::string>& args)
{
    return devtools::RunChild(program, args, {.out = devtools::Output::Capture, .err = devtools::Output::Capture});
}

}  // namespace

TEST(BatchBench, HelpShowsTheUsageAndTimesNothing)
{
    for (const char* help : {"--help", "-h"}) {
        const auto r = BatchBench(BATCH_BENCH_PROGRAM, {"/bin/true", help});
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_TRUE(r.out.starts_with(kUsage)) << r.out;
        EXPECT_EQ(r.out.find("median"), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

TEST(BatchBench, AWrongCommandLineIsNamedAndNothingIsTimed)
{
    const devtools::TempWorkDir dir;
    devtools::WriteFile(dir / "MVR.DLL", "not a program");   // not executable
    const std::string notExecutable = (dir / "MVR.DLL").string();
    const std::string missing = (dir / "KQ4.DLL").string();
    const struct {
        std::vector<std::string> args;
        std::string error;
        bool usage;   // the usage line follows
    } cases[] = {
        {{}, "no PROGRAM to time", true},
        {{"--runs", "abc", "/bin/true"}, "--runs: \"abc\" is not a whole number", true},
        {{"--runs", "0", "/bin/true"}, "--runs: \"0\" is out of range 1..10000", true},
        {{"--weeks", "520,0", "/bin/true"}, "--weeks: \"0\" is out of range 1..6000", true},
        {{"--weeks", "520,,6000", "/bin/true"}, "--weeks: \"\" is not a whole number", true},
        {{"--long-line", "-1", "/bin/true"}, "--long-line: \"-1\" is not a whole number", true},
        {{"/bin/true", "--runs"}, "--runs needs a value", true},
        {{"--run", "3", "/bin/true"}, "unknown option --run", true},
        {{"/bin/true", missing}, "PROGRAM " + missing + ": no such file", false},
        {{notExecutable}, "PROGRAM " + notExecutable + ": not executable", false},
        {{dir.Path().string()}, "PROGRAM " + dir.Path().string() + ": not a file", false},
    };
    for (const auto& c : cases) {
        const auto r = BatchBench(BATCH_BENCH_PROGRAM, c.args);
        EXPECT_EQ(r.status, 2) << c.error;
        EXPECT_TRUE(r.err.starts_with("batch_bench: " + c.error + "\n")) << r.err;
        EXPECT_EQ(r.err.find(kUsage) != std::string::npos, c.usage) << r.err;
        EXPECT_EQ(r.out, "") << c.error;
    }
}

TEST(BatchBench, AFloorMissingBesideItIsNamed)
{
    const devtools::TempWorkDir dir;
    fs::copy_file(BATCH_BENCH_PROGRAM, dir / "batch_bench");
    const auto r = BatchBench((dir / "batch_bench").string(), {"/bin/true"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("batch_bench: " + (dir / "launch_child").string() + ": no such file")) << r.err;
    EXPECT_EQ(r.out, "");
}
