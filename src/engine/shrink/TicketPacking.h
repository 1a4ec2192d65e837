#pragma once

#include "engine/core/Game.h"
#include <cstdint>

// The walks over the tickets keep every additive measure of the numbers chosen so far as a 4-bit
// counter (the sum as 8 bits) in one 64-bit word, so adding one number's contribution updates all
// of them at once.
namespace TicketPacking {

enum Field : int {
    SumShift = 0, // 8 bits
    OddShift = 8,
    BigShift = 12,
    CommonShift = 16,
    ExcludedShift = 20,
    RequiredShift = 24,
    ZoneShift = 28,  // zone 1 at 28, zone 2 at 32; zone 3 is picks minus both
    Mod3Shift = 36,  // remainder 0 at 36, remainder 1 at 40
    HitRowShift = 44 // rows 0..3 at 44, 48, 52, 56
};

inline uint32_t field(uint64_t packed, int shift) {
    return uint32_t(packed >> shift) & 15u;
}

// What front number n adds whatever the conditions: its value, odd, big, zone and remainder counters.
inline uint64_t numberContribution(int n, const Game& game) {
    uint64_t c = uint64_t(n) << SumShift;
    c |= uint64_t(n & 1) << OddShift;
    c |= uint64_t(n > game.smallMax) << BigShift;
    const int zone = game.zoneOf(n);
    if (zone < 2) c |= uint64_t(1) << (ZoneShift + 4 * zone);
    if (n % 3 < 2) c |= uint64_t(1) << (Mod3Shift + 4 * (n % 3));
    return c;
}

} // namespace TicketPacking
