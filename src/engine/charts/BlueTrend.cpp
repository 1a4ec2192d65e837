#include "engine/charts/BlueTrend.h"

#include "engine/charts/ParityCharts.h"
#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"

#include <algorithm>
#include <array>
#include <vector>

H2NetModel FillBlueTrend(const TCodeArr& history, int n) {
    return FillBackTrend(history, n, Game::ssq());
}

H2NetModel FillBackTrend(const TCodeArr& history, int n, const Game& game) {
    CheckPeriods(history, n);
    const int pool = game.backPool;
    const int half = pool / 2, quarter = pool / 4;
    // Columns after the distribution: odd, even, remainders 0..2, two halves, four quarters.
    const int oddCol = 2 + pool, modCol = oddCol + 2, halfCol = modCol + 3, quarterCol = halfCol + 2;
    const int lastCol = quarterCol + 3;

    QList<int> widths{66, BackColumnWidth(game)};
    for (int b = 1; b <= pool; ++b)
        widths.append(20);
    widths << 22 << 22 << 22 << 22 << 22 << 32 << 32 << 32 << 32 << 32 << 32;
    H2NetModel m;
    BeginTrendGrid(m, 10, n, widths);

    SetHeaderRun(m, 2, pool, 1);
    const auto range = [](int from, int to) { return QStringLiteral("%1-%2").arg(from).arg(to); };
    const QString halves[] = {range(1, half),
                              range(half + 1, pool),
                              range(1, quarter),
                              range(quarter + 1, 2 * quarter),
                              range(2 * quarter + 1, 3 * quarter),
                              QStringLiteral(">=%1").arg(3 * quarter + 1)};
    for (int k = 0; k < 6; ++k)
        m.SetValue(1, halfCol + k, halves[k]);
    SetTrendCaptions(m,
                     {{"期号", 0, 0, 0, 1},
                      {"蓝球", 1, 0, 1, 1},
                      {"蓝球分布", 2, 0, 1 + pool, 0},
                      {"奇", oddCol, 0, oddCol, 1},
                      {"偶", oddCol + 1, 0, oddCol + 1, 1},
                      {"0", modCol, 0, modCol, 1},
                      {"1", modCol + 1, 0, modCol + 1, 1},
                      {"2", modCol + 2, 0, modCol + 2, 1},
                      {"2分区", halfCol, 0, halfCol + 1, 0},
                      {"4分区", quarterCol, 0, lastCol, 0}},
                     game);

    // Background bands from column 2: widths and colours.
    const std::array<int, 5> bandWidths{pool, 2, 3, 2, 4};
    const QString mark = QStringLiteral("▲");
    const QString odd = QStringLiteral("J");
    const QString even = QStringLiteral("O");

    std::vector<int> totals(size_t(m.colsCount()));
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        m.SetValue(row, 0, IssueText(d));
        int c = 2;
        for (size_t band = 0; band < bandWidths.size(); ++band)
            for (int k = 0; k < bandWidths[band]; ++k)
                m.SetCellColor(row, c++, PositionColors[band]);

        int backs[GameLimits::kMaxBackPicks];
        const int found = BackNumbers(d.Ticket, game, backs);
        if (found == 0) continue;
        m.SetValue(row, 1, found == 1 ? TwoDigitText(backs[0]) : BacksText(d.Ticket, game));
        // A mark column shows its mark once for every back number that has it.
        int markedCols[4 * GameLimits::kMaxBackPicks];
        int markCount = 0;
        for (int k = 0; k < found; ++k) {
            const int b = backs[k];
            m.SetValue(row, 1 + b, TwoDigitText(b));
            m.SetCellColor(row, 1 + b, BlueHitColor);
            ++totals[size_t(1 + b)];
            const int marked[] = {b % 2 == 1 ? oddCol : oddCol + 1, modCol + b % 3,
                                  b <= half ? halfCol : halfCol + 1,
                                  quarterCol + (std::min(b, 3 * quarter + 1) - 1) / quarter};
            for (const int col : marked) {
                markedCols[markCount++] = col;
                ++totals[size_t(col)];
            }
        }
        for (int j = 0; j < markCount; ++j) {
            const int col = markedCols[j];
            if (std::find(markedCols, markedCols + j, col) != markedCols + j) continue; // written already
            const int times = int(std::count(markedCols + j, markedCols + markCount, col));
            const QString& text = col == oddCol ? odd : col == oddCol + 1 ? even : mark;
            m.SetValue(row, col, times == 1 ? text : text.repeated(times));
        }
    }
    WriteTotalsRow(m, n, totals.data(), 2, lastCol);
    return m;
}
