#pragma once
// The price editor: the weekly price entry file "BONDS.WWW" as free text,
// read once when the window is created and kept as the working copy; backup
// and restore of the history file "BONDS.WKY"; the merge run and its
// messages; the rollover calculator.
#include "forms.h"

#include "logic/editorrules.h"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;

class TfrmEditorMain : public TForm {
    Q_OBJECT
public:
    explicit TfrmEditorMain(QWidget *parent = nullptr);

    TPanel *pnlHeader;
    TMemo *mmWKY;
    TMemo *mmMerge;
    QPushButton *btnEND, *btnRollover, *btnSave, *sbtMerge, *btnExit, *btnCopy, *btnPaste;
    QMenuBar *MainMenu1;
    QMenu *File1, *Edit1, *Tools1, *Merge2, *Help1;
    QAction *Save1, *Merge1, *Backup1, *Restore1, *EndofFile1, *Exit1;
    QAction *Undo1, *Cut1, *Copy1, *Paste1, *Delete1;
    QAction *Rollover1, *Check1, *Verify1, *Close1, *Help2;

    void FormCreate();
    // The close box's question; canClose says whether the window may go.
    void FormClose(bool &canClose);

    void btnSaveClick();
    void btnExitClick();
    void btnENDClick();
    void btnRolloverClick();
    void btnMergeClick();
    void btnCopyClick();
    void btnPasteClick();
    // The menu's own handlers, each doing what its button does.
    void Save1Click();
    void Merge1Click();
    void EndofFile1Click();
    void Exit1Click();
    void Copy1Click();
    void Paste1Click();
    void Rollover1Click();
    void Edit1Click();
    void Undo1Click();
    void Cut1Click();
    void Delete1Click();
    void Backup1Click();
    void Restore1Click();
    void Check1Click();
    void Verify1Click();
    void Close1Click();
    void Help2Click();

    void RunMerge();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenu();
    bool Modified() const;
    void ShowMergePane(bool shown);
    // The merge pane is up: the price text takes no key and no edit.
    bool PriceTextCovered() const;
    // Asks before unsaved changes are lost; true when the window may go.
    bool ConfirmLeave(EditorRules::WayOut way);

    // "BONDS.WWW" was there at start-up but could not be loaded (unreadable
    // or too large): the pane does not hold it, so a save must not replace it.
    bool m_entryFileUnread = false;
};

extern TfrmEditorMain *frmEditorMain;
