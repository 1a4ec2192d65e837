#pragma once

#include "engine/core/CodeRec.h"
#include "support/TestSupport.h"

#include <initializer_list>

// Small made-up histories for the chart tests.
namespace chart_test {

// A draw with issue code `code` (yyyyiii), reds in stored order and blue 0 for none.
inline TDrawRec Draw(int code, std::initializer_list<int> reds, int blue = 0) {
    TDrawRec d{};
    d.Year = code / 1000;
    d.Issue = code % 1000;
    int k = 0;
    for (int r : reds)
        d.Ticket.Red[k++] = uint8_t(r);
    d.Ticket.Valid = 1;
    if (blue >= 1 && blue <= 16) d.Ticket.Blue[blue - 1] = 1;
    return d;
}

// `count` draws 2005001.. cycling through numbers so that every red and blue appears.
inline TCodeArr Cycle(int count) {
    TCodeArr h;
    for (int i = 0; i < count; ++i) {
        const int b = (i * 6) % 33;
        h.push_back(Draw(2005001 + i,
                         {b % 33 + 1, (b + 1) % 33 + 1, (b + 2) % 33 + 1, (b + 3) % 33 + 1, (b + 4) % 33 + 1,
                          (b + 5) % 33 + 1},
                         i % 16 + 1));
    }
    return h;
}

} // namespace chart_test
