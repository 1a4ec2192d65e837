#include "engine/charts/RedTrend.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/core/Pools.h"

#include <algorithm>
#include <array>

H2NetModel FillRedTrend(const TCodeArr& history, int n) {
    return FillRedDistribution(history, n, 1);
}

H2NetModel FillRedDistribution(const TCodeArr& history, int n, int start) {
    CheckPeriods(history, n);
    start = std::clamp(start, 1, Pools::kRedPool);

    QList<int> widths{66, 16, 16, 16, 16, 16, 16, 32};
    for (int k = 1; k <= Pools::kRedPool; ++k)
        widths.append(16);
    H2NetModel m;
    BeginTrendGrid(m, 10, n, widths);

    SetHeaderRun(m, 1, 6, 1);
    for (int o = 1; o <= Pools::kRedPool; ++o)
        m.SetValue(1, RotatedPosition(o, start) + 7, PlainText(o));
    SetTrendCaptions(
        m, {{"期号", 0, 0, 0, 1}, {"红球号码", 1, 0, 6, 0}, {"蓝球", 7, 0, 7, 1}, {"红球分布", 8, 0, 40, 0}});

    std::array<int, 41> totals{};
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, 7);
        for (int k = 0; k < Pools::kRedPicks; ++k) {
            const int o = d.Ticket.Red[k];
            if (o < 1 || o > Pools::kRedPool) continue;
            const int c = RotatedPosition(o, start) + 7;
            m.SetValue(row, c, TwoDigitText(o));
            m.SetCellColor(row, c, TrendRedHitColor);
            ++totals[size_t(c)];
        }
    }
    WriteTotalsRow(m, n, totals.data(), 8, 40);
    return m;
}
