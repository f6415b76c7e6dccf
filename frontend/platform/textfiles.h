#pragma once
// The front end's one reader and one writer of text lines.
//
// Reading takes the bytes in the files' code page (CodePage), ends a line at
// CR LF or at a lone LF, lets a final line end add no empty line and keeps
// how each line was ended. Writing ends a line as it was ended when read,
// and every other line with CR LF, so lines saved back unedited keep their
// bytes; it replaces the file only once everything has been written.
#include "logic/columns.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace TextFiles {

// How a line was ended in its file. None only for a last line.
enum class LineEnd : quint8 { CrLf, Lf, None };
using LineEnds = QList<LineEnd>;

// No window loads a file larger than this, or one with a longer line: far
// above any real file of the system. A wrapping text pane lays a line out
// in time that grows with the square of its length: a line of a million
// characters holds the program for a minute and a half, one of 64 MB for
// days.
inline constexpr qint64 LoadLimit = 64 * 1024 * 1024;
inline constexpr qsizetype LineLimit = 64 * 1024;
// Throws the load error naming the file when its size is above LoadLimit.
void CheckLoadSize(const QString &name, qint64 size);

// Throws QelError when the file cannot be opened or read, is larger than
// LoadLimit or has a line longer than LineLimit. Each line's end goes to
// ends when given.
QStringList ReadLines(const QString &name, LineEnds *ends = nullptr);
// The two halves of ReadLines, for a window that looks at a file's bytes
// before it takes them as lines: the bytes, refused above LoadLimit; their
// lines, refused when one is longer than LineLimit.
QByteArray ReadBytesToLoad(const QString &name);
QStringList SplitLinesToLoad(const QString &name, const QByteArray &bytes, LineEnds *ends = nullptr);
// First line only (empty when the file is empty); throws like ReadLines.
QString ReadFirstLine(const QString &name);
// Line i ended as ends[i] says (None only on the last line), or by CR LF
// where ends says nothing; in the code page, through WriteBytes. A
// character the code page cannot hold throws QelError and writes nothing.
void WriteLines(const QString &name, const QStringList &lines, const LineEnds &ends = {});

// The whole file, throwing QelError when it cannot be opened or read.
QByteArray ReadBytes(const QString &name);
// The checked writer: the target holds the new bytes in full, or its old
// bytes when anything fails (QelError "Cannot create file ..." or "Write
// error on file ..." with the system's reason). Every file the front end
// writes goes through it.
void WriteBytes(const QString &name, const QByteArray &bytes);

QStringList SplitLines(const QByteArray &bytes, LineEnds *ends = nullptr);
QByteArray JoinLines(const QStringList &lines, const LineEnds &ends = {});

} // namespace TextFiles
