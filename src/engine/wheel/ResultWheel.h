#pragma once

#include "engine/core/Game.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// Tickets here are masks with bit n for number n (1..33, 1..35 or 1..30), as the prize reader gives them.

// A given ticket list checked as a wheel over numbers: how many P-subsets of the numbers no ticket
// meets in T of them, and up to ten of those draws.
struct TicketWheelCheck {
    int count = 0; // tickets
    int v = 0;
    int drawn = 0;
    int held = 0;
    int64_t draws = 0;
    int64_t uncovered = 0;
    std::vector<std::vector<int>> examples;
};

TicketWheelCheck CheckTicketWheel(const std::vector<int>& numbers, int drawn, int held,
                                  const std::vector<uint64_t>& tickets);
QStringList TicketWheelCheckLines(const TicketWheelCheck& check);

// A 胆拖 line stands for bets that need not hold T of its reds together, so a wheel table may not
// have one: the refusal for line `line`.
QString BankerLineInWheelMessage(int line);
QString TicketWheelCheckJson(const TicketWheelCheck& check, const Game& game);

struct ResultCoverOptions {
    std::chrono::milliseconds timeLimit{9000};
    // The search stops at whichever budget runs out first. Both count steps, not time, so a result
    // does not depend on speed; a short list is done quickly, a dense one stops at the work.
    int stepsPerTicket = 85;
    int64_t work = 1'600'000'000; // neighbour-list entries visited
    uint64_t seed = 1;
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(int permille)> progress;
};

// 缩水后旋转: chosen tickets of the list such that every ticket of the list shares at least T numbers
// with one of them.
struct ResultWheel {
    int from = 0; // distinct tickets of the list
    int held = 0;
    std::vector<uint64_t> tickets; // chosen, in the list's order
    int greedyCount = 0;           // what the plain greedy choice needed
    int64_t uncovered = 0;         // tickets of the list that no chosen ticket meets (0 once checked)
    bool cancelled = false;        // the search was cancelled: the best cover found until then
};

// Duplicate tickets count once. Throws KelvoraError when the list is empty or too dense to index, or
// when cancelled before a first cover was found.
ResultWheel CoverResultTickets(const std::vector<uint64_t>& tickets, int held,
                               const ResultCoverOptions& options = {});
// The plain greedy choice alone (indexes into the distinct tickets in list order).
std::vector<int> GreedyResultCover(const std::vector<uint64_t>& tickets, int held);
// Tickets of the list that no chosen ticket meets in T numbers (the exhaustive check).
int64_t UncoveredResultTickets(const std::vector<uint64_t>& tickets, const std::vector<uint64_t>& chosen,
                               int held);

QStringList ResultWheelLines(const ResultWheel& wheel);
QString ResultWheelCountLine(const ResultWheel& wheel);
QString ResultWheelJson(const ResultWheel& wheel, const Game& game);
QString TicketMaskText(uint64_t mask);

// Ticket lines with the player's blues appended ("01 02 03 04 05 06+07 09"); no blue leaves them.
QStringList TicketLinesWithBlues(const QStringList& lines, uint32_t blueMask);
// Bets of that many single tickets with blueCount blues each (one bet without blues), and their cost.
int64_t WheelBets(int64_t tickets, int blueCount);
// The same for any game: each ticket takes every choice of the game's backs among backCount backs.
int64_t WheelBets(int64_t tickets, int backCount, const Game& game);
constexpr int64_t BetPrice = 2;
