#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

constexpr TColor BlueHitColor = 0xB0FFF9;

// The back trend chart ("蓝球走势图", "后区走势图", "特别号走势图"): per draw, each side number (the
// backs, or the special number) in its distribution column (number b in column 1 + b; two marks a
// row for two backs), odd/even ("J"/"O"), its remainder mod 3, its half and its zone ("▲": quarters
// of a back pool, the game's three zones for a special number), each mark once per number that has
// it, and the totals over every side number. Throws KelvoraError for a refused n.
H2NetModel FillBackTrend(const TCodeArr& history, int n, const Game& game);
// The two-colour ball's "蓝球走势图".
H2NetModel FillBlueTrend(const TCodeArr& history, int n);
