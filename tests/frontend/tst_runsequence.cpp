// The order of the weekly runs and the steps of each, through a recording
// host: where each run stops on each error, and what stands before it.
#include "testmain.h"

#include "qelMain.h"
#include "logic/qelerror.h"

#include <QSet>

namespace {

// Records every call as "step argument"; files it does not hold, and
// programs named as failing, raise as the real ones do.
class RecordingHost : public RunHost {
public:
    QStringList steps;
    QMap<QString, QStringList> files;
    QString failingProgram;

    void Warn(const QString &text) override { steps << "warn " + text; }
    void ShowRunPicture(const QString &picture) override { steps << "picture " + picture; }
    void RunProgram(const QString &program) override
    {
        steps << "run " + program;
        if (program == failingProgram)
            throw QelError("Failed to excecute program " + program + ". Error Code 2");
    }
    QStringList ReadLines(const QString &file) override
    {
        steps << "read " + file;
        if (!files.contains(file))
            throw QelError("Cannot open file \"" + file + "\".");
        return files.value(file);
    }
    void DeleteFile(const QString &file) override { steps << "delete " + file; }
    void SetMessages(const QStringList &lines) override { steps << "messages " + lines.join('|'); }
    void AppendMessages(const QStringList &lines) override { steps << "append " + lines.join('|'); }
    void ShowSummaryReport(const QString &file) override
    {
        steps << "summary " + file;
        if (!files.contains(file))
            throw QelError("Cannot open file \"" + file + "\".");
    }
    void ReloadChart() override
    {
        steps << "chart";
        if (!files.contains("TCHART.TCH"))
            throw QelError("Cannot open file \"TCHART.TCH\".");
    }
    void ShowSignalCaption(const QString &caption) override { steps << "caption " + caption; }
    void OpenStopLossReport() override { steps << "stop-loss report"; }
    void ShowControlPanel() override { steps << "show panel"; }
};

const QStringList MvrSteps{"picture MVR.BMP", "run MVR.DLL", "read MESSAGES.MVR", "messages mvr", "delete MESSAGES.MVR"};
const QStringList Kq4Steps{"picture KQ4.BMP", "run KQ4.DLL", "append  ", "read MESSAGES.KQ4", "append kq4",
                           "delete MESSAGES.KQ4"};
const QStringList SystemSteps{"picture PXD.BMP",   "run PXD.DLL",        "summary SUM.REP",
                              "read SIGNAL.PXD",   "chart",              "read MESSAGES.PXD",
                              "messages pxd",      "delete MESSAGES.PXD", "caption Signal for:  05 January 2001",
                              "picture BUY.BMP",   "stop-loss report",   "show panel"};

} // namespace

class TestRunSequence : public QObject {
    Q_OBJECT
private slots:
    void runs_data()
    {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QString>("run");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("stageAfter");
        QTest::addColumn<QString>("dateKey");

        const QString buy = "GL              05JAN01";
        QTest::newRow("MVR at start") << " " << "MVR" << QStringList{} << buy << "" << MvrSteps << "A" << "";
        QTest::newRow("MVR again") << "A" << "MVR" << QStringList{} << buy << "" << MvrSteps << "A" << "";
        QTest::newRow("KQ4 before MVR")
            << " " << "KQ4" << QStringList{} << buy << ""
            << QStringList{"warn You must execute process \"MVR\" first."} << " " << "";
        QTest::newRow("KQ4 after MVR") << "A" << "KQ4" << QStringList{} << buy << "" << Kq4Steps << " " << "";
        QTest::newRow("system between MVR and KQ4")
            << "A" << "System" << QStringList{} << buy << ""
            << QStringList{"warn You must execute process \"KQ4\" also."} << "A" << "";
        QTest::newRow("system") << " " << "System" << QStringList{} << buy << "" << SystemSteps << " " << "05JAN01";

        // Errors end the run at their step; the stage set before the launch stands.
        QTest::newRow("MVR will not start")
            << " " << "MVR" << QStringList{} << buy << "MVR.DLL" << MvrSteps.mid(0, 2) << "A" << "";
        QTest::newRow("no MESSAGES.MVR")
            << " " << "MVR" << QStringList{"MESSAGES.MVR"} << buy << "" << MvrSteps.mid(0, 3) << "A" << "";
        QTest::newRow("no MESSAGES.KQ4")
            << "A" << "KQ4" << QStringList{"MESSAGES.KQ4"} << buy << "" << Kq4Steps.mid(0, 4) << " " << "";
        QTest::newRow("PXD will not start")
            << " " << "System" << QStringList{} << buy << "PXD.DLL" << SystemSteps.mid(0, 2) << " " << "";
        QTest::newRow("no SUM.REP")
            << " " << "System" << QStringList{"SUM.REP"} << buy << "" << SystemSteps.mid(0, 3) << " " << "";
        QTest::newRow("no SIGNAL.PXD")
            << " " << "System" << QStringList{"SIGNAL.PXD"} << buy << "" << SystemSteps.mid(0, 4) << " " << "";
        QTest::newRow("no TCHART.TCH")
            << " " << "System" << QStringList{"TCHART.TCH"} << buy << "" << SystemSteps.mid(0, 5) << " " << "";
        QTest::newRow("no MESSAGES.PXD")
            << " " << "System" << QStringList{"MESSAGES.PXD"} << buy << "" << SystemSteps.mid(0, 6) << " " << "";
        QTest::newRow("short signal line: the year does not convert")
            << " " << "System" << QStringList{} << "GL" << "" << SystemSteps.mid(0, 8) << " " << "";
        QTest::newRow("unknown code keeps the run picture")
            << " " << "System" << QStringList{} << "XX              05JAN01" << ""
            << SystemSteps.mid(0, 9) + QStringList{"stop-loss report", "show panel"} << " " << "05JAN01";
    }
    void runs()
    {
        QFETCH(QString, stage);
        QFETCH(QString, run);
        QFETCH(QStringList, missing);
        QFETCH(QString, signal);
        QFETCH(QString, failing);
        QFETCH(QStringList, steps);
        QFETCH(QString, stageAfter);
        QFETCH(QString, dateKey);

        RecordingHost host;
        host.failingProgram = failing;
        host.files = {{"MESSAGES.MVR", {"mvr"}}, {"MESSAGES.KQ4", {"kq4"}}, {"MESSAGES.PXD", {"pxd"}},
                      {"SIGNAL.PXD", {signal, "second line"}}, {"SUM.REP", {"sum"}}, {"TCHART.TCH", {"bar"}}};
        for (const QString &file : missing)
            host.files.remove(file);
        RunSequence runs(host);
        runs.ProcessStage = stage.at(0);
        try {
            if (run == "MVR")
                runs.RunMVR();
            else if (run == "KQ4")
                runs.RunKQ4();
            else
                runs.RunSystem();
        } catch (const QelError &) {
            // The default handler shows it; the run ends here.
        }
        QCOMPARE(host.steps, steps);
        QCOMPARE(runs.ProcessStage, stageAfter.at(0));
        QCOMPARE(runs.SignalDateKey, dateKey);
    }

    void systemRunMayRepeat()
    {
        RecordingHost host;
        host.files = {{"MESSAGES.PXD", {"pxd"}}, {"SIGNAL.PXD", {"SS              17DEC60"}}, {"SUM.REP", {}},
                      {"TCHART.TCH", {}}};
        RunSequence runs(host);
        runs.RunSystem();
        host.steps.clear();
        runs.RunSystem();
        QCOMPARE(host.steps.size(), SystemSteps.size());
        QVERIFY(host.steps.contains("caption Signal for:  17 December 1960"));
        QVERIFY(host.steps.contains("picture STAYXORT.BMP"));
        QCOMPARE(runs.SignalCode, QString("SS"));
    }
};

QEL_TEST_MAIN(TestRunSequence)
#include "tst_runsequence.moc"
