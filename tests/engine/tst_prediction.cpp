#include "engine/core/KelvoraError.h"
#include "engine/history/Parser.h"
#include "engine/metrics/Code.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/predict/Prediction.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <functional>
#include <set>

Q_DECLARE_METATYPE(PredictKind)
Q_DECLARE_METATYPE(const Game*)

namespace {

TDrawRec draw(std::array<int, 6> reds, int blue) {
    TDrawRec d{2020, 1, MakeTicket(reds[0], reds[1], reds[2], reds[3], reds[4], reds[5]), 0};
    d.Ticket.Blue[blue - 1] = 1;
    return d;
}

TCodeArr repeated(int count, std::array<int, 6> reds, int blue) {
    return TCodeArr(size_t(count), draw(reds, blue));
}

// Red numbers of the last 20 draws ordered by hits, most first, ties by ascending number, restricted
// to the numbers in allowed: written independently of the engine's ranking.
QList<int> referenceRanking(const TCodeArr& h, const std::set<int>& allowed) {
    std::array<int, 34> hits{};
    for (size_t i = h.size() - 20; i < h.size(); ++i)
        for (int k = 0; k < 6; ++k)
            ++hits[h[i].Ticket.Red[k]];
    QList<int> numbers(allowed.begin(), allowed.end());
    std::stable_sort(numbers.begin(), numbers.end(), [&](int a, int b) { return hits[a] > hits[b]; });
    return numbers;
}

QList<int> referenceRankingOf(const TCodeArr& h, const std::set<int>& allowed, const Game& game) {
    std::array<int, 36> hits{};
    for (size_t i = h.size() - 20; i < h.size(); ++i)
        for (int k = 0; k < game.frontPicks; ++k)
            ++hits[size_t(h[i].Ticket.Red[k])];
    QList<int> numbers(allowed.begin(), allowed.end());
    std::stable_sort(numbers.begin(), numbers.end(),
                     [&](int a, int b) { return hits[size_t(a)] > hits[size_t(b)]; });
    return numbers;
}

QString pick(const QList<int>& ranking, const QList<int>& ranks) {
    QStringList parts;
    for (int r : ranks)
        parts << QString::number(ranking[r - 1]);
    return parts.join(QLatin1Char(','));
}

std::set<int> numbersWhere(bool (*pred)(int)) {
    std::set<int> s;
    for (int n = 1; n <= 33; ++n)
        if (pred(n)) s.insert(n);
    return s;
}

QList<int> numbersOf(const QString& text) {
    QList<int> out;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[ ,]")), Qt::SkipEmptyParts))
        out << part.toInt();
    return out;
}

// Every front ticket of the game in lexicographic order, each as its ascending numbers.
void forEachFrontTicket(const Game& game, const std::function<void(const QList<int>&)>& f) {
    QList<int> t;
    std::function<void(int)> next = [&](int from) {
        if (t.size() == game.frontPicks) return f(t);
        for (int n = from; n <= game.frontPool; ++n) {
            t << n;
            next(n + 1);
            t.removeLast();
        }
    };
    next(1);
}

void addGameRows(const std::function<void(const char*, const Game*)>& add) {
    add("ssq", &Game::ssq());
    add("dlt", &Game::dlt());
    add("qlc", &Game::qlc());
}

} // namespace

class TestPrediction : public QObject {
    Q_OBJECT

  private slots:
    void shortHistoryRefusesEveryCommand_data() {
        QTest::addColumn<PredictKind>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("compound") << PredictKind::Compound << "复式预测";
        QTest::newRow("single") << PredictKind::Single << "单注预测";
        QTest::newRow("banker") << PredictKind::Banker << "胆码推荐";
        QTest::newRow("cold") << PredictKind::Cold << "冷码推荐";
        QTest::newRow("odd") << PredictKind::Odd << "奇数推荐";
        QTest::newRow("even") << PredictKind::Even << "偶数推荐";
        QTest::newRow("zone") << PredictKind::Zone << "区间推荐";
    }
    void shortHistoryRefusesEveryCommand() {
        QFETCH(PredictKind, kind);
        QFETCH(QString, name);
        TCodeArr h(SampleHistory().end() - 20, SampleHistory().end());
        const TPredictResult ok = RunPredict(h, kind, Game::ssq());
        QVERIFY(!ok.lines.isEmpty());
        QCOMPARE(ok.statusText, QStringLiteral("完成 ") + name);
        QCOMPARE(ok.caption.has_value(), kind == PredictKind::Single);

        h.erase(h.begin());
        try {
            RunPredict(h, kind, Game::ssq());
            QFAIL("19 draws accepted");
        } catch (const KelvoraError& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("开奖数据期数少于统计分析需要的期数，无法继续完成智能预测功能！！"));
        }
    }

    void compoundWithEqualCounts() {
        // Only excluded numbers drawn: every competing number has 0 hits and ranks by its value.
        const QStringList lines = CombinePredict(repeated(20, {1, 2, 3, 4, 5, 7}, 1), Game::ssq());
        QCOMPARE(lines, (QStringList{
                            "复式预测(第1组):9+3个号",
                            "28 31 32 24 25 26 20 21 22+2 14 10",
                            "复式预测(第2组):10+3个号",
                            "23 24 25 26 27 28 29 30 31 32+11 1 3",
                            "复式预测(第3组):12+3个号",
                            "11 14 18 19 20 21 22 23 24 25 26 27+8 11 1",
                        }));
    }

    void compoundOnRealHistory() {
        const TCodeArr& h = SampleHistory();
        const QStringList lines = CombinePredict(h, Game::ssq());
        QCOMPARE(lines.size(), 6);
        const std::set<int> allowed{6,  8,  10, 11, 14, 18, 19, 20, 21, 22,
                                    23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
        const QList<int> redRank = referenceRanking(h, allowed);
        const QList<int> groups[3] = {{16, 19, 20, 12, 13, 14, 8, 9, 10},
                                      {11, 12, 13, 14, 15, 16, 17, 18, 19, 20},
                                      {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}};
        for (int g = 0; g < 3; ++g) {
            const QStringList parts = lines[g * 2 + 1].split(QLatin1Char('+'));
            QCOMPARE(parts.size(), 2);
            QCOMPARE(parts[0], pick(redRank, groups[g]).replace(QLatin1Char(','), QLatin1Char(' ')));
            QVERIFY2(!parts.join(' ').contains(QRegularExpression(QStringLiteral("(^|\\s)0"))),
                     qPrintable(lines[g]));
            const QStringList blues = parts[1].split(QLatin1Char(' '));
            QCOMPARE(blues.size(), 3);
            if (g == 0) QCOMPARE(blues[0], QStringLiteral("2"));
            if (g == 1) {
                QVERIFY(blues.contains("1"));
                QVERIFY(blues.contains("3"));
            }
            if (g == 2) QVERIFY(blues.contains("1"));
        }
    }

    void singlePrediction() {
        const TCodeArr& h = SampleHistory();
        const TSinglePrediction result = SinglePredict(h, Game::ssq());
        QCOMPARE(result.kept, int64_t(1080436));
        QCOMPARE(result.lines.size(), 806);

        // The expected picks, computed without the engine's walk: the kept tickets in
        // lexicographic order, the j-th pick of a batch being kept ordinal 1 + j * (step - 1).
        const QList<int> ranking = referenceRanking(h, numbersWhere([](int) { return true; }));
        std::array<bool, 34> rare{};
        for (int r = 20; r <= 33; ++r)
            rare[ranking[r - 1]] = true;
        std::vector<std::array<int, 6>> kept;
        for (int a = 1; a <= 28; ++a)
            for (int b = a + 1; b <= 29; ++b)
                for (int c = b + 1; c <= 30; ++c)
                    for (int d = c + 1; d <= 31; ++d)
                        for (int e = d + 1; e <= 32; ++e)
                            for (int f = e + 1; f <= 33; ++f)
                                if (rare[a] || rare[b] || rare[c] || rare[d] || rare[e] || rare[f])
                                    kept.push_back({a, b, c, d, e, f});
        QCOMPARE(int64_t(kept.size()), result.kept);

        int line = 0;
        const std::pair<int, int> batches[] = {{100, 1080301}, {200, 1080201}, {500, 1079501}};
        for (auto [n, lastOrdinal] : batches) {
            QCOMPARE(result.lines[line++], QStringLiteral("单注预测(%1注):").arg(n));
            const int step = int(result.kept / n);
            QCOMPARE(1 + n * (step - 1), lastOrdinal);
            for (int j = 1; j <= n; ++j) {
                const auto& t = kept[size_t(j * (step - 1))];
                const QString expected =
                    QString::asprintf("%02d %02d %02d %02d %02d %02d", t[0], t[1], t[2], t[3], t[4], t[5]);
                if (result.lines[line] != expected)
                    QFAIL(qPrintable(QStringLiteral("batch %1 pick %2: %3, expected %4")
                                         .arg(n)
                                         .arg(j)
                                         .arg(result.lines[line], expected)));
                ++line;
            }
            QCOMPARE(result.lines[line++], QString());
        }
        QCOMPARE(line, 806);
        QCOMPARE(SinglePredict(h, Game::ssq()).lines, result.lines);
    }

    void spreadPicks_data() {
        QTest::addColumn<QByteArray>("flags"); // '1' = kept
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("picks");
        QTest::newRow("each walk counts the last pick again")
            << QByteArray("101101") << 4 << 2 << QList<int>{2, 3};
        QTest::newRow("unkept start") << QByteArray("0011100111") << 6 << 3 << QList<int>{3, 4, 7};
        QTest::newRow("step 1 stays on the first kept") << QByteArray("0101") << 2 << 2 << QList<int>{1, 1};
        QTest::newRow("across blocks")
            << (QByteArray(40, '0') + QByteArray(40, '1') + QByteArray(30, '0') + "1") << 41 << 1
            << QList<int>{110};
        QTest::newRow("walk reaches the end") << QByteArray("1111") << 12 << 2 << QList<int>{};
        QTest::newRow("ends mid-batch") << QByteArray("11111") << 9 << 3 << QList<int>{2, 4};
        QTest::newRow("fewer kept than picks") << QByteArray("11") << 2 << 3 << QList<int>{};
        QTest::newRow("empty list") << QByteArray() << 0 << 100 << QList<int>{};
    }
    void spreadPicks() {
        QFETCH(QByteArray, flags);
        QFETCH(int, kept);
        QFETCH(int, n);
        QFETCH(QList<int>, picks);
        std::vector<uint8_t> keptFlags;
        for (char c : flags)
            keptFlags.push_back(c == '1');
        const std::vector<size_t> got = SpreadPicks(keptFlags, kept, n);
        QCOMPARE(QList<int>(got.begin(), got.end()), picks);
    }

    void recommendersWithEqualCounts_data() {
        QTest::addColumn<PredictKind>("kind");
        QTest::addColumn<QList<int>>("drawn"); // six numbers outside the competing set
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("banker") << PredictKind::Banker << QList<int>{1, 2, 3, 4, 5, 6}
                                << QStringList{"胆码推荐(第1组)3个号", "25,28,31",
                                               "胆码推荐(第2组)4个号", "27,28,29,30",
                                               "胆码推荐(第3组)5个号", "29,31,32,33,30"};
        QTest::newRow("cold") << PredictKind::Cold << QList<int>{18, 19, 20, 21, 22, 23}
                              << QStringList{"冷码推荐(第1组)3个号", "8,11,14",
                                             "冷码推荐(第2组)4个号", "10,11,12,13",
                                             "冷码推荐(第3组)5个号", "12,14,15,16,13"};
        QTest::newRow("odd") << PredictKind::Odd << QList<int>{2, 4, 6, 8, 10, 12}
                             << QStringList{"奇数推荐(第1组)3个号", "15,17,19",
                                            "奇数推荐(第2组)4个号", "19,21,23,25",
                                            "奇数推荐(第3组)5个号", "25,27,29,31,33"};
        QTest::newRow("even") << PredictKind::Even << QList<int>{1, 3, 5, 7, 9, 11}
                              << QStringList{"偶数推荐(第1组)3个号", "16,18,20",
                                             "偶数推荐(第2组)4个号", "20,22,24,26",
                                             "偶数推荐(第3组)5个号", "24,28,30,32,26"};
        // Zones: 1, 12, 13 and 23 drawn, so each zone's rarest three are its largest numbers.
        QTest::newRow("zone") << PredictKind::Zone << QList<int>{1, 2, 12, 13, 23, 24}
                              << QStringList{"区间推荐(01-11)3个号", "9,10,11",
                                             "区间推荐(12-22)3个号", "20,21,22",
                                             "区间推荐(23-33)3个号", "31,32,33"};
    }
    void recommendersWithEqualCounts() {
        QFETCH(PredictKind, kind);
        QFETCH(QList<int>, drawn);
        QFETCH(QStringList, expected);
        const TCodeArr h = repeated(20, {drawn[0], drawn[1], drawn[2], drawn[3], drawn[4], drawn[5]}, 5);
        QCOMPARE(RunPredict(h, kind, Game::ssq()).lines, expected);
    }

    void recommendersOnRealHistory_data() {
        QTest::addColumn<PredictKind>("kind");
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<int>>("competing");
        QTest::addColumn<QList<int>>("ranks");
        const auto list = [](bool (*pred)(int)) {
            const std::set<int> s = numbersWhere(pred);
            return QList<int>(s.begin(), s.end());
        };
        const QList<int> high = list([](int n) { return n >= 18; });
        const QList<int> low = list([](int n) { return n <= 17; });
        const QList<int> odd = list([](int n) { return n % 2 == 1; });
        const QList<int> even = list([](int n) { return n % 2 == 0; });
        const QList<int> g1{8, 11, 14}, g2{10, 11, 12, 13}, g3{12, 14, 15, 16, 13};
        QTest::newRow("banker 1") << PredictKind::Banker << 0 << high << g1;
        QTest::newRow("banker 3") << PredictKind::Banker << 2 << high << g3;
        QTest::newRow("cold 2") << PredictKind::Cold << 1 << low << g2;
        QTest::newRow("cold 3") << PredictKind::Cold << 2 << low << g3;
        QTest::newRow("odd 1") << PredictKind::Odd << 0 << odd << QList<int>{8, 9, 10};
        QTest::newRow("odd 3") << PredictKind::Odd << 2 << odd << QList<int>{13, 14, 15, 16, 17};
        QTest::newRow("even 2") << PredictKind::Even << 1 << even << g2;
        QTest::newRow("even 3") << PredictKind::Even << 2 << even << g3;
        for (int z = 0; z < 3; ++z) {
            QList<int> zone;
            for (int n = z * 11 + 1; n <= z * 11 + 11; ++n)
                zone << n;
            QTest::addRow("zone %d", z + 1) << PredictKind::Zone << z << zone << QList<int>{9, 10, 11};
        }
    }
    void recommendersOnRealHistory() {
        QFETCH(PredictKind, kind);
        QFETCH(int, group);
        QFETCH(QList<int>, competing);
        QFETCH(QList<int>, ranks);
        const TCodeArr& h = SampleHistory();
        const QStringList lines = RunPredict(h, kind, Game::ssq()).lines;
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines[group * 2].endsWith(QStringLiteral("%1个号").arg(ranks.size())));
        QVERIFY(!lines[group * 2].contains(QLatin1Char(':')));
        QCOMPARE(lines[group * 2 + 1],
                 pick(referenceRanking(h, std::set<int>(competing.begin(), competing.end())), ranks));
    }

    // The recommenders over each game's own history: groups of three, four and five numbers of the
    // competing set, and the third group reaching as near the set's rarest end as the two-colour
    // ball's does (its last number for the big, odd and even sets, the one before for the cold).
    void recommendersOfEveryGame_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<PredictKind>("kind");
        for (const Game* game : Game::all())
            for (PredictKind kind : {PredictKind::Banker, PredictKind::Cold, PredictKind::Odd, PredictKind::Even})
                QTest::addRow("%s %s", game->key, qPrintable(PredictCommandName(kind))) << game << kind;
    }
    void recommendersOfEveryGame() {
        QFETCH(const Game*, game);
        QFETCH(PredictKind, kind);
        std::set<int> competing;
        for (int n = 1; n <= game->frontPool; ++n)
            if ((kind == PredictKind::Banker && n > game->smallMax) ||
                (kind == PredictKind::Cold && n <= game->smallMax) || (kind == PredictKind::Odd && n % 2) ||
                (kind == PredictKind::Even && n % 2 == 0))
                competing.insert(n);
        const TCodeArr& h = SampleHistoryOf(*game);
        const QList<int> ranking = referenceRankingOf(h, competing, *game);
        const QStringList lines = RunPredict(h, kind, *game).lines;
        QCOMPARE(lines.size(), 6);
        for (int g = 0; g < 3; ++g) {
            const QList<int> numbers = numbersOf(lines[g * 2 + 1]);
            QCOMPARE(numbers.size(), 3 + g);
            QVERIFY(lines[g * 2].endsWith(QStringLiteral("%1个号").arg(3 + g)));
            int rarest = 0;
            for (int n : numbers) {
                QVERIFY2(competing.count(n), qPrintable(lines[g * 2 + 1]));
                rarest = std::max(rarest, int(ranking.indexOf(n)) + 1);
            }
            if (g == 2) QCOMPARE(rarest, int(competing.size()) - (kind == PredictKind::Cold ? 1 : 0));
        }
    }

    // Every command over each game's own history: fronts of 1..pool, backs of 1..backPool, compound
    // groups that are playable compound tickets of the game, zones of the game.
    void everyCommandStaysInTheGamesPools_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<PredictKind>("kind");
        const std::pair<const char*, PredictKind> kinds[] = {
            {"compound", PredictKind::Compound}, {"single", PredictKind::Single},
            {"banker", PredictKind::Banker},     {"cold", PredictKind::Cold},
            {"odd", PredictKind::Odd},           {"even", PredictKind::Even},
            {"zone", PredictKind::Zone}};
        addGameRows([&](const char* key, const Game* game) {
            for (auto [name, kind] : kinds)
                QTest::addRow("%s %s", key, name) << game << kind;
        });
    }
    void everyCommandStaysInTheGamesPools() {
        QFETCH(const Game*, game);
        QFETCH(PredictKind, kind);
        const TCodeArr& h = SampleHistoryOf(*game);
        const QStringList lines = RunPredict(h, kind, *game).lines;
        QCOMPARE(lines.size(), kind == PredictKind::Single ? 806 : 6);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString& line = lines[i];
            if (line.isEmpty() || line.contains(QStringLiteral("预测")) ||
                line.contains(QStringLiteral("推荐")))
                continue;
            const QStringList parts = line.split(QLatin1Char('+'));
            const QList<int> fronts = numbersOf(parts[0]);
            QCOMPARE(std::set<int>(fronts.begin(), fronts.end()).size(), size_t(fronts.size()));
            for (int n : fronts)
                QVERIFY2(n >= 1 && n <= game->frontPool, qPrintable(line));
            if (kind == PredictKind::Compound && game->backPicks == 0) {
                // One pool: a compound ticket of numbers alone.
                QCOMPARE(parts.size(), 1);
                QVERIFY(fronts.size() > game->frontPicks);
            } else if (kind == PredictKind::Compound) {
                QCOMPARE(parts.size(), 2);
                QVERIFY(fronts.size() > game->frontPicks);
                const QList<int> backs = numbersOf(parts[1]);
                QVERIFY(backs.size() >= game->backPicks);
                QCOMPARE(std::set<int>(backs.begin(), backs.end()).size(), size_t(backs.size()));
                for (int b : backs)
                    QVERIFY2(b >= 1 && b <= game->backPool, qPrintable(line));
            } else {
                QCOMPARE(parts.size(), 1);
            }
            if (kind == PredictKind::Single) {
                QCOMPARE(fronts.size(), game->frontPicks);
                QVERIFY(std::is_sorted(fronts.begin(), fronts.end()));
            }
            if (kind == PredictKind::Zone) {
                const int zone = int(i / 2);
                QCOMPARE(lines[i - 1], QStringLiteral("区间推荐(%1)3个号").arg(game->zoneCaption(zone)));
                for (int n : fronts)
                    QCOMPARE(game->zoneOf(n), zone);
            }
        }
    }

    // The single prediction of the super lotto against every front ticket listed by brute force.
    void superLottoSinglePrediction() {
        const Game& game = Game::dlt();
        const TCodeArr& h = DltSampleHistory();
        const TSinglePrediction result = SinglePredict(h, game);
        std::set<int> all;
        for (int n = 1; n <= 35; ++n)
            all.insert(n);
        const QList<int> ranking = referenceRankingOf(h, all, game);
        std::array<bool, 36> rare{};
        for (int r = 22; r <= 35; ++r)
            rare[size_t(ranking[r - 1])] = true;
        QStringList kept;
        forEachFrontTicket(game, [&](const QList<int>& t) {
            if (std::any_of(t.begin(), t.end(), [&](int n) { return rare[size_t(n)]; }))
                kept << QString::asprintf("%02d %02d %02d %02d %02d", t[0], t[1], t[2], t[3], t[4]);
        });
        QCOMPARE(result.kept, int64_t(324632 - 20349));
        QCOMPARE(int64_t(kept.size()), result.kept);
        QStringList expected;
        for (int n : {100, 200, 500}) {
            expected << QStringLiteral("单注预测(%1注):").arg(n);
            const int step = int(result.kept / n);
            for (int j = 1; j <= n; ++j)
                expected << kept[j * (step - 1)];
            expected << QString();
        }
        QCOMPARE(result.lines, expected);
    }

    // The backtest over each game: the game's JSON keys, hits counted against the draw (the super
    // lotto's two backs can both be hit) and the chance baselines of the game's pools.
    void backtestBaselinesOfTheGame_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<PredictKind>("kind");
        addGameRows([](const char* key, const Game* game) {
            QTest::addRow("%s compound", key) << game << PredictKind::Compound;
            QTest::addRow("%s single", key) << game << PredictKind::Single;
        });
    }
    void backtestBaselinesOfTheGame() {
        QFETCH(const Game*, game);
        QFETCH(PredictKind, kind);
        const int draws = 300;
        const TCodeArr& h = SampleHistoryOf(*game);
        const QJsonObject o =
            PredictBacktestJson(RunPredictBacktest(h, kind, draws, *game), QStringLiteral("k"));
        QCOMPARE(o.value("game").toString(), game->keyText());
        const QJsonArray rows = o.value("rows").toArray();
        QCOMPARE(rows.size(), draws);
        const QJsonArray summary = o.value("summary").toObject().value("groups").toArray();
        QCOMPARE(summary.size(), 3);
        const QString fronts = game->jsonFronts;
        const QString frontHits = game->jsonFrontHits;
        const QString capitalHits = frontHits.left(1).toUpper() + frontHits.mid(1);
        const int picks = game->frontPicks;
        if (kind == PredictKind::Single) {
            const QJsonObject first = summary[0].toObject();
            const QJsonArray expected = first.value("expectedCounts").toArray();
            QCOMPARE(expected.size(), picks + 1);
            QCOMPARE(
                rows[0].toObject().value("groups").toArray()[0].toObject().value("counts").toArray().size(),
                picks + 1);
            // Any one ticket hits all picks with chance 1 / C(pool, picks).
            QCOMPARE(expected[picks].toDouble() * game->frontTickets(), 100.0);
            return;
        }
        int backHitsSeen[3] = {};
        int specialHitsSeen = 0;
        for (int g = 0; g < 3; ++g) {
            double frontSum = 0, backSum = 0, specialSum = 0;
            for (qsizetype r = 0; r < rows.size(); ++r) {
                const TCodeRec& draw = h[h.size() - size_t(draws) + size_t(r)].Ticket;
                const TCodeArr before(h.end() - draws + r - 20, h.end() - draws + r);
                const QStringList parts = RunPredict(before, kind, *game).lines[g * 2 + 1].split('+');
                QCOMPARE(parts.size(), game->backPicks ? 2 : 1);
                int fh = 0, bh = 0;
                bool special = false;
                for (int n : numbersOf(parts[0])) {
                    fh += std::count(draw.Red, draw.Red + picks, n);
                    special = special || (game->specialPicks && n == draw.Special);
                }
                for (int b : numbersOf(parts.value(1)))
                    bh += draw.Blue[b - 1];
                const QJsonObject e = rows[r].toObject().value("groups").toArray()[g].toObject();
                QCOMPARE(e.value(frontHits).toInt(), fh);
                if (game->backPicks == 1)
                    QCOMPARE(e.value("blueHit").toBool(), bh == 1);
                else if (game->backPicks)
                    QCOMPARE(e.value("backHits").toInt(), bh);
                else // no back keys for a game of one pool
                    QCOMPARE(e.size(), e.contains("specialHit") ? 3 : 2);
                if (game->specialPicks) QCOMPARE(e.value("specialHit").toBool(), special);
                ++backHitsSeen[bh];
                frontSum += fh;
                backSum += bh;
                specialSum += special;
                specialHitsSeen += special;
            }
            const QJsonObject s = summary[g].toObject();
            const int k = s.value(fronts).toInt();
            QCOMPARE(s.value("expected" + capitalHits).toDouble(), double(picks) * k / game->frontPool);
            QCOMPARE(s.value("mean" + capitalHits).toDouble(), frontSum / draws);
            if (game->backPicks) {
                const bool oneBack = game->backPicks == 1;
                const int b = s.value(game->jsonBacks).toInt();
                QCOMPARE(s.value(oneBack ? "expectedBlueHitRate" : "expectedBackHits").toDouble(),
                         double(game->backPicks) * b / game->backPool);
                QCOMPARE(s.value(oneBack ? "blueHitRate" : "meanBackHits").toDouble(), backSum / draws);
            }
            if (game->specialPicks) {
                // The special number is one of the pool's: k numbers at random hold it k times in pool.
                QCOMPARE(s.value("expectedSpecialHitRate").toDouble(), double(k) / game->frontPool);
                QCOMPARE(s.value("specialHitRate").toDouble(), specialSum / draws);
            }
        }
        QCOMPARE(backHitsSeen[2] > 0, game->backPicks == 2);
        QCOMPARE(specialHitsSeen > 0, game->specialPicks > 0);
    }
};

QTEST_GUILESS_MAIN(TestPrediction)
#include "tst_prediction.moc"
