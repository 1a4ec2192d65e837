#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Six tiers, index 0 = 一等奖. Counts per tier are 64-bit: a list of big compound tickets checked
// against the whole history runs past 2^31 bets.
using TierCounts = std::array<int64_t, 6>;

// The tier (1..6) of a bet with redHits red hits and the blue hit or not; 0 = no prize.
int PrizeTier(int redHits, bool blueHit);
// The fixed prize of a tier in 元; the first two tiers float and count 0 here.
int64_t TierPrize(int tier);
// "一等奖" .. "六等奖" for 1..6, "未中奖" for 0.
QString TierName(int tier);
// Sum of the fixed prizes of the counted bets.
int64_t FixedPrize(const TierCounts& tiers);

constexpr int64_t BetCost = 2;
