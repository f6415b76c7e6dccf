#pragma once
// A fresh working directory for one test: the files the front end loads at
// start-up, made here, and small stand-in programs written as shell scripts.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QPlainTextEdit;
class QWidget;

class WorkDir {
public:
    // Makes the directory, fills it (unless bare) and makes it current.
    explicit WorkDir(bool filled = true);
    ~WorkDir();
    WorkDir(const WorkDir &) = delete;
    WorkDir &operator=(const WorkDir &) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const;

    void writeLines(const QString &name, const QStringList &lines) const;   // CR LF
    void writeBytes(const QString &name, const QByteArray &bytes) const;
    void writePicture(const QString &name, const char *label) const;        // BMP
    void writeScript(const QString &name, const QString &body) const;       // executable sh
    void remove(const QString &name) const;
    bool exists(const QString &name) const;
    QStringList readLines(const QString &name) const;

    // Stand-ins for the three programs: each writes its message file (and
    // PXD its outputs) and nothing else.
    void writeFakePrograms(const QString &signalLine = QStringLiteral("GL              05JAN01")) const;

    static const QStringList Pictures;
    static const QStringList ComponentFiles;

private:
    void fill() const;
    QTemporaryDir m_dir;
    QString m_previous;
};

// The lines of a report file the fakes and the tests share.
QStringList ReportLines(const QString &title, int count);

// The calendar's start date in tests: the year, the header, the grid and
// the backup name do not depend on the day the tests run.
inline const QDate FixtureCalendarStart{2024, 3, 15};

// The front end started in the current directory, with no splash wait;
// freed again when the test ends.
class FrontEnd {
public:
    explicit FrontEnd(int splashMilliseconds = 0, const QDate &calendarStart = FixtureCalendarStart);
    ~FrontEnd();
    FrontEnd(const FrontEnd &) = delete;
    FrontEnd &operator=(const FrontEnd &) = delete;
};

// Types the text into the widget one key a character, any character (the
// test library's own typing takes ASCII only).
void TypeText(QWidget *widget, const QString &text);

// The texts of the boxes shown since the record was last cleared.
QStringList BoxTexts();
