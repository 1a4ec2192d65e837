#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// A fixed array of signed 8-bit values indexed from 1 to N; entry 0 is never read. The tag keeps
// counts, ranks and pick lists from being passed for one another.
template <int N, typename Tag> struct OneBasedArray {
    static constexpr int Size = N;
    std::array<int8_t, N + 1> v{};

    int8_t& operator[](int i) { return v[size_t(i)]; }
    int8_t operator[](int i) const { return v[size_t(i)]; }
    void fill(int8_t value) { v.fill(value); }
    bool operator==(const OneBasedArray&) const = default;
};

struct RedCountsTag;
struct BlueCountsTag;
struct RedRankTag;
struct BlueRankTag;
struct RedListTag;
struct BlueListTag;

// Room for the largest pools of any game; a game reads only its own 1..pool.
// Hits per number over the window; -1 marks a number the caller took out of competition.
using TRedCounts = OneBasedArray<GameLimits::kMaxFrontPool, RedCountsTag>;
using TBlueCounts = OneBasedArray<GameLimits::kMaxBackPool, BlueCountsTag>;
// The number at each rank, rank 1 = most frequent.
using TRedRank = OneBasedArray<GameLimits::kMaxFrontPool, RedRankTag>;
using TBlueRank = OneBasedArray<GameLimits::kMaxBackPool, BlueRankTag>;
// Picked numbers in print order; -1 = empty slot.
using TRedList = OneBasedArray<GameLimits::kMaxFrontPool, RedListTag>;
using TBlueList = OneBasedArray<GameLimits::kMaxBackPool, BlueListTag>;

// Every prediction command looks at the 20 latest draws.
constexpr int PredictWindow = 20;

// The refusal when the history is shorter than the window.
QString ShortHistoryMessage();

// Hit counts over the last n draws (newest backwards). Throws KelvoraError when the history holds
// fewer than n draws; n = 0 counts nothing.
// Fronts (reds) 1..frontPool and backs (blues) 1..backPool of the game.
TRedCounts CountRedHits(const TCodeArr& history, int n, const Game& game);
TBlueCounts CountBlueHits(const TCodeArr& history, int n, const Game& game);

// Numbers ordered by count, highest first, ties by ascending number; excluded (negative) numbers
// come last in ascending order. Every number of the game's pool appears exactly once.
TRedRank RankRed(TRedCounts counts, const Game& game);
TBlueRank RankBlue(TBlueCounts counts, const Game& game);

// A pick list written in slot order, plain decimal, joined by sep; count = filled slots.
struct TListText {
    QString text;
    int count = 0;
};
TListText RedListToText(const TRedList& list, const QString& sep);
TListText BlueListToText(const TBlueList& list, const QString& sep);

// A pick list (all slots -1) filled with the numbers at the given ranks, in that order.
TRedList RedListFromRanks(const TRedRank& rank, const std::vector<int>& ranks);
TBlueList BlueListFromRanks(const TBlueRank& rank, const std::vector<int>& ranks);
