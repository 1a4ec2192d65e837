#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <array>

// Colours of the six red positions and the blue pair in the odd-even and big-small charts; the
// first five also band the blue-ball chart.
extern const std::array<TColor, 7> PositionColors;
constexpr TColor CountHitColor = 0xC5E483;

// The odd-even chart "奇偶走势图": per front position, "J" (odd) or "O" (even) in the position's pair
// of columns, the same for each back number (a pair each), and the draw's count of odd fronts with
// its distribution 0..picks.
H2NetModel FillOddEvenChart(const TCodeArr& history, int n, const Game& game);
H2NetModel FillOddEvenChart(const TCodeArr& history, int n);

// The big-small chart "大小走势图": as the odd-even chart with "D" (last digit 5..9) and "X" (last
// digit 0..4), counting big fronts. Both throw KelvoraError for a refused n.
H2NetModel FillBigSmallChart(const TCodeArr& history, int n, const Game& game);
H2NetModel FillBigSmallChart(const TCodeArr& history, int n);
