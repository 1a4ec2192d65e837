#include "prize/PrizeCheck.h"

#include "KelvoraError.h"

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

// Tiers of a ticket's bets on a draw where h of its reds hit and the draw's blue is among its blues
// or not: the six-red subsets with r hits times the blues that hit (b = 1) or miss (b = 0).
void addTiers(const PrizeTicket& t, int h, bool blueHit, int64_t times, TierCounts& tiers) {
    const int64_t hitBlues = blueHit ? 1 : 0;
    const int64_t missBlues = t.blueCount == 0 ? 1 : t.blueCount - hitBlues;
    const int n = t.redCount;
    for (int r = 0; r <= h && r <= 6; ++r) {
        const int64_t ways = binom.c[h][r] * binom.c[n - h][6 - r] * times;
        if (ways == 0) continue;
        if (const int tier = PrizeTier(r, true); tier && hitBlues) tiers[tier - 1] += ways * hitBlues;
        if (const int tier = PrizeTier(r, false); tier && missBlues) tiers[tier - 1] += ways * missBlues;
    }
}

bool blueIn(const PrizeTicket& t, int blue) {
    return (t.blues >> blue) & 1u;
}

// Per draw of the history: the red mask and the blue as a bit, side by side for the hot loop.
struct DrawMasks {
    std::vector<uint64_t> reds;
    std::vector<uint32_t> blues;
    std::vector<int> issues;
};

DrawMasks masksOf(const TCodeArr& history) {
    DrawMasks m;
    m.reds.reserve(history.size());
    m.blues.reserve(history.size());
    m.issues.reserve(history.size());
    for (const TDrawRec& rec : history) {
        const PrizeDraw d = DrawOf(rec);
        m.reds.push_back(d.reds);
        m.blues.push_back(uint32_t(1) << d.blue);
        m.issues.push_back(rec.code());
    }
    return m;
}

// Counts the draws per key (red hits * 2 + blue hit). Four histograms side by side keep the
// increments of consecutive draws independent of each other.
__attribute__((target_clones("popcnt", "default"))) void countKeys(uint64_t reds, uint32_t blues,
                                                                   const uint64_t* drawReds,
                                                                   const uint32_t* drawBlues, size_t count,
                                                                   uint32_t (&keys)[14]) {
    uint32_t h[4][16] = {};
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        for (int k = 0; k < 4; ++k) {
            const unsigned key = unsigned(__builtin_popcountll(reds & drawReds[i + k])) * 2u +
                                 ((blues & drawBlues[i + k]) != 0);
            ++h[k][key];
        }
    }
    for (; i < count; ++i)
        ++h[0][unsigned(__builtin_popcountll(reds & drawReds[i])) * 2u + ((blues & drawBlues[i]) != 0)];
    for (int key = 0; key < 14; ++key)
        keys[key] = h[0][key] + h[1][key] + h[2][key] + h[3][key];
}

int keyOf(uint64_t reds, uint32_t blues, uint64_t drawReds, uint32_t drawBlue) {
    return std::popcount(reds & drawReds) * 2 + ((blues & drawBlue) != 0);
}

} // namespace

int TicketPrize::best() const {
    for (int t = 0; t < 6; ++t)
        if (tiers[t]) return t + 1;
    return 0;
}

int64_t TicketBets(const PrizeTicket& ticket) {
    return binom.c[ticket.redCount][6] * std::max(ticket.blueCount, 1);
}

TicketPrize CheckTicket(const PrizeTicket& ticket, const PrizeDraw& draw) {
    TicketPrize p;
    p.bets = TicketBets(ticket);
    p.redHits = std::popcount(ticket.reds & draw.reds);
    p.blueHit = blueIn(ticket, draw.blue);
    addTiers(ticket, p.redHits, p.blueHit, 1, p.tiers);
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
        for (int k = 0; k < 6; ++k)
            s.tiers[k] += p.tiers[k];
        s.fixedPrize += p.prize;
        r.results.push_back(p);
    }
    s.lines = int64_t(tickets.size());
    s.cost = s.bets * BetCost;
    return r;
}

HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history) {
    const DrawMasks m = masksOf(history);
    const size_t count = m.reds.size();
    HistoryResult r;
    r.draws = int(count);
    r.results.resize(tickets.size());
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        HistoryPrize& p = r.results[k];
        uint32_t keys[14];
        countKeys(t.reds, t.blues, m.reds.data(), m.blues.data(), count, keys);
        // The best tier of a draw is that of all its red hits in one bet, with the blue if any hits.
        int keyBest[14];
        p.best = 7;
        for (int key = 0; key < 14; ++key) {
            keyBest[key] = PrizeTier(key / 2, key % 2);
            if (!keys[key]) continue;
            addTiers(t, key / 2, key % 2, keys[key], p.tiers);
            if (keyBest[key] && keyBest[key] < p.best) p.best = keyBest[key];
        }
        if (p.best == 7) p.best = 0;
        p.fixedPrize = FixedPrize(p.tiers);
        p.cost = TicketBets(t) * BetCost * int64_t(count);
        const bool sixReds = keys[12] + keys[13] > 0;
        if (!p.best && !sixReds) continue;
        for (size_t i = 0; i < count; ++i) {
            const int key = keyOf(t.reds, t.blues, m.reds[i], m.blues[i]);
            if (p.best && !p.bestIssue && keyBest[key] == p.best) p.bestIssue = m.issues[i];
            if (key >= 12) p.sixRedIssues.push_back(m.issues[i]);
            if (p.bestIssue && !sixReds) break;
        }
    }
    return r;
}

PrizeDraw DrawOf(const TDrawRec& rec) {
    PrizeDraw d;
    d.issue = rec.code();
    for (uint8_t red : rec.Ticket.Red)
        d.reds |= uint64_t(1) << red;
    for (int b = 0; b < 16; ++b)
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
        if (k < 6) {
            if (v < 1 || v > 33 || (d.reds >> v) & 1u) throw KelvoraError(invalid);
            d.reds |= uint64_t(1) << v;
        } else {
            if (v < 1 || v > 16) throw KelvoraError(invalid);
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
