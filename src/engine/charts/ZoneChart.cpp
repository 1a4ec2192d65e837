#include "engine/charts/ZoneChart.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"

#include <array>
#include <vector>

TColor CountColor(int count) {
    switch (count) {
    case 1:
        return CountOneColor;
    case 2:
        return CountTwoColor;
    case 3:
        return CountThreeColor;
    default:
        return clWindow;
    }
}

QString ZoneChartNoteText(const Game& game) {
    if (game.zoneNote) return QString::fromUtf16(game.zoneNote);
    return QStringLiteral("1、3分区：%1、%2、%3各为1个分区，共3个分区，%4个奖号一般分布在2到3个分区中。\r\n"
                          "2、%5分区：%6个号码为1个区，共%5个区，%4个奖号一般分布在3到%4个区。")
        .arg(game.zoneCaption(0), game.zoneCaption(1), game.zoneCaption(2))
        .arg(game.frontPicks)
        .arg(SmallZoneCount(game))
        .arg(SmallZoneSize);
}

H2NetModel FillZoneChart(const TCodeArr& history, int n) {
    return FillZoneChart(history, n, Game::ssq());
}

H2NetModel FillZoneChart(const TCodeArr& history, int n, const Game& game) {
    CheckPeriods(history, n);
    const int picks = game.frontPicks, smallZones = SmallZoneCount(game);
    const int backCol = picks + 1;
    const int zoneCol = backCol + 1;  // first of the 3 zones
    const int smallCol = zoneCol + 3; // first of the small zones
    const int lastCol = smallCol + smallZones - 1;

    QList<int> widths{66};
    for (int k = 0; k < picks; ++k)
        widths.append(28);
    widths.append(BackColumnWidth(game));
    for (int k = zoneCol; k <= lastCol; ++k)
        widths.append(28);
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);

    SetHeaderRun(m, 1, picks, 1);
    SetHeaderRun(m, zoneCol, 3, 1);
    SetHeaderRun(m, smallCol, smallZones, 1);
    const QByteArray smallCaption = QByteArray::number(smallZones) + "分区";
    SetTrendCaptions(m,
                     {{"期号", 0, 0, 0, 1},
                      {"红球号码", 1, 0, picks, 0},
                      {"蓝球", backCol, 0, backCol, 1},
                      {"3分区", zoneCol, 0, zoneCol + 2, 0},
                      {smallCaption.constData(), smallCol, 0, lastCol, 0}},
                     game);

    std::vector<int> totals(size_t(m.colsCount()));
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, backCol, game);
        std::array<int, 3> zone3{};
        std::array<int, GameLimits::kMaxFrontPool / SmallZoneSize + 1> small{};
        for (int k = 0; k < picks; ++k) {
            const int o = d.Ticket.Red[k];
            if (o < 1 || o > game.frontPool) continue;
            ++zone3[size_t(game.zoneOf(o))];
            ++small[size_t((o - 1) / SmallZoneSize)];
        }
        for (int z = 0; z < 3; ++z) {
            const int count = zone3[size_t(z)];
            const int c = zoneCol + z;
            if (count > 0) m.SetValue(row, c, TwoDigitText(count));
            m.SetCellColor(row, c, count >= 4 ? ZoneManyColor : count >= 2 ? ZoneSomeColor : ZoneFewColor);
            totals[size_t(c)] += count;
        }
        for (int z = 0; z < smallZones; ++z) {
            const int count = small[size_t(z)];
            const int c = smallCol + z;
            if (count > 0) m.SetValue(row, c, TwoDigitText(count));
            m.SetCellColor(row, c, CountColor(count));
            totals[size_t(c)] += count;
        }
    }
    WriteTotalsRow(m, n, totals.data(), zoneCol, lastCol);
    return m;
}
