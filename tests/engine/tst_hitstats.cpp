#include "engine/core/KelvoraError.h"
#include "engine/metrics/Code.h"
#include "engine/predict/HitStats.h"

#include <QTest>
#include <numeric>

namespace {

TDrawRec draw(std::array<int, 6> reds, int blue) {
    TDrawRec d{2020, 1, MakeTicket(reds[0], reds[1], reds[2], reds[3], reds[4], reds[5]), 0};
    d.Ticket.Blue[blue - 1] = 1;
    return d;
}

TCodeArr repeated(int count, std::array<int, 6> reds, int blue) {
    return TCodeArr(size_t(count), draw(reds, blue));
}

QList<int> ranking(const TRedRank& r) {
    QList<int> out;
    for (int k = 1; k <= 33; ++k)
        out << r[k];
    return out;
}

QList<int> range(int from, int to) {
    QList<int> out;
    for (int n = from; n <= to; ++n)
        out << n;
    return out;
}

} // namespace

class TestHitStats : public QObject {
    Q_OBJECT

  private slots:
    void countsOnlyTheWindow() {
        TCodeArr h = repeated(5, {1, 2, 3, 4, 5, 6}, 1);
        h.push_back(draw({1, 10, 20, 30, 31, 33}, 16));
        h.push_back(draw({1, 11, 20, 22, 32, 33}, 16));
        const TRedCounts red = CountRedHits(h, 3, Game::ssq());
        QCOMPARE(red[1], 3);
        QCOMPARE(red[20], 2);
        QCOMPARE(red[33], 2);
        QCOMPARE(red[2], 1);
        QCOMPARE(red[7], 0);
        const TBlueCounts blue = CountBlueHits(h, 3, Game::ssq());
        QCOMPARE(blue[16], 2);
        QCOMPARE(blue[1], 1);
        QCOMPARE(blue[2], 0);
    }

    void windowLongerThanHistory_data() {
        QTest::addColumn<int>("draws");
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("refused");
        QTest::newRow("19 of 20") << 19 << 20 << true;
        QTest::newRow("exactly 20") << 20 << 20 << false;
        QTest::newRow("empty history, window 1") << 0 << 1 << true;
        QTest::newRow("empty history, window 0") << 0 << 0 << false;
    }
    void windowLongerThanHistory() {
        QFETCH(int, draws);
        QFETCH(int, window);
        QFETCH(bool, refused);
        const TCodeArr h = repeated(draws, {1, 2, 3, 4, 5, 6}, 7);
        const QString message =
            QStringLiteral("开奖数据期数少于统计分析需要的期数，无法继续完成智能预测功能！！");
        try {
            const TRedCounts red = CountRedHits(h, window, Game::ssq());
            QVERIFY(!refused);
            QCOMPARE(std::accumulate(red.v.begin() + 1, red.v.end(), 0), window * 6);
        } catch (const KelvoraError& e) {
            QVERIFY(refused);
            QCOMPARE(e.message(), message);
        }
        try {
            const TBlueCounts blue = CountBlueHits(h, window, Game::ssq());
            QVERIFY(!refused);
            QCOMPARE(std::accumulate(blue.v.begin() + 1, blue.v.end(), 0), window);
        } catch (const KelvoraError& e) {
            QVERIFY(refused);
            QCOMPARE(e.message(), message);
        }
    }

    void countSaturatesInsteadOfWrapping() {
        const TRedCounts c = CountRedHits(repeated(200, {1, 2, 3, 4, 5, 6}, 1), 200, Game::ssq());
        QCOMPARE(c[1], 127);
        QCOMPARE(c[7], 0);
    }

    void rankRed_data() {
        QTest::addColumn<QList<int>>("setting"); // pairs: number, count
        QTest::addColumn<QList<int>>("expected");

        QTest::newRow("ties by ascending number")
            << QList<int>{7, 5, 3, 5, 20, 4}
            << (QList<int>{3, 7, 20, 1, 2, 4, 5, 6} + range(8, 19) + range(21, 33));
        QTest::newRow("all equal") << QList<int>{} << range(1, 33);
        QList<int> low;
        for (int n = 1; n <= 17; ++n)
            low << n << -1;
        low << 30 << 3 << 18 << 1;
        QTest::newRow("1..17 excluded")
            << low << (QList<int>{30, 18} + range(19, 29) + range(31, 33) + range(1, 17));
        QTest::newRow("undrawn before excluded")
            << QList<int>{33, 2, 1, -1} << (QList<int>{33} + range(2, 32) + QList<int>{1});
        // Marks below -1 are not produced by counting, but must not duplicate a number either.
        QTest::newRow("foreign negative marks")
            << QList<int>{1, -2, 2, -5, 3, -2} << (range(4, 33) + QList<int>{1, 3, 2});
    }
    void rankRed() {
        QFETCH(QList<int>, setting);
        QFETCH(QList<int>, expected);
        TRedCounts counts;
        for (int i = 0; i + 1 < setting.size(); i += 2)
            counts[setting[i]] = int8_t(setting[i + 1]);
        const TRedCounts before = counts;
        QCOMPARE(ranking(RankRed(counts, Game::ssq())), expected);
        QCOMPARE(counts, before);
    }

    void rankBlue() {
        TBlueCounts counts;
        counts[16] = 3;
        counts[9] = 3;
        counts[4] = 1;
        counts[1] = -1;
        counts[2] = -1;
        const TBlueRank r = RankBlue(counts, Game::ssq());
        QList<int> got;
        for (int k = 1; k <= 16; ++k)
            got << r[k];
        QCOMPARE(got, (QList<int>{9, 16, 4, 3, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 1, 2}));
    }

    void listToText_data() {
        QTest::addColumn<QList<int>>("filled");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("space") << QList<int>{16, 19, 20} << " "
                               << "16 19 20" << 3;
        QTest::newRow("slot order kept") << QList<int>{24, 8} << ","
                                         << "24,8" << 2;
        QTest::newRow("no leading zero") << QList<int>{7, 3, 12} << ","
                                         << "7,3,12" << 3;
        QTest::newRow("empty") << QList<int>{} << " "
                               << "" << 0;
        QTest::newRow("gaps skipped") << QList<int>{-1, 5, -1, -1, 33} << ","
                                      << "5,33" << 2;
        QTest::newRow("last slot") << (QList<int>(32, -1) << 9) << ","
                                   << "9" << 1;
    }
    void listToText() {
        QFETCH(QList<int>, filled);
        QFETCH(QString, sep);
        QFETCH(QString, text);
        QFETCH(int, count);
        TRedList red;
        red.fill(-1);
        for (int s = 0; s < filled.size(); ++s)
            red[s + 1] = int8_t(filled[s]);
        const TListText r = RedListToText(red, sep);
        QCOMPARE(r.text, text);
        QCOMPARE(r.count, count);
        if (filled.size() <= 16) {
            TBlueList blue;
            blue.fill(-1);
            for (int s = 0; s < filled.size(); ++s)
                blue[s + 1] = int8_t(filled[s]);
            const TListText b = BlueListToText(blue, sep);
            QCOMPARE(b.text, text);
            QCOMPARE(b.count, count);
        }
    }

    void listFromRanksFollowsRankOrder() {
        TRedRank rank;
        for (int r = 1; r <= 33; ++r)
            rank[r] = int8_t(34 - r);
        const TRedList list = RedListFromRanks(rank, {16, 19, 20});
        QCOMPARE(RedListToText(list, QStringLiteral(" ")).text, QStringLiteral("18 15 14"));
        for (int s = 4; s <= 33; ++s)
            QCOMPARE(list[s], -1);
    }
};

QTEST_GUILESS_MAIN(TestHitStats)
#include "tst_hitstats.moc"
