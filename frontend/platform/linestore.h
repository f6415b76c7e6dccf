#pragma once
// A hidden store of text lines: the lines exactly as given or as read by
// the one line reader (CR LF or LF ends a line, a lone CR does not; bytes
// in the files' code page). Stands where a window keeps a file's lines
// without showing them.
#include <QObject>
#include <QStringList>

class TLineStore : public QObject {
    Q_OBJECT
public:
    explicit TLineStore(QObject *parent = nullptr) : QObject(parent) {}

    void SetLines(const QStringList &lines) { m_lines = lines; }
    const QStringList &Lines() const { return m_lines; }
    void Clear() { m_lines.clear(); }
    // Throws QelError when the file cannot be read; the lines stay then.
    void LoadFromFile(const QString &fileName);

private:
    QStringList m_lines;
};
