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

// One version of a game's prize rules: the tiers, what each matches and pays, from one issue on.
struct PrizeRules {
    const Game* game = nullptr;
    int version = 1;
    int firstIssue = 0;
    int lastIssue = 0; // 0 for the version in force now
    int tierCount = 0;
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
    // Said in a report: what the version's amounts leave out.
    const char16_t* note = nullptr;

    QString tierName(int tier) const;
    QStringList tierNames() const; // 一等奖 .. of every tier
    // Fixed prize of one bet of the tier, with 追加 or without.
    int64_t betPrize(int tier, bool extra) const {
        return tier > 0 && tier <= tierCount ? amount[tier] + (extra ? extraAmount[tier] : 0) : 0;
    }
    QString noteText() const { return note ? QString::fromUtf16(note) : QString(); }
};

// Every rule version of the game, oldest first.
const std::vector<PrizeRules>& PrizeVersions(const Game& game);
// The version in force for an issue; issue 0 (a draw written out without one) takes the newest.
const PrizeRules& PrizeRulesFor(const Game& game, int issue);
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
