#include "engine/charts/ChartSheets.h"
#include "engine/prize/DrawFigures.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QtEndian>

// kelvora-cli chart --game dlt|qlc: every sheet prints the engine's model of the game with its
// key, and the pictures of every game are drawn for that game's columns.
class TestCliChartGame : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    static CliRun chart(const Game& game, const QStringList& args) {
        return RunCliOnSampleOf(game, QStringList{"chart"} + args);
    }

    // Width and height from a PNG's header chunk.
    static QSize pngSize(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return {};
        const QByteArray head = f.read(24);
        if (head.size() < 24 || !head.startsWith("\x89PNG")) return {};
        return QSize(int(qFromBigEndian<quint32>(head.constData() + 16)),
                     int(qFromBigEndian<quint32>(head.constData() + 20)));
    }

  private slots:
    void everySheetPrintsTheModel_data();
    void everySheetPrintsTheModel();
    void picturesFollowTheColumns_data();
    void picturesFollowTheColumns();
    void rotationStartRangeAndSheetNames();
    void omissionOverTheWholeHistory_data();
    void omissionOverTheWholeHistory();
    void salesPoolReadsTheFigures_data();
    void salesPoolReadsTheFigures();
    void faultyFiguresStopOnlyTheirSheet();
};

Q_DECLARE_METATYPE(const Game*)

void TestCliChartGame::everySheetPrintsTheModel_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("n");
    for (const Game* game : {&Game::dlt(), &Game::qlc()})
        for (const ChartSheet& s : ChartSheets)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(game->keyText()).arg(s.number)))
                << game << s.number << 25;
    QTest::newRow("dlt 13, all draws") << &Game::dlt() << 13 << int(DltSampleHistory().size());
    QTest::newRow("qlc 13, all draws") << &Game::qlc() << 13 << int(SampleHistoryOf(Game::qlc()).size());
}

void TestCliChartGame::everySheetPrintsTheModel() {
    QFETCH(const Game*, game);
    QFETCH(int, sheet);
    QFETCH(int, n);
    // The rotation starts at the game's last number.
    const int start = game->frontPool;
    const CliRun r = chart(*game, {QString::number(sheet), "--periods", QString::number(n), "--start",
                                   QString::number(start)});
    QCOMPARE(r.status, 0);
    QJsonObject want = ChartModelJson(
        FindChartSheet(sheet)->fill(SampleHistoryOf(*game), {n, start, OmissionTableWidth}, *game));
    want.insert(QStringLiteral("game"), game->keyText());
    QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).object(), want);
}

void TestCliChartGame::picturesFollowTheColumns_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("wider"); // than the two-colour ball's picture
    // 35 fronts against 33; 12 backs against 16.
    QTest::newRow("dlt 1 fronts") << &Game::dlt() << 1 << true;
    QTest::newRow("dlt 7 front bars") << &Game::dlt() << 7 << true;
    QTest::newRow("dlt 9 backs") << &Game::dlt() << 9 << false;
    QTest::newRow("dlt 10 back bars") << &Game::dlt() << 10 << false;
    // 30 fronts against 33; a special number of 30 against a blue of 16.
    QTest::newRow("qlc 1 fronts") << &Game::qlc() << 1 << false;
    QTest::newRow("qlc 9 special") << &Game::qlc() << 9 << true;
}

void TestCliChartGame::picturesFollowTheColumns() {
    QFETCH(const Game*, game);
    QFETCH(int, sheet);
    QFETCH(bool, wider);
    QSize sizes[2];
    const Game* games[] = {&Game::ssq(), game};
    for (int k = 0; k < 2; ++k) {
        const QString file = m_dir.filePath(QStringLiteral("%1-%2.png").arg(games[k]->keyText()).arg(sheet));
        const CliRun r = chart(*games[k], {QString::number(sheet), "--periods", "30", "--png", file});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.isEmpty());
        sizes[k] = pngSize(file);
        QVERIFY(!sizes[k].isEmpty());
    }
    QCOMPARE(sizes[1].width() > sizes[0].width(), wider);
}

void TestCliChartGame::rotationStartRangeAndSheetNames() {
    const CliRun last = chart(Game::dlt(), {"8", "--periods", "3", "--start", "35"});
    QCOMPARE(last.status, 0);
    const QJsonObject o = QJsonDocument::fromJson(last.out.toUtf8()).object();
    QCOMPARE(o[QStringLiteral("game")].toString(), QStringLiteral("dlt"));
    const CliRun beyond = chart(Game::dlt(), {"8", "--periods", "3", "--start", "36"});
    QCOMPARE(beyond.status, 2);
    QVERIFY(beyond.err.contains(QStringLiteral("1..35")));
    const CliRun help = chart(Game::dlt(), {"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains(QStringLiteral("7 前区统计图, 8 旋转图, 9 后区走势图, 10 后区统计图")));
}

void TestCliChartGame::salesPoolReadsTheFigures_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<int>("n");
    QTest::newRow("ssq 100") << &Game::ssq() << 100;
    QTest::newRow("dlt 500") << &Game::dlt() << 500;
    QTest::newRow("qlc 30") << &Game::qlc() << 30;
}

// chart 14 --figures FILE: the engine's chart of those figures, and a picture of it; 七乐彩 without a
// figures file says it has none.
void TestCliChartGame::salesPoolReadsTheFigures() {
    QFETCH(const Game*, game);
    QFETCH(int, n);
    const TCodeArr& history = SampleHistoryOf(*game);
    const QString path = FiguresFixturePathOf(*game);
    const FiguresLoad load = LoadFigures(path, *game, &history);
    QStringList args{"--figures", path, "chart", "14", "--periods", QString::number(n)};
    const CliRun r = RunCliOnSampleOf(*game, args);
    QCOMPARE(r.status, 0);
    ChartArgs chartArgs{n};
    chartArgs.figures = &load.table;
    QJsonObject want = ChartModelJson(FindChartSheet(14)->fill(history, chartArgs, *game));
    want.insert(QStringLiteral("game"), game->keyText());
    const QJsonObject got = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(got, want);
    QCOMPARE(got.value("draws").toArray().size(), n);
    QCOMPARE(got.value("note").toString().isEmpty(), load.status == FiguresLoad::Ok);

    const QString file = m_dir.filePath(game->keyText() + QStringLiteral("-14.png"));
    QCOMPARE(RunCliOnSampleOf(*game, args + QStringList{"--png", file}).status, 0);
    QVERIFY(pngSize(file).width() >= 640);
}

// A figures file that does not read refuses the sheet that reads it and no other.
void TestCliChartGame::faultyFiguresStopOnlyTheirSheet() {
    const QString path =
        WriteTestFile(m_dir, QStringLiteral("faulty-figures.txt"), "2026001 2026-01-01 not-a-number 1 2 3\n");
    const CliRun grid = RunCliOnSample({"--figures", path, "chart", "1", "--periods", "5"});
    QCOMPARE(grid.status, 0);
    QCOMPARE(QJsonDocument::fromJson(grid.out.toUtf8()).object().value("kind").toString(),
             QStringLiteral("grid"));
    const CliRun lines = RunCliOnSample({"--figures", path, "chart", "14", "--periods", "5"});
    QCOMPARE(lines.status, 1);
    QVERIFY(lines.out.isEmpty());
    QVERIFY(!lines.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestCliChartGame)
#include "tst_clichart_game.moc"

void TestCliChartGame::omissionOverTheWholeHistory_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("n");
    for (const Game* game : Game::all())
        for (const int sheet : {1, 9})
            for (const int n : {10, 100, int(SampleHistoryOf(*game).size())})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(game->keyText()).arg(sheet).arg(n)))
                    << game << sheet << n;
}

// 显示遗漏: every number cell not drawn holds i - j, with j the latest earlier draw that holds the
// number (1-based over the whole history, 0 for none), counted here straight from the draws; every
// other cell is as without the option.
void TestCliChartGame::omissionOverTheWholeHistory() {
    QFETCH(const Game*, game);
    QFETCH(int, sheet);
    QFETCH(int, n);
    const TCodeArr& history = SampleHistoryOf(*game);
    const CliRun r = chart(*game, {QString::number(sheet), "--periods", QString::number(n), "--omission"});
    QCOMPARE(r.status, 0);
    const QJsonObject got = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QJsonObject want = ChartModelJson(FindChartSheet(sheet)->fill(history, {n, 1, OmissionTableWidth}, *game));
    const int fixed = want.value("fixedRows").toInt();
    QJsonArray cells = want.value("cells").toArray();
    const bool fronts = sheet == 1;
    const int pool = fronts ? game->frontPool : game->sidePool();
    const auto holds = [&](const TDrawRec& d, int k) {
        if (!fronts) return game->backPicks ? d.Ticket.Blue[k - 1] != 0 : d.Ticket.Special == k;
        for (int p = 0; p < game->frontPicks; ++p)
            if (d.Ticket.Red[p] == k) return true;
        return false;
    };
    for (int row = 0; row < n; ++row) {
        const int i = int(history.size()) - row; // 1-based draw number
        QJsonArray line = cells[fixed + row].toArray();
        for (int k = 1; k <= pool; ++k) {
            if (holds(history[size_t(i - 1)], k)) continue;
            int j = i - 1;
            while (j > 0 && !holds(history[size_t(j - 1)], k))
                --j;
            line[(fronts ? game->frontPicks + 1 : 1) + k] = QString::number(i - j);
        }
        cells[fixed + row] = line;
    }
    want.insert("cells", cells);
    want.insert(QStringLiteral("game"), game->keyText());
    QCOMPARE(got, want);
}
