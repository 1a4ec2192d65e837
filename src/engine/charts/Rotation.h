#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"

// The rotation chart "旋转图": the red-ball trend grid whose 33 distribution columns start at number
// start and wrap around (start, start + 1, ... 33, 1, ... start - 1). A start outside 1..33 is
// brought into that range, as the start spin edit does. Throws KelvoraError for a refused n.
H2NetModel FillRotation(const TCodeArr& history, int n, int start);
