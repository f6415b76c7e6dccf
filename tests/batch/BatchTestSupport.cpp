#include "BatchTestSupport.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <random>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace batchtest {

WorkDir::WorkDir()
{
    previous_ = std::filesystem::current_path();
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("qelbatch-" + std::to_string(getpid()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
}

WorkDir::~WorkDir()
{
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

void WorkDir::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + name);
}

std::string WorkDir::Read(const std::string& name) const
{
    std::ifstream in(path_ / name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WorkDir::Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) lf = bytes.size();
        std::size_t end = lf;
        if (end > start && bytes[end - 1] == '\r') --end;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::string Pad(std::string s, std::size_t width)
{
    s.resize(width, ' ');
    return s;
}

std::vector<std::string> FailureBlock(const std::string& program, const std::string& fileMessage)
{
    return {Pad(""), Pad(" " + program + " did not finish."), Pad(""), Pad(fileMessage), Pad(""),
            Pad(" Process " + program + " failed.")};
}

std::vector<std::string> SuccessLines(const std::string& program) { return {Pad(""), Pad(" Process " + program + " ran OK.")}; }

std::vector<samples::Bar> Generated(const std::string& market, int weeks, std::uint64_t seed, int rollEvery)
{
    samples::PriceFileOptions o;
    o.market = market;
    o.weeks = weeks;
    o.seed = seed;
    o.rollEvery = rollEvery;
    return samples::GenerateBars(o);
}

std::vector<std::string> Lines(const std::vector<samples::Bar>& bars)
{
    std::vector<std::string> lines;
    for (const auto& b : bars) lines.push_back(samples::FormatPriceLine(b));
    return lines;
}

std::string FileOf(const std::vector<std::string>& lines, const std::string& tail)
{
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return bytes + tail;
}

std::string FileOf(const std::vector<samples::Bar>& bars, const std::string& tail) { return FileOf(Lines(bars), tail); }

void ExpectMessageFile(const WorkDir& dir, const std::string& name, const std::vector<std::string>& expected,
                       const std::string& what)
{
    if (expected.empty()) {
        EXPECT_FALSE(dir.Exists(name)) << what;
    } else if (expected == std::vector<std::string>{"EMPTY"}) {
        EXPECT_EQ(dir.Read(name), "") << what;
    } else {
        EXPECT_EQ(SplitLines(dir.Read(name)), expected) << what;
    }
}

int RunChild(const std::string& program)
{
    pid_t pid;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + program);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

}  // namespace batchtest
