#include "engine/core/Game.h"
#include "engine/core/KelvoraError.h"
#include "engine/history/DataLocation.h"
#include "engine/history/DrawEntry.h"
#include "engine/history/HistoryMerge.h"
#include "engine/history/HistoryWarnings.h"
#include "engine/history/ImportText.h"
#include "engine/history/Parser.h"
#include "engine/history/Query.h"
#include "engine/metrics/Code.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

// The history layer and the measures given either game: the same rules over each game's pools.
class TestGameHistory : public QObject {
    Q_OBJECT

  private slots:
    void lines_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("numbers"); // as DrawToText gives them, or empty when refused
        QTest::addColumn<QString>("reason");  // the reason of a refused line
        QTest::newRow("ssq line") << "ssq" << "2024001 03 09 15 22 30 33 16" << "03 09 15 22 30 33+16" << "";
        QTest::newRow("dlt line") << "dlt" << "2024001 03 09 15 22 35 01 12" << "03 09 15 22 35+01 12" << "";
        QTest::newRow("dlt drawing order") << "dlt" << "2024001 22 03 35 09 15 12 01" << "03 09 15 22 35+01 12"
                                           << "";
        QTest::newRow("a front 35 is no red") << "ssq" << "2024001 03 09 15 22 30 35 16" << "" << "红球35超出范围";
        QTest::newRow("ssq line read as dlt") << "dlt" << "2024001 03 09 15 22 30 33 16" << "" << "后区33超出范围";
        QTest::newRow("back 13") << "dlt" << "2024001 03 09 15 22 30 01 13" << "" << "后区13超出范围";
        QTest::newRow("front 36") << "dlt" << "2024001 03 09 15 22 36 01 02" << "" << "前区36超出范围";
        QTest::newRow("backs repeat") << "dlt" << "2024001 03 09 15 22 30 05 05" << "" << "后区05重复";
        QTest::newRow("fronts repeat") << "dlt" << "2024001 03 09 09 22 30 05 06" << "" << "前区09重复";
        QTest::newRow("a back may equal a front") << "dlt" << "2024001 01 02 03 04 05 01 02"
                                                  << "01 02 03 04 05+01 02" << "";
        QTest::newRow("too short") << "dlt" << "2024001 03 09 15 22 30 05" << "" << "只有6个号码";
        QTest::newRow("qlc line") << "qlc" << "2024001 03 09 15 22 26 29 30 11" << "03 09 15 22 26 29 30+11" << "";
        QTest::newRow("qlc drawing order") << "qlc" << "2024001 30 03 29 09 26 15 22 11"
                                           << "03 09 15 22 26 29 30+11" << "";
        QTest::newRow("special among the seven") << "qlc" << "2024001 03 09 15 22 26 29 30 09" << ""
                                                 << "特别号09与基本号重复";
        QTest::newRow("special 31") << "qlc" << "2024001 03 09 15 22 26 29 30 31" << "" << "特别号31超出范围";
        QTest::newRow("basic 31") << "qlc" << "2024001 03 09 15 22 26 29 31 01" << "" << "基本号31超出范围";
        QTest::newRow("ssq line read as qlc") << "qlc" << "2024001 03 09 15 22 30 33 16" << "" << "只有7个号码";
        QTest::newRow("qlc line read as ssq") << "ssq" << "2024001 03 09 15 22 26 29 30 11" << ""
                                              << "蓝球30超出范围";
    }
    void lines() {
        QFETCH(QString, game);
        QFETCH(QString, line);
        QFETCH(QString, numbers);
        QFETCH(QString, reason);
        const Game& g = *Game::find(game);
        const ParseResult r = ParseHistoryText(line, g);
        if (numbers.isEmpty()) {
            QCOMPARE(r.status, ParseResult::BadLines);
            QCOMPARE(r.lineErrors, QStringList{QStringLiteral("第1行：") + reason});
            QVERIFY(r.history.empty());
            return;
        }
        QCOMPARE(r.status, ParseResult::Ok);
        QCOMPARE(DrawToText(r.history.front().Ticket, g), numbers);
        QCOMPARE(QueryLine(r.history.front(), g), QStringLiteral("第2024001期,开奖号:") + numbers);
    }

    // Each sample parses as its own game only; every super-lotto draw has five fronts and two backs.
    void samples() {
        const TCodeArr& dlt = DltSampleHistory();
        QCOMPARE(dlt.size(), size_t(2912));
        QCOMPARE(dlt.front().code(), 2007001);
        QCOMPARE(dlt.back().code(), 2026094);
        QVERIFY(HistoryWarnings(dlt, Game::dlt()).isEmpty());
        for (const TDrawRec& d : dlt) {
            QCOMPARE(d.Ticket.Red[5], uint8_t(0));
            QVERIFY(d.Ticket.Red[4] <= 35 && d.Ticket.Red[0] >= 1);
            int backs = 0;
            for (int b = 0; b < 16; ++b)
                backs += d.Ticket.Blue[b] ? (b < 12 ? 1 : 100) : 0;
            QCOMPARE(backs, 2);
        }
        // Every sample is its own game's only: read as another game, its lines are refused.
        for (const Game* own : Game::all())
            for (const Game* other : Game::all()) {
                const ParseResult r = ParseHistory(SampleHistoryBytesOf(*own), *other);
                QCOMPARE(r.status == ParseResult::Ok, own == other);
                if (own == other) continue;
                // A line of a different length is refused outright; one of the same length by its ranges.
                const bool sameLength = own->frontPicks + own->sidePicks() == other->frontPicks + other->sidePicks();
                QVERIFY(r.badLineCount > 0);
                if (!sameLength) QVERIFY2(r.badLineCount * 10 > int(SampleHistoryOf(*own).size()) * 9, own->key);
            }
        // 七乐彩: seven basic numbers ascending, and a special number apart from them.
        for (const TDrawRec& d : SampleHistoryOf(Game::qlc())) {
            QVERIFY(std::is_sorted(d.Ticket.Red, d.Ticket.Red + 7) && d.Ticket.Red[0] >= 1 && d.Ticket.Red[6] <= 30);
            QVERIFY(d.Ticket.Special >= 1 && d.Ticket.Special <= 30);
            QVERIFY(std::find(d.Ticket.Red, d.Ticket.Red + 7, d.Ticket.Special) == d.Ticket.Red + 7);
        }
    }

    // A line that fits both shapes is caught by the warnings.
    void unsortedWarnings() {
        const ParseResult r = ParseHistoryText(QStringLiteral("2024001 03 09 15 22 30 11 04"), Game::dlt());
        QCOMPARE(r.status, ParseResult::Ok);
        QCOMPARE(HistoryWarnings(r.history, Game::dlt()),
                 QStringList{QStringLiteral("警告：第1行后区不是从小到大排列")});
        const ParseResult asSsq = ParseHistoryText(QStringLiteral("2024001 03 09 15 22 30 04 11"), Game::ssq());
        QCOMPARE(HistoryWarnings(asSsq.history, Game::ssq()),
                 QStringList{QStringLiteral("警告：第1行红球不是从小到大排列")});
    }

    void import_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("fault");
        QTest::newRow("web list with dates, newest first") << "dlt"
            << "期号,日期,前区,后区\n2024002,2024-01-03,35 01 17 08 22,12+03\n2024001 2024/1/1 1 2 3 4 5 6 7\n"
            << QStringList{"2024001 01 02 03 04 05 06 07", "2024002 01 08 17 22 35 03 12"} << "";
        QTest::newRow("two-colour ball lines") << "dlt" << "2024001 01 02 03 04 05 06 16\n" << QStringList() << "后区16超出范围";
        QTest::newRow("one back") << "dlt" << "2024001 01 02 03 04 05 06\n" << QStringList()
                                  << "只有6个号码，应为5个前区号码和2个后区号码";
        QTest::newRow("backs repeat") << "dlt" << "2024001 01 02 03 04 05 06 06\n" << QStringList() << "后区06重复";
        QTest::newRow("qlc in drawing order") << "qlc" << "26088,2026-07-30,24 05 16 06 09 11 15,07\n"
                                              << QStringList{"2026088 05 06 09 11 15 16 24 07"} << "";
        QTest::newRow("qlc without its special") << "qlc" << "2024001 01 02 03 04 05 06 07\n" << QStringList()
                                                 << "只有7个号码，应为7个基本号码和1个特别号";
    }
    void import() {
        QFETCH(QString, game);
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFETCH(QString, fault);
        const Game& g = *Game::find(game);
        const ImportResult r = ConvertImportText(text, g);
        QCOMPARE(r.ok, fault.isEmpty());
        if (!r.ok) {
            QVERIFY2(r.message.contains(fault), qPrintable(r.message));
            return;
        }
        QCOMPARE(r.lines, lines);
        QCOMPARE(ParseHistoryText(r.lines.join(QLatin1Char('\n')), g).status, ParseResult::Ok);
    }

    // A merge names a contradiction with both backs, and a new draw goes in issue order.
    void merge() {
        const QString held = QStringLiteral("2024001 01 02 03 04 05 06 07\n2024003 01 02 03 04 05 06 07");
        const TCodeArr heldDraws = ParseHistoryText(held, Game::dlt()).history;
        const HistoryMergeResult r = MergeImportedDraws(
            held, heldDraws, {"2024001 01 02 03 04 05 08 09", "2024002 11 12 13 14 15 01 02"}, Game::dlt());
        QCOMPARE(r.added, 1);
        QCOMPARE(r.conflicts.size(), 1);
        QCOMPARE(r.conflicts.front().imported, QStringLiteral("01 02 03 04 05+08 09"));
        QCOMPARE(r.conflicts.front().held, QStringLiteral("01 02 03 04 05+06 07"));
        QCOMPARE(r.text.split(QLatin1Char('\n')).at(1), QStringLiteral("2024002 11 12 13 14 15 01 02"));
    }

    void entry_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QList<int>>("fronts");
        QTest::addColumn<QList<int>>("backs");
        QTest::addColumn<QString>("result"); // the line, or the refusal
        QTest::newRow("sorted") << "dlt" << QList<int>{35, 1, 17, 8, 22} << QList<int>{12, 3}
                                << "2024010 01 08 17 22 35 03 12";
        QTest::newRow("front 36") << "dlt" << QList<int>{36, 1, 17, 8, 22} << QList<int>{12, 3} << "前区必须在01到35之间";
        QTest::newRow("back 13") << "dlt" << QList<int>{1, 2, 3, 4, 5} << QList<int>{13, 3} << "后区必须在01到12之间";
        QTest::newRow("backs repeat") << "dlt" << QList<int>{1, 2, 3, 4, 5} << QList<int>{3, 3}
                                      << "后区03重复，两个后区号码必须各不相同";
        QTest::newRow("one back") << "dlt" << QList<int>{1, 2, 3, 4, 5} << QList<int>{3} << "后区必须是2个号码";
        QTest::newRow("qlc") << "qlc" << QList<int>{30, 1, 17, 8, 22, 2, 3} << QList<int>{12}
                             << "2024010 01 02 03 08 17 22 30 12";
        QTest::newRow("qlc special among the seven") << "qlc" << QList<int>{30, 1, 17, 8, 22, 2, 3} << QList<int>{17}
                                                     << "特别号17与基本号重复";
        QTest::newRow("qlc six numbers") << "qlc" << QList<int>{30, 1, 17, 8, 22, 2} << QList<int>{12}
                                         << "基本号必须是7个号码";
    }
    void entry() {
        QFETCH(QString, game);
        QFETCH(QList<int>, fronts);
        QFETCH(QList<int>, backs);
        QFETCH(QString, result);
        QString got;
        try {
            got = DrawEntryLine(2024010, std::vector<int>(fronts.begin(), fronts.end()),
                                std::vector<int>(backs.begin(), backs.end()), *Game::find(game));
        } catch (const KelvoraError& e) {
            got = e.message();
        }
        QCOMPARE(got, result);
    }

    // The measures over five fronts of 1..35 (unused sixth place ignored).
    void measures_data() {
        QTest::addColumn<QList<int>>("fronts");
        QTest::addColumn<QList<int>>("values"); // span, AC, big, zone1, zone2, zone3, mod3 0, tails, longest run, diagonal
        QTest::newRow("zone edges") << QList<int>{12, 13, 24, 25, 35} << QList<int>{23, 3, 3, 1, 2, 2, 2, 4, 1, 2};
        QTest::newRow("a run to 35") << QList<int>{1, 32, 33, 34, 35} << QList<int>{34, 3, 4, 1, 0, 4, 1, 5, 3, 3};
        QTest::newRow("evenly spaced") << QList<int>{1, 2, 3, 4, 5} << QList<int>{4, 0, 0, 5, 0, 0, 1, 5, 4, 2};
    }
    void measures() {
        QFETCH(QList<int>, fronts);
        QFETCH(QList<int>, values);
        const Game& g = Game::dlt();
        TCodeRec t = MakeGameTicket({fronts[0], fronts[1], fronts[2], fronts[3], fronts[4]}, {1, 2});
        const TCodeRec prev = MakeGameTicket({2, 14, 20, 27, 34}, {3, 4});
        int z[3], m[3];
        ZoneCounts(t, z[0], z[1], z[2], g);
        Mod3Counts(t, m[0], m[1], m[2], g);
        const QList<int> got{SpanValue(t, g),     AcValue(t, g),       BigCount(t, g),
                             z[0],                z[1],                z[2],
                             m[0],                TailGroupCount(t, g), LongestRunLinks(t, g),
                             DiagonalCount(t, prev, g)};
        QCOMPARE(got, values);
        QCOMPARE(CodeToText(t, g), QStringLiteral("%1 %2 %3 %4 %5")
                                       .arg(fronts[0], 2, 10, QLatin1Char('0'))
                                       .arg(fronts[1], 2, 10, QLatin1Char('0'))
                                       .arg(fronts[2], 2, 10, QLatin1Char('0'))
                                       .arg(fronts[3], 2, 10, QLatin1Char('0'))
                                       .arg(fronts[4], 2, 10, QLatin1Char('0')));
        QCOMPARE(MinCode(t), fronts[0]);
    }

    // An installed copy seeds each game's own file from its own sample, leaving the other alone.
    void seedsEachGame() {
        QTemporaryDir root;
        const QString prefix = root.filePath(QStringLiteral("usr"));
        QDir().mkpath(prefix + QStringLiteral("/bin"));
        QDir().mkpath(prefix + QStringLiteral("/share/kelvora"));
        WriteTestFile(root, QStringLiteral("usr/share/kelvora/ssq.dxt"), "2024001 01 02 03 04 05 06 07\r\n");
        WriteTestFile(root, QStringLiteral("usr/share/kelvora/dlt.dxt"), "2024001 01 02 03 04 05 06 07\r\n");
        const QString home = root.filePath(QStringLiteral("home"));
        const DataLocation loc = LocateData({prefix + QStringLiteral("/bin"), QString(), home, &Game::dlt()});
        QVERIFY(loc.problems.isEmpty());
        QVERIFY(loc.perUser);
        QCOMPARE(loc.dataFile, QDir(home).filePath(QStringLiteral("dlt.dxt")));
        QCOMPARE(loc.loadFile, loc.dataFile);
        QVERIFY(QFileInfo::exists(loc.dataFile));
        QVERIFY(!QFileInfo::exists(QDir(home).filePath(QStringLiteral("ssq.dxt"))));
    }
};

QTEST_GUILESS_MAIN(TestGameHistory)
#include "tst_gamehistory.moc"
