#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

// The rotation chart "旋转图": the front trend grid whose distribution columns start at number
// start and wrap around (start, start + 1, ... frontPool, 1, ... start - 1). A start outside
// 1..frontPool is brought into that range, as the start spin edit does. Throws KelvoraError for a
// refused n.
H2NetModel FillRotation(const TCodeArr& history, int n, int start, const Game& game);
