#pragma once

#include "engine/core/Game.h"

#include <cstdint>
#include <optional>
#include <vector>

// A wheel's tickets are bit masks over the positions 0..v-1 of its numbers (v <= 24), so one AND and
// one popcount tell how many of a draw's numbers a ticket holds.
using WheelMask = uint32_t;

constexpr int WheelMaxNumbers = 24;
// A wheel's tickets hold at most the picks of a game's ticket, and so does a guarantee's P.
constexpr int WheelMaxPicks = GameLimits::kMaxFrontPicks;

struct WheelCheckResult {
    int64_t draws = 0;     // C(v, P) subsets checked
    int64_t uncovered = 0; // of those, met by no ticket in T numbers
    std::vector<WheelMask> examples;
};

// Every P-subset of the v positions against every ticket: a draw is met when some ticket holds at
// least T of its numbers. Lists up to maxExamples uncovered draws in lexicographic order.
WheelCheckResult CheckWheel(int v, int drawn, int held, const std::vector<WheelMask>& tickets,
                            int maxExamples = 10);

// The Schönheim lower bound for a covering of every t-subset of v points by k-subsets (the wheels
// whose guarantee holds every drawn number, P = T); nothing for the others.
std::optional<int64_t> SchoenheimBound(int v, int k, int drawn, int held);
