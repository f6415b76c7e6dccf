#pragma once
// The chart viewer's list "CHARTS.LST" as the viewer and its editor use it,
// and the rule for text the front end's list files can hold.
#include <QString>
#include <QStringList>

// The picture of a chart: its name as it stands, with ".GIF" appended.
QString ChartPictureFile(const QString &name);

// The editor's text for the list: every line followed by a line end, so a
// final Enter starts no new entry and an empty last line survives.
QString ChartListText(const QStringList &lines);
// The list from the editor's lines (its text split at line ends): the one
// empty line after the last line end is dropped.
QStringList ChartListLines(QStringList editorLines);

// A character that a list line can hold and that reads back unchanged:
// Latin-1, and no line end.
bool IsLineCharacter(QChar c);
// The text with every other character removed.
QString LineCharactersOnly(const QString &text);
