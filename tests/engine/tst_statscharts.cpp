#include "ChartHistory.h"
#include "engine/charts/StatsCharts.h"
#include "engine/core/KelvoraError.h"

#include <QTest>

using namespace chart_test;

class TestStatsCharts : public QObject {
    Q_OBJECT

  private:
    static int BarSum(const G2NetModel& m) {
        int s = 0;
        for (int k = 1; k <= m.dynColCount(); ++k)
            s += m.GetValue(k, 1).toInt();
        return s;
    }

  private slots:
    void redLayout() {
        const G2NetModel m = FillRedStats(Cycle(10), 10);
        QCOMPARE(m.dynColCount(), 33);
        QCOMPARE(m.dynRowCount(), 1);
        QCOMPARE(m.seriesColor(1), TColor(0x5462FF));
        QCOMPARE(m.FBarWidth, 12);
        QCOMPARE(m.FGroupGap, 5);
        QCOMPARE(m.FGridCount * m.FGridStep, 200); // ten steps' height, whatever the labels' step
        QVERIFY(m.FShowFrame);
        QVERIFY(m.FShowValues);
        QVERIFY(m.FTitle.isEmpty());
        for (int k = 1; k <= 33; ++k)
            QCOMPARE(m.GetValue(k, 0), QString::number(k));
    }

    void blueLayout() {
        const G2NetModel m = FillBlueStats(Cycle(10), 10);
        QCOMPARE(m.dynColCount(), 16);
        QCOMPARE(m.seriesColor(1), TColor(0xFF0000));
        QCOMPARE(m.FBarWidth, 20);
        QCOMPARE(m.FGroupGap, 10);
        QCOMPARE(m.GetValue(16, 0), QStringLiteral("16"));
    }

    void countsOnlyTheWindow() {
        // Number 5 drawn in the oldest draw only; the window of the latest 2 must miss it.
        const TCodeArr h{Draw(2005001, {5, 6, 7, 8, 9, 10}, 3), Draw(2005002, {1, 2, 3, 4, 6, 11}, 3),
                         Draw(2005003, {1, 2, 3, 4, 7, 12}, 4)};
        const G2NetModel red = FillRedStats(h, 2);
        QCOMPARE(red.GetValue(5, 1), QStringLiteral("0"));
        QCOMPARE(red.GetValue(1, 1), QStringLiteral("2"));
        QCOMPARE(red.GetValue(6, 1), QStringLiteral("1"));
        const G2NetModel blue = FillBlueStats(h, 2);
        QCOMPARE(blue.GetValue(3, 1), QStringLiteral("1"));
        QCOMPARE(blue.GetValue(4, 1), QStringLiteral("1"));
        QCOMPARE(FillBlueStats(h, 3).GetValue(3, 1), QStringLiteral("2"));
    }

    void sumsOverSample() {
        const TCodeArr& h = SampleHistory();
        QVERIFY(h.size() > 3000);
        for (int n : {1, 30, 100, int(h.size())}) {
            QCOMPARE(BarSum(FillRedStats(h, n)), 6 * n);
            QCOMPARE(BarSum(FillBlueStats(h, n)), n);
        }
    }

    void drawWithoutBlueIsNotShown() {
        const TCodeArr h{Draw(2005001, {1, 2, 3, 4, 5, 6}, 0), Draw(2005002, {1, 2, 3, 4, 5, 6}, 9)};
        const G2NetModel m = FillBlueStats(h, 2);
        QCOMPARE(BarSum(m), 1);
        QCOMPARE(m.GetValue(9, 1), QStringLiteral("1"));
    }

    void scale_data() {
        QTest::addColumn<bool>("red");
        QTest::addColumn<int>("draws"); // every draw holds number 1 and blue 1
        QTest::addColumn<int>("gridCount");
        QTest::addColumn<QStringList>("labels"); // grid lines 0.. gridCount

        // Round steps within the chart's height (20 pixels a step from 10, blue 6, up to 20 steps).
        QTest::newRow("red M=30") << true << 30 << 6 << QStringList{"0", "5", "10", "15", "20", "25", "30"};
        QTest::newRow("red M=9, every whole number")
            << true << 9 << 9 << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        QTest::newRow("red M=8") << true << 8 << 8
                                 << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8"};
        QTest::newRow("red M=45") << true << 45 << 9 << QStringList{};
        QTest::newRow("red M=90 capped") << true << 90 << 18 << QStringList{};
        QTest::newRow("red M=0") << true << 0 << 10
                                 << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QTest::newRow("blue M=0") << false << 0 << 6 << QStringList{"0", "1", "2", "3", "4", "5", "6"};
        QTest::newRow("blue M=12") << false << 12 << 6 << QStringList{"0", "2", "4", "6", "8", "10", "12"};
        QTest::newRow("blue M=60 capped") << false << 60 << 12 << QStringList{};
        QTest::newRow("blue M=300 capped") << false << 300 << 15 << QStringList{};
    }

    void scale() {
        QFETCH(bool, red);
        QFETCH(int, draws);
        QFETCH(int, gridCount);
        QFETCH(QStringList, labels);
        TCodeArr h;
        for (int i = 0; i < draws; ++i)
            h.push_back(Draw(2005001 + i, {1, 2 + i % 6, 8 + i % 6, 14 + i % 6, 20 + i % 6, 26 + i % 6}, 1));
        const G2NetModel m = red ? FillRedStats(h, draws) : FillBlueStats(h, draws);
        QCOMPARE(m.FGridCount, gridCount);
        // The axis ends at M (each M here is a whole number of steps) and the tallest bar reaches
        // the top line exactly.
        if (draws > 0) QCOMPARE(m.ScaleLabel(gridCount), QString::number(draws));
        const TNetRect bar = m.ScaleBar(m.BarRect(1, 1));
        QCOMPARE(bar.height(), draws == 0 ? 0 : m.FGridCount * m.FGridStep);
        for (int q = 0; q < labels.size(); ++q)
            QCOMPARE(m.ScaleLabel(q), labels[q]);
    }

    void refused_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("too many") << 4;
    }

    // The bars count over the latest n draws: n <= 0 is no draw, all bars 0, nothing refused.
    void nonPositiveCountsNothing_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -1;
        QTest::newRow("very negative") << -100000;
    }
    void nonPositiveCountsNothing() {
        QFETCH(int, n);
        const TCodeArr h = Cycle(3);
        for (auto fill : {&FillRedStats, &FillBlueStats}) {
            const G2NetModel m = fill(h, n);
            QVERIFY(m.dynColCount() > 0);
            for (int c = 1; c <= m.dynColCount(); ++c)
                QCOMPARE(m.GetValue(c, 1), QStringLiteral("0"));
        }
    }

    void refused() {
        QFETCH(int, n);
        const TCodeArr h = Cycle(3);
        for (auto fill : {&FillRedStats, &FillBlueStats}) {
            try {
                fill(h, n);
                QFAIL("not refused");
            } catch (const KelvoraError& e) {
                QCOMPARE(e.message(), QStringLiteral("设置的查询期数超过总期数!!"));
            }
        }
    }

    void zeroPeriodsOnEmptyHistory() {
        const G2NetModel m = FillRedStats({}, 0);
        QCOMPARE(BarSum(m), 0);
        QCOMPARE(m.FGridCount, 10);
        QCOMPARE(FillBlueStats({}, 0).FGridCount, 6);
    }
};

QTEST_GUILESS_MAIN(TestStatsCharts)
#include "tst_statscharts.moc"
