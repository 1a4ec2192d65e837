#pragma once

#include "history/CodeRec.h"
#include "shrink/Combinations.h"
#include "shrink/ShrinkInput.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Up to this many kept tickets are listed line by line.
constexpr int ShrinkListLimit = 100000;
// The bar's position is the ticket index div this; the last index, 1,107,567, gives the maximum.
constexpr int ShrinkProgressDivisor = 10000;
// The progress bar runs from 0 to this.
constexpr int ShrinkProgressMaximum = (TicketCount - 1) / ShrinkProgressDivisor;

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
};

QString ShrinkCountLine(int count);
// The second memo line when the result is too long to list.
QString ShrinkTooManyText();
QString TooFewCandidatesText();

// Checks the values that spin edits and drop-down lists would hold (a script can pass anything);
// throws KelvoraError naming the condition.
void CheckShrinkInput(const ShrinkInput& input);

// The whole shrink: at least 8 candidates (else KelvoraError TooFewCandidatesText()), every ticket
// of 1..33, the candidate pass, the conditions in their fixed order, the result text. The number
// lists are read before anything is shown: a list that does not read throws KelvoraError and
// progress.begin is never called. The repeat condition needs the latest draw (the last entry of
// history); with an empty history it is off. With a tolerance above 0 the tolerant walk runs
// instead (RunToleranceShrink). keepAll fills result.tickets.
ShrinkResult RunShrink(const ShrinkInput& input, const TCodeArr& history, const ShrinkProgress& progress = {},
                       bool keepAll = false);

// The memo text for count kept tickets whose first ones (all, up to ShrinkListLimit) have these
// list indexes.
QString ShrinkMemoText(int count, const std::vector<int>& listed);
// The count line, an empty line and every kept ticket's line, beyond 100,000 too (result.tickets).
QString ShrinkAllText(const ShrinkResult& result);

// One ticket line (no blue) per ticket whose Valid flag is set, in list order.
QStringList ValidToLines(const TCodeList& list);
