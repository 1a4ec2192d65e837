#include "engine/core/Binomial.h"
#include "engine/core/Game.h"
#include "engine/core/KelvoraError.h"
#include "engine/wheel/ResultWheel.h"
#include "engine/wheel/StoredWheels.h"
#include "engine/wheel/Wheel.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <bit>
#include <numeric>
#include <random>
#include <set>
#include <thread>

namespace {

// A 16-ticket "10码中6保5" table as published: it holds only 中6保4.
const char* const falseTable[] = {
    "01 02 03 04 05 09", "01 02 03 04 08 10", "01 02 03 07 08 10", "01 02 04 05 07 09",
    "01 02 04 06 07 09", "01 02 04 06 07 10", "01 02 05 07 09 10", "01 02 06 07 08 09",
    "01 03 04 05 07 08", "01 03 05 06 09 10", "01 04 07 08 09 10", "02 03 05 06 07 08",
    "02 03 06 08 09 10", "02 04 05 06 09 10", "03 04 05 07 08 10", "04 05 06 07 08 09"};

std::vector<uint64_t> falseTableReds() {
    std::vector<uint64_t> reds;
    for (const char* line : falseTable) {
        uint64_t m = 0;
        for (const QString& n : QString::fromLatin1(line).split(QLatin1Char(' ')))
            m |= uint64_t(1) << n.toInt();
        reds.push_back(m);
    }
    return reds;
}

// Counts the uncovered draws with sets, independent of the bit tricks of the checker.
int64_t bruteUncovered(int v, int drawn, int held, const std::vector<WheelMask>& tickets) {
    std::vector<std::set<int>> sets;
    for (WheelMask t : tickets) {
        std::set<int> s;
        for (int i = 0; i < v; ++i)
            if (t >> i & 1u) s.insert(i);
        sets.push_back(s);
    }
    std::vector<int> pick(v, 0);
    std::fill(pick.end() - drawn, pick.end(), 1);
    int64_t uncovered = 0;
    do {
        std::set<int> d;
        for (int i = 0; i < v; ++i)
            if (pick[i]) d.insert(i);
        bool met = false;
        for (const std::set<int>& s : sets) {
            std::vector<int> common;
            std::set_intersection(d.begin(), d.end(), s.begin(), s.end(), std::back_inserter(common));
            met = met || int(common.size()) >= held;
        }
        uncovered += !met;
    } while (std::next_permutation(pick.begin(), pick.end()));
    return uncovered;
}

} // namespace

Q_DECLARE_METATYPE(const Game*)

class TestWheel : public QObject {
    Q_OBJECT
  private slots:
    void checkerMatchesBruteForce_data() {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("tickets");
        QTest::newRow("8 numbers 中6保5") << 8 << 6 << 6 << 5 << 3;
        QTest::newRow("9 numbers 中5保4") << 9 << 6 << 5 << 4 << 4;
        QTest::newRow("10 numbers 中4保3, 5 places") << 10 << 5 << 4 << 3 << 5;
        QTest::newRow("11 numbers 中3保3") << 11 << 6 << 3 << 3 << 12;
        QTest::newRow("12 numbers 中6保2") << 12 << 6 << 6 << 2 << 2;
        QTest::newRow("10 numbers 中7保6, 7 places") << 10 << 7 << 7 << 6 << 5;
        QTest::newRow("11 numbers 中6保5, 7 places") << 11 << 7 << 6 << 5 << 6;
        QTest::newRow("12 numbers 中7保5, 7 places") << 12 << 7 << 7 << 5 << 3;
    }
    void checkerMatchesBruteForce() {
        QFETCH(int, v);
        QFETCH(int, k);
        QFETCH(int, drawn);
        QFETCH(int, held);
        QFETCH(int, tickets);
        std::mt19937 rng(uint32_t(v * 100 + drawn * 10 + held));
        for (int round = 0; round < 20; ++round) {
            std::vector<WheelMask> wheel;
            for (int t = 0; t < tickets; ++t) {
                std::vector<int> p(v);
                std::iota(p.begin(), p.end(), 0);
                std::shuffle(p.begin(), p.end(), rng);
                WheelMask m = 0;
                for (int i = 0; i < k; ++i)
                    m |= WheelMask(1) << p[i];
                wheel.push_back(m);
            }
            const WheelCheckResult r = CheckWheel(v, drawn, held, wheel, 3);
            QCOMPARE(r.draws, Binomial(v, drawn));
            QCOMPARE(r.uncovered, bruteUncovered(v, drawn, held, wheel));
            QCOMPARE(int64_t(r.examples.size()), std::min<int64_t>(3, r.uncovered));
            for (WheelMask d : r.examples)
                for (WheelMask t : wheel)
                    QVERIFY(std::popcount(d & t) < held);
        }
    }

    void falsePublishedTable() {
        const std::vector<int> numbers{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        const TicketWheelCheck five = CheckTicketWheel(numbers, 6, 5, falseTableReds());
        QCOMPARE(five.draws, int64_t(210));
        QCOMPARE(five.uncovered, int64_t(8));
        QCOMPARE(int(five.examples.size()), 8);
        QCOMPARE(CheckTicketWheel(numbers, 6, 4, falseTableReds()).uncovered, int64_t(0));
    }

    void everyStoredWheelPasses() {
        QFile file(WheelTableFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::vector<StoredWheel> table = ReadWheelTable(QString::fromUtf8(file.readAll()));
        QVERIFY(table.size() >= 30);
        for (const StoredWheel& w : table) {
            const WheelShape& s = w.shape;
            const WheelCheckResult r = CheckWheel(s.v, s.drawn, s.held, w.tickets, 1);
            QVERIFY2(r.uncovered == 0,
                     qPrintable(QStringLiteral("v=%1 中%2保%3").arg(s.v).arg(s.drawn).arg(s.held)));
            for (WheelMask t : w.tickets)
                QCOMPARE(std::popcount(t), s.k);
        }
        QCOMPARE(StoredWheels().size(), table.size());
        // A ticket of the wrong size or a broken table never reaches the program.
        QCOMPARE(int(ReadWheelTable(u"wheel 8 6 6 5\n01 02 03 04 05 06\n01 02 03 04 05\n").size()), 0);
    }

    // A built wheel of each game, checked on its numbers (not its masks) against every draw of P of
    // them: tickets of the game's picks, numbers from the request only, the guarantee held.
    void gameWheelMeetsEveryDraw_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QList<int>>("bankers");
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("held");
        QTest::newRow("ssq 9 numbers 中5保4")
            << &Game::ssq() << QList<int>{2, 5, 9, 13, 17, 21, 26, 30, 33} << QList<int>{} << 5 << 4;
        QTest::newRow("dlt 8 numbers 中5保4")
            << &Game::dlt() << QList<int>{3, 8, 14, 21, 27, 33, 34, 35} << QList<int>{} << 5 << 4;
        QTest::newRow("dlt 11 numbers 中4保3, banker 35")
            << &Game::dlt() << QList<int>{1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 34} << QList<int>{35} << 4
            << 3;
        QTest::newRow("qlc 11 numbers 中7保6")
            << &Game::qlc() << QList<int>{1, 4, 8, 11, 15, 18, 22, 25, 27, 29, 30} << QList<int>{} << 7 << 6;
        QTest::newRow("qlc 12 numbers 中7保5")
            << &Game::qlc() << QList<int>{2, 3, 5, 7, 11, 13, 17, 19, 23, 26, 28, 30} << QList<int>{} << 7
            << 5;
        // One banker leaves six places: the wheel of six-number tickets serves.
        QTest::newRow("qlc 12 numbers 中6保5, banker 30")
            << &Game::qlc() << QList<int>{1, 3, 6, 9, 12, 15, 18, 21, 24, 26, 27, 29} << QList<int>{30} << 6
            << 5;
    }
    void gameWheelMeetsEveryDraw() {
        QFETCH(const Game*, game);
        QFETCH(QList<int>, numbers);
        QFETCH(QList<int>, bankers);
        QFETCH(int, drawn);
        QFETCH(int, held);
        WheelRequest r;
        r.numbers.assign(numbers.begin(), numbers.end());
        r.bankers.assign(bankers.begin(), bankers.end());
        r.drawn = drawn;
        r.held = held;
        r.picks = game->frontPicks;
        r.pool = game->frontPool;
        WheelSearchOptions o;
        o.timeLimit = std::chrono::milliseconds(300);
        const Wheel w = BuildWheel(r, o);
        const std::vector<std::vector<int>> tickets = WheelTicketNumbers(w);
        const std::set<int> allowed(numbers.begin(), numbers.end());
        for (const std::vector<int>& t : tickets) {
            QCOMPARE(int(std::set<int>(t.begin(), t.end()).size()), game->frontPicks);
            for (int b : bankers)
                QVERIFY(std::count(t.begin(), t.end(), b) == 1);
            QCOMPARE(int(std::count_if(t.begin(), t.end(), [&](int n) { return allowed.count(n) == 1; })),
                     game->frontPicks - int(bankers.size()));
        }
        const int v = int(numbers.size());
        std::vector<int> pick(size_t(v), 0);
        std::fill(pick.end() - drawn, pick.end(), 1);
        int64_t draws = 0;
        do {
            ++draws;
            std::set<int> d;
            for (int i = 0; i < v; ++i)
                if (pick[size_t(i)]) d.insert(numbers[i]);
            const bool met = std::any_of(tickets.begin(), tickets.end(), [&](const std::vector<int>& t) {
                return std::count_if(t.begin(), t.end(), [&](int n) { return d.count(n) == 1; }) >= held;
            });
            QVERIFY(met);
        } while (std::next_permutation(pick.begin(), pick.end()));
        QCOMPARE(w.draws, draws);
        const QJsonObject json = QJsonDocument::fromJson(WheelJson(w, game->keyText()).toUtf8()).object();
        QCOMPARE(json.value("game").toString(), game->keyText());
        QCOMPARE(json.value("count").toInt(), int(tickets.size()));
    }

    void schoenheimBound() {
        QCOMPARE(SchoenheimBound(10, 6, 5, 5).value(), int64_t(44));
        QCOMPARE(SchoenheimBound(7, 6, 5, 5).value(), int64_t(6));
        QVERIFY(!SchoenheimBound(10, 6, 6, 5));
    }

    void wheelWithBankers() {
        WheelRequest r;
        r.numbers = {3, 5, 8, 11, 14, 19, 22, 27, 30};
        r.bankers = {1};
        r.drawn = 5;
        r.held = 4;
        WheelSearchOptions o;
        o.timeLimit = std::chrono::milliseconds(300);
        const Wheel w = BuildWheel(r, o);
        QCOMPARE(w.draws, Binomial(9, 5));
        for (const std::vector<int>& t : WheelTicketNumbers(w)) {
            QCOMPARE(int(t.size()), 6);
            QCOMPARE(t.front(), 1);
        }
        QCOMPARE(CheckWheel(9, 5, 4, w.tickets).uncovered, int64_t(0));
    }

    void refusedRequests_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QString>("bankers");
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("held");
        QTest::addColumn<QString>("message");
        const Game* ssq = &Game::ssq();
        const Game* qlc = &Game::qlc();
        QTest::newRow("too few") << ssq << "1,2,3,4,5,6"
                                 << "" << 6 << 5 << "号码个数为6个";
        QTest::newRow("too many") << ssq << "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25"
                                  << "" << 6 << 5 << "号码个数为25个";
        QTest::newRow("T above P") << ssq << "1,2,3,4,5,6,7"
                                   << "" << 4 << 5 << "中4保5";
        QTest::newRow("banker among numbers") << ssq << "1,2,3,4,5,6,7"
                                              << "7" << 6 << 5 << "胆码07也在号码中";
        QTest::newRow("T above free places") << ssq << "1,2,3,4,5,6,7"
                                             << "9,10" << 6 << 5 << "无法保5";
        QTest::newRow("qlc seven numbers") << qlc << "1,2,3,4,5,6,7"
                                           << "" << 7 << 6 << "号码个数为7个：旋转矩阵需要8-24个号码";
        QTest::newRow("qlc 31 is no number") << qlc << "1,2,3,4,5,6,7,31"
                                             << "" << 7 << 6 << "号码\"31\"无效：应为01-30之间的号码";
        QTest::newRow("qlc P above seven") << qlc << "1,2,3,4,5,6,7,8,9"
                                           << "" << 8 << 6 << "应满足2≤保≤中≤7";
        QTest::newRow("qlc seven bankers") << qlc << "1,2,3,4,5,6,7,8"
                                           << "9,10,11,12,13,14,15" << 2 << 2 << "胆码有7个：最多6个";
        QTest::newRow("qlc T above free places") << qlc << "1,2,3,4,5,6,7,8"
                                                 << "29,30" << 7 << 6 << "有2个胆码时每注只余5个位置，无法保6";
    }
    void refusedRequests() {
        QFETCH(const Game*, game);
        QFETCH(QString, numbers);
        QFETCH(QString, bankers);
        QFETCH(int, drawn);
        QFETCH(int, held);
        QFETCH(QString, message);
        WheelRequest r;
        r.drawn = drawn;
        r.held = held;
        r.picks = game->frontPicks;
        r.pool = game->frontPool;
        try {
            r.numbers = ReadWheelNumbers(numbers, r.pool, QStringLiteral("号码"));
            r.bankers = ReadWheelNumbers(bankers, r.pool, QStringLiteral("胆码"));
            BuildWheel(r);
            QFAIL("built");
        } catch (const KelvoraError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    // Every ticket of 13 numbers is a dense result: the chosen ones must meet each in T (one less
    // than the ticket's numbers).
    void coverOfAResult_data() {
        QTest::addColumn<int>("picks");
        QTest::newRow("six numbers 保5") << 6;
        QTest::newRow("seven numbers 保6") << 7;
    }
    void coverOfAResult() {
        QFETCH(int, picks);
        const int held = picks - 1;
        std::vector<uint64_t> tickets;
        for (uint32_t m = 0; m < (1u << 13); ++m)
            if (std::popcount(m) == picks) tickets.push_back(uint64_t(m) << 1);
        // A long clock for both runs: under a sanitizer on a slow machine the 9 s default is reached.
        ResultCoverOptions fast;
        fast.timeLimit = std::chrono::minutes(10);
        const ResultWheel w = CoverResultTickets(tickets, held, fast);
        QCOMPARE(w.from, int(tickets.size()));
        QCOMPARE(UncoveredResultTickets(tickets, w.tickets, held), int64_t(0));
        QCOMPARE(w.greedyCount, int(GreedyResultCover(tickets, held).size()));
        QVERIFY2(w.tickets.size() * 10 <= size_t(w.greedyCount) * 9,
                 qPrintable(QStringLiteral("%1 of greedy %2").arg(w.tickets.size()).arg(w.greedyCount)));

        // The search ends on its own budget, not the clock: a much slower run chooses the same tickets.
        ResultCoverOptions slow;
        slow.timeLimit = std::chrono::minutes(10);
        int calls = 0;
        slow.progress = [&calls](int) {
            ++calls;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        };
        const ResultWheel again = CoverResultTickets(tickets, held, slow);
        QVERIFY(calls > 10);
        QCOMPARE(again.tickets, w.tickets);

        // A guarantee above the tickets' own numbers is refused by name.
        try {
            CoverResultTickets(tickets, picks + 1);
            QFAIL("covered");
        } catch (const KelvoraError& e) {
            QCOMPARE(e.message(), QStringLiteral("保证号码数%1无效：应为2-%2").arg(picks + 1).arg(picks));
        }
    }

    // The check through shared T-subsets against a plain pairwise count, on random lists.
    void uncoveredMatchesPairwise_data() {
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("pool");
        QTest::addColumn<int>("picks");
        QTest::newRow("ssq 保2") << 2 << 33 << 6;
        QTest::newRow("ssq 保4 of 12") << 4 << 12 << 6;
        QTest::newRow("ssq 保5 of 10") << 5 << 10 << 6;
        QTest::newRow("ssq 保6 of 9") << 6 << 9 << 6;
        QTest::newRow("dlt 保3 of 11") << 3 << 11 << 5;
        QTest::newRow("dlt 保5 of 8") << 5 << 8 << 5;
    }
    void uncoveredMatchesPairwise() {
        QFETCH(int, held);
        QFETCH(int, pool);
        QFETCH(int, picks);
        std::mt19937 rng(uint32_t(held * 1000 + pool * 10 + picks));
        auto randomTicket = [&] {
            std::vector<int> p(static_cast<size_t>(pool));
            std::iota(p.begin(), p.end(), 1);
            std::shuffle(p.begin(), p.end(), rng);
            uint64_t t = 0;
            for (int i = 0; i < picks; ++i)
                t |= uint64_t(1) << p[size_t(i)];
            return t;
        };
        for (int round = 0; round < 10; ++round) {
            std::vector<uint64_t> list(300);
            std::vector<uint64_t> chosen(size_t(1 + round * 3));
            std::generate(list.begin(), list.end(), randomTicket);
            std::generate(chosen.begin(), chosen.end(), randomTicket);
            int64_t pairwise = 0;
            for (uint64_t t : list)
                pairwise += std::none_of(chosen.begin(), chosen.end(),
                                         [&](uint64_t c) { return std::popcount(t & c) >= held; });
            QCOMPARE(UncoveredResultTickets(list, chosen, held), pairwise);
        }
    }

    // With the top guarantee every ticket must be matched in all its numbers: the cover is the list
    // itself without repeats, found at once however long the list.
    void topGuaranteeIsTheList() {
        std::vector<uint64_t> all;
        for (uint32_t m = 0; m < (1u << 24); ++m)
            if (std::popcount(m) == 6) all.push_back(uint64_t(m) << 5);
        QVERIFY(all.size() > 100000);
        std::vector<uint64_t> list = all;
        list.insert(list.end(), all.begin(), all.begin() + 1000); // repeats count once
        std::atomic<bool> cancel{false};
        ResultCoverOptions o;
        o.cancel = &cancel;
        const ResultWheel w = CoverResultTickets(list, 6, o);
        QCOMPARE(w.from, int(all.size()));
        QCOMPARE(w.tickets, all);
        QVERIFY(!w.cancelled);

        // Nearly every two tickets of that list share two numbers: refused by name, not searched.
        try {
            CoverResultTickets(all, 2);
            QFAIL("covered");
        } catch (const KelvoraError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("注数太多：保2时无法旋转这134596注")),
                     qPrintable(e.message()));
        }
    }

    // The common super-lotto wheel of 10 numbers 中5保4 ends once no smaller wheel turns up for the
    // stall budget, long before its time, with no more tickets than the 14 of a full 30 s search.
    void superLottoWheelStopsWhenStalled() {
        WheelRequest r;
        r.numbers = {2, 7, 11, 16, 19, 23, 27, 30, 33, 35};
        r.picks = 5;
        r.pool = 35;
        r.drawn = 5;
        r.held = 4;
        WheelSearchOptions o;
        o.timeLimit = std::chrono::minutes(10);
        const Wheel w = BuildWheel(r, o);
        QVERIFY2(w.tickets.size() <= 14, qPrintable(QString::number(w.tickets.size())));
        const WheelShape shape = WheelShapeOf(r);
        if (int64_t(w.tickets.size()) > WheelLowerBound(shape)) {
            QCOMPARE(w.search.end, WheelSearchEnd::Stalled);
            QCOMPARE(w.search.steps - w.search.lastGainStep, WheelStallSteps(shape));
        }
        QVERIFY(w.search.steps < WheelStallSteps(shape) * 2);
        // The same request ends with the same tickets: the stop does not depend on the clock.
        QCOMPARE(BuildWheel(r, o).tickets, w.tickets);
    }

    // 取消 from the progress callback: the search returns after few further calls, with the best
    // complete result so far, or with the cancel refusal when there is none yet.
    void cancelFromProgress() {
        // A wide super-lotto wheel: 中5保4 of 20 numbers searched with no time limit to speak of.
        WheelRequest r;
        for (int n = 1; n <= 20; ++n)
            r.numbers.push_back(n);
        r.picks = 5;
        r.pool = 35;
        r.drawn = 5;
        r.held = 4;
        std::atomic<bool> cancel{false};
        int calls = 0;
        int afterCancel = 0;
        int bestAtCancel = 0;
        WheelSearchOptions o;
        o.timeLimit = std::chrono::minutes(10);
        o.cancel = &cancel;
        o.progress = [&](int best) {
            if (cancel) {
                ++afterCancel;
            } else if (++calls == 3) {
                cancel = true;
                bestAtCancel = best;
            }
        };
        const Wheel w = BuildWheel(r, o);
        QCOMPARE(w.search.end, WheelSearchEnd::Cancelled);
        QCOMPARE(afterCancel, 0);
        QCOMPARE(int(w.tickets.size()), bestAtCancel);
        QCOMPARE(CheckWheel(20, 5, 4, w.tickets).uncovered, int64_t(0));

        // 缩水后旋转 of all tickets of 16 numbers, cancelled at the first call of the search or before.
        std::vector<uint64_t> tickets;
        for (uint32_t m = 0; m < (1u << 16); ++m)
            if (std::popcount(m) == 6) tickets.push_back(uint64_t(m) << 1);
        for (const int at : {100, 200, 201}) {
            std::atomic<bool> stop{false};
            int calls = 0;
            ResultCoverOptions c;
            c.timeLimit = std::chrono::minutes(10);
            c.cancel = &stop;
            c.progress = [&](int permille) {
                if (stop) ++calls;
                if (permille >= at) stop = true;
            };
            try {
                const ResultWheel cover = CoverResultTickets(tickets, 5, c);
                QVERIFY(at > 100);
                QVERIFY(cover.cancelled);
                QCOMPARE(UncoveredResultTickets(tickets, cover.tickets, 5), int64_t(0));
                QVERIFY(int(cover.tickets.size()) <= cover.greedyCount);
            } catch (const KelvoraError& e) {
                QCOMPARE(at, 100);
                QCOMPARE(e.message(), WheelCancelledMessage());
            }
            QVERIFY2(calls <= 1, qPrintable(QStringLiteral("%1 calls after 取消").arg(calls)));
        }
    }

    // A table file as the program meets it: the smallest wheel of a cell that passes is offered, a
    // wheel that fails or a block that does not read is dropped with a message, and without the
    // file every wheel is searched and still checked.
    void wheelTableFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wheels.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("# 8 numbers: a wrong wheel of 3 tickets, the right one of 4; a broken 9-number block\n"
                "wheel 8 6 6 5\n01 02 03 04 05 06\n01 02 03 04 07 08\n01 02 05 06 07 08\n"
                "wheel 8 6 6 5\n01 02 03 04 07 08\n01 03 04 05 06 07\n01 02 05 06 07 08\n"
                "02 03 04 05 06 07\n"
                "wheel 9 6 6 5\n01 02 03 04 05 06\n01 02 03 04 05 10\n");
        f.close();
        const WheelShape eight{8, 6, 6, 5}, nine{9, 6, 6, 5};
        SetWheelTableFile(path);
        const StoredWheel* stored = FindStoredWheel(eight);
        QVERIFY(stored);
        QCOMPARE(int(stored->tickets.size()), 4);
        QCOMPARE(bruteUncovered(8, 6, 5, stored->tickets), int64_t(0));
        QVERIFY(!FindStoredWheel(nine));
        QCOMPARE(StoredWheelProblems(),
                 (QStringList{QStringLiteral("旋转矩阵表第13行有误，这一组已舍弃。"),
                              QStringLiteral("旋转矩阵表里中6保5（8个号码）的3注未通过验证，已舍弃。")}));
        QCOMPARE(int(StoredWheels().size()), 1);

        SetWheelTableFile(dir.filePath(QStringLiteral("missing.txt")));
        QVERIFY(!FindStoredWheel(eight));
        QCOMPARE(StoredWheelProblems().size(), 1);
        QVERIFY(StoredWheelProblems().first().startsWith(QStringLiteral("找不到旋转矩阵表")));
        WheelRequest r;
        r.numbers = {1, 2, 3, 4, 5, 6, 7, 8};
        r.drawn = 6;
        r.held = 5;
        const Wheel w = BuildWheel(r);
        QVERIFY(!w.stored);
        QCOMPARE(bruteUncovered(8, 6, 5, w.tickets), int64_t(0));
        SetWheelTableFile(QString());
    }

    // 缩水后旋转 of every ticket of v numbers is a 中6保5 wheel of v numbers: checked draw by draw, and
    // within a fifth of the smallest published size of that wheel.
    void coverOfEveryTicketNearPublishedWheel_data() {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("published");
        QTest::newRow("12 numbers") << 12 << 38;
        QTest::newRow("13 numbers") << 13 << 61;
        QTest::newRow("14 numbers") << 14 << 98;
    }
    void coverOfEveryTicketNearPublishedWheel() {
        QFETCH(int, v);
        QFETCH(int, published);
        std::vector<uint64_t> tickets;
        for (uint32_t m = 0; m < (1u << v); ++m)
            if (std::popcount(m) == 6) tickets.push_back(uint64_t(m) << 1);
        const ResultWheel w = CoverResultTickets(tickets, 5);
        std::vector<WheelMask> wheel;
        for (uint64_t t : w.tickets)
            wheel.push_back(WheelMask(t >> 1));
        QCOMPARE(bruteUncovered(v, 6, 5, wheel), int64_t(0));
        QVERIFY2(int(w.tickets.size()) * 5 <= published * 6,
                 qPrintable(QStringLiteral("%1 tickets, published %2").arg(w.tickets.size()).arg(published)));
    }
};

QTEST_GUILESS_MAIN(TestWheel)
#include "tst_wheel.moc"
