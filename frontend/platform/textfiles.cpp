#include "textfiles.h"

#include "files.h"
#include "logic/qelerror.h"

#include <QFile>
#include <QSaveFile>

namespace TextFiles {

QStringList SplitLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = size;
        qsizetype stop = end;
        if (stop > start && bytes.at(stop - 1) == '\r')
            --stop;
        lines.append(QString::fromLatin1(bytes.constData() + start, stop - start));
        start = end + 1;
    }
    return lines;
}

QByteArray ReadBytes(const QString &name)
{
    QFile file(Files::Resolve(name));
    if (!file.open(QIODevice::ReadOnly))
        throw QelError(QStringLiteral("Cannot open file \"%1\". %2").arg(name, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw QelError(QStringLiteral("Read error on file \"%1\". %2").arg(name, file.errorString()));
    return bytes;
}

QStringList ReadLines(const QString &name)
{
    return SplitLines(ReadBytes(name));
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
    const bool written = file.write(bytes) == bytes.size() && file.flush() && file.size() == bytes.size()
        && file.error() == QFileDevice::NoError;
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw QelError(QStringLiteral("Write error on file \"%1\". %2").arg(name, reason));
    }
    if (!file.commit())
        throw QelError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, file.errorString()));
}

void WriteLines(const QString &name, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes.append(line.toLatin1());
        bytes.append("\r\n");
    }
    WriteBytes(name, bytes);
}

} // namespace TextFiles
