#include "helpviewer.h"

#include "dialogs.h"
#include "files.h"
#include "textfiles.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>

// The help texts are a resource of the front-end library; a static library's
// resources are registered by hand before their first use.
static void RegisterHelpTexts()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)registered;
}

namespace {
QPointer<QTextBrowser> viewer;
QString lastOpened;
} // namespace

void HelpViewer::ShowContents(const QString &helpFile)
{
    RegisterHelpTexts();
    QString text;
    if (Files::FileExists(helpFile)) {
        text = TextFiles::ReadLines(helpFile).join(QLatin1Char('\n'));
    } else {
        QFile shipped(QStringLiteral(":/help/") + helpFile.toUpper());
        if (!shipped.open(QIODevice::ReadOnly)) {
            Dialogs::MessageBox(BoxType::Error,
                                QStringLiteral("Cannot find the %1 file. Do you want to try to find this file yourself?")
                                    .arg(helpFile),
                                btnOk);
            return;
        }
        text = TextFiles::SplitLines(shipped.readAll()).join(QLatin1Char('\n'));
    }
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setObjectName(QStringLiteral("HelpViewer"));
        viewer->setAttribute(Qt::WA_DeleteOnClose, false);
        viewer->resize(520, 440);
    }
    lastOpened = helpFile;
    viewer->setWindowTitle(QStringLiteral("Help - ") + helpFile + QStringLiteral(" - Contents"));
    viewer->setPlainText(text);
    viewer->show();
    viewer->raise();
}

QString HelpViewer::LastOpened() { return lastOpened; }
QString HelpViewer::ShownText() { return viewer ? viewer->toPlainText() : QString(); }
QTextBrowser *HelpViewer::Window() { return viewer; }
void HelpViewer::Close()
{
    delete viewer;
    lastOpened.clear();
}
