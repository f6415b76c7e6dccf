// signal_caption in a working directory: what it prints for a signal file,
// and the reason it gives when there is no caption to show.
#include "ChildProcess.hpp"
#include "FileText.hpp"
#include "TempWorkDir.hpp"

#include <gtest/gtest.h>

namespace {

devtools::ChildResult RunIn(const devtools::TempWorkDir& dir)
{
    return devtools::RunChild(SIGNAL_CAPTION_PROGRAM, {},
                              {.workDir = dir.Path(), .out = devtools::Output::Capture,
                               .err = devtools::Output::Capture});
}

}  // namespace

TEST(SignalCaption, FirstLineOfTheSignalFile)
{
    const struct {
        const char* file;
        std::string bytes;
        const char* out;
    } cases[] = {
        {"SIGNAL.PXD", "GL BUY          05JAN01 114-22\r\nsecond line\r\n",
         "Signal for:  05 January 2001\n(signal code GL, picture BUY.BMP)\n"},
        {"signal.pxd", "SS STAY SHORT   28AUG98\n",
         "Signal for:  28 August 1998\n(signal code SS, picture STAYXORT.BMP)\n"},
        // An unknown code leaves the run's picture; an unknown month stays as it is.
        {"SIGNAL.PXD", "ZZ              01Xyz59", "Signal for:  01 Xyz 2059\n(signal code ZZ, picture PXD.BMP)\n"},
    };
    for (const auto& c : cases) {
        const devtools::TempWorkDir dir("signal-caption-");
        devtools::WriteFile(dir / c.file, c.bytes);
        const devtools::ChildResult run = RunIn(dir);
        EXPECT_EQ(run.status, 0) << c.bytes << run.err;
        EXPECT_EQ(run.out, c.out) << c.bytes;
    }
}

TEST(SignalCaption, NoSignalFileOrNoYearIsReportedAndFails)
{
    const devtools::TempWorkDir dir("signal-caption-");
    devtools::ChildResult run = RunIn(dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "signal_caption: SIGNAL.PXD was not written: no signal this week.\n");

    devtools::WriteLines(dir / "SIGNAL.PXD", {"GO GET OUT      05JAN"});
    run = RunIn(dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "signal_caption: SIGNAL.PXD: '  ' is not a valid integer value\n");
    EXPECT_TRUE(run.out.empty());
}
