#pragma once

#include "engine/wheel/WheelSearch.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// What a player asks for: v numbers of the front pool, optional bankers in every ticket, and the
// guarantee 中P保T counted over the numbers.
struct WheelRequest {
    std::vector<int> numbers;
    std::vector<int> bankers;
    int drawn = 0; // P
    int held = 0;  // T
    int picks = 6; // numbers on a ticket
    int pool = 33; // numbers 1..pool
};

// A wheel that has passed the exhaustive check: tickets are masks over the positions of numbers.
struct Wheel {
    std::vector<int> numbers; // ascending
    std::vector<int> bankers; // ascending
    int drawn = 0;
    int held = 0;
    int picks = 6;
    std::vector<WheelMask> tickets;
    int64_t draws = 0; // the C(v, P) draws checked
    std::optional<int64_t> lowerBound;
    bool stored = false;      // from the stored table rather than searched now
    WheelSearchReport search; // how the search ended (no steps for a stored wheel)
};

// A number list such as "1,2,3" or "01 02 03"; throws KelvoraError for a part that is no number of
// 1..pool or a repeated one. what names the list in the message ("号码", "胆码").
std::vector<int> ReadWheelNumbers(const QString& text, int pool, const QString& what);

// Throws KelvoraError for a request that cannot be built: v outside picks+1..24, a guarantee outside
// 2 <= T <= P <= picks, too many bankers or a banker among the numbers, T above the free places.
void CheckWheelRequest(const WheelRequest& request);

// The shape of the wheel a request needs (bankers take places off every ticket).
WheelShape WheelShapeOf(const WheelRequest& request);

// The stored wheel when the table has one, else a search (greedy, then a local search that ends at
// the lower bound, when it stalls (options.stallSteps, the shape's WheelStallSteps when 0), at the
// options' time or on cancel). The result is checked over every draw before it is returned; throws
// KelvoraError for a bad request or a search cancelled before its first wheel (nothing built).
Wheel BuildWheel(const WheelRequest& request, const WheelSearchOptions& options = {});

// The tickets' numbers, bankers included, ascending within a ticket, tickets in lexicographic order.
std::vector<std::vector<int>> WheelTicketNumbers(const Wheel& wheel);
// "01 02 03 04 05 06" for each ticket.
QStringList WheelTicketLines(const Wheel& wheel);
// "共n注（中P保T，v个号码）"
QString WheelCountLine(const Wheel& wheel);
// "已验证：全部N种开奖组合均满足" with N = C(v, P)
QString WheelVerifiedLine(const Wheel& wheel);
QString WheelJson(const Wheel& wheel, const QString& game);

// The refusal of a search cancelled before it had a complete wheel (or cover) to show.
QString WheelCancelledMessage();

// Two-digit numbers separated by blanks.
QString WheelNumbersText(const std::vector<int>& numbers);
