#pragma once
// The main window's report state: which pane takes the next report, the
// split view, the tool bar, the pane titles and the caption they give, and
// the pane colour toggles. Plain data with the rules that move it.
#include "logic/tcolor.h"

#include <QString>
#include <QStringList>

extern const QString DesignCaption;   // " Norvane Inc."

constexpr TColor MainPaneDesignColor = 0xA8B0B9;
constexpr TColor ReportPaneColor = 0xE7FEFD;
constexpr TColor FloatingTintColor = 0xF1F8F4;
constexpr int MainPaneMinHeight = 50;

struct ReportState {
    int ActivePane = 0;
    int SplitView = 0;
    int ToolBarShown = 1;
    QString MainPaneTitle = QStringLiteral(" ");
    QString SecondPaneTitle = QStringLiteral(" ");
    TColor MainPaneColor = ReportPaneColor;
    int MainPaneColourFlag = 0;
    int SecondPaneColourFlag = 0;
    int FloatingColourFlag = 0;

    // The caption after a pane report or a clear.
    QString JoinedCaption() const { return MainPaneTitle + QStringLiteral(" : ") + SecondPaneTitle; }
    QString CaptionAfterClear() const;

    // Sets the active pane's title from the report's two titles.
    void SetActiveTitle(const QString &mainTitle, const QString &secondTitle);
    void ClearActiveTitle();
};

// Height of the main pane when the split view opens or closes; never below
// the pane's minimum height.
int MainPaneHeightOnSplit(bool opening, int clientHeight, bool toolBarShown);
// The main pane's height for a drag of the splitter: at least the pane's
// minimum, and short enough that the second pane keeps a height of 1 within
// the client area below the tool bar and the splitter.
int MainPaneHeightOnDrag(int wantedHeight, int clientHeight, int toolBarHeight, int splitterHeight);
// The main pane's height after the tool bar toggle.
int MainPaneHeightOnToolBar(int currentHeight, int toolBarHeight, bool toolBarNowShown);

struct DetailJump {
    bool found = false;
    int line = 0;          // index of the first line holding the key
    int column = 0;        // 0-based position of the key in that line
    int offset = 0;        // character offset with each line break counted as two
};
// Where the caret lands for the date key; an empty key occurs nowhere.
DetailJump FindDetailJump(const QStringList &lines, const QString &key);
