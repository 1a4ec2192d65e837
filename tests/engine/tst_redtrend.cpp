#include "TrendTestUtil.h"
#include "engine/charts/RedTrend.h"
#include "engine/charts/Rotation.h"
#include "engine/core/KelvoraError.h"

#include <QJsonDocument>
#include <QTest>

class TestRedTrend : public QObject {
    Q_OBJECT
  private slots:
    void layoutAndHeader();
    void drawRowOfWorkedExample();
    void newestFirstAndOldestLast();
    void zeroAndOnePeriods();
    void refusedPeriods_data();
    void refusedPeriods();
    void sampleTotals();
    void rotationHeader_data();
    void rotationHeader();
    void rotationPlainStartEqualsRedTrend();
    void rotationWrapsDrawnNumbers();
    void rotationStartBroughtIntoRange();
};

namespace {
const TCodeArr small{MakeDraw(2005, 11, {1, 2, 3, 4, 5, 6}, 1),
                     MakeDraw(2005, 12, {5, 16, 27, 30, 31, 33}, 16),
                     MakeDraw(2005, 13, {3, 7, 12, 19, 25, 31}, 9)};
}

void TestRedTrend::layoutAndHeader() {
    const H2NetModel m = FillRedTrend(small, 3);
    QCOMPARE(m.FFontSize, 10);
    QCOMPARE(m.colsCount(), 41);
    QCOMPARE(m.fixRowCount(), 2);
    QCOMPARE(m.dynRows(), 4);
    QList<int> widths{66, 16, 16, 16, 16, 16, 16, 32};
    for (int k = 0; k < 33; ++k)
        widths << 16;
    QCOMPARE(m.colWidths(), widths);
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(m.GetValue(1, k), QString::number(k));
    for (int k = 1; k <= 33; ++k)
        QCOMPARE(m.GetValue(1, 7 + k), QString::number(k));
    QCOMPARE(m.mergeCount(), 4);
    const struct {
        const char* text;
        int l, t, r, b;
    } want[] = {
        {"期号", 0, 0, 0, 1}, {"红球号码", 1, 0, 6, 0}, {"蓝球", 7, 0, 7, 1}, {"红球分布", 8, 0, 40, 0}};
    for (int i = 0; i < 4; ++i) {
        const TMergeRec r = m.GetMerge(i);
        QVERIFY(r.Active);
        QCOMPARE(r.Text, QString::fromUtf8(want[i].text));
        QCOMPARE(r.TopLeft, QPoint(want[i].l, want[i].t));
        QCOMPARE(r.BottomRight, QPoint(want[i].r, want[i].b));
        QCOMPARE(r.Color, m.FFixColor);
    }
}

void TestRedTrend::drawRowOfWorkedExample() {
    const H2NetModel m = FillRedTrend(small, 3);
    QCOMPARE(m.GetValue(2, 0), QStringLiteral("2005013"));
    const QStringList reds{"03", "07", "12", "19", "25", "31"};
    for (int k = 0; k < 6; ++k)
        QCOMPARE(m.GetValue(2, 1 + k), reds[k]);
    QCOMPARE(m.GetValue(2, 7), QStringLiteral("09"));
    const QList<int> hits{10, 14, 19, 26, 32, 38};
    for (int c = 8; c <= 40; ++c) {
        const int k = int(hits.indexOf(c));
        QCOMPARE(m.GetCellColor(2, c), k >= 0 ? TColor(0x8486FF) : clWindow);
        QCOMPARE(m.GetValue(2, c), k >= 0 ? reds[k] : QString());
    }
    for (int c = 0; c < 8; ++c)
        QCOMPARE(m.GetCellColor(2, c), clWindow);
}

void TestRedTrend::newestFirstAndOldestLast() {
    const H2NetModel m = FillRedTrend(small, 3);
    QCOMPARE(m.GetValue(3, 0), QStringLiteral("2005012"));
    QCOMPARE(m.GetValue(4, 0), QStringLiteral("2005011"));
    QCOMPARE(m.GetValue(4, 7), QStringLiteral("01"));
    // Totals: 03 and 31 were drawn twice, 01 once, 08 never.
    QCOMPARE(m.GetValue(5, 0), QStringLiteral("合计"));
    QCOMPARE(m.GetValue(5, 7 + 3), QStringLiteral("2"));
    QCOMPARE(m.GetValue(5, 7 + 31), QStringLiteral("2"));
    QCOMPARE(m.GetValue(5, 7 + 1), QStringLiteral("1"));
    QCOMPARE(m.GetValue(5, 7 + 8), QStringLiteral("0"));
    for (int c = 0; c < 41; ++c)
        QCOMPARE(m.GetCellColor(5, c), TColor(0x808080));
    for (int c = 1; c <= 7; ++c)
        QVERIFY(m.GetValue(5, c).isEmpty());
}

void TestRedTrend::zeroAndOnePeriods() {
    const H2NetModel zero = FillRedTrend(small, 0);
    QCOMPARE(zero.dynRows(), 1);
    QCOMPARE(zero.GetValue(2, 0), QStringLiteral("合计"));
    for (int c = 8; c <= 40; ++c)
        QCOMPARE(zero.GetValue(2, c), QStringLiteral("0"));
    QCOMPARE(FillRedTrend(TCodeArr{}, 0).dynRows(), 1);

    const H2NetModel one = FillRedTrend(small, 1);
    QCOMPARE(one.dynRows(), 2);
    for (int o = 1; o <= 33; ++o) {
        const bool drawn = QList<int>{3, 7, 12, 19, 25, 31}.contains(o);
        QCOMPARE(one.GetValue(3, 7 + o), drawn ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

void TestRedTrend::refusedPeriods_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("n");
    QTest::newRow("one more than the history") << 3 << 4;
    QTest::newRow("negative") << 3 << -1;
    QTest::newRow("empty history, default 30") << 0 << 30;
}

void TestRedTrend::refusedPeriods() {
    QFETCH(int, size);
    QFETCH(int, n);
    const TCodeArr h(small.begin(), small.begin() + size);
    for (int start : {0, 1, 17}) {
        try {
            start == 0 ? FillRedTrend(h, n) : FillRotation(h, n, start, Game::ssq());
            QFAIL("not refused");
        } catch (const KelvoraError& e) {
            QCOMPARE(e.message(), QStringLiteral("设置的查询期数超过总期数!!"));
        }
    }
}

void TestRedTrend::sampleTotals() {
    const TCodeArr& h = SampleHistory();
    QCOMPARE(int(h.size()), 3493);
    const H2NetModel m = FillRedTrend(h, int(h.size()));
    QCOMPARE(m.dynRows(), 3494);
    QCOMPARE(m.GetValue(2, 0), QString::number(h.back().code()));
    QCOMPARE(m.GetValue(3494, 0), QString::number(h.front().code()));
    int sum = 0;
    for (int c = 8; c <= 40; ++c)
        sum += m.GetValue(3495, c).toInt();
    QCOMPARE(sum, 6 * 3493);
}

void TestRedTrend::rotationHeader_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("columns"); // columns 8, 9, 24, 25, 40
    QTest::newRow("S=1") << 1 << QList<int>{1, 2, 17, 18, 33};
    QTest::newRow("S=33") << 33 << QList<int>{33, 1, 16, 17, 32};
    QTest::newRow("S=17") << 17 << QList<int>{17, 18, 33, 1, 16};
}

void TestRedTrend::rotationHeader() {
    QFETCH(int, start);
    QFETCH(QList<int>, columns);
    const H2NetModel m = FillRotation(small, 1, start, Game::ssq());
    const int cols[] = {8, 9, 24, 25, 40};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m.GetValue(1, cols[i]), QString::number(columns[i]));
    QCOMPARE(RotatedPosition(start, start, Game::ssq()), 1);
    QCOMPARE(RotatedPosition(start == 1 ? 33 : start - 1, start, Game::ssq()), 33);
}

void TestRedTrend::rotationPlainStartEqualsRedTrend() {
    QCOMPARE(FillRotation(small, 3, 1, Game::ssq()).toJson(), FillRedTrend(small, 3).toJson());
}

void TestRedTrend::rotationWrapsDrawnNumbers() {
    const TCodeArr h{MakeDraw(2010, 1, {1, 9, 17, 24, 32, 33}, 2)};
    const H2NetModel m = FillRotation(h, 1, 33, Game::ssq());
    QCOMPARE(m.GetValue(2, 8), QStringLiteral("33"));
    QCOMPARE(m.GetCellColor(2, 8), TColor(0x8486FF));
    QCOMPARE(m.GetValue(2, 9), QStringLiteral("01"));
    QCOMPARE(m.GetCellColor(2, 9), TColor(0x8486FF));
    QCOMPARE(m.GetValue(2, 40), QStringLiteral("32"));
    QCOMPARE(m.GetValue(3, 8), QStringLiteral("1"));
    int sum = 0;
    for (int c = 8; c <= 40; ++c)
        sum += m.GetValue(3, c).toInt();
    QCOMPARE(sum, 6);
}

void TestRedTrend::rotationStartBroughtIntoRange() {
    QCOMPARE(FillRotation(small, 2, 0, Game::ssq()).toJson(),
             FillRotation(small, 2, 1, Game::ssq()).toJson());
    QCOMPARE(FillRotation(small, 2, 99, Game::ssq()).toJson(),
             FillRotation(small, 2, 33, Game::ssq()).toJson());
}

QTEST_GUILESS_MAIN(TestRedTrend)
#include "tst_redtrend.moc"
