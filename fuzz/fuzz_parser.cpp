#include "engine/history/Parser.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ParseResult r = ParseHistory(bytes, Game::ssq());
    if (r.status == ParseResult::Ok) {
        for (const TDrawRec& d : r.history) {
            int blues = 0;
            for (uint8_t b : d.Ticket.Blue)
                blues += b;
            if (blues != 1 || d.Ticket.Valid != 1) __builtin_trap();
            for (uint8_t red : d.Ticket.Red)
                if (red < 1 || red > 33) __builtin_trap();
        }
    }
    return 0;
}
