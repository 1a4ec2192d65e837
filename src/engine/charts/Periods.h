#pragma once

#include "engine/core/CodeRec.h"

#include <QString>

// The refusal of every chart page when N cannot be served by the history.
QString PeriodsTooLongMessage();

// Throws KelvoraError with PeriodsTooLongMessage() when n is negative or larger than the history;
// called before any model is touched, so a refused N leaves the chart as it was.
void CheckPeriods(const TCodeArr& history, int n);

// The check of the pages that count over "the latest n draws" and so read n <= 0 as no draw at all
// (the bar charts, the omission tables): only an n above the history is refused.
void CheckPeriodsAbove(const TCodeArr& history, int n);

// Index of the first of the latest n draws (history.size() - n), after CheckPeriods.
inline size_t FirstOfLatest(const TCodeArr& history, int n) {
    return history.size() - size_t(n);
}
