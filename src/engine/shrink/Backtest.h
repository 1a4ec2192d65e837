#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/shrink/Conditions.h"
#include "engine/shrink/ShrinkInput.h"

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
    // 容错 of the set, and the draws the set as configured keeps: those passing the candidates and
    // failing at most `tolerance` active conditions 1..17 (kept when the tolerance is 0).
    int tolerance = 0;
    int toleranceKept = 0;
    // The share of all the game's front tickets that pass each condition alone (1 for an inactive one),
    // the repeat condition against the newest draw: what a condition keeps by chance.
    std::array<double, ConditionCount> ticketShare{};

    // How often the tested draws' fronts are among the candidates, against what candidates picked
    // without looking at these draws would catch (0 and 0 when every front is a candidate).
    int candidates = 0;
    int candidateHits = 0;
    double candidateHitsExpected = 0;
    double candidateHitsSd = 0;
    // The candidates catch the tested draws far beyond chance: they were most likely picked from these
    // very draws, and the test flatters them.
    bool inSample() const;

    const Game* game = &Game::ssq();

    int draws() const { return int(rows.size()); }
};

// How an observed rate stands against what chance gives.
enum class ChanceVerdict { Better, Within, Worse };
// Beyond this many standard errors of the mean under chance a difference is not luck.
constexpr double ChanceMargin = 3.0;
ChanceVerdict CompareWithChance(double observed, double expected, double standardError);
// "好于随机", "差异在随机波动之内", "差于随机".
QString ChanceVerdictText(ChanceVerdict v);

// The share of all tickets that pass each condition alone, for the conditions of one input,
// walked once with the shared evaluator; the repeat condition compares with previous (null: it
// passes). Inactive conditions get 1.
std::array<double, ConditionCount> ConditionTicketShares(const ShrinkConditions& conditions,
                                                         const TCodeRec* previous);
// Whether the draws pass condition c more often than tickets do by chance: "好于随机", "不比随机好"
// or "差于随机"; empty for an inactive condition or one that removes no ticket.
QString ConditionChanceText(const ShrinkBacktest& b, int condition);

// Tests each of the last `draws` draws as the run tests a ticket of its fronts, with every
// active condition; the repeat condition compares with the draw before (the very first draw of
// the history passes it). No candidates given means the whole front pool. Throws KelvoraError: the run's
// refusals (too few candidates, conversion errors, values outside their sets) and
// BacktestTooManyDrawsText(); draws must be at least 1.
ShrinkBacktest RunShrinkBacktest(const ShrinkInput& input, const TCodeArr& history, int draws,
                                 const Game& game);

// What each tolerance would keep, "容错0: 31期, 容错1: 58期, ...", up to the largest count of
// failed conditions that occurs.
QString ToleranceDistributionText(const ShrinkBacktest& b);
// "按当前条件（容错K）保留：N期（x%）": what the set as configured keeps.
QString ShrinkBacktestKeptText(const ShrinkBacktest& b);
// The warning of a test whose candidates were picked from the draws tested; empty otherwise.
QString ShrinkBacktestInSampleText(const ShrinkBacktest& b);
// The in-sample warning when there is one; then one line naming the active conditions that do no
// better than chance, one for those that do worse (none when every condition beats chance).
QStringList ShrinkBacktestChanceSummary(const ShrinkBacktest& b);
// How the ticket share and the chance verdicts read.
QString ShrinkBacktestChanceNote(const Game& game);
// The JSON of `kelvora-cli backtest shrink --json`.
QJsonObject ShrinkBacktestJson(const ShrinkBacktest& b);
// A readable Chinese report of the same.
QStringList ShrinkBacktestText(const ShrinkBacktest& b);

// The trend grid of the tested draws (newest first) against the active conditions: a failed
// condition is a coloured "×"; the totals row counts the failures. history is the one tested.
H2NetModel ShrinkBacktestGrid(const ShrinkBacktest& b, const TCodeArr& history, const Game& game);
constexpr TColor BacktestFailedColor = 0x8486FF;
