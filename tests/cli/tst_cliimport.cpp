#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCliImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

  private slots:
    void import_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QByteArray>("content"); // empty = no FILE argument
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("web table")
            << "ssq"
            << QByteArray("期号,红球,蓝球\r\n2026096,1,4,16,22,26,31,4\r\n2026095,2,5,10,11,20,33,16\r\n")
            << 0 << QStringLiteral("2026095 02 05 10 11 20 33 16\n2026096 01 04 16 22 26 31 04\n")
            << QStringLiteral("导入完成：转换2行，跳过1行\n");
        QTest::newRow("line that fits no layout")
            << "ssq" << QByteArray("2026096,1,4,16,22,26,31\r\n") << 1 << QString()
            << QStringLiteral(
                   "导入的文件中下列行的数据有错误，请纠正文件后再导入！！\n第1行：只有6个号码，应为6个红"
                   "球和1个蓝球\n");
        // The official tables: five-digit codes, 第...期, the weekday, sales and pool columns.
        QTest::newRow("ssq official table")
            << "ssq"
            << QStringLiteral(
                   "期号,开奖日期,红球,蓝球,总销售额(元),奖池(元)\r\n"
                   "第2026096期,2026-08-20(四),\"01,04,16,22,26,31\",04,\"389,234,566\",\"2,183,445,901\"\r\n"
                   "26095,2026-08-18(二),02 05 10 11 20 33,16,401234567,2201234567\r\n")
                   .toUtf8()
            << 0 << QStringLiteral("2026095 02 05 10 11 20 33 16\n2026096 01 04 16 22 26 31 04\n")
            << QStringLiteral("导入完成：转换2行，跳过1行\n");
        QTest::newRow("dlt official table with a gap")
            << "dlt"
            << QStringLiteral("期号\t开奖日期\t前区\t后区\t销售额(元)\n"
                              "26094\t2026-08-13(四)\t05 14 15 17 33\t01 07\t312,345,678\n"
                              "26091\t2026-08-06(四)\t08 10 22 26 29\t03 10\t298,765,432\n")
                   .toUtf8()
            << 0 << QStringLiteral("2026091 08 10 22 26 29 03 10\n2026094 05 14 15 17 33 01 07\n")
            << QStringLiteral("导入完成：转换2行，跳过1行\n缺少2026092到2026093，共2期\n");
        QTest::newRow("year 0000") << "dlt" << QByteArray("0007091 05 14 15 17 33 01 07\n") << 1 << QString()
                                   << QStringLiteral("导入的文件中下列行的数据有错误，请纠正文件后再导入！！"
                                                     "\n第1行：期号'0007091'的年份无效\n");
        QTest::newRow("nothing converted")
            << "ssq"
            << QByteArray("\xff\xfe"
                          "a\0b\0c\0",
                          8)
            << 1 << QString()
            << QStringLiteral("文件中没有找到开奖号码（每行应为7位期号、6个红球和1个蓝球）\n");
        QTest::newRow("no file") << "ssq" << QByteArray() << 2 << QString() << QString();
    }
    void import() {
        QFETCH(QString, game);
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QStringList args{QStringLiteral("--game"), game, QStringLiteral("import")};
        if (!content.isEmpty()) {
            const QString path = m_dir.filePath(QStringLiteral("%1.csv").arg(QTest::currentDataTag()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
            args << path;
        }
        const CliRun r = RunCli(args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out);
        const QString& e = r.err;
        if (status == 2)
            QVERIFY(e.contains(QStringLiteral("Usage: kelvora-cli import FILE")));
        else
            QCOMPARE(e, err);
    }

    // --merge prints the history with the new draws in issue order and keeps every held draw.
    void merge() {
        const QString data = m_dir.filePath(QStringLiteral("ssq.dxt"));
        const QString list = m_dir.filePath(QStringLiteral("web.txt"));
        for (const auto& [path, bytes] :
             {std::pair{data, QByteArray("2026094 01 02 03 04 05 06 07\r\n2026096 01 04 16 22 26 31 04\r\n")},
              std::pair{list, QByteArray("2026097,1,4,16,22,26,31,4\r2026096,1,4,16,22,26,31,5\r"
                                         "2026095,33,5,10,11,20,2,16\r")}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        const CliRun r = RunCli({"--data", data, "import", list, "--merge"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("2026094 01 02 03 04 05 06 07\n2026095 02 05 10 11 20 33 16\n"
                                       "2026096 01 04 16 22 26 31 04\n2026097 01 04 16 22 26 31 04\n"));
        QCOMPARE(r.err, QStringLiteral(
                            "新增2期，相同0期，冲突1期（未导入）\n第2026096期：导入 01 04 16 22 26 31+05，"
                            "已有 01 04 16 22 26 31+04\n"));
    }

    // Every reader of a user's file stops at its size limit instead of running out of memory.
    void endlessInputIsRefused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("import") << QStringList{"import", "/dev/zero"};
        QTest::newRow("history") << QStringList{"--data", "/dev/zero", "check"};
        QTest::newRow("ticket list") << QStringList{"prize", "--draw", "01 02 03 04 05 06+07", "/dev/zero"};
        QTest::newRow("condition set") << QStringList{"shrink", "--conditions", "/dev/zero"};
    }
    void endlessInputIsRefused() {
        QFETCH(QStringList, args);
        const CliRun r = RunCli(args);
        QCOMPARE(r.status, 1); // -1 for a crash or a run that never ended
        QVERIFY(r.err.contains(QStringLiteral("64 MB")));
    }
};

QTEST_GUILESS_MAIN(TestCliImport)
#include "tst_cliimport.moc"
