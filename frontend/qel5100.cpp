// QEL5100: the desktop front end of the weekly Treasury futures method.
#include "qelMain.h"
#include "startup.h"
#include "platform/errorhandler.h"

int main(int argc, char **argv)
{
    QelApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    StartUp::Run(StartUp::Options{});
    QObject::connect(frmQEL5100, &TfrmQEL5100::closed, &app, &QCoreApplication::quit);
    const int result = app.exec();
    StartUp::FreeWindows();
    return result;
}
