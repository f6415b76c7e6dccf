// The helpers of the non-shipped code: lines, whole files, child processes
// and the temporary working directory.
#include "ChildProcess.hpp"
#include "FileText.hpp"
#include "TempWorkDir.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using devtools::Lines;

TEST(FileText, SplitLinesTakesCrLfOrLfAndKeepsEveryOtherByte)
{
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},                       // a final line end adds no line
        {"a\nb", {"a", "b"}},                   // a last line without one is a line
        {"a\r\n\r\n\n", {"a", "", ""}},
        {"a\rb\r\n", {"a\rb"}},                 // a CR inside the line is data
        {"a\r\r\n", {"a\r"}},                   // only the CR just before the LF ends it
        {"a\r", {"a\r"}},                       // a lone CR at the end is data too
        {std::string("\0\xff\n", 3), {std::string("\0\xff", 2)}},
    };
    for (const auto& c : cases) EXPECT_EQ(devtools::SplitLines(c.bytes), c.lines) << c.bytes;
    EXPECT_EQ(devtools::JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(FileText, WholeFilesAreWrittenAndReadAsBytes)
{
    const devtools::TempWorkDir dir;
    devtools::WriteLines(dir / "T.TXT", {"one", "two "});
    EXPECT_EQ(devtools::ReadFile(dir / "T.TXT"), "one\r\ntwo \r\n");
    EXPECT_EQ(devtools::TryReadLines(dir / "T.TXT"), (Lines{"one", "two "}));
    EXPECT_FALSE(fs::exists(dir / "T.TXT.tmp"));

    EXPECT_FALSE(devtools::TryReadFile(dir / "NONE"));
    EXPECT_FALSE(devtools::TryReadLines(dir / "NONE"));
    EXPECT_THROW(devtools::ReadFile(dir / "NONE"), std::runtime_error);
    EXPECT_THROW(devtools::WriteFile(dir / "NO" / "T.TXT", "x"), std::runtime_error);

    // A write that cannot replace its target leaves it, and no temporary file.
    fs::create_directories(dir / "D" / "inside");
    EXPECT_THROW(devtools::WriteFile(dir / "D", "x"), std::runtime_error);
    EXPECT_TRUE(fs::is_directory(dir / "D" / "inside"));
    EXPECT_FALSE(fs::exists(dir / "D.tmp"));
}

TEST(ChildProcess, StatusCaptureAndWorkingDirectory)
{
    const devtools::TempWorkDir dir;
    const fs::path here = fs::current_path();
    const auto run = devtools::RunChild(
        "/bin/sh", {"-c", "echo out; pwd; echo err >&2; exit 3"},
        {.workDir = dir.Path(), .out = devtools::Output::Capture, .err = devtools::Output::Capture});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "out\n" + fs::canonical(dir.Path()).string() + "\n");
    EXPECT_EQ(run.err, "err\n");
    EXPECT_EQ(fs::current_path(), here);

    // Both streams full at once: read together, no stall.
    const auto big = devtools::RunChild(
        "/bin/sh", {"-c", "head -c 300000 /dev/zero >&2; head -c 200000 /dev/zero"},
        {.out = devtools::Output::Capture, .err = devtools::Output::Capture});
    EXPECT_EQ(big.status, 0);
    EXPECT_EQ(big.out.size(), 200000u);
    EXPECT_EQ(big.err.size(), 300000u);

    const auto quiet = devtools::RunChild("/bin/sh", {"-c", "echo lost; kill -TERM $$"},
                                          {.out = devtools::Output::Discard});
    EXPECT_EQ(quiet.status, 128 + 15);   // killed by a signal
    EXPECT_TRUE(quiet.out.empty());

    EXPECT_THROW(devtools::RunChild((dir / "none").string()), std::runtime_error);
    EXPECT_THROW(devtools::RunChild("/bin/sh", {"-c", "true"}, {.workDir = dir / "none"}),
                 std::runtime_error);
}

// A background child gets its environment and output, runs on until it is
// stopped, and is gone (reaped) afterwards, even when it ignores SIGTERM.
TEST(ChildProcess, BackgroundChildRunsUntilStopped)
{
    const devtools::TempWorkDir dir;
    const int log = ::open((dir / "LOG").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(log, 0);
    const pid_t pid = devtools::StartChild("/bin/sh", {"-c", "echo \"$QEL_PROBE\"; trap '' TERM; sleep 60"},
                                           {.outputFd = log, .env = {{"QEL_PROBE", "set"}}});
    ::close(log);
    for (int i = 0; i < 200 && devtools::ReadFile(dir / "LOG").empty(); ++i) ::usleep(10 * 1000);
    EXPECT_EQ(devtools::ReadFile(dir / "LOG"), "set\n");
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), 0);   // still running
    devtools::StopChild(pid, 100);
    EXPECT_EQ(::kill(pid, 0), -1);                     // killed and reaped

    int status = 0;
    ASSERT_GT(::waitpid(devtools::StartChild((dir / "none").string()), &status, 0), 0);
    EXPECT_EQ(WEXITSTATUS(status), 127);   // no such program
}

TEST(TempWorkDir, EnteredForItsLifetimeAndRemovedWithItsFiles)
{
    const fs::path here = fs::current_path();
    fs::path made;
    {
        const devtools::TempWorkDir dir("devtools-test-", devtools::TempWorkDir::Enter::Yes);
        made = dir.Path();
        EXPECT_EQ(fs::current_path(), fs::canonical(made));
        EXPECT_EQ(made.filename().string().rfind("devtools-test-", 0), 0u);
        devtools::WriteFile("F", "x");
        fs::create_directories(made / "sub" / "deeper");
    }
    EXPECT_EQ(fs::current_path(), here);
    EXPECT_FALSE(fs::exists(made));

    const devtools::TempWorkDir other;
    EXPECT_EQ(fs::current_path(), here);   // not entered
    EXPECT_TRUE(fs::is_directory(other.Path()));
}
