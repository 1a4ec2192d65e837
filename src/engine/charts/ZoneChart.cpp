#include "engine/charts/ZoneChart.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/core/Pools.h"

#include <array>

const char* const ZoneChartNote =
    "1、3分区：11个号码为1个分区，共3个分区，6个奖号一般分布在2到3个分区中。\r\n"
    "2、11分区：3个号码为1个区，共11个区，6个奖号一般分布在4到6个区。";

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

H2NetModel FillZoneChart(const TCodeArr& history, int n) {
    CheckPeriods(history, n);

    QList<int> widths{66, 28, 28, 28, 28, 28, 28, 32};
    for (int k = 0; k < 14; ++k)
        widths.append(28);
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);

    SetHeaderRun(m, 1, 6, 1);
    SetHeaderRun(m, 8, 3, 1);
    SetHeaderRun(m, 11, 11, 1);
    SetTrendCaptions(m, {{"期号", 0, 0, 0, 1},
                         {"红球号码", 1, 0, 6, 0},
                         {"蓝球", 7, 0, 7, 1},
                         {"3分区", 8, 0, 10, 0},
                         {"11分区", 11, 0, 21, 0}});

    std::array<int, 22> totals{};
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, 7);
        std::array<int, 4> zone3{};
        std::array<int, 12> zone11{};
        for (int k = 0; k < Pools::kRedPicks; ++k) {
            const int o = d.Ticket.Red[k];
            if (o < 1 || o > Pools::kRedPool) continue;
            ++zone3[size_t((o - 1) / 11 + 1)];
            ++zone11[size_t((o - 1) / 3 + 1)];
        }
        for (int z = 1; z <= 3; ++z) {
            const int count = zone3[size_t(z)];
            const int c = 7 + z;
            if (count > 0) m.SetValue(row, c, TwoDigitText(count));
            m.SetCellColor(row, c, count >= 4 ? ZoneManyColor : count >= 2 ? ZoneSomeColor : ZoneFewColor);
            totals[size_t(c)] += count;
        }
        for (int z = 1; z <= 11; ++z) {
            const int count = zone11[size_t(z)];
            const int c = 10 + z;
            if (count > 0) m.SetValue(row, c, TwoDigitText(count));
            m.SetCellColor(row, c, CountColor(count));
            totals[size_t(c)] += count;
        }
    }
    WriteTotalsRow(m, n, totals.data(), 8, 21);
    return m;
}
