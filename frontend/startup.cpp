#include "startup.h"

#include "CTrades.h"
#include "calendarabout.h"
#include "calendarload.h"
#include "calendarmain.h"
#include "chartcolor.h"
#include "chartsmain.h"
#include "chartsupdate.h"
#include "colorabout.h"
#include "controlpanel.h"
#include "edItormain.h"
#include "fullreport.h"
#include "qelMain.h"
#include "qelabout.h"
#include "qelparam.h"
#include "qelplash.h"
#include "rollover.h"
#include "platform/errorhandler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

namespace StartUp {

namespace {
QList<QWidget *> windowSet;

template <typename Form>
Form *Create(Form *&reference)
{
    reference = new Form;
    windowSet.append(reference);
    return reference;
}

template <typename Form>
void CreateWithHandler(Form *&reference)
{
    Form *form = Create(reference);
    ErrorHandler::Run([form] { form->FormCreate(); });
}
} // namespace

void Run(const Options &options)
{
    // The splash time counts from before the splash is created.
    QElapsedTimer clock;
    clock.start();
    {
        auto *splash = new TfrmQelplash;
        ErrorHandler::Run([splash] { splash->FormCreate(); });
        // The picture is on screen before the wait begins; a window that is
        // never exposed holds start-up no longer than this limit.
        constexpr int paintLimitMilliseconds = 1000;
        splash->ShowPainted(paintLimitMilliseconds);
        // No messages are handled during the wait; short sleeps leave the
        // processor free.
        constexpr qint64 sleepMilliseconds = 10;
        while (true) {
            const qint64 left = options.splashMilliseconds - clock.elapsed();
            if (left <= 0)
                break;
            QThread::msleep(static_cast<unsigned long>(std::min(left, sleepMilliseconds)));
        }
        splash->hide();
        delete splash;
    }

    QApplication::setApplicationName(QStringLiteral("QEL-5100"));

    windowSet.clear();
    CreateWithHandler(frmQEL5100);
    CreateWithHandler(frmControlPanel);
    frmControlPanel->SetRunHandlers({[] { frmQEL5100->MVRMainIndicators1Click(); },
                                     [] { frmQEL5100->KQ4ChaosIndicators1Click(); },
                                     [] { frmQEL5100->QEL5100RunSystem1Click(); }});
    CreateWithHandler(frmEditorMain);
    CreateWithHandler(frmQelAbout);
    CreateWithHandler(frmQelparam);
    Create(frmCalendar)->SetGridDate(options.calendarStart);
    ErrorHandler::Run([] { frmCalendar->FormCreate(); });
    Create(frmCalendarAbout);
    CreateWithHandler(frmChartsMain);
    Create(frmRollover);
    Create(frmChartsUpdate);
    Create(frmCalendarLoad);
    Create(frmFullReport);
    CreateWithHandler(frmTChart);
    CreateWithHandler(frmChartColor);
    Create(frmColorAbout);

    if (options.showMainWindow) {
        frmQEL5100->showMaximized();
        if (frmControlPanel->isVisible())
            frmControlPanel->raise();
    }
}

QList<QWidget *> WindowSet()
{
    return windowSet;
}

void FreeWindows()
{
    for (auto it = windowSet.rbegin(); it != windowSet.rend(); ++it)
        delete *it;
    windowSet.clear();
    frmQEL5100 = nullptr;
    frmControlPanel = nullptr;
    frmEditorMain = nullptr;
    frmQelAbout = nullptr;
    frmQelparam = nullptr;
    frmCalendar = nullptr;
    frmCalendarAbout = nullptr;
    frmChartsMain = nullptr;
    frmRollover = nullptr;
    frmChartsUpdate = nullptr;
    frmCalendarLoad = nullptr;
    frmFullReport = nullptr;
    frmTChart = nullptr;
    frmChartColor = nullptr;
    frmColorAbout = nullptr;
}

} // namespace StartUp
