#include "support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <bit>

namespace {

const QByteArray falseTable = "01 02 03 04 05 09\n01 02 03 04 08 10\n01 02 03 07 08 10\n01 02 04 05 07 09\n"
                              "01 02 04 06 07 09\n01 02 04 06 07 10\n01 02 05 07 09 10\n01 02 06 07 08 09\n"
                              "01 03 04 05 07 08\n01 03 05 06 09 10\n01 04 07 08 09 10\n02 03 05 06 07 08\n"
                              "02 03 06 08 09 10\n02 04 05 06 09 10\n03 04 05 07 08 10\n04 05 06 07 08 09\n";

} // namespace

class TestWheelCommand : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private slots:
    void storedWheelAsTextAndJson() {
        const QStringList args{QStringLiteral("wheel"), QStringLiteral("--numbers"),
                               QStringLiteral("2,5,9,13,17,21,26,30,33,11"), QStringLiteral("--guarantee"),
                               QStringLiteral("6:5")};
        const CliRun text = RunCliOnSample(args);
        QCOMPARE(text.status, 0);
        QStringList lines = text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.takeLast(), QStringLiteral("已验证：全部210种开奖组合均满足"));
        QCOMPARE(lines.takeLast(), QStringLiteral("共14注（中6保5，10个号码）"));
        QCOMPARE(lines.size(), 14);
        QCOMPARE(lines.first().size(), 17);

        const CliRun json = RunCliOnSample(args + QStringList{QStringLiteral("--json")});
        QCOMPARE(json.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o.keys(), (QStringList{"bankers", "count", "game", "guarantee", "lowerBound", "numbers",
                                        "tickets", "uncovered"}));
        QCOMPARE(o.value("game").toString(), QStringLiteral("ssq"));
        QCOMPARE(o.value("numbers").toArray().first().toInt(), 2);
        QCOMPARE(o.value("count").toInt(), 14);
        QCOMPARE(o.value("tickets").toArray().size(), 14);
        QCOMPARE(o.value("uncovered").toInt(), 0);
        QVERIFY(o.value("lowerBound").isNull());
        QCOMPARE(o.value("guarantee").toArray(), (QJsonArray{6, 5}));
    }

    void checkOfAPublishedTable() {
        const QString file = WriteTestFile(m_dir, QStringLiteral("table.txt"), falseTable);
        const QStringList base{QStringLiteral("wheel"),
                               QStringLiteral("--numbers"),
                               QStringLiteral("1,2,3,4,5,6,7,8,9,10"),
                               QStringLiteral("--check"),
                               file,
                               QStringLiteral("--guarantee")};
        const CliRun fails =
            RunCliOnSample(base + QStringList{QStringLiteral("6:5"), QStringLiteral("--json")});
        QCOMPARE(fails.status, 3);
        const QJsonObject o = QJsonDocument::fromJson(fails.out.toUtf8()).object();
        QCOMPARE(o.value("count").toInt(), 16);
        QCOMPARE(o.value("uncovered").toInt(), 8);
        QCOMPARE(o.value("examples").toArray().size(), 8);
        const CliRun holds = RunCliOnSample(base + QStringList{QStringLiteral("6:4")});
        QCOMPARE(holds.status, 0);
        QVERIFY(holds.out.contains(QStringLiteral("已验证：全部210种开奖组合均满足")));
    }

    void coverOfAFile() {
        QByteArray lines = "缩水结果总共28注\n\n";
        for (uint32_t m = 0; m < (1u << 8); ++m) {
            if (std::popcount(m) != 6) continue;
            QStringList t;
            for (int i = 0; i < 8; ++i)
                if (m >> i & 1u) t << QStringLiteral("%1").arg(i + 3, 2, 10, QLatin1Char('0'));
            lines += t.join(QLatin1Char(' ')).toLatin1() + '\n';
        }
        const QString file = WriteTestFile(m_dir, QStringLiteral("result.txt"), lines);
        const CliRun r =
            RunCliOnSample({QStringLiteral("wheel"), QStringLiteral("--from"), file,
                            QStringLiteral("--guarantee"), QStringLiteral("5"), QStringLiteral("--json")});
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.value("from").toInt(), 28);
        QCOMPARE(o.value("guarantee").toInt(), 5);
        QCOMPARE(o.value("uncovered").toInt(), 0);
        // Every six of 8 numbers is met in five by 4 of them, as the 中6保5 wheel of 8 numbers.
        QCOMPARE(o.value("count").toInt(), 4);
        QCOMPARE(o.value("tickets").toArray().size(), 4);

        // The top guarantee keeps every ticket once, repeats dropped, in the file's order.
        const QList<QByteArray> rows = lines.split('\n').mid(2, 28);
        const QString twice =
            WriteTestFile(m_dir, QStringLiteral("twice.txt"), lines + rows.mid(0, 5).join('\n') + '\n');
        const CliRun top = RunCliOnSample({QStringLiteral("wheel"), QStringLiteral("--from"), twice,
                                           QStringLiteral("--guarantee"), QStringLiteral("6")});
        QCOMPARE(top.status, 0);
        QStringList out = top.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(out.takeLast(), QStringLiteral("已验证：全部28注均满足"));
        QCOMPARE(out.takeLast(), QStringLiteral("共28注（28注中每注都与其中一注相同至少6个号码）"));
        QCOMPARE(out.join(QLatin1Char('\n')).toLatin1(), rows.join('\n'));
    }

    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString g = QStringLiteral("--guarantee");
        const QString n = QStringLiteral("--numbers");
        QTest::newRow("out of pool") << QStringList{n, "1,2,3,4,5,6,34", g, "6:5"} << "号码\"34\"无效";
        QTest::newRow("repeated") << QStringList{n, "1,2,3,4,5,6,6", g, "6:5"} << "号码06重复";
        QTest::newRow("too few") << QStringList{n, "1,2,3,4,5,6", g, "6:5"} << "号码个数为6个";
        QTest::newRow("T above P") << QStringList{n, "1,2,3,4,5,6,7", g, "4:5"} << "中4保5";
        QTest::newRow("P above picks") << QStringList{n, "1,2,3,4,5,6,7", g, "7:5"} << "中7保5";
        QTest::newRow("banker among numbers")
            << QStringList{n, "1,2,3,4,5,6,7", g, "6:5", "--bankers", "3"} << "胆码03也在号码中";
        QTest::newRow("missing file")
            << QStringList{"--from", "/nonexistent/x.txt", g, "5"} << "无法打开文件";
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const CliRun r = RunCliOnSample(QStringList{QStringLiteral("wheel")} + args);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    // --game dlt: five fronts of 1..35 a ticket, P at most 5; --game qlc: seven of 1..30, P at most 7.
    void otherGames_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected"); // in standard error when refused, else in standard output
        const QString g = QStringLiteral("--guarantee");
        const QString n = QStringLiteral("--numbers");
        const QString dlt = QStringLiteral("dlt");
        const QString qlc = QStringLiteral("qlc");
        QTest::newRow("36 is no front")
            << dlt << QStringList{n, "1,2,3,4,5,6,36", g, "5:4"} << 1 << "号码\"36\"无效";
        QTest::newRow("T above P") << dlt << QStringList{n, "1,2,3,4,5,6,7", g, "3:4"} << 1 << "中3保4";
        QTest::newRow("P above five") << dlt << QStringList{n, "1,2,3,4,5,6,7", g, "6:5"} << 1 << "中6保5";
        QTest::newRow("five bankers")
            << dlt << QStringList{n, "1,2,3,4,5,6,7", g, "2:2", "--bankers", "8,9,10,11,12"} << 1
            << "胆码有5个";
        QTest::newRow("8 numbers 中5保4 with 34 and 35")
            << dlt << QStringList{n, "1,5,9,13,21,29,34,35", g, "5:4", "--json"} << 0 << "\"game\":\"dlt\"";
        QTest::newRow("check a fronts-only file")
            << dlt << QStringList{n, "1,2,3,4,5,6", g, "5:5", "--check", "fronts.txt"} << 0
            << "已验证：全部6种开奖组合均满足";
        QTest::newRow("check a file with backs")
            << dlt << QStringList{n, "1,2,3,4,5,6", g, "5:5", "--check", "backs.txt"} << 3
            << "有1种开奖组合不满足中5保5";
        QTest::newRow("from a fronts-only file")
            << dlt << QStringList{"--from", "fronts.txt", g, "4", "--json"} << 0 << "\"count\":1";
        QTest::newRow("qlc 31 is no number")
            << qlc << QStringList{n, "1,2,3,4,5,6,7,31", g, "7:6"} << 1 << "号码\"31\"无效：应为01-30之间的号码";
        QTest::newRow("qlc seven numbers")
            << qlc << QStringList{n, "1,2,3,4,5,6,7", g, "7:6"} << 1 << "号码个数为7个：旋转矩阵需要8-24个号码";
        QTest::newRow("qlc P above seven") << qlc << QStringList{n, "1,2,3,4,5,6,7,8,9", g, "8:6"} << 1
                                           << "保证条件\"中8保6\"无效：应满足2≤保≤中≤7";
        QTest::newRow("qlc 12 numbers 中7保6, stored")
            << qlc << QStringList{n, "2,4,6,9,11,14,17,19,22,25,28,30", g, "7:6"} << 0
            << "共35注（中7保6，12个号码）\n已验证：全部792种开奖组合均满足";
        QTest::newRow("qlc 14 numbers 中7保5, stored")
            << qlc << QStringList{n, "1,3,5,7,9,11,13,15,17,19,21,23,25,27", g, "7:5", "--json"} << 0
            << "\"count\":14,\"uncovered\":0";
        QTest::newRow("qlc 15 numbers 中7保4, searched")
            << qlc << QStringList{n, "1,2,4,6,8,10,12,14,16,18,20,22,24,26,28", g, "7:4", "--json"} << 0
            << "\"game\":\"qlc\"";
        QTest::newRow("qlc 10 numbers 中5保4, banker 30")
            << qlc << QStringList{n, "1,2,3,4,5,6,7,8,9,10", g, "5:4", "--bankers", "30", "--json"} << 0
            << "\"bankers\":[30]";
        QTest::newRow("qlc check every seven of 8")
            << qlc << QStringList{n, "1,2,3,4,5,6,7,8", g, "7:7", "--check", "sevens.txt"} << 0
            << "已验证：全部8种开奖组合均满足";
        QTest::newRow("qlc check one seven of 8")
            << qlc << QStringList{n, "1,2,3,4,5,6,7,8", g, "7:7", "--check", "oneseven.txt"} << 3
            << "有7种开奖组合不满足中7保7";
        // Any seven of 8 numbers shares six with every other.
        QTest::newRow("qlc from every seven of 8, 保6")
            << qlc << QStringList{"--from", "sevens.txt", g, "6", "--json"} << 0 << "\"count\":1";
        QTest::newRow("qlc from every seven of 8, 保7")
            << qlc << QStringList{"--from", "sevens.txt", g, "7"} << 0 << "共8注（8注中每注都与其中一注相同至少7个号码）";
        QTest::newRow("qlc from six-number lines")
            << qlc << QStringList{"--from", "fronts.txt", g, "5"} << 1 << "第1行不是有效的投注号码";
    }
    void otherGames() {
        QFETCH(QString, game);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, expected);
        const Game& rules = *Game::find(game);
        // All six tickets of five of 1..6, and five of them with backs; all eight of seven of 1..8.
        WriteTestFile(m_dir, QStringLiteral("fronts.txt"),
                      "01 02 03 04 05\n01 02 03 04 06\n01 02 03 05 06\n01 02 04 05 06\n01 03 04 05 06\n02 03 "
                      "04 05 06\n");
        WriteTestFile(m_dir, QStringLiteral("backs.txt"),
                      "2026001 01 02 03 04 05+01 12\n01 02 03 04 06+02 03\n01 02 03 05 06+11 12\n"
                      "01 02 04 05 06 07 08\n01 03 04 05 06+01 02 03\n");
        QByteArray sevens;
        for (int out = 8; out >= 1; --out) {
            QStringList t;
            for (int i = 1; i <= 8; ++i)
                if (i != out) t << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
            sevens += t.join(QLatin1Char(' ')).toLatin1() + '\n';
        }
        WriteTestFile(m_dir, QStringLiteral("sevens.txt"), sevens);
        WriteTestFile(m_dir, QStringLiteral("oneseven.txt"), sevens.left(sevens.indexOf('\n') + 1));
        for (QString& a : args)
            if (a.endsWith(QLatin1String(".txt"))) a = m_dir.filePath(a);
        const CliRun r = RunCliOnSampleOf(rules, QStringList{QStringLiteral("wheel")} + args);
        QCOMPARE(r.status, status);
        QVERIFY2((status == 1 ? r.err : r.out).contains(expected), qPrintable(r.out + r.err));
        if (status == 1) QVERIFY(r.out.isEmpty());
        if (args.contains(QStringLiteral("--json"))) {
            const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
            QCOMPARE(o.value("game").toString(), game);
            for (const QJsonValue& t : o.value("tickets").toArray()) {
                QCOMPARE(t.toArray().size(), rules.frontPicks);
                for (const QJsonValue& x : t.toArray())
                    QVERIFY(x.toInt() >= 1 && x.toInt() <= rules.frontPool);
            }
        }
    }

    void faultyAndEmptyFiles() {
        const QString empty = WriteTestFile(m_dir, QStringLiteral("empty.txt"), "\n\n");
        const QString faulty =
            WriteTestFile(m_dir, QStringLiteral("faulty.txt"), "01 02 03 04 05 06\n01 02 xx\n");
        const CliRun e = RunCliOnSample({QStringLiteral("wheel"), QStringLiteral("--from"), empty,
                                         QStringLiteral("--guarantee"), QStringLiteral("5")});
        QCOMPARE(e.status, 1);
        QVERIFY(e.err.contains(QStringLiteral("没有投注号码")));
        const CliRun f = RunCliOnSample({QStringLiteral("wheel"), QStringLiteral("--numbers"),
                                         QStringLiteral("1,2,3,4,5,6,7"), QStringLiteral("--guarantee"),
                                         QStringLiteral("6:5"), QStringLiteral("--check"), faulty});
        QCOMPARE(f.status, 1);
        QVERIFY(f.err.contains(QStringLiteral("第2行不是有效的投注号码")));
        // A 胆拖 line's bets need not hold T of its reds together: no wheel may contain one.
        const QString banker =
            WriteTestFile(m_dir, QStringLiteral("banker.txt"), "01 02 03 04 05 06\n01#02 03 04 05 06 07\n");
        const CliRun b = RunCliOnSample({QStringLiteral("wheel"), QStringLiteral("--numbers"),
                                         QStringLiteral("1,2,3,4,5,6,7"), QStringLiteral("--guarantee"),
                                         QStringLiteral("6:5"), QStringLiteral("--check"), banker});
        QCOMPARE(b.status, 1);
        QVERIFY2(b.err.contains(QStringLiteral("第2行是胆拖号码")), qPrintable(b.err));
    }
};

QTEST_GUILESS_MAIN(TestWheelCommand)
#include "tst_wheelcommand.moc"
