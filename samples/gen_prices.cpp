// gen_prices [--market US|TY] [--weeks N] [--seed S] [--the-end] [--no-rolls] [--out FILE]
// Writes a valid weekly price file of our own; the default name follows the
// market ("BONDS.DAT" for US, "NOTES.DAT" for TY).
#include "PriceFileGenerator.hpp"

#include "CommandLine.hpp"
#include "FileText.hpp"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

const char* const kUsage =
    "usage: gen_prices [--market US|TY] [--weeks N] [--seed S] [--the-end] [--no-rolls] [--out FILE]\n";

const char* const kHelp =
    "Writes a weekly price file of generated sample prices, lines ended by CR LF.\n"
    "  --market US|TY  the market: US writes BONDS.DAT, TY writes NOTES.DAT (default US)\n"
    "  --weeks N       the number of price lines, 1..6000 (default 520)\n"
    "  --seed S        the seed of the random series (default 1)\n"
    "  --the-end       end the file with a THE-END line\n"
    "  --no-rolls      no contract rolls (default: one every 13 weeks)\n"
    "  --out FILE      the file to write, in place of the market's own name\n";

}  // namespace

int main(int argc, char** argv)
{
    samples::PriceFileOptions o;
    std::string out;
    try {
        devtools::Arguments args(argc, argv);
        while (args.Next()) {
            const std::string& a = args.Current();
            if (args.IsHelp()) {
                std::printf("%s%s", kUsage, kHelp);
                return 0;
            }
            if (a == "--market") {
                o.market = args.Value();
                if (o.market != "US" && o.market != "TY")
                    throw devtools::UsageError("--market: \"" + o.market + "\" is neither US nor TY");
            } else if (a == "--weeks") {
                o.weeks = static_cast<int>(args.WholeValue(1, 6000));
            } else if (a == "--seed") {
                o.seed = args.WholeValue(0, std::numeric_limits<std::uint64_t>::max());
            } else if (a == "--the-end") {
                o.endMarker = true;
            } else if (a == "--no-rolls") {
                o.rollEvery = 0;
            } else if (a == "--out") {
                out = args.Value();
            } else {
                args.Reject();
            }
        }
    } catch (const devtools::UsageError& e) {
        std::fprintf(stderr, "gen_prices: %s\n%s", e.what(), kUsage);
        return 2;
    }
    try {
        if (out.empty()) out = o.market == "TY" ? "NOTES.DAT" : "BONDS.DAT";
        const std::string bytes = samples::PriceFileBytes(samples::GenerateBars(o), o.endMarker);
        devtools::WriteFile(out, bytes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_prices: %s\n", e.what());
        return 1;
    }
    return 0;
}
