#pragma once

#include "engine/charts/G2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

// The two frequency bar charts: how many of the latest n draws hold each front number, and each
// side number (counted over every back of a draw, or the special number). Both refuse an n above the history
// (KelvoraError) before building anything; n <= 0 counts no draw (all bars 0).
G2NetModel FillFrontStats(const TCodeArr& history, int n, const Game& game);
G2NetModel FillBackStats(const TCodeArr& history, int n, const Game& game);
// The two-colour ball's charts.
G2NetModel FillRedStats(const TCodeArr& history, int n);
G2NetModel FillBlueStats(const TCodeArr& history, int n);
