#include "chartlist.h"

QString ChartPictureFile(const QString &name)
{
    return name + QStringLiteral(".GIF");
}

QString ChartListText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

QStringList ChartListLines(QStringList editorLines)
{
    if (!editorLines.isEmpty() && editorLines.last().isEmpty())
        editorLines.removeLast();
    return editorLines;
}

bool IsLineCharacter(QChar c)
{
    return c.unicode() <= 0xFF && c != QLatin1Char('\n') && c != QLatin1Char('\r');
}

QString LineCharactersOnly(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (IsLineCharacter(c))
            out += c;
    }
    return out;
}
