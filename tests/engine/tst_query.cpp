#include "engine/history/Parser.h"
#include "engine/history/Query.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestQuery : public QObject {
    Q_OBJECT
    TCodeArr history;

  private slots:
    void initTestCase() {
        const ParseResult r = ParseHistoryText(QStringLiteral("2005011 01 02 03 04 05 06 01\n"
                                                              "2005012 33 32 31 30 29 28 16\n"
                                                              "2005013 03 07 12 19 25 31 09\n"
                                                              "2005012 10 11 12 13 14 15 02\n"
                                                              "2005014 05 06 07 08 09 10 10\n"),
                                               Game::ssq());
        QCOMPARE(r.status, ParseResult::Ok);
        history = r.history;
    }

    void lineFormat() {
        QCOMPARE(QueryLine(history[2], Game::ssq()),
                 QStringLiteral("第2005013期,开奖号:03 07 12 19 25 31+09"));
        TDrawRec d = history[0];
        d.Year = 5;
        d.Issue = 7;
        QCOMPARE(QueryLine(d, Game::ssq()), QStringLiteral("第   5007期,开奖号:01 02 03 04 05 06+01"));
    }

    void query_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("issues"); // first 7 characters after 第
        QTest::newRow("middle") << 2005013 << 2 << QStringList{"2005013", "2005012"};
        QTest::newRow("latest with 30 lists one") << 2005014 << 30 << QStringList{"2005014"};
        QTest::newRow("runs to the end") << 2005013 << 30 << QStringList{"2005013", "2005012", "2005014"};
        QTest::newRow("duplicate code starts at its last entry")
            << 2005012 << 2 << QStringList{"2005012", "2005014"};
        QTest::newRow("unknown issue") << 2005099 << 30 << QStringList{};
        QTest::newRow("count zero") << 2005011 << 0 << QStringList{};
        QTest::newRow("negative count") << 2005011 << -5 << QStringList{};
        QTest::newRow("huge count") << 2005011 << 2147483647
                                    << QStringList{"2005011", "2005012", "2005013", "2005012", "2005014"};
    }
    void query() {
        QFETCH(int, from);
        QFETCH(int, count);
        QFETCH(QStringList, issues);
        const QStringList lines = QueryHistory(history, from, count, Game::ssq());
        QStringList got;
        for (const QString& l : lines)
            got << l.mid(1, 7);
        QCOMPARE(got, issues);
    }

    void emptyHistory() { QVERIFY(QueryHistory(TCodeArr{}, 2005013, 30, Game::ssq()).isEmpty()); }

    void sampleTail() {
        const ParseResult r = ParseHistory(SampleHistoryBytes(), Game::ssq());
        QCOMPARE(r.status, ParseResult::Ok);
        const int fiveBefore = r.history[r.history.size() - 6].code();
        const QStringList lines = QueryHistory(r.history, fiveBefore, 30, Game::ssq());
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.last(), QStringLiteral("第2026096期,开奖号:01 04 16 22 26 31+04"));
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
