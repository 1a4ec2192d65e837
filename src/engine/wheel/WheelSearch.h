#pragma once

#include "engine/wheel/WheelCheck.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// The size of a wheel cell: v numbers, tickets of k of them, guarantee "P drawn, T held".
struct WheelShape {
    int v = 0;
    int k = 0;
    int drawn = 0; // P
    int held = 0;  // T
    bool operator==(const WheelShape&) const = default;
};

struct WheelSearchOptions {
    // A backstop only: a search normally ends at the target or when it has stalled.
    std::chrono::milliseconds timeLimit{2000};
    uint64_t seed = 1;
    // Stop looking for smaller wheels once this size is reached (0: never).
    int target = 0;
    // Stop after this many local-search steps without a smaller wheel (0: never). Counted in steps,
    // not time, so a search that stalls ends with the same tickets on any machine.
    int64_t stallSteps = 0;
    const std::atomic<bool>* cancel = nullptr;
    // The size of the best complete wheel found so far, whenever it shrinks.
    std::function<void(int best)> progress;
};

enum class WheelSearchEnd {
    Target,    // the target (a lower bound) or a single ticket reached
    Stalled,   // stallSteps steps without a smaller wheel
    TimeUp,    // the time limit
    Cancelled, // the cancel flag
};

struct WheelSearchReport {
    WheelSearchEnd end = WheelSearchEnd::Target;
    int64_t steps = 0;        // local-search steps made
    int64_t lastGainStep = 0; // the step that found the returned wheel
};

// A greedy wheel: every draw not met yet gets the ticket that meets the most unmet draws.
std::vector<WheelMask> GreedyWheel(const WheelShape& shape, uint64_t seed = 1);

// Greedy start, then a weighted local search on the unmet draws for one ticket fewer at a
// time, until the target is reached, the search stalls, the time is up or the search is cancelled.
// Always returns the smallest complete wheel found (never an incomplete one); start, when given and
// complete, replaces the greedy start. report, when given, tells how the search ended.
std::vector<WheelMask> SearchWheel(const WheelShape& shape, const WheelSearchOptions& options,
                                   const std::vector<WheelMask>& start = {},
                                   WheelSearchReport* report = nullptr);

// The steps without a smaller wheel after which a search of the shape is taken to have stalled:
// more for a shape of more draws, whose smaller wheels come further apart.
int64_t WheelStallSteps(const WheelShape& shape);

// No wheel of the shape has fewer tickets: the Schönheim bound where it applies (P = T), else the
// draws divided by the most draws one ticket can meet.
int64_t WheelLowerBound(const WheelShape& shape);
