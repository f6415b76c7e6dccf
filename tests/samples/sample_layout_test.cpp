// The sample working directory: the GIF writer against Qt's GIF reader, the
// text files' formats, and a complete layout made by make_sample_dir.
#include "GifWriter.hpp"
#include "Pictures.hpp"
#include "SampleFiles.hpp"

#include "ChildProcess.hpp"
#include "FileText.hpp"
#include "TempWorkDir.hpp"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;
using layout::Lines;

namespace {

QImage DecodeGif(const std::string& bytes)
{
    QImage img;
    img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), "GIF");
    return img.convertToFormat(QImage::Format_RGB32);
}

layout::RgbImage Pattern(int w, int h, int colours, unsigned seed)
{
    layout::RgbImage img;
    img.width = w;
    img.height = h;
    std::mt19937 rng(seed);
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < colours; ++i) palette.push_back(rng() & 0xFFFFFF);
    for (int i = 0; i < w * h; ++i) img.pixels.push_back(palette[rng() % palette.size()]);
    return img;
}

Lines ReadLines(const fs::path& p)
{
    return devtools::SplitLines(devtools::ReadFile(p));
}

}  // namespace

TEST(GifWriter, QtReadsBackEveryPixelExactly)
{
    struct Case {
        const char* what;
        layout::RgbImage image;
    };
    layout::RgbImage stripes;
    stripes.width = 300;
    stripes.height = 7;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 300; ++x) stripes.pixels.push_back(x % 3 == 0 ? 0xFF0000 : 0x00FF00);
    const Case cases[] = {
        {"one pixel", Pattern(1, 1, 1, 1)},
        {"one colour", Pattern(50, 40, 1, 2)},
        {"two colours, smallest code size", Pattern(33, 17, 2, 3)},
        {"five colours, table of eight", Pattern(64, 64, 5, 4)},
        {"long runs", stripes},
        // Noise fills the 4096-code table many times over: every clear code.
        {"256 colours of noise", Pattern(300, 300, 256, 5)},
    };
    for (const Case& c : cases) {
        const QImage decoded = DecodeGif(layout::EncodeGif(c.image));
        ASSERT_FALSE(decoded.isNull()) << c.what;
        ASSERT_EQ(decoded.width(), c.image.width) << c.what;
        ASSERT_EQ(decoded.height(), c.image.height) << c.what;
        int wrong = 0;
        for (int y = 0; y < decoded.height(); ++y)
            for (int x = 0; x < decoded.width(); ++x)
                wrong += (decoded.pixel(x, y) & 0xFFFFFF) != c.image.pixels[y * c.image.width + x];
        EXPECT_EQ(wrong, 0) << c.what;
    }
}

TEST(GifWriter, MoreThan256ColoursKeepTheMostFrequentAndMapTheRestToTheNearest)
{
    layout::RgbImage img;
    img.width = 400;
    img.height = 2;
    for (int i = 0; i < 800; ++i)  // 300 rare greys, then 500 pixels of pure blue
        img.pixels.push_back(i < 300 ? std::uint32_t(i % 256) * 0x010101u + (i >= 256) : 0x0000FF);
    const auto palette = layout::ChoosePalette(img);
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette.front(), 0x0000FFu);
    const QImage decoded = DecodeGif(layout::EncodeGif(img));
    ASSERT_EQ(decoded.width(), 400);
    const std::set<std::uint32_t> allowed(palette.begin(), palette.end());
    // Ties in count go by colour value, so the 45 lightest greys are dropped
    // and each takes the lightest grey kept.
    for (int x = 0; x < 400; ++x) {
        const std::uint32_t original = img.pixels[x];
        const std::uint32_t p = decoded.pixel(x, 0) & 0xFFFFFF;
        EXPECT_EQ(p, allowed.count(original) ? original : 0xD2D2D2u) << x;
    }
}

TEST(SampleFiles, ParameterLineIsTheDefaultSettingsLine)
{
    const std::string line = layout::DefaultParameterLine();
    EXPECT_EQ(line.size(), 84u);
    EXPECT_EQ(line,
              "Y100200002501500030000" "1000V12.4..78....456789X1......8.1....6.89"
              "L1.34...8.12...6.89Y");
}

TEST(SampleFiles, SchemesHoldFourteenColoursAndTheEndLine)
{
    std::set<Lines> distinct;
    for (int n = 1; n <= 5; ++n) {
        const Lines s = layout::SchemeFile(n);
        ASSERT_EQ(s.size(), 15u) << n;
        EXPECT_EQ(s.back(), "999999999");
        for (int i = 0; i < 14; ++i) {
            const std::string& v = s[i];
            ASSERT_FALSE(v.empty());
            EXPECT_TRUE(v == "0" || v[0] != '0') << "no leading zeros: " << v;
            EXPECT_EQ(v.find_first_not_of("0123456789"), std::string::npos) << v;
            EXPECT_LE(std::stol(v), 0xFFFFFF) << v;
        }
        distinct.insert(s);
    }
    EXPECT_EQ(distinct.size(), 5u);
    // Red is in the low byte: scheme 1's short bars are pure red.
    EXPECT_EQ(layout::SchemeFile(1)[4], "255");
}

TEST(SampleFiles, CalendarMonthsHoldNotes)
{
    for (int m = 0; m < 12; ++m) {
        const Lines notes = layout::CalendarFile(m);
        EXPECT_GE(notes.size(), 3u) << m;
        for (const auto& n : notes) EXPECT_FALSE(n.empty()) << m;
    }
}

TEST(SampleFiles, PriceEntryFileTakesTheLastWeeksTextColumns)
{
    Lines price;
    for (int i = 0; i < 12; ++i)
        price.push_back("0" + std::to_string(i % 10) + "JAN95 002354 002358 002340 002356 00000 " +
                        std::string("\x12\x34\x56\x78\x90\x12\x34\x56\x78\x9C", 10));
    price.push_back("THE-END");
    price.push_back("09JAN95 after the end");
    const Lines entry = layout::PriceEntryFile(price, 8);
    ASSERT_EQ(entry.size(), 9u);
    EXPECT_EQ(entry.back(), "THE-END");
    EXPECT_EQ(entry.front(), price[4].substr(0, 43));
    for (std::size_t i = 0; i + 1 < entry.size(); ++i) EXPECT_EQ(entry[i].size(), 43u);
    // A file shorter than the weeks asked for gives all of it.
    EXPECT_EQ(layout::PriceEntryFile({price[0]}, 8).size(), 2u);
}

TEST(SampleFiles, ChartListNamesFullYearsAndYearBarsAreBackAdjusted)
{
    std::vector<layout::PriceBar> bars;
    for (int y = 0; y < 5; ++y)
        for (int w = 0; w < (y == 0 ? 20 : 52); ++w)
            bars.push_back({"01JAN" + std::to_string(90 + y), 100, 90, 95, 0});
    EXPECT_EQ(layout::ChartList(bars, 3), (Lines{"1992D", "1993D", "1994D"}));
    EXPECT_EQ(layout::ChartList(bars, 9).front(), "1991D");   // 1990 is not full

    std::vector<layout::PriceBar> roll = {{"07JAN93", 100, 90, 95, 0},
                                          {"14JAN93", 130, 120, 125, 20},
                                          {"21JAN93", 140, 130, 135, 0}};
    const auto adjusted = layout::YearBars(roll, 1993);
    ASSERT_EQ(adjusted.size(), 3u);
    EXPECT_EQ(adjusted[0].close, 115);   // lifted by the later roll
    EXPECT_EQ(adjusted[1].close, 125);
    EXPECT_EQ(adjusted[2].close, 135);
}

TEST(Pictures, PanelPicturesHaveThePanelsSizeAndDiffer)
{
    std::set<std::vector<std::uint32_t>> distinct;
    for (const char* name : layout::kSignalPictures) {
        const QImage img = layout::SignalPicture(name);
        EXPECT_EQ(img.size(), QSize(layout::kPanelPictureWidth, layout::kPanelPictureHeight)) << name;
        distinct.insert(layout::ToRgbImage(img).pixels);
    }
    for (const char* program : {"MVR", "KQ4", "PXD"})
        distinct.insert(layout::ToRgbImage(layout::RunPicture(program)).pixels);
    EXPECT_EQ(distinct.size(), 11u);
    EXPECT_THROW(layout::SignalPicture("HOLD.BMP"), std::invalid_argument);
}

// The whole layout, with the real programs.
TEST(SampleDirectory, EveryWindowFindsItsFiles)
{
    const devtools::TempWorkDir dir("sample-dir-test-");
    const fs::path out = dir / "demo";
    const auto run = devtools::RunChild(
        MAKE_SAMPLE_DIR_PROGRAM,
        {"--programs", PROGRAMS_DIR, "--gen-prices", GEN_PRICES_PROGRAM, "--out", out.string()},
        {.out = devtools::Output::Discard, .err = devtools::Output::Capture});
    ASSERT_EQ(run.status, 0) << run.err;

    const Lines charts = ReadLines(out / "CHARTS.LST");
    ASSERT_FALSE(charts.empty());
    for (const std::string& name : layout::LayoutFiles(charts))
        EXPECT_TRUE(fs::exists(out / name)) << name;
    for (const char* gone : {"MESSAGES.MVR", "MESSAGES.KQ4", "MESSAGES.PXD"})
        EXPECT_FALSE(fs::exists(out / gone)) << gone;

    EXPECT_EQ(ReadLines(out / "SYSTEM.INI").at(0).substr(0, 2), "US");
    EXPECT_EQ(ReadLines(out / "BONDS.SYS").at(0).size(), 84u);
    EXPECT_EQ(ReadLines(out / "BONDS.WWW").back(), "THE-END");
    EXPECT_EQ(ReadLines(out / "SCHEME1.PAL").size(), 15u);

    const auto size = [&](const char* name) {
        QImageReader reader(QString::fromStdString((out / name).string()));
        const QImage img = reader.read();
        EXPECT_FALSE(img.isNull()) << name << ": " << reader.errorString().toStdString();
        return img.size();
    };
    EXPECT_EQ(size("Splash.bmp"), QSize(layout::kSplashWidth, layout::kSplashHeight));
    EXPECT_FALSE(size("About.bmp").isEmpty());
    for (const char* name : layout::kSignalPictures)
        EXPECT_EQ(size(name), QSize(layout::kPanelPictureWidth, layout::kPanelPictureHeight));
    for (const char* name : layout::kRunPictures)
        EXPECT_EQ(size(name), QSize(layout::kPanelPictureWidth, layout::kPanelPictureHeight));
    EXPECT_EQ(size("globe.gif"), QSize(layout::kChartWidth, layout::kChartHeight));
    for (const std::string& name : charts)
        EXPECT_EQ(size((name + ".GIF").c_str()), QSize(layout::kChartWidth, layout::kChartHeight));

    for (const char* program : {"MVR.DLL", "KQ4.DLL", "PXD.DLL", "TLQ.DLL"})
        EXPECT_EQ(::access((out / program).c_str(), X_OK), 0) << program;
    // The earlier week's run left what the plotter and the panes load.
    for (const char* name : {"FK.MVR", "FK.KQ4", "REPORT69.MVR", "SIGNAL.PXD", "TCHART.TCH",
                             "SUM.REP", "STP.REP", "DT3.REP"})
        EXPECT_TRUE(fs::exists(out / name)) << name;
    EXPECT_EQ(ReadLines(out / "TCHART.TCH").size(), ReadLines(out / "FK.MVR").size() + 1);
}

TEST(SampleDirectory, AFolderThatCannotBeMadeIsReported)
{
    const devtools::TempWorkDir dir("sample-dir-test-");
    devtools::WriteFile(dir / "plain", "a file, not a folder");
    const auto run = devtools::RunChild(
        MAKE_SAMPLE_DIR_PROGRAM,
        {"--programs", PROGRAMS_DIR, "--gen-prices", GEN_PRICES_PROGRAM, "--out",
         (dir / "plain" / "demo").string()},
        {.out = devtools::Output::Discard, .err = devtools::Output::Capture});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("make_sample_dir: "), std::string::npos) << run.err;
}

int main(int argc, char** argv)
{
    // Text on the pictures needs a GUI application; no display is used.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
