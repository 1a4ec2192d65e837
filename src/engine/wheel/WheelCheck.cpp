#include "engine/wheel/WheelCheck.h"

#include <bit>

namespace {

// The next mask with as many bits (Gosper); the caller stops at 1 << v.
inline uint32_t nextSubset(uint32_t x) {
    const uint32_t c = x & (~x + 1);
    const uint32_t r = x + c;
    return (((r ^ x) >> 2) / c) | r;
}

// Lexicographic order of the numbers: the lowest position is the most significant.
uint32_t reversedBits(uint32_t mask, int v) {
    uint32_t r = 0;
    for (int i = 0; i < v; ++i)
        if (mask >> i & 1u) r |= 1u << (v - 1 - i);
    return r;
}

} // namespace

// The popcount instruction where the processor has it; the loop below is all popcounts.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
WheelCheckResult
CheckWheel(int v, int drawn, int held, const std::vector<WheelMask>& tickets, int maxExamples) {
    WheelCheckResult result;
    if (v < 1 || v > WheelMaxNumbers || drawn < 1 || drawn > v) return result;
    const uint32_t end = uint32_t(1) << v;
    const size_t n = tickets.size();
    const WheelMask* t = tickets.data();
    size_t last = 0; // neighbouring draws are mostly met by the same or a nearby ticket
    // Walking the reversed masks in Gosper order visits the draws in lexicographic order.
    for (uint32_t r = (uint32_t(1) << drawn) - 1; r < end; r = nextSubset(r)) {
        const uint32_t d = reversedBits(r, v);
        ++result.draws;
        // Start where the previous draw was met and wrap around: the search stays short.
        bool met = false;
        for (size_t i = last; !met && i < n; ++i)
            if (std::popcount(d & t[i]) >= held) {
                met = true;
                last = i;
            }
        for (size_t i = 0; !met && i < last; ++i)
            if (std::popcount(d & t[i]) >= held) {
                met = true;
                last = i;
            }
        if (met) continue;
        ++result.uncovered;
        if (int(result.examples.size()) < maxExamples) result.examples.push_back(d);
    }
    return result;
}

std::optional<int64_t> SchoenheimBound(int v, int k, int drawn, int held) {
    if (drawn != held || held < 1 || k < held || v < k) return std::nullopt;
    // L(v,k,t) >= ceil(v/k * ceil((v-1)/(k-1) * ... ceil((v-t+1)/(k-t+1))))
    int64_t bound = 1;
    for (int i = held - 1; i >= 0; --i) {
        const int64_t num = int64_t(v - i) * bound;
        const int64_t den = k - i;
        bound = (num + den - 1) / den;
    }
    return bound;
}
