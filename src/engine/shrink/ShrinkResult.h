#pragma once

#include "engine/shrink/Combinations.h"

#include <QString>
#include <functional>
#include <vector>

// Up to this many kept tickets are listed line by line.
constexpr int ShrinkListLimit = 100000;
// The bar's position is the ticket index div this; the last index, 1,107,567, gives the maximum.
constexpr int ShrinkProgressDivisor = 10000;
// The progress bar runs from 0 to this for the two-colour ball.
constexpr int ShrinkProgressMaximum = (TicketCount - 1) / ShrinkProgressDivisor;
// The same for any game: the position of its last front ticket.
inline int ShrinkProgressEnd(const Game& game) {
    return (game.frontTickets() - 1) / ShrinkProgressDivisor;
}

// How the run reports itself to a progress window.
struct ShrinkProgress {
    // The conditions have been read without error; the window appears now.
    std::function<void()> begin;
    // A ticket that passed every test but the hit rows has moved the bar to a new position.
    // Positions start at 0 and only this call moves them, so the window repaints on each call.
    std::function<void(int position)> step;
    // The walk over the tickets is over (also called when the walk is left by an exception).
    std::function<void()> end;
};

struct ShrinkResult {
    int count = 0;        // kept tickets
    QString countLine;    // "缩水结果总共N注", also the status text
    QString text;         // the result memo's text, lines separated by '\n'
    int lastPosition = 0; // where the progress bar stopped
    // The list index of every kept ticket, ascending; filled only when the caller asks for it.
    std::vector<int> tickets;
    const Game* game = &Game::ssq(); // whose front tickets the indexes count
};

QString ShrinkCountLine(int count);
// The second memo line when the result is too long to list.
QString ShrinkTooManyText();
QString TooFewCandidatesText();

// The memo text for count kept tickets whose first ones (all, up to ShrinkListLimit) have these
// list indexes.
QString ShrinkMemoText(int count, const std::vector<int>& listed, const Game& game);
// The count line, an empty line and every kept ticket's line, beyond 100,000 too (result.tickets).
QString ShrinkAllText(const ShrinkResult& result);
