// "显示遗漏" and the hover text count, for each draw row and column of a trend grid, the draws since
// the column's last mark; on the red trend chart that is the omission of each number in the history.
#include "ChartHistory.h"
#include "engine/charts/H2NetLayout.h"
#include "engine/charts/RedTrend.h"
#include "engine/charts/TrendOmission.h"

#include <QtTest>

using namespace chart_test;

class TestTrendOmission : public QObject {
    Q_OBJECT

  private slots:
    void redTrendOmissionsAreTheNumbersOmissions_data() {
        QTest::addColumn<int>("periods");
        QTest::newRow("1 draw") << 1;
        QTest::newRow("30 draws") << 30;
        QTest::newRow("300 draws") << 300;
    }
    void redTrendOmissionsAreTheNumbersOmissions() {
        QFETCH(int, periods);
        const TCodeArr& h = SampleHistory();
        const H2NetModel grid = FillRedTrend(h, periods);
        const H2NetModel shown = WithOmissionCounts(grid);
        const std::vector<std::vector<int>> counts = TrendOmissions(grid);
        QCOMPARE(int(counts.size()), periods);
        for (int r = 0; r < periods; ++r) {
            // Row r is draw size-1-r; walk back through the window from it.
            const size_t first = h.size() - size_t(periods);
            for (int k = 1; k <= 33; ++k) {
                int since = 0;
                for (size_t i = h.size() - 1 - size_t(r); i + 1 > first; --i) {
                    const auto& red = h[i].Ticket.Red;
                    if (std::find(std::begin(red), std::end(red), k) != std::end(red)) break;
                    ++since;
                }
                const int col = 7 + k;
                QCOMPARE(counts[size_t(r)][size_t(col)], since);
                QCOMPARE(TrendOmissionAt(grid, r, col), since);
                QCOMPARE(shown.GetValue(grid.fixRowCount() + r, col),
                         since ? QString::number(since) : grid.GetValue(grid.fixRowCount() + r, col));
            }
        }
        // The totals row stays as it was.
        const int totals = grid.rowCount() - 1;
        for (int c = 0; c < grid.colsCount(); ++c)
            QCOMPARE(shown.GetValue(totals, c), grid.GetValue(totals, c));
    }

    void cellAt_data() {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("topRow");
        QTest::addColumn<QPoint>("cell");
        // Columns 66, 16, 32 wide from x = 1; rows 20 high with 1-pixel lines from y = 1.
        QTest::newRow("first header cell") << QPoint(1, 1) << 0 << QPoint(0, 0);
        QTest::newRow("on the line below it") << QPoint(10, 21) << 0 << QPoint(-1, -1);
        QTest::newRow("first data row") << QPoint(70, 50) << 0 << QPoint(1, 2);
        QTest::newRow("scrolled data row") << QPoint(70, 50) << 6 << QPoint(1, 8);
        QTest::newRow("scrolled past the end") << QPoint(70, 50) << 9 << QPoint(1, 8);
        QTest::newRow("header while scrolled") << QPoint(90, 30) << 6 << QPoint(2, 1);
        QTest::newRow("on a column line") << QPoint(67, 50) << 0 << QPoint(-1, -1);
        QTest::newRow("right of the grid") << QPoint(200, 50) << 0 << QPoint(-1, -1);
        QTest::newRow("below the last row") << QPoint(70, 12 * 21 + 5) << 0 << QPoint(-1, -1);
    }
    void cellAt() {
        QFETCH(QPoint, pos);
        QFETCH(int, topRow);
        QFETCH(QPoint, cell);
        H2NetModel m;
        m.SetDimension(3, 10, 2, {66, 16, 32});
        // Four data rows fit under the header; the layout keeps the scroll position in 0..6.
        QCOMPARE(H2NetCellAt(m, LayoutH2Net(m, 6 * 21, topRow), pos), cell);
    }
};

QTEST_GUILESS_MAIN(TestTrendOmission)
#include "tst_trendomission.moc"
