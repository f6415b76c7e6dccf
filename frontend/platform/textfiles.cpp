#include "textfiles.h"

#include "codepage.h"
#include "files.h"
#include "logic/qelerror.h"

#include <QFile>
#include <QSaveFile>

namespace TextFiles {

QStringList SplitLines(const QByteArray &bytes, LineEnds *ends)
{
    // Decoded as a whole: one byte is one character, so the byte positions
    // of the line ends are the text's.
    const QString text = CodePage::Decode(bytes);
    QStringList lines;
    if (ends)
        ends->clear();
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        LineEnd kind = LineEnd::Lf;
        if (end < 0) {
            end = size;
            kind = LineEnd::None;
        }
        qsizetype stop = end;
        if (kind == LineEnd::Lf && stop > start && text.at(stop - 1) == QLatin1Char('\r')) {
            --stop;
            kind = LineEnd::CrLf;
        }
        lines.append(text.mid(start, stop - start));
        if (ends)
            ends->append(kind);
        start = end + 1;
    }
    return lines;
}

QByteArray JoinLines(const QStringList &lines, const LineEnds &ends)
{
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines.at(i);
        const LineEnd end = ends.value(i, LineEnd::CrLf);
        if (end == LineEnd::Lf)
            text += QLatin1Char('\n');
        else if (end == LineEnd::CrLf || i + 1 < lines.size())
            text += QLatin1String("\r\n");
    }
    return CodePage::Encode(text);
}

namespace {
[[noreturn]] void TooLarge(const QString &name, const QString &size)
{
    throw QelError(QStringLiteral("File \"%1\" is too large to load (%2 bytes; at most %3).")
                       .arg(name, size)
                       .arg(LoadLimit));
}
} // namespace

void CheckLoadSize(const QString &name, qint64 size)
{
    if (size > LoadLimit)
        TooLarge(name, QString::number(size));
}

namespace {
[[noreturn]] void CannotOpen(const QString &name, const QFile &file)
{
    throw QelError(QStringLiteral("Cannot open file \"%1\". %2").arg(name, file.errorString()));
}

[[noreturn]] void ReadError(const QString &name, const QFile &file)
{
    throw QelError(QStringLiteral("Read error on file \"%1\". %2").arg(name, file.errorString()));
}
} // namespace

QByteArray ReadBytes(const QString &name)
{
    QFile file(Files::Resolve(name));
    if (!file.open(QIODevice::ReadOnly))
        CannotOpen(name, file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        ReadError(name, file);
    return bytes;
}

// Refused above LoadLimit before any byte is read, and read no further than
// the limit should the file grow meanwhile.
QByteArray ReadBytesToLoad(const QString &name)
{
    QFile file(Files::Resolve(name));
    if (!file.open(QIODevice::ReadOnly))
        CannotOpen(name, file);
    CheckLoadSize(name, file.size());
    const QByteArray bytes = file.read(LoadLimit + 1);
    if (file.error() != QFileDevice::NoError)
        ReadError(name, file);
    if (bytes.size() > LoadLimit)   // no size of its own, as a pipe
        TooLarge(name, QStringLiteral("more than %1").arg(LoadLimit));
    return bytes;
}

QStringList SplitLinesToLoad(const QString &name, const QByteArray &bytes, LineEnds *ends)
{
    QStringList lines = SplitLines(bytes, ends);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).size() > LineLimit)
            throw QelError(QStringLiteral("File \"%1\" is too large to load (line %2 has %3 characters; at most %4).")
                               .arg(name)
                               .arg(i + 1)
                               .arg(lines.at(i).size())
                               .arg(LineLimit));
    }
    return lines;
}

QStringList ReadLines(const QString &name, LineEnds *ends)
{
    return SplitLinesToLoad(name, ReadBytesToLoad(name), ends);
}

QString ReadFirstLine(const QString &name)
{
    const QStringList lines = ReadLines(name);
    return lines.isEmpty() ? QString() : lines.first();
}

void WriteBytes(const QString &name, const QByteArray &bytes)
{
    // Written to a temporary file beside the target and renamed over it only
    // when every byte is on disk: a full disk, a size limit or a directory in
    // the way leaves the old file as it was, byte for byte.
    QSaveFile file(Files::Resolve(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw QelError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, file.errorString()));
    // A write cut short by the disk or a size limit reports no reason of its
    // own; writing on until a write fails gives the system's reason ("File
    // too large", "No space left on device").
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            break;
        written += step;
    }
    if (written != bytes.size() || !file.flush() || file.size() != bytes.size()
        || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw QelError(QStringLiteral("Write error on file \"%1\". %2").arg(name, reason));
    }
    if (!file.commit())
        throw QelError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, file.errorString()));
}

void WriteLines(const QString &name, const QStringList &lines, const LineEnds &ends)
{
    QByteArray bytes;
    try {
        bytes = JoinLines(lines, ends);
    } catch (const QelError &error) {
        throw QelError(QStringLiteral("Write error on file \"%1\". %2").arg(name, error.message()));
    }
    WriteBytes(name, bytes);
}

} // namespace TextFiles
