#include "ChartHistory.h"
#include "engine/core/KelvoraError.h"
#include "engine/prize/DrawFigures.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/PrizeReport.h"
#include "engine/prize/TicketReader.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QTest>
#include <bit>
#include <set>

namespace {

uint64_t redMask(std::initializer_list<int> reds) {
    uint64_t m = 0;
    for (int r : reds)
        m |= uint64_t(1) << r;
    return m;
}

PrizeTicket ticketOf(uint64_t reds, uint32_t blues) {
    return {1, reds, blues, std::popcount(reds), std::popcount(blues)};
}

// Expands a compound ticket into its single bets and prices each.
TierCounts bruteForce(const PrizeTicket& t, const PrizeDraw& d, int64_t& bets) {
    TierCounts tiers{};
    bets = 0;
    std::vector<int> reds;
    for (int n = 1; n <= 33; ++n)
        if ((t.reds >> n) & 1u) reds.push_back(n);
    const int n = int(reds.size());
    for (uint32_t subset = 0; subset < (1u << n); ++subset) {
        if (std::popcount(subset) != 6) continue;
        int hits = 0;
        for (int k = 0; k < n; ++k)
            if ((subset >> k) & 1u) hits += int((d.reds >> reds[size_t(k)]) & 1u);
        const int blueBets = t.blueCount ? t.blueCount : 1;
        for (int b = 0; b < blueBets; ++b) {
            ++bets;
            const bool blueHit = t.blueCount && b == 0 && ((t.blues >> d.blue) & 1u);
            if (const int tier = PrizeTier(hits, blueHit)) ++tiers[size_t(tier - 1)];
        }
    }
    return tiers;
}

// A 胆拖 ticket as its single bets: every six reds holding all bankers, times every blue (or none).
std::vector<PrizeTicket> expand(const PrizeTicket& t) {
    std::vector<int> drags;
    for (int n = 1; n <= 33; ++n)
        if (((t.reds & ~t.bankers) >> n) & 1u) drags.push_back(n);
    const int d = std::popcount(t.bankers);
    std::vector<PrizeTicket> singles;
    for (uint32_t subset = 0; subset < (1u << drags.size()); ++subset) {
        if (std::popcount(subset) != 6 - d) continue;
        uint64_t reds = t.bankers;
        for (size_t k = 0; k < drags.size(); ++k)
            if ((subset >> k) & 1u) reds |= uint64_t(1) << drags[k];
        if (!t.blues) singles.push_back(ticketOf(reds, 0));
        for (int b = 1; b <= 16; ++b)
            if ((t.blues >> b) & 1u) singles.push_back(ticketOf(reds, uint32_t(1) << b));
    }
    return singles;
}

// d bankers and t drags, some of them taken from the draw so that every hit count comes up.
PrizeTicket randomBankerTicket(QRandomGenerator& rng, const PrizeDraw& draw, int d, int t, int blues) {
    std::vector<int> drawn;
    for (int n = 1; n <= 33; ++n)
        if ((draw.reds >> n) & 1u) drawn.push_back(n);
    PrizeTicket ticket;
    auto pick = [&](uint64_t& mask, int count) {
        while (std::popcount(mask) < count) {
            const int n = rng.bounded(2) ? drawn[rng.bounded(6)] : int(rng.bounded(1, 34));
            if (!((ticket.reds >> n) & 1u)) {
                mask |= uint64_t(1) << n;
                ticket.reds |= uint64_t(1) << n;
            }
        }
    };
    pick(ticket.bankers, d);
    uint64_t drags = 0;
    pick(drags, t);
    while (std::popcount(ticket.blues) < blues)
        ticket.blues |= uint32_t(1) << (rng.bounded(2) ? draw.blue : int(rng.bounded(1, 17)));
    ticket.redCount = d + t;
    ticket.blueCount = blues;
    return ticket;
}

PrizeTicket randomTicket(QRandomGenerator& rng, int reds, int blues) {
    PrizeTicket t;
    while (std::popcount(t.reds) < reds)
        t.reds |= uint64_t(1) << rng.bounded(1, 34);
    while (std::popcount(t.blues) < blues)
        t.blues |= uint32_t(1) << rng.bounded(1, 17);
    t.redCount = reds;
    t.blueCount = blues;
    return t;
}

// Numbers of a mask, ascending.
std::vector<int> numbersOf(uint64_t mask) {
    std::vector<int> n;
    for (int k = 1; k < 64; ++k)
        if ((mask >> k) & 1u) n.push_back(k);
    return n;
}

// Every way to fill picks places from a pool mask that holds all of must.
std::vector<uint64_t> subsets(uint64_t all, uint64_t must, int picks) {
    const std::vector<int> free = numbersOf(all & ~must);
    const int need = picks - std::popcount(must);
    std::vector<uint64_t> out;
    for (uint32_t s = 0; s < (1u << free.size()); ++s) {
        if (std::popcount(s) != need) continue;
        uint64_t m = must;
        for (size_t k = 0; k < free.size(); ++k)
            if ((s >> k) & 1u) m |= uint64_t(1) << free[k];
        out.push_back(m);
    }
    return out;
}

// Any game's ticket as its single bets, each priced on its own: the second figure of a match is the
// back hits, or 1 when the bet holds the draw's special number.
TierCounts expandAndPrice(const PrizeTicket& t, const PrizeDraw& d, const PrizeRules& rules, bool extra,
                          int64_t& bets, int64_t& prize) {
    const Game& g = *rules.game;
    TierCounts tiers{};
    bets = 0;
    prize = 0;
    for (uint64_t fronts : subsets(t.reds, t.bankers, g.frontPicks))
        for (uint64_t backs : subsets(t.blues, t.backBankers, g.backPicks)) {
            ++bets;
            const int side = std::popcount(uint32_t(backs) & d.backMask()) + std::popcount(fronts & d.specialMask());
            const int tier = rules.tierOf[std::popcount(fronts & d.reds)][side];
            if (tier) ++tiers[size_t(tier - 1)];
            prize += rules.betPrize(tier, extra);
        }
    return tiers;
}

// A ticket of the game with the given shape, half of its numbers taken from the draw.
PrizeTicket shapedTicket(QRandomGenerator& rng, const Game& g, const PrizeDraw& draw, int fronts, int bankers,
                         int backs, int backBankers) {
    PrizeTicket t;
    const std::vector<int> drawnFronts = numbersOf(draw.reds | draw.specialMask());
    const std::vector<int> drawnBacks = numbersOf(draw.backMask());
    auto fill = [&](uint64_t& into, uint64_t& taken, int count, int pool, const std::vector<int>& drawn) {
        while (std::popcount(into) < count) {
            const int n =
                rng.bounded(2) ? drawn[rng.bounded(int(drawn.size()))] : int(rng.bounded(1, pool + 1));
            if ((taken >> n) & 1u) continue;
            into |= uint64_t(1) << n;
            taken |= uint64_t(1) << n;
        }
    };
    uint64_t reds = 0, frontBankers = 0, frontDrags = 0, blues = 0, backBanker = 0, backDrags = 0;
    fill(frontBankers, reds, bankers, g.frontPool, drawnFronts);
    fill(frontDrags, reds, fronts - bankers, g.frontPool, drawnFronts);
    fill(backBanker, blues, backBankers, g.backPool, drawnBacks);
    fill(backDrags, blues, backs - backBankers, g.backPool, drawnBacks);
    t.reds = reds;
    t.bankers = frontBankers;
    t.blues = uint32_t(blues);
    t.backBankers = uint32_t(backBanker);
    t.redCount = fronts;
    t.blueCount = backs;
    return t;
}

// A single bet of the game with exactly f of the draw's fronts and y of its backs (or, y = 1, its special
// number); the other numbers are not drawn.
PrizeTicket patternTicket(const Game& g, const PrizeDraw& draw, int f, int y) {
    PrizeTicket t;
    const std::vector<int> fronts = numbersOf(draw.reds);
    for (int k = 0; k < f; ++k)
        t.reds |= uint64_t(1) << fronts[size_t(k)];
    if (g.specialPicks && y) t.reds |= draw.specialMask();
    for (int n = 1; std::popcount(t.reds) < g.frontPicks; ++n)
        if (!(((draw.reds | draw.specialMask()) >> n) & 1u)) t.reds |= uint64_t(1) << n;
    const std::vector<int> backs = numbersOf(draw.backMask());
    for (int k = 0; k < y && !g.specialPicks; ++k)
        t.blues |= uint32_t(1) << backs[size_t(k)];
    for (int n = 1; std::popcount(t.blues) < g.backPicks; ++n)
        if (!((draw.backMask() >> n) & 1u)) t.blues |= uint32_t(1) << n;
    t.redCount = g.frontPicks;
    t.blueCount = g.backPicks;
    return t;
}

} // namespace

namespace {

// The frozen published figures of a game, read once and checked against its sample history.
const FiguresTable& PublishedFiguresOf(const Game& game) {
    static std::map<QString, FiguresTable> tables;
    auto it = tables.find(game.keyText());
    if (it == tables.end()) {
        const FiguresLoad load = LoadFigures(FiguresFixturePathOf(game), game, &SampleHistoryOf(game));
        if (load.status != FiguresLoad::Ok) qFatal("figures fixture refused: %s", qPrintable(load.message));
        it = tables.emplace(game.keyText(), load.table).first;
    }
    return it->second;
}

} // namespace

class TestPrize : public QObject {
    Q_OBJECT
  private slots:
    void tierTable_data();
    void tierTable();
    void compoundMatchesExpansion();
    void historyMatchesDrawByDraw();
    void bankerMatchesExpansion();
    void bankerHistoryMatchesExpansion();
    void bankerRefusals_data();
    void bankerRefusals();
    void reader_data();
    void reader();
    void draw_data();
    void draw();
    void namesDraw();
    void dltVersions_data();
    void dltVersions();
    void ticketsMatchExpansion_data();
    void ticketsMatchExpansion();
    void gameHistoryMatchesDrawByDraw_data();
    void gameHistoryMatchesDrawByDraw();
    void gameLines_data();
    void gameLines();
    void qlcDraws_data();
    void qlcDraws();
    void publishedAmounts_data();
    void publishedAmounts();
    void paidAsPublished();
};

void TestPrize::tierTable_data() {
    QTest::addColumn<int>("redHits");
    QTest::addColumn<bool>("blueHit");
    QTest::addColumn<int>("tier");
    QTest::addColumn<int>("prize");
    const int tiers[7][2] = {{0, 6}, {0, 6}, {0, 6}, {0, 5}, {5, 4}, {4, 3}, {2, 1}};
    const int prizes[7] = {0, 0, 0, 3000, 200, 10, 5};
    for (int r = 0; r <= 6; ++r)
        for (int b = 0; b <= 1; ++b)
            QTest::addRow("%d+%d", r, b) << r << bool(b) << tiers[r][b] << prizes[tiers[r][b]];
}

// Through the whole check: a single bet with exactly r red hits and the blue hit or not.
void TestPrize::tierTable() {
    QFETCH(int, redHits);
    QFETCH(bool, blueHit);
    QFETCH(int, tier);
    QFETCH(int, prize);
    const PrizeDraw draw{0, redMask({3, 8, 12, 19, 25, 33}), 9};
    const int misses[6] = {1, 2, 4, 5, 6, 7};
    const int hits[6] = {3, 8, 12, 19, 25, 33};
    uint64_t reds = 0;
    for (int k = 0; k < 6; ++k)
        reds |= uint64_t(1) << (k < redHits ? hits[k] : misses[k]);
    const TicketPrize p = CheckTicket(ticketOf(reds, uint32_t(1) << (blueHit ? 9 : 10)), draw);
    QCOMPARE(PrizeTier(redHits, blueHit), tier);
    QCOMPARE(p.redHits, redHits);
    QCOMPARE(p.blueHit, blueHit);
    QCOMPARE(p.bets, 1);
    QCOMPARE(p.best(), tier);
    QCOMPARE(p.prize, prize);
    QCOMPARE(std::accumulate(p.tiers.begin(), p.tiers.end(), int64_t(0)), tier ? 1 : 0);
}

void TestPrize::compoundMatchesExpansion() {
    QRandomGenerator rng(12);
    for (int round = 0; round < 400; ++round) {
        const int reds = 6 + round % 7;    // 6..12
        const int blues = (round / 7) % 4; // 0..3
        const PrizeTicket t = randomTicket(rng, reds, blues);
        // The draw takes up to six of the ticket's reds, so every hit count comes up.
        PrizeDraw d{0, 0, int(rng.bounded(1, 17))};
        for (int n = 1, taken = 0; n <= 33 && taken < round % 7; ++n)
            if ((t.reds >> n) & 1u) {
                d.reds |= uint64_t(1) << n;
                ++taken;
            }
        while (std::popcount(d.reds) < 6)
            d.reds |= uint64_t(1) << rng.bounded(1, 34);
        const TicketPrize p = CheckTicket(t, d);
        int64_t bets = 0;
        QCOMPARE(p.tiers, bruteForce(t, d, bets));
        QCOMPARE(p.bets, bets);
    }
    // The biggest ticket is still one line of arithmetic: C(20,6) * 16 bets.
    const TicketList big =
        ReadTickets(u"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 03 04 "
                    u"05 06 07 08 09 10 11 12 13 14 15 16",
                    0, Game::ssq());
    QCOMPARE(big.tickets.size(), size_t(1));
    const TicketPrize p = CheckTicket(big.tickets.front(), {0, redMask({1, 2, 3, 4, 5, 6}), 7});
    QCOMPARE(p.bets, int64_t(38760) * 16);
    QCOMPARE(p.tiers[0], 1);  // the drawn six with the drawn blue
    QCOMPARE(p.tiers[1], 15); // ... with each other blue
}

// The bit-sliced history check against CheckTicket draw by draw, on the whole sample (its draw count is
// not a multiple of 64), with tickets that were drawn, contain a drawn six, or carry no blue.
void TestPrize::historyMatchesDrawByDraw() {
    const TCodeArr& h = SampleHistory();
    QRandomGenerator rng(7);
    std::vector<PrizeTicket> tickets;
    const PrizeDraw drawn = DrawOf(h[1000], Game::ssq());
    tickets.push_back(ticketOf(drawn.reds, uint32_t(1) << drawn.blue));
    tickets.push_back(ticketOf(DrawOf(h.back(), Game::ssq()).reds | redMask({2, 3, 5, 7, 11}) |
                                   DrawOf(h.back(), Game::ssq()).reds,
                               0));
    for (int k = 0; k < 30; ++k)
        tickets.push_back(randomTicket(rng, 6 + k % 5, k % 3));
    const HistoryResult r = CheckHistory(tickets, h);
    QCOMPARE(r.draws, int(h.size()));
    for (size_t k = 0; k < tickets.size(); ++k) {
        TierCounts tiers{};
        int best = 0;
        int bestIssue = 0;
        std::vector<int> six;
        int64_t prize = 0;
        for (const TDrawRec& rec : h) {
            // Each draw with the table of its issue: the 福运奖 is paid on part of version 2 only.
            const TicketPrize p =
                CheckTicket(tickets[k], DrawOf(rec, Game::ssq()), PrizeRulesFor(Game::ssq(), rec.code()));
            for (int t = 0; t < kMaxPrizeTiers; ++t)
                tiers[size_t(t)] += p.tiers[size_t(t)];
            prize += p.prize;
            if (p.best() && (!best || p.best() < best)) {
                best = p.best();
                bestIssue = rec.code();
            }
            if (p.redHits == 6) six.push_back(rec.code());
        }
        const HistoryPrize& got = r.results[k];
        QCOMPARE(got.tiers, tiers);
        QCOMPARE(got.best, best);
        QCOMPARE(got.bestIssue, bestIssue);
        QCOMPARE(got.sixRedIssues, six);
        QCOMPARE(got.fixedPrize, prize);
        QCOMPARE(got.cost, TicketBets(tickets[k], Game::ssq()) * 2 * int64_t(h.size()));
    }
    QVERIFY(!r.results[0].sixRedIssues.empty());
    QCOMPARE(r.results[0].best, 1);
    QVERIFY(!r.results[1].sixRedIssues.empty());
}

// Each 胆拖 ticket against many real draws, counted against its single bets priced one by one.
void TestPrize::bankerMatchesExpansion() {
    const TCodeArr& h = SampleHistory();
    QRandomGenerator rng(31);
    for (int round = 0; round < 600; ++round) {
        const PrizeDraw draw = DrawOf(h[size_t(round) * 5 % h.size()], Game::ssq());
        const int d = 1 + round % 5;
        const int t = std::max(7 - d, 2 + round % 9) + (d == 5 ? round % 7 : 0);
        const PrizeTicket ticket = randomBankerTicket(rng, draw, d, t, (round / 5) % 4);
        TierCounts tiers{};
        const std::vector<PrizeTicket> singles = expand(ticket);
        for (const PrizeTicket& single : singles) {
            const int hits = std::popcount(single.reds & draw.reds);
            if (const int tier = PrizeTier(hits, (single.blues >> draw.blue) & 1u)) ++tiers[size_t(tier - 1)];
        }
        const TicketPrize p = CheckTicket(ticket, draw);
        QCOMPARE(p.tiers, tiers);
        QCOMPARE(p.bets, int64_t(singles.size()));
        QCOMPARE(p.prize, FixedPrize(tiers));
    }
}

// The bit-sliced history check of 胆拖 tickets against their single bets over the whole sample: tiers,
// best tier with its first issue, and the issues whose six reds one bet holds.
void TestPrize::bankerHistoryMatchesExpansion() {
    const TCodeArr& h = SampleHistory();
    QRandomGenerator rng(5);
    std::vector<PrizeTicket> tickets;
    // Bankers and drags around a real draw, so one bet of it was drawn.
    const PrizeDraw drawn = DrawOf(h[2000], Game::ssq());
    PrizeTicket hit;
    for (int n = 1, taken = 0; n <= 33; ++n)
        if ((drawn.reds >> n) & 1u) hit.bankers |= taken++ < 2 ? uint64_t(1) << n : 0;
    hit.reds = drawn.reds | (~drawn.reds & redMask({1, 2, 3, 4, 5, 6, 7, 8}));
    hit.redCount = std::popcount(hit.reds);
    hit.blues = uint32_t(1) << drawn.blue;
    hit.blueCount = 1;
    tickets.push_back(hit);
    for (int k = 0; k < 12; ++k)
        tickets.push_back(randomBankerTicket(rng, DrawOf(h[size_t(k) * 250], Game::ssq()), 1 + k % 5,
                                             7 - (1 + k % 5) + k % 4, k % 3));
    const HistoryResult r = CheckHistory(tickets, h);
    for (size_t k = 0; k < tickets.size(); ++k) {
        const std::vector<PrizeTicket> singles = expand(tickets[k]);
        const HistoryResult each = CheckHistory(singles, h);
        TierCounts tiers{};
        int best = 0;
        int bestIssue = 0;
        std::vector<int> six;
        for (const HistoryPrize& p : each.results) {
            for (int t = 0; t < kMaxPrizeTiers; ++t)
                tiers[size_t(t)] += p.tiers[size_t(t)];
            if (p.best && (!best || p.best < best || (p.best == best && p.bestIssue < bestIssue))) {
                best = p.best;
                bestIssue = p.bestIssue;
            }
            six.insert(six.end(), p.sixRedIssues.begin(), p.sixRedIssues.end());
        }
        std::sort(six.begin(), six.end());
        six.erase(std::unique(six.begin(), six.end()), six.end());
        const HistoryPrize& got = r.results[k];
        QCOMPARE(got.tiers, tiers);
        QCOMPARE(got.best, best);
        QCOMPARE(got.bestIssue, bestIssue);
        QCOMPARE(got.sixRedIssues, six);
        QCOMPARE(got.cost, int64_t(singles.size()) * 2 * int64_t(h.size()));
    }
    QVERIFY(!r.results[0].sixRedIssues.empty());
    QCOMPARE(r.results[0].best, 1);
}

void TestPrize::bankerRefusals_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("banker among the drags") << "01 02#02 03 04 05 06+01"
                                            << "第1行不是有效的投注号码：胆码02也在拖码中";
    QTest::newRow("too few drags") << "01 02#03 04 05 06+01"
                                   << "第1行不是有效的投注号码：胆码和拖码共6个，至少要7个";
    QTest::newRow("six bankers") << "01 02 03 04 05 06#07 08+01"
                                 << "第1行不是有效的投注号码：胆码6个，最多5个";
    QTest::newRow("no banker") << "#01 02 03 04 05 06 07+01"
                               << "第1行不是有效的投注号码：\"#\"前没有胆码";
    QTest::newRow("banker out of range") << "34#01 02 03 04 05 06"
                                         << "第1行不是有效的投注号码：胆码34超出范围（01-33）";
    QTest::newRow("drag out of range") << "01#00 02 03 04 05 06"
                                       << "第1行不是有效的投注号码：拖码00超出范围（01-33）";
    QTest::newRow("drag twice") << "01#02 03 04 05 06 02"
                                << "第1行不是有效的投注号码：拖码02重复";
    QTest::newRow("blue out of range") << "01#02 03 04 05 06 07+17"
                                       << "第1行不是有效的投注号码：蓝球号码17超出范围（01-16）";
    QTest::newRow("two marks") << "01#02#03 04 05 06 07"
                               << "第1行不是有效的投注号码：含有无法识别的内容";
    QTest::newRow("mark among the blues") << "01 02 03 04 05 06 07+01#02"
                                          << "第1行不是有效的投注号码：含有无法识别的内容";
    // Plain lines are told what is wrong too.
    QTest::newRow("five reds") << "01 02 03 04 05+06" << "第1行不是有效的投注号码：红球号码5个，应为6-20个";
    QTest::newRow("red twice") << "01 02 03 04 05 05+06" << "第1行不是有效的投注号码：红球号码05重复";
    QTest::newRow("red 34") << "01 02 03 04 05 34 07" << "第1行不是有效的投注号码：红球号码34超出范围（01-33）";
    QTest::newRow("blue 17") << "01 02 03 04 05 06 17" << "第1行不是有效的投注号码：蓝球号码17超出范围（01-16）";
    QTest::newRow("nothing after the plus") << "01 02 03 04 05 06+" << "第1行不是有效的投注号码：\"+\"后没有蓝球号码";
    QTest::newRow("a word") << "01 02 03 04 05 06+七" << "第1行不是有效的投注号码：含有无法识别的内容";
}

void TestPrize::bankerRefusals() {
    QFETCH(QString, line);
    QFETCH(QString, message);
    const TicketList list =
        ReadTickets(QStringLiteral("01 02#03 04 05 06 07 08+09\n") + line, 0, Game::ssq());
    QCOMPARE(list.tickets.size(), size_t(1));
    QCOMPARE(BadLinesMessage(list), message.replace(QStringLiteral("第1行"), QStringLiteral("第2行")));
}

void TestPrize::reader_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("blue");        // --blue
    QTest::addColumn<QStringList>("tickets"); // "line:ticket"
    QTest::addColumn<QList<int>>("bad");
    QTest::newRow("empty") << ""
                           << "" << QStringList{} << QList<int>{};
    QTest::newRow("shrink result as saved")
        << "缩水结果总共2注\r\n\r\n01 02 03 04 05 06\r\n01 02 03 04 05 07\r\n"
        << "" << QStringList{"3:01 02 03 04 05 06", "4:01 02 03 04 05 07"} << QList<int>{};
    QTest::newRow("skipped headers")
        << "超过10万注，只显示前10万注\n单注预测(100注):\n复式预测(第1组):9+3个号\n  \t\n"
        << "" << QStringList{} << QList<int>{};
    QTest::newRow("issue code, seven numbers") << "2026096 01 04 16 22 26 31 04"
                                               << "" << QStringList{"1:01 04 16 22 26 31+04"} << QList<int>{};
    QTest::newRow("plus, commas, tabs, any order")
        << "33,1\t5 4 3 2+16,1"
        << "" << QStringList{"1:01 02 03 04 05 33+01 16"} << QList<int>{};
    QTest::newRow("eight numbers are reds") << "1 2 3 4 5 6 7 8"
                                            << "" << QStringList{"1:01 02 03 04 05 06 07 08"} << QList<int>{};
    QTest::newRow("prediction compound")
        << "32 26 29 21 20 30 18 22 23+2 14 8"
        << "" << QStringList{"1:18 20 21 22 23 26 29 30 32+02 08 14"} << QList<int>{};
    QTest::newRow("default blues only where none")
        << "01 02 03 04 05 06\n01 02 03 04 05 06+07"
        << "3,9" << QStringList{"1:01 02 03 04 05 06+03 09", "2:01 02 03 04 05 06+07"} << QList<int>{};
    QTest::newRow("CR, LF and CR LF all end a line")
        << "1 2 3 4 5 6\r7 8 9 10 11 12\r\n13 14 15 16 17 18\n\r19 20 21 22 23 24"
        << ""
        << QStringList{"1:01 02 03 04 05 06", "2:07 08 09 10 11 12", "3:13 14 15 16 17 18",
                       "5:19 20 21 22 23 24"}
        << QList<int>{};
    QTest::newRow("twenty reds, sixteen blues")
        << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20+1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"
        << ""
        << QStringList{"1:01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 03 04 05 06 07 "
                       "08 09 10 11 12 13 14 15 16"}
        << QList<int>{};
    QTest::newRow("胆拖: bankers kept apart, default blues, full-width mark")
        << "2026096 08 01#33 02 03 04 05\n03#04 05 06 07 08 09+16 01\n01 02 03 04 05＃06 07"
        << "5"
        << QStringList{"1:01 08#02 03 04 05 33+05", "2:03#04 05 06 07 08 09+01 16",
                       "3:01 02 03 04 05#06 07+05"}
        << QList<int>{};
    QTest::newRow("every bad line, good ones kept")
        << "1 2 3 4 5\n1 2 3 4 5 6\n1 2 3 4 5 5\n1 2 3 4 5 34\n1 2 3 4 5 6+17\n1 2 3 4 5 6+0\n1 2 3 4 5 6 "
           "7+1+2\n1 2 3 4 5 6+\n1 2 3 4 5 x6\n001 2 3 4 5 6\n1 2 3 4 5 6 17\n"
           "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21\n1 2 3 4 5 6+1 1\n2026096\n1 2 3 4 5 6 "
           "2026096"
        << "" << QStringList{"2:01 02 03 04 05 06"}
        << QList<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
}

void TestPrize::reader() {
    QFETCH(QString, text);
    QFETCH(QString, blue);
    QFETCH(QStringList, tickets);
    QFETCH(QList<int>, bad);
    const TicketList list = ReadTickets(text, ReadBlueList(blue, Game::ssq()), Game::ssq());
    QStringList got;
    for (const PrizeTicket& t : list.tickets)
        got << QStringLiteral("%1:%2").arg(t.line).arg(TicketText(t));
    QCOMPARE(got, tickets);
    QCOMPARE(QList<int>(list.badLines.begin(), list.badLines.end()), bad);
    if (!bad.isEmpty())
        QCOMPARE(BadLinesMessage(list.badLines).split(QLatin1Char('\n')).first(),
                 QStringLiteral("第%1行不是有效的投注号码").arg(bad.first()));
}

void TestPrize::draw_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // DrawCaption or the start of the message
    QTest::newRow("newest by default") << ""
                                       << "2026096:01 04 16 22 26 31+04";
    QTest::newRow("issue code") << "2003001"
                                << "2003001:10 11 12 13 26 28+11";
    QTest::newRow("typed with plus") << "01 04 16 22 26 31+04"
                                     << "0:01 04 16 22 26 31+04";
    QTest::newRow("typed, commas") << "3,8,12,19,25,33,9"
                                   << "0:03 08 12 19 25 33+09";
    QTest::newRow("as the drop-down shows it") << "2026096  01 04 16 22 26 31+04"
                                               << "2026096:01 04 16 22 26 31+04";
    QTest::newRow("not in the history") << "2026097"
                                        << "!历史数据中没有第2026097期";
    QTest::newRow("issue and other numbers") << "2026096 01 02 03 04 05 06+07"
                                             << "!第2026096期的开奖号码是";
    QTest::newRow("six numbers") << "01 04 16 22 26 31"
                                 << "!开奖号码\"";
    QTest::newRow("blue too big") << "01 04 16 22 26 31 17"
                                  << "!开奖号码\"";
    QTest::newRow("twice a red") << "01 04 16 22 26 26 07"
                                 << "!开奖号码\"";
    QTest::newRow("three characters") << "05 "
                                      << "!开奖号码\"";
}

void TestPrize::draw() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    try {
        const PrizeDraw d = ParseDraw(text, SampleHistory(), Game::ssq());
        QCOMPARE(QStringLiteral("%1:%2").arg(d.issue).arg(DrawText(d)), expected);
    } catch (const KelvoraError& e) {
        QVERIFY2(expected.startsWith(QLatin1Char('!')) && e.message().startsWith(expected.mid(1)),
                 qPrintable(e.message()));
    }
}

// What the shrink result's 结果兑奖 takes for a draw rather than a text to search.
void TestPrize::namesDraw() {
    for (const char* yes : {"2026096", " 2026096 ", "01 04 16 22 26 31+04", "1,4,16,22,26,31,4",
                            "2026096 01 04 16 22 26 31 04", "01 04 16 22 26 31 + 04"})
        QVERIFY2(NamesDraw(QString::fromUtf8(yes), Game::ssq()), yes);
    for (const char* no : {"05 ", "05", "01 02 03 04 05 06", "202609", "01 04 16 22 26 31+04 05", "号码"})
        QVERIFY2(!NamesDraw(QString::fromUtf8(no), Game::ssq()), no);
}

// Every super-lotto rule version on every match pattern, by issue, at the boundaries of the versions.
// Patterns in the order 5+2 5+1 5+0 4+2 4+1 4+0 3+2 3+1 3+0 2+2 2+1 2+0 1+2 1+1 1+0 0+2 0+1 0+0.
void TestPrize::dltVersions_data() {
    QTest::addColumn<int>("issue");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("extra");
    QTest::addColumn<QString>("tiers");
    QTest::addColumn<QString>("prizes");
    const QString v12 = QStringLiteral("1 2 3 4 5 6 6 7 8 7 8 0 8 0 0 8 0 0");
    const QString v3 = QStringLiteral("1 2 3 3 4 5 4 5 6 5 6 0 6 0 0 6 0 0");
    const QString v4 = QStringLiteral("1 2 3 4 5 7 6 8 9 8 9 0 9 0 0 9 0 0");
    const QString v5 = QStringLiteral("1 2 3 3 4 5 5 6 7 6 7 0 7 0 0 7 0 0");
    QTest::newRow("v1 first issue") << 2007001 << 1 << false << v12
                                    << "0 0 0 3000 500 200 200 10 5 10 5 0 5 0 0 5 0 0";
    QTest::newRow("v1 last issue, 追加 on floating tiers only")
        << 2010014 << 1 << true << v12 << "0 0 0 3000 500 200 200 10 5 10 5 0 5 0 0 5 0 0";
    QTest::newRow("v2 first issue") << 2010015 << 2 << false << v12
                                    << "0 0 0 3000 600 100 100 10 5 10 5 0 5 0 0 5 0 0";
    QTest::newRow("v2 追加") << 2014051 << 2 << true << v12
                             << "0 0 0 4500 900 150 150 15 5 15 5 0 5 0 0 5 0 0";
    QTest::newRow("v3") << 2014052 << 3 << false << v3 << "0 0 0 0 200 10 200 10 5 10 5 0 5 0 0 5 0 0";
    QTest::newRow("v3 追加") << 2019018 << 3 << true << v3 << "0 0 0 0 300 15 300 15 5 15 5 0 5 0 0 5 0 0";
    QTest::newRow("v4") << 2019019 << 4 << true << v4 << "0 0 10000 3000 300 100 200 15 5 15 5 0 5 0 0 5 0 0";
    QTest::newRow("v4 last issue") << 2026013 << 4 << false << v4
                                   << "0 0 10000 3000 300 100 200 15 5 15 5 0 5 0 0 5 0 0";
    QTest::newRow("v5 first issue") << 2026014 << 5 << true << v5
                                    << "0 0 5000 5000 300 150 150 15 5 15 5 0 5 0 0 5 0 0";
    QTest::newRow("typed draw: the newest")
        << 0 << 5 << false << v5 << "0 0 5000 5000 300 150 150 15 5 15 5 0 5 0 0 5 0 0";
}

void TestPrize::dltVersions() {
    QFETCH(int, issue);
    QFETCH(int, version);
    QFETCH(bool, extra);
    QFETCH(QString, tiers);
    QFETCH(QString, prizes);
    const Game& g = Game::dlt();
    const QStringList tierList = tiers.split(QLatin1Char(' '));
    const QStringList prizeList = prizes.split(QLatin1Char(' '));
    PrizeDraw draw;
    draw.issue = issue;
    draw.reds = redMask({3, 9, 17, 28, 35});
    draw.backs = uint32_t(redMask({4, 12}));
    const std::vector<int> fronts{3, 9, 17, 28, 35};
    const std::vector<int> missFronts{1, 2, 4, 5, 6};
    std::vector<PrizeTicket> tickets;
    for (int f = 5; f >= 0; --f)
        for (int b = 2; b >= 0; --b) {
            PrizeTicket t;
            for (int k = 0; k < 5; ++k)
                t.reds |= uint64_t(1) << (k < f ? fronts[size_t(k)] : missFronts[size_t(k)]);
            t.blues = uint32_t(redMask({b >= 1 ? 4 : 7, b >= 2 ? 12 : 8}));
            t.redCount = 5;
            t.blueCount = 2;
            t.line = int(tickets.size()) + 1;
            tickets.push_back(t);
        }
    const PrizeResult r = CheckTickets(tickets, draw, g, extra);
    QCOMPARE(r.rules->version, version);
    QCOMPARE(r.summary.cost, int64_t(18) * (extra ? 3 : 2));
    for (size_t k = 0; k < tickets.size(); ++k) {
        const QString pattern = QStringLiteral("%1+%2").arg(5 - int(k) / 3).arg(2 - int(k) % 3);
        QVERIFY2(r.results[k].best() == tierList[qsizetype(k)].toInt(), qPrintable(pattern));
        QVERIFY2(r.results[k].prize == prizeList[qsizetype(k)].toLongLong(), qPrintable(pattern));
    }
}

// Every game's single, compound and 胆拖 tickets against their expansion into single bets, with 追加
// where the game has it, on draws across every rule version; single bets of every match pattern too,
// until every tier of every version was won.
void TestPrize::ticketsMatchExpansion_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<int>("fronts");
    QTest::addColumn<int>("bankers");
    QTest::addColumn<int>("backs");
    QTest::addColumn<int>("backBankers");
    for (const Game* g : Game::all()) {
        const int picks = g->frontPicks;
        const int backs = g->backPicks; // 0 for a game of one pool
        auto row = [&](const char* shape, int fronts, int bankers, int backCount, int backBankers) {
            QTest::addRow("%s %s", g->key, shape) << g->keyText() << fronts << bankers << backCount << backBankers;
        };
        row("single, every match", picks, 0, backs, 0);
        row("compound", picks + 2, 0, backs ? backs + 2 : 0, 0);
        row("big compound", picks + 5, 0, backs, 0);
        row("胆拖", picks + 3, 2, backs ? backs + 1 : 0, 0);
        row("most bankers", picks + 2, picks - 1, backs, 0);
        if (backs > 1) {
            row("胆拖 with a back banker", picks + 3, 1, backs + 2, 1);
            row("compound with a back banker", picks + 1, 0, backs + 1, 1);
        }
    }
}

void TestPrize::ticketsMatchExpansion() {
    QFETCH(QString, game);
    QFETCH(int, fronts);
    QFETCH(int, bankers);
    QFETCH(int, backs);
    QFETCH(int, backBankers);
    const Game& g = *Game::find(game);
    const TCodeArr& history = SampleHistoryOf(g);
    const bool single = fronts == g.frontPicks && backs == g.backPicks && !bankers;
    std::set<std::pair<int, int>> won; // (version, tier)
    QRandomGenerator rng(20260 + fronts * 10 + backs + bankers * 100);
    for (int round = 0; round < 300; ++round) {
        const PrizeDraw draw = DrawOf(history[rng.bounded(int(history.size()))], g);
        std::vector<PrizeTicket> tickets{shapedTicket(rng, g, draw, fronts, bankers, backs, backBankers)};
        if (single)
            for (int f = 0; f <= g.frontPicks; ++f)
                for (int y = 0; y <= g.sidePicks(); ++y)
                    if (!g.specialPicks || f + y <= g.frontPicks) tickets.push_back(patternTicket(g, draw, f, y));
        const bool extra = g.extraPrice > 0 && rng.bounded(2);
        const PrizeRules& rules = PrizeRulesFor(g, draw.issue);
        for (size_t k = 0; k < tickets.size(); ++k) {
            const PrizeTicket& t = tickets[k];
            int64_t bets = 0, prize = 0;
            const TierCounts expected = expandAndPrice(t, draw, rules, extra, bets, prize);
            const TicketPrize p = CheckTicket(t, draw, rules, extra);
            QCOMPARE(p.bets, bets);
            QCOMPARE(TicketBets(t, g), bets);
            QCOMPARE(p.tiers, expected);
            QCOMPARE(p.prize, prize);
            QCOMPARE(p.redHits, std::popcount(t.reds & draw.reds));
            QCOMPARE(p.specialHit, (t.reds & draw.specialMask()) != 0);
            if (p.best()) won.insert({rules.version, p.best()});
        }
    }
    if (single)
        for (const PrizeRules& rules : PrizeVersions(g))
            for (int tier = 1; tier <= rules.tierCount; ++tier)
                QVERIFY2(won.count({rules.version, tier}),
                         qPrintable(QStringLiteral("version %1 %2").arg(rules.version).arg(rules.tierName(tier))));
}

// Every game's history check against CheckTicket draw by draw with each draw's version: the tiers, the
// best tier with its first issue and the issues whose fronts one bet holds.
void TestPrize::gameHistoryMatchesDrawByDraw_data() {
    QTest::addColumn<QString>("game");
    for (const Game* g : Game::all())
        QTest::newRow(g->key) << g->keyText();
}

void TestPrize::gameHistoryMatchesDrawByDraw() {
    QFETCH(QString, game);
    const Game& g = *Game::find(game);
    const TCodeArr& h = SampleHistoryOf(g);
    const PrizeDraw drawn = DrawOf(h[1500], g);
    const int backs = g.backPicks;
    const bool extra = g.extraPrice > 0;
    const bool versions = PrizeVersions(g).size() > 1;
    QRandomGenerator rng(7);
    std::vector<PrizeTicket> tickets{shapedTicket(rng, g, drawn, g.frontPicks, 0, backs, 0),
                                     shapedTicket(rng, g, drawn, g.frontPicks + 4, 0, backs ? backs + 1 : 0, 0),
                                     shapedTicket(rng, g, drawn, g.frontPicks + 5, 2, backs ? backs + 2 : 0,
                                                  backs > 1 ? 1 : 0)};
    tickets[0].reds = drawn.reds; // a drawn ticket: its fronts came up at least once
    const HistoryResult r = CheckHistory(tickets, h, g, extra);
    QCOMPARE(r.draws, int(h.size()));
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        std::vector<VersionTiers> byVersion;
        TierCounts tiers{};
        int64_t fixed = 0;
        int best = 0, bestIssue = 0, bestVersion = 0;
        std::vector<int> allFronts;
        for (const TDrawRec& rec : h) {
            const PrizeDraw d = DrawOf(rec, g);
            const PrizeRules& rules = PrizeRulesFor(g, d.issue);
            if (byVersion.empty() || byVersion.back().version != rules.version)
                byVersion.push_back({rules.version, 0, {}});
            const TicketPrize p = CheckTicket(t, d, rules, extra);
            ++byVersion.back().draws;
            for (size_t i = 0; i < p.tiers.size(); ++i) {
                byVersion.back().tiers[i] += p.tiers[i];
                tiers[i] += p.tiers[i];
            }
            fixed += p.prize;
            if (p.best() && (!best || p.best() < best)) {
                best = p.best();
                bestIssue = d.issue;
                bestVersion = rules.version;
            }
            if ((t.bankers & d.reds) == t.bankers && (d.reds & ~t.reds) == 0) allFronts.push_back(d.issue);
        }
        const HistoryPrize& got = r.results[k];
        QCOMPARE(got.tiers, tiers);
        if (versions) {
            QCOMPARE(got.byVersion.size(), byVersion.size());
            for (size_t v = 0; v < byVersion.size(); ++v) {
                QCOMPARE(got.byVersion[v].version, byVersion[v].version);
                QCOMPARE(got.byVersion[v].draws, byVersion[v].draws);
                QCOMPARE(got.byVersion[v].tiers, byVersion[v].tiers);
            }
            QCOMPARE(got.bestVersion, bestVersion);
        }
        QCOMPARE(got.fixedPrize, fixed);
        QCOMPARE(got.cost, TicketBets(t, g) * PriceOfBet(g, extra) * int64_t(h.size()));
        QCOMPARE(got.best, best);
        QCOMPARE(got.bestIssue, bestIssue);
        QCOMPARE(got.sixRedIssues, allFronts);
    }
    QVERIFY(!r.results[0].sixRedIssues.empty());

    // With the published figures: each draw's table chosen with them, and the prizes as paid summed draw
    // by draw (unknown when one won tier's amount is).
    if (!QFile::exists(FiguresFixturePathOf(g))) return;
    const FiguresTable& figures = PublishedFiguresOf(g);
    const HistoryResult withFigures = CheckHistory(tickets, h, g, false, &figures);
    QVERIFY(withFigures.withFigures);
    bool floatingPriced = false;
    for (size_t k = 0; k < tickets.size(); ++k) {
        int64_t fixed = 0;
        int64_t paid = 0;
        for (const TDrawRec& rec : h) {
            const PrizeRules& rules = PrizeRulesFor(g, rec.code(), &figures);
            const TicketPrize p = CheckTicket(tickets[k], DrawOf(rec, g), rules, false);
            fixed += p.prize;
            const int64_t drawPaid = PaidPrize(p.tiers, rules, false, figures.find(rec.code()));
            paid = drawPaid < 0 || paid < 0 ? -1 : paid + drawPaid;
        }
        QCOMPARE(withFigures.results[k].fixedPrize, fixed);
        QCOMPARE(withFigures.results[k].paid, paid);
        floatingPriced |= paid > fixed * 100;
    }
    QVERIFY(floatingPriced);
}

// Lines of the games whose lines differ from the two-colour ball's: good ones read back as written, each
// bad one named with its fault.
void TestPrize::gameLines_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result"); // the ticket's text and bets, or the fault
    QTest::newRow("single") << "dlt" << "05 04 03 02 01 + 12 01"
                            << "01 02 03 04 05+01 12 1";
    QTest::newRow("history line") << "dlt" << "2026094 05 14 15 17 33 01 07"
                                  << "05 14 15 17 33+01 07 1";
    QTest::newRow("compound 20+12")
        << "dlt"
        << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 03 04 05 06 07 "
           "08 09 10 11 12"
        << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 03 04 05 06 07 "
           "08 09 10 11 12 1023264";
    QTest::newRow("胆拖 with a back banker") << "dlt" << "01 02#03 04 05 06 07+01#02 03"
                                             << "01 02#03 04 05 06 07+01#02 03 20";
    QTest::newRow("front 36") << "dlt" << "01 02 03 04 36+01 02"
                              << "前区号码36超出范围（01-35）";
    QTest::newRow("back 13") << "dlt" << "01 02 03 04 05+01 13"
                             << "后区号码13超出范围（01-12）";
    QTest::newRow("one back") << "dlt" << "01 02 03 04 05+01"
                              << "后区号码1个，应为2-12个";
    QTest::newRow("no backs") << "dlt" << "01 02 03 04 05 06"
                              << "缺少后区号码（用\"+\"分开前区和后区）";
    QTest::newRow("too few drags") << "dlt" << "01 02#03 04 05+01 02"
                                   << "胆码和拖码共5个，至少要6个";
    QTest::newRow("banker among the drags") << "dlt" << "01 02#02 03 04 05 06+01 02"
                                            << "胆码02也在拖码中";
    QTest::newRow("five bankers") << "dlt" << "01 02 03 04 05#06 07+01 02"
                                  << "胆码5个，最多4个";
    QTest::newRow("two back bankers") << "dlt" << "01 02 03 04 05+01 02#03 04"
                                      << "后区胆码2个，最多1个";
    QTest::newRow("back banker, one drag") << "dlt" << "01 02 03 04 05+01#02"
                                           << "后区胆码和拖码共2个，至少要3个";
    QTest::newRow("back banker among the drags") << "dlt" << "01 02 03 04 05+01#01 02"
                                                 << "后区胆码01也在拖码中";
    QTest::newRow("two-colour ball line") << "dlt" << "01 02 03 04 05 06+07"
                                          << "后区号码1个，应为2-12个";
    QTest::newRow("qlc single") << "qlc" << "30 01 02 03 04 05 06"
                                << "01 02 03 04 05 06 30 1";
    QTest::newRow("qlc history line") << "qlc" << "2026088 01 05 09 13 17 21 25"
                                      << "01 05 09 13 17 21 25 1";
    QTest::newRow("qlc compound of 20")
        << "qlc" << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20"
        << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 77520";
    QTest::newRow("qlc 胆拖") << "qlc" << "01 02#03 04 05 06 07 08"
                              << "01 02#03 04 05 06 07 08 6";
    QTest::newRow("qlc six bankers") << "qlc" << "01 02 03 04 05 06#07 08 09"
                                     << "01 02 03 04 05 06#07 08 09 3";
    QTest::newRow("qlc six numbers") << "qlc" << "01 02 03 04 05 06"
                                     << "号码6个，应为7-20个";
    QTest::newRow("qlc 21 numbers")
        << "qlc" << "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21"
        << "号码21个，应为7-20个";
    QTest::newRow("qlc 31") << "qlc" << "01 02 03 04 05 06 31"
                            << "号码31超出范围（01-30）";
    QTest::newRow("qlc a repeat") << "qlc" << "01 02 03 04 05 06 06"
                                  << "号码06重复";
    QTest::newRow("qlc a plus part") << "qlc" << "01 02 03 04 05 06 07+08"
                                     << "七乐彩的投注号码没有\"+\"后的部分";
    QTest::newRow("qlc too few drags") << "qlc" << "01 02#03 04 05 06 07"
                                       << "胆码和拖码共7个，至少要8个";
    QTest::newRow("qlc seven bankers") << "qlc" << "01 02 03 04 05 06 07#08"
                                       << "胆码7个，最多6个";
    QTest::newRow("qlc drag 31") << "qlc" << "01#02 03 04 05 06 07 31"
                                 << "拖码31超出范围（01-30）";
}

void TestPrize::gameLines() {
    QFETCH(QString, game);
    QFETCH(QString, line);
    QFETCH(QString, result);
    const Game& g = *Game::find(game);
    const QString good = g.ticketExampleLines().section(QLatin1Char('\n'), 0, 0);
    const TicketList list = ReadTickets(good + QLatin1Char('\n') + line, 0, g);
    if (list.badLines.empty()) {
        QCOMPARE(list.tickets.size(), size_t(2));
        const PrizeTicket& t = list.tickets[1];
        QCOMPARE(TicketText(t) + QLatin1Char(' ') + QString::number(TicketBets(t, g)), result);
    } else {
        QCOMPARE(list.tickets.size(), size_t(1));
        QCOMPARE(BadLinesMessage(list), QStringLiteral("第2行不是有效的投注号码：") + result);
    }
}

// Draws of 七乐彩 as typed or by issue, and what is refused.
void TestPrize::qlcDraws_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // issue:DrawText, or the start of the message
    const TDrawRec& newest = SampleHistoryOf(Game::qlc()).back();
    const QString newestText = DrawText(DrawOf(newest, Game::qlc()));
    QTest::newRow("newest by default") << "" << QStringLiteral("%1:%2").arg(newest.code()).arg(newestText);
    QTest::newRow("issue code") << QString::number(newest.code())
                                << QStringLiteral("%1:%2").arg(newest.code()).arg(newestText);
    QTest::newRow("issue and its numbers") << QString::number(newest.code()) + QLatin1Char(' ') + newestText
                                           << QStringLiteral("%1:%2").arg(newest.code()).arg(newestText);
    QTest::newRow("typed with plus") << "30 02 05 11 16 20 25+08"
                                     << "0:02 05 11 16 20 25 30+08";
    QTest::newRow("typed, eight numbers") << "2,5,11,16,20,25,30,8"
                                          << "0:02 05 11 16 20 25 30+08";
    QTest::newRow("special among the seven") << "02 05 11 16 20 25 30+05"
                                             << "!开奖号码\"";
    QTest::newRow("special 31") << "02 05 11 16 20 25 30+31"
                                << "!开奖号码\"";
    QTest::newRow("seven numbers") << "02 05 11 16 20 25 30"
                                   << "!开奖号码\"";
    QTest::newRow("issue and other numbers") << QString::number(newest.code()) + QStringLiteral(" 01 02 03 04 05 06 07+08")
                                             << QStringLiteral("!第%1期的开奖号码是").arg(newest.code());
}

void TestPrize::qlcDraws() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const Game& g = Game::qlc();
    QCOMPARE(NamesDraw(text, g), !text.isEmpty() && text != QStringLiteral("02 05 11 16 20 25 30"));
    try {
        const PrizeDraw d = ParseDraw(text, SampleHistoryOf(g), g);
        QCOMPARE(QStringLiteral("%1:%2").arg(d.issue).arg(DrawText(d)), expected);
    } catch (const KelvoraError& e) {
        QVERIFY2(expected.startsWith(QLatin1Char('!')) && e.message().startsWith(expected.mid(1)),
                 qPrintable(e.message()));
    }
}

// Every draw whose tier amounts are published: each fixed tier of the table the program picks for it
// (its version, the 福运奖 by issue, the 大乐透 high table by the carried-in pool) pays the published
// amount, and a tier the table has not is not published. A wrong rule shows here as a run of draws.
// The draws listed differ in the sources themselves (see the report of the change).
void TestPrize::publishedAmounts_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<int>("priced");
    QTest::addColumn<QList<int>>("differing");
    QTest::newRow("ssq") << QStringLiteral("ssq") << 3381 << QList<int>{};
    // 2022051 publishes 三等奖 (10,000 元 then) as 10 元.
    QTest::newRow("dlt") << QStringLiteral("dlt") << 2886 << QList<int>{2022051};
}

void TestPrize::publishedAmounts() {
    QFETCH(QString, game);
    QFETCH(int, priced);
    QFETCH(QList<int>, differing);
    const Game& g = *Game::find(game);
    const FiguresTable& figures = PublishedFiguresOf(g);
    QList<int> differs;
    int withAmounts = 0;
    for (const DrawFigures& d : figures.draws) {
        const PrizeRules& rules = PrizeRulesFor(g, d.issue, &figures);
        bool any = false;
        bool same = true;
        for (int t = 1; t <= int(d.tiers.size()); ++t) {
            const TierFigures& f = d.tiers[size_t(t - 1)];
            if (t > rules.tierCount) {
                QVERIFY2(f.winners <= 0 && f.amount <= 0, qPrintable(QString::number(d.issue)));
                continue;
            }
            if (rules.floating[t] || f.amount <= 0) continue;
            any = true;
            if (f.amount != rules.amount[t] * 100) {
                same = false;
            }
        }
        withAmounts += any;
        if (!same) differs << d.issue;
    }
    QCOMPARE(withAmounts, priced);
    QCOMPARE(differs, differing);
}

// The published figures price a check: the 55 大乐透 draws of 2026 each with the table of its pool, a
// jackpot ticket paid the published 一等奖 amount, the 福运奖 paid on its issues only.
void TestPrize::paidAsPublished() {
    const Game& dlt = Game::dlt();
    const FiguresTable& dltFigures = PublishedFiguresOf(dlt);
    const TCodeArr& dltHistory = DltSampleHistory();
    int drawn = 0;
    int high = 0;
    for (const TDrawRec& rec : dltHistory) {
        const DrawFigures* f = dltFigures.find(rec.code());
        if (rec.code() < 2026014 || !f) continue;
        ++drawn;
        const PrizeRules& rules = PrizeRulesFor(dlt, rec.code(), &dltFigures);
        QCOMPARE(rules.version, 5);
        high += rules.poolAtLeast > 0;
        // Four fronts and both backs, 三等奖 in either table: priced as published.
        const PrizeDraw draw = DrawOf(rec, dlt);
        PrizeTicket t = ticketOf(draw.reds & (draw.reds - 1), draw.backs);
        t.reds |= uint64_t(1) << (std::countr_zero(~draw.reds & ~uint64_t(1)));
        t.redCount = 5;
        t.blueCount = 2;
        const PrizeResult r = CheckTickets({t}, draw, dlt, false, &dltFigures);
        QCOMPARE(r.results[0].best(), 3);
        QCOMPARE(r.results[0].prize * 100, f->tiers[2].amount);
        QCOMPARE(r.summary.paid, f->tiers[2].amount);
    }
    QCOMPARE(drawn, 55);
    QVERIFY(high > 0 && high < 55);

    // A jackpot ticket of each game is paid the published 一等奖 amount; 追加 of it is not known.
    for (const Game* g : {&Game::ssq(), &Game::dlt()}) {
        const FiguresTable& figures = PublishedFiguresOf(*g);
        const TCodeArr& h = SampleHistoryOf(*g);
        const auto rec = std::find_if(h.rbegin(), h.rend(), [&](const TDrawRec& d) {
            const DrawFigures* f = figures.find(d.code());
            return f && f->tiers[0].winners > 0 && f->tiers[0].amount > 0;
        });
        QVERIFY(rec != h.rend());
        const PrizeDraw draw = DrawOf(*rec, *g);
        PrizeTicket t = ticketOf(draw.reds, draw.backMask());
        t.redCount = g->frontPicks;
        t.blueCount = g->backPicks;
        const PrizeResult r = CheckTickets({t}, draw, *g, false, &figures);
        QCOMPARE(r.results[0].best(), 1);
        QCOMPARE(r.results[0].paid, figures.find(rec->code())->tiers[0].amount);
        QVERIFY(PrizeJson({t}, r).contains(QStringLiteral("\"paid\":%1").arg(r.results[0].paid / 100)));
        if (g->extraPrice) QCOMPARE(CheckTickets({t}, draw, *g, true, &figures).results[0].paid, int64_t(-1));
        // Without figures nothing is said of it.
        QVERIFY(!PrizeJson({t}, CheckTickets({t}, draw, *g)).contains(QStringLiteral("paid")));
    }

    // The 福运奖: three reds and no blue pay 5 元 on 2026014..2026075, and nothing before or after.
    const Game& ssq = Game::ssq();
    const FiguresTable& ssqFigures = PublishedFiguresOf(ssq);
    int paidDraws = 0;
    for (const TDrawRec& rec : SampleHistory()) {
        if (rec.code() < 2026001) continue;
        const PrizeDraw draw = DrawOf(rec, ssq);
        uint64_t three = draw.reds;
        for (int k = 0; k < 3; ++k)
            three &= three - 1;
        uint64_t others = ~draw.reds & redMask({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        while (std::popcount(others) > 3)
            others &= others - 1;
        PrizeTicket t = ticketOf(three | others, uint32_t(1) << (draw.blue % 16 + 1));
        const PrizeResult r = CheckTickets({t}, draw, ssq, false, &ssqFigures);
        const bool inRange = rec.code() >= 2026014 && rec.code() <= 2026075;
        QCOMPARE(r.results[0].redHits, 3);
        QCOMPARE(r.results[0].prize, inRange ? 5 : 0);
        QCOMPARE(r.results[0].paid, inRange ? 500 : 0);
        QCOMPARE(r.rules->tierCount, inRange ? 7 : 6);
        if (inRange) QCOMPARE(r.rules->tierName(7), QStringLiteral("福运奖"));
        paidDraws += inRange;
    }
    QCOMPARE(paidDraws, 62);
}

QTEST_GUILESS_MAIN(TestPrize)
#include "tst_prize.moc"
