#include "formcontrols.h"

#include "codepage.h"
#include "dialogs.h"
#include "errorhandler.h"
#include "widgets.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QValidator>
#include <QVBoxLayout>

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

namespace {
// The role under which an entry keeps its line end; an entry added by a
// command has none and ends with CR LF.
constexpr int LineEndRole = Qt::UserRole + 1;
} // namespace

void TListBox::SetLines(const QStringList &lines, const TextFiles::LineEnds &ends)
{
    const QSignalBlocker blocker(this);
    clear();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto *entry = new QListWidgetItem(CodePage::ShownLine(lines.at(i)), this);
        if (i < ends.size())
            entry->setData(LineEndRole, int(ends.at(i)));
    }
    SelectNone();
}

QStringList TListBox::Lines() const
{
    QStringList lines;
    for (int row = 0; row < count(); ++row)
        lines << Line(row);
    return lines;
}

QString TListBox::Line(int row) const
{
    return CodePage::StoredLine(item(row)->text());
}

TextFiles::LineEnds TListBox::LineEnds() const
{
    TextFiles::LineEnds ends;
    for (int row = 0; row < count(); ++row) {
        const QVariant end = item(row)->data(LineEndRole);
        ends << (end.isValid() ? TextFiles::LineEnd(end.toInt()) : TextFiles::LineEnd::CrLf);
    }
    return ends;
}

void TListBox::LoadFromFile(const QString &fileName)
{
    TextFiles::LineEnds ends;
    const QStringList lines = TextFiles::ReadLines(fileName, &ends);
    SetLines(lines, ends);
}

void TListBox::SaveToFile(const QString &fileName) const
{
    TextFiles::WriteLines(fileName, Lines(), LineEnds());
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
class FileTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    // Sees the whole text after each change; an Invalid answer makes the box
    // undo the user's change (what the program sets comes from the files and
    // always passes). The warning waits until the box has undone the change,
    // so no box opens in the middle of an edit.
    State validate(QString &input, int &) const override
    {
        input.replace(QLatin1Char('\r'), QChar(CodePage::LoneCrMark));
        const std::optional<char32_t> refused = NotStorable(input, true);
        if (!refused)
            return Acceptable;
        QMetaObject::invokeMethod(parent(), [c = *refused] { WarnNotStorable(c); }, Qt::QueuedConnection);
        return Invalid;
    }
};
} // namespace

void GuardFileText(QLineEdit *edit)
{
    edit->setValidator(new FileTextValidator(edit));
}

void GuardFileText(QComboBox *combo)
{
    combo->setValidator(new FileTextValidator(combo));
}
