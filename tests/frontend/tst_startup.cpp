// Start-up: the window set in its order, the creation loads, the main
// window's first state, and start-up going on past a missing file.
#include "fixture.h"
#include "testmain.h"

#include "CTrades.h"
#include "calendarmain.h"
#include "chartcolor.h"
#include "chartsmain.h"
#include "controlpanel.h"
#include "edItormain.h"
#include "qelMain.h"
#include "qelabout.h"
#include "startup.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <ctime>

// Start-up in a build with the address sanitizer takes several times as
// long; a bound on its wall time grows with it.
#if defined(__SANITIZE_ADDRESS__)
constexpr int SlowBuildFactor = 5;
#else
constexpr int SlowBuildFactor = 1;
#endif

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void createsTheWindowSetAndLoadsItsFiles()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        QCOMPARE(BoxTexts(), QStringList{});

        QStringList names;
        for (QWidget *window : StartUp::WindowSet())
            names << window->objectName();
        QCOMPARE(names, (QStringList{"frmQEL5100", "frmControlPanel", "frmEditorMain", "frmQelAbout",
                                     "frmQelparam", "frmCalendar", "frmCalendarAbout", "frmChartsMain",
                                     "frmRollover", "frmChartsUpdate", "frmCalendarLoad", "frmFullReport",
                                     "frmTChart", "frmChartColor", "frmColorAbout"}));
        QCOMPARE(QApplication::applicationName(), QString("QEL-5100"));

        // Only the main window and the control panel are on screen.
        for (QWidget *window : StartUp::WindowSet())
            QCOMPARE(window->isVisible(), window == frmQEL5100 || window == frmControlPanel);
        QVERIFY(frmQEL5100->isMaximized());
        QVERIFY(frmControlPanel->isEnabled());
        QVERIFY(frmControlPanel->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(frmControlPanel->mmControlPanel->Lines(), TfrmControlPanel::DesignText);
        QCOMPARE(frmControlPanel->pnlTradingSignal->text(), QString("Weekly Trading Signal"));

        // The main window's own creation and first state.
        QCOMPARE(frmQEL5100->windowTitle(), QString(" Norvane Inc."));
        QCOMPARE(frmQEL5100->HSplitter->height(), 1);
        QCOMPARE(frmQEL5100->ImgSpacer->width(), QGuiApplication::primaryScreen()->geometry().width() - 520);
        QCOMPARE(frmQEL5100->mmQEL->Lines(), QStringList{""});
        QCOMPARE(frmQEL5100->mmQEL->Color(), MainPaneDesignColor);
        QCOMPARE(frmQEL5100->mmReport2->Color(), ReportPaneColor);
        // The maximised window (the offscreen screen is 800 x 800) is taller
        // than the design: the main pane keeps 505 and the second pane
        // fills what is left below the one-pixel splitter.
        QVERIFY(frmQEL5100->ClientHeight() > 30 + 505 + 1);
        QCOMPARE(frmQEL5100->mmQEL->height(), 505);
        QCOMPARE(frmQEL5100->mmReport2->y(), 30 + 505 + 1);
        QCOMPARE(frmQEL5100->mmReport2->y() + frmQEL5100->mmReport2->height(), frmQEL5100->ClientHeight());
        QVERIFY(frmQEL5100->ToolBar1->isChecked());
        QVERIFY(!frmQEL5100->View2ndReport1->isChecked());
        QVERIFY(!frmQEL5100->Print1->isEnabled());
        QCOMPARE(frmQEL5100->tlbQEL->height(), 30);
        QCOMPARE(frmQEL5100->Bevel1->geometry(), QRect(0, 29, 656, 2));
        QCOMPARE(frmQEL5100->imgLogo->toolTip(), QString("Control panel."));

        // The other windows' creation loads.
        QCOMPARE(frmEditorMain->mmWKY->Lines(), dir.readLines("BONDS.WWW"));
        QCOMPARE(frmTChart->mmTChart->Lines(), dir.readLines("TCHART.TCH"));
        QCOMPARE(frmTChart->TicksPerPoint, 32);
        QCOMPARE(frmTChart->cbTChart->count(), 2);
        QCOMPARE(frmTChart->cbTChart->itemText(0), QString("2001     1"));
        QCOMPARE(ChartPalette[13], TColor(13000));
        QCOMPARE(frmCalendar->lstMonth[11]->item(0)->text(), QString("Note for DEC"));
        QCOMPARE(frmChartsMain->lstCharts->count(), 2);
        QCOMPARE(frmChartsMain->imgChart->PictureFile(), QString("globe.gif"));
        QCOMPARE(frmChartsMain->lstCharts->geometry(), QRect(0, 0, 40, 473));
        QCOMPARE(frmChartsMain->imgChart->geometry(), QRect(42, 3, 638, 467));
        QCOMPARE(frmQelAbout->imgAbout->PictureFile(), QString("About.bmp"));
    }

    void toolBarButtonsAndHints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("hint");
        const struct {
            const char *name;
            int x, width;
            const char *hint;
        } rows[] = {
            {"spEditor", 0, 25, "Price file editor."},       {"spParams", 25, 25, "Params panel."},
            {"spSignals", 50, 25, "Signals plotter."},       {"spCharts", 75, 25, "Historical charts."},
            {"spCalendar", 100, 25, "Calendar."},            {"spControlPanel", 125, 25, "Control panel."},
            {"spSecondReport", 150, 25, "Split screen."},    {"SpeedButton8", 175, 7, ""},
            {"spMainWindow", 182, 25, "Color main window."}, {"spSecandaryWindow", 207, 25, "Color secondary window."},
            {"spFloatingWindow", 232, 25, "Color floating window."}, {"SpeedButton9", 257, 7, ""},
            {"bbDetail", 264, 25, "Detail Report."},         {"bbSummary", 289, 25, "Summary report."},
            {"bbProfit", 314, 25, "Profit report."},         {"bbMultiple", 339, 25, "Muultiple trades."},
            {"bbStopLoss", 364, 25, "Stop loss report."},    {"bbSideways", 389, 25, "Sideways report."},
            {"bbTrades", 414, 25, "Algorithm trades."},      {"bbYearly", 439, 25, "Yearly report."},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << QString(row.name) << row.x << row.width << QString(row.hint);
    }
    void toolBarButtonsAndHints()
    {
        QFETCH(QString, name);
        QFETCH(int, x);
        QFETCH(int, width);
        QFETCH(QString, hint);
        WorkDir dir;
        FrontEnd frontEnd;
        auto *button = frmQEL5100->tlbQEL->findChild<QWidget *>(name);
        QVERIFY(button);
        QCOMPARE(button->geometry(), QRect(x, 2, width, 25));
        QCOMPARE(button->toolTip(), hint);
    }

    void mainMenu()
    {
        WorkDir dir;
        FrontEnd frontEnd;
        // Each menu with its items: caption, and for the ticked or disabled
        // ones a mark ("+" ticked, "-" tickable but clear, "x" disabled).
        const QList<QPair<QString, QStringList>> expected{
            {"&File", {"&Open", "Print x", "E&xit"}},
            {"&Reports",
             {"Detail Report", "Profit Report", "Trade Summary", "Multiple Trades ", "Stop Loss ", "Sideways Market",
              "Algorithm Trades", "Yearly Profit ", "Clear Screen"}},
            {"&Tools", {"Editor", "Params", "Signals", "Charts", "Calendar"}},
            {"&View", {"Tool Bar +", "Control Panel", "Second Report -"}},
            {"&Color", {"Main window", "Secondary window", "Floating window"}},
            {"&Help", {"Fast Start", "Contents", "About"}},
        };
        auto describe = [](QAction *item) {
            QString text = item->text();
            if (item->isCheckable())
                text += item->isChecked() ? " +" : " -";
            if (!item->isEnabled())
                text += " x";
            return text;
        };
        QList<QPair<QString, QStringList>> menus;
        for (QAction *menu : frmQEL5100->menuBar()->actions()) {
            QStringList items;
            for (QAction *item : menu->menu()->actions())
                items << describe(item);
            menus.append({menu->text(), items});
        }
        QCOMPARE(menus, expected);
        QStringList detail;
        for (QAction *item : frmQEL5100->DetailReport1->actions())
            detail << describe(item);
        QCOMPARE(detail, (QStringList{"Short Version", "Full Version", "Max Version"}));
    }

    void missingFileIsReportedAndStartUpGoesOn_data()
    {
        QTest::addColumn<QString>("missing");
        for (const char *name : {"Splash.bmp", "BONDS.WWW", "About.bmp", "CALENDAR.MAR", "CHARTS.LST", "globe.gif",
                                 "TCHART.TCH", "SCHEME1.PAL"})
            QTest::newRow(name) << QString(name);
    }
    void missingFileIsReportedAndStartUpGoesOn()
    {
        QFETCH(QString, missing);
        WorkDir dir;
        dir.remove(missing);
        FrontEnd frontEnd;
        QCOMPARE(Dialogs::Shown().size(), 1);
        QCOMPARE(Dialogs::Shown().first().type, BoxType::Error);
        QVERIFY2(BoxTexts().first().contains(missing), qPrintable(BoxTexts().first()));
        QCOMPARE(StartUp::WindowSet().size(), 15);
        QVERIFY(frmQEL5100->isVisible());
        // The control panel is on screen from start-up, also when the about
        // box's picture is missing.
        QVERIFY(frmControlPanel->isVisible());
        if (missing == "CALENDAR.MAR") {
            QCOMPARE(frmCalendar->lstMonth[1]->count(), 1);   // February was loaded before
            QCOMPARE(frmCalendar->lstMonth[3]->count(), 1);   // April was loaded after it
        }
        if (missing == "TCHART.TCH") {
            QCOMPARE(frmTChart->TicksPerPoint, 0);
            QCOMPARE(frmTChart->cbTChart->count(), 1);
        }
    }

    void damagedSchemeFileIsReported()
    {
        WorkDir dir;
        QStringList scheme(14, "255");
        scheme[5] = "red";
        dir.writeLines("SCHEME1.PAL", scheme);
        ChartPalette[0] = 77;
        FrontEnd frontEnd;
        QCOMPARE(Dialogs::Shown().size(), 1);
        QVERIFY(BoxTexts().first().contains("red"));
        QCOMPARE(ChartPalette[0], TColor(77));   // a damaged scheme changes no colour
    }

    void missingComponentFileDisablesThePanel_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("first") << "WPA.DLL";
        QTest::newRow("last") << "WPK.DLL";
    }
    void missingComponentFileDisablesThePanel()
    {
        QFETCH(QString, missing);
        WorkDir dir;
        dir.writeFakePrograms();
        dir.remove(missing);
        FrontEnd frontEnd;
        QCOMPARE(BoxTexts(), QStringList{});
        QVERIFY(frmControlPanel->isVisible());
        QVERIFY(!frmControlPanel->isEnabled());
        QTest::mouseClick(frmControlPanel->btnMVR, Qt::LeftButton);
        QCOMPARE(frmQEL5100->Runs.ProcessStage, QChar(' '));
        QCOMPARE(frmControlPanel->pnlTradingSignal->text(), QString("Weekly Trading Signal"));
        // Putting the file back changes nothing until the next start.
        dir.writeBytes(missing, QByteArray());
        QVERIFY(!frmControlPanel->isEnabled());
        // The disabled panel can still be hidden and shown.
        frmQEL5100->ControlPanel1->trigger();
        QVERIFY(!frmControlPanel->isVisible());
        frmQEL5100->spControlPanel->click();
        QVERIFY(frmControlPanel->isVisible());
    }

    void namesOfTheInstallationMatchIgnoringCase()
    {
        WorkDir dir;
        dir.remove("WPC.DLL");
        dir.writeBytes("wpc.dll", QByteArray());
        dir.remove("Splash.bmp");
        dir.writePicture("SPLASH.BMP", "splash");
        dir.remove("QEL5100.EXE");
        dir.writeBytes("qel5100.exe", QByteArray());
        dir.writeBytes("QEL7300.EXE", QByteArray());
        FrontEnd frontEnd;
        QCOMPARE(BoxTexts(), QStringList{});
        QVERIFY(frmControlPanel->isEnabled());
        QCOMPARE(frmTChart->TicksPerPoint, 64);   // the T-Note edition wins when both are there
    }

    void splashTimeCountsFromBeforeTheSplash()
    {
        WorkDir dir;
        QElapsedTimer clock;
        clock.start();
        FrontEnd frontEnd(300);
        QVERIFY(clock.elapsed() >= 300);
        QVERIFY2(clock.elapsed() < 3000 * SlowBuildFactor, qPrintable(QString::number(clock.elapsed())));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY(window->objectName() != "frmQelplash");
    }

    void splashWaitLeavesTheProcessorFree()
    {
        WorkDir dir;
        auto processMilliseconds = [] { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; };
        // The processor time of start-up's own work, without a wait.
        double start = processMilliseconds();
        { FrontEnd frontEnd(0); }
        const double work = processMilliseconds() - start;

        constexpr int splashMilliseconds = 1500;
        QElapsedTimer clock;
        clock.start();
        start = processMilliseconds();
        { FrontEnd frontEnd(splashMilliseconds); }
        const double waiting = processMilliseconds() - start - work;
        QVERIFY(clock.elapsed() >= splashMilliseconds);
        QVERIFY2(waiting < splashMilliseconds / 4.0, qPrintable(QString::number(waiting)));
    }
};

QEL_TEST_MAIN(TestStartUp)
#include "tst_startup.moc"
