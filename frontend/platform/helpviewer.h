#pragma once
// A small help system: opens one of the front end's help files at its
// contents page in a window of its own, above the window that opened it and
// usable while a modal window is open. A help file in the working directory
// is used when it is plain text; otherwise the text shipped inside the
// program. A help file that exists nowhere is reported by the help system
// itself.
#include <QString>

class QTextBrowser;

class HelpViewer {
public:
    // The contents command for the named help file ("QEL5100.HLP" ...).
    static void ShowContents(const QString &helpFile);
    // The name opened last and the text shown, for callers that check.
    static QString LastOpened();
    static QString ShownText();
    static QTextBrowser *Window();
    static void Close();
};
