// The week run end to end with the real MVR.DLL and KQ4.DLL and the
// stand-in PXD.DLL, in a working directory of our own and in the sample
// directory that make_sample_dir lays out.
#include "fixture.h"
#include "testmain.h"

#include "controlpanel.h"
#include "fullreport.h"
#include "qelMain.h"
#include "logic/signalline.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>

namespace {
void copyProgram(const WorkDir &dir, const QString &name)
{
    const QString from = QStringLiteral(QEL_WORKDIR) + "/" + name;
    QVERIFY2(QFile::exists(from), qPrintable(from));
    QFile::remove(dir.file(name));
    QVERIFY(QFile::copy(from, dir.file(name)));
    QFile::setPermissions(dir.file(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void press(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void runTheWeek(const WorkDir &dir)
{
    TfrmControlPanel *panel = frmControlPanel;
    press(panel->btnMVR);
    QCOMPARE(BoxTexts(), QStringList{});
    QVERIFY(!dir.exists("MESSAGES.MVR"));
    QVERIFY(dir.exists("FK.MVR"));
    const QStringList mvr = panel->mmControlPanel->Lines();
    QVERIFY2(mvr.contains(QString(" Process MVR ran OK.").leftJustified(80)), qPrintable(mvr.join('|')));

    press(panel->btnKQ4);
    QCOMPARE(BoxTexts(), QStringList{});
    QVERIFY(!dir.exists("MESSAGES.KQ4"));
    const QStringList both = panel->mmControlPanel->Lines();
    QCOMPARE(both.mid(0, mvr.size()), mvr);
    QCOMPARE(both.at(mvr.size()), QString(" "));
    QVERIFY(both.contains(QString(" Process KQ4 ran OK.").leftJustified(80)));

    press(panel->btnQEL);
    QCOMPARE(BoxTexts(), QStringList{});
    QVERIFY(!dir.exists("MESSAGES.PXD"));
    const QStringList pxd = panel->mmControlPanel->Lines();
    QVERIFY(!pxd.contains(QString(" Process MVR ran OK.").leftJustified(80)));
    QVERIFY2(pxd.join('\n').contains("Process PXD ran OK."), qPrintable(pxd.join('|')));
    QVERIFY(panel->pnlTradingSignal->text().startsWith("Signal for:  "));
    const QString picture = SignalFile::SignalPicture(frmQEL5100->Runs.SignalCode);
    QVERIFY2(!picture.isEmpty(), qPrintable(frmQEL5100->Runs.SignalCode));
    QCOMPARE(panel->imgControlPanel->PictureFile(), picture);
    QCOMPARE(frmQEL5100->windowTitle(), QString(" Profit Summary Report"));
    QVERIFY(frmFullReport->isVisible());
    QCOMPARE(frmFullReport->windowTitle(), QString(" Check the Stop Loss Report"));
    QVERIFY(!frmFullReport->mmFullReport->Lines().isEmpty());

    // The detail report opens at the week's date.
    frmQEL5100->DetailReport1Click();
    QCOMPARE(BoxTexts(), QStringList{});
    const QTextCursor caret = frmQEL5100->mmQEL->textCursor();
    QVERIFY(caret.block().text().mid(caret.positionInBlock()).startsWith(frmQEL5100->Runs.SignalDateKey));
    QCOMPARE(frmQEL5100->Runs.SignalDateKey.size(), 7);
}
} // namespace

class TestWeeklyRun : public QObject {
    Q_OBJECT
private slots:
    void weekInAWorkingDirectoryOfOurOwn()
    {
        WorkDir dir;
        for (const char *program : {"MVR.DLL", "KQ4.DLL", "PXD.DLL"})
            copyProgram(dir, program);
        QCOMPARE(QProcess::execute(QStringLiteral(GEN_PRICES),
                                   {"--market", "US", "--weeks", "300", "--seed", "1", "--out", dir.file("BONDS.DAT")}),
                 0);
        FrontEnd frontEnd;
        runTheWeek(dir);
    }

    void weekInTheSampleDirectory()
    {
#ifndef MAKE_SAMPLE_DIR
        QSKIP("make_sample_dir is not part of this build");
#else
        WorkDir dir(false);
        const QString out = dir.file("sample");
        QCOMPARE(QProcess::execute(QStringLiteral(MAKE_SAMPLE_DIR),
                                   {"--programs", QStringLiteral(QEL_WORKDIR), "--gen-prices",
                                    QStringLiteral(GEN_PRICES), "--out", out}),
                 0);
        QDir::setCurrent(out);
        {
            FrontEnd frontEnd;
            // A complete sample directory: start-up reports no missing file.
            QCOMPARE(BoxTexts(), QStringList{});
            QVERIFY(frmControlPanel->isEnabled());
            QDir sample(out);
            TfrmControlPanel *panel = frmControlPanel;
            press(panel->btnMVR);
            press(panel->btnKQ4);
            press(panel->btnQEL);
            QCOMPARE(BoxTexts(), QStringList{});
            QVERIFY(!sample.exists("MESSAGES.MVR") && !sample.exists("MESSAGES.KQ4") && !sample.exists("MESSAGES.PXD"));
            QVERIFY(panel->pnlTradingSignal->text().startsWith("Signal for:  "));
            // Every report the stand-in writes opens.
            frmQEL5100->DetailReport1Click();
            frmQEL5100->TradeSummary1Click();
            frmQEL5100->MultipleTrades1Click();
            frmQEL5100->AlgorithmTrades1Click();
            frmQEL5100->YearlyProfitReport1Click();
            frmQEL5100->SidewaysReport1Click();
            frmQEL5100->FullVersion1Click();
            frmQEL5100->MaxVersion1Click();
            QCOMPARE(BoxTexts(), QStringList{});
        }
        QDir::setCurrent(dir.path());
#endif
    }
};

QEL_TEST_MAIN(TestWeeklyRun)
#include "tst_weeklyrun.moc"
