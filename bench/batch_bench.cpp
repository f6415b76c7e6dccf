// Times the batch programs end to end on a 6000-week price file: each run
// is a fresh process in a scratch working directory, as the front end
// starts them. Prints the median and extremes of the wall time and the
// peak resident memory of the child.
//
// batch_bench [--runs N] PROGRAM...   (launch_child must lie beside it)   (PROGRAM: a path to MVR.DLL or KQ4.DLL)
#include "PriceFileGenerator.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double millis;
    long peakKiB;
};

// The runs go through the small launcher next to this program, so that the
// peak memory reported is the child's own.
bool Run(const std::string& launcher, const std::string& program, int runs, std::vector<Sample>& samples)
{
    const std::string command = "'" + launcher + "' " + std::to_string(runs) + " '" + program + "'";
    std::FILE* out = popen(command.c_str(), "r");
    if (!out) return false;
    Sample s{};
    int status = 0;
    bool ok = true;
    while (std::fscanf(out, "%lf %ld %d", &s.millis, &s.peakKiB, &status) == 3) {
        if (status != 0) {
            std::fprintf(stderr, "%s ended with status %d\n", program.c_str(), status);
            ok = false;
        }
        samples.push_back(s);
    }
    return pclose(out) == 0 && ok && static_cast<int>(samples.size()) == runs;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 21;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else programs.push_back(std::filesystem::absolute(argv[i]).string());
    }
    if (programs.empty()) {
        std::fprintf(stderr, "usage: batch_bench [--runs N] PROGRAM...\n");
        return 2;
    }
    const std::string launcher = (std::filesystem::absolute(argv[0]).parent_path() / "launch_child").string();
    const auto dir = std::filesystem::temp_directory_path() / ("qel-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    {
        samples::PriceFileOptions o;
        o.weeks = 6000;
        o.seed = 2026;
        std::ofstream("BONDS.DAT", std::ios::binary) << samples::PriceFileBytes(samples::GenerateBars(o), true);
        std::ofstream("SYSTEM.INI", std::ios::binary) << "US\r\n";
    }
    int failures = 0;
    std::printf("%-10s %5s %10s %10s %10s %12s\n", "program", "runs", "median ms", "min ms", "max ms", "peak KiB");
    for (const std::string& program : programs) {
        std::vector<Sample> samples;
        if (!Run(launcher, program, runs, samples)) ++failures;
        if (samples.empty()) continue;
        std::vector<double> ms;
        long peak = 0;
        for (const auto& s : samples) ms.push_back(s.millis), peak = std::max(peak, s.peakKiB);
        std::sort(ms.begin(), ms.end());
        std::printf("%-10s %5zu %10.2f %10.2f %10.2f %12ld\n", std::filesystem::path(program).filename().c_str(),
                    ms.size(), ms[ms.size() / 2], ms.front(), ms.back(), peak);
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return failures == 0 ? 0 : 1;
}
