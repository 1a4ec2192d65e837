#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"

// The red-ball trend chart "红球走势图" of the latest n draws: issue, reds, blue and one light-red
// cell per drawn red number in the distribution columns 8..40 (number k in column 7 + k), with how
// often each number was drawn in the totals row. Throws KelvoraError when n < 0 or n > history.
H2NetModel FillRedTrend(const TCodeArr& history, int n);

// The same grid with the distribution columns rotated to start at number start (1..33): number o
// stands in column RotatedPosition(o, start) + 7.
H2NetModel FillRedDistribution(const TCodeArr& history, int n, int start);

// Position 1..33 of red number o when the columns start at number start: start -> 1, start - 1 -> 33.
inline int RotatedPosition(int o, int start) {
    return o >= start ? (o + 35 - start) % 34 : (o + 34 - start) % 34;
}
