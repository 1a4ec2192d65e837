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
