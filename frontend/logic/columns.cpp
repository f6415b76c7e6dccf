#include "logic/columns.h"

namespace Columns {

QString Take(const QString &line, int firstColumn, int width)
{
    if (width <= 0)
        return QString();
    QString out(width, QLatin1Char(' '));
    const int start = firstColumn - 1;
    for (int i = 0; i < width; ++i) {
        const int at = start + i;
        if (at >= 0 && at < line.size())
            out[i] = line.at(at);
    }
    return out;
}

} // namespace Columns
