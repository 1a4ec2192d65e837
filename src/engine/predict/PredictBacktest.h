#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/predict/Prediction.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// One group of one prediction against the draw: the picked fronts (and backs) and their hits; for
// the single prediction a batch of tickets and how many of them hit 0..picks fronts.
struct PredictBacktestGroup {
    int reds = 0;
    int redHits = 0;
    int blues = 0;
    int blueHits = 0; // drawn backs among the picked ones (0 or 1 for the two-colour ball's blue)
    bool blueHit = false;
    bool specialHit = false; // the draw's special number is among the picked fronts (七乐彩)
    int tickets = 0;
    std::array<int, GameLimits::kMaxFrontPicks + 1> counts{};
};

struct PredictBacktestRow {
    int issue = 0;
    TCodeRec draw{};
    std::vector<PredictBacktestGroup> groups; // in the command's output order
};

struct PredictBacktest {
    const Game* game = &Game::ssq();
    PredictKind kind = PredictKind::Compound;
    std::vector<PredictBacktestRow> rows; // oldest first
    int draws() const { return int(rows.size()); }
};

// Predicts each of the last `draws` draws from the draws before it only (the command run on that
// shorter history) and compares. Throws KelvoraError "设置的验证期数超过总期数!!" when fewer than
// PredictWindow draws would stand before the first one; draws must be at least 1.
PredictBacktest RunPredictBacktest(const TCodeArr& history, PredictKind kind, int draws, const Game& game);

// The JSON of `kelvora-cli backtest predict KIND --json`; kindName is KIND as typed. The keys are the
// game's (reds/redHits or fronts/frontHits ...), with "game" at the top.
QJsonObject PredictBacktestJson(const PredictBacktest& b, const QString& kindName);
// The readable report: per group the mean hits against what random numbers give, a plain verdict,
// then one line per draw.
QStringList PredictBacktestText(const PredictBacktest& b);
