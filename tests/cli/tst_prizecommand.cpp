#include "engine/io/GbText.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPrizeCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_data;
    QString m_dltData;

  private slots:
    void initTestCase() {
        m_data = WriteTestFile(m_dir, QStringLiteral("ssq.dxt"),
                               "2026001 01 02 03 04 05 06 07\r\n"
                               "2026002 01 02 03 04 05 07 08\r\n"
                               "2026003 10 11 12 13 14 15 16\r\n");
        // The last two draws of the fourth rule version and the first of the fifth.
        m_dltData = WriteTestFile(m_dir, QStringLiteral("dlt.dxt"),
                                  "2026012 01 02 03 04 05 01 02\r\n"
                                  "2026013 01 02 03 04 06 03 04\r\n"
                                  "2026014 10 11 12 13 14 05 06\r\n");
    }

    // A super-lotto compound of six fronts and three backs (18 bets) with the version of the draw's issue.
    void superLotto_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("json");
        QTest::newRow("fourth version, 追加")
            << QStringList{"--draw", "2026013", "--extra"}
            << R"({"game":"dlt","version":4,"tierNames":["一等奖","二等奖","三等奖","四等奖","五等奖","六等奖","七等奖","八等奖","九等奖"],"extra":true,)"
               R"("draw":{"issue":"2026013","fronts":[1,2,3,4,6],"backs":[3,4]},"tickets":[)"
               R"({"line":1,"fronts":[1,2,3,4,5,6],"backs":[1,2,3],"bets":18,"frontHits":5,"backHits":1,"tiers":[0,2,1,0,10,0,5,0,0],"prize":13500}],)"
               R"("summary":{"lines":1,"bets":18,"cost":54,"tiers":[0,2,1,0,10,0,5,0,0],"fixedPrize":13500}})";
        QTest::newRow("typed draw: the newest version")
            << QStringList{"--draw", "01 02 03 04 06+03 04"}
            << R"({"game":"dlt","version":5,"tierNames":["一等奖","二等奖","三等奖","四等奖","五等奖","六等奖","七等奖"],"extra":false,)"
               R"("draw":{"issue":null,"fronts":[1,2,3,4,6],"backs":[3,4]},"tickets":[)"
               R"({"line":1,"fronts":[1,2,3,4,5,6],"backs":[1,2,3],"bets":18,"frontHits":5,"backHits":1,"tiers":[0,2,1,10,5,0,0],"prize":8750}],)"
               R"("summary":{"lines":1,"bets":18,"cost":36,"tiers":[0,2,1,10,5,0,0],"fixedPrize":8750}})";
        QTest::newRow("history across versions")
            << QStringList{"--history"}
            << R"({"game":"dlt","draws":3,"extra":false,"tickets":[{"line":1,"byVersion":[)"
               R"({"version":4,"draws":2,"tiers":[1,4,1,5,20,0,5,0,0]},{"version":5,"draws":1,"tiers":[0,0,0,0,0,0,0]}],)"
               R"("fixedPrize":31500,"cost":108,"best":{"version":4,"tier":1,"issue":"2026012"},)"
               R"("fiveFrontIssues":["2026012","2026013"]}]})";
    }

    void superLotto() {
        QFETCH(QStringList, options);
        QFETCH(QString, json);
        const CliRun r =
            RunCli(QStringList{"--game", "dlt", "--data", m_dltData, "prize", "--json"} + options,
                   "01 02 03 04 05 06+01 02 03\n");
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, json + QLatin1Char('\n'));
    }

    void prints_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("json");
        QTest::newRow("newest draw")
            << QStringList{"--json"}
            << R"({"game":"ssq","draw":{"issue":"2026003","reds":[10,11,12,13,14,15],"blue":16},"tickets":[)"
               R"({"line":3,"reds":[1,2,3,4,5,6],"blues":[7],"bets":1,"redHits":0,"blueHit":false,"tiers":[0,0,0,0,0,0],"prize":0},)"
               R"({"line":4,"reds":[1,2,3,4,5,6,7],"blues":[8,16],"bets":14,"redHits":0,"blueHit":true,"tiers":[0,0,0,0,0,7],"prize":35}],)"
               R"("summary":{"lines":2,"bets":15,"cost":30,"tiers":[0,0,0,0,0,7],"fixedPrize":35}})";
        QTest::newRow("typed draw")
            << QStringList{"--json", "--draw", "01,02,03,04,05,07+08"}
            << R"({"game":"ssq","draw":{"issue":null,"reds":[1,2,3,4,5,7],"blue":8},"tickets":[)"
               R"({"line":3,"reds":[1,2,3,4,5,6],"blues":[7],"bets":1,"redHits":5,"blueHit":false,"tiers":[0,0,0,1,0,0],"prize":200},)"
               R"({"line":4,"reds":[1,2,3,4,5,6,7],"blues":[8,16],"bets":14,"redHits":6,"blueHit":true,"tiers":[1,1,6,6,0,0],"prize":19200}],)"
               R"("summary":{"lines":2,"bets":15,"cost":30,"tiers":[1,1,6,7,0,0],"fixedPrize":19400}})";
        QTest::newRow("history")
            << QStringList{"--history", "--json"}
            << R"({"game":"ssq","draws":3,"tickets":[)"
               R"({"line":3,"tiers":[1,0,0,1,0,0],"fixedPrize":200,"cost":6,"best":1,"bestIssue":"2026001","sixRedIssues":["2026001"]},)"
               R"({"line":4,"tiers":[1,3,6,18,0,7],"fixedPrize":21635,"cost":84,"best":1,"bestIssue":"2026002","sixRedIssues":["2026001","2026002"]}]})";
    }

    // The same list as a UTF-8 file, a GB2312 CR LF export of the window, and on standard input.
    void prints() {
        QFETCH(QStringList, options);
        QFETCH(QString, json);
        const QString list =
            QStringLiteral("缩水结果总共2注\n\n01 02 03 04 05 06+07\n01 02 03 04 05 06 07+08 16\n");
        const QString utf8 = WriteTestFile(m_dir, QStringLiteral("utf8.txt"), list.toUtf8());
        const QString gb =
            WriteTestFile(m_dir, QStringLiteral("gb.txt"), LinesToGbFile(list.trimmed().split('\n')));
        const QStringList base{QStringLiteral("--data"), m_data, QStringLiteral("prize")};
        for (const CliRun& r :
             {RunCli(base + options + QStringList{utf8}), RunCli(base + options + QStringList{gb}),
              RunCli(base + options, list.toUtf8())}) {
            QCOMPARE(r.err, QString());
            QCOMPARE(r.status, 0);
            QCOMPARE(r.out, json + QLatin1Char('\n'));
        }
        // The readable report says the same in Chinese.
        QStringList plain = options;
        plain.removeAll(QStringLiteral("--json"));
        const CliRun text = RunCli(base + plain + QStringList{utf8});
        QCOMPARE(text.status, 0);
        QVERIFY(text.out.contains(QStringLiteral("第4行 01 02 03 04 05 06 07+08 16")));
    }

    // A 胆拖 line: two bankers, six drags, two blues are 30 bets; its text keeps the "#".
    void bankerTicket() {
        const QByteArray line("01 02#03 04 05 06 07 08+07 16\n");
        const QStringList base{QStringLiteral("--data"), m_data, QStringLiteral("prize"),
                               QStringLiteral("--draw"), QStringLiteral("01 03 04 05 06 07+16")};
        const CliRun json = RunCli(base + QStringList{QStringLiteral("--json")}, line);
        QCOMPARE(json.err, QString());
        QCOMPARE(
            json.out,
            QStringLiteral(
                R"({"game":"ssq","draw":{"issue":null,"reds":[1,3,4,5,6,7],"blue":16},"tickets":[)"
                R"({"line":1,"reds":[1,2,3,4,5,6,7,8],"bankers":[1,2],"blues":[7,16],"bets":30,"redHits":6,"blueHit":true,"tiers":[0,0,5,15,10,0],"prize":18100}],)"
                R"("summary":{"lines":1,"bets":30,"cost":60,"tiers":[0,0,5,15,10,0],"fixedPrize":18100}})"
                "\n"));
        const CliRun text = RunCli(base, line);
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.contains(QStringLiteral("第1行 01 02#03 04 05 06 07 08+07 16")),
                 qPrintable(text.out));
    }

    void refuses_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        QTest::newRow("bad lines, all of them")
            << QStringList{} << QByteArray("1 2 3\n01 02 03 04 05 06\nfoo\n") << 1
            << "第1行不是有效的投注号码：红球号码3个，应为6-20个\n第3行不是有效的投注号码：含有无法识别的内容\n";
        QTest::newRow("胆拖 line with a banker among the drags")
            << QStringList{} << QByteArray("01 02#02 03 04 05 06 07\n") << 1
            << "第1行不是有效的投注号码：胆码02也在拖码中\n";
        QTest::newRow("issue not in history")
            << QStringList{"--draw", "2026004"} << QByteArray() << 1 << "历史数据中没有第2026004期\n";
        QTest::newRow("bad blue list") << QStringList{"--blue", "3,17"} << QByteArray() << 1 << "蓝球列表";
        QTest::newRow("unknown option") << QStringList{"--drwa", "1"} << QByteArray() << 2 << "kelvora-cli: ";
        QTest::newRow("追加 for the two-colour ball")
            << QStringList{"--extra"} << QByteArray("01 02 03 04 05 06+07\n") << 1 << "双色球没有追加投注";
        QTest::newRow("super lotto: a front 36 and a back 13")
            << QStringList{"--game", "dlt"} << QByteArray("01 02 03 04 36+01 02\n01 02 03 04 05+01 13\n") << 1
            << "第1行不是有效的投注号码：前区号码36超出范围（01-35）\n"
               "第2行不是有效的投注号码：后区号码13超出范围（01-12）\n";
        QTest::newRow("draw with history")
            << QStringList{"--history", "--draw", "2026001"} << QByteArray() << 2 << "kelvora-cli: ";
    }

    void refuses() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, err);
        const bool dlt = options.contains(QStringLiteral("dlt"));
        const QStringList args =
            dlt ? options.mid(0, 2) + QStringList{"--data", m_dltData, "prize"} + options.mid(2)
                : QStringList{QStringLiteral("--data"), m_data, QStringLiteral("prize")} + options;
        const CliRun r = RunCli(args, input);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith(err), qPrintable(r.err));
    }

    // An empty list is no error: the summary with zeros.
    void emptyList() {
        const CliRun r =
            RunCli({QStringLiteral("--data"), m_data, QStringLiteral("prize"), QStringLiteral("--json")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.endsWith(QStringLiteral(
            R"("tickets":[],"summary":{"lines":0,"bets":0,"cost":0,"tiers":[0,0,0,0,0,0],"fixedPrize":0}})"
            "\n")));
    }
};

QTEST_GUILESS_MAIN(TestPrizeCommand)
#include "tst_prizecommand.moc"
