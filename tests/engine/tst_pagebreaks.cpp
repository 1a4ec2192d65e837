#include "engine/charts/PageBreaks.h"

#include <QtTest>

class TestPageBreaks : public QObject {
    Q_OBJECT

  private slots:
    void breaks_data() {
        QTest::addColumn<std::vector<int>>("heights");
        QTest::addColumn<int>("room");
        QTest::addColumn<QList<int>>("ends"); // end of every page's rows
        QTest::newRow("nothing: one empty page") << std::vector<int>{} << 100 << QList<int>{0};
        QTest::newRow("fits exactly") << std::vector<int>(5, 20) << 100 << QList<int>{5};
        QTest::newRow("one row over") << std::vector<int>(6, 20) << 100 << QList<int>{5, 6};
        QTest::newRow("a part of a row is no row") << std::vector<int>(11, 21) << 104 << QList<int>{4, 8, 11};
        QTest::newRow("taller than a page: alone")
            << std::vector<int>{30, 150, 30} << 100 << QList<int>{1, 2, 3};
        QTest::newRow("mixed heights") << std::vector<int>{60, 30, 20, 50, 50} << 100 << QList<int>{2, 4, 5};
    }
    void breaks() {
        QFETCH(std::vector<int>, heights);
        QFETCH(int, room);
        QFETCH(QList<int>, ends);
        const std::vector<TPageRows> pages = BreakPages(heights, room);
        QCOMPARE(int(pages.size()), ends.size());
        int first = 0;
        for (size_t k = 0; k < pages.size(); ++k) {
            QCOMPARE(pages[k], (TPageRows{first, ends[qsizetype(k)]}));
            first = pages[k].end;
        }
    }

    // A red trend chart of 3,493 draws and its totals row on pages of 45 rows.
    void longChart() {
        const std::vector<TPageRows> pages = BreakPages(std::vector<int>(3494, 21), 45 * 21 + 20);
        QCOMPARE(pages.size(), size_t(78));
        for (size_t k = 0; k + 1 < pages.size(); ++k)
            QCOMPARE(pages[k].end - pages[k].first, 45);
        QCOMPARE(pages.back().end, 3494);
    }
};

QTEST_GUILESS_MAIN(TestPageBreaks)
#include "tst_pagebreaks.moc"
