#include "engine/prize/PrizeTiers.h"

#include <QStringView>
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
};

// clang-format off
const TierRow prizeTable[] = {
    {"ssq", 1, 2003001, u"一等奖", "6+1",                 Floating, 0},
    {"ssq", 1, 2003001, u"二等奖", "6+0",                 Floating, 0},
    {"ssq", 1, 2003001, u"三等奖", "5+1",                 3000,     0},
    {"ssq", 1, 2003001, u"四等奖", "5+0 4+1",             200,      0},
    {"ssq", 1, 2003001, u"五等奖", "4+0 3+1",             10,       0},
    {"ssq", 1, 2003001, u"六等奖", "2+1 1+1 0+1",         5,        0},

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

    // With a pool of 800,000,000 元 or more these pay 6666, 380, 200, 18 and 7; the draw file has no pool.
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

struct VersionNote {
    const char* game;
    int version;
    const char16_t* text;
};
const VersionNote versionNotes[] = {
    {"dlt", 5,
     u"按第5版普通奖金计算：开奖数据不含奖池，奖池达到8亿元时的奖金（三等奖6666元、四等奖380元、五等奖200元、"
     u"六等奖18元、七等奖7元）未采用"},
};

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
            for (const VersionNote& n : versionNotes)
                if (std::strcmp(n.game, game.key) == 0 && n.version == row.version) r.note = n.text;
            versions.push_back(r);
        }
        PrizeRules& r = versions.back();
        const int tier = ++r.tierCount;
        r.names[tier] = row.name;
        r.floating[tier] = row.amount == Floating;
        r.amount[tier] = row.amount == Floating ? 0 : row.amount;
        r.extraFloating[tier] = row.extra == Floating;
        r.extraAmount[tier] = row.extra == Floating ? 0 : row.extra;
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
    for (PrizeRules& r : versions)
        for (int t = 1; t <= r.tierCount; ++t) {
            r.tierPrizes[0][t - 1] = r.betPrize(t, false);
            r.tierPrizes[1][t - 1] = r.betPrize(t, true);
        }
    return versions;
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
    static const std::array<std::vector<PrizeRules>, kGameCount> versions = [] {
        std::array<std::vector<PrizeRules>, kGameCount> built;
        for (const Game* g : Game::all()) {
            built[g->index()] = buildVersions(*g);
            // A game in the table without its prize rules would price every ticket at nothing.
            if (built[g->index()].empty()) qFatal("no prize rules for the game %s", g->key);
        }
        return built;
    }();
    return versions[game.index()];
}

const PrizeRules& PrizeRulesFor(const Game& game, int issue) {
    const std::vector<PrizeRules>& versions = PrizeVersions(game);
    if (issue == 0) return versions.back();
    for (auto it = versions.rbegin(); it != versions.rend(); ++it)
        if (issue >= it->firstIssue) return *it;
    return versions.front();
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
