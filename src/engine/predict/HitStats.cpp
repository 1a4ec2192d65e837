#include "engine/predict/HitStats.h"

#include "engine/core/KelvoraError.h"

#include <algorithm>

namespace {

void requireDraws(const TCodeArr& history, int n) {
    if (n > 0 && history.size() < size_t(n)) throw KelvoraError(ShortHistoryMessage());
}

// Counts are signed 8-bit; a window longer than 127 draws would wrap, so the count saturates.
template <typename Counts> Counts toCounts(const std::array<int, Counts::Size + 1>& hits) {
    Counts counts;
    for (int k = 1; k <= Counts::Size; ++k)
        counts[k] = int8_t(std::min(hits[size_t(k)], 127));
    return counts;
}

// Stable by count, descending: among equal counts the smaller number ranks first. A ranked flag
// instead of an in-place mark keeps every number unique whatever negative value a caller wrote.
template <typename Rank, typename Counts> Rank rankOf(const Counts& counts, int N) {
    std::array<bool, Counts::Size + 1> ranked{};
    Rank rank;
    for (int r = 1; r <= N; ++r) {
        int best = 0;
        for (int k = 1; k <= N; ++k)
            if (!ranked[size_t(k)] && (best == 0 || counts[k] > counts[best])) best = k;
        ranked[size_t(best)] = true;
        rank[r] = int8_t(best);
    }
    return rank;
}

template <typename List> TListText listToText(const List& list, const QString& sep) {
    TListText out;
    for (int s = 1; s <= List::Size; ++s) {
        if (list[s] < 0) continue;
        if (out.count++) out.text += sep;
        out.text += QString::number(list[s]);
    }
    return out;
}

template <typename List, typename Rank> List listFromRanks(const Rank& rank, const std::vector<int>& ranks) {
    List list;
    list.fill(-1);
    int slot = 1;
    for (int r : ranks)
        if (slot <= List::Size && r >= 1 && r <= Rank::Size && rank[r] > 0) list[slot++] = rank[r];
    return list;
}

} // namespace

QString ShortHistoryMessage() {
    return QStringLiteral("开奖数据期数少于统计分析需要的期数，无法继续完成智能预测功能！！");
}

TRedCounts CountRedHits(const TCodeArr& history, int n, const Game& game) {
    requireDraws(history, n);
    std::array<int, TRedCounts::Size + 1> hits{};
    for (int i = 0; i < n; ++i) {
        const TCodeRec& t = history[history.size() - 1 - size_t(i)].Ticket;
        for (int k = 0; k < game.frontPicks; ++k)
            if (t.Red[k] >= 1 && t.Red[k] <= game.frontPool) ++hits[t.Red[k]];
    }
    return toCounts<TRedCounts>(hits);
}

TBlueCounts CountBlueHits(const TCodeArr& history, int n, const Game& game) {
    requireDraws(history, n);
    std::array<int, TBlueCounts::Size + 1> hits{};
    for (int i = 0; i < n; ++i) {
        const TCodeRec& t = history[history.size() - 1 - size_t(i)].Ticket;
        for (int b = 1; b <= game.backPool; ++b)
            if (t.Blue[b - 1]) ++hits[size_t(b)];
    }
    return toCounts<TBlueCounts>(hits);
}

TRedRank RankRed(TRedCounts counts, const Game& game) {
    return rankOf<TRedRank>(counts, game.frontPool);
}
TBlueRank RankBlue(TBlueCounts counts, const Game& game) {
    return rankOf<TBlueRank>(counts, game.backPool);
}

TListText RedListToText(const TRedList& list, const QString& sep) {
    return listToText(list, sep);
}
TListText BlueListToText(const TBlueList& list, const QString& sep) {
    return listToText(list, sep);
}

TRedList RedListFromRanks(const TRedRank& rank, const std::vector<int>& ranks) {
    return listFromRanks<TRedList>(rank, ranks);
}

TBlueList BlueListFromRanks(const TBlueRank& rank, const std::vector<int>& ranks) {
    return listFromRanks<TBlueList>(rank, ranks);
}
