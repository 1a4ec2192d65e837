#pragma once

#include "engine/core/CodeRec.h"
#include "engine/predict/Prediction.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// One group of one prediction against the draw: the picked reds (and blues) and their hits; for
// the single prediction a batch of tickets and how many of them hit 0..6 reds.
struct PredictBacktestGroup {
    int reds = 0;
    int redHits = 0;
    int blues = 0;
    bool blueHit = false;
    int tickets = 0;
    std::array<int, 7> counts{};
};

struct PredictBacktestRow {
    int issue = 0;
    TCodeRec draw{};
    std::vector<PredictBacktestGroup> groups; // in the command's output order
};

struct PredictBacktest {
    PredictKind kind = PredictKind::Compound;
    std::vector<PredictBacktestRow> rows; // oldest first
    int draws() const { return int(rows.size()); }
};

// Predicts each of the last `draws` draws from the draws before it only (the command run on that
// shorter history) and compares. Throws KelvoraError "设置的验证期数超过总期数!!" when fewer than
// PredictWindow draws would stand before the first one; draws must be at least 1.
PredictBacktest RunPredictBacktest(const TCodeArr& history, PredictKind kind, int draws);

// The JSON of `kelvora-cli backtest predict KIND --json`; kindName is KIND as typed.
QJsonObject PredictBacktestJson(const PredictBacktest& b, const QString& kindName);
// The readable report: per group the mean hits against what random numbers give, a plain verdict,
// then one line per draw.
QStringList PredictBacktestText(const PredictBacktest& b);
