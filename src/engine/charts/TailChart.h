#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

// The last-digit chart "尾号走势图": per draw, how many fronts end in each digit 0..9 (the ten
// columns after the back column; 8 + d for the two-colour ball). Throws KelvoraError for a refused n.
H2NetModel FillTailChart(const TCodeArr& history, int n, const Game& game);
H2NetModel FillTailChart(const TCodeArr& history, int n);
