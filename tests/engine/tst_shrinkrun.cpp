#include "engine/core/KelvoraError.h"
#include "engine/history/Convert.h"
#include "engine/history/Parser.h"
#include "engine/metrics/Code.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ShrinkRun.h"
#include "support/RandomConditions.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

Q_DECLARE_METATYPE(const Game*)

namespace {

const TCodeList& allTickets() {
    static const TCodeList list = [] {
        TCodeList l;
        CandidateFlags all;
        all.fill(1);
        BuildCombinations(l, all, Game::ssq());
        return l;
    }();
    return list;
}

// Position of a ticket (ascending reds) in the full list: the list is in lexicographic order, so
// count the tickets that come before it at each place.
int listIndex(const int red[6]) {
    auto binom = [](int n, int k) {
        if (k < 0 || k > n) return 0;
        long long r = 1;
        for (int i = 1; i <= k; ++i)
            r = r * (n - k + i) / i;
        return int(r);
    };
    int index = 0, previous = 0;
    for (int i = 0; i < 6; ++i) {
        for (int j = previous + 1; j < red[i]; ++j)
            index += binom(33 - j, 5 - i);
        previous = red[i];
    }
    return index;
}

// The list positions of the tickets made of candidates only, in list order: small candidate sets
// then cost a few thousand tickets instead of a walk over all 1,107,568.
std::vector<int> candidateIndexes(const CandidateFlags& candidates) {
    std::vector<int> numbers;
    for (int n = 1; n <= 33; ++n)
        if (candidates[size_t(n - 1)]) numbers.push_back(n);
    std::vector<int> out;
    const int m = int(numbers.size());
    if (m < 6) return out;
    int pick[6] = {0, 1, 2, 3, 4, 5};
    for (;;) {
        int red[6];
        for (int k = 0; k < 6; ++k)
            red[k] = numbers[size_t(pick[k])];
        out.push_back(listIndex(red));
        int k = 5;
        while (k >= 0 && pick[k] == m - 6 + k)
            --k;
        if (k < 0) break;
        ++pick[k];
        for (int j = k + 1; j < 6; ++j)
            pick[j] = pick[j - 1] + 1;
    }
    return out;
}

// The game's front tickets made of candidates only, with their list indexes, in list order: the
// candidates ascending give their combinations in lexicographic order.
std::vector<std::pair<int, TCodeRec>> candidateTickets(const ShrinkInput& in, const Game& game) {
    std::vector<int> numbers;
    for (int n = 1; n <= game.frontPool; ++n)
        if (in.candidates[size_t(n - 1)]) numbers.push_back(n);
    std::vector<std::pair<int, TCodeRec>> out;
    const int m = int(numbers.size());
    const int picks = game.frontPicks;
    if (m < picks) return out;
    std::vector<int> place(size_t(picks), 0);
    for (int k = 0; k < picks; ++k)
        place[size_t(k)] = k;
    for (;;) {
        TCodeRec t{};
        for (int k = 0; k < picks; ++k)
            t.Red[k] = uint8_t(numbers[size_t(place[size_t(k)])]);
        t.Valid = 1;
        out.emplace_back(TicketIndex(t, game), t);
        int k = picks - 1;
        while (k >= 0 && place[size_t(k)] == m - picks + k)
            --k;
        if (k < 0) break;
        ++place[size_t(k)];
        for (int j = k + 1; j < picks; ++j)
            place[size_t(j)] = place[size_t(j - 1)] + 1;
    }
    return out;
}

ShrinkInput withCandidates(int first, int last) {
    ShrinkInput in;
    for (int n = first; n <= last; ++n)
        in.candidates[n - 1] = true;
    return in;
}

struct Outcome {
    int count = 0;
    QString text;
    QList<int> positions;
};

Outcome run(const ShrinkInput& in, const TCodeArr& history) {
    Outcome o;
    ShrinkProgress progress;
    progress.step = [&](int p) { o.positions.append(p); };
    const ShrinkResult r = RunShrink(in, history, progress, false, Game::ssq());
    o.count = r.count;
    o.text = r.text;
    if (r.lastPosition != (o.positions.isEmpty() ? 0 : o.positions.last()))
        o.count = -1; // the result must agree with the steps it reported
    return o;
}

// A deliberately plain second filter: every ticket in list order, each condition read into flag
// arrays and tested with the ticket measures exactly as the run is described, in the same order.
struct Flags {
    bool on = false;
    bool set[256] = {};
    void read(const QString& text) {
        for (const QString& piece : SplitString(QStringLiteral(","), text)) {
            set[StrToInt(piece)] = true;
            on = true;
        }
    }
};

Outcome reference(const ShrinkInput& in, const TCodeArr& history) {
    Flags sums, tails, excluded, required;
    sums.read(in.excludeSums);
    tails.read(in.excludeTails);
    excluded.read(in.excludeNumbers);
    required.read(in.requireNumbers);
    NumberSet excludedSet{}, requiredSet{}, latest{};
    int requiredCount = 0;
    for (int n = 1; n <= 33; ++n) {
        excludedSet[n] = excluded.set[n];
        requiredSet[n] = required.set[n];
        requiredCount += required.set[n];
    }
    bool oddOn = false, repeatOn = false, bigOn = false;
    for (bool b : in.oddEven)
        oddOn |= b;
    for (bool b : in.repeats)
        repeatOn |= b;
    for (bool b : in.bigSmall)
        bigOn |= b;
    if (history.empty())
        repeatOn = false;
    else
        for (int k = 0; k < 6; ++k)
            latest[history.back().Ticket.Red[k]] = 1;
    const bool tailRangeOn = !(in.tailMin == 0 && in.tailMax == 9);
    Flags rows[4];
    NumberSet rowSets[4]{};
    bool anyRow = false;
    for (int r = 0; r < 4; ++r) {
        rows[r].read(in.hitRows[r].list);
        for (int n = 1; n <= 33; ++n)
            rowSets[r][n] = rows[r].set[n];
        anyRow |= rows[r].on;
    }
    const bool zonesOn = in.zones[0] >= 0 || in.zones[1] >= 0 || in.zones[2] >= 0;
    const bool modOn = in.mod3[0] >= 0 || in.mod3[1] >= 0 || in.mod3[2] >= 0;

    Outcome o;
    QStringList lines;
    int bar = 0;
    const TCodeList& list = allTickets();
    CandidateFlags flags{};
    for (int n = 0; n < 33; ++n)
        flags[size_t(n)] = in.candidates[size_t(n)];
    for (const int i : candidateIndexes(flags)) {
        const TCodeRec& t = list[size_t(i)];
        const int s = SumValue(t);
        if (s < in.sumMin || s > in.sumMax) continue;
        if (sums.on && sums.set[s]) continue;
        if (oddOn && !in.oddEven[size_t(OddCount(t))]) continue;
        if (repeatOn) {
            const int c = CommonCount(t, history.back().Ticket);
            if (c > 4 || !in.repeats[size_t(c)]) continue;
        }
        if (in.linkIndex == 0 || in.linkIndex == 1) {
            const int l = LongestRunLinks(t, Game::ssq());
            if (in.linkIndex == 1 && l > 0) continue;
            if (in.linkIndex == 0 && (l == 0 || l == 5 || !in.linkRuns[size_t(l - 1)])) continue;
        }
        if (tailRangeOn && (s % 10 < in.tailMin || s % 10 > in.tailMax)) continue;
        if (tails.on && tails.set[s % 10]) continue;
        if (excluded.on && CountInSet(t, excludedSet) > 0) continue;
        if (required.on && CountInSet(t, requiredSet) != requiredCount) continue;
        if (bigOn && !in.bigSmall[size_t(BigCount(t, Game::ssq()))]) continue;
        if (in.maxCode != 33 && MaxCode(t) > in.maxCode) continue;
        if (in.minCode != 1 && MinCode(t) < in.minCode) continue;
        if (in.spanMin >= 0 && in.spanMax >= 0 &&
            (SpanValue(t, Game::ssq()) < in.spanMin || SpanValue(t, Game::ssq()) > in.spanMax))
            continue;
        if (zonesOn) {
            int z[3];
            ZoneCounts(t, z[0], z[1], z[2], Game::ssq());
            if ((in.zones[0] >= 0 && in.zones[0] != z[0]) || (in.zones[1] >= 0 && in.zones[1] != z[1]) ||
                (in.zones[2] >= 0 && in.zones[2] != z[2]))
                continue;
        }
        if (modOn) {
            int m[3];
            Mod3Counts(t, m[0], m[1], m[2], Game::ssq());
            if ((in.mod3[0] >= 0 && in.mod3[0] != m[0]) || (in.mod3[1] >= 0 && in.mod3[1] != m[1]) ||
                (in.mod3[2] >= 0 && in.mod3[2] != m[2]))
                continue;
        }
        if (in.acMin >= 0 && in.acMax >= 0 &&
            (AcValue(t, Game::ssq()) < in.acMin || AcValue(t, Game::ssq()) > in.acMax))
            continue;
        if (i / 10000 != bar) {
            bar = i / 10000;
            o.positions.append(bar);
        }
        bool kept = true;
        for (int r = 0; r < 4 && anyRow && kept; ++r) {
            if (!rows[r].on) continue;
            const int h = CountInSet(t, rowSets[r]);
            kept = h <= 5 && in.hitRows[r].items[size_t(h)];
        }
        if (!kept) continue;
        ++o.count;
        if (o.count <= 100000) lines.append(CodeToText(t, Game::ssq()));
    }
    const QString head = QStringLiteral("缩水结果总共%1注").arg(o.count);
    o.text = o.count > 100000 ? head + QStringLiteral("\n超过10万注，不再显示详细号码。")
                              : head + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
    if (o.count == 0) o.text = head + QLatin1Char('\n');
    return o;
}

} // namespace

class TestShrinkRun : public QObject {
    Q_OBJECT
  private slots:
    void worked_data();
    void worked();
    void eightCandidatesListed();
    void lexicographicOrder();
    void limitBoundary_data();
    void limitBoundary();
    void allTicketsNotListed();
    void barReachesEnd();
    void refused_data();
    void refused();
    void badListShowsNothing();
    void emptyHistoryTurnsRepeatsOff();
    void validToLines();
    void randomAgainstReference_data();
    void randomAgainstReference();
    void gameTicketOrder_data();
    void gameTicketOrder();
    void gameAgainstBruteForce_data();
    void gameAgainstBruteForce();
    void everyTicketOfTheGame_data();
    void everyTicketOfTheGame();
};

void TestShrinkRun::worked_data() {
    QTest::addColumn<ShrinkInput>("input");
    QTest::addColumn<int>("count");
    ShrinkInput in = withCandidates(1, 8);
    QTest::newRow("8 candidates") << in << 28;
    in.excludeSums = QStringLiteral("21");
    QTest::newRow("excluded sum 21") << in << 27;
    in = withCandidates(1, 8);
    in.sumMin = 21;
    in.sumMax = 183;
    QTest::newRow("sum range at its ends") << in << 28;
    in.minCode = 33;
    QTest::newRow("smallest number 33") << in << 0;
    in = withCandidates(1, 8);
    in.spanMax = 10;
    QTest::newRow("span half chosen is off") << in << 28;
    in = withCandidates(1, 8);
    in.oddEven[3] = true;
    QTest::newRow("odd-even 3:3") << in << 16; // 4 odd and 4 even numbers: C(4,3)^2
    in = withCandidates(1, 8);
    in.linkIndex = 1;
    QTest::newRow("no consecutive numbers in 01..08") << in << 0;
    in.linkIndex = 0;
    QTest::newRow("consecutive with nothing checked") << in << 0;
    in = withCandidates(1, 33);
    in.requireNumbers = QStringLiteral("04,7");
    QTest::newRow("required 04 and 7") << in << 31465; // C(31,4)
    in.requireNumbers = QStringLiteral("1,2,3,4,5,6,7");
    QTest::newRow("seven required") << in << 0;
    in = withCandidates(1, 33);
    in.hitRows[0].list = QStringLiteral("12,16,17,24,29");
    in.hitRows[0].items[2] = true;
    QTest::newRow("hit row exactly two") << in << 10 * 20475; // C(5,2) * C(28,4)
    in.hitRows[0].items[2] = false;
    QTest::newRow("hit row nothing checked") << in << 0;
    in = withCandidates(1, 33);
    in.sumMin = 150;
    in.sumMax = 140;
    QTest::newRow("reversed sum range") << in << 0;
    in = withCandidates(1, 33);
    in.tailMin = 7;
    in.tailMax = 3;
    QTest::newRow("reversed tail range") << in << 0;
    in = withCandidates(1, 8);
    in.linkIndex = 3;
    in.linkRuns.fill(false);
    QTest::newRow("radio on no item is off") << in << 28;
}

void TestShrinkRun::worked() {
    QFETCH(ShrinkInput, input);
    QFETCH(int, count);
    const Outcome o = run(input, SampleHistory());
    QCOMPARE(o.count, count);
    QCOMPARE(o.count, reference(input, SampleHistory()).count);
}

void TestShrinkRun::eightCandidatesListed() {
    ShrinkInput in = withCandidates(1, 8);
    const QStringList lines = run(in, SampleHistory()).text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 30);
    QCOMPARE(lines[0], QStringLiteral("缩水结果总共28注"));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QStringLiteral("01 02 03 04 05 06"));
    QCOMPARE(lines[29], QStringLiteral("03 04 05 06 07 08"));

    in.excludeSums = QStringLiteral("21");
    const QStringList without = run(in, SampleHistory()).text.split(QLatin1Char('\n'));
    QCOMPARE(without.size(), 29);
    QCOMPARE(without[0], QStringLiteral("缩水结果总共27注"));
    QVERIFY(!without.contains(QStringLiteral("01 02 03 04 05 06")));

    in.excludeSums = QStringLiteral("1,2"); // sums nobody reaches
    in.sumMin = 183;
    const Outcome none = run(in, SampleHistory());
    QCOMPARE(none.text, QStringLiteral("缩水结果总共0注\n"));
    QVERIFY(none.positions.isEmpty());
}

void TestShrinkRun::lexicographicOrder() {
    const QStringList lines = run(withCandidates(1, 9), SampleHistory()).text.split(QLatin1Char('\n')).mid(2);
    QCOMPARE(lines.size(), 84);
    QCOMPARE(lines[0], QStringLiteral("01 02 03 04 05 06"));
    QCOMPARE(lines[1], QStringLiteral("01 02 03 04 05 07"));
    QVERIFY(lines.indexOf(QStringLiteral("01 02 03 04 05 09")) <
            lines.indexOf(QStringLiteral("01 02 03 04 06 07")));
    QStringList sorted = lines;
    sorted.sort();
    QCOMPARE(lines, sorted);
}

void TestShrinkRun::limitBoundary_data() {
    QTest::addColumn<int>("sumMin");
    QTest::addColumn<int>("count");
    // Sums 22..73 without 40 and 63 hold 100,000 tickets; sum 21 adds one.
    QTest::newRow("exactly 100000") << 22 << 100000;
    QTest::newRow("100001") << 21 << 100001;
}

void TestShrinkRun::limitBoundary() {
    QFETCH(int, sumMin);
    QFETCH(int, count);
    ShrinkInput in = withCandidates(1, 33);
    in.sumMin = sumMin;
    in.sumMax = 73;
    in.excludeSums = QStringLiteral("40,63");
    const Outcome o = run(in, SampleHistory());
    QCOMPARE(o.count, count);
    const QStringList lines = o.text.split(QLatin1Char('\n'));
    if (count <= 100000) {
        QCOMPARE(lines.size(), count + 2);
        QCOMPARE(lines.last().size(), 17);
    } else {
        QCOMPARE(lines, (QStringList{QStringLiteral("缩水结果总共100001注"),
                                     QStringLiteral("超过10万注，不再显示详细号码。")}));
    }
}

void TestShrinkRun::allTicketsNotListed() {
    const Outcome o = run(withCandidates(1, 33), SampleHistory());
    QCOMPARE(o.count, TicketCount);
    QCOMPARE(o.text, QStringLiteral("缩水结果总共1107568注\n超过10万注，不再显示详细号码。"));
    QCOMPARE(o.positions.size(), 110);
    QCOMPARE(o.positions.first(), 1);
    QCOMPARE(o.positions.last(), ShrinkProgressMaximum);
}

void TestShrinkRun::barReachesEnd() {
    // 01..08: the last of the 28 tickets, 03 04 05 06 07 08, has the index 371,287.
    const Outcome few = run(withCandidates(1, 8), SampleHistory());
    QCOMPARE(few.positions.last(), 37);
    // Steps never repeat a position and only move forward.
    for (int k = 1; k < few.positions.size(); ++k)
        QVERIFY(few.positions[k] > few.positions[k - 1]);

    // A ticket that fails only the hit rows still moves the bar.
    ShrinkInput in = withCandidates(1, 33);
    in.hitRows[3].list = QStringLiteral("33");
    in.hitRows[3].items[1] = true;
    in.minCode = 18; // from 18 19 20 21 22 23 on
    const Outcome rows = run(in, SampleHistory());
    QCOMPARE(rows.count, 3003); // C(16,6) - C(15,6): those of 18..33 that hold 33
    QCOMPARE(rows.positions.last(), 110);
}

void TestShrinkRun::refused_data() {
    QTest::addColumn<ShrinkInput>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("7 candidates") << withCandidates(1, 7) << "请最少勾选8个复式号码！！";
    ShrinkInput in = withCandidates(1, 8);
    in.excludeSums = QStringLiteral("200");
    QTest::newRow("sum above 183") << in << "和值排除: 200 超出范围 0-183";
    in.excludeSums = QStringLiteral("2x");
    in.hitRows[0].list = QStringLiteral("40");
    QTest::newRow("first list first") << in << "'2x' is not a valid integer value";
    in.excludeSums.clear();
    QTest::newRow("hit row number") << in << "控制中奖号码第1行: 40 超出范围 1-33";
    in.hitRows[0].list.clear();
    in.excludeTails = QStringLiteral("12");
    QTest::newRow("tail above 9") << in << "必不出合值: 12 超出范围 0-9";
    in.excludeTails.clear();
    in.excludeNumbers = QStringLiteral("-3");
    QTest::newRow("negative number") << in << "必不出号码: -3 超出范围 1-33";
    in.excludeNumbers.clear();
    in.requireNumbers = QStringLiteral("34");
    QTest::newRow("required 34") << in << "必同出号码: 34 超出范围 1-33";
    in.requireNumbers.clear();
    in.sumMax = 500;
    QTest::newRow("spin value") << in << "和值范围: 500 超出范围 21-183";
    in.sumMax = 183;
    in.zones[1] = 7;
    QTest::newRow("zone value") << in << "12-22出号个数: 7 超出范围 0-6";
}

void TestShrinkRun::refused() {
    QFETCH(ShrinkInput, input);
    QFETCH(QString, message);
    bool begun = false;
    ShrinkProgress progress;
    progress.begin = [&] { begun = true; };
    try {
        RunShrink(input, SampleHistory(), progress, false, Game::ssq());
        QFAIL("no error");
    } catch (const KelvoraError& e) {
        QCOMPARE(e.message(), message);
    }
    QVERIFY(!begun);
}

void TestShrinkRun::badListShowsNothing() {
    // begin and end pair up around the walk, and only when the lists read.
    QStringList calls;
    ShrinkProgress progress;
    progress.begin = [&] { calls << QStringLiteral("begin"); };
    progress.end = [&] { calls << QStringLiteral("end"); };
    ShrinkInput in = withCandidates(1, 8);
    RunShrink(in, SampleHistory(), progress, false, Game::ssq());
    QCOMPARE(calls, (QStringList{QStringLiteral("begin"), QStringLiteral("end")}));
    in.hitRows[2].list = QStringLiteral("1;2");
    QVERIFY_THROWS_EXCEPTION(KelvoraError, RunShrink(in, SampleHistory(), progress, false, Game::ssq()));
    QCOMPARE(calls.size(), 2);
}

void TestShrinkRun::emptyHistoryTurnsRepeatsOff() {
    ShrinkInput in = withCandidates(1, 10);
    in.repeats[4] = true;
    QCOMPARE(run(in, TCodeArr{}).count, 210);
    QCOMPARE(run(in, SampleHistory()).count, reference(in, SampleHistory()).count);
}

void TestShrinkRun::validToLines() {
    TCodeList list = {MakeTicket(1, 2, 3, 4, 5, 6), MakeTicket(1, 2, 3, 4, 5, 7),
                      MakeTicket(7, 8, 9, 10, 11, 33)};
    list[1].Valid = 0;
    QCOMPARE(ValidToLines(list, Game::ssq()),
             (QStringList{QStringLiteral("01 02 03 04 05 06"), QStringLiteral("07 08 09 10 11 33")}));
}

void TestShrinkRun::randomAgainstReference_data() {
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("minCandidates");
    QTest::addColumn<int>("maxCandidates");
    QTest::addColumn<int>("minNonEmpty");
    // The sanitizer build runs every case many times slower on a shared machine: a fifth of the cases
    // there (whose first few happen to be mostly empty results), the full comparison in the ordinary build.
#ifdef KELVORA_SANITIZED
    const int scale = 5;
#else
    const int scale = 1;
#endif
    auto row = [&](const char* name, int seed, int cases, int low, int high) {
        cases /= scale;
        QTest::newRow(name) << seed << cases << low << high << (scale == 1 ? cases / 4 + 1 : 1);
    };
    row("small candidate sets", 11, 1600, 8, 16);
    row("middle candidate sets", 12, 400, 17, 24);
    row("all candidates", 13, 60, 33, 33);
}

void TestShrinkRun::randomAgainstReference() {
    SkipWhenSlowRunsApart();
    QFETCH(int, seed);
    QFETCH(int, cases);
    QFETCH(int, minCandidates);
    QFETCH(int, maxCandidates);
    QFETCH(int, minNonEmpty);
    QRandomGenerator g{quint32(seed)};
    int nonEmpty = 0;
    for (int c = 0; c < cases; ++c) {
        const int candidates = minCandidates + int(g.bounded(maxCandidates - minCandidates + 1));
        const ShrinkInput in = RandomShrinkInput(g, candidates);
        const TCodeArr none;
        const TCodeArr& history = g.bounded(20) ? SampleHistory() : none;
        const Outcome want = reference(in, history);
        const Outcome got = run(in, history);
        if (got.count != want.count || got.text != want.text || got.positions != want.positions)
            QFAIL(qPrintable(
                QStringLiteral("case %1: %2 tickets, expected %3").arg(c).arg(got.count).arg(want.count)));
        nonEmpty += want.count > 0;
    }
    // The conditions must not be so tight that the comparison is about empty results only.
    QVERIFY2(nonEmpty >= minNonEmpty, qPrintable(QString::number(nonEmpty)));
}

void TestShrinkRun::gameTicketOrder_data() {
    QTest::addColumn<QString>("game");
    QTest::newRow("ssq") << QStringLiteral("ssq");
    QTest::newRow("dlt") << QStringLiteral("dlt");
    QTest::newRow("qlc") << QStringLiteral("qlc");
}

// Every front ticket once, in lexicographic order; ranking and unranking agree with the list for
// every flag set.
void TestShrinkRun::gameTicketOrder() {
    QFETCH(QString, game);
    const Game& gm = *Game::find(game);
    QRandomGenerator g{61};
    TCodeList list;
    for (int c = 0; c < 3; ++c) {
        CandidateFlags flags{};
        for (int n = 1; n <= gm.frontPool; ++n)
            flags[size_t(n - 1)] = c == 0 ? 1 : g.bounded(5) == 0;
        BuildCombinations(list, flags, gm);
        QCOMPARE(int(list.size()), gm.frontTickets());
        std::vector<int> kept;
        for (int i = 0; i < int(list.size()); ++i) {
            const TCodeRec& t = list[size_t(i)];
            if (c == 0) {
                for (int k = 1; k < gm.frontPicks; ++k)
                    QVERIFY(t.Red[k - 1] < t.Red[k]);
                QVERIFY(t.Red[gm.frontPicks - 1] <= gm.frontPool);
                QVERIFY(gm.frontPicks == GameLimits::kMaxFrontPicks || t.Red[gm.frontPicks] == 0);
                int backs = 0;
                for (int b = 0; b < gm.backPool; ++b)
                    backs += t.Blue[b];
                QCOMPARE(backs, gm.backPicks);
                if (i > 0)
                    QVERIFY(std::lexicographical_compare(list[size_t(i - 1)].Red,
                                                         list[size_t(i - 1)].Red + GameLimits::kMaxFrontPicks,
                                                         t.Red, t.Red + GameLimits::kMaxFrontPicks));
            }
            if (t.Valid) kept.push_back(i);
        }
        QCOMPARE(KeptTicketCount(flags, gm), int64_t(kept.size()));
        for (int s = 0; s < 300 && !kept.empty(); ++s) {
            const int64_t ordinal = s < 2 ? (s ? int64_t(kept.size()) - 1 : 0) : g.bounded(int(kept.size()));
            const TCodeRec t = KeptTicketAt(ordinal, flags, gm);
            QCOMPARE(CodeToText(t, gm), CodeToText(list[size_t(kept[size_t(ordinal)])], gm));
            QCOMPARE(TicketIndex(t, gm), kept[size_t(ordinal)]);
        }
    }
}

void TestShrinkRun::gameAgainstBruteForce_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("minCandidates");
    QTest::addColumn<int>("maxCandidates");
    QTest::addColumn<int>("tolerance");
#ifdef KELVORA_SANITIZED
    const int scale = 5;
#else
    const int scale = 1;
#endif
    QTest::newRow("dlt small candidate sets") << "dlt" << 71 << 120 / scale << 8 << 16 << 0;
    QTest::newRow("dlt middle candidate sets") << "dlt" << 72 << 40 / scale << 17 << 26 << 0;
    QTest::newRow("dlt all candidates") << "dlt" << 73 << 20 / scale << 35 << 35 << 0;
    QTest::newRow("dlt tolerance 1") << "dlt" << 74 << 20 / scale << 10 << 35 << 1;
    QTest::newRow("dlt tolerance 3") << "dlt" << 75 << 10 / scale << 10 << 35 << 3;
    QTest::newRow("qlc small candidate sets") << "qlc" << 81 << 50 / scale << 9 << 16 << 0;
    QTest::newRow("qlc middle candidate sets") << "qlc" << 82 << 20 / scale << 17 << 22 << 0;
    QTest::newRow("qlc all candidates") << "qlc" << 83 << 5 << 30 << 30 << 0;
    QTest::newRow("qlc tolerance 1") << "qlc" << 84 << 20 / scale << 10 << 20 << 1;
    QTest::newRow("qlc tolerance 3") << "qlc" << 85 << 10 / scale << 10 << 20 << 3;
}

// The run against a plain filter: every front ticket of the game made of candidates through the
// evaluator, kept when it fails at most `tolerance` of the active conditions (a ticket with another
// number fails the candidates, which are never tolerated).
void TestShrinkRun::gameAgainstBruteForce() {
    QFETCH(QString, game);
    QFETCH(int, seed);
    QFETCH(int, cases);
    QFETCH(int, minCandidates);
    QFETCH(int, maxCandidates);
    QFETCH(int, tolerance);
    const Game& gm = *Game::find(game);
    QRandomGenerator g{quint32(seed)};
    int nonEmpty = 0;
    for (int c = 0; c < cases; ++c) {
        ShrinkInput in = RandomConditions::randomGameInput(
            g, minCandidates + int(g.bounded(maxCandidates - minCandidates + 1)), gm);
        in.tolerance = tolerance;
        const TCodeArr none;
        const TCodeArr& history = g.bounded(10) ? SampleHistoryOf(gm) : none;
        const TCodeRec* previous = history.empty() ? nullptr : &history.back().Ticket;
        const ShrinkConditions conditions(in, gm);
        ConditionMask counted = conditions.active() & TolerableConditions;
        if (!previous) counted &= ~(ConditionMask(1) << RepeatsCondition);
        std::vector<int> want;
        for (const auto& [index, ticket] : candidateTickets(in, gm)) {
            const ConditionMask failed = conditions.failed(ticket, previous);
            QVERIFY(!(failed & 1));
            if (ConditionCountIn(failed & counted) <= tolerance) want.push_back(index);
        }
        const ShrinkResult got = RunShrink(in, history, {}, true, gm);
        if (got.tickets != want || got.count != int(want.size()) ||
            got.text != ShrinkMemoText(int(want.size()), want, gm))
            QFAIL(qPrintable(
                QStringLiteral("case %1: %2 tickets, expected %3").arg(c).arg(got.count).arg(want.size())));
        nonEmpty += !want.empty();
    }
    QVERIFY2(nonEmpty >= cases / 5, qPrintable(QString::number(nonEmpty)));
}

void TestShrinkRun::everyTicketOfTheGame_data() {
    QTest::addColumn<const Game*>("game");
    for (const Game* game : Game::all())
        QTest::newRow(game->key) << game;
}

// Every candidate and no condition keeps every front ticket; the bar steps forward to the position of
// the game's last ticket, where its window ends.
void TestShrinkRun::everyTicketOfTheGame() {
    QFETCH(const Game*, game);
    ShrinkInput in = ShrinkInput::resetFor(*game);
    std::fill_n(in.candidates.begin(), game->frontPool, true);
    QList<int> positions;
    ShrinkProgress progress;
    progress.step = [&](int p) { positions.append(p); };
    const ShrinkResult r = RunShrink(in, SampleHistoryOf(*game), progress, false, *game);
    QCOMPARE(r.count, game->frontTickets());
    QCOMPARE(r.text, ShrinkCountLine(r.count) + QLatin1Char('\n') + ShrinkTooManyText());
    QCOMPARE(positions.size(), ShrinkProgressEnd(*game));
    for (int k = 0; k < positions.size(); ++k)
        QCOMPARE(positions[k], k + 1);
    QCOMPARE(r.lastPosition, ShrinkProgressEnd(*game));
}

QTEST_GUILESS_MAIN(TestShrinkRun)
#include "tst_shrinkrun.moc"
