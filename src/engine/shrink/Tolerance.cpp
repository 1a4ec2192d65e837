#include "engine/shrink/Tolerance.h"

#include "engine/core/Binomial.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/Conditions.h"
#include "engine/shrink/TicketPacking.h"

#include <vector>

namespace {

using namespace TicketPacking;

inline int counter(uint64_t packed, int shift) {
    return int(field(packed, shift));
}

inline int longestRunLinks(uint64_t m) {
    int links = 0;
    for (uint64_t t = m & (m >> 1); t; t &= t >> 1)
        ++links;
    return links;
}

struct TolerantWalk {
    const ShrinkConditions& conditions;
    ConditionMask counted = 0; // the active conditions a ticket may fail
    int tolerance = 0;
    bool hasPrevious = false;
    bool linkOn = false, acOn = false;
    int picks = 0;
    uint64_t contribution[GameLimits::kMaxFrontPool + 1] = {};
    // As the plain walk's Plan::firstRank.
    int firstRank[GameLimits::kMaxFrontPicks + 1][GameLimits::kMaxFrontPool + 2] = {};
    std::vector<int> candidates{};
    const ShrinkProgress& progress;
    bool keepAll = false;

    int count = 0;
    int lastPosition = 0;
    std::vector<int> listed{};

    void keep(int index) {
        ++count;
        if (keepAll || count <= ShrinkListLimit) listed.push_back(index);
        const int position = index / ShrinkProgressDivisor;
        if (position != lastPosition) {
            lastPosition = position;
            if (progress.step) progress.step(position);
        }
    }

    // Chooses the number at position k (1..picks) among the candidates from slot `from` on.
    void level(int k, size_t from, int prev, int base, int first, uint64_t mask, uint64_t packed,
               uint64_t reflected, uint64_t diffs) {
        // Leave room for the picks - k numbers still to come.
        const size_t end = candidates.size() - size_t(picks - k);
        for (size_t i = from; i < end; ++i) {
            const int x = candidates[i];
            const uint64_t nextPacked = packed + contribution[x];
            const int index = base + firstRank[k][x] - firstRank[k][prev + 1];
            const uint64_t nextDiffs = diffs | (reflected >> (40 - x));
            const uint64_t nextReflected = reflected | (uint64_t(1) << (40 - x));
            const uint64_t nextMask = mask | (uint64_t(1) << x);
            const int nextFirst = k == 1 ? x : first;
            if (k < picks) {
                level(k + 1, i + 1, x, index, nextFirst, nextMask, nextPacked, nextReflected, nextDiffs);
                continue;
            }
            TicketMeasures m;
            m.sum = int(nextPacked & 0xFF);
            m.odd = counter(nextPacked, OddShift);
            m.big = counter(nextPacked, BigShift);
            m.common = counter(nextPacked, CommonShift);
            m.excluded = counter(nextPacked, ExcludedShift);
            m.required = counter(nextPacked, RequiredShift);
            m.zones[0] = counter(nextPacked, ZoneShift);
            m.zones[1] = counter(nextPacked, ZoneShift + 4);
            m.mod3[0] = counter(nextPacked, Mod3Shift);
            m.mod3[1] = counter(nextPacked, Mod3Shift + 4);
            for (int r = 0; r < 4; ++r)
                m.hits[r] = counter(nextPacked, HitRowShift + 4 * r);
            m.minCode = nextFirst;
            m.maxCode = x;
            m.span = x - nextFirst;
            m.links = linkOn ? longestRunLinks(nextMask) : 0;
            // Bits 1.. of the differences: the AC value is their count minus picks - 1.
            m.ac = acOn ? BitCount64(nextDiffs & ~uint64_t(1)) - (picks - 1) : 0;
            const ConditionMask failed = conditions.failedMeasures(m, hasPrevious) & counted;
            if (ConditionCountIn(failed) <= tolerance) keep(index);
        }
    }
};

} // namespace

ShrinkResult RunToleranceShrink(const ShrinkInput& input, const TCodeArr& history,
                                const ShrinkProgress& progress, bool keepAll, const Game& game) {
    const ShrinkConditions conditions(input, game);
    const int pool = game.frontPool;
    const TCodeRec* previous = history.empty() ? nullptr : &history.back().Ticket;

    TolerantWalk w{.conditions = conditions,
                   .tolerance = input.tolerance,
                   .hasPrevious = previous != nullptr,
                   .picks = game.frontPicks,
                   .progress = progress,
                   .keepAll = keepAll};
    w.counted = conditions.active() & TolerableConditions;
    if (!previous) w.counted &= ~(ConditionMask(1) << RepeatsCondition);
    w.linkOn = (w.counted >> LinkCondition) & 1;
    w.acOn = (w.counted >> AcCondition) & 1;
    uint64_t latest = 0;
    if (previous)
        for (int k = 0; k < game.frontPicks; ++k)
            latest |= uint64_t(1) << previous->Red[k];
    for (int n = 1; n <= pool; ++n) {
        uint64_t& c = w.contribution[n];
        const uint64_t b = uint64_t(1) << n;
        c = numberContribution(n, game);
        c |= uint64_t((latest & b) != 0) << CommonShift;
        c |= uint64_t((conditions.excludedNumbers() & b) != 0) << ExcludedShift;
        c |= uint64_t((conditions.requiredNumbers() & b) != 0) << RequiredShift;
        for (int r = 0; r < 4; ++r)
            c |= uint64_t((conditions.hitRow(r) & b) != 0) << (HitRowShift + 4 * r);
        if ((conditions.candidates() & b) != 0) w.candidates.push_back(n);
    }
    for (int k = 1; k <= game.frontPicks; ++k) {
        int acc = 0;
        for (int v = 1; v <= pool + 1; ++v) {
            w.firstRank[k][v] = acc;
            // Tickets whose k-th number is v after a fixed prefix.
            acc += int(Binomial(pool - v, game.frontPicks - k));
        }
    }

    struct EndGuard {
        const ShrinkProgress& p;
        ~EndGuard() {
            if (p.end) p.end();
        }
    };
    {
        if (progress.begin) progress.begin();
        EndGuard guard{progress};
        if (int(w.candidates.size()) >= game.frontPicks) w.level(1, 0, 0, 0, 0, 0, 0, 0, 0);
    }

    ShrinkResult result;
    result.count = w.count;
    result.lastPosition = w.lastPosition;
    result.countLine = ShrinkCountLine(w.count);
    result.game = &game;
    result.text = ShrinkMemoText(w.count, w.listed, game);
    if (keepAll) result.tickets = std::move(w.listed);
    return result;
}
