// The weekly runs from the control panel, with stand-in programs written as
// scripts: the run order, the messages, the signal, the feedback and the
// failures.
#include "fixture.h"
#include "testmain.h"

#include "CTrades.h"
#include "controlpanel.h"
#include "fullreport.h"
#include "qelMain.h"
#include "startup.h"

#include <QComboBox>
#include <QPushButton>

namespace {
const QStringList MvrLines{"", " Process MVR ran OK."};
const QStringList Kq4Lines{"", " Process KQ4 ran OK."};
const QStringList PxdLines{" Stand-in system run.", " Process PXD ran OK."};

void press(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}
} // namespace

class TestRunControl : public QObject {
    Q_OBJECT
private slots:
    void weeklyRunInOrder()
    {
        WorkDir dir;
        dir.writeFakePrograms();
        FrontEnd frontEnd;
        TfrmControlPanel *panel = frmControlPanel;

        press(panel->btnMVR);
        QCOMPARE(panel->mmControlPanel->Lines(), MvrLines);
        QVERIFY(!dir.exists("MESSAGES.MVR"));
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar('A'));
        QCOMPARE(panel->imgControlPanel->PictureFile(), QString("MVR.BMP"));
        QCOMPARE(panel->pnlTradingSignal->text(), QString("Creating Main Indicators"));
        QVERIFY(!QApplication::overrideCursor());

        press(panel->btnKQ4);
        QCOMPARE(panel->mmControlPanel->Lines(), MvrLines + QStringList{" "} + Kq4Lines);
        QVERIFY(!dir.exists("MESSAGES.KQ4"));
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar(' '));
        QCOMPARE(panel->imgControlPanel->PictureFile(), QString("KQ4.BMP"));
        QCOMPARE(panel->pnlTradingSignal->text(), QString("Creating Chaos Indicators"));

        panel->hide();
        press(panel->btnQEL);
        QCOMPARE(BoxTexts(), QStringList{});
        QCOMPARE(panel->mmControlPanel->Lines(), PxdLines);
        QVERIFY(!dir.exists("MESSAGES.PXD"));
        QVERIFY(dir.exists("SIGNAL.PXD"));
        QCOMPARE(panel->imgControlPanel->PictureFile(), QString("BUY.BMP"));
        QCOMPARE(panel->pnlTradingSignal->text(), QString("Signal for:  05 January 2001"));
        QVERIFY(panel->isVisible());   // shown again by the run
        QCOMPARE(frmQEL5100->Runs.SignalDateKey, QString("05JAN01"));
        QCOMPARE(frmQEL5100->Runs.SignalCode, QString("GL"));

        QCOMPARE(frmQEL5100->windowTitle(), QString(" Profit Summary Report"));
        QCOMPARE(frmQEL5100->Report.MainPaneTitle, QString(" Profit Summary Report"));
        QCOMPARE(frmQEL5100->mmQEL->Lines(), dir.readLines("SUM.REP"));
        QCOMPARE(frmQEL5100->mmQEL->Color(), ReportPaneColor);
        QCOMPARE(frmQEL5100->mmQEL->GetScrollBars(), ScrollBars::Vertical);
        QCOMPARE(frmTChart->mmTChart->Lines(), dir.readLines("TCHART.TCH"));
        QCOMPARE(frmTChart->cbTChart->count(), 2);   // the year list is not rebuilt

        QVERIFY(frmFullReport->isVisible());
        QCOMPARE(frmFullReport->windowTitle(), QString(" Check the Stop Loss Report"));
        QCOMPARE(frmFullReport->mmFullReport->Lines(), dir.readLines("STP.REP"));
        QVERIFY(!QApplication::overrideCursor());

        // The system run may be repeated, and it uses the main pane whichever is active.
        frmQEL5100->Report.ActivePane = 1;
        frmQEL5100->ChangeColor1Click();
        press(panel->btnQEL);
        QCOMPARE(BoxTexts(), QStringList{});
        QCOMPARE(frmQEL5100->mmQEL->Color(), clWhite);
        QCOMPARE(frmQEL5100->mmReport2->Lines(), QStringList{});
    }

    void runOrderIsEnforced()
    {
        WorkDir dir;
        dir.writeFakePrograms();
        dir.writeScript("KQ4.DLL", "printf '\\r\\n Process KQ4 ran OK.\\r\\n' > MESSAGES.KQ4\nprintf 'x\\r\\n' >> KQ4.RAN");
        FrontEnd frontEnd;
        TfrmControlPanel *panel = frmControlPanel;
        const QString mvrFirst = "You must execute process \"MVR\" first.";
        const QString kq4Also = "You must execute process \"KQ4\" also.";

        press(panel->btnKQ4);
        QCOMPARE(BoxTexts(), QStringList{mvrFirst});
        QCOMPARE(Dialogs::Shown().last().type, BoxType::Warning);
        QCOMPARE(Dialogs::Shown().last().buttons, int(btnOk));
        QVERIFY(!dir.exists("KQ4.RAN"));
        QCOMPARE(panel->mmControlPanel->Lines(), TfrmControlPanel::DesignText);

        press(panel->btnMVR);
        press(panel->btnQEL);
        QCOMPARE(BoxTexts(), (QStringList{mvrFirst, kq4Also}));
        QVERIFY(!dir.exists("MESSAGES.PXD") && !dir.exists("SUM.REP"));
        QCOMPARE(panel->mmControlPanel->Lines(), MvrLines);
        // The mouse-down feedback still shows for the refused run.
        QCOMPARE(panel->imgControlPanel->PictureFile(), QString("PXD.BMP"));
        QCOMPARE(panel->pnlTradingSignal->text(), QString("Running the QEL-5100 System"));

        press(panel->btnKQ4);
        press(panel->btnKQ4);
        QCOMPARE(BoxTexts().size(), 3);
        QCOMPARE(BoxTexts().last(), mvrFirst);
        QCOMPARE(dir.readLines("KQ4.RAN").size(), 1);
        // KQ4's feedback shows after the first MVR click, even when refused.
        QCOMPARE(panel->pnlTradingSignal->text(), QString("Creating Chaos Indicators"));

        press(panel->btnMVR);
        press(panel->btnKQ4);
        QCOMPARE(BoxTexts().size(), 3);
        QCOMPARE(dir.readLines("KQ4.RAN").size(), 2);
    }

    void feedbackComesFromTheMousePressAlone()
    {
        WorkDir dir;
        dir.writeFakePrograms();
        FrontEnd frontEnd;
        TfrmControlPanel *panel = frmControlPanel;

        // KQ4 gives no feedback before the MVR button was ever clicked.
        QTest::mouseClick(panel->btnKQ4, Qt::RightButton);
        QCOMPARE(panel->pnlTradingSignal->text(), QString("Weekly Trading Signal"));
        QCOMPARE(BoxTexts(), QStringList{});

        // A right-button press shows the feedback but starts nothing.
        QTest::mouseClick(panel->btnMVR, Qt::RightButton);
        QCOMPARE(panel->pnlTradingSignal->text(), QString("Creating Main Indicators"));
        QCOMPARE(panel->imgControlPanel->PictureFile(), QString("MVR.BMP"));
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar(' '));
        QCOMPARE(panel->mmControlPanel->Lines(), TfrmControlPanel::DesignText);

        // From the keyboard the run starts without the feedback.
        panel->pnlTradingSignal->setText("untouched");
        panel->btnMVR->setFocus();
        QTest::keyClick(panel->btnMVR, Qt::Key_Space);
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar('A'));
        QCOMPARE(panel->mmControlPanel->Lines(), MvrLines);
        QCOMPARE(panel->pnlTradingSignal->text(), QString("untouched"));
        QCOMPARE(panel->IndicatorsStarted, QChar('A'));
        // Enter on a focused run button starts its run too.
        panel->btnKQ4->setFocus();
        QTest::keyClick(panel->btnKQ4, Qt::Key_Return);
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar(' '));
        QCOMPARE(panel->mmControlPanel->Lines(), MvrLines + QStringList{" "} + Kq4Lines);
        QCOMPARE(panel->pnlTradingSignal->text(), QString("untouched"));
        // Enter elsewhere in the panel starts nothing.
        panel->mmControlPanel->setFocus();
        QTest::keyClick(panel->mmControlPanel, Qt::Key_Return);
        QCOMPARE(panel->imgControlPanel->PictureFile(), QString("KQ4.BMP"));
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void missingRunPictureIsReportedOnceThePressIsOver()
    {
        WorkDir dir;
        dir.writeFakePrograms();
        dir.remove("MVR.BMP");
        FrontEnd frontEnd;
        QPushButton *button = frmControlPanel->btnMVR;

        frmControlPanel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmControlPanel));
        QTest::mousePress(button, Qt::LeftButton);
        QTest::qWait(60);
        QCOMPARE(BoxTexts(), QStringList{});   // no box while the button is held
        QVERIFY(button->isDown());
        QTest::mouseRelease(button, Qt::LeftButton);
        // The click's run meets the same missing picture; the press's box follows.
        QTRY_COMPARE(BoxTexts().size(), 2);
        QVERIFY(BoxTexts().at(1).contains("MVR.BMP"));
        QVERIFY(!button->isDown());
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar('A'));
    }

    void programThatCannotStart()
    {
        WorkDir dir;
        dir.writeFakePrograms();
        dir.remove("PXD.DLL");
        FrontEnd frontEnd;
        TfrmControlPanel *panel = frmControlPanel;
        panel->mmControlPanel->SetLines({"earlier messages"});
        dir.writeLines("MESSAGES.PXD", {"left from before"});

        press(panel->btnQEL);
        QCOMPARE(BoxTexts(), QStringList{"Failed to excecute program PXD.DLL. Error Code 2"});
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(panel->imgControlPanel->PictureFile(), QString("PXD.BMP"));
        QCOMPARE(panel->mmControlPanel->Lines(), QStringList{"earlier messages"});
        QVERIFY(dir.exists("MESSAGES.PXD"));   // not read, so not deleted
        QCOMPARE(frmQEL5100->windowTitle(), QString(" Norvane Inc."));

        // MVR's stage is set before the launch and stands after a failure.
        dir.remove("MVR.DLL");
        press(panel->btnMVR);
        QCOMPARE(BoxTexts().last(), QString("Failed to excecute program MVR.DLL. Error Code 2"));
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar('A'));
    }

    void missingMessageFileEndsTheRunThere()
    {
        WorkDir dir;
        dir.writeFakePrograms();
        dir.writeScript("MVR.DLL", "exit 0");
        FrontEnd frontEnd;
        press(frmControlPanel->btnMVR);
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(BoxTexts().first().contains("MESSAGES.MVR"));
        QCOMPARE(frmControlPanel->mmControlPanel->Lines(), TfrmControlPanel::DesignText);
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar('A'));
    }

    void signalLineThatCannotBeRead_data()
    {
        QTest::addColumn<QString>("signalLine");
        QTest::newRow("year not a number") << "GL              05JANXX";
        QTest::newRow("short line") << "GL       05JAN";
        QTest::newRow("empty line") << "";
    }
    void signalLineThatCannotBeRead()
    {
        QFETCH(QString, signalLine);
        WorkDir dir;
        dir.writeFakePrograms(signalLine);
        FrontEnd frontEnd;
        press(frmControlPanel->btnQEL);
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY2(BoxTexts().first().contains("is not a valid integer value"), qPrintable(BoxTexts().first()));
        // The steps before the date stand ...
        QCOMPARE(frmControlPanel->mmControlPanel->Lines(), PxdLines);
        QVERIFY(!dir.exists("MESSAGES.PXD"));
        QCOMPARE(frmQEL5100->windowTitle(), QString(" Profit Summary Report"));
        // ... the later ones are not done.
        QCOMPARE(frmQEL5100->Runs.SignalDateKey, QString());
        QCOMPARE(frmControlPanel->imgControlPanel->PictureFile(), QString("PXD.BMP"));
        QVERIFY(!frmFullReport->isVisible());
        QCOMPARE(frmControlPanel->pnlTradingSignal->text(), QString("Running the QEL-5100 System"));
    }

    void unknownSignalCodeKeepsTheRunPicture()
    {
        WorkDir dir;
        dir.writeFakePrograms("gl              12MAR26");
        FrontEnd frontEnd;
        press(frmControlPanel->btnQEL);
        QCOMPARE(BoxTexts(), QStringList{});
        QCOMPARE(frmControlPanel->imgControlPanel->PictureFile(), QString("PXD.BMP"));
        QCOMPARE(frmControlPanel->pnlTradingSignal->text(), QString("Signal for:  12 March 2026"));

        // A month that is not one of the twelve is shown as it stands, even
        // when it looks like markup: the caption is text, never rich text.
        dir.writeFakePrograms("GS              12<u>26");
        press(frmControlPanel->btnQEL);
        TPanel *caption = frmControlPanel->pnlTradingSignal;
        QCOMPARE(caption->text(), QString("Signal for:  12 <u> 2026"));
        QVERIFY(caption->sizeHint().width() >= QFontMetrics(caption->font()).horizontalAdvance(caption->text()));
    }

    void panelHidesItself()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        // The Escape key is not one of the ways to hide it.
        QTest::keyClick(frmControlPanel, Qt::Key_Escape);
        QTest::keyClick(frmControlPanel->mmControlPanel, Qt::Key_Escape);
        QVERIFY(frmControlPanel->isVisible());
        QTest::mouseClick(frmControlPanel->imgControlPanel, Qt::LeftButton);
        QVERIFY(!frmControlPanel->isVisible());
        frmControlPanel->show();
        frmControlPanel->close();
        QVERIFY(!frmControlPanel->isVisible());
        QCOMPARE(StartUp::WindowSet().size(), 15);   // closing hides, never frees
    }
};

QEL_TEST_MAIN(TestRunControl)
#include "tst_runcontrol.moc"
