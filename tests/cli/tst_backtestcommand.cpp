#include "engine/history/Parser.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/shrink/Backtest.h"
#include "engine/shrink/ConditionSet.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QJsonObject json(const CliRun& r) {
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

} // namespace

class TestBacktestCommand : public QObject {
    Q_OBJECT
  private slots:
    void shrinkJson();
    void shrinkTolerance();
    void predictVerdictWithinChance();
    void predictJson_data();
    void predictJson();
    void refuses_data();
    void refuses();
    void games_data();
    void games();
};

// A condition file with options on top: the JSON of the contract, computed by the engine.
void TestBacktestCommand::shrinkJson() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.json"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"odd-even":"2,3,4","link":"none","hit":["12,16,17:0,1"],"ac":"9,10"})");
    f.close();
    const CliRun r = RunCliOnSample(
        {"backtest", "shrink", "--conditions", path, "--ac", "6,10", "--draws", "120", "--json"});
    QCOMPARE(r.status, 0);
    const QJsonObject o = json(r);
    ShrinkInput in = LoadConditionSetFile(path, Game::ssq());
    in.acMin = 6;
    const ShrinkBacktest want = RunShrinkBacktest(in, SampleHistory(), 120, Game::ssq());
    QCOMPARE(o, ShrinkBacktestJson(want));
    QCOMPARE(o.keys(),
             (QStringList{"conditions", "draws", "failCounts", "first", "game", "kept", "last", "rows"}));
    QCOMPARE(o.value("draws").toInt(), 120);
    QCOMPARE(o.value("last").toString(), QStringLiteral("2026096"));
    const QJsonArray conditions = o.value("conditions").toArray();
    QCOMPARE(conditions.size(), 18);
    QCOMPARE(conditions[0].toObject().value("passed").toInt(), 120);
    QCOMPARE(conditions[16].toObject().value("name").toString(), QStringLiteral("AC值"));
    QVERIFY(conditions[16].toObject().value("active").toBool());
    const QJsonArray rows = o.value("rows").toArray();
    QCOMPARE(rows.size(), 120);
    QCOMPARE(rows.last().toObject().value("reds").toArray(), (QJsonArray{1, 4, 16, 22, 26, 31}));
    QCOMPARE(o.value("failCounts").toArray().first().toInt(), o.value("kept").toInt());

    // The text report holds the same counts.
    const CliRun text =
        RunCliOnSample({"backtest", "shrink", "--conditions", path, "--ac", "6,10", "--draws", "120"});
    QCOMPARE(text.status, 0);
    QVERIFY(text.out.contains(ToleranceDistributionText(want)));
}

// --tolerance changes what the set keeps: the JSON adds it beside the old keys, the text leads with it.
void TestBacktestCommand::shrinkTolerance() {
    const QStringList set{"backtest",    "shrink",      "--odd-even", "2,3,4", "--link",
                          "none",        "--big-small", "2,3,4",      "--ac",  "7,10",
                          "--tolerance", "1",           "--draws",    "100"};
    const CliRun r = RunCliOnSample(set + QStringList{"--json"});
    QCOMPARE(r.status, 0);
    const QJsonObject o = json(r);
    const QJsonArray failCounts = o.value("failCounts").toArray();
    const int kept = failCounts[0].toInt() + failCounts[1].toInt();
    QCOMPARE(o.value("tolerance").toInt(), 1);
    QCOMPARE(o.value("toleranceKept").toInt(), kept);
    QVERIFY(kept > o.value("kept").toInt());
    const CliRun text = RunCliOnSample(set);
    QCOMPARE(text.status, 0);
    QCOMPARE(text.out.split('\n').value(1),
             QStringLiteral("按当前条件（容错1）保留：%1期（%1.0%）").arg(kept));
}

// 27.0% blue hits against 18.8% by chance over 100 draws lies within three standard errors (11.7
// points): neither better nor "not better", but within chance.
void TestBacktestCommand::predictVerdictWithinChance() {
    const CliRun r = RunCliOnSample({"backtest", "predict", "compound", "--draws", "100"});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split('\n');
    const QStringList blue = lines.filter(QStringLiteral("命中率27.0%，随机号码18.8%"));
    QCOMPARE(blue.size(), 1);
    QVERIFY2(blue.first().endsWith(QStringLiteral("—— 差异在随机波动之内")), qPrintable(blue.first()));
    QVERIFY(!r.out.contains(QStringLiteral("—— 不比随机号码好")));
}

void TestBacktestCommand::predictJson_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("compound") << "compound";
    QTest::newRow("single") << "single";
    QTest::newRow("odd") << "odd";
}

void TestBacktestCommand::predictJson() {
    QFETCH(QString, kind);
    const CliRun r = RunCliOnSample({"backtest", "predict", kind, "--draws", "40", "--json"});
    QCOMPARE(r.status, 0);
    const QJsonObject o = json(r);
    QCOMPARE(o.value("kind").toString(), kind);
    QCOMPARE(o.value("rows").toArray().size(), 40);
    const QJsonArray groups = o.value("summary").toObject().value("groups").toArray();
    QCOMPARE(groups.size(), 3);
    const QJsonObject first = groups[0].toObject();
    const QJsonObject row = o.value("rows").toArray().first().toObject();
    QCOMPARE(row.value("issue").toString(),
             QString::number(SampleHistory()[SampleHistory().size() - 40].code()));
    if (kind == QLatin1String("single")) {
        QCOMPARE(first.value("tickets").toInt(), 100);
        double sum = 0;
        for (const QJsonValue& v : first.value("expectedCounts").toArray())
            sum += v.toDouble();
        QCOMPARE(qRound(sum * 1000), 100000);
        QCOMPARE(row.value("groups").toArray()[2].toObject().value("tickets").toInt(), 500);
    } else {
        const int k = first.value("reds").toInt();
        QCOMPARE(first.value("expectedRedHits").toDouble(), 6.0 * k / 33);
        QCOMPARE(first.contains("blueHitRate"), kind == QLatin1String("compound"));
        if (kind == QLatin1String("compound")) {
            QCOMPARE(k, 9);
            QCOMPARE(first.value("expectedBlueHitRate").toDouble(), 3.0 / 16);
        }
        double hits = 0;
        for (const QJsonValue& v : o.value("rows").toArray())
            hits += v.toObject().value("groups").toArray()[0].toObject().value("redHits").toInt();
        QCOMPARE(first.value("meanRedHits").toDouble(), hits / 40);
    }
}

void TestBacktestCommand::refuses_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QString all = QString::number(SampleHistory().size() + 1);
    const QString predictMax = QString::number(SampleHistory().size() - 19);
    QTest::newRow("shrink beyond history")
        << QStringList{"backtest", "shrink", "--draws", all} << 1 << "设置的验证期数超过总期数!!";
    QTest::newRow("predict beyond history less 20")
        << QStringList{"backtest", "predict", "even", "--draws", predictMax} << 1
        << "设置的验证期数超过总期数!!";
    QTest::newRow("too few candidates")
        << QStringList{"backtest", "shrink", "--candidates", "1,2,3", "--draws", "5"} << 1
        << "请最少勾选8个复式号码！！";
    QTest::newRow("list does not convert")
        << QStringList{"backtest", "shrink", "--exclude", "4 ,7", "--draws", "5"} << 1
        << "'4 ' is not a valid integer value";
    QTest::newRow("zero draws") << QStringList{"backtest", "shrink", "--draws", "0"} << 2 << "--draws";
    QTest::newRow("no draws") << QStringList{"backtest", "predict", "odd"} << 2 << "--draws";
    QTest::newRow("unknown kind") << QStringList{"backtest", "predict", "lucky", "--draws", "5"} << 2
                                  << "lucky";
    QTest::newRow("unknown backtest") << QStringList{"backtest", "charts"} << 2 << "charts";
    QTest::newRow("missing file") << QStringList{"backtest", "shrink", "--conditions", "/nonexistent/x.json",
                                                 "--draws",  "5"}
                                  << 1 << "x.json";
}

void TestBacktestCommand::refuses() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    const CliRun r = RunCliOnSample(args);
    QCOMPARE(r.status, status);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

void TestBacktestCommand::games_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<QByteArray>("file"); // a condition-set file, or none
    QTest::addColumn<QString>("refusal");
    QTest::newRow("ssq") << "ssq" << QByteArray() << QString();
    QTest::newRow("dlt") << "dlt" << QByteArray() << QString();
    QTest::newRow("dlt set") << "dlt" << QByteArray(R"({"game":"dlt","zones":"2,-,-","ac":"2,6"})")
                             << QString();
    QTest::newRow("set written before, for dlt")
        << "dlt" << QByteArray(R"({"odd-even":"2,3"})")
        << QStringLiteral("这是双色球的条件文件，不能用于超级大乐透");
    QTest::newRow("dlt set for ssq") << "ssq" << QByteArray(R"({"game":"dlt"})")
                                     << QStringLiteral("这是超级大乐透的条件文件，不能用于双色球");
    QTest::newRow("qlc") << "qlc" << QByteArray() << QString();
    QTest::newRow("qlc set") << "qlc" << QByteArray(R"({"game":"qlc","zones":"7,-,-","ac":"2,15"})")
                             << QString();
    QTest::newRow("qlc set for dlt") << "dlt" << QByteArray(R"({"game":"qlc"})")
                                     << QStringLiteral("这是七乐彩的条件文件，不能用于超级大乐透");
}

// The shrink backtest of either game over its own history: the engine's JSON with the game named
// and the game's fronts; a condition set of the other game is refused.
void TestBacktestCommand::games() {
    QFETCH(QString, game);
    QFETCH(QByteArray, file);
    QFETCH(QString, refusal);
    const Game& gm = *Game::find(game);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.json"));
    QStringList args{"backtest", "shrink", "--odd-even", "1,2,3", "--draws", "60", "--json"};
    if (!file.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        args << "--conditions" << path;
    }
    const CliRun r = RunCliOnSampleOf(gm, args);
    if (!refusal.isEmpty()) {
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(refusal), qPrintable(r.err));
        return;
    }
    QCOMPARE(r.status, 0);
    ShrinkInput in = file.isEmpty() ? ShrinkInput::resetFor(gm) : LoadConditionSetFile(path, gm);
    in.oddEven = {false, true, true, true, false, false, false};
    const QJsonObject o = json(r);
    QCOMPARE(o, ShrinkBacktestJson(RunShrinkBacktest(in, SampleHistoryOf(gm), 60, gm)));
    QCOMPARE(o.value("game").toString(), game);
    const QJsonObject row = o.value("rows").toArray().last().toObject();
    const QJsonArray fronts = row.value(gm.jsonFronts).toArray();
    QCOMPARE(int(fronts.size()), gm.frontPicks);
    QCOMPARE(fronts.last().toInt(), int(SampleHistoryOf(gm).back().Ticket.Red[gm.frontPicks - 1]));
}

QTEST_GUILESS_MAIN(TestBacktestCommand)
#include "tst_backtestcommand.moc"
