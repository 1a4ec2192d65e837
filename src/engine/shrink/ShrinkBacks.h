#pragma once

#include "engine/core/Game.h"
#include "engine/shrink/ShrinkResult.h"

#include <QString>
#include <QStringList>
#include <vector>

// The shrink result of a game of two backs with the backs the player chose: every pair of them
// follows each front ticket.
struct ShrinkBacksResult {
    QString countLine; // the front count, then the backs, their pairs, the bets and the cost
    QString text;      // the memo: the count line, an empty line and the tickets
    qint64 bets = 0;
};

// "+01 02" for every pair of the backs (ascending), in ascending order.
QStringList ShrinkBackPairs(const std::vector<int>& backs);
// The message for too few backs ("请最少选择2个后区号码！"), empty when there are enough.
QString ShrinkBacksProblem(const std::vector<int>& backs, const Game& game);
// result must hold every kept ticket (RunShrink with keepAll). Beyond the list limit the memo says so,
// unless listAll asks for every ticket anyway (the CLI's --all).
ShrinkBacksResult ShrinkWithBacks(const ShrinkResult& result, const std::vector<int>& backs, bool listAll,
                                  const Game& game);
