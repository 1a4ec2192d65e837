#include "engine/charts/ParityCharts.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/metrics/Code.h"

const std::array<TColor, 7> PositionColors{0xEFD155, 0xDEA3C4, 0xB5E463, 0xEFD155,
                                           0xF495C1, 0xC5E483, 0xEF59E5};

namespace {

struct ParityKind {
    const char* first;   // letter of the first class (first column of a pair)
    const char* second;  // letter of the second class
    const char* caption; // over the count columns 22..29
    bool (*isFirst)(int number);
    int32_t (*count)(const TCodeRec& ticket);
};

bool isOdd(int number) {
    return number % 2 == 1;
}
bool isBigTail(int number) {
    return number % 10 >= 5;
}

H2NetModel fillParity(const TCodeArr& history, int n, const ParityKind& kind) {
    CheckPeriods(history, n);

    QList<int> widths{66, 20, 20, 20, 20, 20, 20, 32};
    for (int k = 8; k <= 21; ++k)
        widths.append(22);
    for (int k = 22; k <= 29; ++k)
        widths.append(24);
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);

    const QString first = QString::fromUtf8(kind.first);
    const QString second = QString::fromUtf8(kind.second);
    SetHeaderRun(m, 1, 6, 1);
    for (int p = 0; p < 7; ++p) {
        m.SetValue(1, 8 + 2 * p, first);
        m.SetValue(1, 9 + 2 * p, second);
    }
    m.SetValue(1, 22, QStringLiteral("数"));
    SetHeaderRun(m, 23, 7, 0);

    m.SetMergeCount(11);
    const auto merge = [&m](int index, int left, int top, int right, int bottom, const QString& text) {
        m.SetMerge(index, true, QPoint(left, top), QPoint(right, bottom), text, m.FFixColor);
    };
    merge(0, 0, 0, 0, 1, QStringLiteral("期号"));
    merge(1, 1, 0, 6, 0, QStringLiteral("红球号码"));
    merge(2, 7, 0, 7, 1, QStringLiteral("蓝球"));
    for (int k = 1; k <= 6; ++k)
        merge(2 + k, 2 * k + 6, 0, 2 * k + 7, 0, QStringLiteral("第%1位").arg(k));
    merge(9, 20, 0, 21, 0, QStringLiteral("蓝球"));
    merge(10, 22, 0, 29, 0, QString::fromUtf8(kind.caption));

    std::array<int, 30> totals{};
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, 7);
        for (int p = 0; p < 7; ++p) {
            m.SetCellColor(row, 8 + 2 * p, PositionColors[size_t(p)]);
            m.SetCellColor(row, 9 + 2 * p, PositionColors[size_t(p)]);
        }
        for (int c = 22; c <= 29; ++c)
            m.SetCellColor(row, c, PositionColors[1]);

        for (int k = 1; k <= 6; ++k) {
            const bool isFirst = kind.isFirst(d.Ticket.Red[k - 1]);
            const int c = isFirst ? 2 * k + 6 : 2 * k + 7;
            m.SetValue(row, c, isFirst ? first : second);
            ++totals[size_t(c)];
        }
        if (const int b = FirstBlue(d.Ticket)) {
            const bool isFirst = kind.isFirst(b);
            const int c = isFirst ? 20 : 21;
            m.SetValue(row, c, isFirst ? first : second);
            ++totals[size_t(c)];
        }
        const int count = kind.count(d.Ticket);
        m.SetValue(row, 22, PlainText(count));
        m.SetCellColor(row, 22, PositionColors[0]);
        m.SetValue(row, 23 + count, PlainText(count));
        m.SetCellColor(row, 23 + count, CountHitColor);
        ++totals[size_t(23 + count)];
    }
    // Column 22 has no total of its own and shows 0.
    WriteTotalsRow(m, n, totals.data(), 8, 29);
    return m;
}

} // namespace

H2NetModel FillOddEvenChart(const TCodeArr& history, int n) {
    static const ParityKind kind{"J", "O", "奇数个数", isOdd, OddCount};
    return fillParity(history, n, kind);
}

H2NetModel FillBigSmallChart(const TCodeArr& history, int n) {
    static const ParityKind kind{"D", "X", "大数个数", isBigTail, BigTailCount};
    return fillParity(history, n, kind);
}
