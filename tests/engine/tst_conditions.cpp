#include "engine/core/KelvoraError.h"
#include "engine/history/Parser.h"
#include "engine/metrics/Code.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/shrink/Backtest.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ConditionSet.h"
#include "engine/shrink/Conditions.h"
#include "engine/shrink/ShrinkRun.h"
#include "engine/shrink/Tolerance.h"
#include "support/RandomConditions.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The sanitizer build runs every test on a busy machine: fewer random cases there.
#if defined(__SANITIZE_ADDRESS__)
constexpr int CaseDivisor = 8;
#else
constexpr int CaseDivisor = 1;
#endif

// Every ticket made of the candidates, in list order.
std::vector<TCodeRec> candidateTickets(const ShrinkInput& in) {
    CandidateFlags all;
    all.fill(1);
    std::vector<int> c;
    for (int n = 1; n <= 33; ++n)
        if (in.candidates[size_t(n - 1)]) c.push_back(n);
    std::vector<TCodeRec> out;
    const int m = int(c.size());
    for (int a = 0; a < m; ++a)
        for (int b = a + 1; b < m; ++b)
            for (int d = b + 1; d < m; ++d)
                for (int e = d + 1; e < m; ++e)
                    for (int f = e + 1; f < m; ++f)
                        for (int h = f + 1; h < m; ++h)
                            out.push_back(MakeTicket(c[a], c[b], c[d], c[e], c[f], c[h]));
    return out;
}

// The tickets a tolerance of k keeps, by testing each with the evaluator.
QStringList plainTolerance(const ShrinkInput& in, const TCodeArr& history, int k) {
    const ShrinkConditions conditions(in, Game::ssq());
    const TCodeRec* previous = history.empty() ? nullptr : &history.back().Ticket;
    QStringList kept;
    for (const TCodeRec& t : candidateTickets(in))
        if (ConditionCountIn(conditions.failed(t, previous) & conditions.active() & TolerableConditions) <= k)
            kept << CodeToText(t, Game::ssq());
    return kept;
}

QString memoOf(const QStringList& kept) {
    if (kept.size() > ShrinkListLimit) return ShrinkCountLine(int(kept.size())) + u'\n' + ShrinkTooManyText();
    return ShrinkCountLine(int(kept.size())) + u'\n' +
           (kept.isEmpty() ? QString() : u'\n' + kept.join(u'\n'));
}

} // namespace

class TestConditions : public QObject {
    Q_OBJECT
  private slots:
    void evaluatorAgainstRun_data();
    void evaluatorAgainstRun();
    void toleranceAgainstCount_data();
    void toleranceAgainstCount();
    void keptTicketAt();
    void conditionSetRoundTrip();
    void conditionSetRefused_data();
    void conditionSetRefused();
    void conditionSetGames_data();
    void conditionSetGames();
    void shrinkBacktest();
    void backtestRefusals();
    void singleBacktestMatchesPrediction();
};

void TestConditions::evaluatorAgainstRun_data() {
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("minCandidates");
    QTest::addColumn<int>("maxCandidates");
    QTest::newRow("small candidate sets") << 21 << 240 / CaseDivisor << 8 << 16;
    QTest::newRow("middle candidate sets") << 22 << 40 / CaseDivisor << 17 << 24;
    QTest::newRow("all candidates") << 23 << 16 / CaseDivisor << 33 << 33;
}

// The plain run and the evaluator (every candidate ticket that fails nothing) keep the same tickets;
// the tolerant walk at 0 agrees with both.
void TestConditions::evaluatorAgainstRun() {
    SkipWhenSlowRunsApart();
    QFETCH(int, seed);
    QFETCH(int, cases);
    QFETCH(int, minCandidates);
    QFETCH(int, maxCandidates);
    QRandomGenerator g{quint32(seed)};
    int nonEmpty = 0;
    for (int c = 0; c < cases; ++c) {
        const ShrinkInput in =
            RandomShrinkInput(g, minCandidates + int(g.bounded(maxCandidates - minCandidates + 1)));
        const TCodeArr none;
        const TCodeArr& history = g.bounded(10) ? SampleHistory() : none;
        const ShrinkResult run = RunShrink(in, history, {}, false, Game::ssq());
        const QString evaluated = memoOf(plainTolerance(in, history, 0));
        if (run.text != evaluated || RunToleranceShrink(in, history, {}, false, Game::ssq()).text != run.text)
            QFAIL(qPrintable(QStringLiteral("case %1: the run keeps %2 tickets").arg(c).arg(run.count)));
        nonEmpty += run.count > 0;
    }
    // The sanitizer build runs too few cases for the share of kept tickets to mean anything.
    QVERIFY2(CaseDivisor > 1 || nonEmpty > cases / 5, qPrintable(QString::number(nonEmpty)));
}

void TestConditions::toleranceAgainstCount_data() {
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("tolerance 1") << 31 << 1;
    QTest::newRow("tolerance 2") << 32 << 2;
    QTest::newRow("tolerance 5") << 33 << 5;
}

void TestConditions::toleranceAgainstCount() {
    QFETCH(int, seed);
    QFETCH(int, tolerance);
    QRandomGenerator g{quint32(seed)};
    const int cases = 120 / CaseDivisor;
    int grew = 0;
    for (int c = 0; c < cases; ++c) {
        ShrinkInput in = RandomShrinkInput(g, 8 + int(g.bounded(9)));
        const TCodeArr none;
        const TCodeArr& history = g.bounded(10) ? SampleHistory() : none;
        in.tolerance = tolerance;
        QList<int> steps;
        ShrinkProgress progress;
        progress.step = [&](int p) { steps << p; };
        const ShrinkResult r = RunShrink(in, history, progress, true, Game::ssq());
        const QStringList want = plainTolerance(in, history, tolerance);
        QCOMPARE(r.text, memoOf(want));
        QCOMPARE(int(r.tickets.size()), int(want.size()));
        QCOMPARE(r.lastPosition, steps.isEmpty() ? 0 : steps.last());
        if (!want.isEmpty()) QCOMPARE(r.lastPosition, r.tickets.back() / ShrinkProgressDivisor);
        in.tolerance = 0;
        grew += want.size() > plainTolerance(in, history, 0).size();
    }
    QVERIFY2(grew > cases / 4, qPrintable(QString::number(grew)));
}

// Counting a kept ticket's reds from its ordinal finds the same ticket as the built list.
void TestConditions::keptTicketAt() {
    QRandomGenerator g{41};
    TCodeList list;
    for (int c = 0; c < 3; ++c) {
        CandidateFlags flags{};
        for (uint8_t& f : flags)
            f = c == 0 ? 1 : g.bounded(4) == 0;
        BuildCombinations(list, flags, Game::ssq());
        std::vector<int> kept;
        for (int i = 0; i < int(list.size()); ++i)
            if (list[size_t(i)].Valid) kept.push_back(i);
        QCOMPARE(KeptTicketCount(flags, Game::ssq()), int64_t(kept.size()));
        for (int s = 0; s < 400; ++s) {
            const int64_t ordinal = s < 2 ? (s ? int64_t(kept.size()) - 1 : 0) : g.bounded(int(kept.size()));
            const TCodeRec t = KeptTicketAt(ordinal, flags, Game::ssq());
            const TCodeRec& want = list[size_t(kept[size_t(ordinal)])];
            QCOMPARE(CodeToText(t, Game::ssq()), CodeToText(want, Game::ssq()));
            QCOMPARE(TicketIndex(t, Game::ssq()), kept[size_t(ordinal)]);
        }
    }
}

void TestConditions::conditionSetRoundTrip() {
    QRandomGenerator g{51};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.json"));
    for (int c = 0; c < 50; ++c) {
        ShrinkInput in = RandomShrinkInput(g, int(g.bounded(34)));
        in.tolerance = int(g.bounded(18));
        if (c % 5 == 0) in.linkIndex = 3; // the radio with nothing selected
        if (c % 7 == 0) in.spanMax = -1;  // half a span stays as chosen
        SaveConditionSetFile(path, in, Game::ssq());
        ShrinkInput back;
        back.hitRows[0].list = QStringLiteral("stale"); // a loaded set replaces the hit rows too
        back = LoadConditionSetFile(path, Game::ssq());
        QCOMPARE(WriteConditionSet(back, Game::ssq()), WriteConditionSet(in, Game::ssq()));
        QCOMPARE(back.candidates, in.candidates);
        QCOMPARE(back.linkIndex, in.linkIndex == 3 ? 2 : in.linkIndex);
        QCOMPARE(back.spanMin, in.spanMin);
        QCOMPARE(back.spanMax, in.spanMax);
        QCOMPARE(back.tolerance, in.tolerance);
        for (size_t r = 0; r < 4; ++r) {
            QCOMPARE(back.hitRows[r].list, in.hitRows[r].list);
            QCOMPARE(back.hitRows[r].items, in.hitRows[r].items);
        }
    }
}

void TestConditions::conditionSetRefused_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown key") << QByteArray(R"({"candidates":"1,2","colour":"red"})") << "colour";
    QTest::newRow("not JSON") << QByteArray(R"({"candidates":"1,2")") << "JSON";
    QTest::newRow("not an object") << QByteArray(R"(["1,2"])") << "JSON";
    QTest::newRow("item outside matrix") << QByteArray(R"({"odd-even":"2,9"})") << "odd-even";
    QTest::newRow("number does not parse") << QByteArray(R"({"sum-min":"abc"})") << "sum-min";
    QTest::newRow("candidate does not convert") << QByteArray(R"({"candidates":"1,x"})") << "candidates";
    QTest::newRow("bad link") << QByteArray(R"({"link":"maybe"})") << "link";
    QTest::newRow("hit without colon") << QByteArray(R"({"hit":["1,2"]})") << "hit";
    QTest::newRow("five hit rows") << QByteArray(R"({"hit":["1:1","1:1","1:1","1:1","1:1"]})") << "hit";
    QTest::newRow("value not text") << QByteArray(R"({"exclude":[1,2]})") << "exclude";
    QTest::newRow("tolerance above 17") << QByteArray(R"({"tolerance":"18"})") << "容错";
    QTest::newRow("spin outside its range") << QByteArray(R"({"max-code":"40"})") << "最大号码";
    // A value out of range names the key as the file writes it.
    QTest::newRow("tolerance key as written") << QByteArray(R"({"tolerance":18})") << "“tolerance”";
    QTest::newRow("sum key as written") << QByteArray(R"({"sum-max":"300"})") << "“sum-max”";
}

void TestConditions::conditionSetRefused() {
    QFETCH(QByteArray, json);
    QFETCH(QString, named);
    try {
        ReadConditionSet(json, Game::ssq());
        QFAIL("accepted");
    } catch (const KelvoraError& e) {
        QVERIFY2(e.message().contains(named), qPrintable(e.message()));
    }
}

// Each draw's failures are the evaluator's with the draw before it; the counts add up.
void TestConditions::conditionSetGames_data() {
    QTest::addColumn<QString>("game");
    QTest::newRow("ssq") << QStringLiteral("ssq");
    QTest::newRow("dlt") << QStringLiteral("dlt");
    QTest::newRow("qlc") << QStringLiteral("qlc");
}

// A set keeps every value of its game through a file, and is refused by the other game.
void TestConditions::conditionSetGames() {
    QFETCH(QString, game);
    const Game& gm = *Game::find(game);
    const Game& other = (&gm == &Game::ssq()) ? Game::dlt() : Game::ssq();
    QRandomGenerator g{57};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.json"));
    for (int c = 0; c < 20; ++c) {
        ShrinkInput in = RandomConditions::randomGameInput(g, int(g.bounded(gm.frontPool + 1)), gm);
        in.tolerance = int(g.bounded(MaxTolerance + 1));
        SaveConditionSetFile(path, in, gm);
        const ShrinkInput back = LoadConditionSetFile(path, gm);
        QCOMPARE(WriteConditionSet(back, gm), WriteConditionSet(in, gm));
        QCOMPARE(back.sumMax, in.sumMax);
        QCOMPARE(back.maxCode, in.maxCode);
        try {
            LoadConditionSetFile(path, other);
            QFAIL("a set of the other game was read");
        } catch (const KelvoraError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("这是%1的条件文件").arg(gm.nameText())),
                     qPrintable(e.message()));
        }
    }
    // The reset values of the game are not written, so a set with nothing on stays nothing.
    const QJsonObject reset =
        QJsonDocument::fromJson(WriteConditionSet(ShrinkInput::resetFor(gm), gm)).object();
    QCOMPARE(reset.keys(), (QStringList{"candidates", "game"}));
    QCOMPARE(reset.value("game").toString(), game);
}

void TestConditions::shrinkBacktest() {
    ShrinkInput in;
    in.oddEven = {false, false, true, true, true, false, false};
    in.repeats = {true, true, false, false, false};
    in.linkIndex = 1;
    in.sumMin = 80;
    in.sumMax = 120;
    in.acMin = 6;
    in.acMax = 10;
    in.hitRows[0] = {QStringLiteral("1,2,3,4,5,6,7,8,9,10,11"), {false, true, true, true, false, false}};
    const TCodeArr& h = SampleHistory();
    const ShrinkBacktest b = RunShrinkBacktest(in, h, int(h.size()), Game::ssq());
    QCOMPARE(b.draws(), int(h.size()));
    QVERIFY(!(b.active & 1));                                       // no candidates: all 33, condition 0 off
    QCOMPARE(b.rows.front().failed & (1u << RepeatsCondition), 0u); // the first draw has none before it
    const ShrinkConditions conditions(in, Game::ssq());
    int sum = 0;
    for (size_t i = 0; i < h.size(); ++i) {
        QCOMPARE(b.rows[i].issue, h[i].code());
        QCOMPARE(b.rows[i].failed, conditions.failed(h[i].Ticket, i ? &h[i - 1].Ticket : nullptr) & b.active);
    }
    for (int j = 0; j < ConditionCount; ++j)
        sum += b.failCounts[size_t(j)];
    QCOMPARE(sum, b.draws());
    QCOMPARE(b.failCounts[0], b.kept);
    QVERIFY(b.kept > 0 && b.kept < b.draws() / 4);
    QCOMPARE(b.passed[CandidatesCondition], b.draws());
    const QJsonObject json = ShrinkBacktestJson(b);
    QCOMPARE(json.value(QStringLiteral("first")).toString(), QString::number(h.front().code()));
    QCOMPARE(json.value(QStringLiteral("conditions"))
                 .toArray()
                 .at(LinkCondition)
                 .toObject()
                 .value(QStringLiteral("name"))
                 .toString(),
             QStringLiteral("连号"));
    QVERIFY(ToleranceDistributionText(b).startsWith(QStringLiteral("容错0: %1期, 容错1: ").arg(b.kept)));
}

void TestConditions::backtestRefusals() {
    const TCodeArr& h = SampleHistory();
    auto message = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const KelvoraError& e) {
            return e.message();
        }
        return QString();
    };
    ShrinkInput in;
    QCOMPARE(message([&] { RunShrinkBacktest(in, h, int(h.size()) + 1, Game::ssq()); }),
             BacktestTooManyDrawsText());
    QCOMPARE(message([&] { RunPredictBacktest(h, PredictKind::Odd, int(h.size()) - 19, Game::ssq()); }),
             QStringLiteral("设置的验证期数超过总期数!!"));
    QVERIFY(
        message([&] { RunPredictBacktest(h, PredictKind::Odd, int(h.size()) - 20, Game::ssq()); }).isEmpty());
    in.candidates[0] = in.candidates[1] = true;
    QCOMPARE(message([&] { RunShrinkBacktest(in, h, 10, Game::ssq()); }), TooFewCandidatesText());
    in.candidates.fill(true);
    in.excludeNumbers = QStringLiteral("4,x");
    QCOMPARE(message([&] { RunShrinkBacktest(in, h, 10, Game::ssq()); }),
             QStringLiteral("'x' is not a valid integer value"));
}

// The single prediction's picks, turned into tickets by counting, are the prediction's own lines.
void TestConditions::singleBacktestMatchesPrediction() {
    const TCodeArr& h = SampleHistory();
    const PredictBacktest b = RunPredictBacktest(h, PredictKind::Single, 3, Game::ssq());
    for (int d = 0; d < 3; ++d) {
        const size_t i = h.size() - 3 + size_t(d);
        const TCodeArr before(h.begin(), h.begin() + ptrdiff_t(i));
        const QStringList lines = SinglePredict(before, Game::ssq()).lines;
        const QString drawn = CodeToText(h[i].Ticket, Game::ssq());
        qsizetype line = 0;
        for (const PredictBacktestGroup& g : b.rows[size_t(d)].groups) {
            std::array<int, GameLimits::kMaxFrontPicks + 1> counts{};
            for (++line; !lines[line].isEmpty(); ++line) {
                int hits = 0;
                for (const QString& n : lines[line].split(u' '))
                    hits += drawn.split(u' ').contains(n);
                ++counts[size_t(hits)];
            }
            ++line;
            QCOMPARE(g.counts, counts);
        }
    }
}

QTEST_GUILESS_MAIN(TestConditions)
#include "tst_conditions.moc"
