#pragma once
// The chart viewer's list "CHARTS.LST" as the viewer and its editor use it.
#include <QString>
#include <QStringList>

// The picture of a chart: its name as it stands, with ".GIF" appended.
QString ChartPictureFile(const QString &name);

// The editor's lines for the list: every line followed by a line end (one
// more, empty line), so a final Enter starts no new entry and an empty last
// line survives.
QStringList ChartListEditorLines(const QStringList &lines);
// The list from the editor's lines (its text split at line ends): the one
// empty line after the last line end is dropped.
QStringList ChartListLines(QStringList editorLines);

