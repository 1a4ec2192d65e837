#include "TrendTestUtil.h"
#include "engine/charts/ParityCharts.h"
#include "engine/charts/TailChart.h"
#include "engine/charts/ZoneChart.h"
#include "engine/core/KelvoraError.h"

#include <QTest>

// The zone, last-digit, odd-even and big-small charts.
class TestZoneCharts : public QObject {
    Q_OBJECT
  private slots:
    void layouts_data();
    void layouts();
    void refused_data();
    void refused();
    void zoneCells_data();
    void zoneCells();
    void tailCells();
    void oddEvenRow();
    void bigSmallRow();
    void sampleTotals_data();
    void sampleTotals();
};

namespace {
using FillFn = H2NetModel (*)(const TCodeArr&, int);

struct Cell {
    int col;
    QString text;
    TColor color;
};

void checkRow(const H2NetModel& m, int row, int from, int to, const QList<Cell>& cells) {
    for (int c = from; c <= to; ++c) {
        Cell want{c, QString(), clWindow};
        for (const Cell& x : cells)
            if (x.col == c) want = x;
        QVERIFY2(m.GetValue(row, c) == want.text, qPrintable(QStringLiteral("text of column %1").arg(c)));
        QVERIFY2(m.GetCellColor(row, c) == want.color,
                 qPrintable(QStringLiteral("colour of column %1").arg(c)));
    }
}

const TColor paleBlue = 0xF4E5D1, periwinkle = 0xF4A6A1, orange = 0x6486F1, lavender = 0xF495C1,
             orangeBrown = 0x6486E1, redOrange = 0x3446FF;
} // namespace

Q_DECLARE_METATYPE(FillFn)

void TestZoneCharts::layouts_data() {
    QTest::addColumn<FillFn>("fill");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("row1"); // from column 8 on
    QTest::newRow("zone") << FillFn(FillZoneChart) << 11 << 22
                          << QStringList{"期号", "红球号码", "蓝球", "3分区", "11分区"}
                          << QStringList{"1", "2", "3", "1", "2", "3",  "4",
                                         "5", "6", "7", "8", "9", "10", "11"};
    QTest::newRow("tail") << FillFn(FillTailChart) << 11 << 18
                          << QStringList{"期号", "红球号码", "蓝球", "尾数分布"}
                          << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    const QStringList oe{"J", "O", "J", "O",  "J", "O", "J", "O", "J", "O", "J",
                         "O", "J", "O", "数", "0", "1", "2", "3", "4", "5", "6"};
    QStringList ds = oe;
    ds.replaceInStrings("J", "D").replaceInStrings("O", "X");
    const QStringList posCaps{"第1位", "第2位", "第3位", "第4位", "第5位", "第6位", "蓝球"};
    QTest::newRow("odd-even") << FillFn(FillOddEvenChart) << 11 << 30
                              << (QStringList{"期号", "红球号码", "蓝球"} + posCaps + QStringList{"奇数个数"})
                              << oe;
    QTest::newRow("big-small") << FillFn(FillBigSmallChart) << 11 << 30
                               << (QStringList{"期号", "红球号码", "蓝球"} + posCaps +
                                   QStringList{"大数个数"})
                               << ds;
}

void TestZoneCharts::layouts() {
    QFETCH(FillFn, fill);
    QFETCH(int, fontSize);
    QFETCH(int, cols);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, row1);
    const TCodeArr h{MakeDraw(2005, 1, {1, 2, 3, 4, 5, 6}, 7)};
    const H2NetModel m = fill(h, 1);
    QCOMPARE(m.FFontSize, fontSize);
    QCOMPARE(m.colsCount(), cols);
    QCOMPARE(m.dynRows(), 2);
    QCOMPARE(m.colWidths().size(), cols);
    QCOMPARE(m.colWidths()[0], 66);
    QCOMPARE(m.colWidths()[7], 32);
    QCOMPARE(m.mergeCount(), captions.size());
    for (int i = 0; i < captions.size(); ++i) {
        QCOMPARE(m.GetMerge(i).Text, captions[i]);
        QVERIFY(m.GetMerge(i).Active);
        QCOMPARE(m.GetMerge(i).Color, m.FFixColor);
    }
    QCOMPARE(m.GetMerge(captions.size() - 1).BottomRight, QPoint(cols - 1, 0));
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(m.GetValue(1, k), QString::number(k));
    for (int i = 0; i < row1.size(); ++i)
        QCOMPARE(m.GetValue(1, 8 + i), row1[i]);
    // Totals row: grey, "合计".
    QCOMPARE(m.GetValue(3, 0), QStringLiteral("合计"));
    for (int c = 0; c < cols; ++c)
        QCOMPARE(m.GetCellColor(3, c), TColor(0x808080));
}

void TestZoneCharts::refused_data() {
    QTest::addColumn<FillFn>("fill");
    QTest::newRow("zone") << FillFn(FillZoneChart);
    QTest::newRow("tail") << FillFn(FillTailChart);
    QTest::newRow("odd-even") << FillFn(FillOddEvenChart);
    QTest::newRow("big-small") << FillFn(FillBigSmallChart);
}

void TestZoneCharts::refused() {
    QFETCH(FillFn, fill);
    const TCodeArr h{MakeDraw(2005, 1, {1, 2, 3, 4, 5, 6}, 7), MakeDraw(2005, 2, {1, 2, 3, 4, 5, 7}, 8)};
    for (int n : {3, -1, -30}) {
        try {
            fill(h, n);
            QFAIL("not refused");
        } catch (const KelvoraError& e) {
            QCOMPARE(e.message(), QStringLiteral("设置的查询期数超过总期数!!"));
        }
    }
    const H2NetModel zero = fill(h, 0);
    QCOMPARE(zero.dynRows(), 1);
    QCOMPARE(zero.GetValue(2, 0), QStringLiteral("合计"));
    QCOMPARE(zero.GetValue(2, 8), QStringLiteral("0"));
    QCOMPARE(fill(h, 2).dynRows(), 3);
}

void TestZoneCharts::zoneCells_data() {
    QTest::addColumn<QList<int>>("reds");
    QTest::addColumn<QList<Cell>>("cells");
    QTest::newRow("01..06") << QList<int>{1, 2, 3, 4, 5, 6}
                            << QList<Cell>{{8, "06", orange},
                                           {9, "", paleBlue},
                                           {10, "", paleBlue},
                                           {11, "03", redOrange},
                                           {12, "03", redOrange}};
    QTest::newRow("05 16 27 30 31 33")
        << QList<int>{5, 16, 27, 30, 31, 33}
        << QList<Cell>{{8, "01", paleBlue},  {9, "01", paleBlue},    {10, "04", orange},
                       {12, "01", lavender}, {16, "01", lavender},   {19, "01", lavender},
                       {20, "01", lavender}, {21, "02", orangeBrown}};
    QTest::newRow("two and three per zone")
        << QList<int>{2, 9, 13, 17, 20, 28}
        << QList<Cell>{{8, "02", periwinkle}, {9, "03", periwinkle}, {10, "01", paleBlue},
                       {11, "01", lavender},  {13, "01", lavender},  {15, "01", lavender},
                       {16, "01", lavender},  {17, "01", lavender},  {20, "01", lavender}};
}

void TestZoneCharts::zoneCells() {
    QFETCH(QList<int>, reds);
    QFETCH(QList<Cell>, cells);
    const TCodeArr h{MakeDraw(2005, 1, {reds[0], reds[1], reds[2], reds[3], reds[4], reds[5]}, 3)};
    const H2NetModel m = FillZoneChart(h, 1);
    checkRow(m, 2, 8, 21, cells);
    int zone3 = 0;
    for (int c = 8; c <= 10; ++c)
        zone3 += m.GetValue(3, c).toInt();
    QCOMPARE(zone3, 6);
}

void TestZoneCharts::tailCells() {
    const TCodeArr h{MakeDraw(2005, 1, {1, 11, 21, 31, 2, 12}, 3),
                     MakeDraw(2005, 2, {3, 13, 23, 5, 6, 7}, 3)};
    const H2NetModel m = FillTailChart(h, 2);
    // Newest first: 03 13 23 05 06 07 has digit 3 three times.
    checkRow(m, 2, 8, 17,
             {{11, "3", redOrange}, {13, "1", lavender}, {14, "1", lavender}, {15, "1", lavender}});
    // Digit 1 four times: the count on white; digit 2 twice in orange-brown.
    checkRow(m, 3, 8, 17, {{9, "4", clWindow}, {10, "2", orangeBrown}});
    checkRow(m, 4, 8, 17,
             {{8, "0", 0x808080},
              {9, "4", 0x808080},
              {10, "2", 0x808080},
              {11, "3", 0x808080},
              {12, "0", 0x808080},
              {13, "1", 0x808080},
              {14, "1", 0x808080},
              {15, "1", 0x808080},
              {16, "0", 0x808080},
              {17, "0", 0x808080}});
}

void TestZoneCharts::oddEvenRow() {
    const TCodeArr h{MakeDraw(2005, 1, {1, 2, 3, 4, 5, 6}, 7)};
    const H2NetModel m = FillOddEvenChart(h, 1);
    const QList<TColor> pos{0xEFD155, 0xDEA3C4, 0xB5E463, 0xEFD155, 0xF495C1, 0xC5E483, 0xEF59E5};
    QList<Cell> want;
    for (int p = 0; p < 7; ++p) {
        const bool firstCol = p == 6 || p % 2 == 0; // 01 03 05 and blue 07 are odd
        want << Cell{8 + 2 * p, firstCol ? "J" : "", pos[p]} << Cell{9 + 2 * p, firstCol ? "" : "O", pos[p]};
    }
    for (int c = 23; c <= 29; ++c)
        want << (c == 26 ? Cell{c, "3", 0xC5E483} : Cell{c, "", 0xDEA3C4});
    want << Cell{22, "3", 0xEFD155};
    checkRow(m, 2, 8, 29, want);
    QCOMPARE(m.GetValue(3, 22), QStringLiteral("0"));
    QCOMPARE(m.GetValue(3, 26), QStringLiteral("1"));
    QCOMPARE(m.GetValue(3, 20), QStringLiteral("1"));
    QCOMPARE(m.GetValue(3, 21), QStringLiteral("0"));
}

void TestZoneCharts::bigSmallRow() {
    const TCodeArr h{MakeDraw(2005, 1, {5, 10, 15, 20, 25, 30}, 16),
                     MakeDraw(2005, 2, {29, 33, 1, 2, 3, 4}, 10)};
    const H2NetModel m = FillBigSmallChart(h, 2);
    // Newest row: 29 big, 33 small, the rest small; blue 10 small.
    QCOMPARE(m.GetValue(2, 8), QStringLiteral("D"));
    QCOMPARE(m.GetValue(2, 11), QStringLiteral("X"));
    QCOMPARE(m.GetValue(2, 21), QStringLiteral("X"));
    QCOMPARE(m.GetValue(2, 22), QStringLiteral("1"));
    QCOMPARE(m.GetValue(2, 24), QStringLiteral("1"));
    // 05 10 15 20 25 30 + 16: D X D X D X, blue big, count 3.
    for (int k = 1; k <= 6; ++k) {
        const bool big = k % 2 == 1;
        QCOMPARE(m.GetValue(3, 2 * k + 6), big ? QStringLiteral("D") : QString());
        QCOMPARE(m.GetValue(3, 2 * k + 7), big ? QString() : QStringLiteral("X"));
    }
    QCOMPARE(m.GetValue(3, 20), QStringLiteral("D"));
    QCOMPARE(m.GetValue(3, 22), QStringLiteral("3"));
    QCOMPARE(m.GetValue(3, 26), QStringLiteral("3"));
    QCOMPARE(m.GetCellColor(3, 26), TColor(0xC5E483));
    QCOMPARE(m.GetValue(4, 22), QStringLiteral("0"));
}

void TestZoneCharts::sampleTotals_data() {
    QTest::addColumn<FillFn>("fill");
    QTest::addColumn<QList<int>>("groups"); // first and last column of each group whose totals add to per * N
    QTest::addColumn<int>("per");
    QTest::newRow("zone 3") << FillFn(FillZoneChart) << QList<int>{8, 10} << 6;
    QTest::newRow("zone 11") << FillFn(FillZoneChart) << QList<int>{11, 21} << 6;
    QTest::newRow("tail") << FillFn(FillTailChart) << QList<int>{8, 17} << 6;
    QTest::newRow("odd-even reds") << FillFn(FillOddEvenChart) << QList<int>{8, 19} << 6;
    QTest::newRow("odd-even blue") << FillFn(FillOddEvenChart) << QList<int>{20, 21} << 1;
    QTest::newRow("odd-even counts") << FillFn(FillOddEvenChart) << QList<int>{23, 29} << 1;
    QTest::newRow("big-small counts") << FillFn(FillBigSmallChart) << QList<int>{23, 29} << 1;
}

void TestZoneCharts::sampleTotals() {
    QFETCH(FillFn, fill);
    QFETCH(QList<int>, groups);
    QFETCH(int, per);
    const TCodeArr& h = SampleHistory();
    for (int n : {30, int(h.size())}) {
        const H2NetModel m = fill(h, n);
        int sum = 0;
        for (int c = groups[0]; c <= groups[1]; ++c)
            sum += m.GetValue(n + 2, c).toInt();
        QCOMPARE(sum, per * n);
    }
}

QTEST_GUILESS_MAIN(TestZoneCharts)
#include "tst_zonecharts.moc"
