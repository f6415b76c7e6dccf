#include "helpviewer.h"

#include "dialogs.h"
#include "files.h"
#include "textfiles.h"
#include "widgets.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>

#include <algorithm>
#include <optional>

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

// Text, as opposed to a help file in a binary format: no control bytes but
// tab and the line and page breaks.
bool IsPlainText(const QByteArray &bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\f' && byte != '\r') || byte == 0x7F;
    });
}

// The working directory's help file when it is plain text, else the text
// shipped in the program; none when neither is there. The working
// directory's file is bounded as every file a window loads.
std::optional<QString> HelpText(const QString &helpFile)
{
    if (Files::FileExists(helpFile)) {
        const QByteArray bytes = TextFiles::ReadBytesToLoad(helpFile);
        if (IsPlainText(bytes))
            return TextFiles::SplitLinesToLoad(helpFile, bytes).join(QLatin1Char('\n'));
    }
    QFile shipped(QStringLiteral(":/help/") + helpFile.toUpper());
    if (!shipped.open(QIODevice::ReadOnly))
        return std::nullopt;
    return TextFiles::SplitLines(shipped.readAll()).join(QLatin1Char('\n'));
}
} // namespace

void HelpViewer::ShowContents(const QString &helpFile)
{
    RegisterHelpTexts();
    const std::optional<QString> text = HelpText(helpFile);
    if (!text) {
        Dialogs::MessageBox(BoxType::Error,
                            QStringLiteral("Cannot find the %1 file. Do you want to try to find this file yourself?")
                                .arg(helpFile),
                            btnOk);
        return;
    }
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setObjectName(QStringLiteral("HelpViewer"));
        viewer->setAttribute(Qt::WA_DeleteOnClose, false);
        viewer->resize(520, 440);
        // Above the stay-on-top windows, as what opens it may be one of them.
        viewer->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    // A window of the modal window open now, if any: it blocks every other.
    QWidget *opener = QApplication::activeModalWidget();
    if (viewer->parentWidget() != opener)
        viewer->setParent(opener, viewer->windowFlags());
    lastOpened = helpFile;
    viewer->setWindowTitle(QStringLiteral("Help - ") + helpFile + QStringLiteral(" - Contents"));
    viewer->setPlainText(*text);
    viewer->document()->setDocumentMargin(10);
    if (!viewer->isVisible())
        CentreOnScreen(viewer);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

QString HelpViewer::LastOpened() { return lastOpened; }
QString HelpViewer::ShownText() { return viewer ? viewer->toPlainText() : QString(); }
QTextBrowser *HelpViewer::Window() { return viewer; }
void HelpViewer::Close()
{
    delete viewer;
    lastOpened.clear();
}
