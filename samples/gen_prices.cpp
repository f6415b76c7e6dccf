// gen_prices --market US|TY --weeks N --seed S [--the-end] [--no-rolls] [--out FILE]
// Writes a valid weekly price file of our own; the default name follows the
// market ("BONDS.DAT" for US, "NOTES.DAT" for TY).
#include "PriceFileGenerator.hpp"

#include "FileText.hpp"

#include <cstdio>
#include <stdexcept>
#include <string>

int main(int argc, char** argv)
{
    samples::PriceFileOptions o;
    std::string out;
    try {
        for (int i = 1; i < argc; ++i) {
            std::string a = argv[i];
            auto next = [&]() -> std::string {
                if (i + 1 >= argc) throw std::invalid_argument(a + " needs a value");
                return argv[++i];
            };
            if (a == "--market") o.market = next();
            else if (a == "--weeks") o.weeks = std::stoi(next());
            else if (a == "--seed") o.seed = std::stoull(next());
            else if (a == "--the-end") o.endMarker = true;
            else if (a == "--no-rolls") o.rollEvery = 0;
            else if (a == "--out") out = next();
            else throw std::invalid_argument("unknown option " + a);
        }
        if (out.empty()) out = o.market == "TY" ? "NOTES.DAT" : "BONDS.DAT";
        const std::string bytes = samples::PriceFileBytes(samples::GenerateBars(o), o.endMarker);
        devtools::WriteFile(out, bytes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_prices: %s\n", e.what());
        return 2;
    }
    return 0;
}
