#pragma once
// The one error type of the front end. A handler that meets a condition it
// cannot go on from (a file that will not open, a program that will not start,
// a number that will not convert) throws it; the default error handler shows
// its text in an error box and ends only that handler.
#include <QString>
#include <stdexcept>

class QelError : public std::runtime_error {
public:
    explicit QelError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
