#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

class TestCliCheck : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& bytes) { return WriteTestFile(m_dir, name, bytes); }

  private slots:
    void sampleHistory();
    void emptyHistory();
    void badLines();
    void badNumbers();
    void missingFile();
    void warnings();
    void usageErrors_data();
    void usageErrors();
    void help();
};

void TestCliCheck::sampleHistory() {
    const CliRun r = RunCli({"--data", SampleHistoryPath(), "check"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("3493 draws, 2003001 to 2026096\n"));
    QVERIFY(r.err.isEmpty());
}

void TestCliCheck::emptyHistory() {
    const CliRun r = RunCli({"--data", write("blank.dxt", "\r\n  \r\n"), "check"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("0 draws\n"));
}

void TestCliCheck::badLines() {
    QByteArray text = "2005013 03 07 12 19 25 31 09\r\n";
    for (int i = 0; i < 11; ++i)
        text += "2005014 03 07 12 19 25 31\r\n";
    const CliRun r = RunCli({"--data", write("bad.dxt", text), "check"});
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.isEmpty());
    QString expected = QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n");
    for (int line = 2; line <= 12; ++line)
        expected += QStringLiteral("第%1行：只有6个号码\n").arg(line);
    QCOMPARE(r.err, expected);
}

void TestCliCheck::badNumbers() {
    // GB2312 bytes of a double-byte character where a number belongs.
    const CliRun r = RunCli({"--data", write("gb.dxt", "2005013 03 \xd6\xd0 12 19 25 31 09\r\n"), "check"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第1行：'中' 不是数字\n"));
}

void TestCliCheck::missingFile() {
    const CliRun r = RunCli({"--data", m_dir.filePath("none.dxt"), "check"});
    QCOMPARE(r.status, 1);
    QVERIFY(!r.err.isEmpty());
}

void TestCliCheck::warnings() {
    const CliRun r =
        RunCli({"--data",
                write("warn.dxt", "2005013 03 07 12 19 25 31 09\r\n2005012 01 02 03 04 05 06 16\r\n"
                                  "2005013 05 06 07 09 08 10 11\r\n"),
                "check"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("3 draws, 2005013 to 2005013\n"));
    QCOMPARE(r.err, QStringLiteral("警告：第2行期号小于上一行\n警告：第3行期号与第1行重复\n"
                                   "警告：第3行红球不是从小到大排列\n"));
    // A red twice is no draw: a faulty line, not a warning. A byte order mark is no part of the text.
    const CliRun repeated = RunCli({"--data",
                                    write("twice.dxt", "\xef\xbb\xbf"
                                                       "2005013 03 07 12 19 25 31 09\r\n"
                                                       "2005014 01 01 01 01 01 01 16\r\n"),
                                    "check"});
    QCOMPARE(repeated.status, 1);
    QCOMPARE(repeated.err,
             QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第2行：红球01重复\n"));
}

void TestCliCheck::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no subcommand") << QStringList{};
    QTest::newRow("unknown subcommand") << QStringList{"frobnicate"};
    QTest::newRow("unknown option") << QStringList{"--colour", "check"};
    QTest::newRow("missing data value") << QStringList{"--data"};
    QTest::newRow("unknown check option") << QStringList{"check", "--fast"};
    QTest::newRow("stray argument") << QStringList{"check", "extra"};
}

void TestCliCheck::usageErrors() {
    QFETCH(QStringList, args);
    const CliRun r = RunCli(args);
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains("Usage: kelvora-cli"));
}

void TestCliCheck::help() {
    const CliRun tool = RunCli({"--help"});
    QCOMPARE(tool.status, 0);
    QVERIFY(tool.out.contains("check"));
    const CliRun sub = RunCli({"check", "--help"});
    QCOMPARE(sub.status, 0);
    QVERIFY(sub.out.startsWith("Usage: kelvora-cli [--data FILE] check"));
}

QTEST_GUILESS_MAIN(TestCliCheck)
#include "tst_clicheck.moc"
