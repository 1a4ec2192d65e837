#include "engine/charts/BlueTrend.h"

#include "engine/charts/ParityCharts.h"
#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <vector>

H2NetModel FillBlueTrend(const TCodeArr& history, int n) {
    return FillBackTrend(history, n, Game::ssq());
}

namespace {

// The zones of the side numbers: four quarters of a back pool (the last one open: ">=13"), or the
// game's three front zones for a special number drawn from the front pool.
struct SideZones {
    QString caption;
    QStringList headers;
    std::vector<int> ends; // last number of each zone
};

SideZones SideZonesOf(const Game& game) {
    SideZones z;
    const auto range = [](int from, int to) { return QStringLiteral("%1-%2").arg(from).arg(to); };
    if (game.backPicks > 0) {
        const int quarter = game.backPool / 4;
        z.caption = QStringLiteral("4分区");
        z.headers << range(1, quarter) << range(quarter + 1, 2 * quarter) << range(2 * quarter + 1, 3 * quarter)
                  << QStringLiteral(">=%1").arg(3 * quarter + 1);
        z.ends = {quarter, 2 * quarter, 3 * quarter, game.backPool};
        return z;
    }
    z.caption = QStringLiteral("3分区");
    for (int k = 0; k < 3; ++k) {
        z.headers << range(k == 0 ? 1 : game.zoneEnd[k - 1] + 1, game.zoneEnd[k]);
        z.ends.push_back(game.zoneEnd[k]);
    }
    return z;
}

} // namespace

H2NetModel FillBackTrend(const TCodeArr& history, int n, const Game& game) {
    CheckPeriods(history, n);
    const int pool = game.sidePool();
    const int half = pool / 2;
    const SideZones zones = SideZonesOf(game);
    const int zoneCount = int(zones.ends.size());
    // Columns after the distribution: odd, even, remainders 0..2, two halves, the zones.
    const int oddCol = 2 + pool, modCol = oddCol + 2, halfCol = modCol + 3, zoneCol = halfCol + 2;
    const int lastCol = zoneCol + zoneCount - 1;

    QList<int> widths{66, BackColumnWidth(game)};
    for (int b = 1; b <= pool; ++b)
        widths.append(20);
    widths << 22 << 22 << 22 << 22 << 22 << 32 << 32;
    for (int z = 0; z < zoneCount; ++z)
        widths.append(32);
    H2NetModel m;
    BeginTrendGrid(m, 10, n, widths);

    SetHeaderRun(m, 2, pool, 1);
    m.SetValue(1, halfCol, QStringLiteral("%1-%2").arg(1).arg(half));
    m.SetValue(1, halfCol + 1, QStringLiteral("%1-%2").arg(half + 1).arg(pool));
    for (int z = 0; z < zoneCount; ++z)
        m.SetValue(1, zoneCol + z, zones.headers[z]);
    const QByteArray zoneCaption = zones.caption.toUtf8();
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
                      {zoneCaption.constData(), zoneCol, 0, lastCol, 0}},
                     game);

    // Background bands from column 2: widths and colours.
    const std::array<int, 5> bandWidths{pool, 2, 3, 2, zoneCount};
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

        int side[MaxSidePicks];
        const int found = SideNumbers(d.Ticket, game, side);
        if (found == 0) continue;
        m.SetValue(row, 1, SideText(d.Ticket, game));
        // A mark column shows its mark once for every side number that has it.
        int markedCols[4 * MaxSidePicks];
        int markCount = 0;
        for (int k = 0; k < found; ++k) {
            const int b = side[k];
            m.SetValue(row, 1 + b, TwoDigitText(b));
            m.SetCellColor(row, 1 + b, BlueHitColor);
            ++totals[size_t(1 + b)];
            const int zone = int(std::lower_bound(zones.ends.begin(), zones.ends.end(), b) - zones.ends.begin());
            const int marked[] = {b % 2 == 1 ? oddCol : oddCol + 1, modCol + b % 3,
                                  b <= half ? halfCol : halfCol + 1, zoneCol + std::min(zone, zoneCount - 1)};
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
