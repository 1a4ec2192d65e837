#include "engine/history/Parser.h"
#include "engine/predict/Prediction.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPredictCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // The last count lines of the sample history as a data file of its own.
    QString tailFile(int count) {
        QList<QByteArray> lines = SampleHistoryBytes().split('\n');
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        const QString path = m_dir.filePath(QStringLiteral("tail%1.dxt").arg(count));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (const QByteArray& l : lines.mid(lines.size() - count))
            f.write(l + '\n');
        return path;
    }

  private slots:
    void printsWhatTheEngineComputes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("engineKind");
        QTest::newRow("compound") << "compound" << int(PredictKind::Compound);
        QTest::newRow("single") << "single" << int(PredictKind::Single);
        QTest::newRow("banker") << "banker" << int(PredictKind::Banker);
        QTest::newRow("cold") << "cold" << int(PredictKind::Cold);
        QTest::newRow("odd") << "odd" << int(PredictKind::Odd);
        QTest::newRow("even") << "even" << int(PredictKind::Even);
        QTest::newRow("zone") << "zone" << int(PredictKind::Zone);
    }
    void printsWhatTheEngineComputes() {
        QFETCH(QString, kind);
        QFETCH(int, engineKind);
        const CliRun r =
            RunCli({QStringLiteral("--data"), SampleHistoryPath(), QStringLiteral("predict"), kind});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        const QStringList lines = RunPredict(SampleHistory(), PredictKind(engineKind), Game::ssq()).lines;
        QCOMPARE(r.out, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        if (kind == QLatin1String("single")) QCOMPARE(lines.size(), 806);
    }

    // --game predicts over the game's pools, from its own history.
    void otherGamesPrintWhatTheEngineComputes_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("engineKind");
        for (const char* game : {"dlt", "qlc"}) {
            QTest::addRow("%s compound", game) << game << "compound" << int(PredictKind::Compound);
            QTest::addRow("%s single", game) << game << "single" << int(PredictKind::Single);
            QTest::addRow("%s zone", game) << game << "zone" << int(PredictKind::Zone);
        }
        QTest::newRow("qlc banker") << "qlc" << "banker" << int(PredictKind::Banker);
    }
    void otherGamesPrintWhatTheEngineComputes() {
        QFETCH(QString, game);
        QFETCH(QString, kind);
        QFETCH(int, engineKind);
        const Game& gm = *Game::find(game);
        const CliRun r = RunCliOnSampleOf(gm, {QStringLiteral("predict"), kind});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        const TCodeArr& history = SampleHistoryOf(gm);
        const QStringList lines = RunPredict(history, PredictKind(engineKind), gm).lines;
        QCOMPARE(r.out, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        QVERIFY(r.out != RunPredict(history, PredictKind(engineKind), Game::ssq()).lines.join('\n') + '\n');
        // Tickets and groups of the game's own numbers: seven of 01..30 for 七乐彩, nothing after a "+".
        if (gm.backPicks == 0) QVERIFY(!r.out.contains(QLatin1Char('+')));
        if (kind == QLatin1String("single")) QCOMPARE(lines[1].split(QLatin1Char(' ')).size(), gm.frontPicks);
    }

    void windowOfTwentyDraws_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("draws");
        QTest::addColumn<int>("status");
        for (const char* k : {"compound", "single", "banker", "cold", "odd", "even", "zone"}) {
            QTest::addRow("%s 19", k) << QString::fromLatin1(k) << 19 << 1;
            QTest::addRow("%s 20", k) << QString::fromLatin1(k) << 20 << 0;
        }
    }
    void windowOfTwentyDraws() {
        QFETCH(QString, kind);
        QFETCH(int, draws);
        QFETCH(int, status);
        const CliRun r = RunCli({QStringLiteral("--data"), tailFile(draws), QStringLiteral("predict"), kind});
        QCOMPARE(r.status, status);
        if (status) {
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err,
                     QStringLiteral("开奖数据期数少于统计分析需要的期数，无法继续完成智能预测功能！！\n"));
        } else {
            QVERIFY(!r.out.isEmpty());
        }
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no kind") << QStringList{};
        QTest::newRow("unknown kind") << QStringList{"lucky"};
        QTest::newRow("two kinds") << QStringList{"odd", "even"};
        QTest::newRow("unknown option") << QStringList{"odd", "--fast"};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        const CliRun r = RunCli(
            QStringList{QStringLiteral("--data"), SampleHistoryPath(), QStringLiteral("predict")} + args);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.contains(QStringLiteral("predict KIND")));
    }

    void badHistoryIsRefused() {
        const QString path = m_dir.filePath(QStringLiteral("bad.dxt"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("2003001 10 11 12\r\n");
        f.close();
        const CliRun r =
            RunCli({QStringLiteral("--data"), path, QStringLiteral("predict"), QStringLiteral("compound")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QString());
        QVERIFY(!r.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPredictCommand)
#include "tst_predictcommand.moc"
