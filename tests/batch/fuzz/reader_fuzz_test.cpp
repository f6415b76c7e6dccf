// Arbitrary bytes as price files, price lines and "SYSTEM.INI": every run
// must end in one of the programs' own outcomes, never in a crash or an
// access outside a record. Built with the address and undefined-behaviour
// sanitizers; the seed is fixed so a failure can be repeated.
#include "BatchTestSupport.hpp"
#include "DigitField.hpp"
#include "LineFile.hpp"
#include "MainIndicators.hpp"
#include "PriceFileGenerator.hpp"
#include "RunControl.hpp"
#include "ChaosIndicators.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    const char* name;
    std::function<void()> run;
    std::vector<std::string> outputs;
};

std::vector<Program> Programs()
{
    return {{"MVR", mvr::RunMainIndicators, {"FK.MVR", "MESSAGES.MVR", "REPORT69.MVR"}},
            {"KQ4", [] { kq4::RunChaosIndicators(); }, {"FK.KQ4", "MESSAGES.KQ4"}}};
}

std::string RandomBytes(std::mt19937_64& rng, std::size_t length)
{
    std::string s(length, '\0');
    for (auto& c : s) c = static_cast<char>(rng());
    return s;
}

// A mix of valid lines, damaged lines and noise, so that runs reach the
// compute loop as well as the checks.
std::string MutatedPriceFile(std::mt19937_64& rng)
{
    samples::PriceFileOptions o;
    o.weeks = static_cast<int>(rng() % 140) + 1;
    o.seed = rng();
    std::string bytes = samples::PriceFileBytes(samples::GenerateBars(o), rng() % 4 == 0);
    const int damage = static_cast<int>(rng() % 6);
    for (int i = 0; i < damage && !bytes.empty(); ++i) {
        const std::size_t at = rng() % bytes.size();
        switch (rng() % 4) {
        case 0: bytes[at] = static_cast<char>(rng()); break;
        case 1: bytes.insert(at, RandomBytes(rng, rng() % 200)); break;
        case 2: bytes.erase(at, rng() % 120); break;
        default: bytes.insert(at, std::string(rng() % 300, static_cast<char>(rng()))); break;
        }
    }
    return bytes;
}

}  // namespace

TEST(ReaderFuzz, ArbitraryLinesThroughTheReaderAndTheCheck)
{
    batchtest::WorkDir dir;
    std::mt19937_64 rng(20261210);
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    int files = 0;
    while (Clock::now() < deadline) {
        std::string bytes = RandomBytes(rng, rng() % 2000);
        for (int i = 0; i < 8; ++i) bytes.insert(rng() % (bytes.size() + 1), rng() % 2 ? "\r\n" : "\n");
        dir.Write("BONDS.DAT", bytes);
        batch::LineFile file("BONDS.DAT", 80);
        file.OpenInput();
        ASSERT_TRUE(file.Status().IsOk());
        char record[80];
        std::size_t lines = 0;
        for (;;) {
            file.Read(record);
            if (file.Status().Key1() != '0') break;
            const std::string_view line(record, 53);
            const auto check = mvr::LineCheckValue(line);
            ASSERT_EQ(check.Text().find_first_not_of("0123456789"), std::string_view::npos);
            (void)batch::PackedDecimalValue(reinterpret_cast<const unsigned char*>(record + 43), 10);
            ASSERT_LE(++lines, bytes.size() + 1);
        }
        EXPECT_EQ(file.Status().Key1(), '1');
        file.Close();
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(ReaderFuzz, WholeRunsOnDamagedFiles)
{
    std::mt19937_64 rng(77);
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    int runs = 0;
    while (Clock::now() < deadline) {
        for (const Program& program : Programs()) {
            batchtest::WorkDir dir;
            const char* inis[] = {"US\r\n", "TY\r\n", "US", "SP\r\n", ""};
            const std::string ini = rng() % 8 == 0 ? RandomBytes(rng, rng() % 90) : inis[rng() % 5];
            dir.Write("SYSTEM.INI", ini);
            const std::string bytes = rng() % 5 == 0 ? RandomBytes(rng, rng() % 6000) : MutatedPriceFile(rng);
            dir.Write(rng() % 2 ? "BONDS.DAT" : "NOTES.DAT", bytes);
            const int status = batch::RunProgram(program.name, program.run);
            ASSERT_TRUE(status == 0 || status == -1) << program.name;
            for (const auto& output : program.outputs) {
                if (!dir.Exists(output)) continue;
                for (const auto& line : batchtest::SplitLines(dir.Read(output))) {
                    ASSERT_LE(line.size(), 190u);
                    if (output == "FK.KQ4") {
                        ASSERT_EQ(line.size(), 93u);  // a chaos line keeps its width
                    }
                }
            }
            ++runs;
        }
    }
    EXPECT_GT(runs, 0);
}
