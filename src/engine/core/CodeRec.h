#pragma once

#include <cstdint>
#include <vector>

// One ticket: a draw's numbers or one candidate of the shrink run. 25 bytes, no padding.
// Red[0 .. picks - 1] are the game's fronts (the reds of the two-colour ball, six; the super lotto's
// five fronts leave Red[5] and Red[6] at 0, 七乐彩 fills all seven); Blue[b - 1] flags back number b
// (one blue, or two backs).
struct TCodeRec {
    uint8_t Red[7]; // ascending; a game of fewer picks leaves the rest 0
    uint8_t Valid;
    uint8_t Blue[16];
    uint8_t Special; // a draw's special number (七乐彩), 0 otherwise
};
static_assert(sizeof(TCodeRec) == 25);

// One history entry; the issue code shown to the user is Year * 1000 + Issue. Ticket.Red is
// ascending whatever order the line gave, so every measure sees the same draw.
struct TDrawRec {
    int32_t Year;
    int32_t Issue;
    TCodeRec Ticket;
    // The line gave its fronts (bit 0) or its backs (bit 1) out of ascending order (the text keeps
    // them as typed, with a warning).
    uint8_t RedsTypedUnsorted;

    int32_t code() const { return Year * 1000 + Issue; }
};

// The draw history, oldest first: the latest draw is the last entry.
using TCodeArr = std::vector<TDrawRec>;
// A growable array of tickets (the shrink run's list).
using TCodeList = std::vector<TCodeRec>;

// Number of entries whose Valid is exactly 1.
int CountValidCodes(const TCodeList& codes);
