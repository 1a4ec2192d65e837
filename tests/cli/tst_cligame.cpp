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
        if (args.contains("query")) QVERIFY(r.out.trimmed().contains(QRegularExpression("\\+\\d\\d \\d\\d$")));
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
};

QTEST_GUILESS_MAIN(TestCliGame)
#include "tst_cligame.moc"
