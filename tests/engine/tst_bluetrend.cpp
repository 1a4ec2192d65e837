#include "TrendTestUtil.h"
#include "engine/charts/BlueTrend.h"
#include "engine/core/KelvoraError.h"

#include <QTest>

class TestBlueTrend : public QObject {
    Q_OBJECT
  private slots:
    void layout();
    void blueRow_data();
    void blueRow();
    void drawWithoutBlue();
    void refused();
    void sampleTotals();
};

void TestBlueTrend::layout() {
    const TCodeArr h{MakeDraw(2005, 1, {1, 2, 3, 4, 5, 6}, 7)};
    const H2NetModel m = FillBlueTrend(h, 1);
    QCOMPARE(m.FFontSize, 10);
    QCOMPARE(m.colsCount(), 29);
    QCOMPARE(m.dynRows(), 2);
    QList<int> widths{66, 32};
    for (int b = 0; b < 16; ++b)
        widths << 20;
    widths << 22 << 22 << 22 << 22 << 22 << 32 << 32 << 32 << 32 << 32 << 32;
    QCOMPARE(m.colWidths(), widths);
    for (int b = 1; b <= 16; ++b)
        QCOMPARE(m.GetValue(1, 1 + b), QString::number(b));
    const QStringList parts{"1-8", "9-16", "1-4", "5-8", "9-12", ">=13"};
    for (int k = 0; k < 6; ++k)
        QCOMPARE(m.GetValue(1, 23 + k), parts[k]);
    const QStringList captions{"期号", "蓝球", "蓝球分布", "奇", "偶", "0", "1", "2", "2分区", "4分区"};
    const QList<QPoint> corners{{0, 1},  {1, 1},  {17, 0}, {18, 1}, {19, 1},
                                {20, 1}, {21, 1}, {22, 1}, {24, 0}, {28, 0}};
    QCOMPARE(m.mergeCount(), 10);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(m.GetMerge(i).Text, captions[i]);
        QCOMPARE(m.GetMerge(i).BottomRight, corners[i]);
        QCOMPARE(m.GetMerge(i).Color, m.FFixColor);
    }
    // Bands of a draw row; the drawn 07 is pale yellow.
    const QList<TColor> bands{0xEFD155, 0xDEA3C4, 0xB5E463, 0xEFD155, 0xF495C1};
    const int bandOf[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 4};
    for (int c = 2; c <= 28; ++c)
        QCOMPARE(m.GetCellColor(2, c), c == 8 ? TColor(0xB0FFF9) : bands[bandOf[c - 2]]);
    QCOMPARE(m.GetCellColor(2, 0), clWindow);
    QCOMPARE(m.GetCellColor(2, 1), clWindow);
    // No red numbers anywhere.
    QCOMPARE(m.GetValue(2, 0), QStringLiteral("2005001"));
    QCOMPARE(m.GetValue(2, 1), QStringLiteral("07"));
}

void TestBlueTrend::blueRow_data() {
    QTest::addColumn<int>("blue");
    QTest::addColumn<QList<int>>("marked"); // parity column, then the three "▲" columns
    QTest::newRow("09") << 9 << QList<int>{18, 20, 24, 27};
    QTest::newRow("16") << 16 << QList<int>{19, 21, 24, 28};
    QTest::newRow("08") << 8 << QList<int>{19, 22, 23, 26};
    QTest::newRow("13") << 13 << QList<int>{18, 21, 24, 28};
    QTest::newRow("01") << 1 << QList<int>{18, 21, 23, 25};
    QTest::newRow("12") << 12 << QList<int>{19, 20, 24, 27};
}

void TestBlueTrend::blueRow() {
    QFETCH(int, blue);
    QFETCH(QList<int>, marked);
    const TCodeArr h{MakeDraw(2005, 1, {1, 2, 3, 4, 5, 6}, blue)};
    const H2NetModel m = FillBlueTrend(h, 1);
    const QString two = QStringLiteral("%1").arg(blue, 2, 10, QLatin1Char('0'));
    QCOMPARE(m.GetValue(2, 1), two);
    for (int b = 1; b <= 16; ++b)
        QCOMPARE(m.GetValue(2, 1 + b), b == blue ? two : QString());
    for (int c = 18; c <= 28; ++c) {
        QString want;
        if (c == marked[0])
            want = blue % 2 ? QStringLiteral("J") : QStringLiteral("O");
        else if (marked.mid(1).contains(c))
            want = QStringLiteral("▲");
        QCOMPARE(m.GetValue(2, c), want);
        QCOMPARE(m.GetValue(3, c), want.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
    }
    QCOMPARE(m.GetValue(3, 1 + blue), QStringLiteral("1"));
    QVERIFY(m.GetValue(3, 1).isEmpty());
    QCOMPARE(m.GetValue(3, 0), QStringLiteral("合计"));
}

void TestBlueTrend::drawWithoutBlue() {
    const TCodeArr h{MakeDraw(2005, 1, {1, 2, 3, 4, 5, 6}, 0)};
    const H2NetModel m = FillBlueTrend(h, 1);
    QCOMPARE(m.GetValue(2, 0), QStringLiteral("2005001"));
    for (int c = 1; c <= 28; ++c) {
        QVERIFY(m.GetValue(2, c).isEmpty());
        if (c >= 2) QCOMPARE(m.GetValue(3, c), QStringLiteral("0"));
    }
    QCOMPARE(m.GetCellColor(2, 2), TColor(0xEFD155));
}

void TestBlueTrend::refused() {
    const TCodeArr h{MakeDraw(2005, 1, {1, 2, 3, 4, 5, 6}, 7)};
    for (int n : {2, -1}) {
        try {
            FillBlueTrend(h, n);
            QFAIL("not refused");
        } catch (const KelvoraError& e) {
            QCOMPARE(e.message(), QStringLiteral("设置的查询期数超过总期数!!"));
        }
    }
    const H2NetModel zero = FillBlueTrend(h, 0);
    QCOMPARE(zero.dynRows(), 1);
    QCOMPARE(zero.GetValue(2, 0), QStringLiteral("合计"));
    QCOMPARE(zero.GetValue(2, 28), QStringLiteral("0"));
}

void TestBlueTrend::sampleTotals() {
    const TCodeArr& h = SampleHistory();
    const int n = int(h.size());
    const H2NetModel m = FillBlueTrend(h, n);
    const auto sum = [&](int from, int to) {
        int s = 0;
        for (int c = from; c <= to; ++c)
            s += m.GetValue(n + 2, c).toInt();
        return s;
    };
    QCOMPARE(sum(2, 17), n);
    QCOMPARE(sum(18, 19), n);
    QCOMPARE(sum(20, 22), n);
    QCOMPARE(sum(23, 24), n);
    QCOMPARE(sum(25, 28), n);
    QCOMPARE(m.GetValue(2, 1), QStringLiteral("%1").arg(
                                   [&] {
                                       for (int b = 0; b < 16; ++b)
                                           if (h.back().Ticket.Blue[b]) return b + 1;
                                       return 0;
                                   }(),
                                   2, 10, QLatin1Char('0')));
}

QTEST_GUILESS_MAIN(TestBlueTrend)
#include "tst_bluetrend.moc"
