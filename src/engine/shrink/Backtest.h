#pragma once

#include "charts/H2NetModel.h"
#include "history/CodeRec.h"
#include "shrink/Conditions.h"
#include "shrink/ShrinkInput.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// "设置的验证期数超过总期数!!": more draws to test than the history holds.
QString BacktestTooManyDrawsText();

struct ShrinkBacktestRow {
    int issue = 0; // the issue code
    TCodeRec ticket{};
    ConditionMask failed = 0; // active conditions the draw fails
};

// How a condition set would have done on the last draws of the history.
struct ShrinkBacktest {
    ConditionMask active = 0;
    std::array<int, ConditionCount> passed{}; // draws passing each condition (all for an inactive one)
    int kept = 0;                             // draws passing every active condition
    // failCounts[j]: draws that pass the candidates and fail exactly j active conditions 1..17.
    std::array<int, ConditionCount> failCounts{};
    std::vector<ShrinkBacktestRow> rows; // oldest first

    int draws() const { return int(rows.size()); }
};

// Tests each of the last `draws` draws as the run tests a ticket of its six reds, with every
// active condition; the repeat condition compares with the draw before (the very first draw of
// the history passes it). No candidates given means all 33. Throws KelvoraError: the run's
// refusals (too few candidates, conversion errors, values outside their sets) and
// BacktestTooManyDrawsText(); draws must be at least 1.
ShrinkBacktest RunShrinkBacktest(const ShrinkInput& input, const TCodeArr& history, int draws);

// "容错0: 31期, 容错1: 58期, ..." up to the largest count that occurs.
QString ToleranceDistributionText(const ShrinkBacktest& b);
// The JSON of `kelvora-cli backtest shrink --json`.
QJsonObject ShrinkBacktestJson(const ShrinkBacktest& b);
// A readable Chinese report of the same.
QStringList ShrinkBacktestText(const ShrinkBacktest& b);

// The trend grid of the tested draws (newest first) against the active conditions: a failed
// condition is a coloured "×"; the totals row counts the failures. history is the one tested.
H2NetModel ShrinkBacktestGrid(const ShrinkBacktest& b, const TCodeArr& history);
constexpr TColor BacktestFailedColor = 0x8486FF;
