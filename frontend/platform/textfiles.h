#pragma once
// The front end's one reader and one writer of text lines.
//
// Reading takes the bytes as Latin-1, ends a line at CR LF or at a lone LF,
// and lets a final line end add no empty line. Writing ends every line with
// CR LF and replaces the file only once everything has been written.
#include "logic/columns.h"

#include <QString>
#include <QStringList>

namespace TextFiles {

// Throws QelError when the file cannot be opened or read.
QStringList ReadLines(const QString &name);
// First line only (empty when the file is empty); throws like ReadLines.
QString ReadFirstLine(const QString &name);
// Every line ended by CR LF, as Latin-1 bytes, through WriteBytes.
void WriteLines(const QString &name, const QStringList &lines);

// The whole file, throwing QelError when it cannot be opened or read.
QByteArray ReadBytes(const QString &name);
// The checked writer: the target holds the new bytes in full, or its old
// bytes when anything fails (QelError "Cannot create file ..." or "Write
// error on file ..."). Every file the front end writes goes through it.
void WriteBytes(const QString &name, const QByteArray &bytes);

QStringList SplitLines(const QByteArray &bytes);

} // namespace TextFiles
