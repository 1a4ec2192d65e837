#include "engine/core/KelvoraError.h"
#include "engine/history/HistoryLoader.h"
#include "engine/ledger/Ledger.h"
#include "engine/ledger/LedgerReport.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/TicketReader.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::vector<PrizeTicket> tickets(const char* text) {
    const TicketList list = ReadTickets(QString::fromUtf8(text));
    Q_ASSERT(list.badLines.empty());
    return list.tickets;
}

LedgerEntry entryOf(int issue, const char* text) {
    LedgerEntry e;
    e.issue = issue;
    e.tickets = tickets(text);
    for (const PrizeTicket& t : e.tickets)
        e.bets += TicketBets(t);
    e.cost = e.bets * BetCost;
    return e;
}

QByteArray fileHash(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The fixed prize of one random single bet, worked by hand over C(33,6) * 16 equally likely draws:
// 5+1 162*3000, 5+0 162*15*200, 4+1 5265*200, 4+0 5265*15*10, 3+1 58500*10, 2/1/0+1 1043640*5.
constexpr double SingleBetMean = 8617950.0 / (1107568.0 * 16.0);

} // namespace

class TestLedger : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    TCodeArr m_history;

  private slots:
    void initTestCase() {
        const HistoryLoad load = LoadHistory(QStringLiteral(KELVORA_SAMPLE));
        QCOMPARE(load.status, HistoryLoad::Ok);
        m_history = load.history;
        QVERIFY(m_history.size() > 100);
    }

    // Settling gives exactly what the prize check gives for the same tickets and draw, and follows a
    // corrected or withdrawn draw.
    void settlesAsThePrizeCheck() {
        Ledger ledger(m_dir.filePath(QStringLiteral("settle.sqlite")));
        const char* const lists[] = {
            "01 02 03 04 05 06+07\n10 11 12 13 14 15 16\n",
            "03 07 11 15 19 23 27 31+01 05 09 13\n01 02#03 04 05 06 07 08+09\n",
            "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 03 04 05 06 07 08\n",
            "02 09 14 21 27 33\n",
        };
        std::vector<std::pair<int64_t, size_t>> added; // id, history index
        for (size_t k = 0; k < 40; ++k) {
            const size_t at = m_history.size() - 1 - k * 7;
            LedgerEntry e;
            e.issue = m_history[at].code();
            e.tickets = tickets(lists[k % 4]);
            added.push_back({ledger.add(e), at});
        }
        LedgerEntry future;
        future.issue = m_history.back().code() + 1;
        future.tickets = tickets(lists[0]);
        const int64_t futureId = ledger.add(future);

        QCOMPARE(ledger.settle(m_history), 40);
        auto check = [&](const TCodeArr& history) {
            const std::vector<LedgerEntry> entries = ledger.list();
            QCOMPARE(entries.size(), size_t(41));
            for (const auto& [id, at] : added) {
                const auto e = std::find_if(entries.begin(), entries.end(),
                                            [&](const LedgerEntry& x) { return x.id == id; });
                const PrizeResult expected = CheckTickets(e->tickets, DrawOf(history[at]));
                QVERIFY(e->settled);
                QCOMPARE(e->tiers, expected.summary.tiers);
                QCOMPARE(e->prize, expected.summary.fixedPrize);
                QCOMPARE(e->bets, expected.summary.bets);
                QCOMPARE(e->cost, expected.summary.cost);
            }
            QVERIFY(!ledger.entry(futureId)->settled);
        };
        check(m_history);

        // The newest draw corrected to the first ticket's numbers: its entry now holds the 一等奖.
        TCodeArr corrected = m_history;
        TCodeRec& last = corrected.back().Ticket;
        const uint8_t reds[6] = {1, 2, 3, 4, 5, 6};
        std::copy(reds, reds + 6, last.Red);
        std::fill(last.Blue, last.Blue + 16, 0);
        last.Blue[6] = 1;
        QCOMPARE(ledger.settle(corrected), 40);
        check(corrected);
        QCOMPARE(ledger.entry(added[0].first)->tiers[0], 1);

        // A withdrawn draw takes its settlement back.
        TCodeArr shorter(m_history.begin(), m_history.end() - 1);
        QCOMPARE(ledger.settle(shorter), 39);
        QVERIFY(!ledger.entry(added[0].first)->settled);
    }

    void expectedFixedPrize_data() {
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<double>("expected");
        QTest::newRow("single") << "01 02 03 04 05 06+07" << SingleBetMean;
        // Every bet of a compound ticket is a single bet on its own: 7 and 28 * 3 of them.
        QTest::newRow("seven reds") << "01 02 03 04 05 06 07+08" << 7 * SingleBetMean;
        QTest::newRow("eight reds, three blues") << "01 02 03 04 05 06 07 08+01 02 03" << 84 * SingleBetMean;
        QTest::newRow("two bankers, six drags, two blues")
            << "01 02#03 04 05 06 07 08+01 02" << 30 * SingleBetMean;
        QTest::newRow("five bankers, twelve drags")
            << "01 05 09 13 17#02 03 04 06 07 08 10 11 12 14 15 16+03" << 12 * SingleBetMean;
        // No blue never hits one: only 5+0 (200) and 4+0 (10) pay, over C(33,6) reds.
        QTest::newRow("no blue") << "01 02 03 04 05 06" << (162.0 * 200 + 5265.0 * 10) / 1107568.0;
    }
    void expectedFixedPrize() {
        QFETCH(QString, ticket);
        QFETCH(double, expected);
        const TicketList list = ReadTickets(ticket);
        QCOMPARE(list.tickets.size(), size_t(1));
        QVERIFY(qAbs(ExpectedFixedPrize(list.tickets[0]) - expected) < 1e-9);
    }

    // A bet's expected fixed prize does not depend on its numbers, so any ticket's is its bets times the
    // mean of one bet over the tier odds of the game's rule version; the odds cover every draw once.
    void expectedFixedPrizeByGame_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<int>("issue");
        QTest::addColumn<bool>("extra");
        QTest::addColumn<QString>("ticket");
        QTest::newRow("ssq 胆拖") << "ssq" << 2026001 << false << "01 02#03 04 05 06 07 08+01 02";
        QTest::newRow("dlt v1 compound") << "dlt" << 2008001 << false << "01 02 03 04 05 06+01 02 03";
        QTest::newRow("dlt v2 追加, back banker")
            << "dlt" << 2012001 << true << "01 02#03 04 05 06 07+01#02 03";
        QTest::newRow("dlt v3 追加") << "dlt" << 2016001 << true << "01 02 03 04 05+01 02";
        QTest::newRow("dlt v4") << "dlt" << 2020001 << false << "01 02 03#04 05 06 07 08+01 02 03 04";
        QTest::newRow("dlt v5 追加") << "dlt" << 2026050 << true << "01 02 03 04 05 06 07+11 12";
    }
    void expectedFixedPrizeByGame() {
        QFETCH(QString, game);
        QFETCH(int, issue);
        QFETCH(bool, extra);
        QFETCH(QString, ticket);
        const Game& g = *Game::find(game);
        const PrizeRules& rules = PrizeRulesFor(g, issue);
        const TierOdds& odds = SingleBetTierOdds(rules);
        double all = 0, mean = 0;
        for (int t = 0; t <= rules.tierCount; ++t) {
            all += odds[size_t(t)];
            mean += odds[size_t(t)] * double(rules.betPrize(t, extra));
        }
        QVERIFY(qAbs(all - 1) < 1e-12);
        if (g.isSsq()) QVERIFY(qAbs(mean - SingleBetMean) < 1e-12);
        const TicketList list = ReadTickets(ticket, 0, g);
        QCOMPARE(list.tickets.size(), size_t(1));
        const double bets = double(TicketBets(list.tickets[0], g));
        QVERIFY(qAbs(ExpectedFixedPrize(list.tickets[0], rules, extra) - bets * mean) < 1e-9);
    }

    // Super-lotto entries are settled against the super lotto's history with the version of their issue
    // and their 追加, keep their back bankers, and leave the two-colour ball's entries alone.
    void settlesEachGame() {
        const Game& dlt = Game::dlt();
        const TCodeArr& history = DltSampleHistory();
        Ledger ledger(m_dir.filePath(QStringLiteral("games.sqlite")));
        const QString text = QStringLiteral("01 02#03 04 05 06 07+01#02 03\n03 09 14 22 27 30+02 05 07");
        const LedgerEntry last4 = MakeLedgerEntry(QStringLiteral("2026013"), text, true, QString(), dlt);
        const LedgerEntry first5 = MakeLedgerEntry(QStringLiteral("2026014"), text, false, QString(), dlt);
        QCOMPARE(last4.cost, last4.bets * 3);
        QCOMPARE(first5.cost, first5.bets * 2);
        ledger.add(std::vector<LedgerEntry>{last4, first5, entryOf(2026001, "01 02 03 04 05 06+07")});
        QCOMPARE(ledger.settle(history, QStringLiteral("dlt")), 2);
        const std::vector<LedgerEntry> entries = ledger.list(QStringLiteral("dlt"));
        QCOMPARE(entries.size(), size_t(2));
        for (const LedgerEntry& e : entries) {
            QVERIFY(e.settled);
            QCOMPARE(LedgerTicketsText(e, QStringLiteral("\n")), text);
            const auto rec = std::find_if(history.begin(), history.end(),
                                          [&](const TDrawRec& d) { return d.code() == e.issue; });
            const PrizeResult expected = CheckTickets(e.tickets, DrawOf(*rec, dlt), dlt, e.extra);
            QCOMPARE(expected.rules->version, e.issue == 2026013 ? 4 : 5);
            QCOMPARE(e.tiers, expected.summary.tiers);
            QCOMPARE(e.prize, expected.summary.fixedPrize);
            QCOMPARE(e.cost, expected.summary.cost);
            QCOMPARE(e.draw.backMask(), DrawOf(*rec, dlt).backMask());
        }
        const std::vector<LedgerEntry> ssq = ledger.list();
        QCOMPARE(ssq.size(), size_t(1));
        QVERIFY(!ssq[0].settled);
    }

    // A small ledger worked by hand.
    void reportFigures() {
        std::vector<LedgerEntry> entries;
        LedgerEntry a = entryOf(2025001, "01 02 03 04 05 06+07");
        a.settled = true;
        a.tiers = {0, 0, 0, 0, 0, 1};
        a.prize = 5;
        LedgerEntry b = entryOf(2025090, "01 02 03 04 05 06 07+08");
        b.settled = true;
        b.tiers = {0, 0, 0, 0, 1, 0};
        b.prize = 10;
        LedgerEntry c = entryOf(2026001, "01 02 03 04 05 06+07");
        c.settled = true;
        LedgerEntry d = entryOf(2026002, "01 02 03 04 05 06+07\n11 12 13 14 15 16+01");
        entries = {d, c, b, a};

        const LedgerReport r = MakeLedgerReport(entries);
        QCOMPARE(r.entries, 3);
        QCOMPARE(r.unsettled, 1);
        QCOMPARE(r.bets, 9);
        QCOMPARE(r.cost, 18);
        QCOMPARE(r.fixedPrize, 15);
        QCOMPARE(r.net(), -3);
        QCOMPARE(r.returnRate(), 15.0 / 18.0);
        QVERIFY(qAbs(r.expectedFixedPrize - 9 * SingleBetMean) < 1e-9);
        QCOMPARE(r.byYear.size(), size_t(2));
        QCOMPARE(r.byYear[0].year, 2025);
        QCOMPARE(r.byYear[0].cost, 16);
        QCOMPARE(r.byYear[0].fixedPrize, 15);
        QCOMPARE(r.byYear[1].year, 2026);
        QCOMPARE(r.byYear[1].cost, 2);
        QCOMPARE(r.byYear[1].fixedPrize, 0);
        // 15 from 9 bets is lucky but not rare enough, and the same seed gives the same share.
        QVERIFY(r.pValue > 0.01 && r.pValue < 0.2);
        QVERIFY(!r.betterThanRandom());
        QCOMPARE(MakeLedgerReport(entries).pValue, r.pValue);
        QVERIFY(LedgerReportLines(r).join('\n').contains(QStringLiteral("与随机投注没有显著差别")));

        const std::vector<LedgerCurvePoint> curve = LedgerCurve(entries);
        QCOMPARE(curve.size(), size_t(3));
        QCOMPARE(curve.back().cost, 18);
        QCOMPARE(curve.back().prize, 15);
        QCOMPARE(curve.front().issue, 2025001);

        // Nothing won: every random player did at least as well. A 一等奖 among few bets: almost none.
        entries[3].tiers = {};
        entries[3].prize = 0;
        entries[2].tiers = {};
        entries[2].prize = 0;
        QCOMPARE(MakeLedgerReport(entries).pValue, 1.0);
        entries[2].tiers = {1, 0, 0, 0, 0, 0};
        const LedgerReport lucky = MakeLedgerReport(entries);
        QVERIFY(lucky.betterThanRandom());
        QVERIFY(LedgerReportLines(lucky).join('\n').contains(QStringLiteral("好于随机")));
    }

    // The super lotto's 三等奖 floated under the first versions: such a win is listed among the
    // floating ones, while the same hits later win its fixed prize.
    void reportsEveryFloatingTier() {
        const Game& dlt = Game::dlt();
        const TCodeArr& history = DltSampleHistory();
        Ledger ledger(m_dir.filePath(QStringLiteral("floating.sqlite")));
        auto fiveFronts = [&](int issue) {
            const auto rec = std::find_if(history.begin(), history.end(),
                                          [&](const TDrawRec& d) { return d.code() == issue; });
            const PrizeDraw draw = DrawOf(*rec, dlt);
            QStringList backs;
            for (int n = 1; n <= dlt.backPool && backs.size() < 2; ++n)
                if (!(draw.backMask() >> n & 1u))
                    backs << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
            return MakeLedgerEntry(QString::number(issue), MaskNumbers(draw.reds) + '+' + backs.join(' '),
                                   false, QString(), dlt);
        };
        ledger.add(std::vector<LedgerEntry>{fiveFronts(2008001), fiveFronts(2020001)});
        QCOMPARE(ledger.settle(history, QStringLiteral("dlt")), 2);
        const LedgerReport r = MakeLedgerReport(ledger.list(QStringLiteral("dlt")));
        QCOMPARE(r.tiers[2], 2);
        QCOMPARE(r.floating[2], 1);
        QCOMPARE(r.fixedPrize, 10000);
        QVERIFY(
            LedgerReportJson(r).contains(QStringLiteral(R"("floating":{"一等奖":0,"二等奖":0,"三等奖":1})")));
        QVERIFY(LedgerReportLines(r).join('\n').contains(QStringLiteral("二等奖 0 注，三等奖 1 注")));
        QVERIFY(LedgerReportLines(r).join('\n').contains(QStringLiteral("二等奖 0 注  三等奖 1 注")));
    }

    // Whatever is not a ledger is refused and stays byte for byte as it was.
    void refusesForeignFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("text file") << "text" << QStringLiteral("不是投注记录数据库");
        QTest::newRow("foreign database") << "foreign" << QStringLiteral("不是投注记录数据库");
        QTest::newRow("empty database of another program")
            << "emptydb" << QStringLiteral("不是投注记录数据库");
        QTest::newRow("newer ledger") << "newer" << QStringLiteral("较新版本");
    }
    void refusesForeignFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(kind + QStringLiteral(".sqlite"));
        if (kind == QLatin1String("text")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("2026001 01 02 03 04 05 06 07\r\n");
        } else if (kind == QLatin1String("newer")) {
            { Ledger made(path); }
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kind);
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 2")));
            db.close();
        } else {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kind);
            db.setDatabaseName(path);
            QVERIFY(db.open());
            if (kind == QLatin1String("foreign"))
                QVERIFY(QSqlQuery(db).exec(
                    QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT)")));
            else
                QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 3")));
            db.close();
        }
        QSqlDatabase::removeDatabase(kind);
        const QByteArray before = fileHash(path);
        try {
            Ledger ledger(path);
            QFAIL("opened");
        } catch (const KelvoraError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QCOMPARE(fileHash(path), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
    }

    // Two programs on one file: each sees the other's entries on its next read.
    void twoConnections() {
        const QString path = m_dir.filePath(QStringLiteral("shared.sqlite"));
        Ledger first(path);
        Ledger second(path);
        const int64_t id = first.add(entryOf(2026010, "01 02 03 04 05 06+07"));
        QCOMPARE(second.list().size(), size_t(1));
        QVERIFY(second.remove(id));
        QVERIFY(first.list().empty());
        // A removed entry put back keeps its id and its tickets.
        LedgerEntry back = entryOf(2026010, "01 02 03 04 05 06 07+08 09");
        back.id = id;
        back.note = QStringLiteral("复式");
        QCOMPARE(first.add(back), id);
        const std::optional<LedgerEntry> e = second.entry(id);
        QVERIFY(e);
        QCOMPARE(e->bets, 14);
        QCOMPARE(e->note, QStringLiteral("复式"));
        QCOMPARE(e->tickets.size(), size_t(1));
        QCOMPARE(e->tickets[0].reds, back.tickets[0].reds);
        QCOMPARE(e->tickets[0].blues, back.tickets[0].blues);
    }

    void issueCodes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("issue");
        QTest::newRow("plain") << "2026096" << 2026096;
        QTest::newRow("blanks") << " 2026001 " << 2026001;
        QTest::newRow("six digits") << "202609" << 0;
        QTest::newRow("number 000") << "2026000" << 0;
        QTest::newRow("letters") << "2026a01" << 0;
    }
    void issueCodes() {
        QFETCH(QString, text);
        QFETCH(int, issue);
        try {
            QCOMPARE(ReadLedgerIssue(text), issue);
        } catch (const KelvoraError& e) {
            QCOMPARE(issue, 0);
            QVERIFY(e.message().contains(QStringLiteral("期号")));
        }
    }
};

QTEST_GUILESS_MAIN(TestLedger)
#include "tst_ledger.moc"
