#include "textfiles.h"

#include "files.h"
#include "qelerror.h"

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

static QByteArray ReadAll(const QString &name)
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
    return SplitLines(ReadAll(name));
}

QString ReadFirstLine(const QString &name)
{
    const QStringList lines = ReadLines(name);
    return lines.isEmpty() ? QString() : lines.first();
}

void WriteLines(const QString &name, const QStringList &lines)
{
    QSaveFile file(Files::Resolve(name));
    if (!file.open(QIODevice::WriteOnly))
        throw QelError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, file.errorString()));
    for (const QString &line : lines) {
        QByteArray bytes = line.toLatin1();
        bytes.append("\r\n");
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            throw QelError(QStringLiteral("Write error on file \"%1\". %2").arg(name, file.errorString()));
        }
    }
    if (!file.commit())
        throw QelError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, file.errorString()));
}

} // namespace TextFiles

namespace Columns {

QString Take(const QString &line, int firstColumn, int width)
{
    if (width <= 0)
        return QString();
    QString out(width, QLatin1Char(' '));
    const int start = firstColumn - 1;
    for (int i = 0; i < width; ++i) {
        const int at = start + i;
        if (at >= 0 && at < line.size())
            out[i] = line.at(at);
    }
    return out;
}

} // namespace Columns
