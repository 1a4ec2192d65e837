#pragma once

#include <QString>
#include <cstdint>

// One ticket line of a prize check, of either game. Bit k of reds stands for front (red) k, bit k of
// blues for back (blue) k; no blue bit means the ticket carries no blue and never hits one. A 胆拖
// ticket marks its bankers within reds (and, for the super lotto, a back banker within blues): every
// bet holds all bankers and fills the rest from the other numbers (the drags). A compound ticket is
// the case without bankers.
struct PrizeTicket {
    int line = 0;      // 1-based line of the input
    uint64_t reds = 0; // bankers and drags
    uint32_t blues = 0;
    int redCount = 0; // bankers included
    int blueCount = 0;
    uint64_t bankers = 0;     // a subset of reds
    uint32_t backBankers = 0; // a subset of blues
};

// A draw to check against; issue is 0 when the draw was typed rather than taken from the history.
// backs holds the back numbers as bits; a two-colour-ball draw may give its blue in blue alone.
// special is the special number of a game that draws one (七乐彩), 0 otherwise.
struct PrizeDraw {
    int issue = 0;
    uint64_t reds = 0;
    int blue = 0;
    uint32_t backs = 0;
    int special = 0;
    uint32_t backMask() const { return backs | (blue > 0 ? uint32_t(1) << blue : 0u); }
    uint64_t specialMask() const { return special > 0 ? uint64_t(1) << special : 0u; }
    // What stands beside the fronts: the backs, or the special number.
    uint64_t sideMask() const { return backMask() | specialMask(); }
};

// "01 02 03 04 05 06" and, with blues, "+07 08"; a 胆拖 ticket as "01 02#03 04 05 06 07+08", with a back
// banker "+01#02 03".
QString TicketText(const PrizeTicket& ticket);
// The fronts, "+", then the backs or the special number.
QString DrawText(const PrizeDraw& draw);
// The numbers of a mask, ascending.
QString MaskNumbers(uint64_t mask, QChar separator = QLatin1Char(' '));
