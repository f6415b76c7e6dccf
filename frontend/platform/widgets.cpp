#include "widgets.h"

#include "codepage.h"
#include "dialogs.h"
#include "files.h"
#include "logic/qelerror.h"
#include "textfiles.h"

#include <QGuiApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

QColor ToQColor(TColor color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void SetFace(QWidget *widget, TColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    palette.setColor(QPalette::Window, ToQColor(color));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont DesignFont(const QString &family, int pixelHeight, bool bold)
{
    QFont font(family);
    if (family.startsWith(QLatin1String("Courier")) || family == QLatin1String("Lucida Console")) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else if (family == QLatin1String("MS Sans Serif")) {
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QFont FixedPitchFont(int pixelHeight, bool bold)
{
    return DesignFont(QStringLiteral("Courier New"), pixelHeight, bold);
}

TMemo::TMemo(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    SetScrollBars(ScrollBars::None);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!document()->isEmpty())
            m_noLines = false;
    });
}

void TMemo::SetReadOnly(bool readOnly)
{
    setReadOnly(readOnly);
    if (readOnly)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

std::optional<char32_t> NotStorable(const QString &typed, bool oneLine)
{
    if (const std::optional<char32_t> c = CodePage::FirstNotHeld(CodePage::StoredLine(typed)))
        return c;
    if (oneLine && typed.contains(QLatin1Char('\n')))
        return U'\n';
    return std::nullopt;
}

void WarnNotStorable(char32_t c)
{
    Dialogs::Warning(QStringLiteral("The character %1 cannot be stored in the file and was not entered.")
                         .arg(CodePage::NameOf(c)));
}

namespace {
// A line's end as its block keeps it: a property of the block's format,
// which stays with the block when lines are added or removed around it, is
// restored by undo with the block, and goes to both halves of a line split
// by Enter. A block without it ends with CR LF.
constexpr int LineEndProperty = QTextFormat::UserProperty;

TextFiles::LineEnd EndOf(const QTextBlock &block)
{
    switch (block.blockFormat().intProperty(LineEndProperty)) {
    case int(TextFiles::LineEnd::Lf): return TextFiles::LineEnd::Lf;
    case int(TextFiles::LineEnd::None): return TextFiles::LineEnd::None;
    default: return TextFiles::LineEnd::CrLf;
    }
}
} // namespace

void TMemo::SetLines(const QStringList &lines, const TextFiles::LineEnds &ends)
{
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += CodePage::ShownLine(lines.at(i));
    }
    setPlainText(text);
    // The ends are no edit: outside the undo history, the modified flag kept.
    const bool modified = document()->isModified();
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    QTextBlock block = document()->begin();
    for (qsizetype i = 0; i < ends.size() && block.isValid(); ++i, block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setProperty(LineEndProperty, int(ends.at(i)));
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
    document()->setUndoRedoEnabled(undo);
    document()->setModified(modified);
    m_noLines = lines.isEmpty();
}

QStringList TMemo::Lines() const
{
    if (m_noLines && document()->isEmpty())
        return {};
    QStringList lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines << CodePage::StoredLine(block.text());
    return lines;
}

TextFiles::LineEnds TMemo::LineEnds() const
{
    if (m_noLines && document()->isEmpty())
        return {};
    TextFiles::LineEnds ends;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        ends << EndOf(block);
    return ends;
}

void TMemo::AppendLine(const QString &line)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (!(m_noLines && document()->isEmpty()))
        cursor.insertBlock(QTextBlockFormat());   // no line end of its own: CR LF
    cursor.insertText(CodePage::ShownLine(line));
    m_noLines = false;
}

void TMemo::Clear()
{
    clear();
    m_noLines = true;
}

void TMemo::LoadFromFile(const QString &fileName)
{
    TextFiles::LineEnds ends;
    const QStringList lines = TextFiles::ReadLines(fileName, &ends);
    SetLines(lines, ends);
}

void TMemo::SaveToFile(const QString &fileName) const
{
    TextFiles::WriteLines(fileName, Lines(), LineEnds());
}

void TMemo::SetColor(TColor color)
{
    m_color = color;
    SetFace(this, color);
    SetFace(viewport(), color);
}

void TMemo::SetScrollBars(ScrollBars bars)
{
    m_scrollBars = bars;
    setVerticalScrollBarPolicy(bars == ScrollBars::None ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(bars == ScrollBars::Both ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

bool TMemo::Refused(const QString &typed) const
{
    if (isReadOnly())
        return false;
    const std::optional<char32_t> c = NotStorable(typed);
    if (c)
        WarnNotStorable(*c);
    return c.has_value();
}

// Typing, input methods, paste and drop: the ways text comes into the pane.
void TMemo::keyPressEvent(QKeyEvent *event)
{
    if (Refused(event->text())) {
        event->accept();
        return;
    }
    // Shift+Enter would put a line separator into the line, a character the
    // files cannot hold; it breaks the line as Enter does.
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        QKeyEvent enter(event->type(), Qt::Key_Return, event->modifiers() & ~Qt::ShiftModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&enter);
        event->setAccepted(enter.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent *event)
{
    if (Refused(event->commitString())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TMemo::insertFromMimeData(const QMimeData *source)
{
    if (source && source->hasText() && Refused(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

TImage::TImage(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

void TImage::LoadFromFile(const QString &fileName)
{
    const QString actual = Files::Resolve(fileName);
    if (!Files::FileExists(actual))
        throw QelError(QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(fileName));
    TextFiles::CheckLoadSize(fileName, QFileInfo(actual).size());
    QImageReader reader(actual);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        throw QelError(QStringLiteral("Picture \"%1\" is not valid: %2").arg(fileName, reader.errorString()));
    setPixmap(QPixmap::fromImage(image));
    m_file = fileName;
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

TPanel::TPanel(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    // A caption is shown exactly as given, never read as markup.
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SetColor(m_color);
}

void TPanel::SetColor(TColor color)
{
    m_color = color;
    SetFace(this, color);
}

void Place(QWidget *widget, int x, int y, int w, int h)
{
    widget->setGeometry(x, y, w, h);
}

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.x() + (area.width() - window->width()) / 2,
                 area.y() + (area.height() - window->height()) / 2);
}

void PlaceCaret(QPlainTextEdit *pane, int line, int column)
{
    const QTextBlock block = pane->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + std::min(column, block.length() - 1));
    pane->setTextCursor(cursor);
    pane->ensureCursorVisible();
}
