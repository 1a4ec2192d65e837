#pragma once

#include "history/CodeRec.h"

#include <array>
#include <cstdint>

// Number of six-number tickets of 1..33.
constexpr int TicketCount = 1107568;

// Flags read at index n - 1 for red number n (0-based, unlike NumberSet).
using CandidateFlags = std::array<uint8_t, 33>;

// Fills list with every ticket of 1..33 in lexicographic order, each with one random blue flag;
// a ticket none of whose reds is flagged gets Valid = 0, all others Valid = 1.
void BuildCombinations(TCodeList& list, const CandidateFlags& flags);

// The program's one pseudo-random generator: never seeded, so every program start gives the same
// sequence. Returns 0 .. range-1.
int KelvoraRandom(int range);
// Puts the generator back to its start state (for tests that compare two "program starts").
void ResetKelvoraRandom();
