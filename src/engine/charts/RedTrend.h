#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

// The front trend chart ("红球走势图", "前区走势图") of the latest n draws: issue, fronts, backs
// and one light-red cell per drawn front number in the distribution columns that follow the back
// column (number k in column picks + 1 + k), with how often each number was drawn in the totals
// row. Throws KelvoraError when n < 0 or n > history.
H2NetModel FillFrontTrend(const TCodeArr& history, int n, const Game& game);
// The two-colour ball's "红球走势图": columns 8..40.
H2NetModel FillRedTrend(const TCodeArr& history, int n);

// The same grid with the distribution columns rotated to start at number start (1..frontPool):
// number o stands in column RotatedPosition(o, start, game) + picks + 1.
H2NetModel FillFrontDistribution(const TCodeArr& history, int n, int start, const Game& game);
H2NetModel FillRedDistribution(const TCodeArr& history, int n, int start);

// Position 1..frontPool of front number o when the columns start at number start: start -> 1,
// start - 1 -> frontPool.
inline int RotatedPosition(int o, int start, const Game& game) {
    const int p = o - start + 1; // no division: this runs for every drawn number
    return p > 0 ? p : p + game.frontPool;
}
