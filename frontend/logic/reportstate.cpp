#include "logic/reportstate.h"

#include <algorithm>

const QString DesignCaption = QStringLiteral(" Norvane Inc.");

QString ReportState::CaptionAfterClear() const
{
    if (MainPaneTitle == QLatin1String(" ") && SecondPaneTitle == QLatin1String(" "))
        return DesignCaption;
    return JoinedCaption();
}

void ReportState::SetActiveTitle(const QString &mainTitle, const QString &secondTitle)
{
    if (ActivePane == 0)
        MainPaneTitle = mainTitle;
    else
        SecondPaneTitle = secondTitle;
}

void ReportState::ClearActiveTitle()
{
    SetActiveTitle(QStringLiteral(" "), QStringLiteral(" "));
}

int MainPaneHeightOnSplit(bool opening, int clientHeight, bool toolBarShown)
{
    int height;
    if (opening)
        height = toolBarShown ? clientHeight / 2 - 15 : clientHeight / 2 - 1;
    else
        height = toolBarShown ? clientHeight - 32 : clientHeight - 1;
    return std::max(height, MainPaneMinHeight);
}

int MainPaneHeightOnDrag(int wantedHeight, int clientHeight, int toolBarHeight, int splitterHeight)
{
    const int highest = clientHeight - toolBarHeight - splitterHeight - 1;
    return std::max(std::min(wantedHeight, highest), MainPaneMinHeight);
}

int MainPaneHeightOnToolBar(int currentHeight, int toolBarHeight, bool toolBarNowShown)
{
    const int height = toolBarNowShown ? currentHeight - toolBarHeight : currentHeight + toolBarHeight;
    return std::max(height, MainPaneMinHeight);
}

DetailJump FindDetailJump(const QStringList &lines, const QString &key)
{
    DetailJump jump;
    if (key.isEmpty())
        return jump;
    int before = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const int at = lines.at(i).indexOf(key);
        if (at >= 0) {
            jump.found = true;
            jump.line = i;
            jump.column = at;
            jump.offset = before + 2 * i + at;
            return jump;
        }
        before += lines.at(i).size();
    }
    return jump;
}
