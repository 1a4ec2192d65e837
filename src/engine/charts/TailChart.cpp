#include "engine/charts/TailChart.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/charts/ZoneChart.h"
#include "engine/core/Pools.h"

#include <array>

H2NetModel FillTailChart(const TCodeArr& history, int n) {
    CheckPeriods(history, n);

    QList<int> widths{66, 28, 28, 28, 28, 28, 28, 32};
    for (int k = 0; k < 10; ++k)
        widths.append(28);
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);

    SetHeaderRun(m, 1, 6, 1);
    SetHeaderRun(m, 8, 10, 0);
    SetTrendCaptions(
        m, {{"期号", 0, 0, 0, 1}, {"红球号码", 1, 0, 6, 0}, {"蓝球", 7, 0, 7, 1}, {"尾数分布", 8, 0, 17, 0}});

    std::array<int, 18> totals{};
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, 7);
        std::array<int, 10> digits{};
        for (int k = 0; k < Pools::kRedPicks; ++k)
            ++digits[size_t(d.Ticket.Red[k] % 10)];
        for (int t = 0; t < 10; ++t) {
            const int count = digits[size_t(t)];
            const int c = 8 + t;
            if (count > 0) m.SetValue(row, c, PlainText(count));
            // Digits 1..3 own four numbers each; a count of 4 gets no colour of its own.
            m.SetCellColor(row, c, CountColor(count));
            totals[size_t(c)] += count;
        }
    }
    WriteTotalsRow(m, n, totals.data(), 8, 17);
    return m;
}
