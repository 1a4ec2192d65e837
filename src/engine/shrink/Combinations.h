#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <array>
#include <cstdint>

// Number of six-number tickets of 1..33, the two-colour ball's front tickets.
constexpr int TicketCount = 1107568;

// Flags read at index n - 1 for front number n (0-based, unlike NumberSet); the flags beyond the
// game's pool are not read.
using CandidateFlags = std::array<uint8_t, GameLimits::kMaxFrontPool>;

// Fills list with every front ticket of the game in lexicographic order, each with random back
// flags (one blue for the two-colour ball, two distinct backs for the super lotto, none for 七乐彩);
// a ticket none of whose fronts is flagged gets Valid = 0, all others Valid = 1. A shape of game
// without a generator stops the program (qFatal).
void BuildCombinations(TCodeList& list, const CandidateFlags& flags, const Game& game);

// The program's one pseudo-random generator: never seeded, so every program start gives the same
// sequence. Returns 0 .. range-1.
int KelvoraRandom(int range);
// Puts the generator back to its start state (for tests that compare two "program starts").
void ResetKelvoraRandom();

// The number of tickets that BuildCombinations(list, flags) marks Valid.
int64_t KeptTicketCount(const CandidateFlags& flags, const Game& game);
// The ticket with this 0-based ordinal among those BuildCombinations marks Valid, in list order,
// found by counting (no list is built); Valid = 1, no blue. With every flag set the ordinal is the
// list index. ordinal must be below KeptTicketCount(flags).
TCodeRec KeptTicketAt(int64_t ordinal, const CandidateFlags& flags, const Game& game);
// The list index of the ticket with these ascending fronts.
int TicketIndex(const TCodeRec& ticket, const Game& game);
