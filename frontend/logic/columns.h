#pragma once
// Columns of fixed-column lines, 1-based. A line shorter than the range gives
// blanks for the missing part, so no read of a short or empty line can fail.
#include <QString>

namespace Columns {
QString Take(const QString &line, int firstColumn, int width);
}
