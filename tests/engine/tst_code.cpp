#include "engine/core/Binomial.h"
#include "engine/metrics/Code.h"
#include "engine/shrink/Combinations.h"

#include <QTest>
#include <algorithm>

Q_DECLARE_METATYPE(TCodeRec)

namespace {

TCodeRec ticket(std::initializer_list<int> reds) {
    TCodeRec t{};
    int k = 0;
    for (int r : reds)
        t.Red[k++] = uint8_t(r);
    t.Valid = 1;
    return t;
}

// Straightforward reference versions, written from the definitions, to cross-check the fast ones.
int refAc(const TCodeRec& t) {
    bool seen[33] = {};
    for (int i = 0; i < 6; ++i)
        for (int j = i + 1; j < 6; ++j)
            seen[std::abs(t.Red[i] - t.Red[j])] = true;
    return int(std::count(std::begin(seen), std::end(seen), true)) - 5;
}

int refLongestRun(const TCodeRec& t) {
    int best = 0, len = 1;
    for (int k = 1; k < 6; ++k) {
        len = t.Red[k] == t.Red[k - 1] + 1 ? len + 1 : 1;
        best = std::max(best, len - 1);
    }
    return best;
}

int refDiagonal(const TCodeRec& a, const TCodeRec& prev) {
    int c = 0;
    for (int i = 0; i < 6; ++i) {
        const int n = a.Red[i];
        if ((n > 1 && HasCode(prev, n - 1)) || (n < 33 && HasCode(prev, n + 1))) ++c;
    }
    return c;
}

} // namespace

class TestCode : public QObject {
    Q_OBJECT

  private slots:
    void numToText_data();
    void numToText();
    void codeToText();
    void measures_data();
    void measures();
    void comparisons_data();
    void comparisons();
    void helpers();
    void acRangeOverAllTickets();
    void binomialAgainstPascal_data();
    void binomialAgainstPascal();
};

void TestCode::numToText_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("zero");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero pad") << 5 << 2 << true << "05";
    QTest::newRow("space pad") << 5 << 2 << false << " 5";
    QTest::newRow("never cut") << 123 << 2 << true << "123";
    QTest::newRow("width 3") << 7 << 3 << true << "007";
    QTest::newRow("year") << 2005 << 4 << true << "2005";
    QTest::newRow("negative") << -3 << 3 << true << "0-3";
}

void TestCode::numToText() {
    QFETCH(int, value);
    QFETCH(int, width);
    QFETCH(bool, zero);
    QFETCH(QString, text);
    QCOMPARE(NumToText(value, width, zero), text);
}

void TestCode::codeToText() {
    TCodeRec t = ticket({1, 2, 3, 4, 5, 6});
    t.Blue[6] = 1;
    QString s;
    QVERIFY(CodeToText(t, s, true, 7, Game::ssq()));
    QCOMPARE(s, QStringLiteral("01 02 03 04 05 06+07"));
    QVERIFY(!CodeToText(t, s, true, 8, Game::ssq()));
    QCOMPARE(s, QStringLiteral("01 02 03 04 05 06"));
    QVERIFY(CodeToText(t, s, false, 7, Game::ssq()));
    QCOMPARE(s, QStringLiteral("01 02 03 04 05 06"));
    QCOMPARE(CodeToText(ticket({9, 10, 19, 20, 29, 33}), Game::ssq()), QStringLiteral("09 10 19 20 29 33"));
}

void TestCode::measures_data() {
    QTest::addColumn<TCodeRec>("t");
    // sum, tail sum, ac, odd, big, runGroups, runNumbers, longest, oddStep, evenStep, maxGap, primes, tails,
    // span
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("01 02 06 07 08 10")
        << ticket({1, 2, 6, 7, 8, 10}) << QList<int>{34, 24, 4, 2, 0, 2, 5, 2, 0, 1, 4, 3, 6, 9};
    QTest::newRow("01 03 07 09 11 19")
        << ticket({1, 3, 7, 9, 11, 19}) << QList<int>{50, 30, 3, 6, 1, 0, 0, 0, 3, 0, 8, 5, 4, 18};
    QTest::newRow("02 04 08 10 12 20")
        << ticket({2, 4, 8, 10, 12, 20}) << QList<int>{56, 16, 3, 0, 1, 0, 0, 0, 0, 3, 8, 1, 4, 18};
    QTest::newRow("01..06") << ticket({1, 2, 3, 4, 5, 6})
                            << QList<int>{21, 21, 0, 3, 0, 1, 6, 5, 0, 0, 1, 4, 6, 5};
    QTest::newRow("powers of two") << ticket({1, 2, 4, 8, 16, 32})
                                   << QList<int>{63, 23, 10, 1, 1, 1, 2, 1, 0, 1, 8, 2, 5, 31};
    QTest::newRow("01 02 03 04 05 33")
        << ticket({1, 2, 3, 4, 5, 33}) << QList<int>{48, 18, 4, 4, 1, 1, 5, 4, 0, 0, 8, 4, 5, 32};
    QTest::newRow("17..22") << ticket({17, 18, 19, 20, 21, 22})
                            << QList<int>{117, 27, 0, 3, 5, 1, 6, 5, 0, 0, 1, 2, 6, 5};
}

void TestCode::measures() {
    QFETCH(TCodeRec, t);
    QFETCH(QList<int>, expected);
    const QList<int> got{SumValue(t),
                         SumValue(t, true),
                         AcValue(t, Game::ssq()),
                         OddCount(t),
                         BigCount(t, Game::ssq()),
                         RunGroupCount(t, Game::ssq()),
                         RunNumberCount(t, Game::ssq()),
                         LongestRunLinks(t, Game::ssq()),
                         OddStepCount(t, Game::ssq()),
                         EvenStepCount(t, Game::ssq()),
                         MaxGap(t, Game::ssq()),
                         PrimeCount(t),
                         TailGroupCount(t, Game::ssq()),
                         SpanValue(t, Game::ssq())};
    QCOMPARE(got, expected);
}

void TestCode::comparisons_data() {
    QTest::addColumn<TCodeRec>("a");
    QTest::addColumn<TCodeRec>("b");
    QTest::addColumn<int>("common");
    QTest::addColumn<int>("samePos");
    QTest::addColumn<int>("diagonal");
    QTest::newRow("32 next to 33") << ticket({1, 5, 9, 13, 20, 32}) << ticket({3, 7, 11, 15, 26, 33}) << 0
                                   << 0 << 1;
    QTest::newRow("33 next to 32") << ticket({3, 7, 11, 15, 26, 33}) << ticket({1, 5, 9, 13, 20, 32}) << 0
                                   << 0 << 1;
    QTest::newRow("01 next to 02") << ticket({1, 5, 9, 13, 20, 30}) << ticket({2, 7, 11, 15, 26, 33}) << 0
                                   << 0 << 1;
    QTest::newRow("both sides count once")
        << ticket({5, 10, 15, 20, 25, 30}) << ticket({4, 6, 12, 17, 27, 33}) << 0 << 0 << 1;
    QTest::newRow("same draw") << ticket({1, 2, 3, 4, 5, 6}) << ticket({1, 2, 3, 4, 5, 6}) << 6 << 6 << 6;
    QTest::newRow("shifted") << ticket({1, 2, 3, 4, 5, 6}) << ticket({2, 3, 4, 5, 6, 7}) << 5 << 0 << 6;
}

void TestCode::comparisons() {
    QFETCH(TCodeRec, a);
    QFETCH(TCodeRec, b);
    QFETCH(int, common);
    QFETCH(int, samePos);
    QFETCH(int, diagonal);
    QCOMPARE(CommonCount(a, b), common);
    QCOMPARE(SamePosCount(a, b, Game::ssq()), samePos);
    QCOMPARE(DiagonalCount(a, b, Game::ssq()), diagonal);
    QCOMPARE(DiagonalCount(a, b, Game::ssq()), refDiagonal(a, b));
}

void TestCode::helpers() {
    QCOMPARE(PrimeCount(ticket({1, 4, 6, 8, 9, 10})), 1);
    QCOMPARE(BigCount(ticket({17, 18, 19, 20, 21, 22}), Game::ssq()), 5);
    QCOMPARE(BigTailCount(ticket({5, 9, 10, 14, 15, 20})), 3);
    QVERIFY(!IsComposite(1) && !IsComposite(2) && IsComposite(4) && !IsComposite(31) && IsComposite(33));
    QCOMPARE(NumDistance(3, 15), 12);
    QCOMPARE(NumDistance(15, 3, true), 2);
    int z1, z2, z3, m0, m1, m2;
    ZoneCounts(ticket({1, 11, 12, 22, 23, 33}), z1, z2, z3, Game::ssq());
    QCOMPARE((QList<int>{z1, z2, z3}), (QList<int>{2, 2, 2}));
    Mod3Counts(ticket({3, 6, 9, 1, 4, 2}), m0, m1, m2, Game::ssq());
    QCOMPARE((QList<int>{m0, m1, m2}), (QList<int>{3, 2, 1}));
    NumberSet set{};
    set[3] = set[9] = set[33] = 1;
    QCOMPARE(CountInSet(ticket({3, 4, 9, 10, 32, 33}), set), 3);
    QVERIFY(HasCode(ticket({3, 4, 9, 10, 32, 33}), 32));
    QVERIFY(!HasCode(ticket({3, 4, 9, 10, 32, 33}), 31));
    TCodeRec b = ticket({1, 2, 3, 4, 5, 6});
    b.Blue[15] = b.Blue[2] = 1;
    uint8_t blues[16];
    QCOMPARE(BlueList(b, blues), 2);
    QCOMPARE(blues[0], uint8_t(3));
    QCOMPARE(blues[1], uint8_t(16));
    QCOMPARE(blues[2], uint8_t(0));
    QCOMPARE(MaxOfList(QList<int>{99, 3, 7, 5}), 7);
    QCOMPARE(MaxOfList(QList<int>{99}), 0);
    QCOMPARE(MaxOfList(QList<int>{5, -3, -1}), 0);
    QCOMPARE(QString::fromLatin1(RatioLabels[0]), QStringLiteral("0:6"));
    QCOMPARE(QString::fromLatin1(RatioLabels[6]), QStringLiteral("6:0"));
}

void TestCode::acRangeOverAllTickets() {
    // Over every ticket the fast measures agree with the plain definitions and the AC value
    // stays in 0..10, with 0 exactly for arithmetic progressions (six consecutive
    // numbers among them).
    TCodeList list;
    CandidateFlags all;
    all.fill(1);
    BuildCombinations(list, all, Game::ssq());
    QCOMPARE(int(list.size()), TicketCount);
    QCOMPARE(CodeToText(list.front(), Game::ssq()), QStringLiteral("01 02 03 04 05 06"));
    QCOMPARE(CodeToText(list.back(), Game::ssq()), QStringLiteral("28 29 30 31 32 33"));
    for (size_t i = 0; i < list.size(); i += 7) {
        const TCodeRec& t = list[i];
        const int ac = AcValue(t, Game::ssq());
        QVERIFY(ac >= 0 && ac <= 10);
        bool progression = true;
        for (int k = 1; k < 5; ++k)
            progression = progression && t.Red[k + 1] - t.Red[k] == t.Red[1] - t.Red[0];
        QCOMPARE(ac == 0, progression);
        if (ac != refAc(t) || LongestRunLinks(t, Game::ssq()) != refLongestRun(t))
            QFAIL(qPrintable(CodeToText(t, Game::ssq())));
    }
}

// Pascal's triangle row by row, in unsigned 128-bit sums: every entry that fits in int64_t must be
// the binomial exactly, up to C(80, 20) near the top of the range; the others are no ticket count.
void TestCode::binomialAgainstPascal_data() {
    QTest::addColumn<int>("n");
    for (int n = 0; n <= 80; ++n)
        QTest::addRow("n=%d", n) << n;
}

void TestCode::binomialAgainstPascal() {
    QFETCH(int, n);
    using Wide = unsigned __int128;
    std::vector<Wide> row{1};
    for (int m = 1; m <= n; ++m) {
        std::vector<Wide> next(size_t(m) + 1, 1);
        for (int k = 1; k < m; ++k)
            next[size_t(k)] = row[size_t(k) - 1] + row[size_t(k)];
        row = std::move(next);
    }
    int compared = 0;
    for (int k = 0; k <= n; ++k) {
        if (row[size_t(k)] > Wide(INT64_MAX)) continue;
        QCOMPARE(Binomial(n, k), int64_t(row[size_t(k)]));
        ++compared;
    }
    QVERIFY(compared >= std::min(n + 1, 42)); // all of a row up to n = 66; k <= 20 and k >= 60 of n = 80
    QCOMPARE(Binomial(n, -1), 0);
    QCOMPARE(Binomial(n, n + 1), 0);
}

static_assert(Binomial(33, 6) == 1107568 && Binomial(30, 7) == 2035800 && Binomial(80, 10) == 1646492110120);

QTEST_GUILESS_MAIN(TestCode)
#include "tst_code.moc"
