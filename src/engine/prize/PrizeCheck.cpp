#include "engine/prize/PrizeCheck.h"

#include "engine/core/KelvoraError.h"
#include "engine/core/Pools.h"

#include <QRegularExpression>
#include <algorithm>
#include <bit>

namespace {

struct Binomials {
    int64_t c[34][7] = {};
    Binomials() {
        for (int n = 0; n < 34; ++n) {
            c[n][0] = 1;
            for (int k = 1; k < 7 && k <= n; ++k)
                c[n][k] = c[n - 1][k - 1] + (k < n ? c[n - 1][k] : 0);
        }
    }
};
const Binomials binom;

// Tiers of a ticket's bets on a draw where hb of its bankers and ht of its drags hit and the draw's
// blue is among its blues or not. A bet holds every banker and picks - d of the t drags, so the bets
// with hb + x red hits are C(ht, x) * C(t - ht, picks - d - x), times the blues that hit (b = 1) or
// miss (b = 0). A compound ticket is d = 0.
// Instantiated apart for compound tickets, where d = 0 is a constant and the loop stays as tight as it
// was before bankers.
template <bool Bankers>
[[gnu::always_inline]] inline void addTiers(const PrizeTicket& t, int hb, int ht, bool blueHit, int64_t times,
                                            TierCounts& tiers) {
    const int64_t hitBlues = blueHit ? 1 : 0;
    const int64_t missBlues = t.blueCount == 0 ? 1 : t.blueCount - hitBlues;
    const int d = Bankers ? std::popcount(t.bankers) : 0;
    const int n = t.redCount - d;
    const int k = Pools::kRedPicks - d;
    for (int x = 0; x <= ht && x <= k; ++x) {
        const int64_t ways = binom.c[ht][x] * binom.c[n - ht][k - x] * times;
        if (ways == 0) continue;
        const int r = hb + x;
        if (const int tier = PrizeTier(r, true); tier && hitBlues) tiers[tier - 1] += ways * hitBlues;
        if (const int tier = PrizeTier(r, false); tier && missBlues) tiers[tier - 1] += ways * missBlues;
    }
}

bool blueIn(const PrizeTicket& t, int blue) {
    return (t.blues >> blue) & 1u;
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
};

DrawColumns columnsOf(const TCodeArr& history) {
    DrawColumns c;
    c.draws = history.size();
    c.words = (c.draws + 63) / 64;
    c.reds.assign((Pools::kRedPool + 1) * c.words, 0);
    c.blues.assign((Pools::kBluePool + 1) * c.words, 0);
    c.issues.reserve(c.draws);
    for (size_t i = 0; i < c.draws; ++i) {
        const PrizeDraw d = DrawOf(history[i]);
        const uint64_t bit = uint64_t(1) << (i % 64);
        for (int n = 1; n <= Pools::kRedPool; ++n)
            if ((d.reds >> n) & 1u) c.reds[size_t(n) * c.words + i / 64] |= bit;
        c.blues[size_t(d.blue) * c.words + i / 64] |= bit;
        c.issues.push_back(history[i].code());
    }
    const size_t tail = c.draws % 64;
    c.lastWordMask = tail ? (uint64_t(1) << tail) - 1 : ~uint64_t(0);
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
                                                                         uint64_t (&bankerKeys)[BankerKeys]) {
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
            }
        }
    }
}

// Kept out of line: the compound path, which most lists are made of, stays as small as before.
[[gnu::noinline]] int64_t bankerBets(const PrizeTicket& ticket) {
    const int d = std::popcount(ticket.bankers);
    return binom.c[ticket.redCount - d][Pools::kRedPicks - d] * std::max(ticket.blueCount, 1);
}

[[gnu::noinline]] TicketPrize checkBankerTicket(const PrizeTicket& ticket, const PrizeDraw& draw) {
    TicketPrize p;
    p.bets = bankerBets(ticket);
    p.redHits = std::popcount(ticket.reds & draw.reds);
    p.blueHit = blueIn(ticket, draw.blue);
    const int bankerHits = std::popcount(ticket.bankers & draw.reds);
    addTiers<true>(ticket, bankerHits, p.redHits - bankerHits, p.blueHit, 1, p.tiers);
    p.prize = FixedPrize(p.tiers);
    return p;
}

} // namespace

int TicketPrize::best() const {
    for (int t = 0; t < 6; ++t)
        if (tiers[t]) return t + 1;
    return 0;
}

int64_t TicketBets(const PrizeTicket& ticket) {
    if (ticket.bankers) [[unlikely]]
        return bankerBets(ticket);
    return binom.c[ticket.redCount][Pools::kRedPicks] * std::max(ticket.blueCount, 1);
}

TicketPrize CheckTicket(const PrizeTicket& ticket, const PrizeDraw& draw) {
    if (ticket.bankers) [[unlikely]]
        return checkBankerTicket(ticket, draw);
    TicketPrize p;
    p.bets = TicketBets(ticket);
    p.redHits = std::popcount(ticket.reds & draw.reds);
    p.blueHit = blueIn(ticket, draw.blue);
    addTiers<false>(ticket, 0, p.redHits, p.blueHit, 1, p.tiers);
    p.prize = FixedPrize(p.tiers);
    return p;
}

PrizeResult CheckTickets(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw) {
    PrizeResult r;
    r.draw = draw;
    r.results.reserve(tickets.size());
    PrizeSummary& s = r.summary;
    for (const PrizeTicket& t : tickets) {
        const TicketPrize p = CheckTicket(t, draw);
        s.bets += p.bets;
        for (int k = 0; k < Pools::kRedPicks; ++k)
            s.tiers[k] += p.tiers[k];
        s.fixedPrize += p.prize;
        r.results.push_back(p);
    }
    s.lines = int64_t(tickets.size());
    s.cost = s.bets * BetCost;
    return r;
}

HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history) {
    const DrawColumns d = columnsOf(history);
    KeyScratch scratch(d.words);
    HistoryResult r;
    r.draws = int(d.draws);
    r.results.resize(tickets.size());
    // The best tier of a draw is that of all its red hits in one bet, with the blue if one hits.
    int keyBest[14];
    for (int key = 0; key < 14; ++key)
        keyBest[key] = PrizeTier(key / 2, key % 2);
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        HistoryPrize& p = r.results[k];
        uint64_t keys[14];
        p.best = 7;
        if (t.bankers) {
            uint64_t bankerKeys[BankerKeys];
            countBankerKeys(t, d, scratch, keys, bankerKeys);
            for (int key = 0; key < BankerKeys; ++key)
                if (bankerKeys[key])
                    addTiers<true>(t, key / 14, key / 2 % 7, key % 2, int64_t(bankerKeys[key]), p.tiers);
        } else {
            countKeys(t, d, scratch, keys);
            for (int key = 0; key < 14; ++key)
                if (keys[key]) addTiers<false>(t, 0, key / 2, key % 2, int64_t(keys[key]), p.tiers);
        }
        for (int key = 0; key < 14; ++key)
            if (keys[key] && keyBest[key] && keyBest[key] < p.best) p.best = keyBest[key];
        if (p.best == 7) p.best = 0;
        p.fixedPrize = FixedPrize(p.tiers);
        p.cost = TicketBets(t) * BetCost * int64_t(d.draws);
        const uint64_t* masks = scratch.keyMasks.data();
        for (size_t w = 0; p.best && w < d.words; ++w) {
            uint64_t first = 0;
            for (int key = 0; key < 14; ++key)
                if (keyBest[key] == p.best) first |= masks[size_t(key) * d.words + w];
            if (first) {
                p.bestIssue = d.issues[w * 64 + size_t(std::countr_zero(first))];
                break;
            }
        }
        if (keys[12] + keys[13] == 0) continue;
        for (size_t w = 0; w < d.words; ++w)
            for (uint64_t six = masks[12 * d.words + w] | masks[13 * d.words + w]; six; six &= six - 1)
                p.sixRedIssues.push_back(d.issues[w * 64 + size_t(std::countr_zero(six))]);
    }
    return r;
}

PrizeDraw DrawOf(const TDrawRec& rec) {
    PrizeDraw d;
    d.issue = rec.code();
    for (uint8_t red : rec.Ticket.Red)
        d.reds |= uint64_t(1) << red;
    for (int b = 0; b < Pools::kBluePool; ++b)
        if (rec.Ticket.Blue[b]) d.blue = b + 1;
    return d;
}

PrizeDraw ParseDraw(const QString& text, const TCodeArr& history) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (history.empty()) throw KelvoraError(QStringLiteral("没有开奖数据，请输入开奖号码"));
        return DrawOf(history.back());
    }
    const QString invalid =
        QStringLiteral("开奖号码\"%1\"无效：请输入期号，或六个红球（01-33，互不相同）加一个蓝球（01-16）")
            .arg(trimmed);
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
        if (parts.isEmpty()) return DrawOf(*rec);
    }
    if (parts.size() != 7) throw KelvoraError(invalid);
    PrizeDraw d;
    for (int k = 0; k < 7; ++k) {
        bool ok = false;
        const int v = parts[k].toInt(&ok);
        if (!ok || parts[k].size() > 2) throw KelvoraError(invalid);
        if (k < Pools::kRedPicks) {
            if (v < 1 || v > Pools::kRedPool || (d.reds >> v) & 1u) throw KelvoraError(invalid);
            d.reds |= uint64_t(1) << v;
        } else {
            if (v < 1 || v > Pools::kBluePool) throw KelvoraError(invalid);
            d.blue = v;
        }
    }
    if (rec) {
        const PrizeDraw drawn = DrawOf(*rec);
        if (drawn.reds != d.reds || drawn.blue != d.blue)
            throw KelvoraError(
                QStringLiteral("第%1期的开奖号码是%2，与输入的号码不符").arg(issue).arg(DrawText(drawn)));
        return drawn;
    }
    return d;
}

bool NamesDraw(const QString& text) {
    static const QRegularExpression shape(
        QStringLiteral("^\\s*(\\d{7}\\s*|(\\d{7}[\\s,，]+)?(\\d{1,2}[\\s,，+]+){6}\\d{1,2}\\s*)$"));
    return shape.match(text).hasMatch();
}
