#pragma once

#include "engine/core/CodeRec.h"
#include "engine/ledger/LedgerEntry.h"

#include <QString>
#include <optional>
#include <unordered_map>
#include <vector>

// The bet ledger: one SQLite database, the store of record of the player's tickets. Every change is
// one transaction, so an entry is in the file whole or not at all. A file that is not a ledger, a
// ledger of a newer schema or a damaged one is refused and left untouched; an entry whose stored
// values are out of range is refused by its number. Every method throws KelvoraError with a Chinese
// message; a refused change leaves the file as it was.
//
// Entries are keyed by an id that is never reused, and numbered per game for the player (LedgerEntry::
// number); a ledger of the first schema is upgraded by the first change made to it, its two-colour-ball
// entries keeping their ids as their numbers.
class Ledger {
  public:
    static constexpr int SchemaVersion = 2;
    // PRAGMA application_id of a ledger ("KLDG").
    static constexpr int ApplicationId = 0x4B4C4447;
    static constexpr int BusyTimeoutMs = 5000;

    enum class OpenMode { CreateIfMissing, ExistingOnly };

    // Opens the ledger at path; CreateIfMissing makes it when the file does not exist (or is empty),
    // ExistingOnly refuses a missing file.
    explicit Ledger(const QString& path, OpenMode mode = OpenMode::CreateIfMissing);
    ~Ledger();
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;

    QString path() const { return m_path; }

    // Records the tickets for the issue; returns the new entry's id. entry.id, when not 0, asks for
    // that id and entry.number for that number (putting back a removed entry).
    int64_t add(const LedgerEntry& entry);
    // Several entries in one transaction: all of them or none. Returns their ids in order.
    std::vector<int64_t> add(const std::vector<LedgerEntry>& entries);
    // Removes the entry with its tickets; false when there is none of that id.
    bool remove(int64_t id);
    // The id of the game's entry of that number; 0 when there is none.
    int64_t idOfNumber(const QString& game, int64_t number) const;
    // The number the entry of that id has; 0 when there is none.
    int64_t numberOf(int64_t id) const;
    // Every entry of the game, newest issue first (then newest id first).
    std::vector<LedgerEntry> list(const QString& game) const;
    std::optional<LedgerEntry> entry(int64_t id) const;
    // Settles every entry of the game whose issue is in the history against that draw, and takes the
    // settlement back from entries whose draw is gone. Writes only the entries whose result changes,
    // nothing at all when none does. Returns the number of entries settled.
    int settle(const TCodeArr& history, const QString& game);
    // Stores the settlement of the entries of the ids in changed (SettleEntries' result).
    void saveSettlement(const std::vector<LedgerEntry>& entries, const std::vector<int64_t>& changed);

  private:
    void createSchema();
    void checkSchema();
    void checkIntact();
    void upgrade(class QSqlQuery& q, const QString& what);
    [[noreturn]] void fail(const QString& what, const class QSqlError& error) const;
    [[noreturn]] void damaged() const;
    QString m_path;
    QString m_connection;
    int m_version = SchemaVersion;
    // The entries last read per game, kept while no connection has changed the file (data_version)
    // and this one has written nothing: settling after every change of the history costs no read.
    mutable std::unordered_map<QString, std::vector<LedgerEntry>> m_listed;
    mutable int64_t m_listedVersion = -1;
};

// Settles the entries of the game in memory against the history (undoing the settlement of those
// whose draw is not in it); returns the ids of the entries whose result changed.
std::vector<int64_t> SettleEntries(std::vector<LedgerEntry>& entries, const TCodeArr& history,
                                   const Game& game);

// The ledger file of a data folder.
QString LedgerFileIn(const QString& dataDir);

// Checks the issue code of a new entry ("2026096"); throws KelvoraError for anything else.
int ReadLedgerIssue(const QString& text);

// A new entry of the game from what the user typed: the issue code and the ticket lines (prize's line
// rules); 追加 adds to the cost of a game that has it.
// Throws KelvoraError naming every line that is no ticket, or when there is none.
LedgerEntry MakeLedgerEntry(const QString& issue, const QString& tickets, bool extra, const QString& note,
                            const Game& game);
