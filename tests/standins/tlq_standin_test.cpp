// The TLQ stand-in: the two checks on file texts, its line reader, and the
// program itself in a working directory, where it may change nothing but its
// two message files.
#include "TlqStandIn.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

#include "ChildProcess.hpp"
#include "TempWorkDir.hpp"

namespace fs = std::filesystem;
using tlq::Lines;

namespace {

// A history line: the 43 entry columns, then ten check bytes (not text).
std::string HistoryLine(const std::string& entry)
{
    std::string line = entry;
    line.resize(43, ' ');
    return line + std::string("\x04\x90\x67\x48\x42\x42\x95\x38\x55\x2C", 10);
}

const std::string kWeek1 = "05JAN01N 003650 003680 003640 003660 00000N";
const std::string kWeek2 = "12JAN01N 003660 003700 003650 003690 00000N";
const std::string kWeek2Changed = "12JAN01N 003660 003700 003650 003692 00000N";
const std::string kWeek3 = "19JAN01N 003690 003720 003680 003710 00000N";

const Lines kHistory = {HistoryLine(kWeek1), HistoryLine(kWeek2), "THE-END"};
const Lines kEntries = {kWeek1, kWeek2Changed, "", kWeek3, "THE-END", "26JAN01 after the end"};

const Lines kEntryMessages = {
    " TLQ STAND-IN: entry check, no file changed.",
    "  Line 1  05JAN01  known",
    "  Line 2  12JAN01  known, differs from BONDS.WKY:",
    "    WWW " + kWeek2Changed,
    "    WKY " + kWeek2,
    "  Line 3  no date, skipped",
    "  Line 4  19JAN01  new",
    " 4 lines: 1 new, 2 known, 1 differing, 1 without a date.",
};
const Lines kHistoryMessages = {
    " TLQ STAND-IN: history check, no file changed.",
    " BONDS.WKY: 2 lines.",
    " First date 05JAN01, last date 12JAN01.",
    " No errors found.",
};

std::string Bytes(const Lines& lines)
{
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

TEST(TlqEntryCheck, ListsNewKnownAndDifferingLinesUpToTheEndMarker)
{
    EXPECT_EQ(tlq::EntryCheck(kEntries, kHistory), kEntryMessages);
}

TEST(TlqEntryCheck, ReportsMissingInputsAndAMissingEndMarker)
{
    EXPECT_EQ(tlq::EntryCheck(std::nullopt, kHistory),
              (Lines{" TLQ STAND-IN: entry check, no file changed.", " BONDS.WWW is missing."}));
    EXPECT_EQ(tlq::EntryCheck(Lines{kWeek1}, std::nullopt),
              (Lines{" TLQ STAND-IN: entry check, no file changed.",
                     " BONDS.WKY is missing: every line is new.", "  Line 1  05JAN01  new",
                     " BONDS.WWW has no THE-END line.", " 1 lines: 1 new, 0 known, 0 differing."}));
    EXPECT_EQ(tlq::EntryCheck(Lines{}, kHistory),
              (Lines{" TLQ STAND-IN: entry check, no file changed.", " BONDS.WWW has no THE-END line.",
                     " 0 lines: 0 new, 0 known, 0 differing."}));
}

TEST(TlqEntryCheck, ComparesTheFirstHistoryLineOfADateAndAShortEntryAsBlanks)
{
    // The entry stops at its close; columns up to 43 count as blanks. The
    // history's second line of the date is not the one compared.
    const std::string shortEntry = kWeek1.substr(0, 36);
    const Lines history = {HistoryLine(shortEntry), HistoryLine(kWeek1)};
    EXPECT_EQ(tlq::EntryCheck(Lines{shortEntry, "THE-END"}, history).at(1), "  Line 1  05JAN01  known");
}

TEST(TlqHistoryCheck, ReportsRepeatedDatesAndShortLines)
{
    EXPECT_EQ(tlq::HistoryCheck(kHistory), kHistoryMessages);
    const Lines history = {HistoryLine(kWeek1), HistoryLine(kWeek2), kWeek2, HistoryLine(kWeek3),
                           HistoryLine(kWeek1)};
    EXPECT_EQ(tlq::HistoryCheck(history),
              (Lines{" TLQ STAND-IN: history check, no file changed.", " BONDS.WKY: 5 lines.",
                     " First date 05JAN01, last date 05JAN01.", "  Line 3: date 12JAN01 repeats line 2.",
                     "  Line 3: 43 columns, 53 needed.", "  Line 5: date 05JAN01 repeats line 1.",
                     " Errors found: 3."}));
}

TEST(TlqHistoryCheck, ReportsAMissingOrEmptyHistory)
{
    EXPECT_EQ(tlq::HistoryCheck(std::nullopt),
              (Lines{" TLQ STAND-IN: history check, no file changed.", " BONDS.WKY is missing."}));
    for (const Lines& empty : {Lines{}, Lines{"THE-END", kWeek1}})
        EXPECT_EQ(tlq::HistoryCheck(empty),
                  (Lines{" TLQ STAND-IN: history check, no file changed.", " BONDS.WKY is empty."}));
}

// ---- the program in a working directory -----------------------------------

class TlqProgram : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& bytes) const { devtools::WriteFile(dir_ / name, bytes); }
    std::string Read(const std::string& name) const { return devtools::TryReadFile(dir_ / name).value_or(""); }
    // Every file of the directory with its bytes.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(dir_.Path()))
            files[entry.path().filename().string()] =
                entry.is_directory() ? std::string("<dir>") : Read(entry.path().filename().string());
        return files;
    }
    int Run() const { return devtools::RunChild(TLQ_PROGRAM, {}, {dir_.Path()}).status; }

    devtools::TempWorkDir dir_{"tlq-test-"};
};

TEST_F(TlqProgram, WritesBothMessageFilesAndChangesNothingElse)
{
    // LF entry lines, a CR LF history, and files the run must not touch.
    std::string entries;
    for (const std::string& l : kEntries) entries += l + "\n";
    Write("BONDS.WWW", entries);
    Write("BONDS.WKY", Bytes(kHistory));
    Write("BONDS.BAK", "backup\r\n");
    Write("MESSAGES.TLW", "an earlier run's messages\r\n");
    auto before = Snapshot();

    ASSERT_EQ(Run(), 0);
    auto after = Snapshot();
    EXPECT_EQ(after.at("MESSAGES.TLW"), Bytes(kEntryMessages));
    EXPECT_EQ(after.at("MESSAGES.TLF"), Bytes(kHistoryMessages));
    before.erase("MESSAGES.TLW");
    after.erase("MESSAGES.TLW");
    after.erase("MESSAGES.TLF");
    EXPECT_EQ(after, before);
}

TEST_F(TlqProgram, ReportsMissingInputsInBothFiles)
{
    fs::create_directory(dir_ / std::string("BONDS.WWW"));   // not readable as a file
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Read("MESSAGES.TLW"),
              Bytes({" TLQ STAND-IN: entry check, no file changed.", " BONDS.WWW is missing."}));
    EXPECT_EQ(Read("MESSAGES.TLF"),
              Bytes({" TLQ STAND-IN: history check, no file changed.", " BONDS.WKY is missing."}));
    EXPECT_EQ(Snapshot().size(), 3u);
}

TEST_F(TlqProgram, FindsItsInputsWhateverTheirCase)
{
    Write("bonds.www", Bytes(kEntries));
    Write("Bonds.Wky", Bytes(kHistory));
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Read("MESSAGES.TLW"), Bytes(kEntryMessages));
    EXPECT_EQ(Read("MESSAGES.TLF"), Bytes(kHistoryMessages));
}

TEST(DevtoolsReadLines, KeepsDataBytesAndDropsOnlyTheLineEnd)
{
    const fs::path file = fs::temp_directory_path() / ("tlq-read-" + std::to_string(::getpid()));
    // A check value's last byte may be a CR; only the CR of the line end goes.
    std::ofstream(file, std::ios::binary) << "a\r\nb\x0D\r\nc\n\nlast";
    EXPECT_EQ(devtools::TryReadLines(file.string()), (Lines{"a", "b\x0D", "c", "", "last"}));
    fs::remove(file);
    EXPECT_EQ(devtools::TryReadLines(file.string()), std::nullopt);
}

}  // namespace
