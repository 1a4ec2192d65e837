#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

// --game on the history commands: each game reads its own shape and refuses the other's.
class TestCliGame : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private slots:
    void history_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // start of standard output
        QTest::addColumn<QString>("err"); // part of standard error
        const QString dlt = DltSampleHistoryPath();
        const QString ssq = SampleHistoryPath();
        QTest::newRow("dlt sample") << QStringList{"--game", "dlt", "--data", dlt, "check"} << 0
                                    << "2912 draws, 2007001 to 2026094" << "";
        QTest::newRow("--game after the subcommand") << QStringList{"--data", dlt, "check", "--game=dlt"} << 0
                                                     << "2912 draws" << "";
        QTest::newRow("two-colour ball history as dlt")
            << QStringList{"--game", "dlt", "--data", ssq, "check"} << 1 << "" << "第1行：后区";
        QTest::newRow("super lotto history as ssq") << QStringList{"--data", dlt, "check"} << 1 << "" << "第1行：红球35超出范围";
        const QString qlc = SampleHistoryPathOf(Game::qlc());
        QTest::newRow("qlc sample") << QStringList{"--game", "qlc", "--data", qlc, "check"} << 0
                                    << "2968 draws, 2007001 to 2026088" << "";
        QTest::newRow("two-colour ball history as qlc")
            << QStringList{"--game", "qlc", "--data", ssq, "check"} << 1 << "" << "第1行：只有7个号码";
        QTest::newRow("qlc history as ssq") << QStringList{"--data", qlc, "check"} << 1 << "" << "第1行：蓝球30超出范围";
        QTest::newRow("qlc history as dlt")
            << QStringList{"--game", "dlt", "--data", qlc, "check"} << 1 << "" << "第1行：后区29超出范围";
        QTest::newRow("qlc query shows the special")
            << QStringList{"--game", "qlc", "--data", qlc, "query", "--from", "2026088", "--count", "1"} << 0
            << "第2026088期,开奖号:05 06 09 11 15 16 24+07" << "";
        QTest::newRow("unknown game") << QStringList{"--game", "k3", "--data", dlt, "check"} << 1 << ""
                                      << "未知的彩种'k3'";
        QTest::newRow("query lists both backs")
            << QStringList{"--game", "dlt", "--data", dlt, "query", "--from", "2026094", "--count", "1"} << 0
            << "第2026094期,开奖号:" << "";
        QTest::newRow("query starts at the game's first issue")
            << QStringList{"--game", "dlt", "--data", dlt, "query", "--count", "1"} << 0 << "第2007001期,开奖号:"
            << "";
    }
    void history() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CliRun r = RunCli(args);
        QCOMPARE(r.status, status);
        QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.startsWith(out), qPrintable(r.out.left(200)));
        QVERIFY2(r.err.contains(err), qPrintable(r.err.left(200)));
        if (args.contains("query") && !args.contains("qlc")) QVERIFY(r.out.trimmed().contains(QRegularExpression("\\+\\d\\d \\d\\d$")));
    }

    // Import converts and merges super-lotto lists; a two-colour ball list changes nothing.
    void importMerge() {
        const QString held = WriteTestFile(m_dir, "dlt.dxt", "2024001 01 02 03 04 05 06 07\r\n");
        const QString list = WriteTestFile(m_dir, "list.csv", "2024002,2024-01-03,35 01 17 08 22,12+03\n");
        const CliRun merged = RunCli({"--game", "dlt", "--data", held, "import", list, "--merge"});
        QCOMPARE(merged.status, 0);
        QCOMPARE(merged.out, QStringLiteral("2024001 01 02 03 04 05 06 07\n2024002 01 08 17 22 35 03 12\n"));
        QVERIFY(merged.err.contains(QStringLiteral("新增1期")));
        const QString wrong = WriteTestFile(m_dir, "ssq.csv", "2024003 01 02 03 04 05 06 16\n");
        const CliRun refused = RunCli({"--game", "dlt", "--data", held, "import", wrong, "--merge"});
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.err.contains(QStringLiteral("后区16超出范围")));
        QVERIFY(refused.out.isEmpty());
    }

    // figures lists the published figures of a draw, in text and JSON; a game without any says so.
    void figuresCommand() {
        const QString dlt = DltSampleHistoryPath();
        const QString figures = FiguresFixturePathOf(Game::dlt());
        const CliRun json = RunCli({"--game", "dlt", "--data", dlt, "--figures", figures, "figures", "--from",
                                    "2026066", "--count", "1", "--json"});
        QCOMPARE(json.status, 0);
        QCOMPARE(json.out,
                 QStringLiteral(
                     "{\"game\":\"dlt\",\"draws\":[{\"issue\":2026066,\"date\":\"2026-06-15\",\"sales\":352461614,"
                     "\"pool\":817519004,\"tiers\":[{\"name\":\"一等奖\",\"winners\":2,\"amount\":10000000},"
                     "{\"name\":\"二等奖\",\"winners\":106,\"amount\":194605},{\"name\":\"三等奖\",\"winners\":1205,"
                     "\"amount\":6666},{\"name\":\"四等奖\",\"winners\":20582,\"amount\":380},{\"name\":\"五等奖\","
                     "\"winners\":73839,\"amount\":200},{\"name\":\"六等奖\",\"winners\":936018,\"amount\":18},"
                     "{\"name\":\"七等奖\",\"winners\":9634073,\"amount\":7}]}]}\n"));
        const CliRun text = RunCli({"--game", "dlt", "--data", dlt, "--figures", figures, "figures", "--count", "1"});
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.startsWith(QStringLiteral("第2026068期 2026-06-20 星期六 销量333,899,407元 奖池802,145,380元\n"
                                                    "  一等奖 5注 每注7,366,555元\n")),
                 qPrintable(text.out));
        const CliRun none = RunCli({"--game", "qlc", "--data", SampleHistoryPathOf(Game::qlc()), "figures"});
        QCOMPARE(none.status, 1);
        QVERIFY2(none.err.contains(QStringLiteral("没有七乐彩的开奖公告数据")), qPrintable(none.err));
        const CliRun other = RunCli({"--data", SampleHistoryPath(), "--figures", figures, "figures"});
        QCOMPARE(other.status, 1);
        QVERIFY2(other.err.contains(QStringLiteral("第2行：有23项，双色球的开奖公告数据每行应为19项")), qPrintable(other.err));
    }

    // 七乐彩 lists give seven numbers and the special in drawing order; a special among the seven, or a
    // two-colour ball line, is refused with its line and nothing is written.
    void importMergeSpecial() {
        const QString held = WriteTestFile(m_dir, "qlc.dxt", "2024001 01 02 03 04 05 06 07 08\r\n");
        const QString list = WriteTestFile(m_dir, "qlc.csv", "2024002,2024-01-03,30 01 17 08 22 12 03,09\n");
        const CliRun merged = RunCli({"--game", "qlc", "--data", held, "import", list, "--merge"});
        QCOMPARE(merged.status, 0);
        QCOMPARE(merged.out,
                 QStringLiteral("2024001 01 02 03 04 05 06 07 08\n2024002 01 03 08 12 17 22 30 09\n"));
        for (const char* bad : {"2024003 01 02 03 04 05 06 07 07\n", "2024003 01 02 03 04 05 06 16\n"}) {
            const QString wrong = WriteTestFile(m_dir, "bad.csv", bad);
            const CliRun refused = RunCli({"--game", "qlc", "--data", held, "import", wrong, "--merge"});
            QCOMPARE(refused.status, 1);
            QVERIFY2(refused.err.contains(QStringLiteral("第1行")), qPrintable(refused.err));
            QVERIFY(refused.out.isEmpty());
        }
        const CliRun special = RunCli({"--game", "qlc", "--data", held, "import",
                                       WriteTestFile(m_dir, "same.csv", "2024003 01 02 03 04 05 06 07 07\n")});
        QVERIFY2(special.err.contains(QStringLiteral("特别号07重复")), qPrintable(special.err));
    }
};

QTEST_GUILESS_MAIN(TestCliGame)
#include "tst_cligame.moc"
