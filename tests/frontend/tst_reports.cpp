// The report views: pane reports and their captions, floating reports,
// the detail jump, split view, tool bar, colours, File > Open, About, help
// and the window openers.
#include "fixture.h"
#include "testmain.h"

#include "CTrades.h"
#include "calendarmain.h"
#include "chartsmain.h"
#include "controlpanel.h"
#include "fullreport.h"
#include "qelMain.h"
#include "qelabout.h"
#include "platform/helpviewer.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>

namespace {
const QStringList ReportFiles{"DT3.REP", "SUM.REP", "SRP.REP", "MUL.REP", "TRD.REP",
                              "YRP.REP", "STP.REP", "SDW.REP", "DT2.REP", "DET.REP"};

void writeReports(const WorkDir &dir)
{
    for (const QString &name : ReportFiles)
        dir.writeLines(name, ReportLines(name, 5));
}

QAction *action(const char *name)
{
    return frmQEL5100->findChild<QAction *>(QLatin1String(name));
}

void clickPane(TMemo *pane)
{
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
}
} // namespace

class TestReports : public QObject {
    Q_OBJECT
private slots:
    void paneReports_data()
    {
        QTest::addColumn<QString>("actionName");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mainTitle");
        QTest::addColumn<QString>("secondTitle");
        QTest::addColumn<bool>("both");
        QTest::newRow("detail") << "ShortVersion1" << "DT3.REP" << " Detail Report" << "Detail Report" << true;
        QTest::newRow("profit") << "ProfitReport1" << "SUM.REP" << " Profit Summary Report" << "Profit Summary Report" << false;
        QTest::newRow("summary") << "TradeSummary1" << "SRP.REP" << " Trades Summary Report" << "Trades Summary Report" << false;
        QTest::newRow("multiple") << "MultipleTrades1" << "MUL.REP" << " Multiple Trades Report" << "Multiple Trades Report" << false;
        QTest::newRow("algorithm") << "AlgorithmTrades1" << "TRD.REP" << " Algorithm Trades Report" << "Algorithm Trades Report" << false;
        QTest::newRow("yearly") << "YearlyProfitReport1" << "YRP.REP" << " Yearly Profit Report" << "Yearly Profit Report" << false;
    }
    void paneReports()
    {
        QFETCH(QString, actionName);
        QFETCH(QString, file);
        QFETCH(QString, mainTitle);
        QFETCH(QString, secondTitle);
        QFETCH(bool, both);
        WorkDir dir;
        writeReports(dir);
        FrontEnd frontEnd;
        const ScrollBars bars = both ? ScrollBars::Both : ScrollBars::Vertical;

        action(actionName.toLatin1())->trigger();
        QCOMPARE(frmQEL5100->mmQEL->Lines(), ReportLines(file, 5));
        QCOMPARE(frmQEL5100->mmQEL->GetScrollBars(), bars);
        QCOMPARE(frmQEL5100->windowTitle(), mainTitle + " :  ");

        clickPane(frmQEL5100->mmReport2);
        action(actionName.toLatin1())->trigger();
        QCOMPARE(frmQEL5100->mmReport2->Lines(), ReportLines(file, 5));
        QCOMPARE(frmQEL5100->mmReport2->GetScrollBars(), bars);
        QCOMPARE(frmQEL5100->windowTitle(), mainTitle + " : " + secondTitle);
        QCOMPARE(BoxTexts(), QStringList{});
    }

    void toolBarButtonsRunTheirReports()
    {
        WorkDir dir;
        writeReports(dir);
        FrontEnd frontEnd;
        const QList<QPair<QPushButton *, QString>> buttons{
            {frmQEL5100->bbDetail, "DT3.REP"}, {frmQEL5100->bbSummary, "SRP.REP"},
            {frmQEL5100->bbProfit, "SUM.REP"}, {frmQEL5100->bbMultiple, "MUL.REP"},
            {frmQEL5100->bbTrades, "TRD.REP"}, {frmQEL5100->bbYearly, "YRP.REP"}};
        for (const auto &[button, file] : buttons) {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(frmQEL5100->mmQEL->Lines().first(), file);
        }
        QTest::mouseClick(frmQEL5100->bbStopLoss, Qt::LeftButton);
        QCOMPARE(frmFullReport->mmFullReport->Lines().first(), QString("STP.REP"));
        QTest::mouseClick(frmQEL5100->bbSideways, Qt::LeftButton);
        QCOMPARE(frmFullReport->mmFullReport->Lines().first(), QString("SDW.REP"));
    }

    void clearingThePanes()
    {
        WorkDir dir;
        writeReports(dir);
        FrontEnd frontEnd;
        frmQEL5100->ProfitReport1Click();
        clickPane(frmQEL5100->mmReport2);
        frmQEL5100->DetailReport1Click();

        action("ClearWindow1")->trigger();
        QCOMPARE(frmQEL5100->mmReport2->Lines(), QStringList{});
        QCOMPARE(frmQEL5100->mmReport2->GetScrollBars(), ScrollBars::None);
        QCOMPARE(frmQEL5100->windowTitle(), QString(" Profit Summary Report :  "));
        clickPane(frmQEL5100->mmQEL);
        action("ClearWindow1")->trigger();
        QCOMPARE(frmQEL5100->windowTitle(), QString(" Norvane Inc."));
    }

    void floatingReports_data()
    {
        QTest::addColumn<QString>("actionName");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("both");
        QTest::newRow("stop loss") << "StopLossReport1" << "STP.REP" << " Check the Stop Loss Report" << false;
        QTest::newRow("sideways") << "SidewaysReport1" << "SDW.REP" << " Sideways Market Report" << false;
        QTest::newRow("full") << "FullVersion1" << "DT2.REP" << " Full Detail Report" << true;
        QTest::newRow("max") << "MaxVersion1" << "DET.REP" << " Max Version Detail Report" << true;
    }
    void floatingReports()
    {
        QFETCH(QString, actionName);
        QFETCH(QString, file);
        QFETCH(QString, caption);
        QFETCH(bool, both);
        WorkDir dir;
        writeReports(dir);
        FrontEnd frontEnd;
        action(actionName.toLatin1())->trigger();
        QVERIFY(frmFullReport->isVisible());
        QVERIFY(frmFullReport->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(frmFullReport->windowTitle(), caption);
        QCOMPARE(frmFullReport->mmFullReport->Lines(), ReportLines(file, 5));
        QCOMPARE(frmFullReport->mmFullReport->GetScrollBars(), both ? ScrollBars::Both : ScrollBars::Vertical);
        QCOMPARE(frmQEL5100->windowTitle(), QString(" Norvane Inc."));
        QCOMPARE(frmQEL5100->Report.MainPaneTitle, QString(" "));
    }

    void missingReports()
    {
        WorkDir dir;
        writeReports(dir);
        FrontEnd frontEnd;
        frmQEL5100->ProfitReport1Click();
        frmQEL5100->StopLossReport1Click();
        dir.remove("SRP.REP");
        dir.remove("SDW.REP");

        frmQEL5100->bbSummary->click();
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(BoxTexts().first().contains("SRP.REP"));
        QCOMPARE(frmQEL5100->mmQEL->Lines(), QStringList{});   // cleared before the load
        QCOMPARE(frmQEL5100->Report.MainPaneTitle, QString(" Profit Summary Report"));
        QCOMPARE(frmQEL5100->windowTitle(), QString(" Profit Summary Report :  "));

        frmFullReport->hide();
        frmQEL5100->bbSideways->click();
        QCOMPARE(BoxTexts().size(), 2);
        QVERIFY(!frmFullReport->isVisible());
        QCOMPARE(frmFullReport->windowTitle(), QString(" Check the Stop Loss Report"));
        QCOMPARE(frmFullReport->mmFullReport->Lines(), ReportLines("STP.REP", 5));
    }

    void detailJumpLandsOnTheSignalDate()
    {
        WorkDir dir;
        dir.writeLines("DT3.REP", {" DETAIL", "", "04DEC00  x", "xx 05JAN01 y 05JAN01", "05JAN01"});
        FrontEnd frontEnd;
        TMemo *pane = frmQEL5100->mmQEL;

        // Before the first system run the key is empty: no jump.
        frmQEL5100->mmReport2->setFocus();
        frmQEL5100->DetailReport1Click();
        QCOMPARE(pane->textCursor().position(), 0);
        QCOMPARE(frmQEL5100->focusWidget(), frmQEL5100->mmReport2);

        frmQEL5100->Runs.SignalDateKey = "05JAN01";
        frmQEL5100->DetailReport1Click();
        QCOMPARE(pane->textCursor().blockNumber(), 3);
        QCOMPARE(pane->textCursor().positionInBlock(), 3);
        QCOMPARE(pane->textCursor().selectedText(), QString());
        QCOMPARE(frmQEL5100->focusWidget(), pane);
        QCOMPARE(FindDetailJump(pane->Lines(), "05JAN01").offset, 7 + 0 + 10 + 3 * 2 + 3);
        // The read-only pane keeps a caret that the keys move from there.
        QVERIFY(pane->isReadOnly());
        QTest::keyClick(pane, Qt::Key_Right);
        QCOMPARE(pane->textCursor().blockNumber(), 3);
        QCOMPARE(pane->textCursor().positionInBlock(), 4);
        QTest::keyClick(pane, Qt::Key_Down);
        QCOMPARE(pane->textCursor().blockNumber(), 4);
        QCOMPARE(pane->Lines(), dir.readLines("DT3.REP"));

        // In the second pane, with the date on the first line.
        dir.writeLines("DT3.REP", {"  05JAN01", "05JAN01"});
        clickPane(frmQEL5100->mmReport2);
        frmQEL5100->mmQEL->setFocus();
        frmQEL5100->bbDetail->click();
        QCOMPARE(frmQEL5100->mmReport2->textCursor().blockNumber(), 0);
        QCOMPARE(frmQEL5100->mmReport2->textCursor().positionInBlock(), 2);
        QCOMPARE(frmQEL5100->focusWidget(), frmQEL5100->mmReport2);
    }

    void splitterStaysWithinTheWindow()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmQEL5100 *w = frmQEL5100;
        w->spSecondReport->click();
        emit w->HSplitter->dragged(5000);
        QCOMPARE(w->mmReport2->height(), 1);
        QCOMPARE(w->mmReport2->y() + w->mmReport2->height(), w->ClientHeight());
        emit w->HSplitter->dragged(-5000);
        QCOMPARE(w->mmQEL->height(), MainPaneMinHeight);
    }

    void splitViewAndToolBar()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmQEL5100 *w = frmQEL5100;
        const int client = w->ClientHeight();

        w->spSecondReport->click();
        QCOMPARE(w->HSplitter->height(), 3);
        QVERIFY(w->View2ndReport1->isChecked());
        QCOMPARE(w->mmQEL->height(), client / 2 - 15);
        QCOMPARE(w->Report.ActivePane, 1);
        QCOMPARE(w->mmReport2->y(), 30 + client / 2 - 15 + 3);

        // A click in the main pane makes it active without closing the split.
        clickPane(w->mmQEL);
        QCOMPARE(w->Report.ActivePane, 0);
        QCOMPARE(w->HSplitter->height(), 3);
        action("View2ndReport1")->trigger();
        QCOMPARE(w->HSplitter->height(), 1);
        QVERIFY(!w->View2ndReport1->isChecked());
        QCOMPARE(w->mmQEL->height(), client - 32);
        QCOMPARE(w->Report.ActivePane, 0);

        action("ToolBar1")->trigger();
        QVERIFY(w->tlbQEL->isHidden());
        QVERIFY(!w->ToolBar1->isChecked());
        QCOMPARE(w->mmQEL->height(), client - 32 + 30);
        QCOMPARE(w->mmQEL->y(), 0);
        action("View2ndReport1")->trigger();
        QCOMPARE(w->mmQEL->height(), client / 2 - 1);
        action("View2ndReport1")->trigger();
        QCOMPARE(w->mmQEL->height(), client - 1);
        action("ToolBar1")->trigger();
        QVERIFY(!w->tlbQEL->isHidden());
        QVERIFY(w->ToolBar1->isChecked());
        QCOMPARE(w->mmQEL->height(), client - 1 - 30);
    }

    void mainPaneKeepsItsMinimumHeight()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmQEL5100 *w = frmQEL5100;
        w->showNormal();
        w->resize(400, 140);
        QTRY_VERIFY(w->ClientHeight() < 130);
        w->View2ndReport1Click();
        QCOMPARE(w->mmQEL->height(), 50);
        w->View2ndReport1Click();
        QCOMPARE(w->mmQEL->height(), std::max(50, w->ClientHeight() - 32));
    }

    void colourToggles()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmQEL5100 *w = frmQEL5100;
        w->spMainWindow->click();
        QCOMPARE(w->mmQEL->Color(), clWhite);
        QCOMPARE(w->Report.MainPaneColor, clWhite);
        action("MainWindow2")->trigger();
        QCOMPARE(w->mmQEL->Color(), ReportPaneColor);
        QCOMPARE(w->Report.MainPaneColor, ReportPaneColor);

        w->spSecandaryWindow->click();
        QCOMPARE(w->mmReport2->Color(), clWhite);
        action("SecondaryWindow2")->trigger();
        QCOMPARE(w->mmReport2->Color(), ReportPaneColor);

        w->spFloatingWindow->click();
        QCOMPARE(frmFullReport->mmFullReport->Color(), FloatingTintColor);
        action("Floatingwindow2")->trigger();
        QCOMPARE(frmFullReport->mmFullReport->Color(), clWhite);
    }

    void aboutBox()
    {
        WorkDir dir;
        writeReports(dir);
        FrontEnd frontEnd;
        TfrmQEL5100 *w = frmQEL5100;
        w->StopLossReport1Click();
        w->spMainWindow->click();
        bool dimmedWhileShown = false;
        Dialogs::QueueModalAction([&](QDialog *box) {
            dimmedWhileShown = box == frmQelAbout && w->mmQEL->Color() == clBlack
                && w->mmReport2->Color() == clBlack && !frmControlPanel->isVisible()
                && !frmFullReport->isVisible();
        });
        action("About1")->trigger();
        QVERIFY(dimmedWhileShown);
        QCOMPARE(w->mmQEL->Color(), clWhite);
        QCOMPARE(w->mmReport2->Color(), ReportPaneColor);
        QVERIFY(frmControlPanel->isVisible());
        QVERIFY(!frmFullReport->isVisible());
        QCOMPARE(frmQelAbout->windowTitle(), QString(" About QEL-5100"));
    }

    void openShowsTheFirstChosenFile()
    {
        WorkDir dir;
        dir.writeLines("first.rep", {"first file"});
        dir.writeLines("second.rep", {"second file"});
        FrontEnd frontEnd;
        action("Open1")->trigger();   // cancelled: nothing happens
        QVERIFY(!frmFullReport->isVisible());

        Dialogs::QueueOpenFiles({dir.file("first.rep"), dir.file("second.rep")});
        action("Open1")->trigger();
        QCOMPARE(frmFullReport->mmFullReport->Lines(), QStringList{"first file"});
        QCOMPARE(frmFullReport->windowTitle(), QString(" Norvane Inc."));
        QCOMPARE(frmFullReport->mmFullReport->GetScrollBars(), ScrollBars::Vertical);
        QVERIFY(frmFullReport->isVisible());
        QCOMPARE(frmQEL5100->OpenDialogInitialDir, QDir::currentPath());
        QCOMPARE(frmQEL5100->OpenDialogFilterIndex, 1);

        // A click in the floating text hides the control panel.
        QVERIFY(frmControlPanel->isVisible());
        QTest::mouseClick(frmFullReport->mmFullReport->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!frmControlPanel->isVisible());
    }

    void openDialogShowsTheDesignFilters()
    {
        WorkDir dir(false);
        dir.writeLines("BONDS.SYS", {"x"});
        dir.writeLines("README", {"x"});
        dir.writeLines("a.rep", {"x"});
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        Dialogs::SetUpOpenDialog(dialog, dir.path(), TfrmQEL5100::OpenFilter, 1, true);
        QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFiles);
        QCOMPARE(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
        auto *types = dialog.findChild<QComboBox *>("fileTypeCombo");
        QVERIFY(types);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        QCOMPARE(shown, (QStringList{"Algorithms(*.alg)", "Headers(*.hdn)", "Reports(*.rep)", "System(Bonds.*)",
                                     "All files(*.*)"}));
        QCOMPARE(types->currentIndex(), 0);

        // "Bonds.*" ignores case and "*.*" takes
        // every file, also one without a dot.
        auto *list = dialog.findChild<QListView *>("listView");
        QVERIFY(list);
        dialog.show();
        auto listed = [&] {
            QStringList names;
            for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
                names << list->model()->index(row, 0, list->rootIndex()).data().toString();
            names.sort();
            return names;
        };
        dialog.selectNameFilter(dialog.nameFilters().at(3));
        QTRY_COMPARE(listed(), QStringList{"BONDS.SYS"});
        dialog.selectNameFilter(dialog.nameFilters().at(4));
        QTRY_COMPARE(listed(), (QStringList{"BONDS.SYS", "README", "a.rep"}));
    }

    void floatingViewTakesTypingButNotTabOrEscape()
    {
        WorkDir dir;
        dir.writeLines("first.rep", {"abc"});
        FrontEnd frontEnd;
        Dialogs::QueueOpenFiles({dir.file("first.rep")});
        action("Open1")->trigger();
        TMemo *view = frmFullReport->mmFullReport;
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(view->Lines(), QStringList{"abc"});
        QTest::keyClick(view, Qt::Key_X);
        QCOMPARE(view->Lines(), QStringList{"xabc"});
        QCOMPARE(dir.readLines("first.rep"), QStringList{"abc"});   // never saved
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(frmFullReport->isVisible());
    }

    void openersAndHelp()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        TfrmQEL5100 *w = frmQEL5100;
        w->spParams->click();
        action("PriceEditor1")->trigger();
        QCOMPARE(Dialogs::ModalWindowsShown(), (QStringList{"frmQelparam", "frmEditorMain"}));
        w->spSignals->click();
        QVERIFY(frmTChart->isVisible());
        action("ChartViewer1")->trigger();
        QVERIFY(frmChartsMain->isVisible());
        w->spCalendar->click();
        QVERIFY(frmCalendar->isVisible());

        action("Help2")->trigger();
        QCOMPARE(HelpViewer::LastOpened(), QString("QEL5100.HLP"));
        action("FastStart1")->trigger();
        QCOMPARE(HelpViewer::LastOpened(), QString("FASTART.HLP"));

        action("ControlPanel1")->trigger();
        QVERIFY(!frmControlPanel->isVisible());
        QTest::mouseClick(w->imgLogo, Qt::LeftButton);
        QVERIFY(frmControlPanel->isVisible());
        QCOMPARE(BoxTexts(), QStringList{});

        // File > Exit closes the main window, which ends the program.
        QSignalSpy closed(w, &TfrmQEL5100::closed);
        action("Exit1")->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w->isVisible());
        QCOMPARE(BoxTexts(), QStringList{});
    }
};

QEL_TEST_MAIN(TestReports)
#include "tst_reports.moc"
