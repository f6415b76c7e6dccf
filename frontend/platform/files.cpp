#include "files.h"

#include "textfiles.h"
#include "logic/qelerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Files {

QString Resolve(const QString &name)
{
    if (name.isEmpty() || QFileInfo::exists(name))
        return name;
    const QFileInfo info(name);
    const QDir dir = info.dir();
    const QString wanted = info.fileName();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) {
            if (name.contains(QLatin1Char('/')))
                return dir.filePath(entry);
            return entry;
        }
    }
    return name;
}

bool FileExists(const QString &name)
{
    const QFileInfo info(Resolve(name));
    return info.exists() && !info.isDir();
}

bool CanRead(const QString &name)
{
    if (!FileExists(name))
        return false;
    QFile file(Resolve(name));
    return file.open(QIODevice::ReadOnly);
}

bool CopyFile(const QString &from, const QString &to)
{
    // Through the checked writer, so the target changes only once the whole
    // copy is in place; a failed copy leaves it as it was.
    const QString source = Resolve(from);
    if (!FileExists(source))
        return false;
    try {
        TextFiles::WriteBytes(to, TextFiles::ReadBytes(source));
    } catch (const QelError &) {
        return false;
    }
    return true;
}

bool DeleteFile(const QString &name)
{
    const QString actual = Resolve(name);
    if (!FileExists(actual))
        return false;
    return QFile::remove(actual);
}

} // namespace Files
