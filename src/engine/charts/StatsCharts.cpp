#include "engine/charts/StatsCharts.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/metrics/Code.h"

#include <algorithm>
#include <vector>

namespace {

// Writes counts 1..numbers and the scale settings shared by both charts.
void WriteCounts(G2NetModel& m, const std::vector<int32_t>& counts, int minGridCount) {
    for (size_t k = 1; k < counts.size(); ++k) {
        m.SetValue(int(k), 1, QString::number(counts[k]));
        m.SetValue(int(k), 0, QString::number(k));
    }
    const int32_t top = MaxOfList(counts);
    // The chart grows with the largest count, 20 pixels a step from minGridCount to 20 steps; the
    // labels are round whole numbers within that height.
    m.SetValueAxis(top, 20 * std::min(20, std::max(minGridCount, top / 3)));
}

} // namespace

G2NetModel FillFrontStats(const TCodeArr& history, int n, const Game& game) {
    CheckPeriodsAbove(history, n);
    G2NetModel m;
    m.SetDimension(game.frontPool + 1, 2, {0xFF0000, 0x5462FF});
    std::vector<int32_t> counts(size_t(game.frontPool) + 1);
    for (size_t i = FirstOfLatest(history, std::max(n, 0)); i < history.size(); ++i)
        for (int k = 0; k < game.frontPicks; ++k) {
            const int front = history[i].Ticket.Red[k];
            if (front >= 1 && front <= game.frontPool) ++counts[size_t(front)];
        }
    WriteCounts(m, counts, 10);
    m.FBarWidth = 12;
    m.FGroupGap = 5;
    m.FShowFrame = true;
    return m;
}

G2NetModel FillBackStats(const TCodeArr& history, int n, const Game& game) {
    CheckPeriodsAbove(history, n);
    const int pool = game.sidePool();
    G2NetModel m;
    m.SetDimension(pool + 1, 2, {0x0000FF, 0xFF0000});
    std::vector<int32_t> counts(size_t(pool) + 1);
    for (size_t i = FirstOfLatest(history, std::max(n, 0)); i < history.size(); ++i) {
        int side[MaxSidePicks];
        const int found = SideNumbers(history[i].Ticket, game, side);
        // A draw without a side number counts at index 0, which is not shown.
        if (found == 0) ++counts[0];
        for (int k = 0; k < found; ++k)
            ++counts[size_t(side[k])];
    }
    WriteCounts(m, counts, 6);
    // A pool as large as a front pool is drawn with the front chart's narrow bars.
    const bool narrow = pool > GameLimits::kMaxBackPool;
    m.FBarWidth = narrow ? 12 : 20;
    m.FGroupGap = narrow ? 5 : 10;
    return m;
}

G2NetModel FillRedStats(const TCodeArr& history, int n) {
    return FillFrontStats(history, n, Game::ssq());
}

G2NetModel FillBlueStats(const TCodeArr& history, int n) {
    return FillBackStats(history, n, Game::ssq());
}
