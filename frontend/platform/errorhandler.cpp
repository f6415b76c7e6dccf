#include "errorhandler.h"

#include "dialogs.h"
#include "logic/qelerror.h"

namespace ErrorHandler {

void Report(const std::exception &error)
{
    if (const auto *qel = dynamic_cast<const QelError *>(&error))
        Dialogs::Error(qel->message());
    else
        Dialogs::Error(QString::fromLocal8Bit(error.what()));
}

void ReportUnknown()
{
    Dialogs::Error(QStringLiteral("An unexpected error ended the last action."));
}

bool Run(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception &error) {
        Report(error);
    } catch (...) {
        ReportUnknown();
    }
    return false;
}

} // namespace ErrorHandler

QelApplication::QelApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool QelApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ErrorHandler::Report(error);
    } catch (...) {
        ErrorHandler::ReportUnknown();
    }
    return true;
}
