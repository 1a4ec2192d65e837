#pragma once

#include "engine/ledger/LedgerEntry.h"
#include "engine/prize/DrawFigures.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

struct LedgerYear {
    int year = 0;
    int64_t bets = 0;
    int64_t cost = 0;
    int64_t fixedPrize = 0;
    TierCounts tiers{};
    TierCounts floating{};
};

// The money of the settled entries, and how it compares with chance.
struct LedgerReport {
    QString game = QStringLiteral("ssq");
    int entries = 0; // settled
    int unsettled = 0;
    int64_t bets = 0;
    int64_t cost = 0;
    int64_t fixedPrize = 0;
    TierCounts tiers{}; // the first two float: counted, never priced
    // Wins of floating tiers by tier, with the version each entry is priced by: the super lotto's
    // 三等奖 floated until 2019.
    TierCounts floating{};
    int64_t net() const { return fixedPrize - cost; }
    double returnRate() const { return cost ? double(fixedPrize) / double(cost) : 0.0; }
    // The fixed prize the same bets win on average over random draws.
    double expectedFixedPrize = 0;
    // Share of the simulated random players of equal cost who did at least as well, and who did better.
    double pValue = 1;
    double pBetter = 0;
    int players = 0;
    int draws = 0; // the settled issues
    // The sample cannot reach the 1% level on its own: one draw only, or a result below 1% that is
    // not below it any more without its best draw (one lucky draw is luck, not a way of playing).
    bool tooSmall = false;
    bool betterThanRandom() const { return pValue < 0.01 && !tooSmall; }
    // Where the player stands among the random players, from the top: the middle of the ties.
    double standing() const { return (pBetter + pValue) / 2; }
    std::vector<LedgerYear> byYear; // ascending
    // With draw figures: the wins at the amounts paid in their draws (fen), and the settled entries
    // whose wins include a tier whose amount is not known (paid then counts the rest).
    bool withFigures = false;
    int64_t paid = 0;
    std::vector<const LedgerEntry*> unpriced;
    bool paidKnown() const { return withFigures && unpriced.empty(); }
    int64_t paidNet() const { return paid - cost * 100; } // fen
    double paidReturnRate() const { return cost ? double(paid) / double(cost * 100) : 0.0; }
};

constexpr uint64_t LedgerReportSeed = 20030223;
constexpr int LedgerReportPlayers = 10000;

using TierOdds = std::array<double, kMaxPrizeTiers + 1>;
// Probabilities of one random single bet (six reds and a blue, or the game's shape) against a draw:
// index 0 = no prize, 1.. = the tiers of the rule version.
const TierOdds& SingleBetTierOdds(const PrizeRules& rules = SsqPrizeRules());
// The mean fixed prize of the ticket over all draws, exact: front and back hits follow the
// hypergeometric law of its numbers, and each hit count splits its bets by combinatorics.
double ExpectedFixedPrize(const PrizeTicket& ticket, const PrizeRules& rules = SsqPrizeRules(),
                          bool extra = false);

// A random player buys as many random single bets as the entries hold, on the same draws (each bet
// with its entry's rule version and 追加); "at least
// as well" compares the 一等奖 count, then the 二等奖 count, then the fixed prize. The players' tier
// counts are drawn as one multinomial each (bets are independent), so the cost does not grow with
// the number of bets. The seed makes the report repeatable.
LedgerReport MakeLedgerReport(const std::vector<LedgerEntry>& entries, uint64_t seed = LedgerReportSeed,
                              int players = LedgerReportPlayers);
// The same for the entries of a game, named in the report even when there is none.
LedgerReport MakeLedgerReport(const std::vector<LedgerEntry>& entries, const Game& game,
                              uint64_t seed = LedgerReportSeed, int players = LedgerReportPlayers);
// With the game's draw figures (an empty table is none): the wins also as paid. The report points into
// entries, which must outlive it.
LedgerReport MakeLedgerReport(const std::vector<LedgerEntry>& entries, const Game& game,
                              const FiguresTable* figures, uint64_t seed = LedgerReportSeed,
                              int players = LedgerReportPlayers);
// Fen an entry's wins were paid in its draw; -1 when a won tier's amount is not known.
int64_t LedgerEntryPaid(const LedgerEntry& entry, const FiguresTable& figures);

QString LedgerReportJson(const LedgerReport& report);
QStringList LedgerReportLines(const LedgerReport& report);
// Where the player stands among the random players and what that says, in plain words.
QString LedgerVerdictText(const LedgerReport& report);

// "四等奖1注 六等奖2注" of a settled entry, "未开奖" before the draw.
QString LedgerResultText(const LedgerEntry& entry);
QString LedgerTicketsText(const LedgerEntry& entry, const QString& separator = QStringLiteral("; "));
QString LedgerIssueText(int issue);
// The game key is that of the entries; given, it names the game of an empty list too.
QString LedgerListJson(const std::vector<LedgerEntry>& entries, const QString& game = QString());
QStringList LedgerListLines(const std::vector<LedgerEntry>& entries);
// A note on one line: line breaks and tabs as spaces.
QString LedgerNoteLine(const QString& note);
// The detail of an entry: its tickets, each with its hits and its tiers, and the draw it was settled by.
struct LedgerTicketDetail {
    PrizeTicket ticket;
    uint64_t frontHits = 0;
    uint32_t backHits = 0;
    uint64_t specialHits = 0; // the draw's special number, when the ticket holds it
    TierCounts tiers{};
    int64_t prize = 0;
};
std::vector<LedgerTicketDetail> LedgerEntryDetail(const LedgerEntry& entry);
// A header row, then one row per entry.
QStringList LedgerCsvLines(const std::vector<LedgerEntry>& entries);

// Cumulative cost and fixed prize after each settled issue, oldest first (the report's plot).
struct LedgerCurvePoint {
    int issue = 0;
    int64_t cost = 0;
    int64_t prize = 0;
};
std::vector<LedgerCurvePoint> LedgerCurve(const std::vector<LedgerEntry>& entries);
