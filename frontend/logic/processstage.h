#pragma once
// The order of the three weekly runs. The stage is a blank at start; the MVR
// run sets it to "A" and the KQ4 run back to a blank, both at the moment the
// run starts, whatever the program then reports.
#include <QChar>
#include <QString>

enum class RunKind { MVR, KQ4, System };

struct RunDecision {
    bool allowed;
    QChar nextStage;
    QString refusal;   // the warning text when refused
};

inline RunDecision DecideRun(QChar stage, RunKind run)
{
    switch (run) {
    case RunKind::MVR:
        return {true, QLatin1Char('A'), {}};
    case RunKind::KQ4:
        if (stage != QLatin1Char('A'))
            return {false, stage, QStringLiteral("You must execute process \"MVR\" first.")};
        return {true, QLatin1Char(' '), {}};
    case RunKind::System:
        if (stage != QLatin1Char(' '))
            return {false, stage, QStringLiteral("You must execute process \"KQ4\" also.")};
        return {true, stage, {}};
    }
    return {false, stage, {}};
}
