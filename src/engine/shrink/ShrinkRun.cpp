#include "engine/shrink/ShrinkRun.h"

#include "engine/core/Binomial.h"
#include "engine/core/KelvoraError.h"
#include "engine/metrics/Code.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/Conditions.h"
#include "engine/shrink/TicketPacking.h"
#include "engine/shrink/Tolerance.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace TicketPacking;

constexpr uint32_t AllValues = 0xFFFF; // bits 0..15: every value a bit-set test can see

// The conditions in the form the walk tests them. A condition that is off lets every value pass.
struct Filter {
    uint64_t notCandidates = 0;
    uint64_t contribution[GameLimits::kMaxFrontPool + 1] = {};
    uint8_t sumOk[256] = {};
    uint32_t oddOk = AllValues;
    uint32_t repeatOk = AllValues;
    uint32_t linkOk = AllValues;
    uint32_t bigOk = AllValues;
    uint64_t spanOk = ~uint64_t(0);
    uint8_t zoneOk[256] = {};
    uint8_t mod3Ok[256] = {};
    uint32_t acOk = AllValues;
    uint32_t hitRowOk[4] = {AllValues, AllValues, AllValues, AllValues};
    int requiredCount = 0;
    int maxCode = 0;
    int minCode = 1;
    bool linkOn = false;
    bool acOn = false;
    bool hitRowsOn = false;
};

// The values a table lets pass as bits; values beyond the table pass (no ticket has them).
template <size_t N> uint32_t passingValues(const std::array<ConditionMask, N>& fail) {
    static_assert(N <= 16);
    uint32_t bits = AllValues & ~((1u << N) - 1);
    for (size_t v = 0; v < N; ++v)
        if (!fail[v]) bits |= 1u << v;
    return bits;
}

// Pass table over (count a) | (count b) << 4 from the evaluator's table over a | b << 3, for
// three counts that add up to the picks.
void fillTripleTable(uint8_t (&table)[256], const std::array<ConditionMask, 64>& fail, int picks) {
    for (int a = 0; a <= picks; ++a)
        for (int b = 0; a + b <= picks; ++b)
            table[a | b << 4] = !fail[size_t(a | b << 3)];
}

// The walk's form of the one reading of the conditions. The walk knows the shape of each rule
// (a count of one kind among the picks, a number set that may not or must all appear), the
// evaluator's tables say which values pass.
Filter filterFor(const ShrinkConditions& conditions, const TCodeArr& history) {
    const Game& game = conditions.game();
    const int pool = game.frontPool;
    const int picks = game.frontPicks;
    const ConditionTables& t = conditions.tables();
    const ConditionMask active = conditions.active();
    auto on = [active](int condition) { return ((active >> condition) & 1) != 0; };
    Filter f;
    f.maxCode = pool;
    for (int n = 1; n <= pool; ++n)
        if (!((conditions.candidates() >> n) & 1)) f.notCandidates |= uint64_t(1) << n;

    for (int s = 0; s < 256; ++s)
        f.sumOk[s] = !t.sumFail[size_t(s)];
    f.oddOk = passingValues(t.oddFail);
    f.bigOk = passingValues(t.bigFail);
    if (on(RepeatsCondition) && !history.empty()) {
        f.repeatOk = passingValues(t.repeatFail);
        const TCodeRec& latest = history.back().Ticket;
        for (int k = 0; k < picks; ++k)
            if (latest.Red[k] >= 1 && latest.Red[k] <= pool)
                f.contribution[latest.Red[k]] |= uint64_t(1) << CommonShift;
    }
    f.linkOn = on(LinkCondition);
    f.linkOk = passingValues(t.linkFail);

    // Excluded numbers fail from the first one on, so they are simply not used.
    if (on(ExcludedNumbersCondition))
        for (int n = 1; n <= pool; ++n)
            if ((conditions.excludedNumbers() >> n) & 1) f.contribution[n] |= uint64_t(1) << ExcludedShift;
    // Required numbers pass at one count only, all of them (none of 0..picks when more than picks).
    if (on(RequiredNumbersCondition)) {
        while (f.requiredCount <= picks && t.requiredFail[size_t(f.requiredCount)])
            ++f.requiredCount;
        for (int n = 1; n <= pool; ++n)
            if ((conditions.requiredNumbers() >> n) & 1) f.contribution[n] |= uint64_t(1) << RequiredShift;
    }
    for (int row = 0; row < 4; ++row) {
        const uint64_t numbers = conditions.hitRow(row);
        if (!numbers) continue;
        f.hitRowsOn = true;
        f.hitRowOk[row] = passingValues(t.hitFail[size_t(row)]);
        for (int n = 1; n <= pool; ++n)
            if ((numbers >> n) & 1) f.contribution[n] |= uint64_t(1) << (HitRowShift + 4 * row);
    }

    while (f.maxCode > 1 && t.maxFail[size_t(f.maxCode)])
        --f.maxCode;
    while (f.minCode < pool && t.minFail[size_t(f.minCode)])
        ++f.minCode;
    for (int v = 0; v <= pool; ++v)
        if (t.spanFail[size_t(v)]) f.spanOk &= ~(uint64_t(1) << v);
    fillTripleTable(f.zoneOk, t.zoneFail, picks);
    fillTripleTable(f.mod3Ok, t.mod3Fail, picks);
    f.acOn = on(AcCondition);
    f.acOk = passingValues(t.acFail);

    for (int n = 1; n <= pool; ++n)
        f.contribution[n] += numberContribution(n, game);
    return f;
}

constexpr uint64_t bit(int n) {
    return uint64_t(1) << n;
}
// Bits lo..hi (empty when lo > hi).
constexpr uint64_t bitRange(int lo, int hi) {
    return lo > hi ? 0 : ((bit(hi - lo + 1) - 1) << lo);
}

inline int bitCount(uint64_t x) {
    return BitCount64(x);
}

inline int lowestBit(uint64_t m) {
    return __builtin_ctzll(m);
}
inline int highestBit(uint64_t m) {
    return 63 - __builtin_clzll(m);
}

inline int longestRunLinks(uint64_t m) {
    const uint64_t t1 = m & (m >> 1);
    const uint64_t t2 = t1 & (t1 >> 1);
    const uint64_t t3 = t2 & (t2 >> 1);
    const uint64_t t4 = t3 & (t3 >> 1);
    const uint64_t t5 = t4 & (t4 >> 1);
    const uint64_t t6 = t5 & (t5 >> 1); // seven in a row: only a game of seven picks has it
    return (t1 != 0) + (t2 != 0) + (t3 != 0) + (t4 != 0) + (t5 != 0) + (t6 != 0);
}

// The conditions turned into "which last number may complete the others": one mask of front
// numbers per value of a measure of the first picks - 1, so a whole group of tickets sharing their
// first numbers is tested with a handful of ANDs.
struct Plan {
    uint64_t usable = 0; // candidates that are not excluded and lie within smallest..largest
    uint64_t required = 0;
    int sumLow = 0, sumHigh = -1; // the sums sumOk lets pass, as bounds for pruning
    uint64_t sumF[256] = {};
    uint64_t oddF[8] = {};
    uint64_t repeatF[8] = {};
    uint64_t bigF[8] = {};
    uint64_t zoneF[256] = {};
    uint64_t mod3F[256] = {};
    uint64_t spanF[GameLimits::kMaxFrontPool + 1] = {};
    // For k numbers chosen with zone (or remainder) counts a | b << 4: can the rest still pass?
    bool zonePossible[GameLimits::kMaxFrontPicks + 1][256] = {};
    bool mod3Possible[GameLimits::kMaxFrontPicks + 1][256] = {};
    // Rank of the first ticket that holds value v at position k, among the tickets that share the
    // first k - 1 numbers, counted from value 1: firstRank[k][v] - firstRank[k][prev + 1] skips.
    int firstRank[GameLimits::kMaxFrontPicks + 1][GameLimits::kMaxFrontPool + 2] = {};
};

Plan makePlan(const Filter& f, const Game& game) {
    const int pool = game.frontPool;
    const int picks = game.frontPicks;
    const uint64_t allNumbers = bitRange(1, pool);
    Plan p;
    uint64_t odd = 0, big = 0, latest = 0, excluded = 0, zone[3] = {}, mod3[3] = {};
    for (int n = 1; n <= pool; ++n) {
        const uint64_t c = f.contribution[n];
        if (n & 1) odd |= bit(n);
        if (n > game.smallMax) big |= bit(n);
        if (field(c, CommonShift)) latest |= bit(n);
        if (field(c, ExcludedShift)) excluded |= bit(n);
        if (field(c, RequiredShift)) p.required |= bit(n);
        zone[game.zoneOf(n)] |= bit(n);
        mod3[n % 3] |= bit(n);
    }
    p.usable = allNumbers & ~f.notCandidates & ~excluded & bitRange(f.minCode, f.maxCode);

    for (int s = 0; s < 256; ++s) {
        if (f.sumOk[s]) {
            if (p.sumHigh < 0) p.sumLow = s;
            p.sumHigh = s;
        }
        for (int n = 1; n <= pool && s + n < 256; ++n)
            if (f.sumOk[s + n]) p.sumF[s] |= bit(n);
    }
    // The first numbers hold c of a kind; the last makes it c + 1 if it is of that kind, else c.
    auto byCount = [&](uint64_t(&table)[8], uint32_t ok, uint64_t kind) {
        for (int c = 0; c < picks; ++c)
            table[c] = (((ok >> (c + 1)) & 1) ? kind : 0) | (((ok >> c) & 1) ? (allNumbers & ~kind) : 0);
    };
    byCount(p.oddF, f.oddOk, odd);
    byCount(p.repeatF, f.repeatOk, latest);
    byCount(p.bigF, f.bigOk, big);
    auto byTriple = [&](uint64_t(&table)[256], const uint8_t(&ok)[256], const uint64_t(&kinds)[3]) {
        for (int a = 0; a < picks; ++a)
            for (int b = 0; a + b < picks; ++b)
                table[a | b << 4] = (ok[(a + 1) | b << 4] ? kinds[0] : 0) |
                                    (ok[a | (b + 1) << 4] ? kinds[1] : 0) | (ok[a | b << 4] ? kinds[2] : 0);
    };
    byTriple(p.zoneF, f.zoneOk, zone);
    byTriple(p.mod3F, f.mod3Ok, mod3);
    auto possible = [&](bool(&table)[GameLimits::kMaxFrontPicks + 1][256], const uint8_t(&ok)[256]) {
        for (int k = 0; k <= picks; ++k)
            for (int a = 0; a <= k; ++a)
                for (int b = 0; a + b <= k; ++b)
                    for (int da = 0; da <= picks - k; ++da)
                        for (int db = 0; da + db <= picks - k; ++db)
                            if (ok[(a + da) | (b + db) << 4]) table[k][a | b << 4] = true;
    };
    possible(p.zonePossible, f.zoneOk);
    possible(p.mod3Possible, f.mod3Ok);
    for (int a = 1; a <= pool; ++a)
        for (int n = a; n <= pool; ++n)
            if ((f.spanOk >> (n - a)) & 1) p.spanF[a] |= bit(n);

    for (int k = 1; k <= picks; ++k) {
        int acc = 0;
        for (int v = 1; v <= pool + 1; ++v) {
            p.firstRank[k][v] = acc;
            acc += int(Binomial(pool - v, picks - k));
        }
    }
    return p;
}

struct WalkResult {
    int count = 0;
    int lastPosition = 0;
};

// Invariants of the walk:
// - mask holds the numbers chosen so far (bit n for number n), packed the sum of their
//   contributions (every counter of Field), and base the lexicographic index of the first ticket
//   that could still follow them; ranks are counted with Plan::firstRank, never by visiting tickets.
// - Tickets are visited in increasing index. settled is the index below which every flag is
//   final: removeUpTo clears the flags of the skipped tickets between the last kept one and the
//   next, so pruned groups cost one loop of byte stores, not a test each.
// - A level or group prunes only what the ticket-by-ticket run would remove: a bound (sum, counts
//   that can only grow, zones and remainders that can no longer be met) proves that every ticket
//   below fails some test 1..16. Such tickets get no progress step there either, so skipping
//   them leaves the bar's positions unchanged.
// - AC: reflected holds bit 40 - n for every chosen number n, so reflected >> (40 - x) puts bit
//   x - n at each difference to a new number x; diffs collects the differences of the numbers
//   chosen so far. The AC value is then the count of distinct differences (bits 1..Pool - 1)
//   minus Picks - 1, for all the numbers at once, without a loop over the pairs.
// Picks and Pool are template parameters so that each game's bounds are compile-time constants.
template <int Picks, int Pool> struct Walker {
    const Filter& f;
    const Plan& p;
    TCodeRec* tickets;
    std::vector<int>& shown;
    const ShrinkProgress& progress;
    bool keepAll;
    WalkResult w;
    int settled = 0; // tickets before this index have their final flag

    void moveBar(int index) {
        const int position = index / ShrinkProgressDivisor;
        if (position != w.lastPosition) {
            w.lastPosition = position;
            if (progress.step) progress.step(position);
        }
    }

    // The tickets sharing the first Picks - 1 numbers of mask with e the largest; base is the rank
    // of the ticket that adds e + 1. The candidate last numbers are one bit mask; each test ANDs
    // away the numbers that would make it fail, so the group is tested with a handful of ANDs.
    void group(int base, int a, int e, uint64_t mask, uint64_t packed, uint64_t reflected, uint64_t diffs) {
        uint64_t lastNumbers = p.usable & ~(bit(e + 1) - 1);
        const uint32_t requiredLeft = uint32_t(f.requiredCount) - field(packed, RequiredShift);
        lastNumbers &= requiredLeft == 0 ? ~p.required : requiredLeft == 1 ? p.required : 0;
        lastNumbers &= p.sumF[packed & 0xFF];
        lastNumbers &= p.oddF[field(packed, OddShift)];
        lastNumbers &= p.repeatF[field(packed, CommonShift)];
        lastNumbers &= p.bigF[field(packed, BigShift)];
        lastNumbers &= p.spanF[a];
        lastNumbers &= p.zoneF[(packed >> ZoneShift) & 0xFF];
        lastNumbers &= p.mod3F[(packed >> Mod3Shift) & 0xFF];
        if (f.linkOn && lastNumbers) {
            // Only e + 1 can join a run, the one that ends at e.
            const int linksNow = longestRunLinks(mask);
            const int belowRun = highestBit(~mask & (bit(e + 1) - 1));
            const int linksWithNext = std::max(linksNow, e - belowRun);
            const uint64_t others = ((f.linkOk >> linksNow) & 1) ? ~(bit(e + 2) - 1) : 0;
            const uint64_t next = ((f.linkOk >> linksWithNext) & 1) ? bit(e + 1) : 0;
            lastNumbers &= others | next;
        }
        if (f.acOn)
            for (uint64_t s = lastNumbers; s; s &= s - 1) {
                const int n = lowestBit(s);
                const uint64_t all = (diffs | (reflected >> (40 - n))) & ~uint64_t(1);
                if (!((f.acOk >> (bitCount(all) - (Picks - 1))) & 1)) lastNumbers &= ~bit(n);
            }
        if (!lastNumbers) return;
        // Every ticket left passed the sixteen tests: the bar follows them (at most two positions,
        // a group being shorter than a bar step).
        moveBar(base + lowestBit(lastNumbers) - e - 1);
        moveBar(base + highestBit(lastNumbers) - e - 1);
        if (f.hitRowsOn)
            for (uint64_t s = lastNumbers; s; s &= s - 1) {
                const int n = lowestBit(s);
                const uint64_t all = packed + f.contribution[n];
                uint32_t rows = f.hitRowOk[0] >> field(all, HitRowShift);
                rows &= f.hitRowOk[1] >> field(all, HitRowShift + 4);
                rows &= f.hitRowOk[2] >> field(all, HitRowShift + 8);
                rows &= f.hitRowOk[3] >> field(all, HitRowShift + 12);
                if (!(rows & 1)) lastNumbers &= ~bit(n);
            }
        if (keepAll || w.count <= ShrinkListLimit) {
            for (uint64_t s = lastNumbers; s; s &= s - 1) {
                const int index = base + lowestBit(s) - e - 1;
                removeUpTo(index);
                ++settled;                // kept: its flag stays 1
                shown.push_back(index);   // capacity reserved: never allocates
            }
        } else if (lastNumbers) {
            // Beyond the list only the flags change: the gaps between the kept ones, not a step per
            // kept ticket. A group with none kept is left to the next removeUpTo.
            const int low = lowestBit(lastNumbers), high = highestBit(lastNumbers);
            removeUpTo(base + low - e - 1);
            for (uint64_t gaps = ~lastNumbers & bitRange(low, high); gaps; gaps &= gaps - 1)
                tickets[base + lowestBit(gaps) - e - 1].Valid = 0;
            settled = base + high - e;
        }
        w.count += bitCount(lastNumbers);
    }

    // Every ticket between the last one kept and index failed a test.
    void removeUpTo(int index) {
        // Locals: a byte store may alias the members, which would be reloaded on every ticket.
        TCodeRec* const t = tickets;
        for (int i = settled; i < index; ++i)
            t[i].Valid = 0;
        if (index > settled) settled = index;
    }

    // Chooses the number at position k (1..Picks - 1) after prev; the last is left to group().
    void level(int k, int prev, int base, int a, uint64_t mask, uint64_t packed, uint64_t reflected,
               uint64_t diffs) {
        uint64_t choices = p.usable & ~(bit(prev + 1) - 1);
        // Passing over a required number leaves it out for good.
        const uint64_t requiredAbove = p.required & ~(bit(prev + 1) - 1) & ~mask;
        if (requiredAbove) choices &= bit(lowestBit(requiredAbove) + 1) - 1;
        // Leave room for the Picks - k numbers still to come.
        uint64_t room = p.usable;
        for (int j = 0; j < Picks - k && room; ++j)
            room &= ~bit(highestBit(room));
        choices &= room;
        const int rest = Picks - k;
        for (uint64_t s = choices; s; s &= s - 1) {
            const int x = lowestBit(s);
            const uint64_t nextPacked = packed + f.contribution[x];
            const int sum = int(nextPacked & 0xFF);
            // The smallest and largest sums the remaining numbers could add.
            if (sum + rest * x + rest * (rest + 1) / 2 > p.sumHigh) break;
            if (sum + rest * Pool - rest * (rest - 1) / 2 < p.sumLow) continue;
            // Each count can still grow by at most the numbers to come.
            const uint32_t window = (2u << rest) - 1;
            if (!((f.oddOk >> field(nextPacked, OddShift)) & window)) continue;
            if (!((f.bigOk >> field(nextPacked, BigShift)) & window)) continue;
            if (!((f.repeatOk >> field(nextPacked, CommonShift)) & window)) continue;
            if (!p.zonePossible[k][(nextPacked >> ZoneShift) & 0xFF]) continue;
            if (!p.mod3Possible[k][(nextPacked >> Mod3Shift) & 0xFF]) continue;
            const int nextBase = base + p.firstRank[k][x] - p.firstRank[k][prev + 1];
            const uint64_t nextDiffs = diffs | (reflected >> (40 - x));
            const uint64_t nextReflected = reflected | bit(40 - x);
            if (k == Picks - 1)
                group(nextBase, a, x, mask | bit(x), nextPacked, nextReflected, nextDiffs);
            else
                level(k + 1, x, nextBase, k == 1 ? x : a, mask | bit(x), nextPacked, nextReflected,
                      nextDiffs);
        }
    }
};

// The walk over all tickets in their lexicographic order, which is the order of the list. A
// ticket passes when every test that is on lets it pass; as the tests are pure, pruning whole
// groups of tickets by the numbers they share gives the same verdicts, and the same progress
// steps, as testing them one by one in order and stopping at the first failure.
// The list must hold every ticket with Valid = 1, as BuildCombinations leaves it given all flags.
template <int Picks, int Pool>
WalkResult walk(TCodeList& list, const Filter& f, const Plan& p, std::vector<int>& shown,
                const ShrinkProgress& progress, bool keepAll) {
    Walker<Picks, Pool> walker{f, p, list.data(), shown, progress, keepAll, {}};
    if (p.sumHigh >= 0 && f.requiredCount <= Picks) walker.level(1, 0, 0, 0, 0, 0, 0, 0);
    walker.removeUpTo(int(list.size()));
    return walker.w;
}

// The walk compiled for the game's shape: six of 33 (two-colour ball), five of 35 (super lotto) or
// seven of 30 (七乐彩); the backs are not the walk's business. Any other shape has no walk and must
// not get one of these by mistake.
WalkResult walkFor(const Game& game, TCodeList& list, const Filter& f, const Plan& p, std::vector<int>& shown,
                   const ShrinkProgress& progress, bool keepAll) {
    if (game.frontPicks == 6 && game.frontPool == 33)
        return walk<6, 33>(list, f, p, shown, progress, keepAll);
    if (game.frontPicks == 5 && game.frontPool == 35)
        return walk<5, 35>(list, f, p, shown, progress, keepAll);
    if (game.frontPicks == 7 && game.frontPool == 30)
        return walk<7, 30>(list, f, p, shown, progress, keepAll);
    qFatal("RunShrink: no walk for %d of %d", game.frontPicks, game.frontPool);
}

QString resultText(const QString& countLine, const TCodeList& list, const std::vector<int>& shown, int count,
                   const Game& game) {
    if (count > ShrinkListLimit) return countLine + QLatin1Char('\n') + ShrinkTooManyText();
    const int chars = TicketChars(game);
    QString text(countLine.size() + 1 + qsizetype(count) * (chars + 1), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    std::memcpy(out, countLine.utf16(), size_t(countLine.size()) * sizeof(char16_t));
    out += countLine.size();
    *out++ = u'\n';
    for (int i : shown) {
        *out++ = u'\n';
        CodeToChars(list[size_t(i)], out, game);
        out += chars;
    }
    return text;
}

} // namespace

ShrinkResult RunShrink(const ShrinkInput& input, const TCodeArr& history, const ShrinkProgress& progress,
                       bool keepAll, const Game& game) {
    if (input.tooFewCandidates(game)) throw KelvoraError(TooFewCandidatesText());
    CheckShrinkInput(input, game);
    if (input.tolerance > 0) return RunToleranceShrink(input, history, progress, keepAll, game);
    // The lists are read before the tickets are built: a bad list costs nothing and shows nothing.
    const Filter filter = filterFor(ShrinkConditions(input, game), history);
    const Plan plan = makePlan(filter, game);

    TCodeList shrinkList;
    CandidateFlags all;
    all.fill(1);
    BuildCombinations(shrinkList, all, game);

    std::vector<int> shown;
    shown.reserve(size_t(ShrinkListLimit + game.frontPool));

    struct EndGuard {
        const ShrinkProgress& p;
        ~EndGuard() {
            if (p.end) p.end();
        }
    };
    WalkResult w;
    {
        if (progress.begin) progress.begin();
        EndGuard guard{progress};
        w = walkFor(game, shrinkList, filter, plan, shown, progress, keepAll);
    }

    ShrinkResult result;
    result.count = w.count;
    result.lastPosition = w.lastPosition;
    result.countLine = ShrinkCountLine(w.count);
    result.game = &game;
    result.text = resultText(result.countLine, shrinkList, shown, w.count, game);
    if (keepAll) result.tickets = std::move(shown);
    return result;
}

QStringList ValidToLines(const TCodeList& list, const Game& game) {
    QStringList lines;
    for (const TCodeRec& t : list)
        if (t.Valid) lines.append(CodeToText(t, game));
    return lines;
}
