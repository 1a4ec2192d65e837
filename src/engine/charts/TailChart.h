#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"

// The last-digit chart "尾号走势图": per draw, how many reds end in each digit 0..9 (column 8 + d).
// Throws KelvoraError for a refused n.
H2NetModel FillTailChart(const TCodeArr& history, int n);
