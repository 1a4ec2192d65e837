#include "engine/prize/PrizeTiers.h"

int PrizeTier(int redHits, bool blueHit) {
    switch (redHits) {
    case 6:
        return blueHit ? 1 : 2;
    case 5:
        return blueHit ? 3 : 4;
    case 4:
        return blueHit ? 4 : 5;
    case 3:
        return blueHit ? 5 : 0;
    default:
        return blueHit ? 6 : 0;
    }
}

int64_t TierPrize(int tier) {
    static const int64_t prizes[7] = {0, 0, 0, 3000, 200, 10, 5};
    return tier >= 0 && tier <= 6 ? prizes[tier] : 0;
}

QString TierName(int tier) {
    static const char16_t* const names[7] = {u"未中奖", u"一等奖", u"二等奖", u"三等奖",
                                             u"四等奖", u"五等奖", u"六等奖"};
    return tier >= 0 && tier <= 6 ? QString::fromUtf16(names[tier]) : QString();
}

int64_t FixedPrize(const TierCounts& tiers) {
    int64_t sum = 0;
    for (int t = 0; t < 6; ++t)
        sum += tiers[t] * TierPrize(t + 1);
    return sum;
}
