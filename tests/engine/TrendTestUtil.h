#pragma once

#include "engine/core/CodeRec.h"
#include "support/TestSupport.h"

#include <QTest>
#include <initializer_list>

// A draw with reds in the given (stored) order and one blue number (0 = no blue flag).
inline TDrawRec MakeDraw(int year, int issue, std::initializer_list<int> reds, int blue) {
    TDrawRec d{};
    d.Year = year;
    d.Issue = issue;
    int k = 0;
    for (int r : reds)
        d.Ticket.Red[k++] = uint8_t(r);
    d.Ticket.Valid = 1;
    if (blue > 0) d.Ticket.Blue[blue - 1] = 1;
    return d;
}
