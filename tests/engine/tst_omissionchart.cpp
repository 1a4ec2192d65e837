#include "ChartHistory.h"
#include "engine/charts/OmissionChart.h"
#include "engine/core/KelvoraError.h"

#include <QJsonArray>
#include <QTest>

using namespace chart_test;

namespace {

// A history of `count` draws in which red 7 (and blue 7) is drawn exactly where hit(i) says.
template <typename Hit> TCodeArr WithSeven(int count, Hit hit) {
    TCodeArr h;
    for (int i = 0; i < count; ++i)
        h.push_back(hit(i) ? Draw(2005001 + i, {1, 2, 3, 4, 5, 7}, 7)
                           : Draw(2005001 + i, {1, 2, 3, 4, 5, 6}, 1));
    return h;
}

QString Cell(const B0NetModel& t, int col, int number) {
    return t.GetValue(col, number);
}

} // namespace

class TestOmissionChart : public QObject {
    Q_OBJECT

  private slots:
    void layout() {
        const OmissionTables t = FillOmission(Cycle(40), 30, 800, Game::ssq());
        QCOMPARE(t.red.colCount(), 9);
        QCOMPARE(t.red.rowCount(), 34);
        QCOMPARE(t.blue.rowCount(), 17);
        QCOMPARE(t.red.FTitle, QStringLiteral("红球分析表"));
        QCOMPARE(t.blue.FTitle, QStringLiteral("蓝球分析表"));
        QCOMPARE(t.red.FRowHeight, 32);
        QCOMPARE(t.red.colWidths(), QList<int>(9, 64));
        QCOMPARE(t.red.GetValue(0, 0), QStringLiteral("号码"));
        QCOMPARE(t.red.GetValue(3, 0), QStringLiteral("平均间隔"));
        QCOMPARE(t.red.GetValue(6, 0), QStringLiteral("20期出\r\n现次数"));
        QCOMPARE(t.blue.GetValue(8, 0), QStringLiteral("100期出\r\n现次数"));
        QCOMPARE(t.red.GetValue(0, 12), QStringLiteral("12"));
        QCOMPARE(t.blue.GetValue(0, 16), QStringLiteral("16"));
        QCOMPARE(t.red.GetCellColor(4, 0), OmissionHeaderColor);
        QCOMPARE(t.blue.GetCellColor(4, 0), OmissionHeaderColor);
        QCOMPARE(t.red.GetCellColor(8, 33), OmissionRedRowColor);
        QCOMPARE(t.blue.GetCellColor(0, 1), OmissionBlueRowColor);
        // Every row is shown; the blue table starts 20 pixels below the red one, both centred.
        QCOMPARE(t.red.visRows(), 34);
        QCOMPARE(t.blue.visRows(), 17);
        QCOMPARE(t.red.bounds().topLeft(), QPoint(112, 0));
        QCOMPARE(t.blue.bounds().top(), t.red.bounds().height() + 20);
        QCOMPARE(t.blue.bounds().left(), 112);
        QCOMPARE(FillOmission(Cycle(3), 3, 577, Game::ssq()).red.bounds().left(), 0);
    }

    void streaksAndGaps() {
        // 7 drawn in draws 0, 4, 5, 7, 8, 9 of ten: gaps 3 and 1, streaks 2 and 3.
        const QList<int> drawn{0, 4, 5, 7, 8, 9};
        const TCodeArr h = WithSeven(10, [&](int i) { return drawn.contains(i); });
        const OmissionTables t = FillOmission(h, 0, 576, Game::ssq());
        for (const B0NetModel* table : {&t.red, &t.blue}) {
            QCOMPARE(Cell(*table, 1, 7), QStringLiteral("0"));
            QCOMPARE(Cell(*table, 2, 7), QStringLiteral("3"));
            QCOMPARE(Cell(*table, 4, 7), QStringLiteral("3"));
            QCOMPARE(Cell(*table, 5, 7), QStringLiteral("6"));
            QCOMPARE(Cell(*table, 3, 7), QStringLiteral("1.67"));
        }
        // Red 6 is in draws 1, 2, 3, 6: waiting three draws now, which is also its longest gap.
        QCOMPARE(Cell(t.red, 1, 6), QStringLiteral("3"));
        QCOMPARE(Cell(t.red, 2, 6), QStringLiteral("3"));
        QCOMPARE(Cell(t.red, 4, 6), QStringLiteral("3"));
        // Red 1 is in every draw.
        QCOMPARE(Cell(t.red, 2, 1), QStringLiteral("0"));
        QCOMPARE(Cell(t.red, 4, 1), QStringLiteral("10"));
        QCOMPARE(Cell(t.red, 3, 1), QStringLiteral("1.00"));
    }

    void gapBeforeFirstAppearance() {
        const TCodeArr h = WithSeven(12, [](int i) { return i == 9; });
        const OmissionTables t = FillOmission(h, 12, 576, Game::ssq());
        QCOMPARE(Cell(t.red, 2, 7), QStringLiteral("9"));
        QCOMPARE(Cell(t.red, 1, 7), QStringLiteral("2"));
    }

    void averageOfFiveHundred() {
        // 90 appearances in 500 draws: 500 / 90 = 5.555...
        const TCodeArr h = WithSeven(500, [](int i) { return i % 5 == 0 && i < 450; });
        const OmissionTables t = FillOmission(h, 30, 576, Game::ssq());
        QCOMPARE(Cell(t.red, 5, 7), QStringLiteral("90"));
        QCOMPARE(Cell(t.red, 3, 7), QStringLiteral("5.56"));
        QCOMPARE(Cell(t.red, 6, 7), QStringLiteral("0"));
        QCOMPARE(Cell(t.red, 7, 7), QStringLiteral("0"));
        QCOMPARE(Cell(t.red, 8, 7), QStringLiteral("10"));
    }

    void neverDrawnShowsDash() {
        const OmissionTables t = FillOmission(Cycle(2), 2, 576, Game::ssq());
        QCOMPARE(Cell(t.red, 3, 33), QStringLiteral("-"));
        QCOMPARE(Cell(t.red, 5, 33), QStringLiteral("0"));
        QCOMPARE(Cell(t.red, 1, 33), QStringLiteral("2"));
        QCOMPARE(Cell(t.blue, 3, 16), QStringLiteral("-"));
        QCOMPARE(Cell(t.blue, 3, 1), QStringLiteral("2.00"));
    }

    void shortHistoryWindows() {
        const TCodeArr h = Cycle(40);
        const OmissionTables t = FillOmission(h, 40, 576, Game::ssq());
        for (const B0NetModel* table : {&t.red, &t.blue})
            for (int k = 1; k < table->rowCount(); ++k) {
                QCOMPARE(table->GetValue(7, k), table->GetValue(5, k));
                QCOMPARE(table->GetValue(8, k), table->GetValue(5, k));
            }
        // The last-20 column counts the last 20 draws only: 120 reds and 20 blues.
        int red20 = 0, blue20 = 0;
        for (int k = 1; k <= 33; ++k)
            red20 += Cell(t.red, 6, k).toInt();
        for (int k = 1; k <= 16; ++k)
            blue20 += Cell(t.blue, 6, k).toInt();
        QCOMPARE(red20, 120);
        QCOMPARE(blue20, 20);
    }

    void drawWithoutBlue() {
        TCodeArr h = Cycle(3);
        h.push_back(Draw(2005004, {1, 2, 3, 4, 5, 6}, 0));
        const OmissionTables t = FillOmission(h, 4, 576, Game::ssq());
        int total = 0;
        for (int k = 1; k <= 16; ++k) {
            total += Cell(t.blue, 5, k).toInt();
            QVERIFY(Cell(t.blue, 1, k).toInt() >= 1);
        }
        QCOMPARE(total, 3);
    }

    void periodsOnlyChecked() {
        const TCodeArr& h = SampleHistory();
        const QJsonObject a = FillOmission(h, 0, 800, Game::ssq()).toJson();
        QCOMPARE(FillOmission(h, int(h.size()), 800, Game::ssq()).toJson(), a);
        QCOMPARE(a["kind"].toString(), QStringLiteral("tables"));
        QCOMPARE(a["tables"].toArray().size(), 2);
        QVERIFY_THROWS_EXCEPTION(KelvoraError, FillOmission(h, int(h.size()) + 1, 800, Game::ssq()));
        // Only an n above the history is refused.
        QCOMPARE(FillOmission(h, -1, 800, Game::ssq()).toJson(), a);
    }

    void sampleTotals() {
        const TCodeArr& h = SampleHistory();
        const OmissionTables t = FillOmission(h, 30, 800, Game::ssq());
        int reds = 0, blues = 0;
        for (int k = 1; k <= 33; ++k)
            reds += Cell(t.red, 5, k).toInt();
        for (int k = 1; k <= 16; ++k)
            blues += Cell(t.blue, 5, k).toInt();
        QCOMPARE(reds, 6 * int(h.size()));
        QCOMPARE(blues, int(h.size()));
        // Numbers 4 and 16 are in the latest draw (2026096: 01 04 16 22 26 31 + 04).
        QCOMPARE(Cell(t.red, 1, 4), QStringLiteral("0"));
        QCOMPARE(Cell(t.blue, 1, 4), QStringLiteral("0"));
        QVERIFY(Cell(t.red, 1, 5) != QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestOmissionChart)
#include "tst_omissionchart.moc"
