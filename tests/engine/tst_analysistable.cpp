#include "ChartHistory.h"
#include "engine/charts/AnalysisTable.h"
#include "engine/core/KelvoraError.h"
#include "engine/metrics/Code.h"

#include <QRegularExpression>
#include <QTest>

using namespace chart_test;

class TestAnalysisTable : public QObject {
    Q_OBJECT

  private slots:
    void layout() {
        const H2NetModel m = FillAnalysisTable(Cycle(5), 5);
        QCOMPARE(m.FFontSize, 9);
        QCOMPARE(m.colsCount(), 29);
        QCOMPARE(m.fixRowCount(), 2);
        QCOMPARE(m.dynRows(), 6);
        const QList<int> w = m.colWidths();
        QCOMPARE(w.mid(0, 10), (QList<int>{56, 18, 18, 18, 18, 18, 18, 24, 32, 32}));
        QCOMPARE(w.mid(10), QList<int>(19, 25));
        QCOMPARE(m.mergeCount(), 24);
        for (int k = 0; k < 24; ++k) {
            const TMergeRec r = m.GetMerge(k);
            QVERIFY(r.Active);
            QCOMPARE(r.Color, m.FFixColor);
        }
        QCOMPARE(m.GetMerge(0).Text, QStringLiteral("期号"));
        QCOMPARE(m.GetMerge(1).BottomRight, QPoint(6, 0));
        QCOMPARE(m.GetMerge(2).Text, QStringLiteral("蓝球"));
        QCOMPARE(m.GetMerge(3).Text, QStringLiteral("和值"));
        QCOMPARE(m.GetMerge(4).Text, QStringLiteral("平均\r\n值"));
        QCOMPARE(m.GetMerge(15).Text, QStringLiteral("AC\r\n值"));
        QCOMPARE(m.GetMerge(23).Text, QStringLiteral("斜号\r\n个数"));
        QCOMPARE(m.GetMerge(23).TopLeft, QPoint(28, 0));
        QCOMPARE(m.GetMerge(23).BottomRight, QPoint(28, 1));
        for (int c = 1; c <= 6; ++c)
            QCOMPARE(m.GetValue(1, c), QString::number(c));
    }

    void workedExample() {
        const TCodeArr h{Draw(2005012, {2, 5, 7, 11, 20, 30}, 1), Draw(2005013, {1, 2, 6, 7, 8, 10}, 5)};
        const H2NetModel m = FillAnalysisTable(h, 1);
        const QStringList row{"2005013", "01", "02", "06", "07", "08", "10", "05", "34", "5",
                              "24",      "02", "04", "02", "00", "01", "00", "06", "06", "00",
                              "04",      "03", "05", "02", "09", "04", "00", "02", "04"};
        for (int c = 0; c < 29; ++c)
            QCOMPARE(m.GetValue(2, c), row[c]);
        // One draw: the totals repeat its numbers without padding.
        QCOMPARE(m.GetValue(3, 0), QStringLiteral("合计"));
        QCOMPARE(m.GetValue(3, 8), QStringLiteral("34"));
        QCOMPARE(m.GetValue(3, 11), QStringLiteral("2"));
        QCOMPARE(m.GetValue(3, 28), QStringLiteral("4"));
        for (int c = 1; c <= 7; ++c)
            QVERIFY(m.GetValue(3, c).isEmpty());
        for (int c = 0; c < 29; ++c)
            QCOMPARE(m.GetCellColor(3, c), TColor(0x808080));
    }

    void threeDigitSum() {
        const TCodeArr h{Draw(2005001, {10, 15, 20, 22, 25, 28}, 0)};
        const H2NetModel m = FillAnalysisTable(h, 1);
        QCOMPARE(m.GetValue(2, 8), QStringLiteral("120"));
        QCOMPARE(m.GetValue(2, 9), QStringLiteral("20"));
        QVERIFY(m.GetValue(2, 7).isEmpty()); // no blue flag
    }

    void oldestDrawHasNoComparison() {
        const TCodeArr h = Cycle(30);
        const H2NetModel m = FillAnalysisTable(h, 30);
        QCOMPARE(m.GetValue(2, 0), QStringLiteral("2005030"));
        QCOMPARE(m.GetValue(31, 0), QStringLiteral("2005001"));
        int common = 0;
        for (int r = 2; r <= 31; ++r) {
            QCOMPARE(m.GetValue(r, 26).isEmpty(), r == 31);
            QCOMPARE(m.GetValue(r, 28).isEmpty(), r == 31);
            common += m.GetValue(r, 27).toInt();
        }
        QCOMPARE(m.GetValue(32, 27), QString::number(common));
        // A window inside the history compares its oldest row with the draw before it.
        QVERIFY(!FillAnalysisTable(h, 29).GetValue(30, 27).isEmpty());
    }

    void totalsOverSample() {
        const TCodeArr& h = SampleHistory();
        const int n = 100;
        const H2NetModel m = FillAnalysisTable(h, n);
        for (int c : {8, 9, 11, 12, 20, 27}) {
            int sum = 0;
            for (int r = 2; r < n + 2; ++r)
                sum += m.GetValue(r, c).toInt();
            QCOMPARE(m.GetValue(n + 2, c), QString::number(sum));
        }
        // Odd plus even counts cover six numbers per draw.
        QCOMPARE(m.GetValue(n + 2, 11).toInt() + m.GetValue(n + 2, 12).toInt(), 6 * n);
    }

    void zeroPeriods() {
        const H2NetModel m = FillAnalysisTable(Cycle(3), 0);
        QCOMPARE(m.dynRows(), 1);
        QCOMPARE(m.GetValue(2, 0), QStringLiteral("合计"));
        QCOMPARE(m.GetValue(2, 8), QStringLiteral("0"));
        QCOMPARE(FillAnalysisTable({}, 0).dynRows(), 1);
    }

    void refused_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("one too many") << 31;
        QTest::newRow("negative") << -5;
    }

    void refused() {
        QFETCH(int, n);
        QVERIFY_THROWS_EXCEPTION(KelvoraError, FillAnalysisTable(Cycle(30), n));
    }

    void explanation() {
        const QStringList lines = AnalysisExplanationLines(Game::ssq());
        QCOMPARE(lines.size(), 20);
        QCOMPARE(lines.first(), QStringLiteral("说明："));
        QVERIFY(lines[4].endsWith(QStringLiteral("；   ")));
        QVERIFY(lines[18].endsWith(QStringLiteral("；    ")));
        QCOMPARE(lines.last(), QStringLiteral("斜号个数：本期红球与上期红球号码斜连的个数。"));
        QCOMPARE(AnalysisExplanationCaption(), QStringLiteral("统计分析表 图表说明"));
    }

    // The explanation's bounds of big and small are the ones the counts use (17 is small).
    void explanationBigSmallBounds() {
        const QStringList lines = AnalysisExplanationLines(Game::ssq());
        const auto bound = [&](const QString& prefix, const QString& words) {
            for (const QString& line : lines)
                if (line.startsWith(prefix)) {
                    const QRegularExpressionMatch m =
                        QRegularExpression(words + QStringLiteral("(\\d+)")).match(line);
                    return m.hasMatch() ? m.captured(1).toInt() : -1;
                }
            return -1;
        };
        const int big = bound(QStringLiteral("大号个数"), QStringLiteral("大于等于"));
        const int small = bound(QStringLiteral("小号个数"), QStringLiteral("小于等于"));
        QCOMPARE(big, small + 1);
        const auto bigCount = [](int n) {
            TCodeRec t{};
            const int others[5] = {1, 2, 3, 4, 5};
            for (int k = 0; k < 5; ++k)
                t.Red[k] = uint8_t(others[k]);
            t.Red[5] = uint8_t(n);
            return BigCount(t, Game::ssq());
        };
        QCOMPARE(bigCount(big), 1);
        QCOMPARE(bigCount(small), 0);
    }
};

QTEST_GUILESS_MAIN(TestAnalysisTable)
#include "tst_analysistable.moc"
