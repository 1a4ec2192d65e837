#include "engine/core/KelvoraError.h"
#include "engine/history/HistoryLoader.h"
#include "engine/io/JsonWriter.h"
#include "engine/ledger/Ledger.h"
#include "engine/ledger/LedgerReport.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/TicketReader.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlError>
#include <cmath>
#include <functional>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::vector<PrizeTicket> tickets(const char* text) {
    const TicketList list = ReadTickets(QString::fromUtf8(text), 0, Game::ssq());
    Q_ASSERT(list.badLines.empty());
    return list.tickets;
}

LedgerEntry entryOf(int issue, const char* text) {
    LedgerEntry e;
    e.issue = issue;
    e.tickets = tickets(text);
    for (const PrizeTicket& t : e.tickets)
        e.bets += TicketBets(t, Game::ssq());
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
        const HistoryLoad load = LoadHistory(SampleHistoryPath(), Game::ssq());
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

        QCOMPARE(ledger.settle(m_history, QStringLiteral("ssq")), 40);
        auto check = [&](const TCodeArr& history) {
            const std::vector<LedgerEntry> entries = ledger.list(QStringLiteral("ssq"));
            QCOMPARE(entries.size(), size_t(41));
            for (const auto& [id, at] : added) {
                const auto e = std::find_if(entries.begin(), entries.end(),
                                            [&](const LedgerEntry& x) { return x.id == id; });
                const PrizeResult expected =
                    CheckTickets(e->tickets, DrawOf(history[at], Game::ssq()), Game::ssq());
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
        QCOMPARE(ledger.settle(corrected, QStringLiteral("ssq")), 40);
        check(corrected);
        QCOMPARE(ledger.entry(added[0].first)->tiers[0], 1);

        // A withdrawn draw takes its settlement back.
        TCodeArr shorter(m_history.begin(), m_history.end() - 1);
        QCOMPARE(ledger.settle(shorter, QStringLiteral("ssq")), 39);
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
        const TicketList list = ReadTickets(ticket, 0, Game::ssq());
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
        QTest::newRow("qlc single") << "qlc" << 2026001 << false << "01 05 09 13 17 21 25";
        QTest::newRow("qlc compound") << "qlc" << 2026001 << false << "01 02 03 04 05 06 07 08 09";
        QTest::newRow("qlc 胆拖") << "qlc" << 2026001 << false << "01 02 03#04 05 06 07 08 09 10";
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
        if (&g == &Game::ssq()) QVERIFY(qAbs(mean - SingleBetMean) < 1e-12);
        const TicketList list = ReadTickets(ticket, 0, g);
        QCOMPARE(list.tickets.size(), size_t(1));
        const double bets = double(TicketBets(list.tickets[0], g));
        QVERIFY(qAbs(ExpectedFixedPrize(list.tickets[0], rules, extra) - bets * mean) < 1e-9);
    }

    // Entries of the other games are settled against their own history with the version of their issue
    // and their 追加, keep their bankers (and back bankers), their draw with its backs or special number
    // through a second opening of the file, and leave the two-colour ball's entries alone.
    void settlesEachGame_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("issues");
        QTest::addColumn<QList<int>>("versions");
        QTest::newRow("dlt") << "dlt" << "01 02#03 04 05 06 07+01#02 03\n03 09 14 22 27 30+02 05 07"
                             << QList<int>{2026013, 2026014} << QList<int>{4, 5};
        const TCodeArr& qlc = SampleHistoryOf(Game::qlc());
        QTest::newRow("qlc") << "qlc" << "01 02#03 04 05 06 07 08 09 10\n03 05 09 11 14 17 22 27 30"
                             << QList<int>{qlc[qlc.size() - 2].code(), qlc.back().code()} << QList<int>{1, 1};
    }
    void settlesEachGame() {
        QFETCH(QString, game);
        QFETCH(QString, text);
        QFETCH(QList<int>, issues);
        QFETCH(QList<int>, versions);
        const Game& g = *Game::find(game);
        const TCodeArr& history = SampleHistoryOf(g);
        const QString path = m_dir.filePath(game + QStringLiteral("-games.sqlite"));
        Ledger ledger(path);
        const bool extra = g.extraPrice > 0;
        const LedgerEntry first = MakeLedgerEntry(QString::number(issues[0]), text, extra, QString(), g);
        const LedgerEntry second = MakeLedgerEntry(QString::number(issues[1]), text, false, QString(), g);
        QCOMPARE(first.cost, first.bets * PriceOfBet(g, extra));
        QCOMPARE(second.cost, second.bets * 2);
        ledger.add(std::vector<LedgerEntry>{first, second, entryOf(2026001, "01 02 03 04 05 06+07")});
        QCOMPARE(ledger.settle(history, game), 2);
        const std::vector<LedgerEntry> entries = Ledger(path, Ledger::OpenMode::ExistingOnly).list(game);
        QCOMPARE(entries.size(), size_t(2));
        for (const LedgerEntry& e : entries) {
            QVERIFY(e.settled);
            QCOMPARE(LedgerTicketsText(e, QStringLiteral("\n")), text);
            const auto rec = std::find_if(history.begin(), history.end(),
                                          [&](const TDrawRec& d) { return d.code() == e.issue; });
            const PrizeResult expected = CheckTickets(e.tickets, DrawOf(*rec, g), g, e.extra);
            QCOMPARE(expected.rules->version, versions[issues.indexOf(e.issue)]);
            QCOMPARE(e.tiers, expected.summary.tiers);
            QCOMPARE(e.prize, expected.summary.fixedPrize);
            QCOMPARE(e.cost, expected.summary.cost);
            QCOMPARE(e.draw.backMask(), DrawOf(*rec, g).backMask());
            QCOMPARE(e.draw.special, DrawOf(*rec, g).special);
            QCOMPARE(e.draw.special != 0, g.specialPicks > 0);
            // The detail marks what each ticket holds of the draw.
            for (const LedgerTicketDetail& d : LedgerEntryDetail(e)) {
                QCOMPARE(d.frontHits, d.ticket.reds & e.draw.reds);
                QCOMPARE(d.specialHits, d.ticket.reds & e.draw.specialMask());
                QCOMPARE(d.tiers, CheckTicket(d.ticket, e.draw, *expected.rules, e.extra).tiers);
            }
        }
        // Settling again against the same history changes nothing.
        QCOMPARE(ledger.settle(history, game), 2);
        QCOMPARE(ledger.list(game).front().tiers, entries.front().tiers);
        const std::vector<LedgerEntry> ssq = ledger.list(QStringLiteral("ssq"));
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
        // A 一等奖 among few bets: almost no random player does as well, but it is one draw's luck.
        entries[2].tiers = {1, 0, 0, 0, 0, 0};
        const LedgerReport lucky = MakeLedgerReport(entries);
        QVERIFY(lucky.pValue < 0.01);
        QVERIFY(lucky.tooSmall);
        QVERIFY(!lucky.betterThanRandom());
        QVERIFY(LedgerReportLines(lucky).join('\n').contains(QStringLiteral("样本太少")));
        QVERIFY(!LedgerReportLines(lucky).join('\n').contains(QStringLiteral("好于随机")));
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
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = %1").arg(Ledger::SchemaVersion + 1)));
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
        QCOMPARE(second.list(QStringLiteral("ssq")).size(), size_t(1));
        QVERIFY(second.remove(id));
        QVERIFY(first.list(QStringLiteral("ssq")).empty());
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

    // Ids and numbers are never given twice: a removed entry comes back whatever was added since, and
    // each game counts its own numbers. A ledger of the first schema keeps the numbers it showed and is
    // not written by reading it.
    void numbersNeverReused() {
        const QString path = m_dir.filePath(QStringLiteral("numbers.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            const char* const schema[] = {
                "PRAGMA application_id = 1263289415", "PRAGMA user_version = 1",
                "CREATE TABLE entry (id INTEGER PRIMARY KEY, game TEXT NOT NULL, issue INTEGER NOT NULL,"
                "extra INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '',"
                "added TEXT NOT NULL DEFAULT (datetime('now')), bets INTEGER NOT NULL, cost INTEGER NOT NULL,"
                "settled INTEGER NOT NULL DEFAULT 0, draw_front INTEGER, draw_back INTEGER, tiers TEXT,"
                "prize INTEGER)",
                "CREATE INDEX entry_game_issue ON entry(game, issue)",
                "CREATE TABLE ticket (entry INTEGER NOT NULL REFERENCES entry(id) ON DELETE CASCADE,"
                "seq INTEGER NOT NULL, line INTEGER NOT NULL, front INTEGER NOT NULL, back INTEGER NOT NULL,"
                "front_bankers INTEGER NOT NULL DEFAULT 0, back_bankers INTEGER NOT NULL DEFAULT 0,"
                "PRIMARY KEY (entry, seq)) WITHOUT ROWID",
            };
            for (const char* sql : schema)
                QVERIFY2(q.exec(QString::fromLatin1(sql)), qPrintable(q.lastError().text()));
            // Ids 1, 2, 4 of the two-colour ball (01..06+07), 3 and 5 of the super lotto (01..05+01 02).
            for (int id = 1; id <= 5; ++id) {
                const bool ssq = id != 3 && id != 5;
                QVERIFY(q.exec(QStringLiteral("INSERT INTO entry (id, game, issue, bets, cost) VALUES "
                                              "(%1, '%2', 2099001, 1, 2)")
                                   .arg(id)
                                   .arg(ssq ? "ssq" : "dlt")));
                QVERIFY(q.exec(QStringLiteral("INSERT INTO ticket VALUES (%1, 0, 1, %2, %3, 0, 0)")
                                   .arg(id)
                                   .arg(ssq ? 0x7E : 0x3E)
                                   .arg(ssq ? 0x80 : 0x06)));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v1"));
        const QByteArray before = fileHash(path);
        auto numbers = [](const std::vector<LedgerEntry>& entries) {
            QList<qint64> n;
            for (const LedgerEntry& e : entries)
                n << e.number;
            return n;
        };
        Ledger ledger(path);
        QCOMPARE(numbers(ledger.list(QStringLiteral("ssq"))), (QList<qint64>{4, 2, 1}));
        QCOMPARE(numbers(ledger.list(QStringLiteral("dlt"))), (QList<qint64>{2, 1}));
        QCOMPARE(ledger.settle(m_history, QStringLiteral("ssq")), 0);
        QCOMPARE(fileHash(path), before);

        // The newest entry removed, then others added: neither its id nor its number comes again.
        std::optional<LedgerEntry> removed = ledger.entry(4);
        QVERIFY(removed && ledger.remove(4));
        const int64_t ssqId = ledger.add(entryOf(2099001, "01 02 03 04 05 06+07"));
        LedgerEntry dlt = MakeLedgerEntry(QStringLiteral("2099001"), QStringLiteral("01 02 03 04 05+01 02"), false,
                                          QString(), Game::dlt());
        const int64_t dltId = ledger.add(dlt);
        QCOMPARE(ssqId, 6);
        QCOMPARE(ledger.numberOf(ssqId), 5);
        QCOMPARE(dltId, 7);
        QCOMPARE(ledger.numberOf(dltId), 3);
        QCOMPARE(ledger.add(*removed), 4);
        QCOMPARE(numbers(ledger.list(QStringLiteral("ssq"))), (QList<qint64>{5, 4, 2, 1}));
        QCOMPARE(ledger.idOfNumber(QStringLiteral("dlt"), 3), dltId);
        try {
            ledger.add(*removed);
            QFAIL("put back twice");
        } catch (const KelvoraError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("#4")), qPrintable(e.message()));
        }

        // A new ledger: the super lotto's first entry is its #1.
        Ledger fresh(m_dir.filePath(QStringLiteral("fresh-numbers.sqlite")));
        fresh.add(std::vector<LedgerEntry>{entryOf(2026001, "01 02 03 04 05 06+07"),
                                           entryOf(2026002, "01 02 03 04 05 06+07")});
        QCOMPARE(fresh.numberOf(fresh.add(dlt)), 1);
    }

    // Settling writes only what changes: nothing when nothing does, only the game's own entries, and it
    // takes back the result of a draw that has gone.
    void settleWritesOnlyChanges() {
        const QString path = m_dir.filePath(QStringLiteral("quiet.sqlite"));
        Ledger ledger(path);
        const int issue = m_history.back().code();
        ledger.add(entryOf(issue, "01 02 03 04 05 06+07"));
        const TCodeArr& dltHistory = DltSampleHistory();
        ledger.add(MakeLedgerEntry(QString::number(dltHistory.back().code()), QStringLiteral("01 02 03 04 05+01 02"),
                                   false, QString(), Game::dlt()));
        QCOMPARE(ledger.settle(m_history, QStringLiteral("ssq")), 1);
        const QByteArray settled = fileHash(path);
        QCOMPARE(ledger.settle(m_history, QStringLiteral("ssq")), 1);
        QCOMPARE(fileHash(path), settled);
        QCOMPARE(ledger.settle(dltHistory, QStringLiteral("dlt")), 1);
        QVERIFY(ledger.list(QStringLiteral("ssq")).front().settled);
        const QByteArray both = fileHash(path);
        QCOMPARE(ledger.settle(dltHistory, QStringLiteral("dlt")), 1);
        QCOMPARE(fileHash(path), both);
        // The newest draw undone: its entry is open again, the other game's is not touched.
        QCOMPARE(ledger.settle(TCodeArr(m_history.begin(), m_history.end() - 1), QStringLiteral("ssq")), 0);
        QVERIFY(!ledger.list(QStringLiteral("ssq")).front().settled);
        QVERIFY(ledger.list(QStringLiteral("dlt")).front().settled);
    }

    // A damaged file, or values no program of ours writes, is refused as such: never read as a shorter
    // ledger, never written, and the message is the program's own.
    void refusesDamage_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("message");
        QTest::newRow("page overwritten") << "page" << QStringLiteral("已损坏");
        QTest::newRow("cut short") << "cut" << QStringLiteral("已损坏");
        QTest::newRow("cut in the header") << "header" << QStringLiteral("已损坏");
        QTest::newRow("front outside the pool")
            << "UPDATE ticket SET front = front | (1 << 40) WHERE entry = 1 AND seq = 7"
            << QStringLiteral("#1（投注号码超出范围）");
        QTest::newRow("banker not among the fronts")
            << "UPDATE ticket SET front_bankers = 1 << 33 WHERE entry = 1 AND seq = 3"
            << QStringLiteral("#1（投注号码超出范围）");
        QTest::newRow("compound beyond the reader's")
            << "UPDATE ticket SET front = 16777214 WHERE entry = 1 AND seq = 9" << QStringLiteral("#1（投注号码不成形）");
        QTest::newRow("bet count") << "UPDATE entry SET bets = 4600000000000000000 WHERE id = 1"
                                   << QStringLiteral("#1（注数与投注号码不符）");
        QTest::newRow("cost") << "UPDATE entry SET cost = 2 WHERE id = 1" << QStringLiteral("#1（金额与注数不符）");
        QTest::newRow("stored win") << "UPDATE entry SET prize = 3784200 WHERE id = 2"
                                    << QStringLiteral("#2（奖金与中奖注数不符）");
        QTest::newRow("tier counts") << "UPDATE entry SET tiers = '1,0,0,0,0,0,0,0,0' WHERE id = 2"
                                     << QStringLiteral("#2（中奖注数无效）");
        QTest::newRow("draw") << "UPDATE entry SET draw_back = 0 WHERE id = 2" << QStringLiteral("#2（开奖号码无效）");
        QTest::newRow("issue") << "UPDATE entry SET issue = 26001 WHERE id = 2" << QStringLiteral("#2（期号无效）");
    }
    void refusesDamage() {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(QStringLiteral("damage-%1.sqlite").arg(QTest::currentDataTag()));
        QString lines;
        for (int k = 0; k < 4000; ++k) {
            for (int n = 1; n <= 6; ++n)
                lines += QStringLiteral("%1 ").arg(k % 28 + n, 2, 10, QLatin1Char('0'));
            lines += QStringLiteral("+%1\n").arg(k % 16 + 1, 2, 10, QLatin1Char('0'));
        }
        {
            Ledger ledger(path);
            ledger.add(MakeLedgerEntry(QString::number(m_history[m_history.size() - 2].code()), lines, false,
                                       QString(), Game::ssq()));
            ledger.add(entryOf(m_history.back().code(), "01 02 03 04 05 06+07"));
            QCOMPARE(ledger.settle(m_history, QStringLiteral("ssq")), 2);
        }
        QFile file(path);
        const bool raw = !damage.startsWith(QLatin1String("UPDATE"));
        if (raw) {
            QVERIFY(file.open(QIODevice::ReadWrite));
            const qint64 pages = file.size() / 4096;
            QVERIFY(pages > 20);
            if (damage == QLatin1String("page")) {
                file.seek(4096 * (pages / 2));
                file.write(QByteArray(300, '\x5a'));
            } else {
                file.resize(damage == QLatin1String("cut") ? 4096 * (pages / 2) : 60);
            }
            file.close();
        } else {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("hostile"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY2(q.exec(damage), qPrintable(q.lastError().text()));
            QCOMPARE(q.numRowsAffected(), 1);
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("hostile"));
        const QByteArray before = fileHash(path);
        const std::function<void(Ledger&)> uses[] = {
            [](Ledger& l) { l.list(QStringLiteral("ssq")); },
            [&](Ledger& l) { l.settle(m_history, QStringLiteral("ssq")); },
        };
        for (const auto& use : uses) {
            try {
                Ledger ledger(path);
                use(ledger);
                QFAIL("the damage was not found");
            } catch (const KelvoraError& e) {
                QString text = e.message();
                text.remove(QDir::toNativeSeparators(path));
                QVERIFY2(text.contains(message), qPrintable(text));
                QVERIFY2(text.contains(QStringLiteral("未作任何改动")), qPrintable(text));
                QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}"))), qPrintable(text));
            }
            QCOMPARE(fileHash(path), before);
        }
        // A damaged file takes no new entry.
        if (raw) {
            QVERIFY_THROWS_EXCEPTION(KelvoraError, Ledger(path).add(entryOf(2026001, "01 02 03 04 05 06+07")));
            QCOMPARE(fileHash(path), before);
        }
    }

    // Where the player stands among the random players, in plain words; a result that rests on one
    // draw is called luck, not better than random.
    void verdicts_data() {
        QTest::addColumn<int>("draws");
        QTest::addColumn<QList<int>>("wins"); // per draw: the tier won by the one bet of that draw
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("unsaid");
        QTest::newRow("empty") << 0 << QList<int>{} << QStringList{"无从与随机投注比较"} << QStringList{"p =", "排在"};
        QTest::newRow("one lucky draw") << 1 << QList<int>{1} << QStringList{"样本太少", "只有1期", "运气极好"}
                                        << QStringList{"好于随机"};
        QTest::newRow("lucky once in forty") << 40 << QList<int>{3} << QStringList{"样本太少", "单独一期"}
                                             << QStringList{"好于随机"};
        QTest::newRow("nothing in forty") << 40 << QList<int>{} << QStringList{"运气较差", "与随机投注没有显著差别"}
                                          << QStringList{"样本太少"};
        QTest::newRow("a hundred ordinary")
            << 100 << QList<int>{6, 6, 6, 6, 6, 5} << QStringList{"属于正常运气", "与随机投注没有显著差别"}
            << QStringList{"样本太少", "好于随机"};
        QTest::newRow("steady luck") << 50 << QList<int>(12, 4) << QStringList{"好于随机", "排在前1%以内"}
                                     << QStringList{"样本太少"};
    }
    void verdicts() {
        QFETCH(int, draws);
        QFETCH(QList<int>, wins);
        QFETCH(QStringList, said);
        QFETCH(QStringList, unsaid);
        std::vector<LedgerEntry> entries;
        for (int d = 0; d < draws; ++d) {
            LedgerEntry e = entryOf(2025001 + d, "01 02 03 04 05 06+07");
            e.settled = true;
            if (d < wins.size()) {
                e.tiers[size_t(wins[d] - 1)] = 1;
                e.prize = FixedPrize(e.tiers);
            }
            entries.push_back(e);
        }
        const LedgerReport r = MakeLedgerReport(entries, Game::ssq());
        QCOMPARE(r.game, QStringLiteral("ssq"));
        const QString text = LedgerReportLines(r).join('\n');
        for (const QString& s : said)
            QVERIFY2(text.contains(s), qPrintable(text));
        for (const QString& s : unsaid)
            QVERIFY2(!text.contains(s), qPrintable(text));
        if (draws > 0 && wins.isEmpty()) {
            // Nothing won: better were exactly the players who won anything, 1 - P(no prize)^bets.
            const double better = 1 - std::pow(SingleBetTierOdds()[0], draws);
            QVERIFY(qAbs(r.pBetter - better) < 4 * std::sqrt(better * (1 - better) / r.players));
            QCOMPARE(r.pValue, 1.0);
        }
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

    // A note reads back from the JSON list exactly as it was typed, through a real ledger file, settled
    // or not; and any text is a member name and a value of the writer every JSON result goes through,
    // written as QJsonDocument writes it.
    void jsonCarriesAnyText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QStringLiteral("他说\"中了\"，'真的'");
        QTest::newRow("backslashes") << QStringLiteral("C:\\彩票\\ \\\" \\u0041 \\n");
        QTest::newRow("control characters") << QString::fromUtf16(u"a\u0001b\bc\fd\ne\rf\tg\u001fh\u007f");
        QTest::newRow("chinese and beyond the BMP") << QStringLiteral("双色球复式 😀 𠀀 ①");
        QTest::newRow("placeholders") << QStringLiteral("%1 %2 %9 {}[],: null true");
        QTest::newRow("empty") << QString();
    }
    void jsonCarriesAnyText() {
        QFETCH(QString, text);
        QJsonParseError error;
        {
            Ledger ledger(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".sqlite")));
            LedgerEntry drawn = entryOf(2026010, "01 02 03 04 05 06+07");
            drawn.note = text;
            LedgerEntry later = entryOf(2099001, "01 02 03 04 05 06 07+08 09");
            later.note = text + text;
            ledger.add({drawn, later});
            QCOMPARE(ledger.settle(m_history, QStringLiteral("ssq")), 1);
            const std::vector<LedgerEntry> entries = ledger.list(QStringLiteral("ssq"));
            const QJsonDocument list =
                QJsonDocument::fromJson(LedgerListJson(entries, QStringLiteral("ssq")).toUtf8(), &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
            const QJsonArray listed = list.object()[u"entries"].toArray();
            QCOMPARE(listed.size(), 2);
            QCOMPARE(listed[0].toObject()[u"note"].toString(), text + text); // newest issue first
            QCOMPARE(listed[0].toObject()[u"tiers"].type(), QJsonValue::Null);
            QCOMPARE(listed[1].toObject()[u"note"].toString(), text);
            QCOMPARE(listed[1].toObject()[u"tiers"].toArray().size(), 6);
            QJsonDocument::fromJson(LedgerReportJson(MakeLedgerReport(entries)).toUtf8(), &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
        }
        JsonWriter w;
        w.beginObject().member(text, text).key(u"list").beginArray().value(text).null().endArray().endObject();
        const QJsonObject written = QJsonDocument::fromJson(w.text().toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(written[text].toString(), text);
        QCOMPARE(written[u"list"].toArray(), QJsonArray({text, QJsonValue::Null}));
        QCOMPARE(JsonWriter().beginObject().member(text, text).endObject().text(),
                 QString::fromUtf8(QJsonDocument(QJsonObject{{text, text}}).toJson(QJsonDocument::Compact)));
    }
};

QTEST_GUILESS_MAIN(TestLedger)
#include "tst_ledger.moc"
