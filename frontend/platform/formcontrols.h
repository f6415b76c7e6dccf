#pragma once
#include "menus.h"
// Controls and window parts shared by the calendar and the chart viewer:
// a list box whose selection is its current row, input limited to what the
// files can hold, and a menu bar above a client area of design size.
#include "textfiles.h"

#include <QListWidget>
#include <functional>

class QAction;
class QComboBox;
class QDialog;
class QLineEdit;
class QMenu;
class QMenuBar;

// A list box whose selection is the row last clicked or moved to with the
// keys. Taking the focus gives it no current row of its own (the toolkit
// would make row 0 current without highlighting it), so no command acts on
// an entry the user never chose.
class TListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TListBox(QWidget *parent = nullptr);
    // The highlighted current row, or -1.
    int Selection() const;
    // No current row and no highlight.
    void SelectNone();
    // Replaces the entries without a selection and without any signal.
    // As in a text pane, a CR inside an entry shows as CodePage::LoneCrMark
    // and entry i keeps the line end ends[i] (CR LF for an entry without).
    void SetLines(const QStringList &lines, const TextFiles::LineEnds &ends = {});
    QStringList Lines() const;
    QString Line(int row) const;   // as Lines() holds it
    TextFiles::LineEnds LineEnds() const;
    // Throws QelError as TextFiles::ReadLines does; the entries stay then.
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

// A one-line box whose text goes into a line of a file: typed, pasted or
// dropped text with a character the files' code page cannot hold, or with a
// line feed, is refused with a warning box that names the character, and
// the box keeps its text. A CR shows as CodePage::LoneCrMark, as in lists.
void GuardFileText(QLineEdit *edit);
void GuardFileText(QComboBox *combo);

