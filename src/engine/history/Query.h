#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QString>
#include <QStringList>
#include <functional>

// One listed draw: "第2005013期,开奖号:03 07 12 19 25 31+09".
// The super lotto lists both backs: "开奖号:01 02 03 04 05+06 07".
QString QueryLine(const TDrawRec& draw, const Game& game);

// The draws from the (last) entry with the given issue code on, at most count of them, oldest
// first. An unknown issue code or a count of 0 or less gives no lines.
QStringList QueryHistory(const TCodeArr& history, int fromIssue, int count, const Game& game);
// The same, each draw's line followed by what more adds for it (its figures).
QStringList QueryHistory(const TCodeArr& history, int fromIssue, int count, const Game& game,
                         const std::function<void(const TDrawRec&, QStringList&)>& more);

// Where a first query starts: the first issue of the game's records.
int FirstQueryIssue(const Game& game);
