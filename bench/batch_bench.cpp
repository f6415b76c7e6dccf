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
#include "PriceFileGenerator.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
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
    int runs = 41;
    long longLineMB = 0;
    std::vector<int> weeksList = {6000, 520};
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--weeks") == 0 && i + 1 < argc) {
            weeksList.clear();
            std::stringstream list(argv[++i]);
            for (std::string item; std::getline(list, item, ',');)
                weeksList.push_back(std::clamp(std::atoi(item.c_str()), 1, 6000));
        } else if (std::strcmp(argv[i], "--long-line") == 0 && i + 1 < argc) {
            longLineMB = std::max(0, std::atoi(argv[++i]));
        } else {
            programs.push_back(std::filesystem::absolute(argv[i]).string());
        }
    }
    if (programs.empty()) {
        std::fprintf(stderr, "usage: batch_bench [--runs N] [--weeks N,N...] [--long-line MB] PROGRAM...\n");
        return 2;
    }
    const auto here = std::filesystem::absolute(argv[0]).parent_path();
    const std::string launcher = (here / "launch_child").string();
    const std::string empty = (here / "empty_program").string();
    const std::string ioMvr = (here / "io_only_mvr").string(), ioKq4 = (here / "io_only_kq4").string();
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
