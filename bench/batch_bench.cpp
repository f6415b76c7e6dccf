// Times the batch programs end to end on a 6000-week price file: each run
// is a fresh process in a scratch working directory, as the front end
// starts them. Prints the median and extremes of the wall time and the
// peak resident memory of the child.
//
// batch_bench [--runs N] PROGRAM...   (PROGRAM: a path to MVR.DLL or KQ4.DLL)
#include "PriceFileGenerator.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double millis;
    long peakKiB;
};

bool RunOnce(const std::string& program, Sample& sample)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(rc));
        return false;
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    sample.millis = std::chrono::duration<double, std::milli>(end - start).count();
    sample.peakKiB = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s ended with status %d\n", program.c_str(), status);
        return false;
    }
    return true;
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
        for (int r = 0; r < runs; ++r) {
            Sample s{};
            if (!RunOnce(program, s)) { ++failures; break; }
            samples.push_back(s);
        }
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
