#pragma once

#include "engine/core/CodeRec.h"
#include "engine/ledger/LedgerEntry.h"

#include <QString>
#include <optional>
#include <vector>

// The bet ledger: one SQLite database, the store of record of the player's tickets. Every change is
// one transaction, so an entry is in the file whole or not at all. A file that is not a ledger, or a
// ledger of a newer schema, is refused and left untouched. Every method throws KelvoraError with a
// Chinese message; a refused change leaves the file as it was.
class Ledger {
  public:
    static constexpr int SchemaVersion = 1;
    // PRAGMA application_id of a ledger ("KLDG").
    static constexpr int ApplicationId = 0x4B4C4447;
    static constexpr int BusyTimeoutMs = 5000;

    // Opens the ledger at path, creating it when the file does not exist (or is empty).
    explicit Ledger(const QString& path);
    ~Ledger();
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;

    QString path() const { return m_path; }

    // Records the tickets for the issue; returns the new entry's id. entry.id, when not 0, asks for
    // that id (putting back a removed entry).
    int64_t add(const LedgerEntry& entry);
    // Several entries in one transaction: all of them or none. Returns their ids in order.
    std::vector<int64_t> add(const std::vector<LedgerEntry>& entries);
    // Removes the entry with its tickets; false when there is none of that id.
    bool remove(int64_t id);
    // Every entry of the game, newest issue first (then newest id first).
    std::vector<LedgerEntry> list(const QString& game = QStringLiteral("ssq")) const;
    std::optional<LedgerEntry> entry(int64_t id) const;
    // Settles every entry of the game whose issue is in the history against that draw, and takes the
    // settlement back from entries whose draw is gone. Returns the number of entries settled.
    int settle(const TCodeArr& history, const QString& game = QStringLiteral("ssq"));

  private:
    void createSchema();
    void checkSchema();
    [[noreturn]] void fail(const QString& what, const class QSqlError& error) const;
    QString m_path;
    QString m_connection;
};

// The ledger file of a data folder.
QString LedgerFileIn(const QString& dataDir);

// Checks the issue code of a new entry ("2026096"); throws KelvoraError for anything else.
int ReadLedgerIssue(const QString& text);

// A new entry of the game from what the user typed: the issue code and the ticket lines (prize's line
// rules); 追加 adds to the cost of a game that has it.
// Throws KelvoraError naming every line that is no ticket, or when there is none.
LedgerEntry MakeLedgerEntry(const QString& issue, const QString& tickets, bool extra, const QString& note,
                            const Game& game = Game::ssq());
