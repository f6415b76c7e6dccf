#include "edItormain.h"

#include "rollover.h"
#include "logic/qelerror.h"
#include "platform/dialogs.h"
#include "platform/errorhandler.h"
#include "platform/files.h"
#include "platform/helpviewer.h"
#include "platform/hourglass.h"
#include "platform/launcher.h"
#include "platform/menus.h"
#include "platform/textfiles.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QTextCursor>

TfrmEditorMain *frmEditorMain = nullptr;

namespace {
const QString EntryFile = QStringLiteral("BONDS.WWW");
const QString HistoryFile = QStringLiteral("BONDS.WKY");
const QString BackupFile = QStringLiteral("BONDS.BAK");
const QString SafetyFile = QStringLiteral("BONDS.TP2");
const QString MergeProgram = QStringLiteral("TLQ.DLL");
const QString SystemMessages = QStringLiteral("MESSAGES.TLW");
const QString HistoryMessages = QStringLiteral("MESSAGES.TLF");

constexpr int ClientWidth = 394;
constexpr int ClientHeight = 377;

// The lines of a message file of the merge program, which must be there.
QStringList MergeMessages(const QString &name)
{
    if (!Files::FileExists(name))
        throw QelError(QStringLiteral("File not found \"%1\"").arg(name));
    return TextFiles::ReadLines(name);
}
} // namespace

TfrmEditorMain::TfrmEditorMain(QWidget *parent)
    : TForm(QStringLiteral("frmEditorMain"), parent)
{
    setWindowTitle(QStringLiteral("QEL-5100 Price Editor"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    BuildMenu();
    // The client area lies below the menu bar.
    const int top = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, ClientWidth, top);
    SetClientSize(ClientWidth, top + ClientHeight);

    pnlHeader = MakeChild<TPanel>(this, "pnlHeader", 0, top, ClientWidth, 25);
    pnlHeader->setText(QStringLiteral("30 Year T-Bonds Weekly Price File"));
    pnlHeader->setFont(DesignFont(font().family(), 13, true));
    pnlHeader->SetColor(RgbColor(0xD9, 0xEC, 0xDC));

    mmWKY = MakeChild<TMemo>(this, "mmWKY", 0, top + 25, ClientWidth, 312);
    mmWKY->setFont(FixedPitchFont(13));
    mmWKY->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmWKY->SetScrollBars(ScrollBars::Vertical);
    // Tab moves on: a tab character has no place in fixed columns.
    mmWKY->setTabChangesFocus(true);
    // The pane's design content, kept when "BONDS.WWW" can't be read.
    mmWKY->SetLines({QString()});

    mmMerge = MakeChild<TMemo>(this, "mmMerge", 0, top + 25, ClientWidth, 312);
    mmMerge->setFont(FixedPitchFont(13));
    // Message lines wider than the pane wrap, so none is cut off unseen.
    mmMerge->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmMerge->SetScrollBars(ScrollBars::Vertical);
    mmMerge->SetColor(RgbColor(0xFF, 0xFB, 0xDF));
    mmMerge->hide();

    struct ButtonRow {
        QPushButton *&button;
        const char *name, *caption, *hint;
        int x, y;
        void (TfrmEditorMain::*handler)();
    };
    // Copy and Paste lie below the client area: only their keys reach them.
    const int row = top + ClientHeight - 32;
    const ButtonRow buttons[] = {
        {btnEND, "btnEND", "&EOF", "Goto End-of-File", 4, row, &TfrmEditorMain::btnENDClick},
        {btnRollover, "btnRollover", "&Rollover", "Calculate Rollover", 82, row, &TfrmEditorMain::btnRolloverClick},
        {btnSave, "btnSave", "&Save", "", 160, row, &TfrmEditorMain::btnSaveClick},
        {sbtMerge, "sbtMerge", "&Merge", "", 238, row, &TfrmEditorMain::btnMergeClick},
        {btnExit, "btnExit", "E&xit", "", 316, row, &TfrmEditorMain::btnExitClick},
        {btnCopy, "btnCopy", "&Copy", "", 4, top + ClientHeight + 10, &TfrmEditorMain::btnCopyClick},
        {btnPaste, "btnPaste", "&Paste", "", 82, top + ClientHeight + 10, &TfrmEditorMain::btnPasteClick},
    };
    for (const ButtonRow &b : buttons) {
        b.button = MakeChild<QPushButton>(this, b.name, b.x, b.y, 74, 25, QLatin1String(b.caption));
        b.button->setToolTip(QLatin1String(b.hint));
        // Return in the pane is a line break, never a click.
        b.button->setAutoDefault(false);
        connect(b.button, &QPushButton::clicked, this, Guarded([this, h = b.handler] { (this->*h)(); }));
    }
    // Out of sight, so out of the Tab order too.
    btnCopy->setFocusPolicy(Qt::NoFocus);
    btnPaste->setFocusPolicy(Qt::NoFocus);
    // Alt+E and Alt+M run End of File and the merge, not the Edit and Merge menus.
    ButtonKeysBeforeMenus(MainMenu1);
}

void TfrmEditorMain::BuildMenu()
{
    MainMenu1 = MakeChild<QMenuBar>(this, "MainMenu1");
    MenuBuilder menus(MainMenu1, this);

    File1 = menus.Menu("File1", "&File");
    Save1 = menus.Item(File1, "Save1", "Save", &TfrmEditorMain::Save1Click);
    Merge1 = menus.Item(File1, "Merge1", "Merge", &TfrmEditorMain::Merge1Click);
    Backup1 = menus.Item(File1, "Backup1", "Backup", &TfrmEditorMain::Backup1Click);
    Restore1 = menus.Item(File1, "Restore1", "Restore", &TfrmEditorMain::Restore1Click);
    EndofFile1 = menus.Item(File1, "EndofFile1", "End of File", &TfrmEditorMain::EndofFile1Click);
    Exit1 = menus.Item(File1, "Exit1", "Exit", &TfrmEditorMain::Exit1Click);

    Edit1 = menus.Menu("Edit1", "&Edit");
    connect(Edit1, &QMenu::aboutToShow, this, Guarded([this] { Edit1Click(); }));
    Undo1 = menus.Item(Edit1, "Undo1", "Undo        Ctrl+z", &TfrmEditorMain::Undo1Click);
    Edit1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Cut1 = menus.Item(Edit1, "Cut1", "Cut            Ctrl+x", &TfrmEditorMain::Cut1Click);
    Copy1 = menus.Item(Edit1, "Copy1", "Copy         Ctrl+c", &TfrmEditorMain::Copy1Click);
    Paste1 = menus.Item(Edit1, "Paste1", "Paste        Ctrl+v", &TfrmEditorMain::Paste1Click);
    Delete1 = menus.Item(Edit1, "Delete1", "Delete       Del", &TfrmEditorMain::Delete1Click);

    Tools1 = menus.Menu("Tools1", "&Tools");
    Rollover1 = menus.Item(Tools1, "Rollover1", "Rollover", &TfrmEditorMain::Rollover1Click);

    Merge2 = menus.Menu("Merge2", "&Merge");
    Check1 = menus.Item(Merge2, "Check1", "Check", &TfrmEditorMain::Check1Click);
    Verify1 = menus.Item(Merge2, "Verify1", "Verify", &TfrmEditorMain::Verify1Click);
    Close1 = menus.Item(Merge2, "Close1", "Close", &TfrmEditorMain::Close1Click);
    Merge2->menuAction()->setEnabled(false);

    Help1 = menus.Menu("Help1", "&Help");
    Help2 = menus.Item(Help1, "Help2", "Contents", &TfrmEditorMain::Help2Click);
}

void TfrmEditorMain::FormCreate()
{
    try {
        mmWKY->LoadFromFile(EntryFile);
    } catch (const QelError &) {
        m_entryFileUnread = Files::FileExists(EntryFile);
        throw;
    }
    mmWKY->document()->setModified(false);
}

bool TfrmEditorMain::Modified() const
{
    return mmWKY->document()->isModified();
}

// Save and File > Save. A failed write leaves the old file and the flag.
void TfrmEditorMain::btnSaveClick()
{
    if (m_entryFileUnread && Files::FileExists(EntryFile))
        throw QelError(QStringLiteral("File \"%1\" was not loaded at start-up and is kept as it is; nothing was saved.")
                           .arg(EntryFile));
    mmWKY->SaveToFile(EntryFile);
    mmWKY->document()->setModified(false);
}

bool TfrmEditorMain::ConfirmLeave(EditorRules::WayOut way)
{
    using EditorRules::Answer;
    if (!Modified())
        return true;
    const int button = Dialogs::YesNoCancel(QStringLiteral("Do you want to save your changes now?"));
    const Answer answer = button == btnYes ? Answer::Yes : button == btnNo ? Answer::No : Answer::Cancel;
    const EditorRules::LeaveStep step = EditorRules::DecideLeave(way, answer);
    if (step.save)
        btnSaveClick();
    if (step.dropModified)
        mmWKY->document()->setModified(false);
    return step.leave;
}

// Exit and File > Exit: the question, then the window closes through its
// close handling, which finds nothing left to ask.
void TfrmEditorMain::btnExitClick()
{
    if (ConfirmLeave(EditorRules::WayOut::ExitCommand))
        close();
}

void TfrmEditorMain::FormClose(bool &canClose)
{
    canClose = ConfirmLeave(EditorRules::WayOut::CloseBox);
}

void TfrmEditorMain::closeEvent(QCloseEvent *event)
{
    // An error in the question's save keeps the window open.
    bool canClose = false;
    if (ErrorHandler::Run([this, &canClose] { FormClose(canClose); }) && canClose)
        TForm::closeEvent(event);
    else
        event->ignore();
}

void TfrmEditorMain::Save1Click()
{
    btnSaveClick();
}

void TfrmEditorMain::Merge1Click()
{
    btnMergeClick();
}

void TfrmEditorMain::EndofFile1Click()
{
    btnENDClick();
}

void TfrmEditorMain::Exit1Click()
{
    btnExitClick();
}

void TfrmEditorMain::Copy1Click()
{
    btnCopyClick();
}

void TfrmEditorMain::Paste1Click()
{
    btnPasteClick();
}

void TfrmEditorMain::Rollover1Click()
{
    btnRolloverClick();
}

void TfrmEditorMain::Edit1Click()
{
    const bool selection = mmWKY->textCursor().hasSelection();
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    Undo1->setEnabled(Modified());
    Cut1->setEnabled(selection);
    Copy1->setEnabled(selection);
    Delete1->setEnabled(selection);
    Paste1->setEnabled(clipboard && clipboard->hasText());
}

void TfrmEditorMain::Undo1Click()
{
    if (!PriceTextCovered())
        mmWKY->undo();
}

void TfrmEditorMain::Cut1Click()
{
    if (!PriceTextCovered())
        mmWKY->cut();
}

void TfrmEditorMain::btnCopyClick()
{
    mmWKY->copy();
}

void TfrmEditorMain::btnPasteClick()
{
    if (!PriceTextCovered())
        mmWKY->paste();
}

void TfrmEditorMain::Delete1Click()
{
    if (!PriceTextCovered())
        mmWKY->textCursor().removeSelectedText();
}

// End of File: the caret on the "T" of the first "THE-END". Nothing while
// the merge pane covers the price text.
void TfrmEditorMain::btnENDClick()
{
    if (PriceTextCovered())
        return;
    const auto marker = EditorRules::FindEndMarker(mmWKY->Lines());
    if (!marker)
        return;
    mmWKY->setFocus();
    PlaceCaret(mmWKY, marker->line, marker->column);
}

void TfrmEditorMain::btnRolloverClick()
{
    Dialogs::ExecModal(frmRollover);
}

// The history file's backup. "BONDS.BAK" is replaced only by a whole copy,
// so a missing or unreadable "BONDS.WKY" never costs the last backup.
void TfrmEditorMain::Backup1Click()
{
    if (Files::FileExists(HistoryFile) && Files::CopyFile(HistoryFile, BackupFile))
        Dialogs::Information(QStringLiteral("File: BONDS.WKY backed to BONDS.BAK."));
    else
        Dialogs::Warning(QStringLiteral("File: BONDS.WKY backup failed."));
}

// The history file back from its backup. Nothing changes unless the backup
// can be read and the history file, if there is one, has its safety copy in
// "BONDS.TP2"; "BONDS.BAK" stays.
void TfrmEditorMain::Restore1Click()
{
    const bool restored = Files::CanRead(BackupFile)
        && (!Files::FileExists(HistoryFile) || Files::CopyFile(HistoryFile, SafetyFile))
        && Files::CopyFile(BackupFile, HistoryFile);
    if (restored)
        Dialogs::Information(QStringLiteral("File: BONDS.WKY restored from BONDS.BAK."));
    else
        Dialogs::Warning(QStringLiteral("File: BONDS.WKY restore failed."));
}

void TfrmEditorMain::btnMergeClick()
{
    RunMerge();
}

void TfrmEditorMain::RunMerge()
{
    {
        HourglassCursor hourglass;
        RunProgramAndWait(MergeProgram, MergeProgram, true);
    }
    mmMerge->Clear();
    const auto append = [this](const QStringList &lines) {
        for (const QString &line : lines)
            mmMerge->AppendLine(line);
    };
    append(EditorRules::MergeSystemHeading());
    append(MergeMessages(SystemMessages));
    append(EditorRules::MergeHistoryHeading());
    append(MergeMessages(HistoryMessages));
    ShowMergePane(true);
}

void TfrmEditorMain::Check1Click()
{
    mmMerge->LoadFromFile(SystemMessages);
}

void TfrmEditorMain::Verify1Click()
{
    mmMerge->LoadFromFile(HistoryMessages);
}

void TfrmEditorMain::Close1Click()
{
    ShowMergePane(false);
    Files::DeleteFile(SystemMessages);
    Files::DeleteFile(HistoryMessages);
}

// The merge pane over the price text, or the price text again. The covered
// price text is hidden too, so that no key typed goes into text out of
// sight; the keyboard goes to the merge pane.
void TfrmEditorMain::ShowMergePane(bool shown)
{
    mmMerge->setVisible(shown);
    mmWKY->setVisible(!shown);
    if (shown) {
        mmMerge->raise();
        mmMerge->setFocus();
    }
    Merge2->menuAction()->setEnabled(shown);
}

bool TfrmEditorMain::PriceTextCovered() const
{
    return !mmMerge->isHidden();
}

void TfrmEditorMain::Help2Click()
{
    HelpViewer::ShowContents(QStringLiteral("EDITOR.HLP"));
}
