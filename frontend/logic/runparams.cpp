#include "logic/runparams.h"

#include "logic/columns.h"
#include "logic/strtoint.h"

namespace {

struct ValueField {
    QString ParameterValues::*text;
    int width;
    int firstColumn;
    const char *name;      // as the messages name it
    const char *example;   // the length message's example
};

// The value fields in the line's order, which is also the order of the checks.
const ValueField valueFields[] = {
    {&ParameterValues::filter, 3, 2, "Filter", "010"},
    {&ParameterValues::stopLoss, 4, 5, "Stoploss", "0100"},
    {&ParameterValues::drawdown, 4, 9, "Drawdown", "0100"},
    {&ParameterValues::margin, 5, 13, "Margin", "01000"},
    {&ParameterValues::capital, 5, 18, "Capital", "01000"},
    {&ParameterValues::contracts, 4, 23, "Contracts", "0100"},
};

QChar GroupLetter(ParameterGroup group)
{
    switch (group) {
    case ParameterGroup::V: return QLatin1Char('V');
    case ParameterGroup::X: return QLatin1Char('X');
    case ParameterGroup::L: return QLatin1Char('L');
    }
    return QLatin1Char('.');
}

// The master's column; the items follow it.
int MasterColumn(ParameterGroup group)
{
    switch (group) {
    case ParameterGroup::V: return 27;
    case ParameterGroup::X: return 46;
    case ParameterGroup::L: return 65;
    }
    return 0;
}

GroupColumns ReadGroup(const QString &line, ParameterGroup group)
{
    GroupColumns columns;
    const int first = MasterColumn(group);
    const QChar master = Columns::Take(line, first, 1).at(0);
    if (master == GroupLetter(group))
        columns.master = true;
    else if (master == QLatin1Char('.'))
        columns.master = false;
    const QString items = Columns::Take(line, first + 1, RunningParameters::ItemCount);
    for (int k = 1; k <= RunningParameters::ItemCount; ++k)
        columns.check[k - 1] = items.at(k - 1) == RunningParameters::ItemDigit(k);
    if (group == ParameterGroup::V) {
        columns.uncheck[16] = items.at(16) == QLatin1Char('.');
        columns.uncheck[17] = items.at(17) == QLatin1Char('.');
    }
    return columns;
}

} // namespace

QChar RunningParameters::ItemDigit(int k)
{
    return QLatin1Char(char('0' + (k - 1) % 9 + 1));
}

bool RunningParameters::AlwaysDot(ParameterGroup group, int k)
{
    return group == ParameterGroup::V && (k == 3 || k == 9 || k == 10 || k == 12);
}

QString RunningParameters::GroupPart(ParameterGroup group, const GroupSelection &selection)
{
    QString part(selection.master ? GroupLetter(group) : QLatin1Char('.'));
    for (int k = 1; k <= ItemCount; ++k)
        part += selection.items[k - 1] && !AlwaysDot(group, k) ? ItemDigit(k) : QLatin1Char('.');
    return part;
}

QString RunningParameters::Assemble(const PanelSelections &selections)
{
    QString line(selections.defaultSettingsFlag);
    for (const ValueField &field : valueFields)
        line += (selections.values.*field.text).left(field.width);
    line += GroupPart(ParameterGroup::V, selections.v);
    line += GroupPart(ParameterGroup::X, selections.x);
    line += GroupPart(ParameterGroup::L, selections.l);
    line += selections.trailingStop ? QLatin1Char('Y') : QLatin1Char('N');
    return line;
}

bool RunningParameters::Applies(const QString &line)
{
    return line.isEmpty() || line.at(0) != QLatin1Char(' ');
}

LineColumns RunningParameters::Read(const QString &line)
{
    LineColumns columns;
    // The texts as the line holds them: a short line gives short texts, not
    // texts padded with blanks.
    for (const ValueField &field : valueFields)
        columns.values.*field.text = line.mid(field.firstColumn - 1, field.width);
    columns.v = ReadGroup(line, ParameterGroup::V);
    columns.x = ReadGroup(line, ParameterGroup::X);
    columns.l = ReadGroup(line, ParameterGroup::L);
    const QChar trailing = Columns::Take(line, Length, 1).at(0);
    if (trailing == QLatin1Char('Y'))
        columns.trailingStop = true;
    else if (trailing == QLatin1Char('N'))
        columns.trailingStop = false;
    return columns;
}

bool ParameterChecks::Run(ParameterValues &values, const Notify &notify)
{
    bool valid = true;
    for (const ValueField &field : valueFields) {
        const bool isInteger = TryStrToInt((values.*field.text).left(field.width)).has_value();
        if (!isInteger) {
            notify(Box::Warning, QStringLiteral("%1 parameter has invalid characters.").arg(QLatin1String(field.name)));
            valid = false;
        }
        if (field.text != &ParameterValues::stopLoss || !isInteger)
            continue;
        // The range is judged on the whole text, which may not convert even
        // though its first four characters do: that error ends the checks.
        if (StrToInt(values.stopLoss) < LowestStopLoss) {
            values.stopLoss = QStringLiteral("0500");
            notify(Box::Information, QStringLiteral("Stoploss cannot be less than $500."));
        }
        if (StrToInt(values.stopLoss) > HighestStopLoss) {
            values.stopLoss = QStringLiteral("6500");
            notify(Box::Information, QStringLiteral("Stoploss cannot be more than $6500."));
        }
    }
    for (const ValueField &field : valueFields) {
        if ((values.*field.text).size() != field.width) {
            notify(Box::Warning, QStringLiteral("%1 must have %2 characters eg. %3.")
                                     .arg(QLatin1String(field.name))
                                     .arg(field.width)
                                     .arg(QLatin1String(field.example)));
            valid = false;
        }
    }
    return valid;
}
