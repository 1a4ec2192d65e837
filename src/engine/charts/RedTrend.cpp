#include "engine/charts/RedTrend.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"

#include <algorithm>
#include <array>
#include <vector>

H2NetModel FillFrontTrend(const TCodeArr& history, int n, const Game& game) {
    return FillFrontDistribution(history, n, 1, game);
}

H2NetModel FillRedTrend(const TCodeArr& history, int n) {
    return FillFrontTrend(history, n, Game::ssq());
}

H2NetModel FillRedDistribution(const TCodeArr& history, int n, int start) {
    return FillFrontDistribution(history, n, start, Game::ssq());
}

H2NetModel FillFrontDistribution(const TCodeArr& history, int n, int start, const Game& game) {
    CheckPeriods(history, n);
    const int pool = game.frontPool, picks = game.frontPicks;
    start = std::clamp(start, 1, pool);
    const int backCol = picks + 1;    // one column holds the draw's backs
    const int firstCol = backCol + 1; // number at position 1
    const int lastCol = backCol + pool;

    QList<int> widths{66};
    for (int k = 0; k < picks; ++k)
        widths.append(16);
    widths.append(BackColumnWidth(game));
    for (int k = 1; k <= pool; ++k)
        widths.append(16);
    H2NetModel m;
    BeginTrendGrid(m, 10, n, widths);

    SetHeaderRun(m, 1, picks, 1);
    for (int o = 1; o <= pool; ++o)
        m.SetValue(1, RotatedPosition(o, start, game) + backCol, PlainText(o));
    SetTrendCaptions(m,
                     {{"期号", 0, 0, 0, 1},
                      {"红球号码", 1, 0, picks, 0},
                      {"蓝球", backCol, 0, backCol, 1},
                      {"红球分布", firstCol, 0, lastCol, 0}},
                     game);

    std::vector<int> totals(size_t(m.colsCount()));
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, backCol, game);
        for (int k = 0; k < picks; ++k) {
            const int o = d.Ticket.Red[k];
            if (o < 1 || o > pool) continue;
            const int c = RotatedPosition(o, start, game) + backCol;
            m.SetValue(row, c, TwoDigitText(o));
            m.SetCellColor(row, c, TrendRedHitColor);
            ++totals[size_t(c)];
        }
    }
    WriteTotalsRow(m, n, totals.data(), firstCol, lastCol);
    return m;
}
