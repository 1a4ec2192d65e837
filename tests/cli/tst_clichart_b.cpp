#include "engine/charts/AnalysisTable.h"
#include "engine/charts/BoardCharts.h"
#include "engine/charts/OmissionChart.h"
#include "engine/charts/StatsCharts.h"
#include "engine/history/Parser.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

// kelvora-cli chart for the statistics, board, omission and analysis sheets.
class TestCliChartB : public QObject {
    Q_OBJECT

    static CliBytesRun chart(const QStringList& args) {
        return RunCliBytes(QStringList{"--data", SampleHistoryPath(), "chart"} + args);
    }

  private slots:
    void pagesPrintTheEngineModel_data() {
        const TCodeArr& h = SampleHistory();
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("n");
        QTest::addColumn<QJsonObject>("expected");
        QTest::newRow("6 empty rows") << "6" << 30 << FillEmptyRowCol(h, 30).toJson();
        QTest::newRow("7 red stats") << "7" << 30 << FillRedStats(h, 30).toJson();
        QTest::newRow("10 blue stats") << "10" << 100 << FillBlueStats(h, 100).toJson();
        QTest::newRow("11 omission") << "11" << 30
                                     << FillOmission(h, 30, OmissionTableWidth, Game::ssq()).toJson();
        QTest::newRow("12 gann") << "12" << 8 << FillGann(h, 8).toJson();
        QTest::newRow("13 analysis") << "13" << 30 << FillAnalysisTable(h, 30).toJson();
        QTest::newRow("13 all draws")
            << "13" << int(h.size()) << FillAnalysisTable(h, int(h.size())).toJson();
    }

    void pagesPrintTheEngineModel() {
        QFETCH(QString, page);
        QFETCH(int, n);
        QFETCH(QJsonObject, expected);
        expected.insert(QStringLiteral("game"), QStringLiteral("ssq"));
        const CliBytesRun r = chart({page, "--periods", QString::number(n)});
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc.object(), expected);
    }

    void shapes() {
        QJsonObject o = QJsonDocument::fromJson(chart({"12", "--periods", "2"}).out).object();
        QCOMPARE(o["kind"].toString(), QStringLiteral("boards"));
        const QJsonObject board = o["boards"].toArray()[0].toObject();
        QCOMPARE(board["title"].toString(), QStringLiteral("2026096期"));
        // Row 3 of the latest Gann board (2026096: 01 04 16 22 26 31 + 04): 28 11 2 1 6 19, the 1 red.
        QCOMPARE(board["cells"].toArray()[3].toArray()[3].toString(), QStringLiteral("1"));
        QCOMPARE(board["colors"].toArray()[3].toArray()[3].toInt(), 0x0000FF);

        o = QJsonDocument::fromJson(chart({"7", "--periods", "30"}).out).object();
        QCOMPARE(o["kind"].toString(), QStringLiteral("bars"));
        QCOMPARE(o["seriesColors"].toArray()[1].toInt(), 0x5462FF);

        o = QJsonDocument::fromJson(chart({"11", "--periods", "0"}).out).object();
        QCOMPARE(o["tables"].toArray()[1].toObject()["title"].toString(), QStringLiteral("蓝球分析表"));

        o = QJsonDocument::fromJson(chart({"13", "--periods", "1"}).out).object();
        QCOMPARE(o["kind"].toString(), QStringLiteral("grid"));
        QCOMPARE(o["cells"].toArray()[3].toArray()[0].toString(), QStringLiteral("合计"));
    }

    void refused_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("n");
        for (const char* page : {"6", "7", "10", "11", "12", "13"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 too many").arg(page))) << page << "3494";
            // The bar charts and the omission tables read a negative N as no draw.
            if (QStringList{"7", "10", "11"}.contains(QLatin1String(page))) continue;
            QTest::newRow(qPrintable(QStringLiteral("%1 negative").arg(page))) << page << "-1";
        }
    }

    void refused() {
        QFETCH(QString, page);
        QFETCH(QString, n);
        const CliBytesRun r = chart({page, "--periods", n});
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.trimmed(), QStringLiteral("设置的查询期数超过总期数!!"));
    }
};

QTEST_GUILESS_MAIN(TestCliChartB)
#include "tst_clichart_b.moc"
