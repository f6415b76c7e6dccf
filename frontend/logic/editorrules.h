#pragma once
// The price editor's rules that need no window: where the end marker is, the
// headings of the merge pane, and what leaving the window with unsaved
// changes does.
#include <QString>
#include <QStringList>
#include <optional>

namespace EditorRules {

// The first line holding "THE-END" anywhere (case-sensitive): its index from
// 0 and the column of the marker's "T" from 0.
struct MarkerPlace {
    int line = 0;
    int column = 0;
};
std::optional<MarkerPlace> FindEndMarker(const QStringList &lines);

// The merge pane: these lines, the lines of "MESSAGES.TLW", the second
// heading, the lines of "MESSAGES.TLF".
QStringList MergeSystemHeading();
QStringList MergeHistoryHeading();

// Leaving the window with the pane modified: the question's answer and the
// way out decide whether to save, whether to go, and whether the modified
// flag is cleared without saving.
enum class WayOut { ExitCommand, CloseBox };
enum class Answer { Yes, No, Cancel };
struct LeaveStep {
    bool save = false;
    bool leave = false;
    bool dropModified = false;
};
LeaveStep DecideLeave(WayOut way, Answer answer);

} // namespace EditorRules
