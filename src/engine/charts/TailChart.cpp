#include "engine/charts/TailChart.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/charts/ZoneChart.h"

#include <array>
#include <vector>

H2NetModel FillTailChart(const TCodeArr& history, int n) {
    return FillTailChart(history, n, Game::ssq());
}

H2NetModel FillTailChart(const TCodeArr& history, int n, const Game& game) {
    CheckPeriods(history, n);
    const int picks = game.frontPicks;
    const int backCol = picks + 1;
    const int firstCol = backCol + 1, lastCol = firstCol + 9;

    QList<int> widths{66};
    for (int k = 0; k < picks; ++k)
        widths.append(28);
    widths.append(BackColumnWidth(game));
    for (int k = 0; k < 10; ++k)
        widths.append(28);
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);

    SetHeaderRun(m, 1, picks, 1);
    SetHeaderRun(m, firstCol, 10, 0);
    SetTrendCaptions(m,
                     {{"期号", 0, 0, 0, 1},
                      {"红球号码", 1, 0, picks, 0},
                      {"蓝球", backCol, 0, backCol, 1},
                      {"尾数分布", firstCol, 0, lastCol, 0}},
                     game);

    std::vector<int> totals(size_t(m.colsCount()));
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, backCol, game);
        std::array<int, 10> digits{};
        for (int k = 0; k < picks; ++k)
            ++digits[size_t(d.Ticket.Red[k] % 10)];
        for (int t = 0; t < 10; ++t) {
            const int count = digits[size_t(t)];
            const int c = firstCol + t;
            if (count > 0) m.SetValue(row, c, PlainText(count));
            // Digits 1..3 own four numbers each; a count of 4 gets no colour of its own.
            m.SetCellColor(row, c, CountColor(count));
            totals[size_t(c)] += count;
        }
    }
    WriteTotalsRow(m, n, totals.data(), firstCol, lastCol);
    return m;
}
