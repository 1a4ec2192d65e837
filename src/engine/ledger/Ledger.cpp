#include "engine/ledger/Ledger.h"

#include "engine/core/KelvoraError.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/TicketReader.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <bit>
#include <unordered_map>

namespace {

QAtomicInt connectionCounter;

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString tiersText(const TierCounts& tiers, int count) {
    QString s;
    for (int t = 0; t < count; ++t) {
        if (t) s += QLatin1Char(',');
        s += QString::number(tiers[t]);
    }
    return s;
}

TierCounts readTiers(const QString& text) {
    TierCounts tiers{};
    const QStringList parts = text.split(QLatin1Char(','));
    for (int t = 0; t < kMaxPrizeTiers && t < parts.size(); ++t)
        tiers[t] = parts[t].toLongLong();
    return tiers;
}

// The game of an entry; an unknown key (a newer program's game) is read as the two-colour ball's.
const Game& gameOf(const QString& key) {
    const Game* game = Game::find(key);
    return game ? *game : Game::ssq();
}

// A stored draw's backs: the two-colour ball keeps its blue in PrizeDraw::blue.
void setDrawBacks(PrizeDraw& draw, uint64_t mask, const Game& game) {
    if (game.backPicks == 1) {
        draw.blue = mask ? std::countr_zero(mask) : 0;
        draw.backs = 0;
    } else {
        draw.blue = 0;
        draw.backs = uint32_t(mask);
    }
}

// An ordinary query that throws with the ledger's message when it fails.
class Statement {
  public:
    Statement(const QSqlDatabase& db, const QString& sql) : m_query(db) {
        m_query.setForwardOnly(true);
        m_ok = m_query.prepare(sql);
    }
    QSqlQuery& query() { return m_query; }
    bool ok() const { return m_ok; }

  private:
    QSqlQuery m_query;
    bool m_ok = false;
};

} // namespace

QString LedgerFileIn(const QString& dataDir) {
    return QDir(dataDir).filePath(QStringLiteral("ledger.sqlite"));
}

int ReadLedgerIssue(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^\\d{7}$"));
    const QString t = text.trimmed();
    if (!shape.match(t).hasMatch() || t.right(3).toInt() < 1 || t.left(4).toInt() < 2003)
        throw KelvoraError(QStringLiteral("期号\"%1\"无效：请输入7位期号，如2026096").arg(t));
    return t.toInt();
}

LedgerEntry MakeLedgerEntry(const QString& issue, const QString& tickets, bool extra, const QString& note,
                            const Game& game) {
    LedgerEntry entry;
    entry.game = game.keyText();
    entry.issue = ReadLedgerIssue(issue);
    entry.extra = extra;
    entry.note = note.trimmed();
    TicketList list = ReadTickets(tickets, 0, game);
    if (!list.badLines.empty()) throw KelvoraError(BadLinesMessage(list));
    if (list.tickets.empty()) throw KelvoraError(QStringLiteral("没有投注号码，未加入投注记录"));
    entry.tickets = std::move(list.tickets);
    for (const PrizeTicket& t : entry.tickets)
        entry.bets += TicketBets(t, game);
    entry.cost = entry.bets * PriceOfBet(game, extra);
    return entry;
}

Ledger::Ledger(const QString& path) : m_path(path) {
    const QFileInfo info(path);
    const bool fresh = !info.exists() || (info.isFile() && info.size() == 0);
    const QString notLedger =
        QStringLiteral("文件 %1 不是投注记录数据库，已拒绝打开（文件未作任何改动）").arg(nativePath(path));
    if (info.exists() && !info.isFile()) throw KelvoraError(notLedger);
    if (!fresh) {
        // Only an SQLite file is handed to SQLite: anything else is refused before it is opened.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw KelvoraError(
                QStringLiteral("无法打开投注记录 %1：%2").arg(nativePath(path), file.errorString()));
        if (file.read(16) != QByteArray("SQLite format 3\0", 16)) throw KelvoraError(notLedger);
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw KelvoraError(
            QStringLiteral("缺少SQLite数据库驱动，无法打开投注记录（请安装 libqt6sql6-sqlite）"));

    m_connection = QStringLiteral("kelvora-ledger-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open()) {
        const QString reason = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw KelvoraError(QStringLiteral("无法打开投注记录 %1：%2").arg(nativePath(path), reason));
    }
    try {
        QSqlQuery(db).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        if (fresh)
            createSchema();
        else
            checkSchema();
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw;
    }
}

Ledger::~Ledger() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

void Ledger::fail(const QString& what, const QSqlError& error) const {
    QString reason = error.text();
    if (reason.contains(QLatin1String("readonly"), Qt::CaseInsensitive) ||
        reason.contains(QLatin1String("read-only"), Qt::CaseInsensitive))
        reason = QStringLiteral("文件或磁盘只读");
    else if (reason.contains(QLatin1String("full"), Qt::CaseInsensitive))
        reason = QStringLiteral("磁盘已满");
    else if (reason.contains(QLatin1String("I/O"), Qt::CaseInsensitive))
        reason = QStringLiteral("磁盘读写出错（磁盘已满或不可写）");
    else if (reason.contains(QLatin1String("locked"), Qt::CaseInsensitive) ||
             reason.contains(QLatin1String("busy"), Qt::CaseInsensitive))
        reason = QStringLiteral("另一个程序正在使用投注记录，请稍后再试");
    throw KelvoraError(
        QStringLiteral("%1失败（%2）：%3，投注记录未作改动").arg(what, nativePath(m_path), reason));
}

void Ledger::createSchema() {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    const QString what = QStringLiteral("建立投注记录");
    // BEGIN IMMEDIATE: a second program starting at the same moment waits, then finds the schema made.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) fail(what, q.lastError());
    q.exec(QStringLiteral("PRAGMA application_id"));
    const int id = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    const int objects = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    if (id == ApplicationId) {
        q.exec(QStringLiteral("ROLLBACK"));
        checkSchema();
        return;
    }
    if (id != 0 || objects != 0) {
        q.exec(QStringLiteral("ROLLBACK"));
        throw KelvoraError(QStringLiteral("文件 %1 不是投注记录数据库，已拒绝打开（文件未作任何改动）")
                               .arg(nativePath(m_path)));
    }
    const QStringList statements = {
        QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion),
        QStringLiteral("CREATE TABLE entry ("
                       "id INTEGER PRIMARY KEY, game TEXT NOT NULL, issue INTEGER NOT NULL,"
                       "extra INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '',"
                       "added TEXT NOT NULL DEFAULT (datetime('now')),"
                       "bets INTEGER NOT NULL, cost INTEGER NOT NULL,"
                       "settled INTEGER NOT NULL DEFAULT 0, draw_front INTEGER, draw_back INTEGER,"
                       "tiers TEXT, prize INTEGER)"),
        QStringLiteral("CREATE INDEX entry_game_issue ON entry(game, issue)"),
        // Front and back numbers as bit masks (bit n = number n); bankers for 胆拖 tickets.
        QStringLiteral("CREATE TABLE ticket ("
                       "entry INTEGER NOT NULL REFERENCES entry(id) ON DELETE CASCADE,"
                       "seq INTEGER NOT NULL, line INTEGER NOT NULL,"
                       "front INTEGER NOT NULL, back INTEGER NOT NULL,"
                       "front_bankers INTEGER NOT NULL DEFAULT 0, back_bankers INTEGER NOT NULL DEFAULT 0,"
                       "PRIMARY KEY (entry, seq)) WITHOUT ROWID"),
    };
    for (const QString& sql : statements) {
        if (!q.exec(sql)) {
            const QSqlError error = q.lastError();
            q.exec(QStringLiteral("ROLLBACK"));
            fail(what, error);
        }
    }
    if (!q.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = q.lastError();
        q.exec(QStringLiteral("ROLLBACK"));
        fail(what, error);
    }
}

void Ledger::checkSchema() {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA application_id")) || !q.next())
        throw KelvoraError(QStringLiteral("文件 %1 不是投注记录数据库，已拒绝打开（文件未作任何改动）")
                               .arg(nativePath(m_path)));
    const int id = q.value(0).toInt();
    q.finish();
    q.exec(QStringLiteral("PRAGMA user_version"));
    const int version = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    if (id != ApplicationId || version < 1)
        throw KelvoraError(QStringLiteral("文件 %1 不是投注记录数据库，已拒绝打开（文件未作任何改动）")
                               .arg(nativePath(m_path)));
    if (version > SchemaVersion)
        throw KelvoraError(
            QStringLiteral(
                "投注记录 %1 "
                "由较新版本的程序建立（格式%2，本程序只认识格式%3），已拒绝打开（文件未作任何改动）")
                .arg(nativePath(m_path))
                .arg(version)
                .arg(SchemaVersion));
}

int64_t Ledger::add(const LedgerEntry& entry) {
    return add(std::vector<LedgerEntry>{entry}).front();
}

std::vector<int64_t> Ledger::add(const std::vector<LedgerEntry>& entries) {
    const QString what = QStringLiteral("保存投注记录");
    for (const LedgerEntry& entry : entries)
        if (entry.tickets.empty()) throw KelvoraError(QStringLiteral("没有投注号码，未加入投注记录"));
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery control(db);
    if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) fail(what, control.lastError());
    auto rollback = [&](const QSqlError& error) {
        control.exec(QStringLiteral("ROLLBACK"));
        fail(what, error);
    };
    Statement insertEntry(db, QStringLiteral("INSERT INTO entry (id, game, issue, extra, note, bets, cost) "
                                             "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    Statement insertTicket(
        db, QStringLiteral("INSERT INTO ticket (entry, seq, line, front, back, front_bankers, back_bankers) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    if (!insertEntry.ok()) rollback(insertEntry.query().lastError());
    if (!insertTicket.ok()) rollback(insertTicket.query().lastError());
    std::vector<int64_t> ids;
    ids.reserve(entries.size());
    for (const LedgerEntry& entry : entries) {
        const Game& game = gameOf(entry.game);
        int64_t bets = 0;
        for (const PrizeTicket& t : entry.tickets)
            bets += TicketBets(t, game);
        QSqlQuery& q = insertEntry.query();
        // id 0 lets SQLite choose; a removed entry put back asks for its own.
        q.bindValue(0, entry.id ? QVariant(qlonglong(entry.id)) : QVariant());
        q.bindValue(1, entry.game);
        q.bindValue(2, entry.issue);
        q.bindValue(3, entry.extra ? 1 : 0);
        // A null text would be bound as NULL.
        q.bindValue(4, entry.note.isNull() ? QStringLiteral("") : entry.note);
        q.bindValue(5, qlonglong(bets));
        q.bindValue(6, qlonglong(bets * PriceOfBet(game, entry.extra)));
        if (!q.exec()) rollback(q.lastError());
        const int64_t id = q.lastInsertId().toLongLong();
        ids.push_back(id);
        QSqlQuery& t = insertTicket.query();
        int seq = 0;
        for (const PrizeTicket& ticket : entry.tickets) {
            t.bindValue(0, qlonglong(id));
            t.bindValue(1, seq++);
            t.bindValue(2, ticket.line);
            t.bindValue(3, qlonglong(ticket.reds));
            t.bindValue(4, qlonglong(ticket.blues));
            t.bindValue(5, qlonglong(ticket.bankers));
            t.bindValue(6, qlonglong(ticket.backBankers));
            if (!t.exec()) rollback(t.lastError());
        }
    }
    if (!control.exec(QStringLiteral("COMMIT"))) rollback(control.lastError());
    return ids;
}

bool Ledger::remove(int64_t id) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Statement del(db, QStringLiteral("DELETE FROM entry WHERE id = ?"));
    QSqlQuery& q = del.query();
    q.addBindValue(qlonglong(id));
    if (!del.ok() || !q.exec()) fail(QStringLiteral("删除投注记录"), q.lastError());
    return q.numRowsAffected() > 0;
}

std::vector<LedgerEntry> Ledger::list(const QString& game) const {
    const QString what = QStringLiteral("读取投注记录");
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery control(db);
    // One read transaction: the entries and their tickets come from the same state of the file.
    if (!control.exec(QStringLiteral("BEGIN"))) fail(what, control.lastError());
    std::vector<LedgerEntry> entries;
    std::unordered_map<int64_t, size_t> index;
    const Game& rules = gameOf(game);
    {
        Statement select(db, QStringLiteral("SELECT id, issue, extra, note, bets, cost, settled, draw_front, "
                                            "draw_back, tiers, prize FROM entry WHERE game = ? "
                                            "ORDER BY issue DESC, id DESC"));
        QSqlQuery& q = select.query();
        q.addBindValue(game);
        if (!select.ok() || !q.exec()) {
            const QSqlError error = q.lastError();
            control.exec(QStringLiteral("ROLLBACK"));
            fail(what, error);
        }
        while (q.next()) {
            LedgerEntry e;
            e.id = q.value(0).toLongLong();
            e.game = game;
            e.issue = q.value(1).toInt();
            e.extra = q.value(2).toInt() != 0;
            e.note = q.value(3).toString();
            e.bets = q.value(4).toLongLong();
            e.cost = q.value(5).toLongLong();
            e.settled = q.value(6).toInt() != 0;
            if (e.settled) {
                e.draw.issue = e.issue;
                e.draw.reds = uint64_t(q.value(7).toLongLong());
                setDrawBacks(e.draw, uint64_t(q.value(8).toLongLong()), rules);
                e.tiers = readTiers(q.value(9).toString());
                e.prize = q.value(10).toLongLong();
            }
            index.emplace(e.id, entries.size());
            entries.push_back(std::move(e));
        }
    }
    {
        // The tickets in key order, without a join: those of another game find no entry above.
        Statement select(
            db, QStringLiteral("SELECT entry, line, front, back, front_bankers, back_bankers FROM ticket "
                               "ORDER BY entry, seq"));
        QSqlQuery& q = select.query();
        if (!select.ok() || !q.exec()) {
            const QSqlError error = q.lastError();
            control.exec(QStringLiteral("ROLLBACK"));
            fail(what, error);
        }
        while (q.next()) {
            const auto it = index.find(q.value(0).toLongLong());
            if (it == index.end()) continue;
            PrizeTicket t;
            t.line = q.value(1).toInt();
            t.reds = uint64_t(q.value(2).toLongLong());
            t.blues = uint32_t(q.value(3).toLongLong());
            t.redCount = std::popcount(t.reds);
            t.blueCount = std::popcount(t.blues);
            t.bankers = uint64_t(q.value(4).toLongLong());
            t.backBankers = uint32_t(q.value(5).toLongLong());
            entries[it->second].tickets.push_back(t);
        }
    }
    control.exec(QStringLiteral("COMMIT"));
    return entries;
}

std::optional<LedgerEntry> Ledger::entry(int64_t id) const {
    for (LedgerEntry& e : list())
        if (e.id == id) return std::move(e);
    return std::nullopt;
}

int Ledger::settle(const TCodeArr& history, const QString& game) {
    const Game& theGame = gameOf(game);
    std::unordered_map<int, PrizeDraw> draws;
    draws.reserve(history.size());
    // A repeated issue code settles against its last line, the one the user corrected last.
    for (const TDrawRec& rec : history) {
        draws[rec.code()] = DrawOf(rec, theGame);
        setDrawBacks(draws[rec.code()], draws[rec.code()].backMask(), theGame);
    }

    struct Change {
        int64_t id;
        bool settled;
        PrizeDraw draw;
        TierCounts tiers;
        int tierCount;
        int64_t prize;
    };
    std::vector<Change> changes;
    int settled = 0;
    for (const LedgerEntry& e : list(game)) {
        const auto it = draws.find(e.issue);
        if (it == draws.end()) {
            if (e.settled) changes.push_back({e.id, false, {}, {}, 0, 0});
            continue;
        }
        ++settled;
        const PrizeDraw& d = it->second;
        const PrizeRules& rules = PrizeRulesFor(theGame, e.issue);
        TierCounts tiers{};
        for (const PrizeTicket& t : e.tickets) {
            const TicketPrize p = CheckTicket(t, d, rules, e.extra);
            for (int k = 0; k < rules.tierCount; ++k)
                tiers[size_t(k)] += p.tiers[size_t(k)];
        }
        const int64_t prize = FixedPrize(tiers, rules, e.extra);
        if (!e.settled || e.draw.reds != d.reds || e.draw.backMask() != d.backMask() || e.tiers != tiers ||
            e.prize != prize)
            changes.push_back({e.id, true, d, tiers, rules.tierCount, prize});
    }
    if (changes.empty()) return settled;

    const QString what = QStringLiteral("结算投注记录");
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery control(db);
    if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) fail(what, control.lastError());
    Statement update(db,
                     QStringLiteral("UPDATE entry SET settled = ?, draw_front = ?, draw_back = ?, tiers = ?, "
                                    "prize = ? WHERE id = ?"));
    QSqlQuery& q = update.query();
    for (const Change& c : changes) {
        q.bindValue(0, c.settled ? 1 : 0);
        q.bindValue(1, c.settled ? QVariant(qlonglong(c.draw.reds)) : QVariant());
        q.bindValue(2, c.settled ? QVariant(qlonglong(c.draw.backMask())) : QVariant());
        q.bindValue(3, c.settled ? QVariant(tiersText(c.tiers, c.tierCount)) : QVariant());
        q.bindValue(4, c.settled ? QVariant(qlonglong(c.prize)) : QVariant());
        q.bindValue(5, qlonglong(c.id));
        if (!update.ok() || !q.exec()) {
            const QSqlError error = q.lastError();
            control.exec(QStringLiteral("ROLLBACK"));
            fail(what, error);
        }
    }
    if (!control.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = control.lastError();
        control.exec(QStringLiteral("ROLLBACK"));
        fail(what, error);
    }
    return settled;
}
