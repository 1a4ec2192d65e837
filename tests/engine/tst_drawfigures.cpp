#include "engine/history/DataFile.h"
#include "engine/prize/DrawFigures.h"
#include "engine/prize/PrizeTiers.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(const Game*)

// The official draw figures: read against the history, written back unchanged, merged and refused as
// the history is.
class TestDrawFigures : public QObject {
    Q_OBJECT

    static QByteArray fixture(const Game& game) {
        QFile f(FiguresFixturePathOf(game));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private slots:
    // Each game's published figures read whole with its frozen history, and read back the same from
    // what the program writes.
    void publishedFigures_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<int>("draws");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("ssq") << &Game::ssq() << 3403 << 2004001 << 2026095;
        QTest::newRow("dlt") << &Game::dlt() << 2886 << 2007001 << 2026068;
    }
    void publishedFigures() {
        QFETCH(const Game*, game);
        QFETCH(int, draws);
        QFETCH(int, first);
        QFETCH(int, last);
        const FiguresLoad load = ParseFigures(fixture(*game), *game, &SampleHistoryOf(*game));
        QVERIFY2(load.status == FiguresLoad::Ok, qPrintable(load.message.left(300)));
        const FiguresTable& t = load.table;
        QCOMPARE(int(t.draws.size()), draws);
        QCOMPARE(t.draws.front().issue, first);
        QCOMPARE(t.draws.back().issue, last);
        for (size_t k = 1; k < t.draws.size(); ++k) {
            QVERIFY(t.draws[k - 1].issue < t.draws[k].issue);
            QCOMPARE(t.poolBefore(t.draws[k].issue), t.draws[k - 1].pool);
        }
        QCOMPARE(t.poolBefore(first), int64_t(-1));
        const QByteArray written = FiguresFileText(t);
        const FiguresLoad again = ParseFigures(written, *game, &SampleHistoryOf(*game));
        QCOMPARE(again.status, FiguresLoad::Ok);
        QCOMPARE(FiguresFileText(again.table), written);
        // Every figure survives the round trip, the unknown ones as unknown.
        for (size_t k = 0; k < t.draws.size(); ++k) {
            const DrawFigures &a = t.draws[k], &b = again.table.draws[k];
            QVERIFY(a.issue == b.issue && a.date == b.date && a.sales == b.sales && a.pool == b.pool);
            for (size_t i = 0; i < a.tiers.size(); ++i)
                QVERIFY(a.tiers[i].winners == b.tiers[i].winners && a.tiers[i].amount == b.tiers[i].amount);
        }
    }

    // A faulty file is refused whole, naming every faulty line; the other game's file too.
    void faultyFiles_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("faults");
        const QByteArray good = "2026067 2026-06-17 322509643 791339917 6 7300268 158 79968 1621 6666 22649 380 "
                                "92288 200 948750 18 9139694 7 0 0 0 0 sporttery\n";
        QTest::newRow("cut line") << good + "2026068 2026-06-20 333899407 802145380 5 7366555\n"
                                  << QStringList{"第2行：有6项"};
        QTest::newRow("letter in a number")
            << QByteArray(good).replace("322509643", "3225O9643") << QStringList{"第1行：'3225O9643' 不是数字"};
        QTest::newRow("an issue the history does not hold")
            << QByteArray(good).replace("2026067", "2025999") << QStringList{"第1行：开奖数据中没有第2025999期"};
        QTest::newRow("a draw twice") << good + good << QStringList{"第2026067期出现了两次"};
        QTest::newRow("a bad date") << QByteArray(good).replace("2026-06-17", "2026-02-30")
                                    << QStringList{"第1行：日期'2026-02-30'无效"};
        QTest::newRow("the two-colour ball's figures")
            << QByteArray("2004001 2004-01-01 66703336 98223369 0 0 13 280673 233 3000 12183 200 231342 10 "
                          "3014617 5 - - 17500\n")
            << QStringList{"第1行：有19项，超级大乐透的开奖公告数据每行应为23项"};
    }
    void faultyFiles() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, faults);
        const FiguresLoad load = ParseFigures(text, Game::dlt(), &SampleHistoryOf(Game::dlt()));
        QCOMPARE(load.status, FiguresLoad::Refused);
        QVERIFY(load.table.draws.empty());
        for (const QString& fault : faults)
            QVERIFY2(load.message.contains(fault), qPrintable(load.message));
        QCOMPARE(load.message.count(QLatin1Char('\n')), faults.size());
    }

    // New draws are added, unknown figures filled; any contradiction refuses the whole merge. The
    // update's decision on top: no file on the server is no fault, a cut one is refused.
    void mergeAndUpdate() {
        const Game& g = Game::dlt();
        const TCodeArr& history = SampleHistoryOf(g);
        const FiguresTable published = ParseFigures(fixture(g), g, &history).table;
        FiguresTable held = published;
        held.draws.pop_back();
        held.draws.back().sales = -1;
        const FiguresMerge m = MergeFigures(held, published);
        QVERIFY(m.ok);
        QCOMPARE(m.added, 1);
        QCOMPARE(m.filled, 1);
        QCOMPARE(FiguresFileText(m.table), FiguresFileText(published));

        FiguresTable other = published;
        other.draws[10].tiers[3].winners += 1;
        const FiguresMerge refused = MergeFigures(held, other);
        QVERIFY(!refused.ok);
        QVERIFY2(refused.message.contains(QString::number(other.draws[10].issue)), qPrintable(refused.message));
        QCOMPARE(FiguresFileText(refused.table), FiguresFileText(held));

        UpdateTransfer absent;
        absent.httpStatus = 404;
        absent.error = QStringLiteral("服务器返回错误 404");
        QCOMPARE(DecideFiguresUpdate(absent, held, history, g).status, FiguresUpdate::Absent);
        UpdateTransfer cut;
        cut.body = fixture(g);
        cut.framing = TransferFraming::Length;
        cut.declaredLength = cut.body.size() + 100;
        QCOMPARE(DecideFiguresUpdate(cut, held, history, g).status, FiguresUpdate::Refused);
        UpdateTransfer whole;
        whole.body = fixture(g);
        const FiguresUpdate merged = DecideFiguresUpdate(whole, held, history, g);
        QCOMPARE(merged.status, FiguresUpdate::Merged);
        QCOMPARE(merged.added, 2);
    }

    // A folder or an oversized file in place of the figures: refused with a message, never read whole.
    void unreadableFiles() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ssq-figures.txt")));
        const FiguresLoad folder = LoadFigures(dir.filePath(QStringLiteral("ssq-figures.txt")), Game::ssq(), nullptr);
        QCOMPARE(folder.status, FiguresLoad::Refused);
        QVERIFY2(folder.message.startsWith(QStringLiteral("无法读取开奖公告数据")), qPrintable(folder.message));
        QFile big(dir.filePath(QStringLiteral("big.txt")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(MaxInputFileBytes + 1));
        big.close();
        QCOMPARE(LoadFigures(big.fileName(), Game::ssq(), nullptr).status, FiguresLoad::Refused);
        QCOMPARE(LoadFigures(dir.filePath(QStringLiteral("none.txt")), Game::ssq(), nullptr).status,
                 FiguresLoad::Missing);
    }

    void money() {
        QCOMPARE(YuanText(0), QStringLiteral("0"));
        QCOMPARE(YuanText(123456789), QStringLiteral("1,234,567.89"));
        QCOMPARE(YuanText(100000000), QStringLiteral("1,000,000"));
        QCOMPARE(YuanText(460), QStringLiteral("4.60"));
        QCOMPARE(YuanText(-1), QStringLiteral("-"));
        QCOMPARE(FiguresUpdatePath(Game::ssq()), QStringLiteral("/gx-figures.txt"));
        QCOMPARE(FiguresUpdatePath(Game::dlt()), QStringLiteral("/dlt-figures.txt"));
    }
};

QTEST_GUILESS_MAIN(TestDrawFigures)
#include "tst_drawfigures.moc"
