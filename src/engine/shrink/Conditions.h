#pragma once

#include "engine/core/CodeRec.h"
#include "engine/metrics/Code.h"
#include "engine/shrink/ShrinkInput.h"

#include <QString>
#include <array>
#include <cstdint>

// The shrink conditions, numbered in the order the run tests them.
enum ShrinkCondition : int {
    CandidatesCondition = 0,
    SumRangeCondition = 1,
    ExcludedSumsCondition = 2,
    OddEvenCondition = 3,
    RepeatsCondition = 4,
    LinkCondition = 5,
    TailRangeCondition = 6,
    ExcludedTailsCondition = 7,
    ExcludedNumbersCondition = 8,
    RequiredNumbersCondition = 9,
    BigSmallCondition = 10,
    MaxCodeCondition = 11,
    MinCodeCondition = 12,
    SpanCondition = 13,
    ZonesCondition = 14,
    Mod3Condition = 15,
    AcCondition = 16,
    HitRowsCondition = 17,
};
constexpr int ConditionCount = 18;
// 容错 forgives at most every condition but the candidates.
constexpr int MaxTolerance = ConditionCount - 1;

// Bit c set for condition c.
using ConditionMask = uint32_t;
constexpr ConditionMask AllConditions = (ConditionMask(1) << ConditionCount) - 1;
// The conditions that tolerance may forgive: every one but the candidates.
constexpr ConditionMask TolerableConditions = AllConditions & ~ConditionMask(1);

// "复式号码", "和值范围", ... as backtests and condition-set files name them.
QString ConditionName(int condition);

// What the conditions look at in one ticket. Counts of a number set are 0..picks; common is the
// count shared with the draw the repeat condition compares with (ignored when there is none).
struct TicketMeasures {
    int sum = 0;
    int odd = 0;
    int common = 0;
    int links = 0; // LongestRunLinks
    int big = 0;
    int maxCode = 0;
    int minCode = 0;
    int span = 0;
    int zones[3] = {};
    int mod3[3] = {};
    int ac = 0;
    int excluded = 0;
    int required = 0;
    int hits[4] = {};
};

// Each table maps a measure's value to the conditions that value fails; a condition that is off
// appears in none of them.
// Counts of a number set run 0..picks, the longest run's links 0..picks - 1 and the AC value up to
// C(picks, 2) - (picks - 1): room for the game of most picks.
inline constexpr int kMaxAc =
    GameLimits::kMaxFrontPicks * (GameLimits::kMaxFrontPicks - 1) / 2 - (GameLimits::kMaxFrontPicks - 1);
struct ConditionTables {
    using Counts = std::array<ConditionMask, GameLimits::kMaxFrontPicks + 1>;
    std::array<ConditionMask, 256> sumFail{};
    Counts oddFail{}, repeatFail{}, bigFail{}, excludedFail{}, requiredFail{};
    std::array<ConditionMask, GameLimits::kMaxFrontPicks> linkFail{};
    std::array<ConditionMask, GameLimits::kMaxFrontPool + 1> maxFail{}, minFail{}, spanFail{};
    std::array<ConditionMask, 64> zoneFail{}, mod3Fail{}; // index first | second << 3
    std::array<ConditionMask, kMaxAc + 1> acFail{};
    std::array<Counts, 4> hitFail{};
};

// Checks the values that spin edits and drop-down lists would hold for the game (a script can pass
// anything); throws KelvoraError naming the condition.
void CheckShrinkInput(const ShrinkInput& input, const Game& game);

// The conditions of one input, read once: for any front ticket of the game it says which conditions the
// ticket fails, all of them (the run stops at the first). The rules live in per-measure tables,
// so a walker that computes the measures its own way gets the same verdicts.
class ShrinkConditions {
  public:
    // Checks the values and reads the lists as the run does (the same order and messages);
    // throws KelvoraError. Repeats compare with the draw passed to failed(); without one they pass.
    explicit ShrinkConditions(const ShrinkInput& input, const Game& game);

    const Game& game() const { return *m_game; }

    // The conditions the run would test (condition 4 whenever an item is checked).
    ConditionMask active() const { return m_active; }

    // Every condition the ticket fails; previous is the draw for the repeat condition (null: the
    // condition passes).
    ConditionMask failed(const TCodeRec& ticket, const TCodeRec* previous) const;
    TicketMeasures measure(const TCodeRec& ticket, const TCodeRec* previous) const;
    // Conditions 1..17 from the measures (the candidates are not a measure).
    ConditionMask failedMeasures(const TicketMeasures& m, bool hasPrevious) const {
        const ConditionTables& t = m_tables;
        ConditionMask f = t.sumFail[size_t(m.sum)] | t.oddFail[size_t(m.odd)] | t.linkFail[size_t(m.links)] |
                          t.bigFail[size_t(m.big)] | t.maxFail[size_t(m.maxCode)] |
                          t.minFail[size_t(m.minCode)] | t.spanFail[size_t(m.span)] | t.acFail[size_t(m.ac)] |
                          t.excludedFail[size_t(m.excluded)] | t.requiredFail[size_t(m.required)] |
                          t.zoneFail[size_t(m.zones[0] | m.zones[1] << 3)] |
                          t.mod3Fail[size_t(m.mod3[0] | m.mod3[1] << 3)];
        if (hasPrevious) f |= t.repeatFail[size_t(m.common)];
        for (int r = 0; r < 4; ++r)
            f |= t.hitFail[size_t(r)][size_t(m.hits[r])];
        return f;
    }
    // The rules themselves, for a walker that tests whole groups of tickets at once.
    const ConditionTables& tables() const { return m_tables; }

    // The number sets the measures count in, bit n for number n.
    uint64_t candidates() const { return m_candidates; }
    uint64_t excludedNumbers() const { return m_excluded; }
    uint64_t requiredNumbers() const { return m_required; }
    uint64_t hitRow(int row) const { return m_hitRows[size_t(row)]; }

  private:
    const Game* m_game;
    ConditionMask m_active = 0;
    uint64_t m_candidates = 0;
    uint64_t m_excluded = 0;
    uint64_t m_required = 0;
    std::array<uint64_t, 4> m_hitRows{};
    NumberSet m_excludedSet{}, m_requiredSet{};
    std::array<NumberSet, 4> m_hitSets{};
    ConditionTables m_tables;
};

// Bits set in x, counted in registers: the build targets plain x86-64, where the builtin is a
// library call, and the walks count once per ticket.
inline int BitCount64(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return int((x * 0x0101010101010101ull) >> 56);
}

// The number of conditions set in mask.
inline int ConditionCountIn(ConditionMask mask) {
    return BitCount64(mask);
}
