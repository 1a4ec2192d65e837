#pragma once

#include "engine/core/CodeRec.h"
#include "engine/prize/PrizeTicket.h"
#include "engine/prize/PrizeTiers.h"

#include <QString>
#include <vector>

// One ticket against one draw.
struct TicketPrize {
    int64_t bets = 0;
    int redHits = 0;
    bool blueHit = false;
    TierCounts tiers{};
    int64_t prize = 0;
    // The best tier won (1..6), 0 for none.
    int best() const;
};

struct PrizeSummary {
    int64_t lines = 0;
    int64_t bets = 0;
    int64_t cost = 0;
    TierCounts tiers{};
    int64_t fixedPrize = 0;
};

struct PrizeResult {
    PrizeDraw draw;
    std::vector<TicketPrize> results; // in ticket order
    PrizeSummary summary;
};

// Bets of a ticket: every six of its reds (with all its bankers) times its blues (at least one).
int64_t TicketBets(const PrizeTicket& ticket);
// Counted by combinatorics, not by expanding: with hb of d bankers and ht of t drags hit, the bets with
// r red hits are C(ht, r - hb) * C(t - ht, 6 - d - (r - hb)).
TicketPrize CheckTicket(const PrizeTicket& ticket, const PrizeDraw& draw);
PrizeResult CheckTickets(const std::vector<PrizeTicket>& tickets, const PrizeDraw& draw);

// What one ticket would have won on every draw of a history.
struct HistoryPrize {
    TierCounts tiers{};
    int64_t fixedPrize = 0;
    int64_t cost = 0;
    int best = 0;
    int bestIssue = 0; // 0 when nothing was won
    std::vector<int> sixRedIssues;
};

struct HistoryResult {
    int draws = 0;
    std::vector<HistoryPrize> results;
};

HistoryResult CheckHistory(const std::vector<PrizeTicket>& tickets, const TCodeArr& history);

// A history entry as a draw to check against.
PrizeDraw DrawOf(const TDrawRec& rec);
// An issue code of the history, or six reds and a blue ("01 04 16 22 26 31+04", also with commas or
// as seven numbers, optionally after the issue code). Throws KelvoraError with the user's message.
PrizeDraw ParseDraw(const QString& text, const TCodeArr& history);
// Whether a text has the shape of a draw: an issue code alone, or seven numbers with or without one.
bool NamesDraw(const QString& text);
