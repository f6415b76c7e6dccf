#include "fixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtTest>

const QStringList WorkDir::Pictures = {
    "Splash.bmp", "About.bmp", "MVR.BMP", "KQ4.BMP", "PXD.BMP", "BUY.BMP", "SELL.BMP",
    "PULLBACK.BMP", "RALLY.BMP", "STAYLONG.BMP", "STAYXORT.BMP", "GETOUT.BMP", "STAYOUT.BMP",
};
const QStringList WorkDir::ComponentFiles = {
    "WPA.DLL", "WPB.DLL", "WPC.DLL", "WPD.DLL", "WPE.DLL", "WPF.DLL", "WPG.DLL", "WPK.DLL",
};

WorkDir::WorkDir(bool filled)
{
    m_previous = QDir::currentPath();
    if (!m_dir.isValid())
        qFatal("cannot make a temporary working directory");
    QDir::setCurrent(m_dir.path());
    if (filled)
        fill();
}

WorkDir::~WorkDir()
{
    QDir::setCurrent(m_previous);
}

QString WorkDir::file(const QString &name) const
{
    return m_dir.filePath(name);
}

void WorkDir::writeBytes(const QString &name, const QByteArray &bytes) const
{
    QFile out(file(name));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write fixture file");
}

void WorkDir::writeLines(const QString &name, const QStringList &lines) const
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    writeBytes(name, bytes);
}

void WorkDir::writePicture(const QString &name, const char *label) const
{
    QImage image(64, 24, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x40, 0x80));
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QLatin1String(label));
    painter.end();
    if (!image.save(file(name), "BMP"))
        qFatal("cannot write fixture picture");
}

void WorkDir::writeScript(const QString &name, const QString &body) const
{
    writeBytes(name, ("#!/bin/sh\n" + body + "\n").toLatin1());
    QFile::setPermissions(file(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void WorkDir::remove(const QString &name) const
{
    QFile::remove(file(name));
}

bool WorkDir::exists(const QString &name) const
{
    return QFile::exists(file(name));
}

QStringList WorkDir::readLines(const QString &name) const
{
    QFile in(file(name));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(in.readAll()).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList ReportLines(const QString &title, int count)
{
    QStringList lines{title, QString()};
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("  line %1 of %2").arg(i).arg(title);
    return lines;
}

void WorkDir::fill() const
{
    for (const QString &picture : Pictures)
        writePicture(picture, picture.toLatin1().constData());
    for (const QString &component : ComponentFiles)
        writeBytes(component, QByteArray());
    writeBytes("QEL5100.EXE", QByteArray());
    writeLines("SYSTEM.INI", {"US"});
    writeLines("BONDS.WWW", {"05JAN01NN114220115010113300114240000000", "THE-END"});
    writeLines("TCHART.TCH", {"07JAN2000   0", "05JAN2001   1", "12JAN2001   2", "END-OF-CHART"});
    QStringList scheme;
    for (int i = 0; i < 14; ++i)
        scheme << QString::number(i * 1000);
    writeLines("SCHEME1.PAL", scheme);
    for (const char *month : {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"})
        writeLines(QStringLiteral("CALENDAR.") + QLatin1String(month), {QStringLiteral("Note for ") + month});
    writeLines("CHARTS.LST", {"BONDS95", "BONDS96"});
    // The run-parameter line of the panel's Default Settings state.
    writeLines("BONDS.SYS", {"Y1002000025015000300001000V12.4..78....456789X1......8.1....6.89L1.34...8.12...6.89Y"});
    // A one-pixel GIF: the toolkit reads GIF but cannot write it.
    static const unsigned char gif[] = {
        'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF,
        '!', 0xF9, 4, 1, 0, 0, 0, 0, ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};
    writeBytes("globe.gif", QByteArray(reinterpret_cast<const char *>(gif), sizeof gif));
}

void WorkDir::writeFakePrograms(const QString &signalLine) const
{
    // printf writes the CR LF line ends of the real programs.
    writeScript("MVR.DLL", "printf '\\r\\n Process MVR ran OK.\\r\\n' > MESSAGES.MVR");
    writeScript("KQ4.DLL", "printf '\\r\\n Process KQ4 ran OK.\\r\\n' > MESSAGES.KQ4");
    QString pxd = QStringLiteral("printf ' Stand-in system run.\\r\\n Process PXD ran OK.\\r\\n' > MESSAGES.PXD\n"
                                 "printf '%s\\r\\n' '") + signalLine + QStringLiteral("' > SIGNAL.PXD\n"
                                 "printf '05JAN2001   0\\r\\nLAST\\r\\n' > TCHART.TCH\n"
                                 "printf ' PROFIT SUMMARY\\r\\n total 1\\r\\n' > SUM.REP\n"
                                 "printf ' STOP LOSS\\r\\n stop 113-00\\r\\n' > STP.REP\n");
    writeScript("PXD.DLL", pxd);
}

#include "startup.h"
#include "platform/dialogs.h"
#include "platform/helpviewer.h"

FrontEnd::FrontEnd(int splashMilliseconds, const QDate &calendarStart)
{
    Dialogs::ClearQueues();
    Dialogs::ClearRecord();
    StartUp::Run({splashMilliseconds, true, calendarStart});
}

FrontEnd::~FrontEnd()
{
    StartUp::FreeWindows();
    HelpViewer::Close();
    Dialogs::ClearQueues();
}

QStringList BoxTexts()
{
    QStringList texts;
    for (const BoxRecord &box : Dialogs::Shown())
        texts << box.text;
    return texts;
}

void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}
