#pragma once
// Every message box, file dialog and modal window of the front end goes
// through this service. Interactively it shows the real dialog. In scripted
// mode (tests, unattended runs) nothing waits for a person: answers queued in
// advance are used in order, an unanswered box takes its default button, and
// every box shown is recorded with its type, text, buttons and answer.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "logic/tcolor.h"

class QDialog;
class QFileDialog;
class QWidget;

enum class BoxType { Warning, Information, Error, Confirmation, Plain };

enum BoxButton { btnNone = 0, btnOk = 1, btnYes = 2, btnNo = 4, btnCancel = 8 };

struct BoxRecord {
    BoxType type;
    QString text;
    int buttons;
    int answer;
};

class Dialogs {
public:
    static void SetScripted(bool scripted);
    static bool Scripted();

    // Shows a box and returns the button pressed.
    static int MessageBox(BoxType type, const QString &text, int buttons = btnOk);
    static void Warning(const QString &text) { MessageBox(BoxType::Warning, text, btnOk); }
    static void Information(const QString &text) { MessageBox(BoxType::Information, text, btnOk); }
    static void Error(const QString &text) { MessageBox(BoxType::Error, text, btnOk); }
    static int YesNoCancel(const QString &text)
    {
        return MessageBox(BoxType::Confirmation, text, btnYes | btnNo | btnCancel);
    }

    // Open dialog; an empty list means the user cancelled. The filter is the
    // "Name(*.ext)|*.ext|..." list; filterIndex counts from 1.
    // A title and a file name, when given, replace the dialog's own.
    static QStringList OpenFileNames(QWidget *parent, const QString &initialDir,
                                     const QString &filter, int filterIndex, bool multiSelect,
                                     const QString &title = QString(), const QString &fileName = QString());

    // Save dialog; an empty name means the user cancelled. A name chosen
    // without an extension gets the default suffix. Then, as asked by the
    // prompts, a question before an existing file is replaced and before a
    // new one is created (Yes and No; No is a cancel). The dialog asks
    // nothing itself and never changes the current directory.
    enum SavePrompt { PromptNone = 0, PromptOverwrite = 1, PromptCreate = 2 };
    static QString SaveFileName(QWidget *parent, const QString &title, const QString &initialDir,
                                const QString &fileName, const QString &filter, const QString &defaultSuffix,
                                int prompts = PromptOverwrite);

    // The open dialog as OpenFileNames sets it up: the list shows each
    // filter's own name, and "*.*" takes every file (a file without a dot
    // too).
    static void SetUpOpenDialog(QFileDialog &dialog, const QString &initialDir, const QString &filter,
                                int filterIndex, bool multiSelect);

    // Shows a window modally, above the stay-on-top windows, and returns when
    // it is closed. In scripted mode the next queued action runs while the
    // window is up, then it is closed.
    static int ExecModal(QDialog *dialog);

    // The colour dialog, opened on the initial colour: the chosen colour, or
    // none on Cancel. Throws QelError when the dialog cannot be opened. In
    // scripted mode an unanswered dialog is cancelled.
    static std::optional<TColor> ChooseColor(TColor initial);
    static void QueueColor(TColor color);
    static void QueueColorCancel();
    static void QueueColorFailure();   // the dialog fails to open

    // Answers queued in advance, used first in, first out.
    static void QueueAnswer(int button);
    static void QueueOpenFiles(const QStringList &files);
    // The name the next save dialog returns (empty: cancelled).
    static void QueueSaveFile(const QString &file);
    static void QueueModalAction(std::function<void(QDialog *)> action);
    static void ClearQueues();

    static const QList<BoxRecord> &Shown();
    static QStringList ModalWindowsShown();
    static void ClearRecord();
};
