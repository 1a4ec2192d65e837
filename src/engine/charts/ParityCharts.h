#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"

#include <array>

// Colours of the six red positions and the blue pair in the odd-even and big-small charts; the
// first five also band the blue-ball chart.
extern const std::array<TColor, 7> PositionColors;
constexpr TColor CountHitColor = 0xC5E483;

// The odd-even chart "奇偶走势图": per position, "J" (odd) or "O" (even) in the position's pair of
// columns, the same for the blue number, and the draw's count of odd reds with its distribution.
H2NetModel FillOddEvenChart(const TCodeArr& history, int n);

// The big-small chart "大小走势图": as the odd-even chart with "D" (last digit 5..9) and "X" (last
// digit 0..4), counting big reds. Both throw KelvoraError for a refused n.
H2NetModel FillBigSmallChart(const TCodeArr& history, int n);
