#pragma once
// The calendar: twelve month lists of one-line notes, one file a month,
// loaded when the window is created; a month grid with the day of the year,
// a backup of the whole year into one file and a viewer for backups.
#include "forms.h"
#include "platform/formcontrols.h"

#include <QDate>
#include <QStringList>

class QAction;
class QCalendarWidget;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStackedWidget;
class QTabBar;

class TfrmCalendar : public TForm {
    Q_OBJECT
public:
    explicit TfrmCalendar(QWidget *parent = nullptr);

    static constexpr int LampCount = 7;
    static const TColor LampColors[LampCount];

    QMenuBar *MainMenu1;
    QAction *Open1, *Backup1, *Exit1, *Help2, *About1;
    TPanel *pnlCal;
    QStackedWidget *ntbCal;
    QTabBar *tbsCal;
    TListBox *lstMonth[12];   // lstJan .. lstDec
    QCalendarWidget *Calendar1;
    QLabel *lblJDay;
    QLineEdit *Edititem;
    QPushButton *btnAdd, *btnInsert, *btnCancel, *btnChange, *btncopy, *btnSave, *btnDelete, *btnUndelete,
        *btnExit;
    QLineEdit *Lamp[LampCount];   // Edit1 .. Edit7
    QListWidget *lstBackup;   // where a backup is assembled

    // The date the grid shows before creation (today unless set).
    void SetGridDate(const QDate &date);

    void FormCreate();
    void tbsCalClick();
    void btnAddClick();
    void btnChangeClick();
    void BtnCancelClick();
    void btnDeleteClick();
    void btnUndeleteClick();
    void btnCopyClick();
    void btnInsertClick();
    // Writes the month files when modified; false when a month was not saved.
    bool btnSaveClick();
    void btnExitClick();
    void Exit1Click();
    void Backup1Click();
    void Open1Click();
    void Calendar1Click();
    void Calendar1Change();
    void Help2Click();
    void About1Click();

    // The question before unsaved changes are left behind by closing the
    // window: true when closing may go on.
    bool CanClose();
    // The same when the program ends; the question names the calendar, which
    // need not be on screen then.
    bool CanEndProgram();

    bool Modified() const { return m_modified; }
    bool ReplaceMode() const { return m_replaceMode; }
    QDate StartDate() const { return m_startDate; }
    bool LampLit(int lamp) const;   // 1 .. 7
    QStringList MonthLines(int month) const;   // 1 .. 12

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct UndoRecord {
        int month = -1;   // page index; -1 when empty
        int index = 0;
        QString text;
    };

    bool AskToSave(const QString &question);
    TListBox *CurrentList() const;
    int ShownPage() const;
    void ChooseMonth(int page);
    void SelectNone();
    void EndReplaceMode();
    void SetLamp(int lamp, bool lit);
    void SetAllLampsUnlit();
    // The text put at row of a list; a row past the end appends.
    static void InsertEntry(QListWidget *list, int row, const QString &text);

    QDate m_startDate;
    bool m_modified = false;
    bool m_replaceMode = false;
    bool m_copyHeld = false;
    QString m_copied;
    UndoRecord m_undo;
    bool m_lit[LampCount] = {};
    // Months whose file was there but could not be read at start-up: Save
    // leaves those files alone rather than overwrite them with nothing.
    bool m_unread[12] = {};
};

extern TfrmCalendar *frmCalendar;
