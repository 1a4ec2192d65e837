#include "ChartHistory.h"
#include "engine/charts/BoardCharts.h"
#include "engine/core/KelvoraError.h"

#include <QJsonArray>
#include <QTest>

using namespace chart_test;

namespace {

// The board's colours as a 6-line picture: R red, B blue, # grey, . white.
QStringList Picture(const B0NetModel& b) {
    QStringList rows;
    for (int r = 0; r < 6; ++r) {
        QString line;
        for (int c = 0; c < 6; ++c) {
            switch (b.GetCellColor(c, r)) {
            case BoardRedColor:
                line += 'R';
                break;
            case BoardBlueColor:
                line += 'B';
                break;
            case BoardShadeColor:
                line += '#';
                break;
            case BoardBlankColor:
                line += '.';
                break;
            default:
                line += '?';
            }
        }
        rows << line;
    }
    return rows;
}

} // namespace

class TestBoardCharts : public QObject {
    Q_OBJECT

  private slots:
    void emptyRowColPictures_data() {
        QTest::addColumn<QList<int>>("reds");
        QTest::addColumn<QStringList>("picture");
        QTest::newRow("one row") << QList<int>{1, 2, 3, 4, 5, 6}
                                 << QStringList{"RRRRRR", "######", "######", "######", "######", "######"};
        QTest::newRow("one column") << QList<int>{1, 7, 13, 19, 25, 31}
                                    << QStringList{"R#####", "R#####", "R#####",
                                                   "R#####", "R#####", "R#####"};
        // Row 4 and columns 4 and 5 are empty; the number-less cells follow their lines.
        QTest::newRow("mixed") << QList<int>{1, 8, 15, 22, 33, 9}
                               << QStringList{"R...##", ".RR.##", "..R.##", "...R##", "######", "..R.##"};
    }

    void emptyRowColPictures() {
        QFETCH(QList<int>, reds);
        QFETCH(QStringList, picture);
        const TDrawRec d = Draw(2005013, {reds[0], reds[1], reds[2], reds[3], reds[4], reds[5]}, 9);
        const B0NetModel b = EmptyRowColBoard(d, 0, Game::ssq());
        QCOMPARE(Picture(b), picture);
        QCOMPARE(b.FLineColor, BoardLineColor);
    }

    void emptyRowColNumbers() {
        const B0NetModel b = EmptyRowColBoard(Draw(2005013, {1, 2, 3, 4, 5, 6}), 0, Game::ssq());
        QCOMPARE(b.colCount(), 6);
        QCOMPARE(b.rowCount(), 6);
        QCOMPARE(b.GetValue(0, 0), QStringLiteral("1"));
        QCOMPARE(b.GetValue(5, 0), QStringLiteral("6"));
        QCOMPARE(b.GetValue(2, 5), QStringLiteral("33"));
        for (int c = 3; c < 6; ++c)
            QVERIFY(b.GetValue(c, 5).isEmpty());
    }

    void gannLayout() {
        const B0NetModel b = GannBoard(Draw(2005013, {1, 2, 3, 4, 5, 6}), 0, Game::ssq());
        const QStringList expected{"31 32 33",       "30 13 14 15 16 17", "29 12 3 4 5 18",
                                   "28 11 2 1 6 19", "27 10 9 8 7 20",    "26 25 24 23 22 21"};
        for (int r = 0; r < 6; ++r) {
            QStringList cells;
            for (int c = 0; c < 6; ++c)
                if (!b.GetValue(c, r).isEmpty()) cells << b.GetValue(c, r);
            QCOMPARE(cells.join(' '), expected[r]);
        }
    }

    void gannPictures_data() {
        QTest::addColumn<QList<int>>("reds");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QStringList>("picture");
        // Rows 2 and 3 weigh 3, row 4 holds the blue 9; then columns 2, 3 and 4.
        QTest::newRow("1..6 + 09") << QList<int>{1, 2, 3, 4, 5, 6} << 9
                                   << QStringList{"..###.", "..###.", "##RRR#", "##RRR#", "##B###", "..###."};
        // One mark per line: nothing is shaded.
        QTest::newRow("diagonal") << QList<int>{31, 13, 3, 1, 7, 21} << 0
                                  << QStringList{"R.....", ".R....", "..R...", "...R..", "....R.", ".....R"};
        // The blue number equals red 13: that cell turns blue and weighs 2 on its own.
        QTest::newRow("blue on red") << QList<int>{31, 13, 3, 1, 7, 21} << 13
                                     << QStringList{"R#....", "#B####", ".#R...",
                                                    ".#.R..", ".#..R.", ".#...R"};
        QTest::newRow("no blue flag")
            << QList<int>{26, 25, 24, 31, 32, 33} << 0
            << QStringList{"RRR###", "###...", "###...", "###...", "###...", "RRR###"};
    }

    void gannPictures() {
        QFETCH(QList<int>, reds);
        QFETCH(int, blue);
        QFETCH(QStringList, picture);
        const TDrawRec d = Draw(2005013, {reds[0], reds[1], reds[2], reds[3], reds[4], reds[5]}, blue);
        QCOMPARE(Picture(GannBoard(d, 0, Game::ssq())), picture);
    }

    void placementAndTitles() {
        const TCodeArr h = Cycle(9);
        const B0NetBoards boards = FillEmptyRowCol(h, 9);
        QCOMPARE(boards.boards.size(), size_t(9));
        // Newest first, four to a line.
        QCOMPARE(boards.boards[0].FTitle, QStringLiteral("2005009期"));
        QCOMPARE(boards.boards[8].FTitle, QStringLiteral("2005001期"));
        const QList<QPoint> topLefts{{10, 0}, {210, 0}, {410, 0}, {610, 0}, {10, 200}, {210, 200}, {10, 400}};
        const QList<int> index{0, 1, 2, 3, 4, 5, 8};
        for (int k = 0; k < index.size(); ++k)
            QCOMPARE(boards.boards[size_t(index[k])].bounds().topLeft(), topLefts[k]);
        // The board shrinks to its six rows under the title band.
        const B0NetModel& b = boards.boards[0];
        QCOMPARE(b.visRows(), 6);
        QVERIFY(b.bounds().width() < 200 && b.bounds().height() < 200);
        QCOMPARE(b.colWidths().mid(0, 6), QList<int>(6, 24));
    }

    void gannTitleZeroPads() {
        const B0NetBoards g = FillGann({Draw(2005003, {1, 2, 3, 4, 5, 6}, 1)}, 1);
        QCOMPARE(g.boards.front().FTitle, QStringLiteral("2005003期"));
    }

    void zeroAndRefused() {
        const TCodeArr h = Cycle(5);
        QVERIFY(FillEmptyRowCol(h, 0).boards.empty());
        QVERIFY(FillGann(h, 0).boards.empty());
        QCOMPARE(FillGann(h, 5).boards.size(), size_t(5));
        for (int n : {6, -1}) {
            QVERIFY_THROWS_EXCEPTION(KelvoraError, FillEmptyRowCol(h, n));
            QVERIFY_THROWS_EXCEPTION(KelvoraError, FillGann(h, n));
        }
    }

    void json() {
        const QJsonObject o = FillGann(Cycle(3), 2).toJson();
        QCOMPARE(o["kind"].toString(), QStringLiteral("boards"));
        const QJsonArray boards = o["boards"].toArray();
        QCOMPARE(boards.size(), 2);
        const QJsonObject first = boards[0].toObject();
        QCOMPARE(first["title"].toString(), QStringLiteral("2005003期"));
        QCOMPARE(first["lineColor"].toInt(), int(BoardLineColor));
        QCOMPARE(first["cells"].toArray().size(), 6);
        QCOMPARE(first["left"].toInt(), 10);
        QCOMPARE(boards[1].toObject()["left"].toInt(), 210);
    }

    void sampleBoardsMarkSixReds() {
        const TCodeArr& h = SampleHistory();
        for (const B0NetModel& b : FillGann(h, 300).boards) {
            int weight = 0;
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < 6; ++c)
                    weight += b.GetCellColor(c, r) == BoardRedColor ? 1 : 0;
            QVERIFY(weight >= 5 && weight <= 6); // 5 when the blue number covers a red one
        }
    }
};

QTEST_GUILESS_MAIN(TestBoardCharts)
#include "tst_boardcharts.moc"
