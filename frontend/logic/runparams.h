#pragma once
// The run-parameter line that "BONDS.SYS" and the ".par" files hold: 84
// columns, 1-based.
//
//   1       "Y" while the panel is in its Default Settings state, else "N"
//   2-4     filter            (first 3 characters of its text)
//   5-8     stop loss         (first 4)
//   9-12    drawdown          (first 4)
//   13-17   trading margin    (first 5)
//   18-22   trading capital   (first 5)
//   23-26   maximum contracts (first 4)
//   27-45   V master ("V" or ".") and the 18 V items
//   46-64   X master ("X" or ".") and the 18 X items
//   65-83   L master ("L" or ".") and the 18 L items
//   84      trailing stop, "Y" or "N"
//
// Item k of a group is written as the digit ((k-1) mod 9)+1 when checked and
// "." when not. The value fields carry the texts as typed: a text shorter
// than its field makes the whole line shorter.
#include <QString>

#include <array>
#include <functional>
#include <optional>

enum class ParameterGroup { V, X, L };

// The six value texts of the panel, in the line's order.
struct ParameterValues {
    QString filter;
    QString stopLoss;
    QString drawdown;
    QString margin;
    QString capital;
    QString contracts;
};

// One selection group: its master box and items 1-18 (index 0 is item 1).
struct GroupSelection {
    bool master = false;
    std::array<bool, 18> items{};
};

// Everything the line is built from.
struct PanelSelections {
    QChar defaultSettingsFlag = QLatin1Char('Y');
    ParameterValues values;
    GroupSelection v, x, l;
    bool trailingStop = true;
};

// What a line read back asks of one group. A master column holding the
// group's letter or "." turns the master on or off; any other character
// leaves it. An item column holding the item's own digit checks it. Only V
// items 17 and 18 are ever unchecked by a line, by a "." in their column.
struct GroupColumns {
    std::optional<bool> master;
    std::array<bool, 18> check{};
    std::array<bool, 18> uncheck{};
};

// A line read back into the panel's terms; column 1 is not read.
struct LineColumns {
    ParameterValues values;   // as far as the line reaches; shorter or empty beyond
    GroupColumns v, x, l;
    std::optional<bool> trailingStop;
};

class RunningParameters {
public:
    static constexpr int Length = 84;
    static constexpr int ItemCount = 18;

    // The digit that item k (1-18) stands for.
    static QChar ItemDigit(int k);
    // V items 3, 9, 10 and 12 stand for nothing and are always written ".".
    static bool AlwaysDot(ParameterGroup group, int k);

    // Master letter and the 18 item columns of one group.
    static QString GroupPart(ParameterGroup group, const GroupSelection &selection);
    // The whole line: flag, value fields, V, X, L parts, trailing-stop letter.
    static QString Assemble(const PanelSelections &selections);

    // A loaded line is applied unless it begins with a blank; the empty
    // line is applied.
    static bool Applies(const QString &line);
    static LineColumns Read(const QString &line);
};

// The checks of the six value texts, run in their fixed order.
class ParameterChecks {
public:
    enum class Box { Warning, Information };
    // Called for every message, in order, when it arises: the stop-loss
    // text of the values has already been corrected when its box comes.
    using Notify = std::function<void(Box, const QString &)>;

    // Runs all fourteen checks and returns whether the texts are valid. A
    // stop loss out of range is corrected in place ("0500" or "6500"),
    // which does not make the texts invalid. When the first four stop-loss
    // characters are a number but the whole text is not, the conversion
    // error (QelError) ends the checks there.
    static bool Run(ParameterValues &values, const Notify &notify);

    static constexpr int LowestStopLoss = 500;
    static constexpr int HighestStopLoss = 6500;
};
