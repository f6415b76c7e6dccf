// The digit, file and message layer shared by both batch programs.
#include "BatchTestSupport.hpp"
#include "DigitField.hpp"
#include "LineFile.hpp"
#include "MessageFile.hpp"
#include "RunControl.hpp"
#include "Window.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace batch;

namespace {

DecimalAccumulator Dec(std::int64_t mantissa, int decimals) { return DecimalAccumulator::FromDigits(mantissa < 0 ? -mantissa : mantissa, decimals, mantissa < 0); }

template <class Field>
std::string Stored(const DecimalAccumulator& v, Rounding r = Rounding::Truncate)
{
    Field f;
    f.Store(v, r);
    return std::string(f.Text());
}

}  // namespace

TEST(DigitLayer, StoreCutsRoundsAndSigns)
{
    struct Case {
        const char* what;
        std::string got, want;
    };
    const Case cases[] = {
        {"2400 - 2500 unsigned keeps the magnitude", Stored<DigitField<6>>(Dec(2400, 0) - Dec(2500, 0)), "000100"},
        {"2400 - 2500 signed: sign in the last digit", Stored<SignedDigitField<6>>(Dec(2400, 0) - Dec(2500, 0)), "00010p"},
        {"1234567.8 into six integer digits", Stored<DigitField<6>>(Dec(12345678, 1)), "234567"},
        {"decimals are cut off", Stored<DigitField<3, 2>>(Dec(1239999, 5)), "01239"},
        {"a negative value is cut toward zero", Stored<SignedDigitField<3, 1>>(Dec(-45999, 3)), "045y"},
        {"2.5 rounds to 3", Stored<DigitField<3>>(Dec(25, 1), Rounding::HalfUp), "003"},
        {"-2.5 rounds to -3", Stored<SignedDigitField<3>>(Dec(-25, 1), Rounding::HalfUp), "00s"},
        {"99.995 rounds to 100.00", Stored<DigitField<3, 2>>(Dec(99995, 3), Rounding::HalfUp), "10000"},
        {"2.4999 rounds down", Stored<DigitField<3>>(Dec(24999, 4), Rounding::HalfUp), "002"},
        {"rounding happens before the high digits drop", Stored<DigitField<3>>(Dec(9995, 1), Rounding::HalfUp), "000"},
        {"zero is written positive", Stored<SignedDigitField<4>>(Dec(-1, 1)), "0000"},
        {"-12 ticks", Stored<SignedDigitField<6>>(Dec(-12, 0)), "00001r"},
        {"7 / 9 keeps twenty decimals", Stored<DigitField<1, 18>>(Divide(Dec(7, 0), Dec(9, 0))), "0777777777777777777"},
        {"a zero divisor gives 0", Stored<DigitField<3>>(Divide(Dec(5, 0), Dec(0, 0)) * 100), "000"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(DigitLayer, ReadingTakesTheLowFourBits)
{
    EXPECT_EQ(DigitField<6>("  12 3").Value(), Dec(1203, 0));
    EXPECT_EQ(DigitField<6>().Value(), Dec(0, 0));  // never written: blanks
    EXPECT_EQ(SignedDigitField<6>("00010p").Value(), Dec(-100, 0));
    EXPECT_EQ(SignedDigitField<6>("00012y").Value(), Dec(-129, 0));
    EXPECT_EQ((DigitField<3, 4>("0790000").Value()), Dec(790000, 4));
}

TEST(DigitLayer, DigitOperations)
{
    DigitField<5> counter{"99999"};
    DigitIncrement(counter);
    EXPECT_EQ(counter.Text(), "00000");
    DigitField<2> streak{"99"};
    DigitIncrement(streak);
    EXPECT_EQ(streak.Text(), "00");

    DigitField<6> blank, sum;
    DigitAdd(sum, blank, DigitField<6>{"000012"});
    EXPECT_EQ(sum.Text(), "000012");
    DigitField<6> big{"999999"};
    DigitAdd(sum, big, DigitField<6>{"000002"});
    EXPECT_EQ(sum.Text(), "000001");  // the carry out of the top digit is dropped

    SignedDigitField<6> difference;
    DigitSubtract(difference, DigitField<6>{"002400"}, DigitField<6>{"002500"});
    EXPECT_EQ(difference.Text(), "00010p");
}

TEST(DigitLayer, WideValuesStayExact)
{
    // Twenty integer digits and twenty decimals at once.
    const auto big = DecimalAccumulator::Integer(99999999999) * 1000000000;  // 20 digits
    const auto tiny = Divide(Dec(1, 0), Dec(3, 0));                          // 0.333... (20 decimals)
    const auto sum = big + tiny;
    EXPECT_EQ((Stored<DigitField<1, 18>>(sum)), "0333333333333333333");
    EXPECT_EQ(Stored<DigitField<18>>(sum), "999999999000000000");
    EXPECT_EQ(Stored<DigitField<18>>(sum - big), "000000000000000000");
    // A product of two wide values keeps its twenty decimals.
    EXPECT_EQ((Stored<DigitField<1, 18>>(tiny * DecimalAccumulator::Integer(3))), "0999999999999999999");
}

TEST(DigitLayer, PackedDecimal)
{
    const unsigned char positive[] = {0x04, 0x90, 0x67, 0x48, 0x42, 0x42, 0x95, 0x38, 0x55, 0x2C};
    EXPECT_EQ(PackedDecimalValue(positive, 10), DecimalAccumulator::Integer(490674842429538552));
    const unsigned char negative[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x2D};
    EXPECT_EQ(PackedDecimalValue(negative, 10), DecimalAccumulator::Integer(-12));
    const unsigned char blanks[] = {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
    EXPECT_EQ(PackedDecimalValue(blanks, 10), DecimalAccumulator::Integer(2020202020202020202));
}

TEST(RunControl, SubscriptOutsideTheTableIsError153)
{
    for (long long index : {0LL, 6001LL, -1LL}) {
        try {
            SubscriptCheck(index, 6000);
            FAIL() << index;
        } catch (const RunEnded& e) {
            EXPECT_EQ(e.exitStatus, -1);
            EXPECT_NE(e.report.find("153"), std::string::npos);
        }
    }
    EXPECT_NO_THROW(SubscriptCheck(1, 6000));
    EXPECT_NO_THROW(SubscriptCheck(6000, 6000));
}

TEST(LineFile, RecordsEndAtLineFeed)
{
    batchtest::WorkDir dir;
    std::string bytes = "short\r\n";
    bytes += std::string("lf only\n");
    bytes += std::string("data\r\r\n");                // the first CR is data
    bytes += std::string("nul\0byte\r\n", 10);
    bytes += std::string(85, 'x') + "\r\n";            // cut to 80
    bytes += "last line without an end";
    dir.Write("IN.TXT", bytes);
    LineFile file("IN.TXT", 20);
    file.OpenInput();
    ASSERT_TRUE(file.Status().IsOk());
    char record[20];
    const std::string want[] = {
        "short               ", "lf only             ", std::string("data\r") + std::string(15, ' '),
        std::string("nul\0byte", 8) + std::string(12, ' '), std::string(20, 'x'), "last line without an"};
    for (const std::string& w : want) {
        file.Read(record);
        EXPECT_EQ(file.Status().Text(), "00");
        EXPECT_EQ(std::string(record, 20), w);
    }
    file.Read(record);
    EXPECT_EQ(file.Status().Key1(), '1');
    file.Close();
}

TEST(LineFile, OpenStatuses)
{
    batchtest::WorkDir dir;
    LineFile missing("NOPE.DAT", 80);
    missing.OpenInput();
    EXPECT_FALSE(missing.Status().IsOk());

    std::filesystem::create_directory(dir.Path() / "FK.MVR");
    LineFile directory("FK.MVR", 190);
    directory.OpenOutput();
    EXPECT_TRUE(directory.Status().IsFatal());
    directory.OpenInput();
    EXPECT_FALSE(directory.Status().IsOk());

    LineFile out("OUT.TXT", 10);
    out.OpenOutput();
    out.Write("abc");
    out.Close();
    EXPECT_TRUE(out.Status().IsOk());
    EXPECT_EQ(dir.Read("OUT.TXT"), "abc\r\n");
}

TEST(MessageFile, FailureBlockLines)
{
    batchtest::WorkDir dir;
    MessageFile messages("MVR");
    messages.Open();
    FileMessage fileMessage;
    messages.WriteFailureBlock(fileMessage.Text(FailureReason::Corrupted));
    fileMessage.SetNameSlot("BONDS.DAT");
    messages.WriteFailureBlock(fileMessage.Text(FailureReason::Missing));
    messages.Close();
    const auto lines = batchtest::SplitLines(dir.Read("MESSAGES.MVR"));
    ASSERT_EQ(lines.size(), 12u);
    auto pad = [](std::string s) { s.resize(80, ' '); return s; };
    EXPECT_EQ(lines[0], pad(""));
    EXPECT_EQ(lines[1], pad(" MVR did not finish."));
    EXPECT_EQ(lines[3], pad(" File:           is corrupted."));
    EXPECT_EQ(lines[5], pad(" Process MVR failed."));
    EXPECT_EQ(lines[9], pad(" File: BONDS.DAT is missing."));
}

namespace {

struct CloseRow {
    DigitField<6> close;
    SignedDigitField<6> roll;
    static constexpr auto kAdjustedPrices = std::array{&CloseRow::close};
    static constexpr auto kRollAdjustment = &CloseRow::roll;
};

// Runs the window steps for current rows 11..count over a table of closes
// and roll adjustments, and returns the closes at the end.
std::vector<long> RunWindows(std::vector<long> closes, const std::vector<long>& rolls,
                             std::vector<std::vector<long>>* duringStep = nullptr)
{
    auto table = std::make_unique<RowTable<CloseRow>>();
    const int count = static_cast<int>(closes.size());
    for (int r = 1; r <= count; ++r) {
        table->At(r).close.StoreInteger(closes[r - 1]);
        table->At(r).roll.StoreInteger(rolls[r - 1]);
    }
    WindowCounters w;
    for (int first = 1; first + 10 <= count; ++first) {
        w.rowCounter.StoreInteger(first);
        SetUpWindow(w, *table, NeighbourRows::NotKept);
        EXPECT_EQ(w.windowEnd.AsInteger(), first + 10);
        if (duringStep) {
            std::vector<long> now;
            for (int r = 1; r <= count; ++r) now.push_back(static_cast<long>(table->At(r).close.AsInteger()));
            duringStep->push_back(now);
        }
    }
    std::vector<long> out;
    for (int r = 1; r <= count; ++r) out.push_back(static_cast<long>(table->At(r).close.AsInteger()));
    return out;
}

}  // namespace

TEST(Window, BackAdjustmentWorkedExample)
{
    std::vector<long> raw(13, 1000);
    std::vector<long> rolls(13, 0);
    rolls[0] = 77;  // rows 1-10 are never applied
    rolls[10] = 5;
    rolls[11] = 0;
    rolls[12] = -3;
    std::vector<std::vector<long>> steps;
    const auto closes = RunWindows(raw, rolls, &steps);
    const std::vector<long> want = {1005, 1005, 1002, 1002, 1002, 1002, 1002, 1002, 1002, 1002, 997, 997, 1000};
    EXPECT_EQ(closes, want);
    // While step 12 is computed: row 2 raw + 5, rows 3-10 raw + 5, row 11 raw, row 12 raw.
    const auto& step12 = steps[1];
    EXPECT_EQ(step12[1], 1005);
    EXPECT_EQ(step12[9], 1005);
    EXPECT_EQ(step12[10], 1000);
    EXPECT_EQ(step12[11], 1000);
}

TEST(Window, TwoRollsAndMagnitudes)
{
    const int a = 15;
    std::vector<long> raw(30, 3000), rolls(30, 0);
    rolls[a - 1] = 32;
    rolls[a + 3 - 1] = -20;
    const auto closes = RunWindows(raw, rolls);
    for (int r = 1; r <= 30; ++r) {
        long want = 3000;
        if (r >= a - 7 && r <= a - 1) want += 12;
        else if (r >= a - 10 && r <= a - 8) want += 32;
        else if (r >= a && r <= a + 2) want -= 20;
        EXPECT_EQ(closes[r - 1], want) << "row " << r;
    }
    // 5 with -10 is stored as 5 (the magnitude), then +3 makes 8.
    std::vector<long> small(13, 5), rolls2(13, 0);
    rolls2[10] = -10;
    rolls2[11] = 3;
    EXPECT_EQ(RunWindows(small, rolls2)[2], 8);
}
