#include "engine/predict/Prediction.h"

#include "engine/core/Binomial.h"
#include "engine/metrics/Code.h"
#include "engine/predict/HitStats.h"
#include "engine/shrink/Combinations.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace {

struct CompoundGroup {
    std::vector<int> red;
    std::vector<int> blue;
};

// Ranks chosen per group; for the two-colour ball ranks 1..20 (red) and 1..6 (blue) hold the
// numbers that were not excluded, so every red pick is one of the twenty allowed numbers. The super
// lotto and 七乐彩 exclude nothing: their groups take the same middle ranks of all their fronts (and
// the super lotto's 12 backs; 七乐彩 has none).
const CompoundGroup compoundGroups[3] = {
    {{16, 19, 20, 12, 13, 14, 8, 9, 10}, {8, 6, 4}},
    {{11, 12, 13, 14, 15, 16, 17, 18, 19, 20}, {5, 7, 9}},
    {{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {3, 5, 7}},
};

struct CompoundExclusions {
    std::vector<int> red;
    std::vector<int> blue;
};
// Keyed by GameId: a game added to the table needs its row here, which the size makes sure of.
const std::array<CompoundExclusions, kGameCount> compoundExcluded{{
    {{1, 2, 3, 4, 5, 7, 9, 12, 13, 15, 16, 17, 33}, {1, 2, 3, 6, 7, 9, 12, 13, 15, 16}}, // ssq
    {{}, {}},                                                                            // dlt
    {{}, {}},                                                                            // qlc
}};

constexpr std::array<int, 3> singleBatches{100, 200, 500};
// The single prediction's candidates: the least frequent fronts.
constexpr int singleRareCount = 14;

// One member of the recommendation family; zone groups compete within their own zone.
struct Recommender {
    const char16_t* name;
    bool (*competes)(const Game& game, int group, int number);
    std::vector<int> ranks[kGameCount][3]; // per game (GameId), per group; empty: the zone's rarest three
    const char16_t* headings[3];  // null: the zone's caption
};

bool isBankerNumber(const Game& game, int, int n) {
    return n > game.smallMax;
}
bool isColdNumber(const Game& game, int, int n) {
    return n <= game.smallMax;
}
bool isOdd(const Game&, int, int n) {
    return n % 2 == 1;
}
bool isEven(const Game&, int, int n) {
    return n % 2 == 0;
}
bool inZone(const Game& game, int group, int n) {
    return game.zoneOf(n) == group;
}

// Per game in GameId order. The super lotto's sets are one larger where the two-colour ball's ranks
// run to the end of a set (18 big, 18 odd and 17 even fronts): its ranks keep the same end. 七乐彩's
// sets hold 15 numbers each (16..30 big, 1..15 small, 15 odd, 15 even): its third groups keep the same
// distance from the end of the set as the two-colour ball's.
const Recommender banker{u"胆码推荐",
                         isBankerNumber,
                         {{{8, 11, 14}, {10, 11, 12, 13}, {12, 14, 15, 16, 13}},
                          {{8, 11, 14}, {10, 11, 12, 13}, {14, 16, 17, 18, 15}},
                          {{8, 11, 14}, {10, 11, 12, 13}, {11, 13, 14, 15, 12}}},
                         {u"胆码推荐(第1组)", u"胆码推荐(第2组)", u"胆码推荐(第3组)"}};
const Recommender cold{u"冷码推荐",
                       isColdNumber,
                       {{{8, 11, 14}, {10, 11, 12, 13}, {12, 14, 15, 16, 13}},
                        {{8, 11, 14}, {10, 11, 12, 13}, {12, 14, 15, 16, 13}},
                        {{8, 11, 14}, {10, 11, 12, 13}, {10, 12, 13, 14, 11}}},
                       {u"冷码推荐(第1组)", u"冷码推荐(第2组)", u"冷码推荐(第3组)"}};
const Recommender odd{u"奇数推荐",
                      isOdd,
                      {{{8, 9, 10}, {10, 11, 12, 13}, {13, 14, 15, 16, 17}},
                       {{8, 9, 10}, {10, 11, 12, 13}, {14, 15, 16, 17, 18}},
                       {{8, 9, 10}, {10, 11, 12, 13}, {11, 12, 13, 14, 15}}},
                      {u"奇数推荐(第1组)", u"奇数推荐(第2组)", u"奇数推荐(第3组)"}};
const Recommender even{u"偶数推荐",
                       isEven,
                       {{{8, 9, 10}, {10, 11, 12, 13}, {12, 14, 15, 16, 13}},
                        {{8, 9, 10}, {10, 11, 12, 13}, {13, 15, 16, 17, 14}},
                        {{8, 9, 10}, {10, 11, 12, 13}, {11, 13, 14, 15, 12}}},
                       {u"偶数推荐(第1组)", u"偶数推荐(第2组)", u"偶数推荐(第3组)"}};
const Recommender zone{u"区间推荐", inZone, {}, {nullptr, nullptr, nullptr}};

size_t gameIndex(const Game& game) {
    return game.index();
}

QStringList recommend(const TCodeArr& history, const Recommender& r, const Game& game) {
    const TRedCounts counted = CountRedHits(history, PredictWindow, game);
    QStringList lines;
    for (int g = 0; g < 3; ++g) {
        TRedCounts counts = counted;
        int competing = 0;
        for (int n = 1; n <= game.frontPool; ++n) {
            if (!r.competes(game, g, n))
                counts[n] = -1;
            else
                ++competing;
        }
        std::vector<int> ranks = r.ranks[gameIndex(game)][g];
        if (ranks.empty()) ranks = {competing - 2, competing - 1, competing};
        const TListText picked =
            RedListToText(RedListFromRanks(RankRed(counts, game), ranks), QStringLiteral(","));
        const QString heading = r.headings[g] ? QString::fromUtf16(r.headings[g])
                                              : QString::fromUtf16(r.name) + QLatin1Char('(') +
                                                    game.zoneCaption(g) + QLatin1Char(')');
        lines << heading + QString::number(picked.count) + QStringLiteral("个号");
        lines << picked.text;
    }
    return lines;
}

// One byte per ticket, 1 = kept; returns how many are kept. Kept out of line: inlined, GCC keeps
// the counter in memory (the byte stores may alias it) and the loop runs at store-forwarding speed.
[[gnu::noinline]] int64_t markKept(const TCodeList& list, std::vector<uint8_t>& keptFlags) {
    keptFlags.resize(list.size());
    uint8_t* flags = keptFlags.data();
    const TCodeRec* ticket = list.data();
    int64_t kept = 0;
    for (size_t i = 0, size = list.size(); i < size; ++i) {
        const uint8_t isKept = ticket[i].Valid == 1;
        flags[i] = isKept;
        kept += isKept;
    }
    return kept;
}

} // namespace

QStringList CombinePredict(const TCodeArr& history, const Game& game) {
    const CompoundExclusions& excluded = compoundExcluded[gameIndex(game)];
    TRedCounts red = CountRedHits(history, PredictWindow, game);
    for (int n : excluded.red)
        red[n] = -1;
    const TRedRank redRank = RankRed(red, game);

    TBlueCounts blue = CountBlueHits(history, PredictWindow, game);
    for (int n : excluded.blue)
        blue[n] = -1;
    const TBlueRank blueRank = RankBlue(blue, game);

    const QString space = QStringLiteral(" ");
    QStringList lines;
    for (int g = 0; g < 3; ++g) {
        const TListText r = RedListToText(RedListFromRanks(redRank, compoundGroups[g].red), space);
        if (game.backPool == 0) { // numbers of one pool: nothing after a "+"
            lines << QStringLiteral("复式预测(第%1组):%2个号").arg(g + 1).arg(r.count);
            lines << r.text;
            continue;
        }
        const TListText b = BlueListToText(BlueListFromRanks(blueRank, compoundGroups[g].blue), space);
        lines << QStringLiteral("复式预测(第%1组):%2+%3个号").arg(g + 1).arg(r.count).arg(b.count);
        lines << r.text + QLatin1Char('+') + b.text;
    }
    return lines;
}

const std::array<int, 3>& SingleBatchSizes() {
    return singleBatches;
}

CandidateFlags SingleRareNumbers(const TCodeArr& history) {
    const uint64_t mask = SingleRareMask(history, Game::ssq());
    CandidateFlags rare{};
    for (size_t n = 1; n <= rare.size(); ++n)
        rare[n - 1] = uint8_t(mask >> n & 1u);
    return rare;
}

uint64_t SingleRareMask(const TCodeArr& history, const Game& game) {
    const TRedRank rank = RankRed(CountRedHits(history, PredictWindow, game), game);
    uint64_t rare = 0;
    for (int r = game.frontPool - singleRareCount + 1; r <= game.frontPool; ++r)
        rare |= uint64_t(1) << rank[r];
    return rare;
}

std::vector<std::vector<uint64_t>> SingleBatchPicks(uint64_t rareMask, const Game& game) {
    const int pool = game.frontPool;
    const int picks = game.frontPicks;
    const int64_t kept = game.frontTickets() - Binomial(pool - std::popcount(rareMask), picks);
    // Every wanted ordinal with its batch and place, walked in one pass over the front tickets.
    struct Wanted {
        int64_t ordinal;
        size_t batch;
        size_t place;
    };
    std::vector<Wanted> wanted;
    std::vector<std::vector<uint64_t>> batches(singleBatches.size());
    for (size_t b = 0; b < singleBatches.size(); ++b) {
        const int n = singleBatches[b];
        const int64_t step = kept / n;
        if (step <= 0) continue;
        batches[b].resize(size_t(n));
        for (int j = 1; j <= n; ++j)
            wanted.push_back({int64_t(j) * (step - 1), b, size_t(j - 1)});
    }
    std::sort(wanted.begin(), wanted.end(),
              [](const Wanted& a, const Wanted& b) { return a.ordinal < b.ordinal; });
    std::array<int, GameLimits::kMaxFrontPicks> idx{};
    for (int k = 0; k < picks; ++k)
        idx[size_t(k)] = k + 1;
    int64_t ordinal = 0;
    size_t next = 0;
    while (next < wanted.size()) {
        uint64_t mask = 0;
        for (int k = 0; k < picks; ++k)
            mask |= uint64_t(1) << idx[size_t(k)];
        if (mask & rareMask) {
            for (; next < wanted.size() && wanted[next].ordinal == ordinal; ++next)
                batches[wanted[next].batch][wanted[next].place] = mask;
            ++ordinal;
        }
        // The next front ticket in lexicographic order.
        int k = picks - 1;
        while (k >= 0 && idx[size_t(k)] == pool - picks + 1 + k)
            --k;
        if (k < 0) break;
        ++idx[size_t(k)];
        for (int j = k + 1; j < picks; ++j)
            idx[size_t(j)] = idx[size_t(j - 1)] + 1;
    }
    return batches;
}

TSinglePrediction SinglePredict(const TCodeArr& history, const Game& game) {
    if (!game.singleListsTickets) {
        // Counted, not listed: no ticket list of the game is needed to find the picks.
        const uint64_t rare = SingleRareMask(history, game);
        TSinglePrediction result;
        result.kept = game.frontTickets() - Binomial(game.frontPool - std::popcount(rare), game.frontPicks);
        const std::vector<std::vector<uint64_t>> picks = SingleBatchPicks(rare, game);
        for (size_t b = 0; b < singleBatches.size(); ++b) {
            result.lines << QStringLiteral("单注预测(%1注):").arg(singleBatches[b]);
            for (uint64_t mask : picks[b]) {
                TCodeRec t{};
                int k = 0;
                for (int n = 1; n <= game.frontPool; ++n)
                    if (mask >> n & 1u) t.Red[k++] = int8_t(n);
                result.lines << CodeToText(t, game);
            }
            result.lines << QString();
        }
        return result;
    }
    // The two-colour ball lists its tickets: BuildCombinations also draws each ticket's hidden blue
    // from the program's one random sequence, which later commands continue.
    const CandidateFlags rare = SingleRareNumbers(history);

    TSinglePrediction result;
    TCodeList list;
    BuildCombinations(list, rare, game);
    // The walks read a one-byte copy of the Valid flags: 1 MB instead of the 25 MB list.
    std::vector<uint8_t> keptFlags;
    const int64_t kept = markKept(list, keptFlags);
    result.kept = kept;

    result.lines.reserve(3 + 100 + 200 + 500 + 3);
    for (int n : singleBatches) {
        result.lines << QStringLiteral("单注预测(%1注):").arg(n);
        for (size_t position : SpreadPicks(keptFlags, kept, n))
            result.lines << CodeToText(list[position], game);
        result.lines << QString();
    }
    return result;
}

std::vector<size_t> SpreadPicks(const std::vector<uint8_t>& keptFlags, int64_t kept, int n) {
    std::vector<size_t> picks;
    const int64_t step = n > 0 ? kept / n : 0;
    if (step <= 0) return picks;
    picks.reserve(size_t(n));
    const uint8_t* flags = keptFlags.data();
    const size_t size = keptFlags.size();
    size_t p = 0;
    for (int j = 0; j < n; ++j) {
        int64_t c = 0;
        size_t i = p;
        // Blocks that cannot reach the step are summed without a branch per ticket.
        constexpr size_t block = 32;
        while (i + block <= size) {
            unsigned sum = 0;
            for (size_t k = 0; k < block; ++k)
                sum += flags[i + k];
            if (c + sum >= step) break;
            c += sum;
            i += block;
        }
        for (; i < size; ++i) {
            c += flags[i];
            if (c == step) break;
        }
        if (i == size) break;
        picks.push_back(i);
        p = i;
    }
    return picks;
}

QStringList NerveRecommend(const TCodeArr& history, const Game& game) {
    return recommend(history, banker, game);
}
QStringList ColdCodeRecommend(const TCodeArr& history, const Game& game) {
    return recommend(history, cold, game);
}
QStringList OddNumRecommend(const TCodeArr& history, const Game& game) {
    return recommend(history, odd, game);
}
QStringList EvenNumRecommend(const TCodeArr& history, const Game& game) {
    return recommend(history, even, game);
}
QStringList AreaNumRecommend(const TCodeArr& history, const Game& game) {
    return recommend(history, zone, game);
}

QString PredictCommandName(PredictKind kind) {
    switch (kind) {
    case PredictKind::Compound:
        return QStringLiteral("复式预测");
    case PredictKind::Single:
        return QStringLiteral("单注预测");
    case PredictKind::Banker:
        return QString::fromUtf16(banker.name);
    case PredictKind::Cold:
        return QString::fromUtf16(cold.name);
    case PredictKind::Odd:
        return QString::fromUtf16(odd.name);
    case PredictKind::Even:
        return QString::fromUtf16(even.name);
    case PredictKind::Zone:
        return QString::fromUtf16(zone.name);
    }
    return QString();
}

TPredictResult RunPredict(const TCodeArr& history, PredictKind kind, const Game& game) {
    TPredictResult result;
    switch (kind) {
    case PredictKind::Compound:
        result.lines = CombinePredict(history, game);
        break;
    case PredictKind::Single: {
        TSinglePrediction single = SinglePredict(history, game);
        result.lines = std::move(single.lines);
        result.caption = single.kept;
        break;
    }
    case PredictKind::Banker:
        result.lines = NerveRecommend(history, game);
        break;
    case PredictKind::Cold:
        result.lines = ColdCodeRecommend(history, game);
        break;
    case PredictKind::Odd:
        result.lines = OddNumRecommend(history, game);
        break;
    case PredictKind::Even:
        result.lines = EvenNumRecommend(history, game);
        break;
    case PredictKind::Zone:
        result.lines = AreaNumRecommend(history, game);
        break;
    }
    result.statusText = QStringLiteral("完成 ") + PredictCommandName(kind);
    return result;
}
