#pragma once
// Starting the system's programs. A program is started by its bare file name
// from the current directory (never looked up on PATH), with the command line
// as its only argument text, its standard streams on /dev/null and no other
// handle inherited, in the front end's environment and current directory.
#include <QString>
#include <cstdint>

// Returns the program's exit status (0 when wait is false). A program that
// cannot be started raises QelError with the text
// "Failed to excecute program <appName>. Error Code <errno>".
uint32_t RunProgramAndWait(const QString &appName, const QString &cmdLine, bool wait);
