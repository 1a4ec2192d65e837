#include "engine/history/Parser.h"
#include "engine/shrink/ShrinkRun.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

CliRun cli(const QStringList& args, const QString& data = SampleHistoryPath()) {
    return RunCli(QStringList{QStringLiteral("--data"), data, QStringLiteral("shrink")} + args);
}

const QString eight = QStringLiteral("01,2,3,4,5,6,7,8");

} // namespace

class TestShrinkCommand : public QObject {
    Q_OBJECT
  private slots:
    void prints_data();
    void prints();
    void everyOptionReachesTheEngine();
    void refuses_data();
    void refuses();
    void badHistoryRefuses();
    void games_data();
    void games();
};

void TestShrinkCommand::prints_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("head");
    QTest::addColumn<int>("lines");
    QTest::newRow("8 candidates") << QStringList{"--candidates", eight}
                                  << QStringList{"缩水结果总共28注", "", "01 02 03 04 05 06"} << 30;
    QTest::newRow("excluded sum 21") << QStringList{"--candidates", eight, "--exclude-sums", "21"}
                                     << QStringList{"缩水结果总共27注", "", "01 02 03 04 05 07"} << 29;
    QTest::newRow("nothing left") << QStringList{"--candidates", eight, "--min-code", "33"}
                                  << QStringList{"缩水结果总共0注", ""} << 2;
    QTest::newRow("over the limit") << QStringList{"--candidates",
                                                   "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,"
                                                   "20,21,22,23,24,25,26,27,28,29,30,31,32,33"}
                                    << QStringList{"缩水结果总共1107568注", "超过10万注，不再显示详细号码。"}
                                    << 2;
    QTest::newRow("help")
        << QStringList{"--help"}
        << QStringList{"Usage: kelvora-cli [--data FILE] shrink --candidates LIST [conditions]"} << -1;
}

void TestShrinkCommand::prints() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, head);
    QFETCH(int, lines);
    const CliRun r = cli(args);
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.endsWith(QLatin1Char('\n')));
    const QStringList got = r.out.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(got.mid(0, head.size()), head);
    if (lines >= 0) QCOMPARE(got.size(), lines);
    QVERIFY(r.err.isEmpty());
}

void TestShrinkCommand::everyOptionReachesTheEngine() {
    // Each option set alone, then all together; each must print what the engine gives for the
    // same widget values.
    ShrinkInput all;
    for (int n = 1; n <= 33; ++n)
        all.candidates[size_t(n - 1)] = n != 13;
    QStringList allArgs{"--candidates",
                        "1,2,3,4,5,6,7,8,9,10,11,12,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,"
                        "30,31,32,33"};
    struct Case {
        QStringList args;
        std::function<void(ShrinkInput&)> set;
    };
    const QList<Case> cases{
        {{"--sum-min", "80", "--sum-max", "130"}, [](ShrinkInput& in) { in.sumMin = 80, in.sumMax = 130; }},
        {{"--exclude-sums", ",100,,0x65"}, [](ShrinkInput& in) { in.excludeSums = ",100,,0x65"; }},
        {{"--odd-even", "2,3,4"},
         [](ShrinkInput& in) {
             in.oddEven = {false, false, true, true, true};
         }},
        {{"--repeats", "0,1"},
         [](ShrinkInput& in) {
             in.repeats = {true, true};
         }},
        {{"--link", "has", "--link-runs", "0,1"},
         [](ShrinkInput& in) {
             in.linkIndex = 0, in.linkRuns = {true, true};
         }},
        {{"--tail-min", "2", "--tail-max", "8"}, [](ShrinkInput& in) { in.tailMin = 2, in.tailMax = 8; }},
        {{"--exclude-tails", "5"}, [](ShrinkInput& in) { in.excludeTails = "5"; }},
        {{"--exclude", "04"}, [](ShrinkInput& in) { in.excludeNumbers = "04"; }},
        {{"--require", "7"}, [](ShrinkInput& in) { in.requireNumbers = "7"; }},
        {{"--big-small", "1,2,3,4"},
         [](ShrinkInput& in) {
             in.bigSmall = {false, true, true, true, true};
         }},
        {{"--max-code", "32", "--min-code", "2"}, [](ShrinkInput& in) { in.maxCode = 32, in.minCode = 2; }},
        {{"--span", "18,30"}, [](ShrinkInput& in) { in.spanMin = 18, in.spanMax = 30; }},
        {{"--zones", "2,-,1"},
         [](ShrinkInput& in) {
             in.zones = {2, -1, 1};
         }},
        {{"--mod3", "-,2,-"},
         [](ShrinkInput& in) {
             in.mod3 = {-1, 2, -1};
         }},
        {{"--ac", "5,10"}, [](ShrinkInput& in) { in.acMin = 5, in.acMax = 10; }},
        {{"--hit", "1,2,3,4,5,6,7,8,9,10,11:1,2", "--hit", ":3", "--hit", "20,30:0,1"},
         [](ShrinkInput& in) {
             in.hitRows[0] = {"1,2,3,4,5,6,7,8,9,10,11", {false, true, true}};
             in.hitRows[1] = {"", {false, false, false, true}};
             in.hitRows[2] = {"20,30", {true, true}};
         }},
    };
    const TCodeArr& history = SampleHistory();
    ShrinkInput together = all;
    QStringList togetherArgs = allArgs;
    for (const Case& c : cases) {
        ShrinkInput in = all;
        c.set(in);
        c.set(together);
        togetherArgs += c.args;
        const CliRun r = cli(allArgs + c.args);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, RunShrink(in, history, {}, false, Game::ssq()).text + QLatin1Char('\n'));
    }
    const CliRun r = cli(togetherArgs);
    QCOMPARE(r.status, 0);
    const QString want = RunShrink(together, history, {}, false, Game::ssq()).text;
    QVERIFY(!want.startsWith(QStringLiteral("缩水结果总共0注")));
    QCOMPARE(r.out, want + QLatin1Char('\n'));
}

void TestShrinkCommand::refuses_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("7 candidates") << QStringList{"--candidates", "1,2,3,4,5,6,7"} << 1
                                  << "请最少勾选8个复式号码！！";
    QTest::newRow("list does not convert") << QStringList{"--candidates", eight, "--exclude", "4 ,7"} << 1
                                           << "'4 ' is not a valid integer value";
    QTest::newRow("sum out of its set")
        << QStringList{"--candidates", eight, "--exclude-sums", "200"} << 1 << "和值排除: 200 超出范围 0-183";
    QTest::newRow("candidate 34") << QStringList{"--candidates", eight + ",34"} << 1
                                  << "红球: 34 超出范围 1-33";
    QTest::newRow("spin out of range")
        << QStringList{"--candidates", eight, "--max-code", "40"} << 1 << "最大号码: 40 超出范围 1-33";
    QTest::newRow("span out of range")
        << QStringList{"--candidates", eight, "--span", "3,40"} << 1 << "跨度: 40 超出范围 0-32";
    QTest::newRow("no candidates") << QStringList{} << 2 << "--candidates is required";
    QTest::newRow("unknown option") << QStringList{"--candidates", eight, "--colour", "red"} << 2 << "colour";
    QTest::newRow("missing value") << QStringList{"--candidates"} << 2 << "candidates";
    QTest::newRow("bad link") << QStringList{"--candidates", eight, "--link", "maybe"} << 2 << "--link";
    QTest::newRow("item out of matrix")
        << QStringList{"--candidates", eight, "--repeats", "5"} << 2 << "0..4";
    QTest::newRow("not a number") << QStringList{"--candidates", eight, "--sum-min", "abc"} << 2 << "abc";
    QTest::newRow("zones count") << QStringList{"--candidates", eight, "--zones", "1,2"} << 2 << "3";
    QTest::newRow("hit without colon")
        << QStringList{"--candidates", eight, "--hit", "1,2"} << 2 << "TEXT:ITEMS";
    QTest::newRow("five hit rows") << QStringList{"--candidates", eight, "--hit", "1:1", "--hit", "1:1",
                                                  "--hit",        "1:1", "--hit", "1:1", "--hit", "1:1"}
                                   << 2 << "4 times";
    // Every malformed option is a usage error, the tolerance's range included.
    QTest::newRow("tolerance 18") << QStringList{"--candidates", eight, "--tolerance", "18"} << 2
                                  << "--tolerance";
    QTest::newRow("tolerance -1") << QStringList{"--candidates", eight, "--tolerance", "-1"} << 2
                                  << "--tolerance";
}

void TestShrinkCommand::refuses() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    const CliRun r = cli(args);
    QCOMPARE(r.status, status);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    if (status == 1) QCOMPARE(r.err, message + QLatin1Char('\n'));
}

void TestShrinkCommand::badHistoryRefuses() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.dxt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a draw line\r\n");
    f.close();
    const CliRun r = cli({"--candidates", eight}, path);
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
}

void TestShrinkCommand::games_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("head"); // the first lines of the output, or the message
    QTest::addColumn<int>("lines");
    QTest::newRow("ssq 8 candidates") << "ssq" << QStringList{"--candidates", eight} << 0
                                      << QStringList{"缩水结果总共28注", "", "01 02 03 04 05 06"} << 30;
    QTest::newRow("dlt 8 candidates")
        << "dlt" << QStringList{"--candidates", eight} << 0
        << QStringList{"缩水结果总共56注", "", "01 02 03 04 05", "01 02 03 04 06"} << 58;
    QTest::newRow("dlt with backs") << "dlt" << QStringList{"--candidates", eight, "--backs", "12,1,05"} << 0
                                    << QStringList{"缩水结果总共56注，后区3个号码3种组合，共168注（336元）",
                                                   "",
                                                   "01 02 03 04 05+01 05",
                                                   "01 02 03 04 05+01 12",
                                                   "01 02 03 04 05+05 12",
                                                   "01 02 03 04 06+01 05"}
                                    << 2 + 168;
    QTest::newRow("dlt ranges") << "dlt"
                                << QStringList{"--candidates", eight,  "--sum-min", "16",      "--span",
                                               "4,34",         "--ac", "0,6",       "--zones", "5,-,-"}
                                << 0 << QStringList{"缩水结果总共55注", "", "01 02 03 04 06"} << 57;
    QTest::newRow("dlt front 36") << "dlt" << QStringList{"--candidates", eight + ",36"} << 1
                                  << QStringList{"前区: 36 超出范围 1-35"} << -1;
    QTest::newRow("dlt sum below 15") << "dlt" << QStringList{"--candidates", eight, "--sum-min", "14"} << 1
                                      << QStringList{"和值范围: 14 超出范围 15-165"} << -1;
    QTest::newRow("dlt odd item 6") << "dlt" << QStringList{"--candidates", eight, "--odd-even", "2,6"} << 1
                                    << QStringList{"奇偶比: 6 超出范围 0-5"} << -1;
    QTest::newRow("dlt zone count 6") << "dlt" << QStringList{"--candidates", eight, "--zones", "-,6,-"} << 1
                                      << QStringList{"13-24出号个数: 6 超出范围 0-5"} << -1;
    QTest::newRow("dlt back 13") << "dlt" << QStringList{"--candidates", eight, "--backs", "1,13"} << 1
                                 << QStringList{"后区号码13超出范围01-12"} << -1;
    QTest::newRow("dlt one back") << "dlt" << QStringList{"--candidates", eight, "--backs", "3"} << 1
                                  << QStringList{"后区号码需要2至12个，现在是1个"} << -1;
    QTest::newRow("dlt back twice") << "dlt" << QStringList{"--candidates", eight, "--backs", "3,03"} << 1
                                    << QStringList{"后区号码03重复"} << -1;
    QTest::newRow("ssq backs") << "ssq" << QStringList{"--candidates", eight, "--backs", "1,2"} << 2
                               << QStringList{"--backs"} << -1;
    // 七乐彩: the eight tickets of 01..08 each leave one number out; the sum is 36 less it.
    QTest::newRow("qlc 8 candidates")
        << "qlc" << QStringList{"--candidates", eight} << 0
        << QStringList{"缩水结果总共8注", "", "01 02 03 04 05 06 07", "01 02 03 04 05 06 08"} << 10;
    QTest::newRow("qlc three odd, sum from 29")
        << "qlc" << QStringList{"--candidates", eight, "--odd-even", "3", "--sum-min", "29", "--zones", "7,-,-"}
        << 0
        << QStringList{"缩水结果总共4注", "", "01 02 03 04 05 06 08", "01 02 03 04 06 07 08",
                       "01 02 04 05 06 07 08", "02 03 04 05 06 07 08"}
        << 6;
    QTest::newRow("qlc hit item 6") << "qlc" << QStringList{"--candidates", eight, "--hit", "1,2,3,4,5,6,7:6"}
                                    << 0 << QStringList{"缩水结果总共7注", "", "01 02 03 04 05 06 08"} << 9;
    QTest::newRow("qlc every ticket")
        << "qlc" << QStringList{"--candidates", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,"
                                                "25,26,27,28,29,30"}
        << 0 << QStringList{"缩水结果总共2035800注", "超过10万注，不再显示详细号码。"} << 2;
    QTest::newRow("qlc number 31") << "qlc" << QStringList{"--candidates", eight + ",31"} << 1
                                   << QStringList{"基本号: 31 超出范围 1-30"} << -1;
    QTest::newRow("qlc sum below 28") << "qlc" << QStringList{"--candidates", eight, "--sum-min", "27"} << 1
                                      << QStringList{"和值范围: 27 超出范围 28-189"} << -1;
    QTest::newRow("qlc AC 16") << "qlc" << QStringList{"--candidates", eight, "--ac", "0,16"} << 1
                               << QStringList{"AC值: 16 超出范围 0-15"} << -1;
    QTest::newRow("qlc backs") << "qlc" << QStringList{"--candidates", eight, "--backs", "1,2"} << 2
                               << QStringList{"--backs"} << -1;
}

// The same command for either game: the game's tickets and ranges, refusals naming the fault.
void TestShrinkCommand::games() {
    QFETCH(QString, game);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, head);
    QFETCH(int, lines);
    const Game& gm = *Game::find(game);
    const CliRun r = RunCliOnSampleOf(gm, QStringList{"shrink"} + args);
    QCOMPARE(r.status, status);
    if (status != 0) {
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(head.first()), qPrintable(r.err));
        if (status == 1) QCOMPARE(r.err, head.first() + QLatin1Char('\n'));
        return;
    }
    QVERIFY(r.err.isEmpty());
    const QStringList got = r.out.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(got.mid(0, head.size()), head);
    QCOMPARE(got.size(), lines);
}

QTEST_GUILESS_MAIN(TestShrinkCommand)
#include "tst_shrinkcommand.moc"
