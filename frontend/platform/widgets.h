#pragma once
// The few controls the windows need beyond the toolkit's own: a text pane
// that holds lines as its model, a picture area that loads by file name and
// raises a file error, colours held as red + 256 x green + 65536 x blue.
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include "logic/tcolor.h"
#include "textfiles.h"

#include <optional>
#include <utility>

QColor ToQColor(TColor color);

enum class ScrollBars { None, Vertical, Both };

// Text typed or pasted into a control whose text goes to a file: the first
// character the files' code page cannot hold (in a one-line box also a line
// feed), which is then not to be entered. The mark of a lone CR passes: it
// stands for a CR.
std::optional<char32_t> NotStorable(const QString &typed, bool oneLine = false);
// The warning box that names a refused character.
void WarnNotStorable(char32_t c);

// A multi-line text pane. Its lines are exactly the lines given to it: no
// empty last block is added or counted, and an empty pane has no lines. A
// CR inside a line shows as CodePage::LoneCrMark; each line keeps how it was
// ended in its file, so a pane saved unedited writes the bytes it loaded.
// Typed or pasted text with a character the files cannot hold is refused.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    // Read-only: no typing, but a caret that
    // shows where the pane stands and that the arrow keys move.
    void SetReadOnly(bool readOnly);

    // Line i ends as ends[i] says when saved; both parts of a line split by
    // Enter keep its end; a line without one, as a line pasted or appended,
    // ends with CR LF.
    void SetLines(const QStringList &lines, const TextFiles::LineEnds &ends = {});
    QStringList Lines() const;
    TextFiles::LineEnds LineEnds() const;
    void AppendLine(const QString &line);
    void Clear();
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

    void SetColor(TColor color);
    TColor Color() const { return m_color; }
    void SetScrollBars(ScrollBars bars);
    ScrollBars GetScrollBars() const { return m_scrollBars; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    bool Refused(const QString &typed) const;

    bool m_noLines = true;
    TColor m_color = clWhite;
    ScrollBars m_scrollBars = ScrollBars::None;
};

// A picture area. LoadFromFile raises QelError when the file is missing or
// is not a picture; the picture it held stays then.
class TImage : public QLabel {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);
    void LoadFromFile(const QString &fileName);
    QString PictureFile() const { return m_file; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_file;
};

// A panel with a caption and a colour, used as a status line or swatch.
class TPanel : public QLabel {
    Q_OBJECT
public:
    explicit TPanel(QWidget *parent = nullptr);
    void SetColor(TColor color);
    TColor Color() const { return m_color; }

private:
    TColor m_color = clSilver;
};

// Places a child at a fixed position and size, as the form designs give them.
void Place(QWidget *widget, int x, int y, int w, int h);

// A control of the window's design: a child of the given type under its
// design name, placed at its fixed position and size.
template <typename T, typename... Args>
T *MakeChild(QWidget *parent, const char *name, int x, int y, int w, int h, Args &&...args)
{
    T *child = new T(std::forward<Args>(args)..., parent);
    child->setObjectName(QLatin1String(name));
    Place(child, x, y, w, h);
    return child;
}
// The same for a control that the design does not place (hidden stores,
// menus) or that is placed later.
template <typename T, typename... Args>
T *MakeChild(QWidget *parent, const char *name, Args &&...args)
{
    T *child = new T(std::forward<Args>(args)..., parent);
    child->setObjectName(QLatin1String(name));
    return child;
}

// A font of the design: family, height in pixels, bold or not. "Courier New"
// and other fixed-pitch families fall back to the system's fixed-pitch face.
QFont DesignFont(const QString &family, int pixelHeight, bool bold = false);
QFont FixedPitchFont(int pixelHeight, bool bold = false);
// Fills the widget's background (face and text base) with the colour.
void SetFace(QWidget *widget, TColor color);
// Puts a top-level window in the middle of the primary screen.
void CentreOnScreen(QWidget *window);
// Puts the caret on a line and column of a pane (both from 0), with no
// selection, and scrolls to it; a column past the line's end stops there.
void PlaceCaret(QPlainTextEdit *pane, int line, int column);
