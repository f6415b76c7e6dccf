#pragma once
// The first line of "SIGNAL.PXD" as the control panel reads it: the signal
// code in columns 1-2 and the week's date as DDMMMYY in columns 17-23.
#include <QString>

namespace SignalFile {

QString SignalCode(const QString &signalLine);      // columns 1-2
QString SignalDateKey(const QString &signalLine);   // columns 17-23

// "Signal for:  " + day + " " + month + " " + four-digit year. Years 00-59
// are 2000-2059, 60-99 are 1960-1999; a month that is not one of "JAN" ..
// "DEC" exactly stays as it stands. Throws QelError with the conversion
// error when columns 22-23 do not hold a whole number.
QString SignalCaption(const QString &signalLine);

// The picture of a signal code, or an empty name for an unknown code
// (compared case-sensitively, in the table's order).
QString SignalPicture(const QString &signalCode);

} // namespace SignalFile
