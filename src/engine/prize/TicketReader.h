#pragma once

#include "engine/core/Game.h"
#include "engine/prize/PrizeTicket.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The tickets of a list and the numbers of the lines that are no ticket.
struct TicketList {
    std::vector<PrizeTicket> tickets;
    std::vector<int> badLines;
    std::vector<QString> faults; // per bad line: what is wrong with a 胆拖 line, else empty
};

// The most fronts of a compound ticket.
inline constexpr int MaxCompoundFronts = 20;

// Reads a ticket list of the game, one ticket a line: single, compound or 胆拖 ("01 02#03 04 05 06 07+08";
// the super lotto's backs may have a banker too, "+01#02 03"). Skips blank lines, the header lines of a
// saved shrink result or prediction and a leading 7-digit issue code. Tickets without a blue take
// defaultBlues.
TicketList ReadTickets(QStringView text, uint32_t defaultBlues, const Game& game);

// "第n行不是有效的投注号码", one line per bad line.
QString BadLinesMessage(const std::vector<int>& badLines);
// The same, with the fault of a 胆拖 line after its line ("第n行不是有效的投注号码：胆码03也在拖码中").
QString BadLinesMessage(const TicketList& list);

// A comma-separated list of distinct blues 1..16 (backs of the game) as a mask; an empty text is no
// blue. Throws KelvoraError for anything else.
uint32_t ReadBlueList(const QString& text, const Game& game);

// A ticket file as text: UTF-8 when the bytes are valid UTF-8, else the program's code page (the
// window's exports), so a saved result reads either way.
QString DecodeTicketFile(const QByteArray& bytes);
