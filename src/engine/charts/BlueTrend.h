#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"

constexpr TColor BlueHitColor = 0xB0FFF9;

// The blue-ball trend chart "蓝球走势图": per draw, the blue number in its distribution column
// (blue b in column 1 + b), odd/even ("J"/"O"), its remainder mod 3, its half and its quarter
// ("▲"). Throws KelvoraError for a refused n.
H2NetModel FillBlueTrend(const TCodeArr& history, int n);
