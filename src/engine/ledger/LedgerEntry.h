#pragma once

#include "engine/prize/PrizeTicket.h"
#include "engine/prize/PrizeTiers.h"

#include <QString>
#include <cstdint>
#include <vector>

// The game of a stored key; an unknown key (a newer program's game) is read as the two-colour ball's.
const Game& LedgerGameOf(const QString& key);

// One purchase: the tickets bought for one issue of one game.
struct LedgerEntry {
    int64_t id = 0;     // the key in the file, never reused
    int64_t number = 0; // what the player sees: counted per game, never reused
    QString game = QStringLiteral("ssq");
    int issue = 0;      // YYYYNNN
    bool extra = false; // 追加; priced only by games that have it
    QString note;
    std::vector<PrizeTicket> tickets;
    int64_t bets = 0;
    int64_t cost = 0;
    // Set once the issue's draw is in the history.
    bool settled = false;
    PrizeDraw draw;
    TierCounts tiers{};
    int64_t prize = 0;
};
