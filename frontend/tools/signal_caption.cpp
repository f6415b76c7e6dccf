// signal_caption: prints what the control panel shows for the first line of
// SIGNAL.PXD in the current directory: the caption ("Signal for:  ...") and
// the picture with the signal code. Exit status 1, with the reason on
// standard error, when there is no signal file or the caption cannot be made.
#include "logic/qelerror.h"
#include "logic/signalline.h"
#include "platform/codepage.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

int Fail(const QString &reason)
{
    std::fprintf(stderr, "signal_caption: %s\n", qPrintable(reason));
    return 1;
}

} // namespace

int main()
{
    // File names are matched without regard to case, as the front end does.
    const QStringList found = QDir().entryList({QStringLiteral("SIGNAL.PXD")}, QDir::Files);
    if (found.isEmpty())
        return Fail(QStringLiteral("SIGNAL.PXD was not written: no signal this week."));
    QFile file(found.first());
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot open %1: %2").arg(found.first(), file.errorString()));

    // The first line, in the files' code page; CR LF or LF ends it.
    QByteArray first = file.readLine();
    if (first.endsWith('\n'))
        first.chop(first.endsWith("\r\n") ? 2 : 1);
    const QString line = CodePage::Decode(first);

    QString caption;
    try {
        caption = SignalFile::SignalCaption(line);
    } catch (const QelError &e) {
        return Fail(found.first() + QStringLiteral(": ") + e.message());
    }
    const QString code = SignalFile::SignalCode(line);
    QString picture = SignalFile::SignalPicture(code);
    if (picture.isEmpty())   // an unknown code leaves the run's own picture up
        picture = QStringLiteral("PXD.BMP");
    std::printf("%s\n(signal code %s, picture %s)\n", qPrintable(caption), qPrintable(code),
                qPrintable(picture));
    return 0;
}
