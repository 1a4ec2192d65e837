#include "shrink/Combinations.h"

#include <cstring>

namespace {
uint32_t randSeed = 0;
}

int KelvoraRandom(int range) {
    randSeed = randSeed * 134775813u + 1u;
    return int((uint64_t(randSeed) * uint32_t(range)) >> 32);
}

void ResetKelvoraRandom() {
    randSeed = 0;
}

void BuildCombinations(TCodeList& list, const CandidateFlags& flags) {
    list.resize(TicketCount);
    TCodeRec* out = list.data();
    // Nested ascending loops visit exactly the strictly increasing tuples in lexicographic order.
    for (int a = 1; a <= 28; ++a)
        for (int b = a + 1; b <= 29; ++b)
            for (int c = b + 1; c <= 30; ++c)
                for (int d = c + 1; d <= 31; ++d)
                    for (int e = d + 1; e <= 32; ++e)
                        for (int f = e + 1; f <= 33; ++f) {
                            TCodeRec& t = *out++;
                            std::memset(&t, 0, sizeof t);
                            t.Red[0] = uint8_t(a);
                            t.Red[1] = uint8_t(b);
                            t.Red[2] = uint8_t(c);
                            t.Red[3] = uint8_t(d);
                            t.Red[4] = uint8_t(e);
                            t.Red[5] = uint8_t(f);
                            t.Blue[KelvoraRandom(16)] = 1;
                            t.Valid = (flags[a - 1] | flags[b - 1] | flags[c - 1] | flags[d - 1] |
                                       flags[e - 1] | flags[f - 1])
                                          ? 1
                                          : 0;
                        }
}
