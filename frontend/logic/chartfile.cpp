#include "logic/chartfile.h"

#include "logic/columns.h"

#include <algorithm>

QStringList BuildYearList(const QStringList &chartLines)
{
    QStringList items;
    QString year;
    for (int i = 0; i <= chartLines.size() - 2; ++i) {
        const QString lineYear = Columns::Take(chartLines.at(i), 6, 4);
        if (lineYear != year) {
            items << lineYear + QStringLiteral("  ") + Columns::Take(chartLines.at(i), 10, 4);
            year = lineYear;
        }
    }
    std::reverse(items.begin(), items.end());
    return items;
}
