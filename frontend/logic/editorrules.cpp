#include "logic/editorrules.h"

namespace EditorRules {

std::optional<MarkerPlace> FindEndMarker(const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        const qsizetype at = lines.at(i).indexOf(QLatin1String("THE-END"));
        if (at >= 0)
            return MarkerPlace{i, static_cast<int>(at)};
    }
    return std::nullopt;
}

namespace {
QString Rule()
{
    return QLatin1Char(' ') + QString(59, QLatin1Char('='));
}
} // namespace

QStringList MergeSystemHeading()
{
    return {QStringLiteral(" Creating the System File, check for errors."), Rule(), QStringLiteral(" ")};
}

QStringList MergeHistoryHeading()
{
    return {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" Verify Historical File, check for errors."),
            Rule(), QStringLiteral(" ")};
}

LeaveStep DecideLeave(WayOut way, Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return {true, true, false};
    case Answer::No:
        // The Exit command forgets the changes (the text stays in the pane);
        // the close box keeps them marked, so the next close asks again.
        return {false, true, way == WayOut::ExitCommand};
    case Answer::Cancel:
        break;
    }
    return {false, false, false};
}

} // namespace EditorRules
