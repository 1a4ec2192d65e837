#pragma once

#include "engine/core/Game.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

// The most tiers any rule version has (the super lotto's from 2010 to 2014 and from 2019 to 2026).
inline constexpr int kMaxPrizeTiers = 9;

// The two-colour ball's tier count as a constant for its hot loops; used only where the rules say so.
inline constexpr int kSsqTierCount = 6;

// Bets per tier, index 0 = 一等奖; a game uses the first tierCount of its version. 64-bit: a list of big
// compound tickets checked against the whole history runs past 2^31 bets.
using TierCounts = std::array<int64_t, kMaxPrizeTiers>;

struct FiguresTable;
struct DrawFigures;

// One version of a game's prize rules: the tiers, what each matches and pays, from one issue on.
// PrizeVersions holds each version with every tier it has; a draw is priced by one of the version's
// tables (PrizeRulesFor): the tiers paid on its issue, with the amounts its carried-in pool selects.
struct PrizeRules {
    const Game* game = nullptr;
    int version = 1;
    int firstIssue = 0;
    int lastIssue = 0; // 0 for the version in force now
    int tierCount = 0;
    // The issues a tier is paid on when that is part of the version only (0, 0: all of it).
    int paidFirst[kMaxPrizeTiers + 1] = {};
    int paidLast[kMaxPrizeTiers + 1] = {};
    // The cap on the total of a floating tier a draw, 元 (0: none); it lowers the amount a bet is paid.
    int64_t capTotal[kMaxPrizeTiers + 1] = {};
    // A table used when the pool carried into the draw is at least this (元); 0 for the normal table.
    int64_t poolAtLeast = 0;
    // Whether the version has a table chosen by the pool, and whether this one was chosen with the pool
    // known.
    bool poolDependent = false;
    bool poolKnown = false;
    const char16_t* names[kMaxPrizeTiers + 1] = {}; // index 0 = 未中奖
    int64_t amount[kMaxPrizeTiers + 1] = {};        // 元 a bet; 0 for a floating prize
    int64_t extraAmount[kMaxPrizeTiers + 1] = {};   // what 追加 adds to a fixed prize
    bool floating[kMaxPrizeTiers + 1] = {};
    bool extraFloating[kMaxPrizeTiers + 1] = {}; // 追加 adds a share of a floating prize
    // betPrize by tier index (0 = 一等奖), without and with 追加: the sum over a TierCounts.
    int64_t tierPrizes[2][kMaxPrizeTiers] = {};
    // The tier of a bet by its front and back hits, 0 for no prize. A game with a special number (七乐彩)
    // has no backs: its second index is 1 when the special number is among the bet's numbers.
    uint8_t tierOf[GameLimits::kMaxFrontPicks + 1][GameLimits::kMaxBackPicks + 1] = {};
    // Said in a report: what the table's amounts leave out or depend on.
    QString note;

    QString tierName(int tier) const;
    QStringList tierNames() const; // 一等奖 .. of every tier
    // Fixed prize of one bet of the tier, with 追加 or without.
    int64_t betPrize(int tier, bool extra) const {
        return tier > 0 && tier <= tierCount ? amount[tier] + (extra ? extraAmount[tier] : 0) : 0;
    }
    QString noteText() const { return note; }
    // Whether a bet of the tier is paid on the issue (its own issue range, when it has one).
    bool paidOn(int tier, int issue) const {
        return !paidFirst[tier] || (issue >= paidFirst[tier] && issue <= paidLast[tier]);
    }
};

// Every rule version of the game, oldest first.
const std::vector<PrizeRules>& PrizeVersions(const Game& game);
// The table in force for an issue; issue 0 (a draw written out without one) takes the newest. Without
// figures a version with a table chosen by the pool takes its normal one.
const PrizeRules& PrizeRulesFor(const Game& game, int issue);
// With the draw figures: the table the pool carried into the draw selects, when the draw's figures are
// known.
const PrizeRules& PrizeRulesFor(const Game& game, int issue, const FiguresTable* figures);
// Every table of the game, oldest version first: what the history check prices draws by.
const std::vector<PrizeRules>& PrizeTables(const Game& game);

// Fen a bet of the tier was paid in the draw: a fixed tier's amount, a floating one's published amount;
// -1 for a floating tier whose amount is not known (or its 追加 share).
int64_t PaidPerBet(const PrizeRules& rules, int tier, bool extra, const DrawFigures* figures);
// Fen the counted bets were paid in the draw; -1 when a won tier's amount is not known.
int64_t PaidPrize(const TierCounts& tiers, const PrizeRules& rules, bool extra, const DrawFigures* figures);
// The two-colour ball's rules (it has one version).
const PrizeRules& SsqPrizeRules();

// Yuan a bet, with the additional bet (追加) or without.
inline int64_t PriceOfBet(const Game& game, bool extra) {
    return game.price + (extra ? game.extraPrice : 0);
}

// The tier (1..6) of a two-colour-ball bet with redHits red hits and the blue hit or not; 0 = no prize.
int PrizeTier(int redHits, bool blueHit);
// The fixed prize of a two-colour-ball tier in 元; the first two tiers float and count 0 here.
int64_t TierPrize(int tier);
// "一等奖" .. "六等奖" for 1..6, "未中奖" for 0.
QString TierName(int tier);
// Whether a floating tier is among the counted bets.
bool WonFloating(const TierCounts& tiers, const PrizeRules& rules);
// The money of the counted bets as shown: the fixed amount, "浮动" when only floating tiers were won,
// "300+浮动" when both; a floating tier is never shown as 0.
QString PrizeMoneyText(int64_t fixedPrize, const TierCounts& tiers, const PrizeRules& rules);
// Sum of the fixed prizes of the counted bets.
int64_t FixedPrize(const TierCounts& tiers);
int64_t FixedPrize(const TierCounts& tiers, const PrizeRules& rules, bool extra);

constexpr int64_t BetCost = 2;
