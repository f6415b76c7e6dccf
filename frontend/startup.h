#pragma once
// The program's start-up: the splash for its time, the application's title,
// then every window of the front end created once, in a fixed order, each
// with its creation handler run on its own.
#include <QDate>
#include <QList>

class QWidget;

namespace StartUp {

struct Options {
    int splashMilliseconds = 4000;
    bool showMainWindow = true;
    // The calendar's start date; an invalid date means today.
    QDate calendarStart;
};

// Runs start-up up to the message loop; the windows' references are set.
void Run(const Options &options);
// Every window of the window set, in creation order.
QList<QWidget *> WindowSet();
// Frees the window set and clears the references (the program's end).
void FreeWindows();

} // namespace StartUp
