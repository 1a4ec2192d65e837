#include "engine/io/GbText.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

class TestPrizeCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_data;
    QString m_dltData;
    QString m_qlcData;

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
        // Seven numbers and the special number.
        m_qlcData = WriteTestFile(m_dir, QStringLiteral("qlc.dxt"),
                                  "2026001 01 02 03 04 05 06 07 08\r\n"
                                  "2026002 02 04 06 08 10 12 14 16\r\n");
    }

    // 七乐彩: a single bet of every match, worked from the prize table, then a compound of eight (the
    // drawn seven once, six and the special seven times) and a 胆拖 with the special as its banker.
    void qlc_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("out");
        const QByteArray everyMatch("01 02 03 04 05 06 07\n01 02 03 04 05 06 08\n01 02 03 04 05 06 09\n"
                                    "01 02 03 04 05 08 09\n01 02 03 04 05 09 10\n01 02 03 04 08 09 10\n"
                                    "01 02 03 04 09 10 11\n01 02 03 08 09 10 11\n"
                                    "01 02 03 04 05 06 07 08\n08#01 02 03 04 05 06 09\n");
        auto single = [](int line, const char* reds, int hits, bool special, int tier, int prize) {
            QString tiers = QStringLiteral("0,0,0,0,0,0,0");
            if (tier) tiers[2 * (tier - 1)] = QLatin1Char('1');
            return QStringLiteral(R"({"line":%1,"reds":[%2],"bets":1,"redHits":%3,"specialHit":%4,"tiers":[%5],"prize":%6},)")
                .arg(line)
                .arg(QLatin1String(reds))
                .arg(hits)
                .arg(special ? QStringLiteral("true") : QStringLiteral("false"), tiers)
                .arg(prize);
        };
        QTest::newRow("every match, typed draw")
            << QStringList{"--draw", "01 02 03 04 05 06 07+08", "--json"} << everyMatch
            << QStringLiteral(R"({"game":"qlc","draw":{"issue":null,"reds":[1,2,3,4,5,6,7],"special":8},"tickets":[)") +
                   single(1, "1,2,3,4,5,6,7", 7, false, 1, 0) + single(2, "1,2,3,4,5,6,8", 6, true, 2, 0) +
                   single(3, "1,2,3,4,5,6,9", 6, false, 3, 0) + single(4, "1,2,3,4,5,8,9", 5, true, 4, 200) +
                   single(5, "1,2,3,4,5,9,10", 5, false, 5, 50) + single(6, "1,2,3,4,8,9,10", 4, true, 6, 10) +
                   single(7, "1,2,3,4,9,10,11", 4, false, 7, 5) + single(8, "1,2,3,8,9,10,11", 3, true, 0, 0) +
                   QStringLiteral(
                       R"({"line":9,"reds":[1,2,3,4,5,6,7,8],"bets":8,"redHits":7,"specialHit":true,"tiers":[1,7,0,0,0,0,0],"prize":0},)"
                       R"({"line":10,"reds":[1,2,3,4,5,6,8,9],"bankers":[8],"bets":7,"redHits":6,"specialHit":true,"tiers":[0,1,0,6,0,0,0],"prize":1200}],)"
                       R"("summary":{"lines":10,"bets":23,"cost":46,"tiers":[2,9,1,7,1,1,1],"fixedPrize":1465}})");
        QTest::newRow("text, by issue")
            << QStringList{"--draw", "2026001"} << QByteArray("01 02 03 04 05 06 08\n")
            << QStringLiteral("开奖号码：第2026001期 01 02 03 04 05 06 07+08\n\n"
                              "第1行 01 02 03 04 05 06 08：1注，基本号中6个，特别号中，二等奖，奖金0元\n\n"
                              "共1行，1注，投入2元\n"
                              "一等奖0注 二等奖1注 三等奖0注 四等奖0注 五等奖0注 六等奖0注 七等奖0注\n"
                              "固定奖金合计0元（一、二、三等奖为浮动奖金，未计入）");
        // The second draw: four of the eight drawn, the special not among them.
        QTest::newRow("history")
            << QStringList{"--history", "--json"} << QByteArray("01 02 03 04 05 06 07 08\n")
            << QStringLiteral(R"({"game":"qlc","draws":2,"tickets":[{"line":1,"tiers":[1,7,0,0,0,0,4],)"
                              R"("fixedPrize":20,"cost":32,"best":1,"bestIssue":"2026001","sevenRedIssues":["2026001"]}]})");
    }

    void qlc() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(QString, out);
        const CliRun r = RunCli(QStringList{"--game", "qlc", "--data", m_qlcData, "prize"} + options, input);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, out + QLatin1Char('\n'));
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

    // With the published figures: every tier won priced at the amount paid in its draw, summed over the
    // draws of the history (the 一等奖 and 二等奖 amounts of 2026001 and 2026002 from the figures), and
    // the super lotto's 2026066 priced with its high table (the pool carried in was over 8亿).
    void paidWithFigures() {
        QByteArray kept;
        QFile fixture(FiguresFixturePathOf(Game::ssq()));
        QVERIFY(fixture.open(QIODevice::ReadOnly));
        for (const QByteArray& line : fixture.readAll().split('\n'))
            if (line.startsWith("2026001") || line.startsWith("2026002") || line.startsWith("2026003"))
                kept += line + '\n';
        // Not named as the figures beside a history: the other tests run without figures.
        const QString figures = WriteTestFile(m_dir, QStringLiteral("held-figures.txt"), kept);
        const CliRun history =
            RunCli({"--data", m_data, "--figures", figures, "prize", "--history", "--json"},
                   "01 02 03 04 05 06+07\n01 02 03 04 05 06 07+08 16\n");
        QCOMPARE(history.err, QString());
        const QJsonArray tickets = QJsonDocument::fromJson(history.out.toUtf8()).object().value("tickets").toArray();
        QCOMPARE(tickets[0].toObject().value("paid").toInteger(), 9520395 + 200);
        QCOMPARE(tickets[1].toObject().value("paid").toInteger(), 6797096 + 2 * 146766 + 226524 + 21635);

        const CliRun dlt = RunCli({"--game", "dlt", "--data", DltSampleHistoryPath(), "--figures",
                                   FiguresFixturePathOf(Game::dlt()), "prize", "--draw", "2026066", "--json"},
                                  "10 13 19 21 30 01+04 05\n");
        QCOMPARE(dlt.err, QString());
        QCOMPARE(dlt.out,
                 QStringLiteral(
                     R"({"game":"dlt","version":5,"tierNames":["一等奖","二等奖","三等奖","四等奖","五等奖","六等奖","七等奖"],"extra":false,)"
                     R"("draw":{"issue":"2026066","fronts":[10,13,19,21,30],"backs":[4,5]},"tickets":[)"
                     R"({"line":1,"fronts":[1,10,13,19,21,30],"backs":[4,5],"bets":6,"frontHits":5,"backHits":2,"tiers":[1,0,5,0,0,0,0],"prize":33330,"paid":10033330}],)"
                     R"("summary":{"lines":1,"bets":6,"cost":12,"tiers":[1,0,5,0,0,0,0],"fixedPrize":33330,"paid":10033330}})"
                     "\n"));
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
        QTest::newRow("七乐彩: six numbers, a 31, a repeat, a plus part")
            << QStringList{"--game", "qlc"}
            << QByteArray("01 02 03 04 05 06\n01 02 03 04 05 06 31\n01 02 03 04 05 06 06\n01 02 03 04 05 06 07+08\n")
            << 1
            << "第1行不是有效的投注号码：号码6个，应为7-20个\n第2行不是有效的投注号码：号码31超出范围（01-30）\n"
               "第3行不是有效的投注号码：号码06重复\n第4行不是有效的投注号码：七乐彩的投注号码没有\"+\"后的部分\n";
        QTest::newRow("七乐彩 has no blues") << QStringList{"--game", "qlc", "--blue", "3"} << QByteArray() << 1
                                              << "七乐彩的投注号码只有";
        QTest::newRow("七乐彩: the special among the seven")
            << QStringList{"--game", "qlc", "--draw", "01 02 03 04 05 06 07+07"} << QByteArray() << 1
            << "开奖号码\"01 02 03 04 05 06 07+07\"无效";
        QTest::newRow("draw with history")
            << QStringList{"--history", "--draw", "2026001"} << QByteArray() << 2 << "kelvora-cli: ";
    }

    void refuses() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, err);
        const bool other = options.value(0) == QStringLiteral("--game");
        const QString data = options.value(1) == QStringLiteral("qlc") ? m_qlcData : m_dltData;
        const QStringList args =
            other ? options.mid(0, 2) + QStringList{"--data", data, "prize"} + options.mid(2)
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
