#include "chartlist.h"

QString ChartPictureFile(const QString &name)
{
    return name + QStringLiteral(".GIF");
}

QStringList ChartListEditorLines(const QStringList &lines)
{
    return lines + QStringList{QString()};
}

QStringList ChartListLines(QStringList editorLines)
{
    if (!editorLines.isEmpty() && editorLines.last().isEmpty())
        editorLines.removeLast();
    return editorLines;
}

