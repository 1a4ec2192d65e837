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

H2NetModel fillParity(const TCodeArr& history, int n, const ParityKind& kind, const Game& game) {
    CheckPeriods(history, n);
    const int picks = game.frontPicks, backs = game.sidePicks();
    const int backCol = picks + 1;
    const int pairCol = backCol + 1;                    // first column of the first position's pair
    const int countCol = pairCol + 2 * (picks + backs); // the draw's count
    const int lastCol = countCol + picks + 1;           // distribution 0..picks after it

    QList<int> widths{66};
    for (int k = 0; k < picks; ++k)
        widths.append(20);
    widths.append(BackColumnWidth(game));
    for (int k = pairCol; k < countCol; ++k)
        widths.append(22);
    for (int k = countCol; k <= lastCol; ++k)
        widths.append(24);
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);

    const QString first = QString::fromUtf8(kind.first);
    const QString second = QString::fromUtf8(kind.second);
    // The side pairs take the last colours of the table (the two-colour ball's blue pair is the
    // seventh), the fronts cycle through the ones before.
    const int frontColors = int(PositionColors.size()) - backs;
    const auto colorOf = [&](int position) {
        const int index = position < picks ? position % frontColors : frontColors + position - picks;
        return PositionColors[size_t(index) % PositionColors.size()];
    };
    SetHeaderRun(m, 1, picks, 1);
    for (int p = 0; p < picks + backs; ++p) {
        m.SetValue(1, pairCol + 2 * p, first);
        m.SetValue(1, pairCol + 1 + 2 * p, second);
    }
    m.SetValue(1, countCol, QStringLiteral("数"));
    SetHeaderRun(m, countCol + 1, picks + 1, 0);

    m.SetMergeCount(4 + picks + backs);
    const auto merge = [&m](int index, int left, int top, int right, int bottom, const QString& text) {
        m.SetMerge(index, true, QPoint(left, top), QPoint(right, bottom), text, m.FFixColor);
    };
    merge(0, 0, 0, 0, 1, QStringLiteral("期号"));
    merge(1, 1, 0, picks, 0, ChartWords("红球号码", game));
    merge(2, backCol, 0, backCol, 1, ChartWords("蓝球", game));
    for (int k = 1; k <= picks; ++k)
        merge(2 + k, pairCol + 2 * (k - 1), 0, pairCol + 2 * k - 1, 0, QStringLiteral("第%1位").arg(k));
    for (int b = 0; b < backs; ++b) {
        const int c = pairCol + 2 * (picks + b);
        merge(3 + picks + b, c, 0, c + 1, 0,
              backs == 1 ? ChartWords("蓝球", game) : game.side() + QString::number(b + 1));
    }
    merge(3 + picks + backs, countCol, 0, lastCol, 0, QString::fromUtf8(kind.caption));

    std::vector<int> totals(size_t(m.colsCount()));
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = history[history.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, d, true, backCol, game);
        for (int p = 0; p < picks + backs; ++p) {
            m.SetCellColor(row, pairCol + 2 * p, colorOf(p));
            m.SetCellColor(row, pairCol + 1 + 2 * p, colorOf(p));
        }
        for (int c = countCol + 1; c <= lastCol; ++c)
            m.SetCellColor(row, c, PositionColors[1]);

        const auto markPair = [&](int position, int number) {
            const bool isFirst = kind.isFirst(number);
            const int c = pairCol + 2 * position + (isFirst ? 0 : 1);
            m.SetValue(row, c, isFirst ? first : second);
            ++totals[size_t(c)];
        };
        for (int k = 0; k < picks; ++k)
            markPair(k, d.Ticket.Red[k]);
        int side[MaxSidePicks];
        const int found = SideNumbers(d.Ticket, game, side);
        for (int b = 0; b < found; ++b)
            markPair(picks + b, side[b]);

        const int count = kind.count(d.Ticket);
        m.SetValue(row, countCol, PlainText(count));
        m.SetCellColor(row, countCol, PositionColors[0]);
        m.SetValue(row, countCol + 1 + count, PlainText(count));
        m.SetCellColor(row, countCol + 1 + count, CountHitColor);
        ++totals[size_t(countCol + 1 + count)];
    }
    // The count column has no total of its own and shows 0.
    WriteTotalsRow(m, n, totals.data(), pairCol, lastCol);
    return m;
}

} // namespace

H2NetModel FillOddEvenChart(const TCodeArr& history, int n, const Game& game) {
    static const ParityKind kind{"J", "O", "奇数个数", isOdd, OddCount};
    return fillParity(history, n, kind, game);
}

H2NetModel FillOddEvenChart(const TCodeArr& history, int n) {
    return FillOddEvenChart(history, n, Game::ssq());
}

H2NetModel FillBigSmallChart(const TCodeArr& history, int n, const Game& game) {
    static const ParityKind kind{"D", "X", "大数个数", isBigTail, BigTailCount};
    return fillParity(history, n, kind, game);
}

H2NetModel FillBigSmallChart(const TCodeArr& history, int n) {
    return FillBigSmallChart(history, n, Game::ssq());
}
