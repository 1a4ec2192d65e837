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
#include <algorithm>
#include <bit>
#include <unordered_map>

namespace {

QAtomicInt connectionCounter;

const QByteArray SqliteMagic("SQLite format 3\0", 16);

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString notLedgerText(const QString& path) {
    return QStringLiteral("文件 %1 不是投注记录数据库，已拒绝打开（文件未作任何改动）").arg(nativePath(path));
}

QString tiersText(const TierCounts& tiers, int count) {
    QString s;
    for (int t = 0; t < count; ++t) {
        if (t) s += QLatin1Char(',');
        s += QString::number(tiers[t]);
    }
    return s;
}

// The stored tier counts; false unless there are exactly `count` whole numbers of 0..most.
bool readTiers(const QString& text, int count, int64_t most, TierCounts& tiers) {
    tiers = {};
    const QStringList parts = text.split(QLatin1Char(','));
    // A settlement stored before a version gained a tier holds fewer; settling again adds it.
    if (parts.size() > count || parts.isEmpty()) return false;
    for (int t = 0; t < int(parts.size()); ++t) {
        bool ok = false;
        tiers[size_t(t)] = parts[t].toLongLong(&ok);
        if (!ok || tiers[size_t(t)] < 0 || tiers[size_t(t)] > most) return false;
    }
    return true;
}

// A stored draw's backs (or its special number, as a mask): the two-colour ball keeps its blue in
// PrizeDraw::blue.
void setDrawBacks(PrizeDraw& draw, uint64_t mask, const Game& game) {
    if (game.specialPicks) {
        // More than one number is kept in backs, where a game without backs refuses it.
        draw.special = mask ? std::countr_zero(mask) : 0;
        draw.blue = 0;
        draw.backs = uint32_t(mask & (mask - 1)) | uint32_t((mask >> 32) != 0);
    } else if (game.backPicks == 1) {
        draw.blue = mask ? std::countr_zero(mask) : 0;
        draw.backs = 0;
    } else {
        draw.blue = 0;
        draw.backs = uint32_t(mask);
    }
}

uint64_t poolMask(int pool) {
    return ((uint64_t(1) << pool) - 1) << 1;
}

// What is wrong with an entry as read from the file, empty when nothing is: every stored value is
// checked against what the program itself would have written, so a damaged or edited file never
// reaches the prize code with numbers outside the pools or sums that do not add up.
QString entryFault(const LedgerEntry& e, const Game& game, int64_t extraValue, int64_t settledValue) {
    const int year = e.issue / 1000;
    if (e.issue < 0 || year < 2003 || year > 9999 || e.issue % 1000 < 1) return QStringLiteral("期号无效");
    if (extraValue != 0 && extraValue != 1) return QStringLiteral("追加标记无效");
    if (settledValue != 0 && settledValue != 1) return QStringLiteral("结算标记无效");
    if (e.tickets.empty()) return QStringLiteral("没有投注号码");
    // The tickets as their text, read back with the rules of a typed line: anything outside the pools
    // or of a shape no line has is refused there.
    QString text;
    for (const PrizeTicket& t : e.tickets) {
        if ((t.reds & ~poolMask(game.frontPool)) || (t.blues & ~uint32_t(poolMask(game.backPool))) ||
            (t.bankers & ~t.reds) || (t.backBankers & ~t.blues))
            return QStringLiteral("投注号码超出范围");
        text += TicketText(t);
        text += QLatin1Char('\n');
    }
    const TicketList read = ReadTickets(text, 0, game);
    if (!read.badLines.empty() || read.tickets.size() != e.tickets.size())
        return QStringLiteral("投注号码不成形");
    int64_t bets = 0;
    for (size_t k = 0; k < read.tickets.size(); ++k) {
        const PrizeTicket& a = read.tickets[k];
        const PrizeTicket& b = e.tickets[k];
        if (a.reds != b.reds || a.blues != b.blues || a.bankers != b.bankers || a.backBankers != b.backBankers)
            return QStringLiteral("投注号码不成形");
        bets += TicketBets(a, game);
    }
    if (e.bets != bets) return QStringLiteral("注数与投注号码不符");
    if (e.cost != bets * PriceOfBet(game, e.extra)) return QStringLiteral("金额与注数不符");
    if (e.settled) {
        const uint32_t backs = e.draw.backMask();
        const uint64_t special = e.draw.specialMask();
        if ((e.draw.reds & ~poolMask(game.frontPool)) || std::popcount(e.draw.reds) != game.frontPicks ||
            (backs & ~uint32_t(poolMask(game.backPool))) || std::popcount(backs) != game.backPicks ||
            (special & ~poolMask(game.frontPool)) || (special & e.draw.reds) ||
            std::popcount(special) != game.specialPicks)
            return QStringLiteral("开奖号码无效");
        const PrizeRules& rules = PrizeRulesFor(game, e.issue);
        if (e.prize != FixedPrize(e.tiers, rules, e.extra)) return QStringLiteral("奖金与中奖注数不符");
    }
    return {};
}

// An ordinary prepared query.
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

bool isDamage(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    // SQLITE_CORRUPT, SQLITE_NOTADB (and their extended codes)
    bool ok = false;
    const int n = code.toInt(&ok);
    if (ok && ((n & 0xff) == 11 || (n & 0xff) == 26)) return true;
    const QString text = error.text();
    return text.contains(QLatin1String("malformed"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("corrupt"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("not a database"), Qt::CaseInsensitive);
}

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

std::vector<int64_t> SettleEntries(std::vector<LedgerEntry>& entries, const TCodeArr& history,
                                   const Game& game) {
    std::unordered_map<int, PrizeDraw> draws;
    draws.reserve(history.size());
    // A repeated issue code settles against its last line, the one the user corrected last.
    for (const TDrawRec& rec : history) {
        PrizeDraw& d = draws[rec.code()];
        d = DrawOf(rec, game);
        setDrawBacks(d, d.sideMask(), game);
    }
    std::vector<int64_t> changed;
    for (LedgerEntry& e : entries) {
        const auto it = draws.find(e.issue);
        if (it == draws.end()) {
            if (e.settled) {
                e.settled = false;
                e.draw = {};
                e.tiers = {};
                e.prize = 0;
                changed.push_back(e.id);
            }
            continue;
        }
        const PrizeDraw& d = it->second;
        const PrizeRules& rules = PrizeRulesFor(game, e.issue);
        TierCounts tiers{};
        for (const PrizeTicket& t : e.tickets) {
            const TicketPrize p = CheckTicket(t, d, rules, e.extra);
            for (int k = 0; k < rules.tierCount; ++k)
                tiers[size_t(k)] += p.tiers[size_t(k)];
        }
        const int64_t prize = FixedPrize(tiers, rules, e.extra);
        if (e.settled && e.draw.reds == d.reds && e.draw.sideMask() == d.sideMask() && e.tiers == tiers &&
            e.prize == prize)
            continue;
        e.settled = true;
        e.draw = d;
        e.draw.issue = e.issue;
        e.tiers = tiers;
        e.prize = prize;
        changed.push_back(e.id);
    }
    return changed;
}

Ledger::Ledger(const QString& path, OpenMode mode) : m_path(path) {
    const QFileInfo info(path);
    const bool fresh = !info.exists() || (info.isFile() && info.size() == 0);
    if (info.exists() && !info.isFile()) throw KelvoraError(notLedgerText(path));
    if (fresh && mode == OpenMode::ExistingOnly)
        throw KelvoraError(
            QStringLiteral("找不到投注记录 %1：请检查路径（投注记录由第一次加入投注时建立）").arg(nativePath(path)));
    if (!fresh) {
        // Only an SQLite file is handed to SQLite: anything else is refused before it is opened.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw KelvoraError(QStringLiteral("无法打开投注记录 %1：%2").arg(nativePath(path), file.errorString()));
        const QByteArray head = file.read(512);
        if (!head.startsWith(SqliteMagic.left(std::min<qsizetype>(head.size(), 16))))
            throw KelvoraError(notLedgerText(path));
        // A database cut shorter than its header and first page.
        if (head.size() < 512) damaged();
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw KelvoraError(QStringLiteral("缺少SQLite数据库驱动，无法打开投注记录（请安装 libqt6sql6-sqlite）"));

    m_connection = QStringLiteral("kelvora-ledger-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        fail(QStringLiteral("打开投注记录"), error);
    }
    try {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA foreign_keys = ON"))) fail(QStringLiteral("打开投注记录"), q.lastError());
        if (fresh) {
            createSchema();
        } else {
            checkSchema();
            checkIntact();
        }
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

void Ledger::damaged() const {
    throw KelvoraError(QStringLiteral("投注记录 %1 已损坏（文件不完整或有内容被改写），已拒绝读写（文件未作任何改动）。"
                                      "请用备份替换它；没有备份时把它改名保存，程序会从下一笔投注起新建投注记录")
                           .arg(nativePath(m_path)));
}

void Ledger::fail(const QString& what, const QSqlError& error) const {
    if (isDamage(error)) damaged();
    const QString text = error.text();
    QString reason;
    if (text.contains(QLatin1String("readonly"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("read-only"), Qt::CaseInsensitive))
        reason = QStringLiteral("文件或磁盘只读");
    else if (text.contains(QLatin1String("full"), Qt::CaseInsensitive))
        reason = QStringLiteral("磁盘已满");
    else if (text.contains(QLatin1String("I/O"), Qt::CaseInsensitive))
        reason = QStringLiteral("磁盘读写出错（磁盘已满或不可写）");
    else if (text.contains(QLatin1String("locked"), Qt::CaseInsensitive) ||
             text.contains(QLatin1String("busy"), Qt::CaseInsensitive))
        reason = QStringLiteral("另一个程序正在使用投注记录，请稍后再试");
    else if (text.contains(QLatin1String("unable to open"), Qt::CaseInsensitive) ||
             text.contains(QLatin1String("cannot open"), Qt::CaseInsensitive))
        reason = QStringLiteral("无法打开文件（请检查文件夹是否存在、是否有权限）");
    else
        reason = QStringLiteral("数据库出错（SQLite错误码%1）")
                     .arg(error.nativeErrorCode().isEmpty() ? QStringLiteral("未知") : error.nativeErrorCode());
    throw KelvoraError(QStringLiteral("%1失败（%2）：%3，投注记录未作改动").arg(what, nativePath(m_path), reason));
}

void Ledger::checkIntact() {
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    // Every page is read: a page overwritten or cut off is found here, before anything is read as entries.
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) fail(QStringLiteral("打开投注记录"), q.lastError());
    if (!q.next()) {
        if (q.lastError().isValid()) fail(QStringLiteral("打开投注记录"), q.lastError());
        damaged();
    }
    if (q.value(0).toString() != QLatin1String("ok")) damaged();
}

void Ledger::createSchema() {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    const QString what = QStringLiteral("建立投注记录");
    // BEGIN IMMEDIATE: a second program starting at the same moment waits, then finds the schema made.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) fail(what, q.lastError());
    auto rollback = [&](const QSqlError& error) {
        q.exec(QStringLiteral("ROLLBACK"));
        fail(what, error);
    };
    auto number = [&](const QString& sql) {
        if (!q.exec(sql)) rollback(q.lastError());
        if (!q.next()) rollback(q.lastError());
        const int n = q.value(0).toInt();
        q.finish();
        return n;
    };
    const int id = number(QStringLiteral("PRAGMA application_id"));
    const int objects = number(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (id == ApplicationId) {
        q.exec(QStringLiteral("ROLLBACK"));
        checkSchema();
        checkIntact();
        return;
    }
    if (id != 0 || objects != 0) {
        q.exec(QStringLiteral("ROLLBACK"));
        throw KelvoraError(notLedgerText(m_path));
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
                       "tiers TEXT, prize INTEGER, number INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE INDEX entry_game_issue ON entry(game, issue)"),
        QStringLiteral("CREATE UNIQUE INDEX entry_game_number ON entry(game, number)"),
        // Front and back numbers as bit masks (bit n = number n); bankers for 胆拖 tickets.
        QStringLiteral("CREATE TABLE ticket ("
                       "entry INTEGER NOT NULL REFERENCES entry(id) ON DELETE CASCADE,"
                       "seq INTEGER NOT NULL, line INTEGER NOT NULL,"
                       "front INTEGER NOT NULL, back INTEGER NOT NULL,"
                       "front_bankers INTEGER NOT NULL DEFAULT 0, back_bankers INTEGER NOT NULL DEFAULT 0,"
                       "PRIMARY KEY (entry, seq)) WITHOUT ROWID"),
        // The highest id and the highest number of each game ever given: neither is given twice, so a
        // removed entry can always be put back.
        QStringLiteral("CREATE TABLE counter (name TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID"),
    };
    for (const QString& sql : statements)
        if (!q.exec(sql)) rollback(q.lastError());
    if (!q.exec(QStringLiteral("COMMIT"))) rollback(q.lastError());
    m_version = SchemaVersion;
}

void Ledger::checkSchema() {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    const QString what = QStringLiteral("打开投注记录");
    if (!q.exec(QStringLiteral("PRAGMA application_id"))) fail(what, q.lastError());
    if (!q.next()) throw KelvoraError(notLedgerText(m_path));
    const int id = q.value(0).toInt();
    q.finish();
    if (!q.exec(QStringLiteral("PRAGMA user_version"))) fail(what, q.lastError());
    const int version = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    if (id != ApplicationId || version < 1) throw KelvoraError(notLedgerText(m_path));
    if (version > SchemaVersion)
        throw KelvoraError(
            QStringLiteral("投注记录 %1 "
                           "由较新版本的程序建立（格式%2，本程序只认识格式%3），已拒绝打开（文件未作任何改动）")
                .arg(nativePath(m_path))
                .arg(version)
                .arg(SchemaVersion));
    m_version = version;
}

// Within a write transaction: a ledger of the first schema gains the numbers and the counters. Its
// two-colour-ball entries keep their ids as numbers (what the player has seen), the other games'
// are counted in the order they were added.
void Ledger::upgrade(QSqlQuery& q, const QString& what) {
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) fail(what, q.lastError());
    m_version = q.value(0).toInt();
    q.finish();
    if (m_version >= SchemaVersion) return;
    const QStringList statements = {
        QStringLiteral("ALTER TABLE entry ADD COLUMN number INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("UPDATE entry SET number = id WHERE game = 'ssq'"),
        QStringLiteral("UPDATE entry SET number = (SELECT count(*) FROM entry AS e WHERE e.game = entry.game "
                       "AND e.id <= entry.id) WHERE game <> 'ssq'"),
        QStringLiteral("CREATE UNIQUE INDEX entry_game_number ON entry(game, number)"),
        QStringLiteral("CREATE TABLE counter (name TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID"),
        QStringLiteral("INSERT INTO counter SELECT 'id', max(id) FROM entry WHERE id IS NOT NULL HAVING count(*) > 0"),
        QStringLiteral("INSERT INTO counter SELECT 'number:' || game, max(number) FROM entry GROUP BY game"),
        QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion),
    };
    for (const QString& sql : statements)
        if (!q.exec(sql)) fail(what, q.lastError());
    m_version = SchemaVersion;
}

namespace {

// BEGIN IMMEDIATE .. COMMIT; rolled back when left otherwise (a throw).
class WriteTransaction {
  public:
    explicit WriteTransaction(const QSqlDatabase& db) : m_query(db) {}
    ~WriteTransaction() {
        if (m_open) m_query.exec(QStringLiteral("ROLLBACK"));
    }
    bool begin() { return m_open = m_query.exec(QStringLiteral("BEGIN IMMEDIATE")); }
    bool commit() {
        if (!m_query.exec(QStringLiteral("COMMIT"))) return false;
        m_open = false;
        return true;
    }
    QSqlQuery& query() { return m_query; }

  private:
    QSqlQuery m_query;
    bool m_open = false;
};

} // namespace

int64_t Ledger::add(const LedgerEntry& entry) {
    return add(std::vector<LedgerEntry>{entry}).front();
}

std::vector<int64_t> Ledger::add(const std::vector<LedgerEntry>& entries) {
    const QString what = QStringLiteral("保存投注记录");
    for (const LedgerEntry& entry : entries)
        if (entry.tickets.empty()) throw KelvoraError(QStringLiteral("没有投注号码，未加入投注记录"));
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    WriteTransaction transaction(db);
    QSqlQuery& control = transaction.query();
    m_listed.clear();
    if (!transaction.begin()) fail(what, control.lastError());
    upgrade(control, what);

    // The counters: the highest id and number given so far, taken from the entries too.
    auto counter = [&](const QString& name, const QString& highestSql, const QVariant& bound) {
        Statement s(db, QStringLiteral("SELECT max(coalesce((SELECT value FROM counter WHERE name = ?), 0), "
                                       "coalesce((%1), 0))")
                            .arg(highestSql));
        s.query().addBindValue(name);
        if (bound.isValid()) s.query().addBindValue(bound);
        if (!s.ok() || !s.query().exec() || !s.query().next()) fail(what, s.query().lastError());
        return s.query().value(0).toLongLong();
    };
    int64_t lastId = counter(QStringLiteral("id"), QStringLiteral("SELECT max(id) FROM entry"), QVariant());
    std::unordered_map<QString, int64_t> lastNumber;

    Statement exists(db, QStringLiteral("SELECT count(*) FROM entry WHERE id = ? OR (game = ? AND number = ?)"));
    Statement insertEntry(db, QStringLiteral("INSERT INTO entry (id, game, issue, extra, note, bets, cost, number) "
                                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement insertTicket(
        db, QStringLiteral("INSERT INTO ticket (entry, seq, line, front, back, front_bankers, back_bankers) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    Statement setCounter(db, QStringLiteral("INSERT INTO counter (name, value) VALUES (?, ?) "
                                            "ON CONFLICT (name) DO UPDATE SET value = max(value, excluded.value)"));
    for (Statement* s : {&exists, &insertEntry, &insertTicket, &setCounter})
        if (!s->ok()) fail(what, s->query().lastError());
    std::vector<int64_t> ids;
    ids.reserve(entries.size());
    for (const LedgerEntry& entry : entries) {
        const Game& game = LedgerGameOf(entry.game);
        auto last = lastNumber.find(entry.game);
        if (last == lastNumber.end())
            last = lastNumber
                       .emplace(entry.game, counter(QStringLiteral("number:") + entry.game,
                                                    QStringLiteral("SELECT max(number) FROM entry WHERE game = ?"),
                                                    entry.game))
                       .first;
        // A removed entry put back keeps its id and number: neither has been given to another since.
        const int64_t id = entry.id ? entry.id : ++lastId;
        const int64_t number = entry.number ? entry.number : ++last->second;
        lastId = std::max(lastId, id);
        last->second = std::max(last->second, number);
        QSqlQuery& e = exists.query();
        e.bindValue(0, qlonglong(id));
        e.bindValue(1, entry.game);
        e.bindValue(2, qlonglong(number));
        if (!e.exec() || !e.next()) fail(what, e.lastError());
        const bool taken = e.value(0).toLongLong() > 0;
        e.finish();
        if (taken) throw KelvoraError(QStringLiteral("投注记录 #%1 已经在投注记录中，未重复加入").arg(number));

        int64_t bets = 0;
        for (const PrizeTicket& t : entry.tickets)
            bets += TicketBets(t, game);
        QSqlQuery& q = insertEntry.query();
        q.bindValue(0, qlonglong(id));
        q.bindValue(1, entry.game);
        q.bindValue(2, entry.issue);
        q.bindValue(3, entry.extra ? 1 : 0);
        // A null text would be bound as NULL.
        q.bindValue(4, entry.note.isNull() ? QStringLiteral("") : entry.note);
        q.bindValue(5, qlonglong(bets));
        q.bindValue(6, qlonglong(bets * PriceOfBet(game, entry.extra)));
        q.bindValue(7, qlonglong(number));
        if (!q.exec()) fail(what, q.lastError());
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
            if (!t.exec()) fail(what, t.lastError());
        }
    }
    QSqlQuery& c = setCounter.query();
    auto storeCounter = [&](const QString& name, int64_t value) {
        c.bindValue(0, name);
        c.bindValue(1, qlonglong(value));
        if (!c.exec()) fail(what, c.lastError());
    };
    storeCounter(QStringLiteral("id"), lastId);
    for (const auto& [game, number] : lastNumber)
        storeCounter(QStringLiteral("number:") + game, number);
    if (!transaction.commit()) fail(what, control.lastError());
    return ids;
}

bool Ledger::remove(int64_t id) {
    const QString what = QStringLiteral("删除投注记录");
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    WriteTransaction transaction(db);
    m_listed.clear();
    if (!transaction.begin()) fail(what, transaction.query().lastError());
    // The counters exist before the highest entry goes, so its id is never given again.
    upgrade(transaction.query(), what);
    Statement del(db, QStringLiteral("DELETE FROM entry WHERE id = ?"));
    QSqlQuery& q = del.query();
    q.addBindValue(qlonglong(id));
    if (!del.ok() || !q.exec()) fail(what, q.lastError());
    const bool removed = q.numRowsAffected() > 0;
    if (!transaction.commit()) fail(what, transaction.query().lastError());
    return removed;
}

int64_t Ledger::idOfNumber(const QString& game, int64_t number) const {
    QString sql;
    if (m_version >= 2)
        sql = QStringLiteral("SELECT id FROM entry WHERE game = ? AND number = ?");
    else if (game == QLatin1String("ssq"))
        sql = QStringLiteral("SELECT id FROM entry WHERE game = ? AND id = ?");
    else
        sql = QStringLiteral("SELECT id FROM entry WHERE game = ? ORDER BY id LIMIT 1 OFFSET ?");
    Statement select(QSqlDatabase::database(m_connection, false), sql);
    QSqlQuery& q = select.query();
    q.addBindValue(game);
    q.addBindValue(qlonglong(m_version < 2 && game != QLatin1String("ssq") ? number - 1 : number));
    if (number < 1) return 0;
    if (!select.ok() || !q.exec()) fail(QStringLiteral("读取投注记录"), q.lastError());
    if (q.next()) return q.value(0).toLongLong();
    if (q.lastError().isValid()) fail(QStringLiteral("读取投注记录"), q.lastError());
    return 0;
}

int64_t Ledger::numberOf(int64_t id) const {
    Statement select(QSqlDatabase::database(m_connection, false),
                     m_version >= 2 ? QStringLiteral("SELECT number FROM entry WHERE id = ?")
                                    : QStringLiteral("SELECT CASE WHEN game = 'ssq' THEN id ELSE (SELECT count(*) FROM "
                                                     "entry AS e WHERE e.game = entry.game AND e.id <= entry.id) END "
                                                     "FROM entry WHERE id = ?"));
    QSqlQuery& q = select.query();
    q.addBindValue(qlonglong(id));
    if (!select.ok() || !q.exec()) fail(QStringLiteral("读取投注记录"), q.lastError());
    if (q.next()) return q.value(0).toLongLong();
    if (q.lastError().isValid()) fail(QStringLiteral("读取投注记录"), q.lastError());
    return 0;
}

std::vector<LedgerEntry> Ledger::list(const QString& game) const {
    const QString what = QStringLiteral("读取投注记录");
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery control(db);
    if (!control.exec(QStringLiteral("PRAGMA data_version")) || !control.next()) fail(what, control.lastError());
    const int64_t version = control.value(0).toLongLong();
    control.finish();
    if (version != m_listedVersion) {
        m_listed.clear();
        m_listedVersion = version;
    }
    if (const auto cached = m_listed.find(game); cached != m_listed.end()) return cached->second;
    // One read transaction: the entries and their tickets come from the same state of the file.
    if (!control.exec(QStringLiteral("BEGIN"))) fail(what, control.lastError());
    auto failRead = [&](const QSqlError& error) {
        control.exec(QStringLiteral("ROLLBACK"));
        fail(what, error);
    };
    std::vector<LedgerEntry> entries;
    std::vector<std::pair<int64_t, int64_t>> flags; // extra, settled as stored
    std::unordered_map<int64_t, size_t> index;
    const Game& rules = LedgerGameOf(game);
    {
        Statement select(db, QStringLiteral("SELECT id, issue, extra, note, bets, cost, settled, draw_front, "
                                            "draw_back, tiers, prize, %1 FROM entry WHERE game = ? "
                                            "ORDER BY issue DESC, id DESC")
                                 .arg(m_version >= 2 ? QStringLiteral("number") : QStringLiteral("0")));
        QSqlQuery& q = select.query();
        q.addBindValue(game);
        if (!select.ok() || !q.exec()) failRead(q.lastError());
        while (q.next()) {
            LedgerEntry e;
            e.id = q.value(0).toLongLong();
            e.game = game;
            e.issue = q.value(1).toInt();
            const int64_t extra = q.value(2).toLongLong();
            e.extra = extra != 0;
            e.note = q.value(3).toString();
            e.bets = q.value(4).toLongLong();
            e.cost = q.value(5).toLongLong();
            int64_t settled = q.value(6).toLongLong();
            e.settled = settled != 0;
            e.number = q.value(11).toLongLong();
            if (e.settled) {
                e.draw.issue = e.issue;
                e.draw.reds = uint64_t(q.value(7).toLongLong());
                setDrawBacks(e.draw, uint64_t(q.value(8).toLongLong()), rules);
                if (!readTiers(q.value(9).toString(), PrizeRulesFor(rules, std::max(e.issue, 0)).tierCount,
                               std::max<int64_t>(e.bets, 0), e.tiers))
                    settled = 2; // refused below
                e.prize = q.value(10).toLongLong();
            }
            index.emplace(e.id, entries.size());
            entries.push_back(std::move(e));
            flags.push_back({extra, settled});
        }
        // next() is false at the end and on a read error alike.
        if (q.lastError().isValid()) failRead(q.lastError());
    }
    {
        // The tickets in key order, without a join: those of another game find no entry above.
        Statement select(
            db, QStringLiteral("SELECT entry, line, front, back, front_bankers, back_bankers FROM ticket "
                               "ORDER BY entry, seq"));
        QSqlQuery& q = select.query();
        if (!select.ok() || !q.exec()) failRead(q.lastError());
        while (q.next()) {
            const auto it = index.find(q.value(0).toLongLong());
            if (it == index.end()) continue;
            PrizeTicket t;
            t.line = q.value(1).toInt();
            t.reds = uint64_t(q.value(2).toLongLong());
            // Bits beyond 32 are outside every back pool: bit 0 stands for them, refused below.
            const uint64_t blues = uint64_t(q.value(3).toLongLong());
            const uint64_t backBankers = uint64_t(q.value(5).toLongLong());
            t.blues = uint32_t(blues) | uint32_t((blues >> 32) != 0);
            t.redCount = std::popcount(t.reds);
            t.blueCount = std::popcount(t.blues);
            t.bankers = uint64_t(q.value(4).toLongLong());
            t.backBankers = uint32_t(backBankers) | uint32_t((backBankers >> 32) != 0);
            entries[it->second].tickets.push_back(t);
        }
        if (q.lastError().isValid()) failRead(q.lastError());
    }
    control.exec(QStringLiteral("COMMIT"));

    // A ledger of the first schema numbers its entries as the upgrade will.
    if (m_version < 2) {
        std::vector<int64_t> ids;
        for (const LedgerEntry& e : entries)
            ids.push_back(e.id);
        std::sort(ids.begin(), ids.end());
        for (LedgerEntry& e : entries)
            e.number = game == QLatin1String("ssq")
                           ? e.id
                           : int64_t(std::lower_bound(ids.begin(), ids.end(), e.id) - ids.begin()) + 1;
    }

    QStringList refused;
    for (size_t k = 0; k < entries.size(); ++k) {
        const QString fault = flags[k].second == 2 ? QStringLiteral("中奖注数无效")
                                                   : entryFault(entries[k], rules, flags[k].first, flags[k].second);
        if (!fault.isEmpty() && refused.size() < 5)
            refused << QStringLiteral("#%1（%2）").arg(entries[k].number).arg(fault);
        else if (!fault.isEmpty() && refused.size() == 5)
            refused << QStringLiteral("……");
    }
    if (!refused.isEmpty())
        throw KelvoraError(QStringLiteral("投注记录 %1 中有内容无效的记录：%2。文件可能已损坏或被其他程序改过，"
                                          "已拒绝使用（文件未作任何改动）；请用备份替换它，或删除这些记录")
                               .arg(nativePath(m_path), refused.join(QStringLiteral("、"))));
    m_listed[game] = entries;
    return entries;
}

std::optional<LedgerEntry> Ledger::entry(int64_t id) const {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    Statement select(db, QStringLiteral("SELECT game FROM entry WHERE id = ?"));
    QSqlQuery& q = select.query();
    q.addBindValue(qlonglong(id));
    if (!select.ok() || !q.exec()) fail(QStringLiteral("读取投注记录"), q.lastError());
    if (!q.next()) {
        if (q.lastError().isValid()) fail(QStringLiteral("读取投注记录"), q.lastError());
        return std::nullopt;
    }
    const QString game = q.value(0).toString();
    q.finish();
    for (LedgerEntry& e : list(game))
        if (e.id == id) return std::move(e);
    return std::nullopt;
}

int Ledger::settle(const TCodeArr& history, const QString& game) {
    std::vector<LedgerEntry> entries = list(game);
    const std::vector<int64_t> changed = SettleEntries(entries, history, LedgerGameOf(game));
    if (!changed.empty()) saveSettlement(entries, changed);
    return int(std::count_if(entries.begin(), entries.end(), [](const LedgerEntry& e) { return e.settled; }));
}

void Ledger::saveSettlement(const std::vector<LedgerEntry>& entries, const std::vector<int64_t>& changed) {
    if (changed.empty()) return;
    const QString what = QStringLiteral("结算投注记录");
    std::unordered_map<int64_t, const LedgerEntry*> byId;
    for (const LedgerEntry& e : entries)
        byId.emplace(e.id, &e);
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    WriteTransaction transaction(db);
    m_listed.clear();
    if (!transaction.begin()) fail(what, transaction.query().lastError());
    Statement update(db, QStringLiteral("UPDATE entry SET settled = ?, draw_front = ?, draw_back = ?, tiers = ?, "
                                        "prize = ? WHERE id = ?"));
    if (!update.ok()) fail(what, update.query().lastError());
    QSqlQuery& q = update.query();
    for (const int64_t id : changed) {
        const auto found = byId.find(id);
        if (found == byId.end()) continue;
        const LedgerEntry& c = *found->second;
        const PrizeRules& rules = PrizeRulesFor(LedgerGameOf(c.game), c.issue);
        q.bindValue(0, c.settled ? 1 : 0);
        q.bindValue(1, c.settled ? QVariant(qlonglong(c.draw.reds)) : QVariant());
        q.bindValue(2, c.settled ? QVariant(qlonglong(c.draw.sideMask())) : QVariant());
        q.bindValue(3, c.settled ? QVariant(tiersText(c.tiers, rules.tierCount)) : QVariant());
        q.bindValue(4, c.settled ? QVariant(qlonglong(c.prize)) : QVariant());
        q.bindValue(5, qlonglong(c.id));
        if (!q.exec()) fail(what, q.lastError());
    }
    if (!transaction.commit()) fail(what, transaction.query().lastError());
}

const Game& LedgerGameOf(const QString& key) {
    const Game* game = Game::find(key);
    return game ? *game : Game::ssq();
}
