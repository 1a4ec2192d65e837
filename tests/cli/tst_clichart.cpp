#include "engine/charts/BlueTrend.h"
#include "engine/charts/ChartSheets.h"
#include "engine/charts/ParityCharts.h"
#include "engine/charts/RedTrend.h"
#include "engine/charts/Rotation.h"
#include "engine/charts/TailChart.h"
#include "engine/charts/ZoneChart.h"
#include "engine/history/Parser.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// kelvora-cli chart for the trend-grid sheets 1..5, 8 and 9, and the command's usage rules.
class TestCliChart : public QObject {
    Q_OBJECT

    static CliBytesRun chart(const QStringList& args) {
        return RunCliBytes(QStringList{"--data", SampleHistoryPath(), "chart"} + args);
    }

    TCodeArr m_sample;
    QTemporaryDir m_dir;

  private slots:
    void initTestCase();
    void sameAsEngine_data();
    void sameAsEngine();
    void gridShape();
    void tooManyPeriods_data();
    void tooManyPeriods();
    void usageErrors_data();
    void usageErrors();
    void badHistory();
    void help();
};

void TestCliChart::initTestCase() {
    m_sample = SampleHistory();
    QVERIFY(!m_sample.empty());
}

void TestCliChart::sameAsEngine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QJsonObject>("want");
    const TCodeArr& h = m_sample;
    QTest::newRow("1 red") << QStringList{"1", "--periods", "30"} << FillRedTrend(h, 30).toJson();
    QTest::newRow("2 zone") << QStringList{"2", "--periods", "7"} << FillZoneChart(h, 7).toJson();
    QTest::newRow("3 tail") << QStringList{"3", "--periods", "0"} << FillTailChart(h, 0).toJson();
    QTest::newRow("4 odd-even") << QStringList{"4", "--periods", "30"} << FillOddEvenChart(h, 30).toJson();
    QTest::newRow("5 big-small") << QStringList{"5", "--periods", "12"} << FillBigSmallChart(h, 12).toJson();
    QTest::newRow("8 rotation default start")
        << QStringList{"8", "--periods", "30"} << FillRotation(h, 30, 1, Game::ssq()).toJson();
    QTest::newRow("8 rotation start 17")
        << QStringList{"8", "--periods=30", "--start", "17"} << FillRotation(h, 30, 17, Game::ssq()).toJson();
    QTest::newRow("9 blue, all draws") << QStringList{"9", "--periods", QString::number(h.size())}
                                       << FillBlueTrend(h, int(h.size())).toJson();
}

void TestCliChart::sameAsEngine() {
    QFETCH(QStringList, args);
    QFETCH(QJsonObject, want);
    want.insert(QStringLiteral("game"), QStringLiteral("ssq"));
    const CliBytesRun r = chart(args);
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(doc.object(), want);
}

void TestCliChart::gridShape() {
    const CliBytesRun r = chart({"1", "--periods", "2"});
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(o["kind"].toString(), QStringLiteral("grid"));
    QCOMPARE(o["fontSize"].toInt(), 10);
    QCOMPARE(o["cols"].toInt(), 41);
    QCOMPARE(o["fixedRows"].toInt(), 2);
    QCOMPARE(o["dataRows"].toInt(), 3);
    const QJsonArray cells = o["cells"].toArray();
    const QJsonArray colors = o["colors"].toArray();
    QCOMPARE(cells.size(), 5);
    QCOMPARE(colors.size(), 5);
    QCOMPARE(cells[2].toArray()[0].toString(), QString::number(m_sample.back().code()));
    QCOMPARE(cells[4].toArray()[0].toString(), QStringLiteral("合计"));
    QCOMPARE(colors[4].toArray()[0].toInt(), 0x808080);
    QVERIFY(colors[2].toArray()[0].isNull());
    const int red = m_sample.back().Ticket.Red[0];
    QCOMPARE(colors[2].toArray()[7 + red].toInt(), 0x8486FF);
    QCOMPARE(o["merges"].toArray()[3].toObject()["text"].toString(), QStringLiteral("红球分布"));
}

void TestCliChart::tooManyPeriods_data() {
    QTest::addColumn<QStringList>("args");
    for (const char* page : {"1", "2", "3", "4", "5", "8", "9"}) {
        QTest::newRow(qPrintable(QStringLiteral("page %1, one too many").arg(page)))
            << QStringList{page, "--periods", QString::number(m_sample.size() + 1)};
        QTest::newRow(qPrintable(QStringLiteral("page %1, negative").arg(page)))
            << QStringList{page, "--periods", "-5"};
    }
}

void TestCliChart::tooManyPeriods() {
    QFETCH(QStringList, args);
    const CliBytesRun r = chart(args);
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err, QStringLiteral("设置的查询期数超过总期数!!\n"));
}

void TestCliChart::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no page") << QStringList{"--periods", "3"};
    QTest::newRow("page 0") << QStringList{"0", "--periods", "3"};
    QTest::newRow("page past the last")
        << QStringList{QString::number(ChartSheetCount + 1), "--periods", "3"};
    QTest::newRow("page not a number") << QStringList{"red", "--periods", "3"};
    QTest::newRow("no periods") << QStringList{"1"};
    QTest::newRow("periods without value") << QStringList{"1", "--periods"};
    QTest::newRow("periods not a number") << QStringList{"1", "--periods", "3x"};
    QTest::newRow("start 0") << QStringList{"8", "--periods", "3", "--start", "0"};
    QTest::newRow("start 34") << QStringList{"8", "--periods", "3", "--start", "34"};
    QTest::newRow("unknown option") << QStringList{"1", "--periods", "3", "--colour"};
    QTest::newRow("two pages") << QStringList{"1", "2", "--periods", "3"};
}

void TestCliChart::usageErrors() {
    QFETCH(QStringList, args);
    const CliBytesRun r = chart(args);
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains(
        QStringLiteral("Usage: kelvora-cli [--data FILE] chart PAGE --periods N [--start S]")));
}

void TestCliChart::badHistory() {
    const QString path = m_dir.filePath(QStringLiteral("bad.dxt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("this is no draw\r\n");
    f.close();
    const CliBytesRun r = RunCliBytes({"--data", path, "chart", "1", "--periods", "0"});
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
    const CliBytesRun missing =
        RunCliBytes({"--data", m_dir.filePath(QStringLiteral("none.dxt")), "chart", "1", "--periods", "0"});
    QCOMPARE(missing.status, 1);
}

void TestCliChart::help() {
    const CliBytesRun r = chart({"--help"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith("Usage: kelvora-cli [--data FILE] chart PAGE"));
    QVERIFY(QString::fromUtf8(r.out).contains(QStringLiteral("8 旋转图")));
}

QTEST_GUILESS_MAIN(TestCliChart)
#include "tst_clichart.moc"
