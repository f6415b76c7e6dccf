// Times the batch programs end to end: each run is a fresh process in a
// scratch working directory, as the front end starts them. Beside each
// program run two floors built with it: an empty static program and an
// I/O-only program of the same reads and writes. All run round robin in one
// harness, so the ratios to the floors hold across machines and loads.
// Prints the median and extremes of the wall time, the ratios of the
// medians to both floors, and the peak resident memory of the child.
//
// batch_bench [--runs N] [--weeks N,N...] [--long-line MB] PROGRAM...
//   PROGRAM: a path to MVR.DLL or KQ4.DLL. --weeks: price file lengths
//   (default 6000,520). --long-line: also run each program on a price file
//   of one line of MB megabytes without a line end and report its peak.
//   The floors and launch_child lie beside this program.
#include "CommandLine.hpp"
#include "PriceFileGenerator.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double millis;
    long peakKiB;
};

struct Summary {
    std::size_t runs = 0;
    double median = 0, min = 0, max = 0;
    long peakKiB = 0;
};

// Runs every program runs times, round robin, through the small launcher
// next to this program, so that the peak memory reported is the child's own.
bool RunRoundRobin(const std::string& launcher, const std::vector<std::string>& programs, int runs,
                   std::vector<std::vector<Sample>>& samples)
{
    std::string command = "'" + launcher + "' " + std::to_string(runs);
    for (const auto& p : programs) command += " '" + p + "'";
    std::FILE* out = popen(command.c_str(), "r");
    if (!out) return false;
    samples.assign(programs.size(), {});
    int index = 0, status = 0;
    Sample s{};
    bool ok = true;
    while (std::fscanf(out, "%d %lf %ld %d", &index, &s.millis, &s.peakKiB, &status) == 4) {
        if (index < 0 || index >= static_cast<int>(programs.size())) continue;
        if (status != 0) {
            std::fprintf(stderr, "%s ended with status %d\n", programs[index].c_str(), status);
            ok = false;
        }
        samples[index].push_back(s);
    }
    if (pclose(out) != 0) ok = false;
    for (const auto& v : samples) ok = ok && static_cast<int>(v.size()) == runs;
    return ok;
}

Summary Summarise(std::vector<Sample> samples)
{
    Summary r;
    if (samples.empty()) return r;
    std::vector<double> ms;
    for (const auto& s : samples) ms.push_back(s.millis), r.peakKiB = std::max(r.peakKiB, s.peakKiB);
    std::sort(ms.begin(), ms.end());
    r.runs = ms.size();
    r.median = ms[ms.size() / 2];
    r.min = ms.front();
    r.max = ms.back();
    return r;
}

std::string Lower(std::string s)
{
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Name(const std::string& path) { return std::filesystem::path(path).filename().string(); }

void PrintRow(const std::string& name, int weeks, const Summary& s, const Summary* empty, const Summary* io)
{
    std::printf("%-12s %6d %5zu %9.2f %8.2f %8.2f %9ld", name.c_str(), weeks, s.runs, s.median, s.min, s.max, s.peakKiB);
    if (empty && empty->median > 0) std::printf(" %8.2fx", s.median / empty->median);
    if (io && io->median > 0) std::printf(" %8.2fx", s.median / io->median);
    std::printf("\n");
}

const char* const kUsage = "usage: batch_bench [--runs N] [--weeks N,N...] [--long-line MB] PROGRAM...\n";

const char* const kHelp =
    "Times each PROGRAM (a path to MVR.DLL or KQ4.DLL) end to end on generated price files,\n"
    "round robin with the two floors built beside batch_bench.\n"
    "  --runs N        runs of each program, 1..10000 (default 41)\n"
    "  --weeks N,N...  the price files' lengths, each 1..6000 (default 6000,520)\n"
    "  --long-line MB  also run each program on one price line of MB megabytes, 0..10000\n";

struct Options {
    int runs = 41;
    long longLineMB = 0;
    std::vector<int> weeksList = {6000, 520};
    std::vector<std::string> programs;   // as given
};

// The options; nothing when --help was asked for. Throws
// devtools::UsageError on a wrong command line.
std::optional<Options> ParseArguments(int argc, char** argv)
{
    Options o;
    devtools::Arguments args(argc, argv);
    while (args.Next()) {
        const std::string& a = args.Current();
        if (args.IsHelp()) {
            return std::nullopt;
        } else if (a == "--runs") {
            o.runs = static_cast<int>(args.WholeValue(1, 10000));
        } else if (a == "--weeks") {
            o.weeksList.clear();
            std::stringstream list(args.Value());
            for (std::string item; std::getline(list, item, ',');)
                o.weeksList.push_back(static_cast<int>(devtools::WholeNumber(a, item, 1, 6000)));
            if (o.weeksList.empty()) throw devtools::UsageError("--weeks needs a value");
        } else if (a == "--long-line") {
            o.longLineMB = static_cast<long>(args.WholeValue(0, 10000));
        } else if (args.IsOption()) {
            args.Reject();
        } else {
            o.programs.push_back(a);
        }
    }
    if (o.programs.empty()) throw devtools::UsageError("no PROGRAM to time");
    return o;
}

// Why path cannot be run; empty when it can.
std::string WhyNotRunnable(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return "no such file";
    if (!std::filesystem::is_regular_file(status)) return "not a file";
    if (access(path.c_str(), X_OK) != 0) return "not executable";
    return {};
}

void WriteWorkDir(int weeks)
{
    samples::PriceFileOptions o;
    o.weeks = weeks;
    o.seed = 2026;
    std::ofstream("BONDS.DAT", std::ios::binary | std::ios::trunc) << samples::PriceFileBytes(samples::GenerateBars(o), true);
    std::ofstream("SYSTEM.INI", std::ios::binary | std::ios::trunc) << "US\r\n";
}

}  // namespace

int main(int argc, char** argv)
{
    std::optional<Options> options;
    try {
        options = ParseArguments(argc, argv);
    } catch (const devtools::UsageError& e) {
        std::fprintf(stderr, "batch_bench: %s\n%s", e.what(), kUsage);
        return 2;
    }
    if (!options) {
        std::printf("%s%s", kUsage, kHelp);
        return 0;
    }
    const int runs = options->runs;
    const long longLineMB = options->longLineMB;
    const std::vector<int>& weeksList = options->weeksList;
    std::vector<std::string> programs;
    for (const std::string& given : options->programs) {
        if (const std::string why = WhyNotRunnable(given); !why.empty()) {
            std::fprintf(stderr, "batch_bench: PROGRAM %s: %s\n", given.c_str(), why.c_str());
            return 2;
        }
        programs.push_back(std::filesystem::absolute(given).string());
    }
    const auto here = std::filesystem::absolute(argv[0]).parent_path();
    const std::string launcher = (here / "launch_child").string();
    const std::string empty = (here / "empty_program").string();
    const std::string ioMvr = (here / "io_only_mvr").string(), ioKq4 = (here / "io_only_kq4").string();
    for (const std::string& helper : {launcher, empty, ioMvr, ioKq4}) {
        if (const std::string why = WhyNotRunnable(helper); !why.empty()) {
            std::fprintf(stderr, "batch_bench: %s: %s (it is built beside batch_bench)\n", helper.c_str(), why.c_str());
            return 1;
        }
    }
    // Each program's I/O floor: the one of the same reads and writes.
    const auto ioOf = [&](const std::string& program) { return Lower(Name(program)).find("kq4") != std::string::npos ? 2 : 1; };

    const auto dir = std::filesystem::temp_directory_path() / ("qel-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    int failures = 0;
    std::printf("%-12s %6s %5s %9s %8s %8s %9s %9s %9s\n", "program", "weeks", "runs", "median ms", "min ms", "max ms",
                "peak KiB", "/empty", "/io-only");
    for (int weeks : weeksList) {
        WriteWorkDir(weeks);
        std::vector<std::string> all = {empty, ioMvr, ioKq4};
        all.insert(all.end(), programs.begin(), programs.end());
        std::vector<std::vector<Sample>> samples;
        if (!RunRoundRobin(launcher, all, runs, samples)) ++failures;
        std::vector<Summary> s;
        for (auto& v : samples) s.push_back(Summarise(v));
        for (std::size_t i = 0; i < all.size(); ++i)
            PrintRow(Name(all[i]), weeks, s[i], i == 0 ? nullptr : &s[0], i < 3 ? nullptr : &s[ioOf(all[i])]);
    }
    if (longLineMB > 0) {
        // One price line of longLineMB megabytes and no line end: the peak
        // memory must not grow with the line.
        {
            std::ofstream f("BONDS.DAT", std::ios::binary | std::ios::trunc);
            const std::string block(1 << 20, '7');
            for (long i = 0; i < longLineMB; ++i) f << block;
        }
        std::vector<std::vector<Sample>> samples;
        if (!RunRoundRobin(launcher, programs, std::min(runs, 3), samples)) ++failures;
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const Summary s = Summarise(samples[i]);
            std::printf("%-12s one line of %ld MB: median %.2f ms, peak %ld KiB\n", Name(programs[i]).c_str(), longLineMB,
                        s.median, s.peakKiB);
        }
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return failures == 0 ? 0 : 1;
}
