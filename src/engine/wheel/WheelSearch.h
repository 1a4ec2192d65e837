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
    std::chrono::milliseconds timeLimit{2000};
    uint64_t seed = 1;
    // Stop looking for smaller wheels once this size is reached (0: never).
    int target = 0;
    const std::atomic<bool>* cancel = nullptr;
    // The size of the best complete wheel found so far, whenever it shrinks.
    std::function<void(int best)> progress;
};

// A greedy wheel: every draw not met yet gets the ticket that meets the most unmet draws.
std::vector<WheelMask> GreedyWheel(const WheelShape& shape, uint64_t seed = 1);

// Greedy start, then a weighted local search on the unmet draws for one ticket fewer at a
// time, until the time is up, the target is reached or the search is cancelled. Always returns the
// smallest complete wheel found (never an incomplete one); start, when given and complete, replaces
// the greedy start.
std::vector<WheelMask> SearchWheel(const WheelShape& shape, const WheelSearchOptions& options,
                                   const std::vector<WheelMask>& start = {});
