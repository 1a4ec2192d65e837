#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QDate>
#include <QString>
#include <array>
#include <vector>

// The issue code after the newest draw (0 for an empty history): the next of its year, or the
// year's first, YYYY001, once `today` lies in a later year and the newest draw is one of its year's
// last. The file holds no dates, so the end of a year is told by its running number (about 153 draws
// a year); either code is accepted (CheckNewIssueCode).
int NextIssueCode(const TCodeArr& history, const QDate& today = QDate::currentDate());

// Whether a new draw may take an issue code after the held history.
struct NewIssueCheck {
    enum Verdict {
        Accepted, // the next issue of the year, or the first of the next year
        Gap,      // later than that: ask before accepting (message is the question)
        Refused,  // held already, not after the newest, or no issue code: message says why
    };
    Verdict verdict = Accepted;
    QString message;
};
NewIssueCheck CheckNewIssueCode(const TCodeArr& history, int issueCode);

// The history line of a new draw, reds sorted ascending. Throws KelvoraError when a red number
// repeats or a number lies outside its range.
QString DrawEntryLine(int issueCode, std::array<int, 6> reds, int blue);
// The same for any game: the game's fronts (sorted here) and backs (one blue or two backs, sorted).
QString DrawEntryLine(int issueCode, std::vector<int> fronts, std::vector<int> backs, const Game& game);
