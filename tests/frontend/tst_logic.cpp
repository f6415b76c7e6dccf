// The plain rules behind the windows: the signal line, the run order, the
// captions, the pane heights, the detail jump and the plotter's year list.
#include "logic/chartfile.h"
#include "logic/palette.h"
#include "logic/processstage.h"
#include "logic/reportstate.h"
#include "logic/signalline.h"
#include "logic/qelerror.h"

#include <QtTest>

class TestLogic : public QObject {
    Q_OBJECT
private slots:
    void signalCaption_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("caption");
        QTest::newRow("buy, 2001") << "GL              05JAN01" << "Signal for:  05 January 2001";
        QTest::newRow("month not capitals") << "GL              05Jan01" << "Signal for:  05 Jan 2001";
        QTest::newRow("60 is 1960") << "SS              17DEC60" << "Signal for:  17 December 1960";
        QTest::newRow("59 is 2059") << "SS              17AUG59" << "Signal for:  17 August 2059";
        QTest::newRow("day kept as it stands") << "SO               7SEP99 rest" << "Signal for:   7 September 1999";
    }
    void signalCaption()
    {
        QFETCH(QString, line);
        QFETCH(QString, caption);
        QCOMPARE(SignalFile::SignalCaption(line), caption);
    }

    void signalCaptionRefusesAYearThatIsNotANumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("empty") << "";
        QTest::newRow("short") << "GL              05JAN";
        QTest::newRow("letters") << "GL              05JANXX";
        QTest::newRow("digit and blank") << "GL              05JAN0 ";
    }
    void signalCaptionRefusesAYearThatIsNotANumber()
    {
        QFETCH(QString, line);
        QVERIFY_THROWS_EXCEPTION(QelError, SignalFile::SignalCaption(line));
    }

    void signalPictures()
    {
        QCOMPARE(SignalFile::SignalPicture("GL"), QString("BUY.BMP"));
        QCOMPARE(SignalFile::SignalPicture("SS"), QString("STAYXORT.BMP"));
        QCOMPARE(SignalFile::SignalPicture("SO"), QString("STAYOUT.BMP"));
        QCOMPARE(SignalFile::SignalPicture("gl"), QString());
        QCOMPARE(SignalFile::SignalPicture("  "), QString());
        QCOMPARE(SignalFile::SignalCode("G"), QString("G "));
        QCOMPARE(SignalFile::SignalDateKey("GL              05JAN01"), QString("05JAN01"));
    }

    void runOrder()
    {
        const QChar blank(' '), a('A');
        QVERIFY(!DecideRun(blank, RunKind::KQ4).allowed);
        QCOMPARE(DecideRun(blank, RunKind::KQ4).refusal, QString("You must execute process \"MVR\" first."));
        QCOMPARE(DecideRun(blank, RunKind::MVR).nextStage, a);
        QCOMPARE(DecideRun(a, RunKind::MVR).nextStage, a);
        QCOMPARE(DecideRun(a, RunKind::KQ4).nextStage, blank);
        QVERIFY(!DecideRun(a, RunKind::System).allowed);
        QCOMPARE(DecideRun(a, RunKind::System).refusal, QString("You must execute process \"KQ4\" also."));
        QVERIFY(DecideRun(blank, RunKind::System).allowed);
        QCOMPARE(DecideRun(blank, RunKind::System).nextStage, blank);
    }

    void captions()
    {
        ReportState state;
        state.SetActiveTitle(" Profit Summary Report", "Profit Summary Report");
        QCOMPARE(state.JoinedCaption(), QString(" Profit Summary Report :  "));
        state.ActivePane = 1;
        state.SetActiveTitle(" Detail Report", "Detail Report");
        QCOMPARE(state.JoinedCaption(), QString(" Profit Summary Report : Detail Report"));
        state.ClearActiveTitle();
        QCOMPARE(state.CaptionAfterClear(), QString(" Profit Summary Report :  "));
        state.ActivePane = 0;
        state.ClearActiveTitle();
        QCOMPARE(state.CaptionAfterClear(), QString(" Norvane Inc."));

        ReportState second;
        second.ActivePane = 1;
        second.SetActiveTitle(" Profit Summary Report", "Profit Summary Report");
        QCOMPARE(second.JoinedCaption(), QString("  : Profit Summary Report"));
    }

    void paneHeights_data()
    {
        QTest::addColumn<bool>("opening");
        QTest::addColumn<int>("client");
        QTest::addColumn<bool>("toolBar");
        QTest::addColumn<int>("height");
        QTest::newRow("open, tool bar") << true << 751 << true << 360;
        QTest::newRow("open, no tool bar") << true << 751 << false << 374;
        QTest::newRow("close, tool bar") << false << 751 << true << 719;
        QTest::newRow("close, no tool bar") << false << 751 << false << 750;
        QTest::newRow("open, tiny window") << true << 80 << true << 50;
        QTest::newRow("close, tiny window") << false << 60 << true << 50;
    }
    void paneHeights()
    {
        QFETCH(bool, opening);
        QFETCH(int, client);
        QFETCH(bool, toolBar);
        QFETCH(int, height);
        QCOMPARE(MainPaneHeightOnSplit(opening, client, toolBar), height);
    }

    void toolBarHeights()
    {
        QCOMPARE(MainPaneHeightOnToolBar(505, 30, false), 535);
        QCOMPARE(MainPaneHeightOnToolBar(505, 30, true), 475);
        QCOMPARE(MainPaneHeightOnToolBar(60, 30, true), 50);
    }

    void dragHeights()
    {
        // Client 751, tool bar 30, splitter 3: the second pane keeps 1 pixel.
        QCOMPARE(MainPaneHeightOnDrag(400, 751, 30, 3), 400);
        QCOMPARE(MainPaneHeightOnDrag(717, 751, 30, 3), 717);
        QCOMPARE(MainPaneHeightOnDrag(718, 751, 30, 3), 717);
        QCOMPARE(MainPaneHeightOnDrag(5000, 751, 0, 1), 749);
        QCOMPARE(MainPaneHeightOnDrag(10, 751, 30, 3), 50);
        QCOMPARE(MainPaneHeightOnDrag(5000, 60, 30, 3), 50);   // the minimum wins in a tiny window
    }

    void detailJump_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("offset");
        QTest::newRow("first line") << QStringList{"  05JAN01 x", "05JAN01"} << "05JAN01" << true << 0 << 2;
        QTest::newRow("third line") << QStringList{"abc", "", "x 05JAN01"} << "05JAN01" << true << 2 << 3 + 0 + 2 * 2 + 2;
        QTest::newRow("first occurrence in line") << QStringList{"12", "05JAN01 05JAN01"} << "05JAN01" << true << 1 << 2 + 2;
        QTest::newRow("absent") << QStringList{"abc"} << "05JAN01" << false << 0 << 0;
        QTest::newRow("empty key") << QStringList{"abc"} << "" << false << 0 << 0;
    }
    void detailJump()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, key);
        QFETCH(bool, found);
        QFETCH(int, line);
        QFETCH(int, offset);
        const DetailJump jump = FindDetailJump(lines, key);
        QCOMPARE(jump.found, found);
        if (found) {
            QCOMPARE(jump.line, line);
            QCOMPARE(jump.offset, offset);
        }
    }

    void yearList()
    {
        const QStringList lines{"07JAN2000   0", "14JAN2000   1", "05JAN2001   2", "04JAN2002   3", "LAST LINE"};
        QCOMPARE(BuildYearList(lines), (QStringList{"2002     3", "2001     2", "2000     0"}));
        QCOMPARE(BuildYearList({"07JAN2000   0"}), QStringList{});
        QCOMPARE(BuildYearList({"", "LAST"}), QStringList{"          "});
    }

    void palette()
    {
        QStringList lines;
        for (int i = 0; i < PaletteSize; ++i)
            lines << QString::number(i * 65793);
        lines << "THE-END";
        const Palette palette = ParsePalette(lines, "SCHEME1.PAL");
        QCOMPARE(palette[0], TColor(0));
        QCOMPARE(palette[13], TColor(13 * 65793));
        QCOMPARE(BlueOf(palette[13]), 13);
        lines[5] = " $FF";
        QCOMPARE(ParsePalette(lines, "S.PAL")[5], TColor(255));
        lines[5] = "12a";
        QVERIFY_THROWS_EXCEPTION(QelError, ParsePalette(lines, "S.PAL"));
        QVERIFY_THROWS_EXCEPTION(QelError, ParsePalette(lines.mid(0, 13), "S.PAL"));
    }
};

QTEST_GUILESS_MAIN(TestLogic)
#include "tst_logic.moc"
