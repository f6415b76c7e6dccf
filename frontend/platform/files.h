#pragma once
// File presence, copy and delete for the bare names the front end uses. The
// system's file names are case-insensitive and the working directory holds
// names such as "Splash.bmp" beside "MVR.DLL", so every bare name is looked
// up case-insensitively in the current directory; a name with a directory
// part is looked up the same way in that directory.
#include <QString>

namespace Files {

// The name as it stands on disk: the exact name if it exists, else the first
// entry of its directory that matches ignoring case, else the name unchanged.
QString Resolve(const QString &name);

bool FileExists(const QString &name);
// True when the file exists and opens for reading.
bool CanRead(const QString &name);
// Copies, replacing an existing target; false on any failure.
bool CopyFile(const QString &from, const QString &to);
// False when the file was not there or could not be removed.
bool DeleteFile(const QString &name);

} // namespace Files
