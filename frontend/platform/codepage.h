#pragma once
// The code page of the user's files. They come from a Windows desktop and
// hold Windows-1252 text: one byte is one character, and every byte - the
// five the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) too -
// reads as a character that writes back as the same byte. Every conversion
// between a file's bytes and text goes through here. Qt Core only, so the
// command-line tools use it as the front end does.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace CodePage {

QString Decode(QByteArrayView bytes);
// The bytes of the text; throws QelError naming the first character that
// the code page cannot hold, so nothing is ever written changed.
QByteArray Encode(QStringView text);

// Whether the code page holds the character (a code point).
bool Holds(char32_t c);
// The first character of the text that the code page cannot hold.
std::optional<char32_t> FirstNotHeld(QStringView text);
// A character as messages name it: "…" (U+2026), or U+000A for a control.
QString NameOf(char32_t c);

// A text pane or list shows a carriage return inside a line (a CR not
// directly before an LF: the line reader splits at LF only) as this mark,
// so that it neither breaks the line on screen nor vanishes. The code page
// cannot hold the mark, so no file ever contains it.
inline constexpr char16_t LoneCrMark = u'\u21B5';
QString ShownLine(QString line);    // CR -> mark
QString StoredLine(QString line);   // mark -> CR

} // namespace CodePage
