// make_sample_dir --programs DIR --gen-prices PATH --out DIR
//
// Lays out a complete sample working directory as it stands after an earlier
// week's run: the given files, the pictures, colour schemes, calendar notes
// and chart list, copies the programs (MVR.DLL, KQ4.DLL, PXD.DLL and the
// price editor's TLQ.DLL, those that the programs folder holds), then runs
// MVR.DLL, KQ4.DLL and PXD.DLL there and removes their message files, as the
// front end does after reading them.
#include "Pictures.hpp"
#include "SampleFiles.hpp"

#include "ChildProcess.hpp"
#include "FileText.hpp"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;
using devtools::WriteLines;

namespace {

// Runs a program in the current directory, its standard output silenced.
int Run(const std::string& program, const std::vector<std::string>& args = {})
{
    return devtools::RunChild(program, args, {.out = devtools::Output::Discard}).status;
}

void CopyExecutable(const fs::path& from, const std::string& name)
{
    fs::copy_file(from, name, fs::copy_options::overwrite_existing);
    fs::permissions(name, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: make_sample_dir --programs DIR --gen-prices PATH --out DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string programsArg, genPricesArg, outArg;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return Usage();
        if (a == "--programs") programsArg = argv[++i];
        else if (a == "--gen-prices") genPricesArg = argv[++i];
        else if (a == "--out") outArg = argv[++i];
        else return Usage();
    }
    if (programsArg.empty() || genPricesArg.empty() || outArg.empty()) return Usage();

    // Text on pictures needs a GUI application, but no display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    try {
        const fs::path programs = fs::absolute(programsArg);
        const fs::path genPrices = fs::absolute(genPricesArg);
        fs::create_directories(outArg);
        fs::current_path(outArg);

        WriteLines("SYSTEM.INI", layout::SystemIni());
        if (Run(genPrices.string(),
                {"--market", "US", "--weeks", "520", "--seed", "7", "--out", "BONDS.DAT"}) != 0)
            throw std::runtime_error("gen_prices failed: " + genPrices.string());
        const std::string priceBytes = devtools::ReadFile("BONDS.DAT");
        // The check value bytes of a price line never hold a CR or LF: their
        // nibbles are digits.
        const layout::Lines priceLines = devtools::SplitLines(priceBytes);
        const std::vector<layout::PriceBar> bars = layout::ReadPriceBars(priceLines);

        WriteLines("BONDS.WWW", layout::PriceEntryFile(priceLines));
        devtools::WriteFile("BONDS.WKY", priceBytes);   // the price history as it stands
        WriteLines("BONDS.SYS", {layout::DefaultParameterLine()});
        for (const char* name : layout::kComponentFiles)
            WriteLines(name, {"Component placeholder of the sample working directory."});

        if (fs::exists(programs / "QEL5100.EXE"))
            CopyExecutable(programs / "QEL5100.EXE", "QEL5100.EXE");
        else
            WriteLines("QEL5100.EXE", {"Edition placeholder: the T-Bond edition."});
        for (const char* name : {"MVR.DLL", "KQ4.DLL", "PXD.DLL", "TLQ.DLL"}) {
            if (fs::exists(programs / name))
                CopyExecutable(programs / name, name);
            else
                std::fprintf(stderr, "make_sample_dir: no %s in %s\n", name, programs.c_str());
        }
        if (fs::is_directory(programs)) {   // help files, if the build made any
            for (const auto& entry : fs::directory_iterator(programs)) {
                const std::string ext = entry.path().extension().string();
                if (ext == ".HLP" || ext == ".hlp")
                    fs::copy_file(entry.path(), entry.path().filename(),
                                  fs::copy_options::overwrite_existing);
            }
        }

        layout::SavePicture(layout::SplashPicture(), "Splash.bmp");
        layout::SavePicture(layout::AboutPicture(), "About.bmp");
        for (const char* program : {"MVR", "KQ4", "PXD"})
            layout::SavePicture(layout::RunPicture(program), std::string(program) + ".BMP");
        for (const char* name : layout::kSignalPictures)
            layout::SavePicture(layout::SignalPicture(name), name);
        layout::SavePicture(layout::GlobePicture(), "globe.gif");

        for (int n = 1; n <= 5; ++n)
            WriteLines("SCHEME" + std::to_string(n) + ".PAL", layout::SchemeFile(n));
        for (int m = 0; m < 12; ++m)
            WriteLines(std::string("CALENDAR.") + layout::kMonthSuffixes[m], layout::CalendarFile(m));
        const layout::Lines charts = layout::ChartList(bars);
        WriteLines("CHARTS.LST", charts);
        for (const std::string& name : charts) {
            const int year = std::stoi(name.substr(0, 4));
            layout::SavePicture(
                layout::YearChartPicture(layout::YearBars(bars, year),
                                         "30 Year T-Bonds, weekly bars, " + name.substr(0, 4)),
                name + ".GIF");
        }

        // An earlier week's run, so every window finds its files.
        for (const char* name : {"MVR.DLL", "KQ4.DLL", "PXD.DLL"})
            if (fs::exists(name)) Run(name);
        for (const char* name : {"MESSAGES.MVR", "MESSAGES.KQ4", "MESSAGES.PXD"})
            fs::remove(name);
        std::printf("make_sample_dir: sample working directory ready in %s\n",
                    fs::current_path().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_dir: %s\n", e.what());
        return 1;
    }
    return 0;
}
