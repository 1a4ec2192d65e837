#include "engine/prize/PrizeTiers.h"

#include "engine/prize/DrawFigures.h"

#include <QStringView>
#include <algorithm>
#include <QtGlobal>
#include <array>
#include <cstring>

namespace {

constexpr int64_t Floating = -1;

// One tier of one rule version. A corrected amount is a change of one line here.
struct TierRow {
    const char* game;
    int version;
    int firstIssue; // the issue the version applies from
    const char16_t* name;
    const char* matches; // fronts+backs, several separated by blanks
    int64_t amount;      // 元 a bet, or Floating
    int64_t extra;       // what 追加 adds: 元, Floating (a share of the floating prize) or 0
    // A tier paid on part of its version only: the issues it is paid on (0, 0: the whole version).
    int paidFirst = 0;
    int paidLast = 0;
};

// clang-format off
const TierRow prizeTable[] = {
    {"ssq", 1, 2003001, u"一等奖", "6+1",                 Floating, 0},
    {"ssq", 1, 2003001, u"二等奖", "6+0",                 Floating, 0},
    {"ssq", 1, 2003001, u"三等奖", "5+1",                 3000,     0},
    {"ssq", 1, 2003001, u"四等奖", "5+0 4+1",             200,      0},
    {"ssq", 1, 2003001, u"五等奖", "4+0 3+1",             10,       0},
    {"ssq", 1, 2003001, u"六等奖", "2+1 1+1 0+1",         5,        0},

    // The totals of 一等奖 (100,000,000 元) and 二等奖 (70,000,000 元) a draw are capped: only the floating
    // amounts fall, and the draw figures give what was paid.
    {"ssq", 2, 2026014, u"一等奖", "6+1",                 Floating, 0},
    {"ssq", 2, 2026014, u"二等奖", "6+0",                 Floating, 0},
    {"ssq", 2, 2026014, u"三等奖", "5+1",                 3000,     0},
    {"ssq", 2, 2026014, u"四等奖", "5+0 4+1",             200,      0},
    {"ssq", 2, 2026014, u"五等奖", "4+0 3+1",             10,       0},
    {"ssq", 2, 2026014, u"六等奖", "2+1 1+1 0+1",         5,        0},
    {"ssq", 2, 2026014, u"福运奖", "3+0",                 5,        0, 2026014, 2026075},

    {"dlt", 1, 2007001, u"一等奖", "5+2",                 Floating, Floating},
    {"dlt", 1, 2007001, u"二等奖", "5+1",                 Floating, Floating},
    {"dlt", 1, 2007001, u"三等奖", "5+0",                 Floating, Floating},
    {"dlt", 1, 2007001, u"四等奖", "4+2",                 3000,     0},
    {"dlt", 1, 2007001, u"五等奖", "4+1",                 500,      0},
    {"dlt", 1, 2007001, u"六等奖", "4+0 3+2",             200,      0},
    {"dlt", 1, 2007001, u"七等奖", "3+1 2+2",             10,       0},
    {"dlt", 1, 2007001, u"八等奖", "3+0 1+2 2+1 0+2",     5,        0},

    {"dlt", 2, 2010015, u"一等奖", "5+2",                 Floating, Floating},
    {"dlt", 2, 2010015, u"二等奖", "5+1",                 Floating, Floating},
    {"dlt", 2, 2010015, u"三等奖", "5+0",                 Floating, Floating},
    {"dlt", 2, 2010015, u"四等奖", "4+2",                 3000,     1500},
    {"dlt", 2, 2010015, u"五等奖", "4+1",                 600,      300},
    {"dlt", 2, 2010015, u"六等奖", "4+0 3+2",             100,      50},
    {"dlt", 2, 2010015, u"七等奖", "3+1 2+2",             10,       5},
    {"dlt", 2, 2010015, u"八等奖", "3+0 1+2 2+1 0+2",     5,        0},

    {"dlt", 3, 2014052, u"一等奖", "5+2",                 Floating, Floating},
    {"dlt", 3, 2014052, u"二等奖", "5+1",                 Floating, Floating},
    {"dlt", 3, 2014052, u"三等奖", "5+0 4+2",             Floating, Floating},
    {"dlt", 3, 2014052, u"四等奖", "4+1 3+2",             200,      100},
    {"dlt", 3, 2014052, u"五等奖", "4+0 3+1 2+2",         10,       5},
    {"dlt", 3, 2014052, u"六等奖", "3+0 1+2 2+1 0+2",     5,        0},

    {"dlt", 4, 2019019, u"一等奖", "5+2",                 Floating, Floating},
    {"dlt", 4, 2019019, u"二等奖", "5+1",                 Floating, Floating},
    {"dlt", 4, 2019019, u"三等奖", "5+0",                 10000,    0},
    {"dlt", 4, 2019019, u"四等奖", "4+2",                 3000,     0},
    {"dlt", 4, 2019019, u"五等奖", "4+1",                 300,      0},
    {"dlt", 4, 2019019, u"六等奖", "3+2",                 200,      0},
    {"dlt", 4, 2019019, u"七等奖", "4+0",                 100,      0},
    {"dlt", 4, 2019019, u"八等奖", "3+1 2+2",             15,       0},
    {"dlt", 4, 2019019, u"九等奖", "3+0 1+2 2+1 0+2",     5,        0},

    {"dlt", 5, 2026014, u"一等奖", "5+2",                 Floating, Floating},
    {"dlt", 5, 2026014, u"二等奖", "5+1",                 Floating, Floating},
    {"dlt", 5, 2026014, u"三等奖", "5+0 4+2",             5000,     0},
    {"dlt", 5, 2026014, u"四等奖", "4+1",                 300,      0},
    {"dlt", 5, 2026014, u"五等奖", "4+0 3+2",             150,      0},
    {"dlt", 5, 2026014, u"六等奖", "3+1 2+2",             15,       0},
    {"dlt", 5, 2026014, u"七等奖", "3+0 2+1 1+2 0+2",     5,        0},

    // The second figure is the special number: 1 when it is among the bet's seven.
    {"qlc", 1, 2007001, u"一等奖", "7+0",                 Floating, 0},
    {"qlc", 1, 2007001, u"二等奖", "6+1",                 Floating, 0},
    {"qlc", 1, 2007001, u"三等奖", "6+0",                 Floating, 0},
    {"qlc", 1, 2007001, u"四等奖", "5+1",                 200,      0},
    {"qlc", 1, 2007001, u"五等奖", "5+0",                 50,       0},
    {"qlc", 1, 2007001, u"六等奖", "4+1",                 10,       0},
    {"qlc", 1, 2007001, u"七等奖", "4+0",                 5,        0},
};
// clang-format on

// A second amount table of a version: used for a draw when the pool carried into it (the pool after
// the draw before) is at least poolAtLeast 元. An amount of 0 keeps the tier's own (the floating tiers).
struct PoolTableRow {
    const char* game;
    int version;
    int64_t poolAtLeast;
    int64_t amounts[kMaxPrizeTiers];
};
const PoolTableRow poolTables[] = {
    {"dlt", 5, 800000000, {0, 0, 6666, 380, 200, 18, 7}},
};

// The most a floating tier pays in total a draw; what is left is shared among its winners.
struct TierCapRow {
    const char* game;
    int version;
    int tier;
    int64_t total; // 元
};
const TierCapRow tierCaps[] = {
    {"ssq", 2, 1, 100000000},
    {"ssq", 2, 2, 70000000},
};

// Where a table applies: its version's issues from first to last (0: on), and how the pool chose it.
enum class PoolChoice { Unknown, Normal, High };
struct TableSpan {
    int version;
    int first;
    int last;
    PoolChoice pool;
};

struct GameRules {
    std::vector<PrizeRules> versions;
    std::vector<PrizeRules> tables;
    std::vector<TableSpan> spans; // one a table
};

void finishPrizes(PrizeRules& r) {
    for (int t = 1; t <= kMaxPrizeTiers; ++t) {
        r.tierPrizes[0][t - 1] = r.betPrize(t, false);
        r.tierPrizes[1][t - 1] = r.betPrize(t, true);
    }
}

QString yuanShort(int64_t yuan) {
    return yuan % 100000000 == 0 ? QStringLiteral("%1亿").arg(yuan / 100000000)
           : yuan % 10000 == 0   ? QStringLiteral("%1万").arg(yuan / 10000)
                                 : QString::number(yuan);
}

std::vector<PrizeRules> buildVersions(const Game& game) {
    std::vector<PrizeRules> versions;
    for (const TierRow& row : prizeTable) {
        if (std::strcmp(row.game, game.key) != 0) continue;
        if (versions.empty() || versions.back().version != row.version) {
            if (!versions.empty()) versions.back().lastIssue = row.firstIssue - 1;
            PrizeRules r;
            r.game = &game;
            r.version = row.version;
            r.firstIssue = row.firstIssue;
            r.names[0] = u"未中奖";
            versions.push_back(r);
        }
        PrizeRules& r = versions.back();
        const int tier = ++r.tierCount;
        r.names[tier] = row.name;
        r.floating[tier] = row.amount == Floating;
        r.amount[tier] = row.amount == Floating ? 0 : row.amount;
        r.extraFloating[tier] = row.extra == Floating;
        r.extraAmount[tier] = row.extra == Floating ? 0 : row.extra;
        r.paidFirst[tier] = row.paidFirst;
        r.paidLast[tier] = row.paidLast;
        for (const char* m = row.matches; *m;) {
            if (*m == ' ') {
                ++m;
                continue;
            }
            const int fronts = m[0] - '0';
            const int backs = m[2] - '0';
            r.tierOf[fronts][backs] = uint8_t(tier);
            m += 3;
        }
    }
    for (PrizeRules& r : versions) {
        for (const TierCapRow& cap : tierCaps)
            if (std::strcmp(cap.game, game.key) == 0 && cap.version == r.version) r.capTotal[cap.tier] = cap.total;
        for (const PoolTableRow& pool : poolTables)
            if (std::strcmp(pool.game, game.key) == 0 && pool.version == r.version) r.poolDependent = true;
        finishPrizes(r);
    }
    return versions;
}

// The version's table for the issues first..last: without the tiers not paid there.
PrizeRules segmentTable(const PrizeRules& version, int first) {
    PrizeRules r = version;
    QStringList notes;
    for (int t = 1; t <= version.tierCount; ++t) {
        if (!version.paidFirst[t]) continue;
        if (version.paidOn(t, first)) {
            notes << QStringLiteral("%1每注%2元，只在%3-%4期派发")
                         .arg(version.tierName(t))
                         .arg(version.amount[t])
                         .arg(version.paidFirst[t])
                         .arg(version.paidLast[t]);
            continue;
        }
        r.amount[t] = r.extraAmount[t] = 0;
        r.floating[t] = r.extraFloating[t] = false;
        for (auto& row : r.tierOf)
            for (uint8_t& tier : row)
                if (tier == t) tier = 0;
    }
    // A tier not paid at the end of the list is no tier of the table.
    while (r.tierCount > 0 && r.paidFirst[r.tierCount] && !version.paidOn(r.tierCount, first))
        r.names[r.tierCount--] = nullptr;
    r.note = notes.join(QStringLiteral("；"));
    finishPrizes(r);
    return r;
}

QString poolNote(const PrizeRules& r, const PoolTableRow& pool, PoolChoice choice) {
    QStringList amounts;
    for (int t = 1; t <= r.tierCount; ++t)
        if (pool.amounts[t - 1]) amounts << QStringLiteral("%1%2元").arg(r.tierName(t)).arg(pool.amounts[t - 1]);
    const QString limit = yuanShort(pool.poolAtLeast);
    switch (choice) {
    case PoolChoice::Unknown:
        return QStringLiteral("按第%1版普通奖金计算：开奖数据不含奖池，奖池达到%2元时的奖金（%3）未采用")
            .arg(r.version)
            .arg(limit, amounts.join(QStringLiteral("、")));
    case PoolChoice::Normal:
        return QStringLiteral("按第%1版普通奖金计算：开奖前奖池不足%2元").arg(r.version).arg(limit);
    case PoolChoice::High:
        break;
    }
    return QStringLiteral("开奖前奖池达到%1元，按第%2版的高奖金计算（%3）")
        .arg(limit)
        .arg(r.version)
        .arg(amounts.join(QStringLiteral("、")));
}

GameRules buildRules(const Game& game) {
    GameRules g;
    g.versions = buildVersions(game);
    for (const PrizeRules& v : g.versions) {
        // The issues where the tiers paid change: a table for each stretch.
        std::vector<int> starts{v.firstIssue};
        for (int t = 1; t <= v.tierCount; ++t)
            if (v.paidFirst[t]) {
                starts.push_back(v.paidFirst[t]);
                starts.push_back(v.paidLast[t] + 1);
            }
        std::sort(starts.begin(), starts.end());
        starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
        std::erase_if(starts, [&](int i) { return i < v.firstIssue || (v.lastIssue && i > v.lastIssue); });
        for (size_t k = 0; k < starts.size(); ++k) {
            const int last = k + 1 < starts.size() ? starts[k + 1] - 1 : v.lastIssue;
            const PrizeRules base = segmentTable(v, starts[k]);
            const PoolTableRow* pool = nullptr;
            for (const PoolTableRow& row : poolTables)
                if (std::strcmp(row.game, game.key) == 0 && row.version == v.version) pool = &row;
            if (!pool) {
                g.tables.push_back(base);
                g.spans.push_back({v.version, starts[k], last, PoolChoice::Unknown});
                continue;
            }
            for (PoolChoice choice : {PoolChoice::Unknown, PoolChoice::Normal, PoolChoice::High}) {
                PrizeRules r = base;
                r.poolKnown = choice != PoolChoice::Unknown;
                if (choice == PoolChoice::High) {
                    r.poolAtLeast = pool->poolAtLeast;
                    for (int t = 1; t <= r.tierCount; ++t)
                        if (pool->amounts[t - 1]) r.amount[t] = pool->amounts[t - 1];
                    finishPrizes(r);
                }
                r.note = poolNote(r, *pool, choice);
                g.tables.push_back(r);
                g.spans.push_back({v.version, starts[k], last, choice});
            }
        }
    }
    return g;
}

const GameRules& rulesOf(const Game& game) {
    static const std::array<GameRules, kGameCount> rules = [] {
        std::array<GameRules, kGameCount> built;
        for (const Game* g : Game::all()) {
            built[g->index()] = buildRules(*g);
            // A game in the table without its prize rules would price every ticket at nothing.
            if (built[g->index()].versions.empty()) qFatal("no prize rules for the game %s", g->key);
        }
        return built;
    }();
    return rules[game.index()];
}

} // namespace

QString PrizeRules::tierName(int tier) const {
    return tier >= 0 && tier <= tierCount ? QString::fromUtf16(names[tier]) : QString();
}

QStringList PrizeRules::tierNames() const {
    QStringList list;
    for (int t = 1; t <= tierCount; ++t)
        list << tierName(t);
    return list;
}

const std::vector<PrizeRules>& PrizeVersions(const Game& game) {
    return rulesOf(game).versions;
}

const std::vector<PrizeRules>& PrizeTables(const Game& game) {
    return rulesOf(game).tables;
}

const PrizeRules& PrizeRulesFor(const Game& game, int issue) {
    return PrizeRulesFor(game, issue, nullptr);
}

const PrizeRules& PrizeRulesFor(const Game& game, int issue, const FiguresTable* figures) {
    const GameRules& g = rulesOf(game);
    // The newest stretch that starts at or before the issue; issue 0 takes the newest, an issue before
    // them all the oldest.
    int start = g.spans.front().first;
    for (const TableSpan& span : g.spans)
        if (issue == 0 || issue >= span.first) start = span.first;
    const PrizeRules* unknown = nullptr;
    const PrizeRules* normal = nullptr;
    const PrizeRules* high = nullptr;
    for (size_t k = 0; k < g.spans.size(); ++k) {
        if (g.spans[k].first != start) continue;
        const PoolChoice pool = g.spans[k].pool;
        (pool == PoolChoice::Unknown ? unknown : pool == PoolChoice::Normal ? normal : high) = &g.tables[k];
    }
    // The pool carried into a draw is known when the draw's figures and those of the draw before are.
    if (high && normal && figures && issue && figures->find(issue)) {
        const int64_t pool = figures->poolBefore(issue);
        if (pool >= 0) return pool >= high->poolAtLeast * 100 ? *high : *normal;
    }
    return *unknown;
}

int64_t PaidPerBet(const PrizeRules& rules, int tier, bool extra, const DrawFigures* figures) {
    if (tier < 1 || tier > rules.tierCount) return 0;
    // A fixed tier pays its table's amount: the published ones agree but for a misprint or two.
    if (!rules.floating[tier]) return (rules.amount[tier] + (extra ? rules.extraAmount[tier] : 0)) * 100;
    const TierFigures* f =
        figures && size_t(tier) <= figures->tiers.size() ? &figures->tiers[size_t(tier - 1)] : nullptr;
    // A tier nobody won publishes no amount ("0 0"); the 追加 share of a floating tier is not published.
    if (!f || f->amount <= 0 || (extra && rules.extraFloating[tier])) return -1;
    return f->amount + (extra ? rules.extraAmount[tier] * 100 : 0);
}

int64_t PaidPrize(const TierCounts& tiers, const PrizeRules& rules, bool extra, const DrawFigures* figures) {
    int64_t sum = 0;
    for (int t = 1; t <= rules.tierCount; ++t) {
        if (!tiers[size_t(t - 1)]) continue;
        const int64_t each = PaidPerBet(rules, t, extra, figures);
        if (each < 0) return -1;
        sum += each * tiers[size_t(t - 1)];
    }
    return sum;
}

const PrizeRules& SsqPrizeRules() {
    static const PrizeRules& rules = PrizeVersions(Game::ssq()).front();
    return rules;
}

int PrizeTier(int redHits, bool blueHit) {
    return redHits >= 0 && redHits <= Game::ssq().frontPicks
               ? SsqPrizeRules().tierOf[redHits][blueHit ? 1 : 0]
               : 0;
}

int64_t TierPrize(int tier) {
    return SsqPrizeRules().betPrize(tier, false);
}

QString TierName(int tier) {
    return SsqPrizeRules().tierName(tier);
}

int64_t FixedPrize(const TierCounts& tiers, const PrizeRules& rules, bool extra) {
    const int64_t* prizes = rules.tierPrizes[extra ? 1 : 0];
    int64_t sum = 0;
    for (int t = 0; t < kMaxPrizeTiers; ++t)
        sum += tiers[size_t(t)] * prizes[t];
    return sum;
}

int64_t FixedPrize(const TierCounts& tiers) {
    return FixedPrize(tiers, SsqPrizeRules(), false);
}

bool WonFloating(const TierCounts& tiers, const PrizeRules& rules) {
    for (int tier = 1; tier <= rules.tierCount; ++tier)
        if (rules.floating[tier] && tiers[size_t(tier - 1)] > 0) return true;
    return false;
}

QString PrizeMoneyText(int64_t fixedPrize, const TierCounts& tiers, const PrizeRules& rules) {
    if (!WonFloating(tiers, rules)) return QString::number(fixedPrize);
    return fixedPrize > 0 ? QStringLiteral("%1+浮动").arg(fixedPrize) : QStringLiteral("浮动");
}
