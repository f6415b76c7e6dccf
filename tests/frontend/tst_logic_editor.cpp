// The price editor's and the rollover calculator's rules without a window:
// the price notation, the roll adjustment, the end marker, the merge pane's
// headings and leaving with unsaved changes.
#include "logic/editorrules.h"
#include "logic/pricenotation.h"
#include "logic/qelerror.h"

#include <QtTest>

using namespace EditorRules;

Q_DECLARE_METATYPE(WayOut)
Q_DECLARE_METATYPE(Answer)

class TestLogicEditor : public QObject {
    Q_OBJECT
private slots:
    void priceParts()
    {
        const auto parts = PriceNotation::SplitPrice("1_4-2_");
        QCOMPARE(parts.points, QString("1 4"));
        QCOMPARE(parts.ticks, QString("2 "));
        // A short text gives blanks.
        QCOMPARE(PriceNotation::SplitPrice("12").ticks, QString("  "));
        QCOMPARE(PriceNotation::ToTicks(114, 22), 3670);
    }

    void rollNumber_data()
    {
        QTest::addColumn<QString>("thisClose");
        QTest::addColumn<QString>("lastClose");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("ticksValid");
        QTest::newRow("help example") << "114-22" << "115-22" << "-032" << true;
        QTest::newRow("equal prices") << "100-00" << "100-00" << "-000" << true;
        QTest::newRow("rise") << "100-00" << "099-16" << "+016" << true;
        QTest::newRow("one tick") << "100-01" << "100-00" << "+001" << true;
        QTest::newRow("two digits") << "100-00" << "100-31" << "-031" << true;
        QTest::newRow("+100") << "103-04" << "100-00" << "+100" << true;
        QTest::newRow("-100") << "100-00" << "103-04" << "-100" << true;
        QTest::newRow("four digits") << "150-00" << "100-00" << "+1600" << true;
        QTest::newRow("five digits") << "999-31" << "000-00" << "+31999" << true;
        QTest::newRow("blank before a digit") << "_14-00" << "013-00" << "+032" << true;
        QTest::newRow("this ticks 32") << "100-32" << "100-00" << "+032" << false;
        QTest::newRow("last ticks 99") << "100-00" << "100-99" << "-099" << false;
        QTest::newRow("ticks 31") << "100-31" << "100-31" << "-000" << true;
    }
    void rollNumber()
    {
        QFETCH(QString, thisClose);
        QFETCH(QString, lastClose);
        QFETCH(QString, number);
        QFETCH(bool, ticksValid);
        const Rollover::RollInput input = Rollover::ReadRollInput(thisClose, lastClose);
        QCOMPARE(Rollover::RollNumber(input), number);
        QCOMPARE(Rollover::TicksValid(input), ticksValid);
    }

    // The parts are converted This points, This ticks, Last points, Last
    // ticks; the first that fails is named.
    void rollInputErrors_data()
    {
        QTest::addColumn<QString>("thisClose");
        QTest::addColumn<QString>("lastClose");
        QTest::addColumn<QString>("error");
        QTest::newRow("blank inside points") << "1_4-22" << "___-__" << "'1 4' is not a valid integer value";
        QTest::newRow("blank ticks") << "114-__" << "1_5-22" << "'  ' is not a valid integer value";
        QTest::newRow("blank after a tick digit") << "114-2_" << "115-22" << "'2 ' is not a valid integer value";
        QTest::newRow("last points") << "114-22" << "___-22" << "'   ' is not a valid integer value";
        QTest::newRow("last ticks") << "114-22" << "115-__" << "'  ' is not a valid integer value";
        QTest::newRow("this before last") << "11_-22" << "1_5-22" << "'11 ' is not a valid integer value";
    }
    void rollInputErrors()
    {
        QFETCH(QString, thisClose);
        QFETCH(QString, lastClose);
        QFETCH(QString, error);
        try {
            Rollover::ReadRollInput(thisClose, lastClose);
            QFAIL("no conversion error");
        } catch (const QelError &e) {
            QCOMPARE(e.message(), error);
        }
    }

    void monthLetters()
    {
        QCOMPARE(Rollover::MonthLetter(0) + Rollover::MonthLetter(1) + Rollover::MonthLetter(2)
                     + Rollover::MonthLetter(3),
                 QString("MJSD"));
        QCOMPARE(Rollover::MonthLetter(-1), QString());
        QCOMPARE(Rollover::MonthLetter(4), QString());
    }

    void endMarker_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("line");   // -1: no marker
        QTest::addColumn<int>("column");
        QTest::newRow("no marker") << QStringList{"05JAN01", "the-end", "THE-EN D"} << -1 << 0;
        QTest::newRow("empty") << QStringList{} << -1 << 0;
        QTest::newRow("line 0") << QStringList{"THE-END", "THE-END"} << 0 << 0;
        QTest::newRow("inside a line") << QStringList{"05JAN01", "", "xx THE-END THE-END"} << 2 << 3;
        QTest::newRow("first of several") << QStringList{"a", " THE-END", "THE-END"} << 1 << 1;
    }
    void endMarker()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, line);
        QFETCH(int, column);
        const auto place = FindEndMarker(lines);
        QCOMPARE(place.has_value(), line >= 0);
        if (place) {
            QCOMPARE(place->line, line);
            QCOMPARE(place->column, column);
        }
    }

    void mergeHeadings()
    {
        const QString rule = " " + QString(59, '=');
        QCOMPARE(MergeSystemHeading(), (QStringList{" Creating the System File, check for errors.", rule, " "}));
        QCOMPARE(MergeHistoryHeading(),
                 (QStringList{" ", " ", " Verify Historical File, check for errors.", rule, " "}));
    }

    void leaving_data()
    {
        QTest::addColumn<WayOut>("way");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<bool>("dropModified");
        QTest::newRow("exit yes") << WayOut::ExitCommand << Answer::Yes << true << true << false;
        QTest::newRow("exit no") << WayOut::ExitCommand << Answer::No << false << true << true;
        QTest::newRow("exit cancel") << WayOut::ExitCommand << Answer::Cancel << false << false << false;
        QTest::newRow("close box yes") << WayOut::CloseBox << Answer::Yes << true << true << false;
        QTest::newRow("close box no") << WayOut::CloseBox << Answer::No << false << true << false;
        QTest::newRow("close box cancel") << WayOut::CloseBox << Answer::Cancel << false << false << false;
    }
    void leaving()
    {
        QFETCH(WayOut, way);
        QFETCH(Answer, answer);
        QFETCH(bool, save);
        QFETCH(bool, leave);
        QFETCH(bool, dropModified);
        const LeaveStep step = DecideLeave(way, answer);
        QCOMPARE(step.save, save);
        QCOMPARE(step.leave, leave);
        QCOMPARE(step.dropModified, dropModified);
    }
};

QTEST_GUILESS_MAIN(TestLogicEditor)
#include "tst_logic_editor.moc"
