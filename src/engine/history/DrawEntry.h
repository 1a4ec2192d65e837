#pragma once

#include "history/CodeRec.h"

#include <QString>
#include <array>

// The issue code after the newest draw (0 for an empty history).
int NextIssueCode(const TCodeArr& history);

// The history line of a new draw, reds sorted ascending. Throws KelvoraError when a red number
// repeats or a number lies outside its range.
QString DrawEntryLine(int issueCode, std::array<int, 6> reds, int blue);
