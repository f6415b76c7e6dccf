#pragma once
// The application's default error handler. An error raised in an event
// handler ends that handler only: its text is shown in an error box and the
// program goes on. Handlers are connected through Guarded(), and the
// application object catches whatever still escapes an event.
#include <QApplication>
#include <exception>
#include <functional>

namespace ErrorHandler {
// Shows the error box for an escaped error.
void Report(const std::exception &error);
void ReportUnknown();
// Runs one handler, reporting an error it raises; true when it ran through.
bool Run(const std::function<void()> &handler);
} // namespace ErrorHandler

// Wraps a handler for connect(): the handler's errors end it and are shown.
template <typename F>
auto Guarded(F handler)
{
    return [handler]() { ErrorHandler::Run(handler); };
}

class QelApplication : public QApplication {
public:
    QelApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
