#include "engine/charts/AnalysisTable.h"
#include "engine/charts/BlueTrend.h"
#include "engine/charts/BoardCharts.h"
#include "engine/charts/ChartSheets.h"
#include "engine/charts/OmissionChart.h"
#include "engine/charts/ParityCharts.h"
#include "engine/charts/Rotation.h"
#include "engine/charts/StatsCharts.h"
#include "engine/charts/ZoneChart.h"
#include "engine/metrics/Code.h"
#include "engine/prize/DrawFigures.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <map>
#include <set>
#include <tuple>

// Every chart page over every game's pools, on the game's real history: each drawn front and side
// number (the backs, or 七乐彩's special number) stands where the page's own header says, and every
// count covers the whole pool.
class TestGameCharts : public QObject {
    Q_OBJECT
  private slots:
    void frontsInTheirColumns_data();
    void frontsInTheirColumns();
    void backsInTheirColumns_data();
    void backsInTheirColumns();
    void countsCoverEveryNumber_data();
    void countsCoverEveryNumber();
    void boardsHoldThePool_data();
    void boardsHoldThePool();
    void superLottoBoundaries();
    void sevenLuckBoundaries();
    void measuresWithinTheirBounds_data();
    void measuresWithinTheirBounds();
    void explanationExamplesHoldTheirCounts_data();
    void explanationExamplesHoldTheirCounts();
    void salesPoolFollowsTheFigures_data();
    void salesPoolFollowsTheFigures();
};

Q_DECLARE_METATYPE(const Game*)

namespace {

const std::array<const Game*, kGameCount>& Games = Game::all();

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// The number each column's header names (row 1), from column `from` on.
std::map<int, int> columnsByHeader(const H2NetModel& m, int from, int to) {
    std::map<int, int> cols;
    for (int c = from; c <= to; ++c)
        cols[m.GetValue(1, c).toInt()] = c;
    return cols;
}

// What a draw shows beside its fronts: the flagged backs, or the special number.
int backsOf(const TCodeRec& t, const Game& game, int (&backs)[GameLimits::kMaxBackPicks]) {
    int count = 0;
    for (int b = 1; b <= game.backPool; ++b)
        if (t.Blue[b - 1]) backs[count++] = b;
    if (game.specialPicks && t.Special) backs[count++] = t.Special;
    return count;
}

// One row a game.
void addGameRows() {
    QTest::addColumn<const Game*>("game");
    for (const Game* g : Games)
        QTest::newRow(g->key) << g;
}

TCodeRec ticketOf(const QList<int>& fronts) {
    TCodeRec t{};
    for (int k = 0; k < int(fronts.size()); ++k)
        t.Red[k] = uint8_t(fronts[k]);
    t.Valid = 1;
    return t;
}

int totalsFrom(const H2NetModel& m, int from, int to) {
    int sum = 0;
    for (int c = from; c <= to; ++c)
        sum += m.GetValue(m.rowCount() - 1, c).toInt();
    return sum;
}

} // namespace


void TestGameCharts::frontsInTheirColumns_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<int>("start");
    QTest::newRow("ssq trend") << &Game::ssq() << 1;
    QTest::newRow("dlt trend") << &Game::dlt() << 1;
    QTest::newRow("dlt rotation from 35") << &Game::dlt() << 35;
    QTest::newRow("dlt rotation from 18") << &Game::dlt() << 18;
    QTest::newRow("qlc trend") << &Game::qlc() << 1;
    QTest::newRow("qlc rotation from 30") << &Game::qlc() << 30;
    QTest::newRow("qlc rotation from 16") << &Game::qlc() << 16;
}

void TestGameCharts::frontsInTheirColumns() {
    QFETCH(const Game*, game);
    QFETCH(int, start);
    const TCodeArr& h = SampleHistoryOf(*game);
    const int n = int(h.size()), picks = game->frontPicks;
    const H2NetModel m = FillRotation(h, n, start, *game);
    const int first = picks + 2, last = m.colsCount() - 1;
    QCOMPARE(last - first + 1, game->frontPool);
    const std::map<int, int> colOf = columnsByHeader(m, first, last);
    QCOMPARE(int(colOf.size()), game->frontPool);
    QCOMPARE(colOf.begin()->first, 1);
    QCOMPARE(colOf.at(start), first);
    QCOMPARE(colOf.at(start == 1 ? game->frontPool : start - 1), last);

    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = h[h.size() - 1 - size_t(i)];
        const int row = i + 2;
        int marked = 0;
        for (int c = first; c <= last; ++c)
            marked += !m.GetValue(row, c).isEmpty();
        QCOMPARE(marked, picks);
        for (int k = 0; k < picks; ++k)
            QCOMPARE(m.GetValue(row, colOf.at(d.Ticket.Red[k])), twoDigits(d.Ticket.Red[k]));
        int backs[GameLimits::kMaxBackPicks];
        QStringList texts;
        for (int k = 0, count = backsOf(d.Ticket, *game, backs); k < count; ++k)
            texts << twoDigits(backs[k]);
        QCOMPARE(m.GetValue(row, picks + 1), texts.join(u' '));
    }
    QCOMPARE(totalsFrom(m, first, last), picks * n);
}

void TestGameCharts::backsInTheirColumns_data() {
    addGameRows();
}

void TestGameCharts::backsInTheirColumns() {
    QFETCH(const Game*, game);
    const TCodeArr& h = SampleHistoryOf(*game);
    const int n = int(h.size()), pool = game->sidePool();
    const H2NetModel m = FillBackTrend(h, n, *game);
    const std::map<int, int> colOf = columnsByHeader(m, 2, 1 + pool);
    QCOMPARE(int(colOf.size()), pool);
    QCOMPARE(colOf.rbegin()->first, pool);
    // odd/even, mod 3, halves and zones: each side number has one mark in each of the four.
    const int lastCol = m.colsCount() - 1;
    for (int i = 0; i < n; ++i) {
        const TDrawRec& d = h[h.size() - 1 - size_t(i)];
        const int row = i + 2;
        int backs[GameLimits::kMaxBackPicks];
        const int count = backsOf(d.Ticket, *game, backs);
        QCOMPARE(count, game->sidePicks());
        int marked = 0;
        for (int c = 2; c <= 1 + pool; ++c)
            marked += !m.GetValue(row, c).isEmpty();
        QCOMPARE(marked, count);
        for (int k = 0; k < count; ++k)
            QCOMPARE(m.GetValue(row, colOf.at(backs[k])), twoDigits(backs[k]));
        int marks = 0;
        for (int c = 2 + pool; c <= lastCol; ++c)
            marks += int(m.GetValue(row, c).size());
        QCOMPARE(marks, 4 * count);
    }
    QCOMPARE(totalsFrom(m, 2, 1 + pool), game->sidePicks() * n);
    QCOMPARE(totalsFrom(m, 2 + pool, lastCol), 4 * game->sidePicks() * n);
}

void TestGameCharts::countsCoverEveryNumber_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<int>("sheet");
    for (const Game* g : Games)
        for (int sheet : {2, 3, 4, 5, 7, 10, 11, 13})
            QTest::newRow(qPrintable(QStringLiteral("%1 sheet %2").arg(g->key).arg(sheet))) << g << sheet;
}

// Counts over the whole history: each front (back) of each draw is counted once in every family
// of count columns, so a column lost to a pool of 33 or a back left uncounted shows in the sums.
void TestGameCharts::countsCoverEveryNumber() {
    QFETCH(const Game*, game);
    QFETCH(int, sheet);
    const TCodeArr& h = SampleHistoryOf(*game);
    const int n = int(h.size()), picks = game->frontPicks, backs = game->sidePicks();
    const ChartModel model = FindChartSheet(sheet)->fill(h, {n, 1, OmissionTableWidth}, *game);
    const int firstCount = picks + 2; // after issue, fronts and the back column
    switch (sheet) {
    case 2: {
        const H2NetModel& m = std::get<H2NetModel>(model);
        QCOMPARE(totalsFrom(m, firstCount, firstCount + 2), picks * n);
        QCOMPARE(totalsFrom(m, firstCount + 3, m.colsCount() - 1), picks * n);
        // The last small zone of three numbers holds the last front.
        const int lastZone = m.GetValue(1, m.colsCount() - 1).toInt();
        QVERIFY(lastZone * SmallZoneSize >= game->frontPool);
        QVERIFY((lastZone - 1) * SmallZoneSize < game->frontPool);
        break;
    }
    case 3:
        QCOMPARE(totalsFrom(std::get<H2NetModel>(model), firstCount, firstCount + 9), picks * n);
        break;
    case 4:
    case 5: {
        const H2NetModel& m = std::get<H2NetModel>(model);
        const int countCol = firstCount + 2 * (picks + backs);
        QCOMPARE(m.colsCount(), countCol + picks + 2);
        QCOMPARE(totalsFrom(m, firstCount, countCol - 1), (picks + backs) * n);
        QCOMPARE(totalsFrom(m, countCol + 1, m.colsCount() - 1), n);
        break;
    }
    case 7:
    case 10: {
        const G2NetModel& m = std::get<G2NetModel>(model);
        const int pool = sheet == 7 ? game->frontPool : game->sidePool();
        QCOMPARE(m.dynColCount(), pool);
        int sum = 0;
        for (int c = 1; c <= pool; ++c)
            sum += m.GetValue(c, 1).toInt();
        QCOMPARE(sum, (sheet == 7 ? picks : backs) * n);
        break;
    }
    case 11: {
        const OmissionTables& t = std::get<OmissionTables>(model);
        for (const auto& [table, pool, picked] :
             {std::tuple{&t.red, game->frontPool, picks}, std::tuple{&t.blue, game->sidePool(), backs}}) {
            QCOMPARE(table->rowCount(), pool + 1);
            int sum = 0;
            for (int r = 1; r <= pool; ++r)
                sum += table->GetValue(5, r).toInt();
            QCOMPARE(sum, picked * n);
        }
        QVERIFY(t.red.FTitle.startsWith(game->front()));
        QVERIFY(t.blue.FTitle.startsWith(game->side()));
        break;
    }
    case 13: {
        const H2NetModel& m = std::get<H2NetModel>(model);
        // Odd and even, big and small: each pair adds up to the fronts of a draw.
        for (int row = 2; row < n + 2; row += 97) {
            QCOMPARE(m.GetValue(row, firstCount + 3).toInt() + m.GetValue(row, firstCount + 4).toInt(),
                     picks);
            QCOMPARE(m.GetValue(row, firstCount + 8).toInt() + m.GetValue(row, firstCount + 9).toInt(),
                     picks);
        }
        break;
    }
    }
}

void TestGameCharts::boardsHoldThePool_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<int>("sheet");
    for (const Game* g : Games)
        for (int sheet : {6, 12})
            QTest::newRow(qPrintable(QStringLiteral("%1 sheet %2").arg(g->key).arg(sheet))) << g << sheet;
}

void TestGameCharts::boardsHoldThePool() {
    QFETCH(const Game*, game);
    QFETCH(int, sheet);
    const TCodeArr& h = SampleHistoryOf(*game);
    const int n = 40;
    const B0NetBoards boards = std::get<B0NetBoards>(FindChartSheet(sheet)->fill(h, {n, 1, 0}, *game));
    QCOMPARE(int(boards.boards.size()), n);
    for (int i = 0; i < n; ++i) {
        const B0NetModel& b = boards.boards[size_t(i)];
        const TCodeRec& t = h[h.size() - 1 - size_t(i)].Ticket;
        std::map<int, QPoint> cellOf;
        for (int r = 0; r < b.rowCount(); ++r)
            for (int c = 0; c < b.colCount(); ++c)
                if (!b.GetValue(c, r).isEmpty()) cellOf[b.GetValue(c, r).toInt()] = QPoint(c, r);
        QCOMPARE(int(cellOf.size()), game->frontPool);
        QCOMPARE(cellOf.rbegin()->first, game->frontPool);
        // No row without a number: the board is cut to the rows the pool fills.
        std::set<int> rowsUsed;
        for (const auto& [number, cell] : cellOf)
            rowsUsed.insert(cell.y());
        QCOMPARE(int(rowsUsed.size()), b.rowCount());
        if (sheet == 6) {
            // A cell is grey exactly when its row or its column holds no drawn number.
            std::set<int> drawnRows, drawnCols;
            for (int k = 0; k < game->frontPicks; ++k) {
                drawnRows.insert(cellOf.at(t.Red[k]).y());
                drawnCols.insert(cellOf.at(t.Red[k]).x());
            }
            for (int r = 0; r < b.rowCount(); ++r)
                for (int c = 0; c < b.colCount(); ++c)
                    if (!drawnRows.count(r) || !drawnCols.count(c))
                        QCOMPARE(b.GetCellColor(c, r), BoardShadeColor);
        }
        int backs[GameLimits::kMaxBackPicks];
        const int count = sheet == 12 ? backsOf(t, *game, backs) : 0;
        for (int k = 0; k < count; ++k) {
            const QPoint p = cellOf.at(backs[k]);
            QCOMPARE(b.GetCellColor(p.x(), p.y()), BoardBlueColor);
        }
        for (int k = 0; k < game->frontPicks; ++k) {
            const QPoint p = cellOf.at(t.Red[k]);
            const bool alsoBack = std::find(backs, backs + count, t.Red[k]) != backs + count;
            QCOMPARE(b.GetCellColor(p.x(), p.y()), alsoBack ? BoardBlueColor : BoardRedColor);
        }
    }
}

// A made-up super-lotto draw on every zone boundary: 12 | 13 .. 24 | 25 .. 35, backs 03 and 12.
void TestGameCharts::superLottoBoundaries() {
    const Game& g = Game::dlt();
    TDrawRec d{};
    d.Year = 2026;
    d.Issue = 95;
    d.Ticket = MakeGameTicket({12, 13, 24, 25, 35}, {3, 12});
    const TCodeArr h{d};

    const H2NetModel zones = FillZoneChart(h, 1, g);
    QCOMPARE(zones.GetValue(2, 6), QStringLiteral("03 12"));
    QCOMPARE((QStringList{zones.GetValue(2, 7), zones.GetValue(2, 8), zones.GetValue(2, 9)}),
             (QStringList{"01", "02", "02"}));
    QCOMPARE(zones.GetValue(2, zones.colsCount() - 1), QStringLiteral("01")); // 34 35
    QCOMPARE(zones.GetMerge(3).Text, QStringLiteral("3分区"));
    QCOMPARE(zones.GetMerge(1).Text, QStringLiteral("前区号码"));

    const H2NetModel backs = FillBackTrend(h, 1, g);
    QCOMPARE(backs.GetMerge(2).Text, QStringLiteral("后区分布"));
    QCOMPARE(backs.GetValue(2, 1 + 3), QStringLiteral("03"));
    QCOMPARE(backs.GetValue(2, 1 + 12), QStringLiteral("12"));
    // 3 odd and 12 even; both leave 0 mod 3; one in each half.
    const int oddCol = 2 + g.backPool;
    QCOMPARE(backs.GetValue(2, oddCol), QStringLiteral("J"));
    QCOMPARE(backs.GetValue(2, oddCol + 1), QStringLiteral("O"));
    QCOMPARE(backs.GetValue(2, oddCol + 2), QStringLiteral("▲▲"));
    QCOMPARE(backs.GetValue(2, oddCol + 5), QStringLiteral("▲"));
    QCOMPARE(backs.GetValue(2, oddCol + 6), QStringLiteral("▲"));

    const H2NetModel table = FillAnalysisTable(h, 1, g);
    const int first = g.frontPicks + 2;
    QCOMPARE(table.GetValue(2, first), QStringLiteral("109"));
    QCOMPARE(table.GetValue(2, first + 1), QStringLiteral("21")); // the average over five
    QCOMPARE(table.GetValue(2, first + 8), QStringLiteral("03")); // 24 25 35 are big
    QVERIFY(AnalysisExplanationLines(g).join(QString()).contains(QStringLiteral("所有前区的和数值/5")));

    QCOMPARE(FindChartSheet(9)->title(g), QStringLiteral("后区走势图"));
    QCOMPARE(FindChartSheet(7)->title(g), QStringLiteral("前区统计图"));
    QCOMPARE(GannCell(35), QPoint(4, 0));
}

// A made-up 七乐彩 draw on every zone boundary: 01 10 | 11 20 | 21 29 30, special number 15.
void TestGameCharts::sevenLuckBoundaries() {
    const Game& g = Game::qlc();
    TDrawRec d{};
    d.Year = 2026;
    d.Issue = 89;
    d.Ticket = ticketOf({1, 10, 11, 20, 21, 29, 30});
    d.Ticket.Special = 15;
    const TCodeArr h{d};

    const H2NetModel zones = FillZoneChart(h, 1, g);
    QCOMPARE(zones.GetValue(2, 8), QStringLiteral("15"));
    QCOMPARE((QStringList{zones.GetValue(2, 9), zones.GetValue(2, 10), zones.GetValue(2, 11)}),
             (QStringList{"02", "02", "03"}));
    QCOMPARE(zones.colsCount(), 12 + 10);
    QCOMPARE(zones.GetValue(2, zones.colsCount() - 1), QStringLiteral("02")); // 29 30
    QCOMPARE(zones.GetMerge(1).Text, QStringLiteral("基本号码"));
    QCOMPARE(zones.GetMerge(2).Text, QStringLiteral("特别号"));
    QCOMPARE(zones.GetMerge(4).Text, QStringLiteral("10分区"));

    const H2NetModel special = FillBackTrend(h, 1, g);
    QCOMPARE(special.GetValue(2, 1), QStringLiteral("15"));
    QCOMPARE(special.GetValue(2, 1 + 15), QStringLiteral("15"));
    QCOMPARE(special.GetMerge(2).Text, QStringLiteral("特别号分布"));
    QCOMPARE(special.GetMerge(9).Text, QStringLiteral("3分区"));
    // 15 is odd, leaves 0 mod 3, is in the lower half (1-15) and in the zone 11-20.
    const int oddCol = 2 + 30, halfCol = oddCol + 5, zoneCol = halfCol + 2;
    QCOMPARE(special.colsCount(), zoneCol + 3);
    QCOMPARE((QStringList{special.GetValue(1, halfCol), special.GetValue(1, halfCol + 1),
                          special.GetValue(1, zoneCol), special.GetValue(1, zoneCol + 1),
                          special.GetValue(1, zoneCol + 2)}),
             (QStringList{"1-15", "16-30", "1-10", "11-20", "21-30"}));
    QCOMPARE(special.GetValue(2, oddCol), QStringLiteral("J"));
    QCOMPARE(special.GetValue(2, oddCol + 2), QStringLiteral("▲"));
    QCOMPARE(special.GetValue(2, halfCol), QStringLiteral("▲"));
    QCOMPARE(special.GetValue(2, zoneCol + 1), QStringLiteral("▲"));

    const H2NetModel parity = FillOddEvenChart(h, 1, g);
    // Seven front pairs, then the special number's pair: J for 15; four of seven odd.
    const int pairCol = 9, countCol = pairCol + 2 * 8;
    QCOMPARE(parity.GetMerge(2 + 7).Text, QStringLiteral("第7位"));
    QCOMPARE(parity.GetMerge(3 + 7).Text, QStringLiteral("特别号"));
    QCOMPARE(parity.GetValue(2, pairCol + 14), QStringLiteral("J"));
    QCOMPARE(parity.GetValue(2, countCol), QStringLiteral("4"));
    QCOMPARE(parity.colsCount(), countCol + 9);
    QCOMPARE(parity.GetCellColor(2, pairCol + 12), parity.GetCellColor(2, pairCol)); // 7th front: 1st colour
    QCOMPARE(parity.GetCellColor(2, pairCol + 14), PositionColors[6]);               // the special: the blue's

    const H2NetModel table = FillAnalysisTable(h, 1, g);
    const int first = g.frontPicks + 2;
    QCOMPARE(table.GetValue(2, first - 1), QStringLiteral("15"));
    QCOMPARE(table.GetValue(2, first), QStringLiteral("122"));
    QCOMPARE(table.GetValue(2, first + 1), QStringLiteral("17")); // the average over seven
    QCOMPARE(table.GetValue(2, first + 8), QStringLiteral("04")); // 20 21 29 30 are big
    QCOMPARE(table.GetValue(2, first + 16), QStringLiteral("29")); // span
    const QString explanation = AnalysisExplanationLines(g).join(QString());
    QVERIFY(explanation.contains(QStringLiteral("所有基本号的和数值/7")));
    QVERIFY(explanation.contains(QStringLiteral("大于等于16")));

    const OmissionTables tables = FillOmission(h, 1, OmissionTableWidth, g);
    QCOMPARE(tables.red.FTitle, QStringLiteral("基本号分析表"));
    QCOMPARE(tables.blue.FTitle, QStringLiteral("特别号分析表"));
    QCOMPARE(tables.blue.GetValue(5, 15), QStringLiteral("1"));
    QCOMPARE(tables.blue.GetValue(5, 1), QStringLiteral("0"));

    const B0NetModel gann = GannBoard(d, 0, g);
    QCOMPARE(gann.rowCount(), 5);
    QCOMPARE(gann.GetValue(0, 0), QStringLiteral("30")); // the spiral's top row of 31.. is cut
    QCOMPARE(gann.GetValue(3, 2), QStringLiteral("1"));
    QCOMPARE(gann.GetCellColor(3, 0), BoardBlueColor);    // 15
    const B0NetModel rows = EmptyRowColBoard(d, 0, g);
    QCOMPARE(rows.rowCount(), 5);
    QCOMPARE(rows.GetValue(5, 4), QStringLiteral("30"));

    QCOMPARE(FindChartSheet(1)->title(g), QStringLiteral("基本号走势图"));
    QCOMPARE(FindChartSheet(9)->title(g), QStringLiteral("特别号走势图"));
    QCOMPARE(FindChartSheet(10)->title(g), QStringLiteral("特别号统计图"));
}

void TestGameCharts::measuresWithinTheirBounds_data() {
    addGameRows();
}

// The statistical table over the whole history: sum, big count, AC and span of every draw against
// the game's bounds and a count straight from the draw.
void TestGameCharts::measuresWithinTheirBounds() {
    QFETCH(const Game*, game);
    const TCodeArr& h = SampleHistoryOf(*game);
    const int n = int(h.size()), picks = game->frontPicks, first = picks + 2;
    const H2NetModel m = FillAnalysisTable(h, n, *game);
    int lowestSum = 1000, highestSum = 0;
    for (int i = 0; i < n; ++i) {
        const TCodeRec& t = h[h.size() - 1 - size_t(i)].Ticket;
        const int row = i + 2;
        int sum = 0, big = 0, small = 0;
        for (int k = 0; k < picks; ++k) {
            sum += t.Red[k];
            big += t.Red[k] > game->smallMax;
            small += t.Red[k] <= game->smallMax;
        }
        QCOMPARE(m.GetValue(row, first).toInt(), sum);
        QCOMPARE(m.GetValue(row, first + 8).toInt(), big);
        QCOMPARE(m.GetValue(row, first + 9).toInt(), small);
        const int ac = m.GetValue(row, first + 12).toInt(), span = m.GetValue(row, first + 16).toInt();
        QVERIFY(ac >= 0 && ac <= game->acMax());
        QVERIFY(span >= picks - 1 && span <= game->spanMax());
        lowestSum = std::min(lowestSum, sum);
        highestSum = std::max(highestSum, sum);
    }
    QVERIFY(lowestSum >= game->sumMin());
    QVERIFY(highestSum <= game->sumMax());
}

void TestGameCharts::explanationExamplesHoldTheirCounts_data() {
    addGameRows();
}

// The explanation's examples are draws of the game (its number of fronts) whose counts, as the
// line gives them, are the table's own measures of that draw.
void TestGameCharts::explanationExamplesHoldTheirCounts() {
    QFETCH(const Game*, game);
    const QStringList lines = AnalysisExplanationLines(*game);
    const auto measure = [&](const QString& head, int32_t (*count)(const TCodeRec&, const Game&)) {
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](const QString& l) { return l.contains(head + u'：'); });
        QVERIFY2(found != lines.end(), qPrintable(head));
        const QString line = found->mid(found->indexOf(head + u'：'));
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("例如：([0-9,，]+?)，?则.*?为(\\d+)")).match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        QList<int> numbers;
        for (const QString& part : m.captured(1).split(QRegularExpression(QStringLiteral("[,，]"))))
            numbers << part.toInt();
        QCOMPARE(int(numbers.size()), game->frontPicks);
        QCOMPARE(count(ticketOf(numbers), *game), m.captured(2).toInt());
    };
    measure(QStringLiteral("奇号连续"), OddStepCount);
    measure(QStringLiteral("偶号连续"), EvenStepCount);
    measure(QStringLiteral("连号个数"), RunNumberCount);
    measure(QStringLiteral("连号组数"), RunGroupCount);
}

namespace {

// A figures fixture read by hand: issue -> date, sales, pool, 一等奖 winners and amount, in fen (元 in
// the file), -1 for '-'.
struct FixtureDraw {
    QDate date;
    int64_t sales, pool, winners, amount;
};
std::map<int, FixtureDraw> readFixture(const QString& path) {
    std::map<int, FixtureDraw> draws;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return draws;
    // '-' or a negative figure: not known.
    const auto number = [](const QString& s, int64_t scale) -> int64_t {
        return s == u"-" || s.startsWith(u'-') ? -1 : s.toLongLong() * scale;
    };
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
        draws[f[0].toInt()] = {QDate::fromString(f[1], Qt::ISODate), number(f[2], 100), number(f[3], 100),
                               number(f[4], 1), number(f[5], 100)};
    }
    return draws;
}

} // namespace

void TestGameCharts::salesPoolFollowsTheFigures_data() {
    QTest::addColumn<const Game*>("game");
    QTest::addColumn<const Game*>("figuresOf");
    QTest::addColumn<int>("n"); // 0: every draw
    QTest::addColumn<bool>("gaps");
    // The two-colour ball's sample starts a year before its figures and ends a draw after them; the
    // super lotto's figures end before its sample does; 七乐彩 has no figures at all.
    QTest::newRow("ssq 100") << &Game::ssq() << &Game::ssq() << 100 << true;
    QTest::newRow("ssq all") << &Game::ssq() << &Game::ssq() << 0 << true;
    QTest::newRow("dlt 100") << &Game::dlt() << &Game::dlt() << 100 << true;
    QTest::newRow("dlt 500") << &Game::dlt() << &Game::dlt() << 500 << true;
    QTest::newRow("qlc 30") << &Game::qlc() << &Game::qlc() << 30 << true;
    QTest::newRow("dlt with ssq figures") << &Game::dlt() << &Game::ssq() << 100 << true;
}

// Every draw of the period carries its own figures straight from the file, or none at all (a gap,
// never a zero); the axes reach every value and share their grid lines.
void TestGameCharts::salesPoolFollowsTheFigures() {
    QFETCH(const Game*, game);
    QFETCH(const Game*, figuresOf);
    QFETCH(int, n);
    QFETCH(bool, gaps);
    const TCodeArr& h = SampleHistoryOf(*game);
    if (n == 0) n = int(h.size());
    const FiguresLoad load =
        LoadFigures(FiguresFixturePathOf(*figuresOf), *figuresOf, &SampleHistoryOf(*figuresOf));
    QVERIFY(load.status != FiguresLoad::Refused);
    const std::map<int, FixtureDraw> fixture =
        figuresOf == game ? readFixture(FiguresFixturePathOf(*game)) : std::map<int, FixtureDraw>();

    const SalesPoolChart chart = FillSalesPool(h, n, &load.table, *game);
    QCOMPARE(int(chart.points.size()), n);
    QCOMPARE(chart.firstTierName, QStringLiteral("一等奖"));
    int missing = 0, marks = 0;
    int64_t maxSales = 0, maxPool = 0;
    for (int i = 0; i < n; ++i) {
        const SalesPoolPoint& p = chart.points[size_t(i)];
        QCOMPARE(p.issue, h[h.size() - size_t(n) + size_t(i)].code());
        const auto it = fixture.find(p.issue);
        if (it == fixture.end()) {
            ++missing;
            QVERIFY(!p.hasFigures && !p.date.isValid());
            QCOMPARE(std::tuple(p.sales, p.pool, p.firstWinners, p.firstAmount), std::tuple(-1, -1, -1, -1));
            continue;
        }
        const FixtureDraw& d = it->second;
        QVERIFY(p.hasFigures);
        QCOMPARE(p.date, d.date);
        QCOMPARE(std::tuple(p.sales, p.pool, p.firstWinners, p.firstAmount),
                 std::tuple(d.sales, d.pool, d.winners, d.amount));
        marks += p.firstPrizeWon();
        maxSales = std::max(maxSales, d.sales);
        maxPool = std::max(maxPool, d.pool);
    }
    QCOMPARE(missing > 0, gaps);
    QCOMPARE(chart.drawsWithFigures(), n - missing);
    QCOMPARE(chart.note.isEmpty(), missing < n);
    if (missing < n) QVERIFY(marks > 0);
    if (missing == n) QVERIFY(chart.note.contains(game->nameText()));
    QVERIFY(chart.poolAxis.top() >= maxPool && chart.salesAxis.top() >= maxSales);
    QCOMPARE(chart.poolAxis.steps, chart.salesAxis.steps);
    QVERIFY(chart.poolAxis.steps <= 6);
    QCOMPARE(chart.toJson().value(QStringLiteral("draws")).toArray().size(), n);
}

QTEST_GUILESS_MAIN(TestGameCharts)
#include "tst_gamecharts.moc"
