#include "engine/ledger/LedgerReport.h"

#include "engine/core/Binomial.h"
#include "engine/io/CsvWriter.h"
#include "engine/io/JsonWriter.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/PrizeReport.h"

#include <QMutex>
#include <algorithm>
#include <bit>
#include <map>
#include <cmath>
#include <random>

namespace {

// The floating wins past 一等奖 and 二等奖 (the super lotto's early 三等奖), each after `separator`.
QString laterFloatingWins(const TierCounts& floating, const QString& separator) {
    QString s;
    for (int t = 2; t < kMaxPrizeTiers; ++t)
        if (floating[size_t(t)] > 0)
            s += separator + QStringLiteral("%1 %2 注").arg(TierName(t + 1)).arg(floating[size_t(t)]);
    return s;
}

// Adds an entry's wins by tier, and those of its version's floating tiers apart.
void addWins(TierCounts& tiers, TierCounts& floating, const TierCounts& won, const PrizeRules& rules) {
    for (int t = 0; t < kMaxPrizeTiers; ++t) {
        tiers[size_t(t)] += won[size_t(t)];
        if (rules.floating[t + 1]) floating[size_t(t)] += won[size_t(t)];
    }
}

QString percent(double x) {
    return QString::number(x * 100, 'f', 2) + QLatin1Char('%');
}

// (一等奖, 二等奖, fixed prize): what "did at least as well" compares, in that order.
struct Score {
    int64_t first = 0;
    int64_t second = 0;
    int64_t fixed = 0;
    bool operator>=(const Score& o) const {
        if (first != o.first) return first > o.first;
        if (second != o.second) return second > o.second;
        return fixed >= o.fixed;
    }
};

int tierCountOf(const LedgerEntry& e) {
    return PrizeRulesFor(LedgerGameOf(e.game), e.issue).tierCount;
}

} // namespace

const TierOdds& SingleBetTierOdds(const PrizeRules& rules) {
    static std::map<const PrizeRules*, TierOdds> cache;
    static QBasicMutex lock;
    const QMutexLocker locker(&lock);
    const auto found = cache.find(&rules);
    if (found != cache.end()) return found->second;
    const Game& g = *rules.game;
    TierOdds p{};
    const double fronts = double(Binomial(g.frontPool, g.frontPicks));
    const double backs = double(Binomial(g.backPool, g.backPicks));
    for (int f = 0; f <= g.frontPicks; ++f) {
        const double pf =
            Binomial(g.frontPicks, f) * Binomial(g.frontPool - g.frontPicks, g.frontPicks - f) / fronts;
        if (g.specialPicks) {
            // The special number is one of the numbers left after the draw: the bet's misses are among them.
            const double ps = double(g.frontPicks - f) / double(g.frontPool - g.frontPicks);
            p[size_t(rules.tierOf[f][1])] += pf * ps;
            p[size_t(rules.tierOf[f][0])] += pf * (1 - ps);
            continue;
        }
        for (int b = 0; b <= g.backPicks; ++b) {
            const double pb =
                Binomial(g.backPicks, b) * Binomial(g.backPool - g.backPicks, g.backPicks - b) / backs;
            p[size_t(rules.tierOf[f][b])] += pf * pb;
        }
    }
    return cache.emplace(&rules, p).first->second;
}

double ExpectedFixedPrize(const PrizeTicket& ticket, const PrizeRules& rules, bool extra) {
    const Game& g = *rules.game;
    const int d = std::popcount(ticket.bankers);
    const int k = ticket.redCount - d; // the drags; all fronts of a compound ticket
    const int bd = std::popcount(ticket.backBankers);
    const int bk = ticket.blueCount - bd;
    const double fronts = double(Binomial(g.frontPool, g.frontPicks));
    const double backs = double(Binomial(g.backPool, g.backPicks));
    double expected = 0;
    for (int hb = 0; hb <= d; ++hb) {
        for (int h = 0; hb + h <= g.frontPicks && h <= k; ++h) {
            const double ph =
                Binomial(d, hb) * Binomial(k, h) * Binomial(g.frontPool - d - k, g.frontPicks - hb - h) / fronts;
            if (ph == 0) continue;
            if (g.specialPicks) {
                // The special number is one of the numbers the draw left: a banker, a drag or another.
                const double left = double(g.frontPool - g.frontPicks);
                const double inBankers = (d - hb) / left;
                const double inDrags = (k - h) / left;
                const auto prize = [&](int sb, int sd) {
                    return double(FixedPrize(TiersByHits(ticket, rules, hb, h, sb, sd), rules, extra));
                };
                expected += ph * (inBankers * prize(1, 0) + inDrags * prize(0, 1) +
                                  (1 - inBankers - inDrags) * prize(0, 0));
                continue;
            }
            for (int bb = 0; bb <= bd; ++bb) {
                for (int bh = 0; bb + bh <= g.backPicks && bh <= bk; ++bh) {
                    const double pb = Binomial(bd, bb) * Binomial(bk, bh) *
                                      Binomial(g.backPool - bd - bk, g.backPicks - bb - bh) / backs;
                    if (pb == 0) continue;
                    expected +=
                        ph * pb * double(FixedPrize(TiersByHits(ticket, rules, hb, h, bb, bh), rules, extra));
                }
            }
        }
    }
    return expected;
}

namespace {

using BetsByRules = std::map<std::pair<const PrizeRules*, bool>, int64_t>;

// Random players buying the bets: how many did at least as well as `actual`, and how many better.
std::pair<int, int> simulatePlayers(const BetsByRules& betsByRules, const Score& actual, uint64_t seed,
                                    int players) {
    std::mt19937_64 random(seed);
    int asGood = 0;
    int better = 0;
    for (int p = 0; p < players; ++p) {
        Score score;
        for (const auto& [key, bets] : betsByRules) {
            const PrizeRules& rules = *key.first;
            const TierOdds& odds = SingleBetTierOdds(rules);
            // A multinomial draw of the tier counts of the bets, one tier after the other.
            int64_t left = bets;
            double rest = 1.0;
            TierCounts counts{};
            for (int t = 1; t <= rules.tierCount && left > 0; ++t) {
                const double share = std::clamp(odds[size_t(t)] / rest, 0.0, 1.0);
                std::binomial_distribution<int64_t> draw(left, share);
                counts[size_t(t - 1)] = draw(random);
                left -= counts[size_t(t - 1)];
                rest -= odds[size_t(t)];
            }
            score.first += counts[0];
            score.second += counts[1];
            score.fixed += FixedPrize(counts, rules, key.second);
        }
        if (score >= actual) {
            ++asGood;
            if (!(actual >= score)) ++better;
        }
    }
    return {asGood, better};
}

} // namespace

LedgerReport MakeLedgerReport(const std::vector<LedgerEntry>& entries, uint64_t seed, int players) {
    return MakeLedgerReport(entries, LedgerGameOf(entries.empty() ? QString() : entries.front().game), seed,
                            players);
}

LedgerReport MakeLedgerReport(const std::vector<LedgerEntry>& entries, const Game& game, uint64_t seed,
                              int players) {
    return MakeLedgerReport(entries, game, nullptr, seed, players);
}

int64_t LedgerEntryPaid(const LedgerEntry& e, const FiguresTable& figures) {
    if (!e.settled) return 0;
    const PrizeRules& rules = PrizeRulesFor(LedgerGameOf(e.game), e.issue, &figures);
    return PaidPrize(e.tiers, rules, e.extra, figures.find(e.issue));
}

LedgerReport MakeLedgerReport(const std::vector<LedgerEntry>& entries, const Game& game,
                              const FiguresTable* figures, uint64_t seed, int players) {
    LedgerReport r;
    r.withFigures = figures && !figures->empty();
    if (r.withFigures)
        for (const LedgerEntry& e : entries) {
            const int64_t paid = LedgerEntryPaid(e, *figures);
            if (paid < 0)
                r.unpriced.push_back(&e);
            else
                r.paid += paid;
        }
    r.game = game.keyText();
    std::map<int, LedgerYear> years;
    // The bets of the random players by the rule version and 追加 they are priced with, and per issue.
    BetsByRules betsByRules;
    std::map<int, std::pair<Score, BetsByRules>> byIssue;
    for (const LedgerEntry& e : entries) {
        if (!e.settled) {
            ++r.unsettled;
            continue;
        }
        ++r.entries;
        r.bets += e.bets;
        r.cost += e.cost;
        r.fixedPrize += e.prize;
        const PrizeRules& rules = PrizeRulesFor(game, e.issue);
        betsByRules[{&rules, e.extra}] += e.bets;
        auto& [issueScore, issueBets] = byIssue[e.issue];
        issueScore.first += e.tiers[0];
        issueScore.second += e.tiers[1];
        issueScore.fixed += e.prize;
        issueBets[{&rules, e.extra}] += e.bets;
        addWins(r.tiers, r.floating, e.tiers, rules);
        for (const PrizeTicket& t : e.tickets)
            r.expectedFixedPrize += ExpectedFixedPrize(t, rules, e.extra);
        LedgerYear& y = years[e.issue / 1000];
        y.year = e.issue / 1000;
        y.bets += e.bets;
        y.cost += e.cost;
        y.fixedPrize += e.prize;
        addWins(y.tiers, y.floating, e.tiers, rules);
    }
    for (const auto& [year, y] : years)
        r.byYear.push_back(y);

    r.players = players;
    r.draws = int(byIssue.size());
    const Score actual{r.tiers[0], r.tiers[1], r.fixedPrize};
    const auto [asGood, better] = simulatePlayers(betsByRules, actual, seed, players);
    r.pValue = players > 0 ? double(asGood) / players : 1.0;
    r.pBetter = players > 0 ? double(better) / players : 0.0;
    r.tooSmall = r.draws <= 1;
    if (!r.tooSmall && r.pValue < 0.01) {
        // The same test without the best draw: a result that rests on it is one draw's luck.
        auto best = byIssue.begin();
        for (auto it = byIssue.begin(); it != byIssue.end(); ++it)
            if (it->second.first >= best->second.first) best = it;
        Score rest{actual.first - best->second.first.first, actual.second - best->second.first.second,
                   actual.fixed - best->second.first.fixed};
        BetsByRules restBets = betsByRules;
        for (const auto& [key, bets] : best->second.second)
            if ((restBets[key] -= bets) == 0) restBets.erase(key);
        const int restAsGood = simulatePlayers(restBets, rest, seed, players).first;
        r.tooSmall = players > 0 && double(restAsGood) / players >= 0.01;
    }
    return r;
}

QString LedgerReportJson(const LedgerReport& r) {
    JsonWriter w;
    w.beginObject().member(u"game", r.game).member(u"entries", r.entries).member(u"bets", r.bets);
    w.member(u"cost", r.cost).member(u"fixedPrize", r.fixedPrize).key(u"floating").beginObject();
    for (int t = 0; t < kMaxPrizeTiers; ++t)
        if (t < 2 || r.floating[size_t(t)] != 0) w.member(TierName(t + 1), r.floating[size_t(t)]);
    w.endObject();
    if (r.withFigures) WriteYuan(w.key(u"paid"), r.paidKnown() ? r.paid : -1);
    w.member(u"expectedFixedPrize", r.expectedFixedPrize).member(u"pValue", r.pValue);
    w.key(u"byYear").beginArray();
    for (const LedgerYear& y : r.byYear)
        w.beginObject().member(u"year", y.year).member(u"cost", y.cost).member(u"fixedPrize", y.fixedPrize).endObject();
    return w.endArray().endObject().text();
}

QString LedgerVerdictText(const LedgerReport& r) {
    if (r.entries == 0) return QStringLiteral("还没有已开奖的投注，无从与随机投注比较");
    const double standing = r.standing();
    const QString place = standing < 0.01 ? QStringLiteral("排在前1%以内")
                                          : QStringLiteral("排在前%1%").arg(int(std::ceil(standing * 100 - 1e-9)));
    QString luck;
    if (standing < 0.01)
        luck = QStringLiteral("运气极好");
    else if (standing <= 0.1)
        luck = QStringLiteral("运气较好");
    else if (standing >= 0.9)
        luck = QStringLiteral("运气较差");
    else
        luck = QStringLiteral("属于正常运气");
    QString verdict;
    if (r.tooSmall)
        verdict = r.draws <= 1 ? QStringLiteral("只有1期，样本太少，不能据此判断选号的好坏")
                               : QStringLiteral("好成绩来自单独一期，样本太少，一期的运气不能说明选号的好坏");
    else if (r.betterThanRandom())
        verdict = QStringLiteral("好于随机（不差于你的不到1%）");
    else
        verdict = QStringLiteral("与随机投注没有显著差别");
    return QStringLiteral("在 %1 名等额随机投注者中，成绩好于你的占 %2，不差于你的占 %3：你%4，%5；%6")
        .arg(r.players)
        .arg(percent(r.pBetter), percent(r.pValue), place, luck, verdict);
}

QStringList LedgerReportLines(const LedgerReport& r) {
    QStringList lines;
    lines << QStringLiteral("已开奖 %1 笔（未开奖 %2 笔），共 %3 注，投入 %4 元")
                 .arg(r.entries)
                 .arg(r.unsettled)
                 .arg(r.bets)
                 .arg(r.cost);
    const QString floating =
        QStringLiteral("一等奖 %1 注，二等奖 %2 注").arg(r.floating[0]).arg(r.floating[1]) +
        laterFloatingWins(r.floating, QStringLiteral("，"));
    lines << QStringLiteral("固定奖金 %1 元；浮动奖金：%2（只计注数，不计金额）")
                 .arg(r.fixedPrize)
                 .arg(floating);
    lines << QStringLiteral("净收益 %1 元，返奖率 %2").arg(r.net()).arg(percent(r.returnRate()));
    if (r.withFigures) {
        lines << QStringLiteral("按各期实付奖金：%1%2，净收益 %3 元，返奖率 %4")
                     .arg(PaidText(r.paid), r.unpriced.empty() ? QString() : QStringLiteral("（不含下列中奖）"))
                     .arg(YuanText(std::abs(r.paidNet())).prepend(r.paidNet() < 0 ? QStringLiteral("-") : QString()))
                     .arg(percent(r.paidReturnRate()));
        for (const LedgerEntry* e : r.unpriced)
            lines << QStringLiteral("  没有当期公告奖金的中奖：#%1 第%2期 %3")
                         .arg(e->number)
                         .arg(LedgerIssueText(e->issue), LedgerResultText(*e));
    }
    lines << QStringLiteral("同样的投注随机开奖的期望固定奖金 %1 元（期望返奖率 %2）")
                 .arg(QString::number(r.expectedFixedPrize, 'f', 2),
                      percent(r.cost ? r.expectedFixedPrize / double(r.cost) : 0.0));
    lines << LedgerVerdictText(r);
    if (!r.byYear.empty()) lines << QStringLiteral("逐年：");
    for (const LedgerYear& y : r.byYear)
        lines << QStringLiteral(
                     "%1年  %2 注  投入 %3 元  固定奖金 %4 元  净收益 %5 元  一等奖 %6 注  二等奖 %7 注")
                         .arg(y.year)
                         .arg(y.bets)
                         .arg(y.cost)
                         .arg(y.fixedPrize)
                         .arg(y.fixedPrize - y.cost)
                         .arg(y.floating[0])
                         .arg(y.floating[1]) +
                     laterFloatingWins(y.floating, QStringLiteral("  "));
    return lines;
}

QString LedgerResultText(const LedgerEntry& e) {
    return e.settled ? TierListText(e.tiers, e.bets, PrizeRulesFor(LedgerGameOf(e.game), e.issue))
                     : QStringLiteral("未开奖");
}

QString LedgerTicketsText(const LedgerEntry& e, const QString& separator) {
    QStringList texts;
    texts.reserve(qsizetype(e.tickets.size()));
    for (const PrizeTicket& t : e.tickets)
        texts << TicketText(t);
    return texts.join(separator);
}

QString LedgerIssueText(int issue) {
    return QStringLiteral("%1").arg(issue, 7, 10, QLatin1Char('0'));
}

QString LedgerListJson(const std::vector<LedgerEntry>& entries, const QString& game) {
    const QString key = !game.isEmpty()       ? game
                        : entries.empty()     ? QStringLiteral("ssq")
                                              : entries.front().game;
    JsonWriter w;
    w.beginObject().member(u"game", key).key(u"entries").beginArray();
    for (const LedgerEntry& e : entries) {
        w.beginObject().member(u"id", e.number).member(u"issue", LedgerIssueText(e.issue));
        w.member(u"lines", e.tickets.size()).key(u"tickets").beginArray();
        for (const PrizeTicket& t : e.tickets)
            w.value(TicketText(t));
        w.endArray().member(u"bets", e.bets).member(u"cost", e.cost).member(u"extra", e.extra);
        w.member(u"note", e.note).member(u"settled", e.settled);
        if (e.settled)
            w.key(u"tiers").numbers(e.tiers, tierCountOf(e)).member(u"fixedPrize", e.prize);
        else
            w.key(u"tiers").null().key(u"fixedPrize").null();
        w.endObject();
    }
    return w.endArray().endObject().text();
}

QStringList LedgerListLines(const std::vector<LedgerEntry>& entries) {
    QStringList lines;
    lines.reserve(qsizetype(entries.size()) + 1);
    lines << QStringLiteral("共 %1 笔投注记录").arg(entries.size());
    for (const LedgerEntry& e : entries) {
        QString line = QStringLiteral("#%1  第%2期  %3行 %4注 %5元%6  %7")
                           .arg(e.number)
                           .arg(LedgerIssueText(e.issue))
                           .arg(e.tickets.size())
                           .arg(e.bets)
                           .arg(e.cost)
                           .arg(e.extra ? QStringLiteral(" 追加") : QString(), LedgerResultText(e));
        if (e.settled) line += QStringLiteral("  奖金%1元").arg(e.prize);
        if (!e.note.isEmpty()) line += QStringLiteral("  备注：%1").arg(LedgerNoteLine(e.note));
        lines << line;
        for (const PrizeTicket& t : e.tickets)
            lines << QStringLiteral("    ") + TicketText(t);
    }
    return lines;
}

QString LedgerNoteLine(const QString& note) {
    QString line = note;
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return line.trimmed();
}

std::vector<LedgerTicketDetail> LedgerEntryDetail(const LedgerEntry& e) {
    const Game& game = LedgerGameOf(e.game);
    const PrizeRules& rules = PrizeRulesFor(game, e.issue);
    std::vector<LedgerTicketDetail> details;
    details.reserve(e.tickets.size());
    for (const PrizeTicket& t : e.tickets) {
        LedgerTicketDetail d;
        d.ticket = t;
        if (e.settled) {
            d.frontHits = t.reds & e.draw.reds;
            d.backHits = t.blues & e.draw.backMask();
            d.specialHits = t.reds & e.draw.specialMask();
            const TicketPrize p = CheckTicket(t, e.draw, rules, e.extra);
            d.tiers = p.tiers;
            d.prize = FixedPrize(p.tiers, rules, e.extra);
        }
        details.push_back(d);
    }
    return details;
}

QStringList LedgerCsvLines(const std::vector<LedgerEntry>& entries) {
    QStringList lines;
    lines.reserve(qsizetype(entries.size()) + 1);
    lines << QStringLiteral("编号,期号,投注号码,行数,注数,金额,追加,结果,奖金,备注");
    for (const LedgerEntry& e : entries)
        lines << CsvLine({QString::number(e.number), LedgerIssueText(e.issue), LedgerTicketsText(e),
                          QString::number(e.tickets.size()), QString::number(e.bets), QString::number(e.cost),
                          e.extra ? QStringLiteral("是") : QStringLiteral("否"), LedgerResultText(e),
                          e.settled ? QString::number(e.prize) : QString(), e.note});
    return lines;
}

std::vector<LedgerCurvePoint> LedgerCurve(const std::vector<LedgerEntry>& entries) {
    std::map<int, std::pair<int64_t, int64_t>> byIssue;
    for (const LedgerEntry& e : entries) {
        if (!e.settled) continue;
        auto& [cost, prize] = byIssue[e.issue];
        cost += e.cost;
        prize += e.prize;
    }
    std::vector<LedgerCurvePoint> curve;
    curve.reserve(byIssue.size());
    int64_t cost = 0;
    int64_t prize = 0;
    for (const auto& [issue, money] : byIssue) {
        cost += money.first;
        prize += money.second;
        curve.push_back({issue, cost, prize});
    }
    return curve;
}
