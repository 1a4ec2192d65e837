#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/shrink/Combinations.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Three groups of front (red) and back (blue) numbers chosen by rank among fixed subsets (six lines).
QStringList CombinePredict(const TCodeArr& history, const Game& game);

struct TSinglePrediction {
    QStringList lines; // batches of 100, 200 and 500 tickets, each with a heading and an empty line
    int64_t kept = 0;  // tickets holding at least one of the 14 rarest numbers
};
// Tickets spread evenly over all front tickets that touch the 14 least frequent front numbers.
TSinglePrediction SinglePredict(const TCodeArr& history, const Game& game);
// The single prediction's batch sizes, 100, 200 and 500, and its candidate flags (the 14 least
// frequent reds, read at index n - 1 for red n).
const std::array<int, 3>& SingleBatchSizes();
CandidateFlags SingleRareNumbers(const TCodeArr& history);
// The same for any game, as a mask with bit n for front n.
uint64_t SingleRareMask(const TCodeArr& history, const Game& game);
// The single prediction's picks of any game without a ticket list, per batch as front masks: the j-th
// pick of a batch of n is the kept ticket (one holding a rare number) with 0-based ordinal
// j (S - 1), S = kept div n, in lexicographic order of the front tickets.
std::vector<std::vector<uint64_t>> SingleBatchPicks(uint64_t rareMask, const Game& game);

// The positions a batch of n picks from a ticket list whose kept tickets are flagged 1 in keptFlags:
// each walk counts kept tickets from the previous pick (counting it again, the first walk starts at
// 0) and stops at the (kept div n)-th one. A walk that reaches the end of the list ends the batch
// early instead of reading past it.
std::vector<size_t> SpreadPicks(const std::vector<uint8_t>& keptFlags, int64_t kept, int n);

// The five recommenders: three groups of front numbers at fixed ranks within a subset (six lines).
QStringList NerveRecommend(const TCodeArr& history, const Game& game);
QStringList ColdCodeRecommend(const TCodeArr& history, const Game& game);
QStringList OddNumRecommend(const TCodeArr& history, const Game& game);
QStringList EvenNumRecommend(const TCodeArr& history, const Game& game);
QStringList AreaNumRecommend(const TCodeArr& history, const Game& game);

// Every command of the prediction page, in tool-bar order.
enum class PredictKind { Compound, Single, Banker, Cold, Odd, Even, Zone };

struct TPredictResult {
    QStringList lines;
    QString statusText;             // "完成 ..." for the status bar
    std::optional<int64_t> caption; // the single prediction puts K into the window caption
};

// The command's own name as its button shows it ("复式预测", ...).
QString PredictCommandName(PredictKind kind);
// Runs one command; throws KelvoraError (short history) before producing anything.
TPredictResult RunPredict(const TCodeArr& history, PredictKind kind, const Game& game);
