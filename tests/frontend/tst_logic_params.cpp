// The run-parameter line without a window: the checks of the six value
// texts, the line's assembly and reading a line back. (The integer rule the
// checks rest on is tested with the platform layer, tst_platform.)
#include "logic/qelerror.h"
#include "logic/runparams.h"

#include <QtTest>

namespace {

const QString DefaultLine =
    "Y1002000025015000300001000V12.4..78....456789X1......8.1....6.89L1.34...8.12...6.89Y";

GroupSelection Selection(bool master, std::initializer_list<int> items)
{
    GroupSelection selection;
    selection.master = master;
    for (int k : items)
        selection.items[k - 1] = true;
    return selection;
}

PanelSelections DefaultSelections()
{
    PanelSelections s;
    s.defaultSettingsFlag = QLatin1Char('Y');
    s.values = {"100", "2000", "0250", "15000", "30000", "1000"};
    s.v = Selection(true, {1, 2, 4, 7, 8, 13, 14, 15, 16, 17, 18});
    s.x = Selection(true, {1, 8, 10, 15, 17, 18});
    s.l = Selection(true, {1, 3, 4, 8, 10, 11, 15, 17, 18});
    s.trailingStop = true;
    return s;
}

QStringList Boxes(ParameterValues &values, bool *valid, QString *error = nullptr)
{
    QStringList boxes;
    try {
        *valid = ParameterChecks::Run(values, [&](ParameterChecks::Box box, const QString &text) {
            boxes << (box == ParameterChecks::Box::Warning ? "W: " : "I: ") + text;
        });
    } catch (const QelError &e) {
        if (error)
            *error = e.message();
        boxes << "E: " + e.message();
    }
    return boxes;
}

std::optional<bool> Opt(int v)
{
    return v < 0 ? std::nullopt : std::optional<bool>(v == 1);
}

} // namespace

class TestLogicParams : public QObject {
    Q_OBJECT
private slots:
    void defaultSelectionsGiveTheDefaultLine()
    {
        QCOMPARE(DefaultLine.size(), RunningParameters::Length);
        QCOMPARE(RunningParameters::Assemble(DefaultSelections()), DefaultLine);
    }

    void assembly()
    {
        // V items 3, 9, 10 and 12 are "." even when checked; other dead items
        // write their digit; masters off write "."; short texts shorten.
        PanelSelections s = DefaultSelections();
        s.defaultSettingsFlag = QLatin1Char('N');
        s.v = Selection(false, {3, 9, 10, 12, 5, 17});
        s.x = Selection(false, {2, 11, 14});
        s.l = Selection(true, {});
        s.trailingStop = false;
        s.values.filter = "";
        s.values.capital = "123";
        s.values.contracts = "123456";
        const QString line = RunningParameters::Assemble(s);
        const QString vPart = ".....5...........8.";
        const QString xPart = "..2........2..5....";
        const QString lPart = "L..................";
        QCOMPARE(line, "N" "2000" "0250" "15000" "123" "1234" + vPart + xPart + lPart + "N");
        // Three characters short in the filter, two in the capital.
        QCOMPARE(line.size(), RunningParameters::Length - 5);
        QCOMPARE(RunningParameters::GroupPart(ParameterGroup::V, s.v), vPart);
    }

    void valueChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("stopLoss");   // after the checks

        QTest::newRow("defaults") << "" << "" << QStringList{} << true << "2000";
        QTest::newRow("stop loss 300") << "stopLoss" << "300"
                                       << QStringList{"I: Stoploss cannot be less than $500."} << true << "0500";
        QTest::newRow("stop loss 99999") << "stopLoss" << "99999"
                                         << QStringList{"I: Stoploss cannot be more than $6500."} << true << "6500";
        QTest::newRow("stop loss -1") << "stopLoss" << "-1"
                                      << QStringList{"I: Stoploss cannot be less than $500."} << true << "0500";
        QTest::newRow("stop loss 6500 passes") << "stopLoss" << "6500" << QStringList{} << true << "6500";
        QTest::newRow("empty filter") << "filter" << ""
                                      << QStringList{"W: Filter parameter has invalid characters.",
                                                     "W: Filter must have 3 characters eg. 010."}
                                      << false << "2000";
        QTest::newRow("filter with a blank first") << "filter" << " 10" << QStringList{} << true << "2000";
        QTest::newRow("hex filter") << "filter" << "$12" << QStringList{} << true << "2000";
        QTest::newRow("six-digit margin") << "margin" << "150000"
                                          << QStringList{"W: Margin must have 5 characters eg. 01000."} << false
                                          << "2000";
        QTest::newRow("letter in stop loss skips its range") << "stopLoss" << "20x0"
                                                             << QStringList{"W: Stoploss parameter has invalid characters."}
                                                             << false << "20x0";
        QTest::newRow("conversion error") << "stopLoss" << "2000x"
                                          << QStringList{"E: '2000x' is not a valid integer value"} << false << "2000x";
        QTest::newRow("conversion error on the range") << "stopLoss" << "2147483648"
                                                       << QStringList{"E: '2147483648' is not a valid integer value"}
                                                       << false << "2147483648";
        QTest::newRow("short stop loss corrected to four") << "stopLoss" << "10"
                                                           << QStringList{"I: Stoploss cannot be less than $500."}
                                                           << true << "0500";
        QTest::newRow("all fields bad, in order")
            << "all" << "ab"
            << QStringList{"W: Filter parameter has invalid characters.", "W: Stoploss parameter has invalid characters.",
                           "W: Drawdown parameter has invalid characters.", "W: Margin parameter has invalid characters.",
                           "W: Capital parameter has invalid characters.", "W: Contracts parameter has invalid characters.",
                           "W: Filter must have 3 characters eg. 010.", "W: Stoploss must have 4 characters eg. 0100.",
                           "W: Drawdown must have 4 characters eg. 0100.", "W: Margin must have 5 characters eg. 01000.",
                           "W: Capital must have 5 characters eg. 01000.", "W: Contracts must have 4 characters eg. 0100."}
            << false << "ab";
        QTest::newRow("warning before the conversion error")
            << "filter+stopLoss" << "2000 "
            << QStringList{"W: Filter parameter has invalid characters.", "E: '2000 ' is not a valid integer value"}
            << false << "2000 ";
    }
    void valueChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QStringList, boxes);
        QFETCH(bool, valid);
        QFETCH(QString, stopLoss);
        ParameterValues values = DefaultSelections().values;
        if (field == "all")
            values = {text, text, text, text, text, text};
        else if (field == "filter+stopLoss")
            values.filter = "1x0", values.stopLoss = text;
        else if (field == "filter")
            values.filter = text;
        else if (field == "stopLoss")
            values.stopLoss = text;
        else if (field == "margin")
            values.margin = text;
        bool gotValid = false;
        QCOMPARE(Boxes(values, &gotValid), boxes);
        if (!boxes.isEmpty() && boxes.last().startsWith("E: "))
            return;
        QCOMPARE(gotValid, valid);
        QCOMPARE(values.stopLoss, stopLoss);
    }

    void correctionComesBeforeItsBox()
    {
        ParameterValues values = DefaultSelections().values;
        values.stopLoss = "300";
        QString seen;
        ParameterChecks::Run(values, [&](ParameterChecks::Box, const QString &) { seen = values.stopLoss; });
        QCOMPARE(seen, QString("0500"));
    }

    void applies_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("applies");
        QTest::newRow("default") << DefaultLine << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("one blank") << " " << false;
        QTest::newRow("blank first") << " " + DefaultLine.mid(1) << false;
    }
    void applies()
    {
        QFETCH(QString, line);
        QFETCH(bool, applies);
        QCOMPARE(RunningParameters::Applies(line), applies);
    }

    void readsTheDefaultLineBack()
    {
        const LineColumns c = RunningParameters::Read(DefaultLine);
        const PanelSelections d = DefaultSelections();
        QCOMPARE(c.values.filter, d.values.filter);
        QCOMPARE(c.values.stopLoss, d.values.stopLoss);
        QCOMPARE(c.values.drawdown, d.values.drawdown);
        QCOMPARE(c.values.margin, d.values.margin);
        QCOMPARE(c.values.capital, d.values.capital);
        QCOMPARE(c.values.contracts, d.values.contracts);
        QCOMPARE(c.v.master, Opt(1));
        QCOMPARE(c.x.master, Opt(1));
        QCOMPARE(c.l.master, Opt(1));
        QCOMPARE(c.trailingStop, Opt(1));
        for (int k = 0; k < 18; ++k) {
            QCOMPARE(c.x.check[k], d.x.items[k]);
            QCOMPARE(c.l.check[k], d.l.items[k]);
            QCOMPARE(c.v.check[k], d.v.items[k]);
            QVERIFY(!c.v.uncheck[k] && !c.x.uncheck[k] && !c.l.uncheck[k]);
        }
    }

    void readsColumnsAsTheyStand()
    {
        // Masters ".", wrong digits, dots for V17/V18 and X17, "N".
        QString line = DefaultLine;
        line[26] = '.';         // V master
        line[27] = '2';         // V1 column holding another item's digit
        line[29] = '3';         // V3's own digit
        line[43] = '.';         // V17
        line[44] = '.';         // V18
        line[45] = '?';         // X master: neither letter nor "."
        line[62] = '.';         // X17: a dot turns nothing off outside V
        line[64] = '.';         // L master
        line[83] = 'N';
        const LineColumns c = RunningParameters::Read(line);
        QCOMPARE(c.v.master, Opt(0));
        QVERIFY(!c.v.check[0]);
        QVERIFY(c.v.check[2]);
        QVERIFY(c.v.uncheck[16] && c.v.uncheck[17]);
        QVERIFY(!c.v.check[16] && !c.v.check[17]);
        QCOMPARE(c.x.master, Opt(-1));
        QVERIFY(!c.x.check[16] && !c.x.uncheck[16]);
        QCOMPARE(c.l.master, Opt(0));
        QCOMPARE(c.trailingStop, Opt(0));
    }

    void readsAShortLineAsShortTexts()
    {
        const LineColumns c = RunningParameters::Read("N10020000250150");
        QCOMPARE(c.values.filter, QString("100"));
        QCOMPARE(c.values.stopLoss, QString("2000"));
        QCOMPARE(c.values.drawdown, QString("0250"));
        QCOMPARE(c.values.margin, QString("150"));
        QCOMPARE(c.values.capital, QString(""));
        QCOMPARE(c.values.contracts, QString(""));
        QCOMPARE(c.v.master, Opt(-1));
        QCOMPARE(c.trailingStop, Opt(-1));
        QVERIFY(!c.v.uncheck[16] && !c.v.uncheck[17]);

        const LineColumns empty = RunningParameters::Read("");
        QCOMPARE(empty.values.filter, QString(""));
        QCOMPARE(empty.x.master, Opt(-1));
    }

    void assemblyReadsBack()
    {
        // An 81-character line (empty filter) moves every later column.
        PanelSelections s = DefaultSelections();
        s.values.filter.clear();
        const QString line = RunningParameters::Assemble(s);
        QCOMPARE(line.size(), 81);
        QCOMPARE(line, "Y" + DefaultLine.mid(4));
        const LineColumns c = RunningParameters::Read(line);
        QCOMPARE(c.values.filter, QString("200"));
        QCOMPARE(c.values.stopLoss, QString("0025"));
    }
};

QTEST_GUILESS_MAIN(TestLogicParams)
#include "tst_logic_params.moc"
