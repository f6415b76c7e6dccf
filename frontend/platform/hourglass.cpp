#include "hourglass.h"

#include <QApplication>

HourglassCursor::HourglassCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Hand the cursor change to the display once; the run that follows
    // blocks the thread, and an unsent change would show only after it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

HourglassCursor::~HourglassCursor()
{
    QApplication::restoreOverrideCursor();
}
