#pragma once

#include "engine/core/Game.h"
#include <QString>
#include <array>

// One hit row of the third condition sheet: the row's number list and its "0".."picks - 1" matrix
// ("0".."5" for the two-colour ball, "0".."4" for five fronts, "0".."6" for seven).
struct ShrinkHitRow {
    QString list;
    std::array<bool, GameLimits::kMaxFrontPicks> items{};
};

// What the condition widgets hold when the run starts. Every member's default is the widget's
// reset value, so a default-constructed input has every condition off and no candidate; the panel
// takes its start values and 清除条件 its reset values from here.
// Drop-down lists are held as their value, -1 standing for "不选". A default-constructed input
// has the two-colour ball's reset values; resetFor gives any game's.
struct ShrinkInput {
    // A run needs at least this many candidates.
    static constexpr int MinCandidates = 8;

    // The reset values of the game's conditions: every condition off, no candidate.
    static ShrinkInput resetFor(const Game& game) {
        ShrinkInput in;
        in.sumMin = game.sumMin();
        in.sumMax = game.sumMax();
        in.maxCode = game.frontPool;
        return in;
    }

    // Item n - 1 for front number n; the items beyond the game's pool stay false.
    std::array<bool, GameLimits::kMaxFrontPool> candidates{};

    int sumMin = Game::ssq().sumMin();
    int sumMax = Game::ssq().sumMax();
    QString excludeSums;
    std::array<bool, GameLimits::kMaxFrontPicks + 1> oddEven{}; // item k: k odd fronts (up to the picks)
    std::array<bool, 5> repeats{};  // item k: k reds in common with the latest draw
    int linkIndex = 2;              // 0 "有连号", 1 "无连号", 2 "不考虑连号", 3 nothing selected
    std::array<bool, 4> linkRuns{}; // "二连号" .. "五连号"

    int tailMin = 0;
    int tailMax = 9;
    QString excludeTails;
    QString excludeNumbers;
    QString requireNumbers;
    std::array<bool, GameLimits::kMaxFrontPicks + 1> bigSmall{}; // item k: k big fronts

    int maxCode = Game::ssq().frontPool;
    int minCode = 1;
    int spanMin = -1;
    int spanMax = -1;
    std::array<int, 3> zones{-1, -1, -1};
    std::array<int, 3> mod3{-1, -1, -1};
    int acMin = -1;
    int acMax = -1;
    std::array<ShrinkHitRow, 4> hitRows{};
    // 容错: a ticket of candidates may fail this many of the active conditions 1..17.
    int tolerance = 0;

    int candidateCount() const {
        int n = 0;
        for (bool c : candidates)
            n += c;
        return n;
    }
    // The candidates within the game's pool (the items beyond it are not read).
    int candidateCount(const Game& game) const {
        int n = 0;
        for (int k = 0; k < game.frontPool; ++k)
            n += candidates[size_t(k)];
        return n;
    }
    // The one rule for "请最少勾选8个复式号码！！".
    bool tooFewCandidates() const { return candidateCount() < MinCandidates; }
    bool tooFewCandidates(const Game& game) const { return candidateCount(game) < MinCandidates; }
};
