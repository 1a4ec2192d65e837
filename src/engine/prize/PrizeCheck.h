#pragma once

#include "engine/core/CodeRec.h"
#include "engine/prize/DrawFigures.h"
#include "engine/prize/PrizeTicket.h"
#include "engine/prize/PrizeTiers.h"

#include <QString>
#include <vector>

// One ticket against one draw.
struct TicketPrize {
    int64_t bets = 0;
    int redHits = 0;
    int16_t backHits = 0; // back numbers of the ticket drawn
    bool blueHit = false; // a back number of the ticket is drawn
    bool specialHit = false; // the draw's special number is among the ticket's numbers
    TierCounts tiers{};
    int64_t prize = 0;
    int64_t paid = -1; // fen at the amounts paid in the draw; -1 when not known or checked without figures
    // The best tier won (1..), 0 for none.
    int best() const;
};

struct PrizeSummary {
    int64_t lines = 0;
    int64_t bets = 0;
    int64_t cost = 0;
    TierCounts tiers{};
    int64_t fixedPrize = 0;
    int64_t paid = -1; // fen, as TicketPrize::paid: -1 when any ticket's is not known
};

struct PrizeResult {
    PrizeDraw draw;
    std::vector<TicketPrize> results; // in ticket order
    PrizeSummary summary;
    const PrizeRules* rules = &SsqPrizeRules(); // the version the draw was checked with
    bool extra = false;                         // every bet with 追加
    bool withFigures = false;                   // checked with draw figures: paid is filled
};

// Bets of a ticket: every picks of its fronts (with all its bankers) times every back picks of its
// backs (with its back banker); a ticket without backs counts one back part.
int64_t TicketBets(const PrizeTicket& ticket, const Game& game);
// Counted by combinatorics, not by expanding: with hb of d bankers and ht of t drags hit, the bets with
// r front hits are C(ht, r - hb) * C(t - ht, picks - d - (r - hb)); the backs split the same way.
TicketPrize CheckTicket(const PrizeTicket& ticket, const PrizeDraw& draw);
TicketPrize CheckTicket(const PrizeTicket& ticket, const PrizeDraw& draw, const PrizeRules& rules,
                        bool extra = false);
// The tiers of a ticket's bets on any draw where frontBankerHits of its front bankers, frontDragHits of
// its other fronts, backBankerHits of its back bankers and backDragHits of its other backs are drawn.
// For a game with a special number (and no backs) the last two say whether the special number is one of
// the ticket's bankers or one of its other numbers (0 or 1, not both).
TierCounts TiersByHits(const PrizeTicket& ticket, const PrizeRules& rules, int frontBankerHits,
                       int frontDragHits, int backBankerHits, int backDragHits);
// With the rule version in force for the draw's issue (the newest for a draw without one).
PrizeResult CheckTickets(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw, const Game& game,
                         bool extra = false);
// With the draw figures (an empty table is none): the table the draw's pool selects, and the prizes as
// paid in the draw.
PrizeResult CheckTickets(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw, const Game& game,
                         bool extra, const FiguresTable* figures);

// The tiers one ticket won on the draws of one rule version.
struct VersionTiers {
    int version = 0;
    int draws = 0;
    TierCounts tiers{};
};

// What one ticket would have won on every draw of a history.
struct HistoryPrize {
    TierCounts tiers{}; // by tier index over all versions
    int64_t fixedPrize = 0;
    int64_t paid = -1; // fen over all draws at the amounts paid; -1 when one is not known
    int64_t cost = 0;
    int best = 0;
    int bestIssue = 0;   // 0 when nothing was won
    int bestVersion = 0; // the rule version of bestIssue
    // Every issue whose fronts are those of one of the ticket's bets.
    std::vector<int> sixRedIssues;
    std::vector<VersionTiers> byVersion; // the versions with draws, oldest first
};

struct HistoryResult {
    int draws = 0;
    std::vector<HistoryPrize> results;
    const Game* game = &Game::ssq();
    bool extra = false;
    bool withFigures = false;
    // The tiers a result by tier shows (named after HistoryTierColumnRules): the game's widest version,
    // with a tier paid on part of a version only when the draws include some of that part.
    int tierCount = 0;
};

HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history);
// The game is of the shape the bit-sliced check has compiled in: six of 33 and one of 16.
bool HasSixPlusOneFastPath(const Game& game);
// Each draw with the rule table of its issue.
HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history, const Game& game,
                           bool extra = false);
// With the draw figures (an empty table is none): each draw's table chosen with them, and the prizes
// as paid summed over the draws.
HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history, const Game& game,
                           bool extra, const FiguresTable* figures);

// A history entry as a draw to check against.
PrizeDraw DrawOf(const TDrawRec& rec, const Game& game);
// An issue code of the history, or six reds and a blue ("01 04 16 22 26 31+04", also with commas or
// as seven numbers, optionally after the issue code); five fronts and two backs for the super lotto;
// seven numbers and the special number for 七乐彩 ("01 02 03 04 05 06 07+08").
// Throws KelvoraError with the user's message.
PrizeDraw ParseDraw(const QString& text, const TCodeArr& history, const Game& game);
// Whether a text has the shape of a draw: an issue code alone, or seven numbers with or without one.
bool NamesDraw(const QString& text, const Game& game);
