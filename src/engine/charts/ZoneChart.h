#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

// Zone colours of the zone and last-digit charts.
constexpr TColor ZoneFewColor = 0xF4E5D1;  // 3 zones: 0 or 1 number
constexpr TColor ZoneSomeColor = 0xF4A6A1; // 3 zones: 2 or 3 numbers
constexpr TColor ZoneManyColor = 0x6486F1; // 3 zones: 4 or more
constexpr TColor CountOneColor = 0xF495C1; // 11 zones and last digits: counts 1, 2, 3
constexpr TColor CountTwoColor = 0x6486E1;
constexpr TColor CountThreeColor = 0x3446FF;

// Colour of a count of 1, 2 or 3 in the 11-zone and last-digit cells; clWindow otherwise.
TColor CountColor(int count);

// The zone chart "区域分布图": per draw, how many fronts fall into each of the game's 3 zones (the
// three columns after the back column) and each of the small zones of three numbers (11 for the
// two-colour ball, columns 11..21; 12 for the super lotto). Throws KelvoraError for a refused n.
H2NetModel FillZoneChart(const TCodeArr& history, int n, const Game& game);
H2NetModel FillZoneChart(const TCodeArr& history, int n);

// Numbers to a small zone, and how many small zones the game's front pool makes.
constexpr int SmallZoneSize = 3;
inline int SmallZoneCount(const Game& game) {
    return (game.frontPool + SmallZoneSize - 1) / SmallZoneSize;
}

// The two lines of the note under the two-colour ball's zone chart.
// The note of any game's zone chart (lines separated by CR LF).
QString ZoneChartNoteText(const Game& game);
