#include "engine/predict/Prediction.h"

#include "engine/core/Pools.h"
#include "engine/metrics/Code.h"
#include "engine/predict/HitStats.h"
#include "engine/shrink/Combinations.h"

#include <vector>

namespace {

struct CompoundGroup {
    std::vector<int> red;
    std::vector<int> blue;
};

// Ranks chosen per group; ranks 1..20 (red) and 1..6 (blue) hold the numbers that were not
// excluded, so every red pick is one of the twenty allowed numbers.
const CompoundGroup compoundGroups[3] = {
    {{16, 19, 20, 12, 13, 14, 8, 9, 10}, {8, 6, 4}},
    {{11, 12, 13, 14, 15, 16, 17, 18, 19, 20}, {5, 7, 9}},
    {{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {3, 5, 7}},
};

constexpr int compoundRedExcluded[] = {1, 2, 3, 4, 5, 7, 9, 12, 13, 15, 16, 17, 33};
constexpr int compoundBlueExcluded[] = {1, 2, 3, 6, 7, 9, 12, 13, 15, 16};

constexpr std::array<int, 3> singleBatches{100, 200, 500};

// One member of the recommendation family; zone groups compete within their own zone.
struct Recommender {
    const char16_t* name;
    bool (*competes)(int group, int number);
    std::vector<int> ranks[3];
    const char16_t* headings[3];
};

bool isBankerNumber(int, int n) {
    return n >= 18;
}
bool isColdNumber(int, int n) {
    return n <= Pools::kSmallMax;
}
bool isOdd(int, int n) {
    return n % 2 == 1;
}
bool isEven(int, int n) {
    return n % 2 == 0;
}
bool inZone(int group, int n) {
    return n > group * 11 && n <= (group + 1) * 11;
}

const Recommender banker{u"胆码推荐",
                         isBankerNumber,
                         {{8, 11, 14}, {10, 11, 12, 13}, {12, 14, 15, 16, 13}},
                         {u"胆码推荐(第1组)", u"胆码推荐(第2组)", u"胆码推荐(第3组)"}};
const Recommender cold{u"冷码推荐",
                       isColdNumber,
                       {{8, 11, 14}, {10, 11, 12, 13}, {12, 14, 15, 16, 13}},
                       {u"冷码推荐(第1组)", u"冷码推荐(第2组)", u"冷码推荐(第3组)"}};
const Recommender odd{u"奇数推荐",
                      isOdd,
                      {{8, 9, 10}, {10, 11, 12, 13}, {13, 14, 15, 16, 17}},
                      {u"奇数推荐(第1组)", u"奇数推荐(第2组)", u"奇数推荐(第3组)"}};
const Recommender even{u"偶数推荐",
                       isEven,
                       {{8, 9, 10}, {10, 11, 12, 13}, {12, 14, 15, 16, 13}},
                       {u"偶数推荐(第1组)", u"偶数推荐(第2组)", u"偶数推荐(第3组)"}};
const Recommender zone{u"区间推荐",
                       inZone,
                       {{9, 10, 11}, {9, 10, 11}, {9, 10, 11}},
                       {u"区间推荐(01-11)", u"区间推荐(12-22)", u"区间推荐(23-33)"}};

QStringList recommend(const TCodeArr& history, const Recommender& r) {
    const TRedCounts counted = CountRedHits(history, PredictWindow);
    QStringList lines;
    for (int g = 0; g < 3; ++g) {
        TRedCounts counts = counted;
        for (int n = 1; n <= Pools::kRedPool; ++n)
            if (!r.competes(g, n)) counts[n] = -1;
        const TListText picked =
            RedListToText(RedListFromRanks(RankRed(counts), r.ranks[g]), QStringLiteral(","));
        lines << QString::fromUtf16(r.headings[g]) + QString::number(picked.count) + QStringLiteral("个号");
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

QStringList CombinePredict(const TCodeArr& history) {
    TRedCounts red = CountRedHits(history, PredictWindow);
    for (int n : compoundRedExcluded)
        red[n] = -1;
    const TRedRank redRank = RankRed(red);

    TBlueCounts blue = CountBlueHits(history, PredictWindow);
    for (int n : compoundBlueExcluded)
        blue[n] = -1;
    const TBlueRank blueRank = RankBlue(blue);

    const QString space = QStringLiteral(" ");
    QStringList lines;
    for (int g = 0; g < 3; ++g) {
        const TListText r = RedListToText(RedListFromRanks(redRank, compoundGroups[g].red), space);
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
    const TRedRank rank = RankRed(CountRedHits(history, PredictWindow));
    CandidateFlags rare{};
    for (int r = 20; r <= Pools::kRedPool; ++r)
        rare[size_t(rank[r] - 1)] = 1;
    return rare;
}

TSinglePrediction SinglePredict(const TCodeArr& history) {
    const CandidateFlags rare = SingleRareNumbers(history);

    TSinglePrediction result;
    TCodeList list;
    BuildCombinations(list, rare);
    // The walks read a one-byte copy of the Valid flags: 1 MB instead of the 25 MB list.
    std::vector<uint8_t> keptFlags;
    const int64_t kept = markKept(list, keptFlags);
    result.kept = kept;

    result.lines.reserve(3 + 100 + 200 + 500 + 3);
    for (int n : singleBatches) {
        result.lines << QStringLiteral("单注预测(%1注):").arg(n);
        for (size_t position : SpreadPicks(keptFlags, kept, n))
            result.lines << CodeToText(list[position]);
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

QStringList NerveRecommend(const TCodeArr& history) {
    return recommend(history, banker);
}
QStringList ColdCodeRecommend(const TCodeArr& history) {
    return recommend(history, cold);
}
QStringList OddNumRecommend(const TCodeArr& history) {
    return recommend(history, odd);
}
QStringList EvenNumRecommend(const TCodeArr& history) {
    return recommend(history, even);
}
QStringList AreaNumRecommend(const TCodeArr& history) {
    return recommend(history, zone);
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

TPredictResult RunPredict(const TCodeArr& history, PredictKind kind) {
    TPredictResult result;
    switch (kind) {
    case PredictKind::Compound:
        result.lines = CombinePredict(history);
        break;
    case PredictKind::Single: {
        TSinglePrediction single = SinglePredict(history);
        result.lines = std::move(single.lines);
        result.caption = single.kept;
        break;
    }
    case PredictKind::Banker:
        result.lines = NerveRecommend(history);
        break;
    case PredictKind::Cold:
        result.lines = ColdCodeRecommend(history);
        break;
    case PredictKind::Odd:
        result.lines = OddNumRecommend(history);
        break;
    case PredictKind::Even:
        result.lines = EvenNumRecommend(history);
        break;
    case PredictKind::Zone:
        result.lines = AreaNumRecommend(history);
        break;
    }
    result.statusText = QStringLiteral("完成 ") + PredictCommandName(kind);
    return result;
}
