#pragma once
// The front end's one reader and one writer of text lines.
//
// Reading takes the bytes as Latin-1, ends a line at CR LF or at a lone LF,
// and lets a final line end add no empty line. Writing ends every line with
// CR LF and replaces the file only once everything has been written.
#include <QString>
#include <QStringList>

namespace TextFiles {

// Throws QelError when the file cannot be opened or read.
QStringList ReadLines(const QString &name);
// First line only (empty when the file is empty); throws like ReadLines.
QString ReadFirstLine(const QString &name);
// Throws QelError ("Cannot create file ...") when the file cannot be written.
void WriteLines(const QString &name, const QStringList &lines);

QStringList SplitLines(const QByteArray &bytes);

} // namespace TextFiles

// Columns of fixed-column lines, 1-based. A line shorter than the range gives
// blanks for the missing part, so no read of a short or empty line can fail.
namespace Columns {
QString Take(const QString &line, int firstColumn, int width);
}
