#include "dialogs.h"

#include "files.h"
#include "logic/qelerror.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QQueue>
#include <QTimer>

namespace {
struct ColorAnswer {
    enum Kind { Chosen, Cancelled, Failed } kind;
    TColor color;
};

struct State {
    bool scripted = false;
    QQueue<int> answers;
    QQueue<QStringList> openFiles;
    QQueue<QString> saveFiles;
    QQueue<std::function<void(QDialog *)>> modalActions;
    QQueue<ColorAnswer> colors;
    QList<BoxRecord> shown;
    QStringList modalShown;
};
State &state()
{
    static State s;
    return s;
}

int defaultButton(int buttons)
{
    if (buttons & btnOk)
        return btnOk;
    if (buttons & btnCancel)
        return btnCancel;
    if (buttons & btnNo)
        return btnNo;
    return buttons & btnYes ? btnYes : btnNone;
}

// Boxes, file dialogs and modal windows go above the stay-on-top control
// panel and floating report: one of them under those, blocking them as it
// does, could be neither seen whole nor reached.
void overStayOnTopWindows(QWidget *window)
{
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

// "Reports(*.rep)|*.rep|All files(*.*)|*.*" to the toolkit's form, one
// "name (patterns)" a filter; the dialog is told to show the name alone.
QStringList qtFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        out << parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}
} // namespace

void Dialogs::SetScripted(bool scripted) { state().scripted = scripted; }
bool Dialogs::Scripted() { return state().scripted; }

int Dialogs::MessageBox(BoxType type, const QString &text, int buttons)
{
    State &s = state();
    int answer;
    if (!s.answers.isEmpty()) {
        answer = s.answers.dequeue();
    } else if (s.scripted) {
        answer = defaultButton(buttons);
    } else {
        // Over the window that raised it.
        QMessageBox box(QApplication::activeWindow());
        overStayOnTopWindows(&box);
        box.setWindowTitle(QApplication::applicationName());
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        switch (type) {
        case BoxType::Warning: box.setIcon(QMessageBox::Warning); break;
        case BoxType::Information: box.setIcon(QMessageBox::Information); break;
        case BoxType::Error: box.setIcon(QMessageBox::Critical); break;
        case BoxType::Confirmation: box.setIcon(QMessageBox::Question); break;
        case BoxType::Plain: box.setIcon(QMessageBox::NoIcon); break;
        }
        QMessageBox::StandardButtons std;
        if (buttons & btnOk) std |= QMessageBox::Ok;
        if (buttons & btnYes) std |= QMessageBox::Yes;
        if (buttons & btnNo) std |= QMessageBox::No;
        if (buttons & btnCancel) std |= QMessageBox::Cancel;
        box.setStandardButtons(std);
        switch (box.exec()) {
        case QMessageBox::Yes: answer = btnYes; break;
        case QMessageBox::No: answer = btnNo; break;
        case QMessageBox::Cancel: answer = btnCancel; break;
        case QMessageBox::Ok: answer = btnOk; break;
        default: answer = defaultButton(buttons); break;
        }
    }
    s.shown.append({type, text, buttons, answer});
    return answer;
}

QStringList Dialogs::OpenFileNames(QWidget *parent, const QString &initialDir,
                                   const QString &filter, int filterIndex, bool multiSelect,
                                   const QString &title, const QString &fileName)
{
    State &s = state();
    if (!s.openFiles.isEmpty())
        return s.openFiles.dequeue();
    if (s.scripted)
        return {};
    QFileDialog dialog(parent);
    overStayOnTopWindows(&dialog);
    SetUpOpenDialog(dialog, initialDir, filter, filterIndex, multiSelect);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString Dialogs::SaveFileName(QWidget *parent, const QString &title, const QString &initialDir,
                              const QString &fileName, const QString &filter, const QString &defaultSuffix,
                              int prompts)
{
    State &s = state();
    QString chosen;
    if (!s.saveFiles.isEmpty()) {
        chosen = s.saveFiles.dequeue();
    } else if (!s.scripted) {
        QFileDialog dialog(parent);
        overStayOnTopWindows(&dialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setWindowTitle(title);
        dialog.setDirectory(initialDir);
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        // The questions are asked below, the same way for every caller.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setNameFilters(qtFilters(filter));
        dialog.setDefaultSuffix(defaultSuffix);
        if (!fileName.isEmpty())
            dialog.selectFile(fileName);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    if (chosen.isEmpty())
        return QString();
    const QFileInfo info(chosen);
    if (!defaultSuffix.isEmpty() && info.suffix().isEmpty() && !chosen.endsWith(QLatin1Char('.')))
        chosen += QLatin1Char('.') + defaultSuffix;
    // Looked up as it will be written: a name differing only in case from a
    // file on disk replaces that file, so it is asked about as existing.
    const QFileInfo target(Files::Resolve(chosen));
    if (target.exists()) {
        if ((prompts & PromptOverwrite)
            && MessageBox(BoxType::Confirmation,
                          QStringLiteral("%1 already exists. Do you want to replace it?").arg(target.fileName()),
                          btnYes | btnNo) != btnYes)
            return QString();
    } else if ((prompts & PromptCreate)
               && MessageBox(BoxType::Confirmation,
                             QStringLiteral("%1 does not exist. Do you want to create it?").arg(target.fileName()),
                             btnYes | btnNo) != btnYes) {
        return QString();
    }
    return chosen;
}

void Dialogs::SetUpOpenDialog(QFileDialog &dialog, const QString &initialDir, const QString &filter,
                              int filterIndex, bool multiSelect)
{
    dialog.setDirectory(initialDir);
    dialog.setFileMode(multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    const QStringList filters = qtFilters(filter);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(filterIndex - 1));
}

int Dialogs::ExecModal(QDialog *dialog)
{
    State &s = state();
    s.modalShown.append(dialog->objectName());
    overStayOnTopWindows(dialog);
    if (!s.scripted && s.modalActions.isEmpty())
        return dialog->exec();
    std::function<void(QDialog *)> action;
    if (!s.modalActions.isEmpty())
        action = s.modalActions.dequeue();
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [guard, action] {
        if (!guard)
            return;
        if (action)
            action(guard);
        if (guard && guard->isVisible())
            guard->done(QDialog::Rejected);
    });
    return dialog->exec();
}

std::optional<TColor> Dialogs::ChooseColor(TColor initial)
{
    State &s = state();
    if (!s.colors.isEmpty()) {
        const ColorAnswer answer = s.colors.dequeue();
        if (answer.kind == ColorAnswer::Failed)
            throw QelError(QStringLiteral("The colour dialog cannot be opened."));
        if (answer.kind == ColorAnswer::Cancelled)
            return std::nullopt;
        return answer.color;
    }
    if (s.scripted)
        return std::nullopt;
    const QColor initialColor(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(initialColor, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return RgbColor(chosen.red(), chosen.green(), chosen.blue());
}

void Dialogs::QueueColor(TColor color) { state().colors.enqueue({ColorAnswer::Chosen, color}); }
void Dialogs::QueueColorCancel() { state().colors.enqueue({ColorAnswer::Cancelled, 0}); }
void Dialogs::QueueColorFailure() { state().colors.enqueue({ColorAnswer::Failed, 0}); }

void Dialogs::QueueAnswer(int button) { state().answers.enqueue(button); }
void Dialogs::QueueOpenFiles(const QStringList &files) { state().openFiles.enqueue(files); }
void Dialogs::QueueSaveFile(const QString &file) { state().saveFiles.enqueue(file); }
void Dialogs::QueueModalAction(std::function<void(QDialog *)> action)
{
    state().modalActions.enqueue(std::move(action));
}
void Dialogs::ClearQueues()
{
    state().answers.clear();
    state().openFiles.clear();
    state().saveFiles.clear();
    state().modalActions.clear();
    state().colors.clear();
}
const QList<BoxRecord> &Dialogs::Shown() { return state().shown; }
QStringList Dialogs::ModalWindowsShown() { return state().modalShown; }
void Dialogs::ClearRecord()
{
    state().shown.clear();
    state().modalShown.clear();
}
