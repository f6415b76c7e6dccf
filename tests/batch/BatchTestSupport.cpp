#include "BatchTestSupport.hpp"

#include "ChildProcess.hpp"
#include "FileText.hpp"

#include <gtest/gtest.h>

namespace batchtest {

WorkDir::WorkDir() : dir_("qelbatch-", devtools::TempWorkDir::Enter::Yes) {}

WorkDir::~WorkDir() = default;

void WorkDir::Write(const std::string& name, const std::string& bytes) const { devtools::WriteFile(dir_ / name, bytes); }

std::string WorkDir::Read(const std::string& name) const { return devtools::ReadFile(dir_ / name); }

bool WorkDir::Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

std::vector<std::string> SplitLines(const std::string& bytes) { return devtools::SplitLines(bytes); }

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
    return devtools::RunChild(program, {}, {.err = devtools::Output::Discard}).status;
}

}  // namespace batchtest
