#include "engine/charts/BlueTrend.h"

#include "engine/charts/ParityCharts.h"
#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/core/Pools.h"

#include <array>

H2NetModel FillBlueTrend(const TCodeArr& history, int n) {
    CheckPeriods(history, n);

    QList<int> widths{66, 32};
    for (int b = 1; b <= Pools::kBluePool; ++b)
        widths.append(20);
    widths << 22 << 22 << 22 << 22 << 22 << 32 << 32 << 32 << 32 << 32 << 32;
    H2NetModel m;
    BeginTrendGrid(m, 10, n, widths);

    SetHeaderRun(m, 2, 16, 1);
    const char* const halves[] = {"1-8", "9-16", "1-4", "5-8", "9-12", ">=13"};
    for (int k = 0; k < Pools::kRedPicks; ++k)
        m.SetValue(1, 23 + k, QString::fromUtf8(halves[k]));
    SetTrendCaptions(m, {{"期号", 0, 0, 0, 1},
                         {"蓝球", 1, 0, 1, 1},
                         {"蓝球分布", 2, 0, 17, 0},
                         {"奇", 18, 0, 18, 1},
                         {"偶", 19, 0, 19, 1},
                         {"0", 20, 0, 20, 1},
                         {"1", 21, 0, 21, 1},
                         {"2", 22, 0, 22, 1},
                         {"2分区", 23, 0, 24, 0},
                         {"4分区", 25, 0, 28, 0}});

    // Background bands from column 2: widths and colours.
    constexpr std::array<int, 5> bandWidths{16, 2, 3, 2, 4};
    const QString mark = QStringLiteral("▲");
    const QString odd = QStringLiteral("J");
    const QString even = QStringLiteral("O");

    std::array<int, 29> totals{};
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        m.SetValue(row, 0, IssueText(d));
        int c = 2;
        for (size_t band = 0; band < bandWidths.size(); ++band)
            for (int k = 0; k < bandWidths[band]; ++k)
                m.SetCellColor(row, c++, PositionColors[band]);

        const int b = FirstBlue(d.Ticket);
        if (b == 0) continue;
        const QString& text = TwoDigitText(b);
        m.SetValue(row, 1, text);
        m.SetValue(row, 1 + b, text);
        m.SetCellColor(row, 1 + b, BlueHitColor);
        ++totals[size_t(1 + b)];

        const int parityCol = b % 2 == 1 ? 18 : 19;
        m.SetValue(row, parityCol, b % 2 == 1 ? odd : even);
        ++totals[size_t(parityCol)];

        const int marked[] = {20 + b % 3, b <= 8 ? 23 : 24, 25 + (std::min(b, 13) - 1) / 4};
        for (const int col : marked) {
            m.SetValue(row, col, mark);
            ++totals[size_t(col)];
        }
    }
    WriteTotalsRow(m, n, totals.data(), 2, 28);
    return m;
}
