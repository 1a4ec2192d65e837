#include "engine/history/HistoryMerge.h"
#include "engine/history/Parser.h"

#include <QtTest>

class TestHistoryMerge : public QObject {
    Q_OBJECT
  private slots:
    void merge_data() {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<QString>("report");
        const QString a = QStringLiteral("2026094 01 02 03 04 05 06 07");
        const QString b = QStringLiteral("2026096 01 04 16 22 26 31 04");
        QTest::newRow("one new draw keeps every held one")
            << a + "\n" + b << QStringList{"2026097 01 04 16 22 26 31 04"}
            << a + "\n" + b + "\n2026097 01 04 16 22 26 31 04"
            << QStringLiteral("新增1期，相同0期，冲突0期（未导入）");
        QTest::newRow("new, same and contradicting draws")
            << a + "\n\n" + b + "\n"
            << QStringList{"2026094 01 02 03 04 05 06 07", "2026095 02 05 10 11 20 33 16",
                           "2026096 01 04 16 22 26 31 05", "2026098 03 07 12 19 25 31 09"}
            << a + "\n\n2026095 02 05 10 11 20 33 16\n" + b + "\n2026098 03 07 12 19 25 31 09\n"
            << QStringLiteral("新增2期，相同1期，冲突1期（未导入）\n"
                              "第2026096期：导入 01 04 16 22 26 31+05，已有 01 04 16 22 26 31+04\n"
                              "缺少2026097，共1期");
        QTest::newRow("held reds as typed count as the same draw")
            << QStringLiteral("2026096 31 04 16 22 26 01 04") << QStringList{b}
            << QStringLiteral("2026096 31 04 16 22 26 01 04")
            << QStringLiteral("新增0期，相同1期，冲突0期（未导入）");
        QTest::newRow("empty editor")
            << QString() << QStringList{a, b} << a + "\n" + b
            << QStringLiteral("新增2期，相同0期，冲突0期（未导入）\n缺少2026095，共1期");
        // Only gaps next to a new draw are news: the held 2026095 is missing since before.
        QTest::newRow("gaps next to new draws, the start of a year")
            << a + "\n" + b << QStringList{"2026099 01 04 16 22 26 31 04", "2027002 01 04 16 22 26 31 04"}
            << a + "\n" + b + "\n2026099 01 04 16 22 26 31 04\n2027002 01 04 16 22 26 31 04"
            << QStringLiteral(
                   "新增2期，相同0期，冲突0期（未导入）\n缺少2026097到2026098，共2期\n缺少2027001，共1期");
    }
    void merge() {
        QFETCH(QString, held);
        QFETCH(QStringList, imported);
        QFETCH(QString, merged);
        QFETCH(QString, report);
        const TCodeArr draws = ParseHistoryText(held, Game::ssq()).history;
        const HistoryMergeResult r = MergeImportedDraws(held, draws, imported, Game::ssq());
        QCOMPARE(r.text, merged);
        QCOMPARE(r.report(), report);
        // Nothing held is lost or changed: every held draw is in the merged history as it was.
        const TCodeArr after = ParseHistoryText(r.text, Game::ssq()).history;
        QCOMPARE(int(after.size()), int(draws.size()) + r.added);
        for (const TDrawRec& d : draws)
            QVERIFY(std::any_of(after.begin(), after.end(),
                                [&](const TDrawRec& e) { return memcmp(&d, &e, sizeof d) == 0; }));
    }

    void replacingNamesDroppedDraws() {
        const TCodeArr held = ParseHistoryText(QStringLiteral("2026094 01 02 03 04 05 06 07\n"
                                                              "2026096 01 04 16 22 26 31 04"),
                                               Game::ssq())
                                  .history;
        QCOMPARE(DrawsDroppedByReplacing(held, {"2026097 01 04 16 22 26 31 04"}, Game::ssq()), 2);
        QCOMPARE(DrawsDroppedByReplacing(held, {"2026096 01 04 16 22 26 31 05"}, Game::ssq()), 1);
        QCOMPARE(HistoryStatusText(held), QStringLiteral("共2期，最新2026096期"));
        QCOMPARE(HistoryStatusText({}), QStringLiteral("共0期"));
        // Every other draw of a year held: ten gaps are named, the rest counted.
        QList<int> odd;
        for (int n = 1; n <= 25; n += 2)
            odd.append(2026000 + n);
        const QStringList gaps = MissingIssueTexts(odd);
        QCOMPARE(gaps.size(), 11);
        QCOMPARE(gaps.first(), QStringLiteral("缺少2026002，共1期"));
        QCOMPARE(gaps.last(), QStringLiteral("另有2处缺少开奖"));
    }
};

QTEST_GUILESS_MAIN(TestHistoryMerge)
#include "tst_historymerge.moc"
