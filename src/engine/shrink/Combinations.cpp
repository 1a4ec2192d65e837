#include "engine/shrink/Combinations.h"

#include "engine/core/Binomial.h"
#include "engine/core/Pools.h"

#include <QtGlobal>
#include <cstring>

namespace {
uint32_t randSeed = 0;
}

int KelvoraRandom(int range) {
    randSeed = randSeed * 134775813u + 1u;
    return int((uint64_t(randSeed) * uint32_t(range)) >> 32);
}

void ResetKelvoraRandom() {
    randSeed = 0;
}

namespace {

// The super lotto's front tickets, with two distinct random backs each.
void buildFiveOf(TCodeList& list, const CandidateFlags& flags, const Game& game) {
    const int pool = game.frontPool;
    list.resize(size_t(game.frontTickets()));
    TCodeRec* out = list.data();
    for (int a = 1; a <= pool - 4; ++a)
        for (int b = a + 1; b <= pool - 3; ++b)
            for (int c = b + 1; c <= pool - 2; ++c)
                for (int d = c + 1; d <= pool - 1; ++d)
                    for (int e = d + 1; e <= pool; ++e) {
                        TCodeRec& t = *out++;
                        std::memset(&t, 0, sizeof t);
                        t.Red[0] = uint8_t(a);
                        t.Red[1] = uint8_t(b);
                        t.Red[2] = uint8_t(c);
                        t.Red[3] = uint8_t(d);
                        t.Red[4] = uint8_t(e);
                        const int first = KelvoraRandom(game.backPool);
                        int second = KelvoraRandom(game.backPool - 1);
                        second += second >= first;
                        t.Blue[first] = 1;
                        t.Blue[second] = 1;
                        t.Valid = (flags[a - 1] | flags[b - 1] | flags[c - 1] | flags[d - 1] | flags[e - 1])
                                      ? 1
                                      : 0;
                    }
}

// 七乐彩's tickets: seven of 30 and nothing beside them (the special number is no pick).
void buildSevenOf30(TCodeList& list, const CandidateFlags& flags) {
    constexpr int pool = 30;
    list.resize(size_t(Binomial(pool, 7)));
    TCodeRec* out = list.data();
    for (int a = 1; a <= pool - 6; ++a)
        for (int b = a + 1; b <= pool - 5; ++b)
            for (int c = b + 1; c <= pool - 4; ++c)
                for (int d = c + 1; d <= pool - 3; ++d) {
                    const uint8_t head = flags[a - 1] | flags[b - 1] | flags[c - 1] | flags[d - 1];
                    for (int e = d + 1; e <= pool - 2; ++e)
                        for (int f = e + 1; f <= pool - 1; ++f)
                            for (int g = f + 1; g <= pool; ++g) {
                                TCodeRec& t = *out++;
                                std::memset(&t, 0, sizeof t);
                                t.Red[0] = uint8_t(a);
                                t.Red[1] = uint8_t(b);
                                t.Red[2] = uint8_t(c);
                                t.Red[3] = uint8_t(d);
                                t.Red[4] = uint8_t(e);
                                t.Red[5] = uint8_t(f);
                                t.Red[6] = uint8_t(g);
                                t.Valid = (head | flags[e - 1] | flags[f - 1] | flags[g - 1]) ? 1 : 0;
                            }
                }
}

} // namespace

void BuildCombinations(TCodeList& list, const CandidateFlags& flags, const Game& game) {
    // Chosen by shape: six of 33 with one back, five fronts with two backs, or seven of 30 with no
    // back; any other shape has no generator yet and must not get one of these by mistake.
    if (game.frontPicks == 5 && game.backPicks == 2) {
        buildFiveOf(list, flags, game);
        return;
    }
    if (game.frontPicks == 7 && game.frontPool == 30 && game.backPicks == 0) {
        buildSevenOf30(list, flags);
        return;
    }
    if (game.frontPicks != 6 || game.frontPool != 33 || game.backPicks != 1)
        qFatal("BuildCombinations: no ticket generator for %d of %d with %d backs", game.frontPicks,
               game.frontPool, game.backPicks);
    // The two-colour ball keeps its compile-time bounds: this loop is the shrink's baseline.
    list.resize(TicketCount);
    TCodeRec* out = list.data();
    // Nested ascending loops visit exactly the strictly increasing tuples in lexicographic order.
    for (int a = 1; a <= 28; ++a)
        for (int b = a + 1; b <= 29; ++b)
            for (int c = b + 1; c <= 30; ++c)
                for (int d = c + 1; d <= 31; ++d)
                    for (int e = d + 1; e <= 32; ++e)
                        for (int f = e + 1; f <= Pools::kRedPool; ++f) {
                            TCodeRec& t = *out++;
                            std::memset(&t, 0, sizeof t);
                            t.Red[0] = uint8_t(a);
                            t.Red[1] = uint8_t(b);
                            t.Red[2] = uint8_t(c);
                            t.Red[3] = uint8_t(d);
                            t.Red[4] = uint8_t(e);
                            t.Red[5] = uint8_t(f);
                            t.Blue[KelvoraRandom(Pools::kBluePool)] = 1;
                            t.Valid = (flags[a - 1] | flags[b - 1] | flags[c - 1] | flags[d - 1] |
                                       flags[e - 1] | flags[f - 1])
                                          ? 1
                                          : 0;
                        }
}

namespace {

// C(n, k) for every pool and pick count, as a table: the unranking loops look it up thousands
// of times.
struct Binomials {
    int64_t v[GameLimits::kMaxFrontPool + 1][GameLimits::kMaxFrontPicks + 1] = {};
    Binomials() {
        for (int n = 0; n <= GameLimits::kMaxFrontPool; ++n)
            for (int k = 0; k <= GameLimits::kMaxFrontPicks; ++k)
                v[n][k] = Binomial(n, k);
    }
};
const Binomials binomials;

} // namespace

int64_t KeptTicketCount(const CandidateFlags& flags, const Game& game) {
    int unflagged = 0;
    for (int n = 1; n <= game.frontPool; ++n)
        unflagged += flags[size_t(n - 1)] == 0;
    return binomials.v[game.frontPool][game.frontPicks] - binomials.v[unflagged][game.frontPicks];
}

TCodeRec KeptTicketAt(int64_t ordinal, const CandidateFlags& flags, const Game& game) {
    const int pool = game.frontPool;
    // unflaggedAbove[v]: numbers above v without a flag.
    int unflaggedAbove[GameLimits::kMaxFrontPool + 2] = {};
    for (int v = pool; v >= 1; --v)
        unflaggedAbove[v - 1] = unflaggedAbove[v] + (flags[size_t(v - 1)] == 0);
    TCodeRec t{};
    int prev = 0;
    bool touched = false;
    for (int k = 0; k < game.frontPicks; ++k) {
        const int rest = game.frontPicks - 1 - k;
        for (int v = prev + 1; v <= pool; ++v) {
            // Tickets that hold v here: every completion from above v, less those that would
            // still hold no flagged number.
            const bool now = touched || flags[size_t(v - 1)];
            const int64_t count =
                binomials.v[pool - v][rest] - (now ? 0 : binomials.v[unflaggedAbove[v]][rest]);
            if (ordinal < count) {
                t.Red[k] = uint8_t(v);
                prev = v;
                touched = now;
                break;
            }
            ordinal -= count;
        }
    }
    t.Valid = 1;
    return t;
}

int TicketIndex(const TCodeRec& t, const Game& game) {
    int64_t index = 0;
    int prev = 0;
    for (int k = 0; k < game.frontPicks; ++k) {
        for (int v = prev + 1; v < t.Red[k]; ++v)
            index += binomials.v[game.frontPool - v][game.frontPicks - 1 - k];
        prev = t.Red[k];
    }
    return int(index);
}
