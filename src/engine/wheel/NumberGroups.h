#pragma once

#include "engine/core/Game.h"

// One-click selections of the candidate matrix.
enum class NumberGroup { All, None, Odd, Even, Big, Small, Prime, Zone1, Zone2, Zone3 };

// Whether front n (1..frontPool) belongs to the group: big and small, the three zones and the primes
// (1 counts) as the game's ticket measures count them.
bool InNumberGroup(NumberGroup group, int n, const Game& game);
