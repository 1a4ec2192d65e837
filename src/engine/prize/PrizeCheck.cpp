#include "engine/prize/PrizeCheck.h"

#include "engine/core/Binomial.h"
#include "engine/core/KelvoraError.h"
#include "engine/core/Pools.h"
#include "engine/prize/PrizeTicket.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

struct Binomials {
    static constexpr int Rows = GameLimits::kMaxFrontPool + 1;
    static constexpr int Cols = GameLimits::kMaxFrontPicks + 1;
    int64_t c[Rows][Cols] = {};
    Binomials() {
        for (int n = 0; n < Rows; ++n)
            for (int k = 0; k < Cols; ++k)
                c[n][k] = Binomial(n, k);
    }
};
const Binomials binom;

// Back parts of a ticket's bets by their back hits: w[y] back parts hit y backs, when bankerHits of its
// back bankers and dragHits of its other backs are drawn. A ticket without backs has one back part
// that never hits.
inline void backWaysOf(const PrizeTicket& t, int backPicks, int bankerHits, int dragHits,
                       int64_t (&w)[GameLimits::kMaxBackPicks + 1]) {
    for (int64_t& v : w)
        v = 0;
    if (t.blueCount == 0) {
        w[0] = 1;
        return;
    }
    const int nb = t.backBankers ? std::popcount(t.backBankers) : 0;
    const int drags = t.blueCount - nb;
    const int k = backPicks - nb;
    for (int y = 0; y <= dragHits && y <= k; ++y)
        w[bankerHits + y] = binom.c[dragHits][y] * binom.c[drags - dragHits][k - y];
}

// Tiers of a ticket's bets on a draw where hb of its bankers and ht of its drags hit; w from backWaysOf.
// A bet holds every banker and picks - d of the t drags, so the bets with hb + x front hits are
// C(ht, x) * C(t - ht, picks - d - x), each times the back parts by their hits. A compound ticket is
// d = 0. Instantiated apart for compound tickets, where d = 0 is a constant and the loop stays tight.
template <bool Bankers, int BackPicks>
[[gnu::always_inline]] inline void
addTiersOf(const PrizeTicket& t, const PrizeRules& rules, int picks, int hb, int ht,
           const int64_t (&w)[GameLimits::kMaxBackPicks + 1], int64_t times, TierCounts& tiers) {
    const int d = Bankers ? std::popcount(t.bankers) : 0;
    const int n = t.redCount - d;
    const int k = picks - d;
    for (int x = 0; x <= ht && x <= k; ++x) {
        const int64_t ways = binom.c[ht][x] * binom.c[n - ht][k - x] * times;
        if (ways == 0) continue;
        const uint8_t* row = rules.tierOf[hb + x];
        for (int y = 0; y <= BackPicks; ++y)
            if (const int tier = row[y]; tier && w[y]) tiers[size_t(tier - 1)] += ways * w[y];
    }
}

// Tiers of a ticket's bets where the game draws a special number and no backs: the special is one of
// its bankers (sb = 1), one of its drags (sd = 1) or neither. A bet with x of the ht drawn drags and s of
// the special drag takes the rest of its k drag places from the other n - ht - sd drags; it holds the
// special when sb + s = 1.
template <bool Bankers>
inline void addSpecialTiers(const PrizeTicket& t, const PrizeRules& rules, int picks, int hb, int ht, int sb,
                            int sd, int64_t times, TierCounts& tiers) {
    const int d = Bankers ? std::popcount(t.bankers) : 0;
    const int k = picks - d;
    const int rest = t.redCount - d - ht - sd;
    for (int x = 0; x <= ht && x <= k; ++x)
        for (int s = 0; s <= sd && x + s <= k; ++s) {
            const int fill = k - x - s;
            if (fill > rest) continue;
            if (const int tier = rules.tierOf[hb + x][sb + s])
                tiers[size_t(tier - 1)] += binom.c[ht][x] * binom.c[rest][fill] * times;
        }
}

// The back pick count as a constant where it is one (the two-colour ball's single blue).
template <bool Bankers>
[[gnu::always_inline]] inline void addTiers(const PrizeTicket& t, const PrizeRules& rules, int picks, int hb,
                                            int ht, const int64_t (&w)[GameLimits::kMaxBackPicks + 1],
                                            int backPicks, int64_t times, TierCounts& tiers) {
    if (backPicks == 1)
        addTiersOf<Bankers, 1>(t, rules, picks, hb, ht, w, times, tiers);
    else
        addTiersOf<Bankers, GameLimits::kMaxBackPicks>(t, rules, picks, hb, ht, w, times, tiers);
}

// The two-colour ball's blue hit or missed, as back parts.
inline void blueWays(const PrizeTicket& t, bool blueHit, int64_t (&w)[GameLimits::kMaxBackPicks + 1]) {
    backWaysOf(t, 1, 0, blueHit ? 1 : 0, w);
}

// The history by columns: bit i of row n is set when draw i holds red n (or blue n), 64 draws a
// word. A ticket's red hits on 64 draws at once are then a bit-sliced sum of its rows.
struct DrawColumns {
    size_t draws = 0;
    size_t words = 0;
    std::vector<uint64_t> reds;  // 34 rows
    std::vector<uint64_t> blues; // 17 rows
    std::vector<int> issues;
    uint64_t lastWordMask = 0;
    // The rule tables of the draws: tables[0] prices the most of them, tableOf[i] is draw i's. The draws
    // of each other table (few: a version's recent stretch) are a mask over the words they fall in.
    std::vector<const PrizeRules*> tables;
    std::vector<uint8_t> tableOf;
    struct Minor {
        size_t firstWord = 0;
        size_t endWord = 0;
        std::vector<uint64_t> mask; // by word
    };
    std::vector<Minor> minors; // tables 1.. in order
    std::vector<uint64_t> majorMask; // by word: the draws of tables[0]
};

// The distinct tables of the draws, the most used first.
void groupTables(const std::vector<const PrizeRules*>& tableOfDraw, std::vector<const PrizeRules*>& tables,
                 std::vector<uint8_t>& index) {
    std::vector<std::pair<const PrizeRules*, size_t>> counts;
    for (const PrizeRules* r : tableOfDraw) {
        auto it = std::find_if(counts.begin(), counts.end(), [r](const auto& c) { return c.first == r; });
        if (it == counts.end())
            counts.emplace_back(r, 1);
        else
            ++it->second;
    }
    std::stable_sort(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    // Tables are few; a history of more than 255 would be a broken rules table.
    if (counts.size() > 255) qFatal("too many prize tables in one history");
    tables.clear();
    for (const auto& c : counts)
        tables.push_back(c.first);
    index.resize(tableOfDraw.size());
    for (size_t i = 0; i < tableOfDraw.size(); ++i)
        index[i] = uint8_t(std::find(tables.begin(), tables.end(), tableOfDraw[i]) - tables.begin());
}

DrawColumns columnsOf(const TCodeArr& history, const std::vector<const PrizeRules*>& tableOfDraw) {
    DrawColumns c;
    c.draws = history.size();
    c.words = (c.draws + 63) / 64;
    c.reds.assign((Pools::kRedPool + 1) * c.words, 0);
    c.blues.assign((Pools::kBluePool + 1) * c.words, 0);
    c.issues.reserve(c.draws);
    for (size_t i = 0; i < c.draws; ++i) {
        const PrizeDraw d = DrawOf(history[i], *tableOfDraw[i]->game);
        const uint64_t bit = uint64_t(1) << (i % 64);
        for (int n = 1; n <= Pools::kRedPool; ++n)
            if ((d.reds >> n) & 1u) c.reds[size_t(n) * c.words + i / 64] |= bit;
        c.blues[size_t(d.blue) * c.words + i / 64] |= bit;
        c.issues.push_back(history[i].code());
    }
    const size_t tail = c.draws % 64;
    c.lastWordMask = tail ? (uint64_t(1) << tail) - 1 : ~uint64_t(0);
    groupTables(tableOfDraw, c.tables, c.tableOf);
    c.minors.resize(c.tables.empty() ? 0 : c.tables.size() - 1);
    for (DrawColumns::Minor& m : c.minors) {
        m.firstWord = c.words;
        m.mask.assign(c.words, 0);
    }
    c.majorMask.assign(c.words, 0);
    for (size_t i = 0; i < c.draws; ++i) {
        const uint64_t bit = uint64_t(1) << (i % 64);
        if (c.tableOf[i] == 0) {
            c.majorMask[i / 64] |= bit;
            continue;
        }
        DrawColumns::Minor& m = c.minors[c.tableOf[i] - 1];
        m.mask[i / 64] |= bit;
        m.firstWord = std::min(m.firstWord, i / 64);
        m.endWord = std::max(m.endWord, i / 64 + 1);
    }
    return c;
}

// Per ticket and word: which draws fall on each key (red hits * 2 + blue hit), and how many.
struct KeyScratch {
    std::vector<uint64_t> c0, c1, c2, blue;
    std::vector<uint64_t> b0, b1, b2; // banker hits of a 胆拖 ticket
    std::vector<uint64_t> keyMasks;   // 14 rows of words
    explicit KeyScratch(size_t words)
        : c0(words), c1(words), c2(words), blue(words), b0(words), b1(words), b2(words),
          keyMasks(14 * words) {}
};

// Adds the rows of a mask's numbers into a three-bit counter per draw.
void sliceSum(uint64_t mask, const std::vector<uint64_t>& rows, size_t words, uint64_t* c0, uint64_t* c1,
              uint64_t* c2) {
    std::fill_n(c0, words, 0);
    std::fill_n(c1, words, 0);
    std::fill_n(c2, words, 0);
    for (int n = 1; n <= Pools::kRedPool; ++n) {
        if (!((mask >> n) & 1u)) continue;
        const uint64_t* row = rows.data() + size_t(n) * words;
        for (size_t w = 0; w < words; ++w) {
            const uint64_t carry0 = c0[w] & row[w];
            c0[w] ^= row[w];
            c2[w] |= c1[w] & carry0;
            c1[w] ^= carry0;
        }
    }
}

// Draws per (banker hits hb, drag hits ht, blue hit): 胆拖 keys ((hb * 7 + ht) * 2 + blue).
constexpr int BankerKeys = Pools::kRedPicks * 7 * 2;

__attribute__((target_clones("popcnt", "default"))) void countKeys(const PrizeTicket& t, const DrawColumns& d,
                                                                   KeyScratch& s, uint64_t (&keys)[14]) {
    const size_t words = d.words;
    uint64_t* c0 = s.c0.data();
    uint64_t* c1 = s.c1.data();
    uint64_t* c2 = s.c2.data();
    uint64_t* bw = s.blue.data();
    std::fill_n(c0, words, 0);
    std::fill_n(c1, words, 0);
    std::fill_n(c2, words, 0);
    std::fill_n(bw, words, 0);
    // A draw has six reds, so three bits count the hits of any ticket.
    for (int n = 1; n <= Pools::kRedPool; ++n) {
        if (!((t.reds >> n) & 1u)) continue;
        const uint64_t* row = d.reds.data() + size_t(n) * words;
        for (size_t w = 0; w < words; ++w) {
            const uint64_t carry0 = c0[w] & row[w];
            c0[w] ^= row[w];
            c2[w] |= c1[w] & carry0;
            c1[w] ^= carry0;
        }
    }
    for (int b = 1; b <= Pools::kBluePool; ++b) {
        if (!((t.blues >> b) & 1u)) continue;
        const uint64_t* row = d.blues.data() + size_t(b) * words;
        for (size_t w = 0; w < words; ++w)
            bw[w] |= row[w];
    }
    std::fill_n(keys, 14, 0);
    uint64_t* masks = s.keyMasks.data();
    for (size_t w = 0; w < words; ++w) {
        const uint64_t valid = w + 1 == words ? d.lastWordMask : ~uint64_t(0);
        for (int h = 0; h <= 6; ++h) {
            const uint64_t m =
                ((h & 1) ? c0[w] : ~c0[w]) & ((h & 2) ? c1[w] : ~c1[w]) & ((h & 4) ? c2[w] : ~c2[w]) & valid;
            const uint64_t hit = m & bw[w];
            const uint64_t miss = m & ~bw[w];
            masks[size_t(2 * h) * words + w] = miss;
            masks[size_t(2 * h + 1) * words + w] = hit;
            keys[2 * h] += uint64_t(__builtin_popcountll(miss));
            keys[2 * h + 1] += uint64_t(__builtin_popcountll(hit));
        }
    }
}

// A 胆拖 ticket: keys by banker and drag hits apart; the 14 masks and keys as above, by the most red hits
// one of its bets has on the draw.
__attribute__((target_clones("popcnt", "default"))) void countBankerKeys(const PrizeTicket& t,
                                                                         const DrawColumns& d, KeyScratch& s,
                                                                         uint64_t (&keys)[14],
                                                                         uint64_t (&bankerKeys)[BankerKeys],
                                                                         std::array<uint64_t, BankerKeys>* minorKeys) {
    const size_t words = d.words;
    const int nb = std::popcount(t.bankers);
    const int k = Pools::kRedPicks - nb;
    sliceSum(t.reds & ~t.bankers, d.reds, words, s.c0.data(), s.c1.data(), s.c2.data());
    sliceSum(t.bankers, d.reds, words, s.b0.data(), s.b1.data(), s.b2.data());
    uint64_t* bw = s.blue.data();
    std::fill_n(bw, words, 0);
    for (int b = 1; b <= Pools::kBluePool; ++b) {
        if (!((t.blues >> b) & 1u)) continue;
        const uint64_t* row = d.blues.data() + size_t(b) * words;
        for (size_t w = 0; w < words; ++w)
            bw[w] |= row[w];
    }
    std::fill_n(keys, 14, 0);
    std::fill_n(bankerKeys, BankerKeys, 0);
    for (size_t j = 0; j < d.minors.size(); ++j)
        minorKeys[j].fill(0);
    uint64_t* masks = s.keyMasks.data();
    for (size_t w = 0; w < words; ++w) {
        const uint64_t valid = w + 1 == words ? d.lastWordMask : ~uint64_t(0);
        for (int key = 0; key < 14; ++key)
            masks[size_t(key) * words + w] = 0;
        for (int hb = 0; hb <= nb; ++hb) {
            const uint64_t mb = ((hb & 1) ? s.b0[w] : ~s.b0[w]) & ((hb & 2) ? s.b1[w] : ~s.b1[w]) &
                                ((hb & 4) ? s.b2[w] : ~s.b2[w]) & valid;
            if (!mb) continue;
            for (int ht = 0; hb + ht <= Pools::kRedPicks; ++ht) {
                const uint64_t m = mb & ((ht & 1) ? s.c0[w] : ~s.c0[w]) & ((ht & 2) ? s.c1[w] : ~s.c1[w]) &
                                   ((ht & 4) ? s.c2[w] : ~s.c2[w]);
                if (!m) continue;
                const uint64_t hit = m & bw[w];
                const uint64_t miss = m & ~bw[w];
                const int top = hb + std::min(ht, k);
                masks[size_t(2 * top) * words + w] |= miss;
                masks[size_t(2 * top + 1) * words + w] |= hit;
                keys[2 * top] += uint64_t(__builtin_popcountll(miss));
                keys[2 * top + 1] += uint64_t(__builtin_popcountll(hit));
                bankerKeys[(hb * 7 + ht) * 2] += uint64_t(__builtin_popcountll(miss));
                bankerKeys[(hb * 7 + ht) * 2 + 1] += uint64_t(__builtin_popcountll(hit));
                for (size_t j = 0; j < d.minors.size(); ++j) {
                    const DrawColumns::Minor& minor = d.minors[j];
                    if (w < minor.firstWord || w >= minor.endWord) continue;
                    minorKeys[j][size_t((hb * 7 + ht) * 2)] += uint64_t(__builtin_popcountll(miss & minor.mask[w]));
                    minorKeys[j][size_t((hb * 7 + ht) * 2 + 1)] += uint64_t(__builtin_popcountll(hit & minor.mask[w]));
                }
            }
        }
    }
}

// Kept out of line: the compound path, which most lists are made of, stays as small as before.
[[gnu::noinline]] int64_t bankerBets(const PrizeTicket& ticket, const Game& game) {
    const int d = std::popcount(ticket.bankers);
    const int nb = std::popcount(ticket.backBankers);
    const int64_t backs = ticket.blueCount == 0 ? 1 : binom.c[ticket.blueCount - nb][game.backPicks - nb];
    return binom.c[ticket.redCount - d][game.frontPicks - d] * backs;
}

// Fills a zeroed TicketPrize in place: a list's results are written where they are kept.
template <bool Bankers>
[[gnu::always_inline]] inline void checkTicket(TicketPrize& p, const PrizeTicket& ticket,
                                               const PrizeDraw& draw, const PrizeRules& rules, bool extra) {
    const Game& game = *rules.game;
    const uint32_t drawBacks = draw.backMask();
    if constexpr (Bankers)
        p.bets = bankerBets(ticket, game);
    else
        p.bets = binom.c[ticket.redCount][game.frontPicks] *
                 (ticket.blueCount == 0 ? 1 : binom.c[ticket.blueCount][game.backPicks]);
    p.redHits = std::popcount(ticket.reds & draw.reds);
    p.backHits = int16_t(std::popcount(ticket.blues & drawBacks));
    p.blueHit = p.backHits > 0;
    const int bankerHits = Bankers ? std::popcount(ticket.bankers & draw.reds) : 0;
    const int backBankerHits = Bankers ? std::popcount(ticket.backBankers & drawBacks) : 0;
    int64_t w[GameLimits::kMaxBackPicks + 1];
    if (game.specialPicks) {
        const uint64_t special = draw.specialMask();
        const int specialBanker = Bankers ? std::popcount(ticket.bankers & special) : 0;
        p.specialHit = (ticket.reds & special) != 0;
        addSpecialTiers<Bankers>(ticket, rules, game.frontPicks, bankerHits, p.redHits - bankerHits,
                                 specialBanker, int(p.specialHit) - specialBanker, 1, p.tiers);
    } else if (game.backPicks == 1) {
        // One blue: the bets with it and the rest (a ticket without blues counts one that misses).
        w[1] = p.backHits;
        w[0] = ticket.blueCount == 0 ? 1 : ticket.blueCount - p.backHits;
        addTiersOf<Bankers, 1>(ticket, rules, game.frontPicks, bankerHits, p.redHits - bankerHits, w, 1,
                               p.tiers);
    } else {
        backWaysOf(ticket, game.backPicks, backBankerHits, p.backHits - backBankerHits, w);
        addTiersOf<Bankers, GameLimits::kMaxBackPicks>(ticket, rules, game.frontPicks, bankerHits,
                                                       p.redHits - bankerHits, w, 1, p.tiers);
    }
    p.prize = FixedPrize(p.tiers, rules, extra);
}

[[gnu::noinline]] void checkBankerTicket(TicketPrize& p, const PrizeTicket& ticket, const PrizeDraw& draw,
                                         const PrizeRules& rules, bool extra) {
    checkTicket<true>(p, ticket, draw, rules, extra);
}

// A list against one draw. The two-colour ball's back pick and tier counts are constants here: the
// loop over a list of singles is short enough that a few extra tiers show.
template <int BackPicks, int Tiers>
void checkList(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw, const PrizeRules& rules,
               bool extra, PrizeResult& r) {
    const Game& game = *rules.game;
    const uint32_t drawBacks = draw.backMask();
    const int64_t* prizes = rules.tierPrizes[extra ? 1 : 0];
    PrizeSummary& s = r.summary;
    for (const PrizeTicket& t : tickets) {
        TicketPrize& p = r.results.emplace_back();
        if (t.bankers | t.backBankers) [[unlikely]] {
            checkBankerTicket(p, t, draw, rules, extra);
        } else {
            p.bets = binom.c[t.redCount][game.frontPicks] *
                     (t.blueCount == 0 ? 1 : binom.c[t.blueCount][BackPicks]);
            p.redHits = std::popcount(t.reds & draw.reds);
            p.backHits = int16_t(std::popcount(t.blues & drawBacks));
            p.blueHit = p.backHits > 0;
            int64_t w[GameLimits::kMaxBackPicks + 1];
            if constexpr (BackPicks == 1) {
                w[1] = p.backHits;
                w[0] = t.blueCount == 0 ? 1 : t.blueCount - p.backHits;
            } else {
                backWaysOf(t, BackPicks, 0, p.backHits, w);
            }
            addTiersOf<false, BackPicks>(t, rules, game.frontPicks, 0, p.redHits, w, 1, p.tiers);
            int64_t prize = 0;
            for (int k = 0; k < Tiers; ++k)
                prize += p.tiers[size_t(k)] * prizes[k];
            p.prize = prize;
        }
        s.bets += p.bets;
        for (int k = 0; k < Tiers; ++k)
            s.tiers[size_t(k)] += p.tiers[size_t(k)];
        s.fixedPrize += p.prize;
    }
}

// A list of a game with a special number, ticket by ticket through the general check.
void checkSpecialList(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw, const PrizeRules& rules,
                      bool extra, PrizeResult& r) {
    PrizeSummary& s = r.summary;
    for (const PrizeTicket& t : tickets) {
        TicketPrize& p = r.results.emplace_back();
        if (t.bankers) [[unlikely]]
            checkBankerTicket(p, t, draw, rules, extra);
        else
            checkTicket<false>(p, t, draw, rules, extra);
        s.bets += p.bets;
        for (int k = 0; k < rules.tierCount; ++k)
            s.tiers[size_t(k)] += p.tiers[size_t(k)];
        s.fixedPrize += p.prize;
    }
}

// What pricing the draws as paid needs: each draw's figures and the fewest front hits that win a
// floating tier. A draw pays its table's fixed amounts, so a ticket's paid sum is its fixed prize and
// the floating wins of the few draws where a bet reaches a floating tier.
struct PaidPlan {
    bool on = false;
    std::vector<PrizeDraw> draws;
    std::vector<const DrawFigures*> figures;
    int floatingFronts = GameLimits::kMaxFrontPicks + 1;
};

PaidPlan paidPlanOf(const TCodeArr& history, const std::vector<const PrizeRules*>& tableOfDraw,
                    const FiguresTable* figures, const Game& game) {
    PaidPlan plan;
    if (!figures || figures->empty()) return plan;
    plan.on = true;
    plan.draws.reserve(history.size());
    plan.figures.reserve(history.size());
    for (size_t i = 0; i < history.size(); ++i) {
        plan.draws.push_back(DrawOf(history[i], game));
        plan.figures.push_back(figures->find(history[i].code()));
        const PrizeRules& rules = *tableOfDraw[i];
        for (int fronts = 0; fronts <= game.frontPicks; ++fronts)
            for (int side = 0; side <= GameLimits::kMaxBackPicks; ++side)
                if (const int tier = rules.tierOf[fronts][side]; tier && rules.floating[tier])
                    plan.floatingFronts = std::min(plan.floatingFronts, fronts);
    }
    return plan;
}

// The ticket's prizes as paid: its fixed prize, corrected at the draws of `at` (ascending, once each).
int64_t paidOver(const PrizeTicket& t, int64_t fixedPrize, const std::vector<size_t>& at,
                 const std::vector<const PrizeRules*>& tableOfDraw, const PaidPlan& plan, bool extra) {
    int64_t paid = fixedPrize * 100;
    for (size_t i : at) {
        const PrizeRules& rules = *tableOfDraw[i];
        const TicketPrize p = CheckTicket(t, plan.draws[i], rules, extra);
        const int64_t drawPaid = PaidPrize(p.tiers, rules, extra, plan.figures[i]);
        if (drawPaid < 0) return -1;
        paid += drawPaid - p.prize * 100;
    }
    return paid;
}

// A history draw by draw: draws are grouped by (table, banker hits, drag hits, back banker hits, back
// drag hits), and each group is priced once. A game with a special number (and no backs) groups by
// whether the special is one of the ticket's bankers or drags in place of the back hits.
void checkHistoryByDraw(const PrizeTicket& t, const std::vector<PrizeDraw>& draws, const std::vector<int>& tableOf,
                        const std::vector<const PrizeRules*>& tables, const std::vector<VersionTiers>& versionDraws,
                        const std::vector<const PrizeRules*>& tableOfDraw, const PaidPlan& plan, bool extra,
                        HistoryPrize& p) {
    const Game& game = *tables.front()->game;
    const int picks = game.frontPicks;
    const int backPicks = game.backPicks;
    const int hits = picks + 1;
    const int backHits = std::max(backPicks, game.specialPicks) + 1;
    const int keyCount = int(tables.size()) * hits * hits * backHits * backHits;
    std::vector<int64_t> counts(size_t(keyCount), 0);
    std::vector<int> first(size_t(keyCount), 0);
    std::vector<size_t> paidAt;
    const uint64_t drags = t.reds & ~t.bankers;
    const uint32_t backDrags = t.blues & ~t.backBankers;
    const int d = std::popcount(t.bankers);
    const int k = picks - d;
    for (size_t i = 0; i < draws.size(); ++i) {
        const PrizeDraw& draw = draws[i];
        const uint32_t drawBacks = draw.backMask();
        const uint64_t special = draw.specialMask();
        const int hb = std::popcount(t.bankers & draw.reds);
        const int ht = std::popcount(drags & draw.reds);
        const int bb = std::popcount(t.backBankers & drawBacks) + std::popcount(t.bankers & special);
        const int bt = std::popcount(backDrags & drawBacks) + std::popcount(drags & special);
        const int key = (((tableOf[i] * hits + hb) * hits + ht) * backHits + bb) * backHits + bt;
        if (counts[size_t(key)]++ == 0 || draw.issue < first[size_t(key)]) first[size_t(key)] = draw.issue;
        if (hb == d && ht >= k) p.sixRedIssues.push_back(draw.issue);
        if (plan.on && hb + std::min(ht, k) >= plan.floatingFronts) paidAt.push_back(i);
    }
    p.byVersion = versionDraws;
    p.best = 0;
    std::vector<TierCounts> byTable(tables.size());
    for (int key = 0; key < keyCount; ++key) {
        if (!counts[size_t(key)]) continue;
        const int bt = key % backHits;
        const int bb = key / backHits % backHits;
        const int ht = key / (backHits * backHits) % hits;
        const int hb = key / (backHits * backHits * hits) % hits;
        const int v = key / (backHits * backHits * hits * hits);
        const PrizeRules& rules = *tables[size_t(v)];
        int64_t w[GameLimits::kMaxBackPicks + 1];
        backWaysOf(t, backPicks, bb, bt, w);
        TierCounts once{};
        const bool bankers = t.bankers != 0;
        if (game.specialPicks && bankers)
            addSpecialTiers<true>(t, rules, picks, hb, ht, bb, bt, 1, once);
        else if (game.specialPicks)
            addSpecialTiers<false>(t, rules, picks, hb, ht, bb, bt, 1, once);
        else if (bankers)
            addTiers<true>(t, rules, picks, hb, ht, w, backPicks, 1, once);
        else
            addTiers<false>(t, rules, picks, hb, ht, w, backPicks, 1, once);
        VersionTiers& vt = p.byVersion[size_t(rules.version - 1)];
        for (int tier = 0; tier < rules.tierCount; ++tier) {
            vt.tiers[size_t(tier)] += once[size_t(tier)] * counts[size_t(key)];
            byTable[size_t(v)][size_t(tier)] += once[size_t(tier)] * counts[size_t(key)];
            if (once[size_t(tier)] && (p.best == 0 || tier + 1 < p.best ||
                                       (tier + 1 == p.best && first[size_t(key)] < p.bestIssue))) {
                p.best = tier + 1;
                p.bestIssue = first[size_t(key)];
                p.bestVersion = rules.version;
            }
        }
    }
    p.fixedPrize = 0;
    for (size_t v = 0; v < tables.size(); ++v) {
        p.fixedPrize += FixedPrize(byTable[v], *tables[v], extra);
        for (int tier = 0; tier < kMaxPrizeTiers; ++tier)
            p.tiers[size_t(tier)] += byTable[v][size_t(tier)];
    }
    std::erase_if(p.byVersion, [](const VersionTiers& vt) { return vt.draws == 0; });
    std::sort(p.sixRedIssues.begin(), p.sixRedIssues.end());
    if (plan.on) p.paid = paidOver(t, p.fixedPrize, paidAt, tableOfDraw, plan, extra);
}

// The draws of each version, with no tiers yet: the start of every ticket's byVersion.
std::vector<VersionTiers> versionDrawsOf(const Game& game, const std::vector<const PrizeRules*>& tableOfDraw) {
    std::vector<VersionTiers> byVersion(PrizeVersions(game).size());
    for (size_t v = 0; v < byVersion.size(); ++v)
        byVersion[v].version = int(v + 1);
    for (const PrizeRules* r : tableOfDraw)
        ++byVersion[size_t(r->version - 1)].draws;
    return byVersion;
}

HistoryResult checkHistorySliced(const std::vector<PrizeTicket>& tickets, const TCodeArr& history,
                                 const Game& game, bool extra, const std::vector<const PrizeRules*>& tableOfDraw,
                                 const PaidPlan& plan);

} // namespace

HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history, const Game& game,
                           bool extra) {
    return CheckHistory(tickets, history, game, extra, nullptr);
}

HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history, const Game& game,
                           bool extra, const FiguresTable* figures) {
    if (figures && figures->empty()) figures = nullptr;
    std::vector<const PrizeRules*> tableOfDraw;
    tableOfDraw.reserve(history.size());
    for (const TDrawRec& rec : history)
        tableOfDraw.push_back(&PrizeRulesFor(game, rec.code(), figures));
    const PaidPlan plan = paidPlanOf(history, tableOfDraw, figures, game);
    int tierCount = 0;
    for (const PrizeRules& v : PrizeVersions(game)) {
        int kept = v.tierCount;
        while (kept > 0 && v.paidFirst[kept])
            --kept;
        tierCount = std::max(tierCount, kept);
    }
    for (const PrizeRules* r : tableOfDraw)
        tierCount = std::max(tierCount, r->tierCount);
    if (HasSixPlusOneFastPath(game) && !history.empty()) {
        HistoryResult r = checkHistorySliced(tickets, history, game, extra, tableOfDraw, plan);
        r.withFigures = plan.on;
        r.tierCount = tierCount;
        return r;
    }
    std::vector<PrizeDraw> draws;
    draws.reserve(history.size());
    for (const TDrawRec& rec : history)
        draws.push_back(DrawOf(rec, game));
    std::vector<const PrizeRules*> tables;
    std::vector<uint8_t> index;
    groupTables(tableOfDraw, tables, index);
    const std::vector<int> tableOf(index.begin(), index.end());
    if (tables.empty()) tables.push_back(&PrizeRulesFor(game, 0));
    const std::vector<VersionTiers> versionDraws = versionDrawsOf(game, tableOfDraw);
    HistoryResult r;
    r.draws = int(history.size());
    r.game = &game;
    r.extra = extra;
    r.withFigures = plan.on;
    r.tierCount = tierCount;
    r.results.resize(tickets.size());
    for (size_t k = 0; k < tickets.size(); ++k) {
        checkHistoryByDraw(tickets[k], draws, tableOf, tables, versionDraws, tableOfDraw, plan, extra,
                           r.results[k]);
        r.results[k].cost = TicketBets(tickets[k], game) * PriceOfBet(game, extra) * int64_t(draws.size());
    }
    return r;
}

namespace {

} // namespace

int TicketPrize::best() const {
    for (int t = 0; t < kMaxPrizeTiers; ++t)
        if (tiers[size_t(t)]) return t + 1;
    return 0;
}

int64_t TicketBets(const PrizeTicket& ticket, const Game& game) {
    if (ticket.bankers | ticket.backBankers) [[unlikely]]
        return bankerBets(ticket, game);
    const int64_t backs = ticket.blueCount == 0 ? 1 : binom.c[ticket.blueCount][game.backPicks];
    return binom.c[ticket.redCount][game.frontPicks] * backs;
}

TicketPrize CheckTicket(const PrizeTicket& ticket, const PrizeDraw& draw, const PrizeRules& rules,
                        bool extra) {
    TicketPrize p;
    if (ticket.bankers | ticket.backBankers) [[unlikely]]
        checkBankerTicket(p, ticket, draw, rules, extra);
    else
        checkTicket<false>(p, ticket, draw, rules, extra);
    return p;
}

TierCounts TiersByHits(const PrizeTicket& ticket, const PrizeRules& rules, int frontBankerHits,
                       int frontDragHits, int backBankerHits, int backDragHits) {
    const Game& game = *rules.game;
    TierCounts tiers{};
    if (game.specialPicks) {
        if (ticket.bankers)
            addSpecialTiers<true>(ticket, rules, game.frontPicks, frontBankerHits, frontDragHits, backBankerHits,
                                  backDragHits, 1, tiers);
        else
            addSpecialTiers<false>(ticket, rules, game.frontPicks, 0, frontDragHits, 0, backDragHits, 1, tiers);
        return tiers;
    }
    int64_t w[GameLimits::kMaxBackPicks + 1];
    backWaysOf(ticket, game.backPicks, backBankerHits, backDragHits, w);
    if (ticket.bankers)
        addTiers<true>(ticket, rules, game.frontPicks, frontBankerHits, frontDragHits, w, game.backPicks, 1,
                       tiers);
    else
        addTiers<false>(ticket, rules, game.frontPicks, 0, frontDragHits, w, game.backPicks, 1, tiers);
    return tiers;
}

TicketPrize CheckTicket(const PrizeTicket& ticket, const PrizeDraw& draw) {
    return CheckTicket(ticket, draw, SsqPrizeRules(), false);
}

PrizeResult CheckTickets(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw, const Game& game,
                         bool extra) {
    return CheckTickets(tickets, draw, game, extra, nullptr);
}

PrizeResult CheckTickets(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw, const Game& game,
                         bool extra, const FiguresTable* figures) {
    if (figures && figures->empty()) figures = nullptr;
    PrizeResult r;
    r.draw = draw;
    r.rules = &PrizeRulesFor(game, draw.issue, figures);
    r.extra = extra;
    r.results.reserve(tickets.size());
    PrizeSummary& s = r.summary;
    const PrizeRules& rules = *r.rules;
    if (game.specialPicks)
        checkSpecialList(tickets, draw, rules, extra, r);
    else if (game.backPicks == 1 && rules.tierCount == kSsqTierCount)
        checkList<1, kSsqTierCount>(tickets, draw, rules, extra, r);
    else if (game.backPicks == 1)
        checkList<1, kMaxPrizeTiers>(tickets, draw, rules, extra, r);
    else
        checkList<GameLimits::kMaxBackPicks, kMaxPrizeTiers>(tickets, draw, rules, extra, r);
    s.lines = int64_t(tickets.size());
    s.cost = s.bets * PriceOfBet(game, extra);
    if (figures) {
        // A typed draw without an issue has no figures: its floating tiers stay unknown.
        const DrawFigures* drawn = draw.issue ? figures->find(draw.issue) : nullptr;
        r.withFigures = true;
        s.paid = 0;
        for (TicketPrize& p : r.results) {
            p.paid = PaidPrize(p.tiers, rules, extra, drawn);
            s.paid = p.paid < 0 || s.paid < 0 ? -1 : s.paid + p.paid;
        }
    }
    return r;
}

bool HasSixPlusOneFastPath(const Game& game) {
    return game.frontPool == Pools::kRedPool && game.frontPicks == Pools::kRedPicks &&
           game.backPool == Pools::kBluePool && game.backPicks == 1 && game.specialPicks == 0;
}

HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history) {
    return CheckHistory(tickets, history, Game::ssq(), false, nullptr);
}

namespace {

// The keys of a ticket's draws that fall on a table other than the main one: its masks over the words
// that table's draws fall in.
__attribute__((target_clones("popcnt", "default"))) void countMinorKeys(const uint64_t* masks, size_t words,
                                                                        const DrawColumns::Minor& minor,
                                                                        std::array<uint64_t, 14>& keys) {
    for (int key = 0; key < 14; ++key) {
        uint64_t n = 0;
        for (size_t w = minor.firstWord; w < minor.endWord; ++w)
            n += uint64_t(__builtin_popcountll(masks[size_t(key) * words + w] & minor.mask[w]));
        keys[size_t(key)] = n;
    }
}

// Six of 33 and one of 16: the history by columns, 64 draws a word, every ticket's hits counted by key
// (red hits, blue hit) at once; a draw of another table than the most used one is counted apart by the
// masks of its table.
HistoryResult checkHistorySliced(const std::vector<PrizeTicket>& tickets, const TCodeArr& history,
                                 const Game& game, bool extra, const std::vector<const PrizeRules*>& tableOfDraw,
                                 const PaidPlan& plan) {
    const int picks = game.frontPicks;
    const DrawColumns d = columnsOf(history, tableOfDraw);
    const size_t tableCount = d.tables.size();
    const std::vector<VersionTiers> versionDraws = versionDrawsOf(game, tableOfDraw);
    const bool versions = PrizeVersions(game).size() > 1;
    KeyScratch scratch(d.words);
    HistoryResult r;
    r.draws = int(d.draws);
    r.game = &game;
    r.extra = extra;
    r.results.resize(tickets.size());
    // The best tier of a draw is that of all its red hits in one bet, with the blue if one hits.
    std::vector<std::array<int, 14>> keyBest(tableCount);
    for (size_t j = 0; j < tableCount; ++j)
        for (int key = 0; key < 14; ++key)
            keyBest[j][size_t(key)] = d.tables[j]->tierOf[key / 2][key % 2];
    std::vector<std::array<uint64_t, 14>> tableKeys(tableCount);
    std::vector<std::array<uint64_t, BankerKeys>> minorBankerKeys(d.minors.size());
    std::vector<TierCounts> byTable(tableCount);
    std::vector<size_t> paidAt;
    std::vector<uint16_t> bestKeys(tableCount);
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        HistoryPrize& p = r.results[k];
        uint64_t keys[14];
        for (TierCounts& tiers : byTable)
            tiers = {};
        const uint64_t* masks = scratch.keyMasks.data();
        if (t.bankers) {
            uint64_t bankerKeys[BankerKeys];
            countBankerKeys(t, d, scratch, keys, bankerKeys, minorBankerKeys.data());
            for (size_t j = 0; j < tableCount; ++j)
                for (int key = 0; key < BankerKeys; ++key) {
                    uint64_t n = bankerKeys[key];
                    if (j == 0)
                        for (const auto& minor : minorBankerKeys)
                            n -= minor[size_t(key)];
                    else
                        n = minorBankerKeys[j - 1][size_t(key)];
                    if (!n) continue;
                    int64_t w[GameLimits::kMaxBackPicks + 1];
                    blueWays(t, key % 2, w);
                    addTiersOf<true, 1>(t, *d.tables[j], picks, key / 14, key / 2 % 7, w, int64_t(n), byTable[j]);
                }
        } else {
            countKeys(t, d, scratch, keys);
        }
        // Keys per table: the other tables' draws counted over their words, the rest is the main table's.
        std::copy(std::begin(keys), std::end(keys), tableKeys[0].begin());
        for (size_t j = 1; j < tableCount; ++j) {
            countMinorKeys(masks, d.words, d.minors[j - 1], tableKeys[j]);
            for (int key = 0; key < 14; ++key)
                tableKeys[0][size_t(key)] -= tableKeys[j][size_t(key)];
        }
        if (!t.bankers)
            for (size_t j = 0; j < tableCount; ++j)
                for (int key = 0; key < 14; ++key)
                    if (const uint64_t n = tableKeys[j][size_t(key)]) {
                        int64_t w[GameLimits::kMaxBackPicks + 1];
                        blueWays(t, key % 2, w);
                        addTiersOf<false, 1>(t, *d.tables[j], picks, 0, key / 2, w, int64_t(n), byTable[j]);
                    }
        p.best = kMaxPrizeTiers + 1;
        p.fixedPrize = 0;
        if (versions) p.byVersion = versionDraws;
        for (size_t j = 0; j < tableCount; ++j) {
            const PrizeRules& rules = *d.tables[j];
            for (int key = 0; key < 14; ++key)
                if (tableKeys[j][size_t(key)] && keyBest[j][size_t(key)] && keyBest[j][size_t(key)] < p.best)
                    p.best = keyBest[j][size_t(key)];
            p.fixedPrize += FixedPrize(byTable[j], rules, extra);
            for (int tier = 0; tier < rules.tierCount; ++tier)
                p.tiers[size_t(tier)] += byTable[j][size_t(tier)];
            if (versions)
                for (int tier = 0; tier < rules.tierCount; ++tier)
                    p.byVersion[size_t(rules.version - 1)].tiers[size_t(tier)] += byTable[j][size_t(tier)];
        }
        if (versions)
            std::erase_if(p.byVersion, [](const VersionTiers& vt) { return vt.draws == 0; });
        if (p.best == kMaxPrizeTiers + 1) p.best = 0;
        p.cost = TicketBets(t, game) * PriceOfBet(game, extra) * int64_t(d.draws);
        // The keys that give the best tier, per table, as bits.
        std::fill(bestKeys.begin(), bestKeys.end(), uint16_t(0));
        for (size_t j = 0; p.best && j < tableCount; ++j)
            for (int key = 0; key < 14; ++key)
                if (keyBest[j][size_t(key)] == p.best) bestKeys[j] |= uint16_t(1u << key);
        for (size_t w = 0; p.best && w < d.words; ++w) {
            uint64_t first = 0;
            for (size_t j = 0; j < tableCount; ++j) {
                const uint64_t inTable = j == 0                                         ? d.majorMask[w]
                                         : w >= d.minors[j - 1].firstWord && w < d.minors[j - 1].endWord
                                             ? d.minors[j - 1].mask[w]
                                             : 0;
                if (!inTable) continue;
                uint64_t hit = 0;
                for (unsigned keys = bestKeys[j]; keys; keys &= keys - 1)
                    hit |= masks[size_t(std::countr_zero(keys)) * d.words + w];
                first |= hit & inTable;
            }
            if (first) {
                const size_t at = w * 64 + size_t(std::countr_zero(first));
                p.bestIssue = d.issues[at];
                p.bestVersion = d.tables[d.tableOf[at]]->version;
                break;
            }
        }
        uint64_t floatingDraws = 0;
        for (int key = 2 * plan.floatingFronts; key < 14; ++key)
            floatingDraws += keys[key];
        if (plan.on) {
            // The draws where a bet of the ticket reaches a floating tier.
            paidAt.clear();
            for (size_t w = 0; floatingDraws && w < d.words; ++w) {
                uint64_t reached = 0;
                for (int key = 2 * plan.floatingFronts; key < 14; ++key)
                    reached |= masks[size_t(key) * d.words + w];
                for (; reached; reached &= reached - 1)
                    paidAt.push_back(w * 64 + size_t(std::countr_zero(reached)));
            }
            p.paid = paidOver(t, p.fixedPrize, paidAt, tableOfDraw, plan, extra);
        }
        if (keys[12] + keys[13] == 0) continue;
        for (size_t w = 0; w < d.words; ++w)
            for (uint64_t six = masks[12 * d.words + w] | masks[13 * d.words + w]; six; six &= six - 1)
                p.sixRedIssues.push_back(d.issues[w * 64 + size_t(std::countr_zero(six))]);
    }
    return r;
}

} // namespace

PrizeDraw DrawOf(const TDrawRec& rec, const Game& game) {
    PrizeDraw d;
    d.issue = rec.code();
    for (int i = 0; i < game.frontPicks; ++i)
        d.reds |= uint64_t(1) << rec.Ticket.Red[i];
    for (int b = 0; b < game.backPool; ++b)
        if (rec.Ticket.Blue[b]) {
            d.backs |= uint32_t(1) << (b + 1);
            if (!d.blue) d.blue = b + 1;
        }
    if (game.backPicks > 1) d.blue = 0; // the backs are in backs alone
    if (game.specialPicks) d.special = rec.Ticket.Special;
    return d;
}

namespace {

QString invalidDrawText(const QString& text, const Game& game) {
    if (game.specialPicks)
        return QStringLiteral("开奖号码\"%1\"无效：请输入期号，或%2个%3（01-%4，互不相同）加一个%5（01-%4，"
                              "不同于%3），如 %6")
            .arg(text)
            .arg(game.frontPicks)
            .arg(game.front())
            .arg(game.frontPool)
            .arg(game.special(), game.exampleDrawText());
    if (game.backPicks == 1)
        return QStringLiteral(
                   "开奖号码\"%1\"无效：请输入期号，或六个红球（01-%2，互不相同）加一个蓝球（01-%3）")
            .arg(text)
            .arg(game.frontPool)
            .arg(game.backPool);
    return QStringLiteral("开奖号码\"%1\"无效：请输入期号，或%2个%3号码（01-%4，互不相同）加%5个%6号码（01-%"
                          "7，互不相同）")
        .arg(text)
        .arg(game.frontPicks)
        .arg(game.front())
        .arg(game.frontPool)
        .arg(game.backPicks)
        .arg(game.back())
        .arg(game.backPool);
}

} // namespace

PrizeDraw ParseDraw(const QString& text, const TCodeArr& history, const Game& game) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (history.empty()) throw KelvoraError(QStringLiteral("没有开奖数据，请输入开奖号码"));
        return DrawOf(history.back(), game);
    }
    const QString invalid = invalidDrawText(trimmed, game);
    QStringList parts = trimmed.split(QRegularExpression(QStringLiteral("[\\s,，+]+")), Qt::SkipEmptyParts);
    int issue = 0;
    if (!parts.isEmpty() && parts.first().size() == 7) {
        bool ok = false;
        issue = parts.takeFirst().toInt(&ok);
        if (!ok) throw KelvoraError(invalid);
    }
    const TDrawRec* rec = nullptr;
    if (issue) {
        const auto it = std::find_if(history.begin(), history.end(),
                                     [issue](const TDrawRec& d) { return d.code() == issue; });
        if (it == history.end()) throw KelvoraError(QStringLiteral("历史数据中没有第%1期").arg(issue));
        rec = &*it;
        if (parts.isEmpty()) return DrawOf(*rec, game);
    }
    const int numbers = game.frontPicks + game.sidePicks();
    if (parts.size() != numbers) throw KelvoraError(invalid);
    PrizeDraw d;
    for (int k = 0; k < numbers; ++k) {
        bool ok = false;
        const int v = parts[k].toInt(&ok);
        if (!ok || parts[k].size() > 2) throw KelvoraError(invalid);
        if (k < game.frontPicks) {
            if (v < 1 || v > game.frontPool || (d.reds >> v) & 1u) throw KelvoraError(invalid);
            d.reds |= uint64_t(1) << v;
        } else if (game.specialPicks) {
            if (v < 1 || v > game.frontPool || (d.reds >> v) & 1u) throw KelvoraError(invalid);
            d.special = v;
        } else {
            if (v < 1 || v > game.backPool || (d.backs >> v) & 1u) throw KelvoraError(invalid);
            d.backs |= uint32_t(1) << v;
            if (game.backPicks == 1) d.blue = v;
        }
    }
    if (game.backPicks == 1) d.backs = 0;
    if (rec) {
        const PrizeDraw drawn = DrawOf(*rec, game);
        if (drawn.reds != d.reds || drawn.sideMask() != d.sideMask())
            throw KelvoraError(
                QStringLiteral("第%1期的开奖号码是%2，与输入的号码不符").arg(issue).arg(DrawText(drawn)));
        return drawn;
    }
    return d;
}

bool NamesDraw(const QString& text, const Game& game) {
    static const QString shape =
        QStringLiteral("^\\s*(\\d{7}\\s*|(\\d{7}[\\s,，]+)?(\\d{1,2}[\\s,，+]+){%1}\\d{1,2}\\s*)$");
    const QRegularExpression re(shape.arg(game.frontPicks + game.sidePicks() - 1));
    return re.match(text).hasMatch();
}
