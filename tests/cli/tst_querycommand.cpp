#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

class TestQueryCommand : public QObject {
    Q_OBJECT

    const QString sample = SampleHistoryPath();

  private slots:
    void lists_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("last six")
            << QStringList{"--from", "2026095", "--count", "2"}
            << QStringLiteral(
                   "第2026095期,开奖号:04 06 14 21 22 33+16\n第2026096期,开奖号:01 04 16 22 26 31+04\n");
        QTest::newRow("latest with 30") << QStringList{"--from", "2026096", "--count", "30"}
                                        << QStringLiteral("第2026096期,开奖号:01 04 16 22 26 31+04\n");
        QTest::newRow("unknown issue") << QStringList{"--from", "1999001", "--count", "30"} << QString();
        QTest::newRow("zero count") << QStringList{"--from", "2026096", "--count", "0"} << QString();
    }
    void lists() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const CliRun r = RunCli(QStringList{"--data", sample, "query"} + args);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, out);
    }

    void defaultsMatchThePanel() {
        const CliRun r = RunCli({"--data", sample, "query"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 30);
        QVERIFY(lines.first().startsWith(QStringLiteral("第2005013期")));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("not a number") << QStringList{"--from", "abc"};
        QTest::newRow("missing value") << QStringList{"--count"};
        QTest::newRow("unknown option") << QStringList{"--to", "5"};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        const CliRun r = RunCli(QStringList{"--data", sample, "query"} + args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.contains(QStringLiteral("Usage:")));
    }

    void badHistoryRefused() {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("bad.dxt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("2005013 03 07 12 19 25 31\r\n");
        f.close();
        const CliRun r = RunCli({"--data", f.fileName(), "query", "--from", "2005013"});
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.startsWith(QStringLiteral("文本内容中下列行的数据有错误")));
    }
};

QTEST_GUILESS_MAIN(TestQueryCommand)
#include "tst_querycommand.moc"
