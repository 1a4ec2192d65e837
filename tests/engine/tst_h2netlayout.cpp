#include "engine/charts/H2NetLayout.h"

#include <QtTest>

class TestH2NetLayout : public QObject {
    Q_OBJECT

    static H2NetModel grid(int dynRows, int fixRows = 2) {
        H2NetModel m;
        m.SetDimension(3, dynRows, fixRows, {66, 16, 32});
        return m;
    }

  private slots:
    void visibleRowsAndRange_data() {
        QTest::addColumn<int>("dynRows");
        QTest::addColumn<int>("fixRows");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("visRows");
        QTest::addColumn<int>("scrollMax");
        QTest::newRow("50 rows in 252 px") << 50 << 2 << 252 << 10 << 40;
        QTest::newRow("fewer rows than fit") << 5 << 2 << 252 << 10 << 0;
        QTest::newRow("height = pitch") << 50 << 2 << 21 << 0 << 50;
        QTest::newRow("height below pitch") << 50 << 2 << 10 << 0 << 50;
        QTest::newRow("just over pitch") << 50 << 0 << 22 << 1 << 49;
        QTest::newRow("header taller than client") << 50 << 2 << 30 << 0 << 50;
        QTest::newRow("3500 rows") << 3500 << 2 << 700 << 31 << 3469;
    }
    void visibleRowsAndRange() {
        QFETCH(int, dynRows);
        QFETCH(int, fixRows);
        QFETCH(int, height);
        QFETCH(int, visRows);
        QFETCH(int, scrollMax);
        const H2NetLayout l = LayoutH2Net(grid(dynRows, fixRows), height, 0);
        QCOMPARE(l.VisRows, visRows);
        QCOMPARE(l.ScrollMax, scrollMax);
    }

    void gridRectReachesTheBottom() {
        // Only 5 data rows, but the lines run over all 10 rows that fit.
        const H2NetLayout l = LayoutH2Net(grid(5), 252, 0);
        QCOMPARE(l.GridRect, (TNetRect{1, 1, 1 + 67 + 17 + 32, 1 + 11 * 21 + 20}));
        QCOMPARE(l.ColLefts, (std::vector<int>{1, 68, 85, 118}));
        QCOMPARE(LayoutH2Net(H2NetModel(), 252, 0).GridRect, TNetRect{});
    }

    // A wide window widens the columns in proportion, within the stretch limit, and never narrows them.
    void columnsStretchToTheWindow_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("maxStretch");
        QTest::addColumn<std::vector<int>>("lefts");
        QTest::newRow("no stretch asked") << 600 << 1.0 << std::vector<int>{1, 68, 85, 118};
        QTest::newRow("narrower window") << 100 << 2.0 << std::vector<int>{1, 68, 85, 118};
        QTest::newRow("fills the window") << 200 << 2.0 << std::vector<int>{1, 115, 143, 199};
        QTest::newRow("at most twice") << 600 << 2.0 << std::vector<int>{1, 134, 167, 232};
    }
    void columnsStretchToTheWindow() {
        QFETCH(int, width);
        QFETCH(double, maxStretch);
        QFETCH(std::vector<int>, lefts);
        const H2NetModel m = grid(5);
        const H2NetLayout l = LayoutH2Net(m, 252, 0, width, maxStretch);
        QCOMPARE(l.ColLefts, lefts);
        QCOMPARE(l.contentWidth(), lefts.back() + 1);
        QVERIFY(l.contentWidth() <= std::max(width, H2NetContentWidth(m)));
        QCOMPARE(l.GridRect.Right, lefts.back() - 1);
        for (int c = 0; c < 3; ++c) {
            QVERIFY(l.colWidth(c, 1) >= m.colWidths()[c]);
            // A point in the middle of a stretched cell finds that cell.
            QCOMPARE(H2NetCellAt(m, l, {(lefts[size_t(c)] + lefts[size_t(c) + 1]) / 2, 30}), QPoint(c, 1));
        }
    }

    void paintedRowsFollowTheScrollPosition() {
        const H2NetModel m = grid(50);
        H2NetLayout l = LayoutH2Net(m, 252, 40);
        QCOMPARE(l.TopRow, 40);
        // Grid row 42, the 41st data row, right under the header; row 51, the last, at the bottom.
        QCOMPARE(l.firstPaintRow(m), 42);
        QCOMPARE(l.endPaintRow(m), 52);
        QCOMPARE(m.TopOfRow(42, true, l.TopRow), 1 + 2 * 21);
        l = LayoutH2Net(grid(5), 252, 0);
        QCOMPARE(l.endPaintRow(grid(5)) - l.firstPaintRow(grid(5)), 5);
    }

    void topRowClampedToNewRange() {
        // A refill with fewer rows must not leave the view scrolled past the end.
        QCOMPARE(LayoutH2Net(grid(50), 252, 40).TopRow, 40);
        QCOMPARE(LayoutH2Net(grid(20), 252, 40).TopRow, 10);
        QCOMPARE(LayoutH2Net(grid(3), 252, 40).TopRow, 0);
        QCOMPARE(LayoutH2Net(grid(20), 252, -5).TopRow, 0);
    }

    void scrollRequests_data() {
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("thumb");
        QTest::addColumn<int>("expected");
        using R = TScrollRequest;
        QTest::newRow("line up") << int(R::LineUp) << 5 << 0 << 4;
        QTest::newRow("line up at top") << int(R::LineUp) << 0 << 0 << 0;
        QTest::newRow("line down") << int(R::LineDown) << 5 << 0 << 6;
        QTest::newRow("line down at end") << int(R::LineDown) << 40 << 0 << 40;
        QTest::newRow("page up") << int(R::PageUp) << 25 << 0 << 15;
        QTest::newRow("page up near top") << int(R::PageUp) << 4 << 0 << 0;
        QTest::newRow("page down") << int(R::PageDown) << 5 << 0 << 15;
        QTest::newRow("page down near end") << int(R::PageDown) << 35 << 0 << 40;
        QTest::newRow("thumb position") << int(R::ThumbPosition) << 5 << 17 << 17;
        QTest::newRow("thumb track") << int(R::ThumbTrack) << 5 << 33 << 33;
        QTest::newRow("thumb below min") << int(R::ThumbTrack) << 5 << -3 << 5;
        QTest::newRow("thumb past max") << int(R::ThumbPosition) << 5 << 90 << 40;
        QTest::newRow("top") << int(R::Top) << 25 << 0 << 0;
        QTest::newRow("bottom") << int(R::Bottom) << 3 << 0 << 40;
        QTest::newRow("end scroll") << int(R::EndScroll) << 7 << 30 << 7;
    }
    void scrollRequests() {
        QFETCH(int, request);
        QFETCH(int, pos);
        QFETCH(int, thumb);
        QFETCH(int, expected);
        QCOMPARE(H2NetScroll(TScrollRequest(request), pos, 0, 40, 10, thumb), expected);
    }

    void pagingWithNothingVisibleStays() {
        QCOMPARE(H2NetScroll(TScrollRequest::PageDown, 3, 0, 50, 0), 3);
        QCOMPARE(H2NetScroll(TScrollRequest::LineDown, 0, 0, 0, 10), 0);
    }
};

QTEST_GUILESS_MAIN(TestH2NetLayout)
#include "tst_h2netlayout.moc"
