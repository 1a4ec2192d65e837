#pragma once

#include <QString>
#include <cstdint>

// One ticket line of a prize check. Bit k of reds stands for red k (1..33), bit k of blues for
// blue k (1..16); no blue bit means the ticket carries no blue and never hits one. A 胆拖 ticket marks
// its bankers within reds: every bet holds all bankers and fills the rest from the other reds (the
// drags). A compound ticket is the case without bankers.
struct PrizeTicket {
    int line = 0;      // 1-based line of the input
    uint64_t reds = 0; // bankers and drags
    uint32_t blues = 0;
    int redCount = 0; // bankers included
    int blueCount = 0;
    uint64_t bankers = 0; // a subset of reds
};

// A draw to check against; issue is 0 when the draw was typed rather than taken from the history.
struct PrizeDraw {
    int issue = 0;
    uint64_t reds = 0;
    int blue = 0;
};

// "01 02 03 04 05 06" and, with blues, "+07 08"; a 胆拖 ticket as "01 02#03 04 05 06 07+08".
QString TicketText(const PrizeTicket& ticket);
QString DrawText(const PrizeDraw& draw);
// The numbers of a mask, ascending.
QString MaskNumbers(uint64_t mask, QChar separator = QLatin1Char(' '));
