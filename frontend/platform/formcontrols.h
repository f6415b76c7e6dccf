#pragma once
#include "menus.h"
// Controls and window parts shared by the calendar and the chart viewer:
// a list box whose selection is its current row, input limited to what the
// list files can hold, and a menu bar above a client area of design size.
#include <QListWidget>
#include <functional>

class QAction;
class QDialog;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

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
    void SetLines(const QStringList &lines);
    QStringList Lines() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

// The edit box and the text pane take Latin-1 characters only, and the box
// no line end, so every text saved to a list file reads back unchanged.
void AcceptLineCharactersOnly(QLineEdit *edit);
void AcceptLineCharactersOnly(QPlainTextEdit *edit);

