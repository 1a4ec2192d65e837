#include "engine/charts/StatsCharts.h"

#include "engine/charts/Periods.h"
#include "engine/core/Pools.h"
#include "engine/metrics/Code.h"

#include <algorithm>
#include <array>

namespace {

// Writes counts 1..numbers and the scale settings shared by both charts.
template <size_t Size>
void WriteCounts(G2NetModel& m, const std::array<int32_t, Size>& counts, int minGridCount) {
    for (size_t k = 1; k < Size; ++k) {
        m.SetValue(int(k), 1, QString::number(counts[k]));
        m.SetValue(int(k), 0, QString::number(k));
    }
    const int32_t top = MaxOfList(counts);
    m.FGridStep = 20;
    m.FGridCount = std::min(20, std::max(minGridCount, top / 3));
    // With no count at all the scale is 0: the control then draws flat bars and zero labels.
    m.FScale = float(double(top) / (20.0 * m.FGridCount));
}

} // namespace

G2NetModel FillRedStats(const TCodeArr& history, int n) {
    CheckPeriodsAbove(history, n);
    G2NetModel m;
    m.SetDimension(34, 2, {0xFF0000, 0x5462FF});
    std::array<int32_t, 34> counts{};
    for (size_t i = FirstOfLatest(history, std::max(n, 0)); i < history.size(); ++i)
        for (uint8_t red : history[i].Ticket.Red)
            if (red >= 1 && red <= Pools::kRedPool) ++counts[red];
    WriteCounts(m, counts, 10);
    m.FBarWidth = 12;
    m.FGroupGap = 5;
    m.FShowFrame = true;
    return m;
}

G2NetModel FillBlueStats(const TCodeArr& history, int n) {
    CheckPeriodsAbove(history, n);
    G2NetModel m;
    m.SetDimension(17, 2, {0x0000FF, 0xFF0000});
    std::array<int32_t, 17> counts{};
    for (size_t i = FirstOfLatest(history, std::max(n, 0)); i < history.size(); ++i) {
        uint8_t blues[Pools::kBluePool];
        // A draw without a blue number counts at index 0, which is not shown.
        const int found = BlueList(history[i].Ticket, blues);
        ++counts[found > 0 ? blues[0] : 0];
    }
    WriteCounts(m, counts, 6);
    m.FBarWidth = 20;
    m.FGroupGap = 10;
    return m;
}
