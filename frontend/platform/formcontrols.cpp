#include "formcontrols.h"

#include "errorhandler.h"
#include "logic/chartlist.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QValidator>
#include <QVBoxLayout>
#include <memory>

TListBox::TListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int TListBox::Selection() const
{
    // Only a highlighted row is a selection: Ctrl+click takes the highlight
    // off the current row and leaves it current.
    const int row = currentRow();
    return row >= 0 && row < count() && item(row)->isSelected() ? row : -1;
}

void TListBox::SelectNone()
{
    setCurrentRow(-1);
    clearSelection();
}

void TListBox::SetLines(const QStringList &lines)
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(lines);
    SelectNone();
}

QStringList TListBox::Lines() const
{
    QStringList lines;
    for (int row = 0; row < count(); ++row)
        lines << item(row)->text();
    return lines;
}

void TListBox::focusInEvent(QFocusEvent *event)
{
    if (currentRow() >= 0) {
        QListWidget::focusInEvent(event);
        return;
    }
    const QSignalBlocker blocker(this);
    QListWidget::focusInEvent(event);
    if (currentRow() >= 0)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

namespace {
class LineCharacterValidator : public QValidator {
public:
    using QValidator::QValidator;
    // Takes out what a line cannot hold, as the text pane does, so a paste
    // keeps its Latin-1 part.
    State validate(QString &input, int &position) const override
    {
        QString kept;
        int keptBefore = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (!IsLineCharacter(input.at(i)))
                continue;
            kept += input.at(i);
            if (i < position)
                ++keptBefore;
        }
        input = kept;
        position = keptBefore;
        return Acceptable;
    }
};
} // namespace

void AcceptLineCharactersOnly(QLineEdit *edit)
{
    edit->setValidator(new LineCharacterValidator(edit));
}

void AcceptLineCharactersOnly(QPlainTextEdit *edit)
{
    // Whatever way a character came in (keys, paste, drop, input method),
    // one that a list line cannot hold is taken out again at once.
    auto busy = std::make_shared<bool>(false);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, busy] {
        if (*busy)
            return;
        QList<int> positions;
        for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            for (int i = 0; i < text.size(); ++i) {
                if (!IsLineCharacter(text.at(i)))
                    positions << block.position() + i;
            }
        }
        if (positions.isEmpty())
            return;
        *busy = true;
        QTextCursor cursor(edit->document());
        cursor.joinPreviousEditBlock();
        for (auto it = positions.crbegin(); it != positions.crend(); ++it) {
            cursor.setPosition(*it);
            cursor.deleteChar();
        }
        cursor.endEditBlock();
        *busy = false;
    });
}
