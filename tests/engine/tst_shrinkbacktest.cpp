#include "engine/history/Parser.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/shrink/Backtest.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ConditionSet.h"
#include "engine/shrink/Conditions.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <numeric>

Q_DECLARE_METATYPE(const Game*)

namespace {

double choose(int n, int k) {
    double r = 1;
    for (int j = 1; j <= k; ++j)
        r = r * (n - k + j) / j;
    return r;
}

// Tickets with k of their six reds in a set of m numbers.
double hyper(int m, int k) {
    return choose(m, k) * choose(33 - m, 6 - k);
}

} // namespace

class TestShrinkBacktest : public QObject {
    Q_OBJECT
  private slots:
    void ticketShares_data();
    void ticketShares();
    void sharesAgreeWithTheEvaluator();
    void toleranceKept_data();
    void toleranceKept();
    void chanceVerdicts_data();
    void chanceVerdicts();
    void inSampleWarning_data();
    void inSampleWarning();
    void everyGame_data();
    void everyGame();
};

// The share of all tickets passing one condition alone, against the count worked out by hand.
void TestShrinkBacktest::ticketShares_data() {
    QTest::addColumn<QByteArray>("set");
    QTest::addColumn<int>("condition");
    QTest::addColumn<double>("tickets");
    const double all = TicketCount;
    QTest::newRow("ten candidates") << QByteArray(R"({"candidates":"1,2,3,4,5,6,7,8,9,10"})")
                                    << int(CandidatesCondition) << choose(10, 6);
    QTest::newRow("three odd") << QByteArray(R"({"odd-even":"3"})") << int(OddEvenCondition) << hyper(17, 3);
    QTest::newRow("two or three big")
        << QByteArray(R"({"big-small":"2,3"})") << int(BigSmallCondition) << hyper(16, 2) + hyper(16, 3);
    QTest::newRow("none of the newest draw")
        << QByteArray(R"({"repeats":"0"})") << int(RepeatsCondition) << choose(27, 6);
    QTest::newRow("three excluded") << QByteArray(R"({"exclude":"1,2,3"})") << int(ExcludedNumbersCondition)
                                    << choose(30, 6);
    QTest::newRow("smallest at least 5")
        << QByteArray(R"({"min-code":"5"})") << int(MinCodeCondition) << choose(29, 6);
    QTest::newRow("both required") << QByteArray(R"({"require":"1,2"})") << int(RequiredNumbersCondition)
                                   << choose(31, 4);
    QTest::newRow("hit row") << QByteArray(R"({"hit":["1,2,3,4,5,6,7,8,9,10,11:2,3"]})")
                             << int(HitRowsCondition) << hyper(11, 2) + hyper(11, 3);
    QTest::newRow("full sum range") << QByteArray("{}") << int(SumRangeCondition) << all;
    QTest::newRow("inactive") << QByteArray(R"({"odd-even":"3"})") << int(SpanCondition) << all;
}

void TestShrinkBacktest::ticketShares() {
    QFETCH(QByteArray, set);
    QFETCH(int, condition);
    QFETCH(double, tickets);
    const ShrinkBacktest b =
        RunShrinkBacktest(ReadConditionSet(set, Game::ssq()), SampleHistory(), 50, Game::ssq());
    QCOMPARE(qRound(b.ticketShare[size_t(condition)] * TicketCount), qRound(tickets));
}

// Every condition active at once: each share is what the shared evaluator says of every ticket.
void TestShrinkBacktest::sharesAgreeWithTheEvaluator() {
    const ShrinkInput in = ReadConditionSet(
        R"({"candidates":"1,2,3,5,7,8,11,13,15,17,19,22,24,26,28,29,31,33","sum-min":"60","sum-max":"150",)"
        R"("exclude-sums":"80,90,100","odd-even":"2,3,4","repeats":"0,1","link":"has","link-runs":"0,1",)"
        R"("tail-min":"1","tail-max":"8","exclude-tails":"5","exclude":"4,9","require":"13","big-small":"2,3,4",)"
        R"("max-code":"30","min-code":"2","span":"15,30","zones":"2,-,1","mod3":"1,2,-","ac":"6,10",)"
        R"("hit":["1,2,3,4,5,6,7,8,9,10,11:1,2,3","20,21,22,23,24:0,1"]})",
        Game::ssq());
    const ShrinkConditions conditions(in, Game::ssq());
    QCOMPARE(conditions.active(), AllConditions);
    const TCodeRec& newest = SampleHistory().back().Ticket;
    std::array<int, ConditionCount> failing{};
    TCodeRec t{};
    int red[6] = {1, 2, 3, 4, 5, 6};
    for (int k = 5; k >= 0;) {
        for (int j = 0; j < 6; ++j)
            t.Red[j] = uint8_t(red[j]);
        const ConditionMask failed = conditions.failed(t, &newest);
        for (int c = 0; c < ConditionCount; ++c)
            failing[size_t(c)] += (failed >> c) & 1;
        for (k = 5; k >= 0 && red[k] == 28 + k; --k) {
        }
        if (k >= 0) {
            ++red[k];
            for (int j = k + 1; j < 6; ++j)
                red[j] = red[j - 1] + 1;
        }
    }
    const std::array<double, ConditionCount> shares = ConditionTicketShares(conditions, &newest);
    for (int c = 0; c < ConditionCount; ++c)
        QCOMPARE(qRound((1 - shares[size_t(c)]) * TicketCount), failing[size_t(c)]);
}

// What the set as configured keeps follows its 容错, in the sheet's and the CLI's report alike.
void TestShrinkBacktest::toleranceKept_data() {
    QTest::addColumn<int>("tolerance");
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
}

void TestShrinkBacktest::toleranceKept() {
    QFETCH(int, tolerance);
    ShrinkInput in = ReadConditionSet(R"({"odd-even":"2,3,4","link":"none","big-small":"2,3,4","ac":"7,10",)"
                                      R"("span":"18,30"})",
                                      Game::ssq());
    in.tolerance = tolerance;
    const ShrinkBacktest b = RunShrinkBacktest(in, SampleHistory(), 100, Game::ssq());
    int kept = 0;
    for (const ShrinkBacktestRow& r : b.rows)
        kept += !(r.failed & 1) && ConditionCountIn(r.failed) <= tolerance;
    QCOMPARE(b.toleranceKept, kept);
    const QString line = QStringLiteral("按当前条件（容错%1）保留：%2期").arg(tolerance).arg(kept);
    QVERIFY2(ShrinkBacktestText(b).join('\n').contains(line), qPrintable(line));
    QVERIFY(ToleranceDistributionText(b).contains(QStringLiteral("容错%1: %2期").arg(tolerance).arg(kept)));
    const QJsonObject json = ShrinkBacktestJson(b);
    QCOMPARE(json.value("kept").toInt(), b.kept);
    if (tolerance > 0) {
        QVERIFY(kept > b.kept);
        QCOMPARE(json.value("toleranceKept").toInt(), kept);
    }
}

// Three standard errors decide; what lies within them is said to be within chance.
void TestShrinkBacktest::chanceVerdicts_data() {
    QTest::addColumn<int>("passed");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("prediction");
    // 100 draws against a share of 18.8%: one standard error is 3.9 points.
    QTest::newRow("27 of 100") << 27 << "不比随机好"
                               << "差异在随机波动之内";
    QTest::newRow("32 of 100") << 32 << "好于随机"
                               << "好于随机";
    QTest::newRow("10 of 100") << 10 << "不比随机好"
                               << "差异在随机波动之内";
    QTest::newRow("6 of 100") << 6 << "差于随机"
                              << "差于随机";
}

void TestShrinkBacktest::chanceVerdicts() {
    QFETCH(int, passed);
    QFETCH(QString, condition);
    QFETCH(QString, prediction);
    ShrinkBacktest b;
    b.rows.resize(100);
    b.active = ConditionMask(1) << OddEvenCondition;
    b.passed.fill(100);
    b.passed[OddEvenCondition] = passed;
    b.ticketShare.fill(1.0);
    b.ticketShare[OddEvenCondition] = 0.188;
    QCOMPARE(ConditionChanceText(b, OddEvenCondition), condition);
    QCOMPARE(ConditionChanceText(b, SpanCondition), QString());
    const double error = std::sqrt(0.188 * 0.812 / 100);
    QCOMPARE(ChanceVerdictText(CompareWithChance(passed / 100.0, 0.188, error)), prediction);
}

// Candidates picked from the very draws tested catch them far beyond chance and are named as an
// in-sample test; the same picking from earlier draws, or a plain set, is not.
void TestShrinkBacktest::inSampleWarning_data() {
    QTest::addColumn<int>("from"); // the first of the 100 draws the hottest twelve are taken from; -1 none
    QTest::addColumn<bool>("warned");
    const int tested = int(SampleHistory().size()) - 100;
    QTest::newRow("hottest of the tested draws") << tested << true;
    QTest::newRow("hottest of the draws before") << tested - 100 << false;
    QTest::newRow("01 to 12") << -1 << false;
}

void TestShrinkBacktest::inSampleWarning() {
    QFETCH(int, from);
    QFETCH(bool, warned);
    ShrinkInput in;
    if (from < 0) {
        std::fill_n(in.candidates.begin(), 12, true);
    } else {
        std::array<int, 34> count{};
        for (int i = from; i < from + 100; ++i)
            for (int k = 0; k < 6; ++k)
                ++count[SampleHistory()[size_t(i)].Ticket.Red[k]];
        std::vector<int> numbers(33);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::stable_sort(numbers.begin(), numbers.end(), [&](int a, int b) { return count[a] > count[b]; });
        for (int k = 0; k < 12; ++k)
            in.candidates[size_t(numbers[size_t(k)] - 1)] = true;
    }
    const ShrinkBacktest b = RunShrinkBacktest(in, SampleHistory(), 100, Game::ssq());
    QCOMPARE(b.candidates, 12);
    QCOMPARE(b.inSample(), warned);
    const QString text = ShrinkBacktestText(b).join('\n');
    QCOMPARE(text.contains(QStringLiteral("样本内验证")), warned);
    if (from < 0) QVERIFY(qAbs(b.candidateHits - b.candidateHitsExpected) < 3 * b.candidateHitsSd);
}

void TestShrinkBacktest::everyGame_data() {
    QTest::addColumn<const Game*>("game");
    for (const Game* game : Game::all())
        QTest::newRow(game->key) << game;
}

// Every condition active over each game: each ticket share is what the shared evaluator says of every
// front ticket of the game, and each draw is judged by its own fronts (七乐彩's seven basic numbers;
// its special number is no pick): the hit row counted here straight from them.
void TestShrinkBacktest::everyGame() {
    QFETCH(const Game*, game);
    const Game& gm = *game;
    const int picks = gm.frontPicks;
    ShrinkInput in = ShrinkInput::resetFor(gm);
    std::fill_n(in.candidates.begin(), gm.frontPool - 1, true);
    in.sumMin = gm.sumMin() + 10;
    in.sumMax = gm.sumMax() - 10;
    in.excludeSums = QStringLiteral("100");
    for (int k = 1; k < picks; ++k)
        in.oddEven[size_t(k)] = in.bigSmall[size_t(k)] = true;
    in.repeats = {true, true, true};
    in.linkIndex = 0;
    in.linkRuns = {true, true};
    in.tailMin = 1;
    in.tailMax = 8;
    in.excludeTails = QStringLiteral("5");
    in.excludeNumbers = QStringLiteral("3");
    in.requireNumbers = QStringLiteral("13");
    in.maxCode = gm.frontPool - 1;
    in.minCode = 2;
    in.spanMin = 10;
    in.spanMax = gm.spanMax() - 1;
    in.zones = {-1, 2, -1};
    in.mod3 = {2, -1, -1};
    in.acMin = 2;
    in.acMax = gm.acMax();
    const int hitItems[] = {2, 3};
    in.hitRows[0].list = QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15");
    for (int h : hitItems)
        in.hitRows[0].items[size_t(h)] = true;
    const ShrinkConditions conditions(in, gm);
    QCOMPARE(conditions.active(), AllConditions);

    const TCodeArr& history = SampleHistoryOf(gm);
    const TCodeRec& newest = history.back().Ticket;
    std::array<int, ConditionCount> failing{};
    std::vector<int> red(size_t(picks), 0);
    std::iota(red.begin(), red.end(), 1);
    for (int k = picks - 1; k >= 0;) {
        TCodeRec t{};
        for (int j = 0; j < picks; ++j)
            t.Red[j] = uint8_t(red[size_t(j)]);
        const ConditionMask failed = conditions.failed(t, &newest);
        for (int c = 0; c < ConditionCount; ++c)
            failing[size_t(c)] += (failed >> c) & 1;
        for (k = picks - 1; k >= 0 && red[size_t(k)] == gm.frontPool - picks + 1 + k; --k) {
        }
        if (k >= 0) {
            ++red[size_t(k)];
            for (int j = k + 1; j < picks; ++j)
                red[size_t(j)] = red[size_t(j - 1)] + 1;
        }
    }
    const std::array<double, ConditionCount> shares = ConditionTicketShares(conditions, &newest);
    for (int c = 0; c < ConditionCount; ++c)
        QCOMPARE(qRound((1 - shares[size_t(c)]) * gm.frontTickets()), failing[size_t(c)]);

    const int draws = 200;
    const ShrinkBacktest b = RunShrinkBacktest(in, history, draws, gm);
    const QJsonArray rows = ShrinkBacktestJson(b).value("rows").toArray();
    QCOMPARE(rows.size(), draws);
    int hitRowFailures = 0;
    for (int i = 0; i < draws; ++i) {
        const TCodeRec& drawn = history[history.size() - size_t(draws) + size_t(i)].Ticket;
        int hits = 0;
        QJsonArray fronts;
        for (int k = 0; k < picks; ++k) {
            hits += drawn.Red[k] <= 15;
            fronts.append(int(drawn.Red[k]));
        }
        const bool rowFails = std::find(std::begin(hitItems), std::end(hitItems), hits) == std::end(hitItems);
        QCOMPARE(bool((b.rows[size_t(i)].failed >> HitRowsCondition) & 1), rowFails);
        QCOMPARE(rows[i].toObject().value(gm.jsonFronts).toArray(), fronts);
        hitRowFailures += rowFails;
    }
    QVERIFY(hitRowFailures > 0 && hitRowFailures < draws);
}

QTEST_GUILESS_MAIN(TestShrinkBacktest)
#include "tst_shrinkbacktest.moc"
