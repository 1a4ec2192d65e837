#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/core/Pools.h"

#include <QString>
#include <array>
#include <cstdint>
#include <initializer_list>

// Flags indexed by front number (1..35 room for every game); entry 0 is never read.
using NumberSet = std::array<uint8_t, GameLimits::kMaxFrontPool + 1>;

// Item k of a ratio matrix stands for k odd (or big) numbers among the six reds of the two-colour
// ball; Game::ratioLabel gives the captions of any game.
extern const char* const RatioLabels[7];

// A ticket holds the game's fronts ascending in Red[0 .. frontPicks - 1] (the rest 0) and its backs
// as flags (Blue[b - 1] for back b). Measures that depend on the pick count or the pool take the
// game; the two-colour ball is what callers that name none get.

QString NumToText(int32_t value, int width = 2, bool zeroPad = true);
// The ticket line "01 02 03 04 05 06", with "+07" when withBlue and that blue flag is set.
bool CodeToText(const TCodeRec& ticket, QString& text, bool withBlue, int blueNo, const Game& game);
QString CodeToText(const TCodeRec& ticket, const Game& game);
// The fronts and every back flagged: "01 02 03 04 05 06+07", "01 02 03 04 05+06 07".
QString DrawToText(const TCodeRec& ticket, const Game& game);
// The length of a fronts-only ticket line: 17 for six fronts, 14 for five.
inline int TicketChars(const Game& game) {
    return game.frontPicks * 3 - 1;
}
// Writes the TicketChars-character ticket line (no blue) into out; for the hot loops that build
// big texts.
void CodeToChars(const TCodeRec& ticket, char16_t* out, const Game& game);

int32_t SumValue(const TCodeRec& t, bool tailDigits = false);
int32_t MinCode(const TCodeRec& t);
int32_t MaxCode(const TCodeRec& t);
int32_t SpanValue(const TCodeRec& t, const Game& game);
int32_t AcValue(const TCodeRec& t, const Game& game);
int32_t OddCount(const TCodeRec& t);
int32_t BigCount(const TCodeRec& t, const Game& game);
int32_t BigTailCount(const TCodeRec& t);
void ZoneCounts(const TCodeRec& t, int32_t& z1, int32_t& z2, int32_t& z3, const Game& game);
void Mod3Counts(const TCodeRec& t, int32_t& m0, int32_t& m1, int32_t& m2, const Game& game);
int32_t PrimeCount(const TCodeRec& t);
int32_t TailGroupCount(const TCodeRec& t, const Game& game);
int32_t RunGroupCount(const TCodeRec& t, const Game& game);
int32_t RunNumberCount(const TCodeRec& t, const Game& game);
int32_t LongestRunLinks(const TCodeRec& t, const Game& game);
int32_t OddStepCount(const TCodeRec& t, const Game& game);
int32_t EvenStepCount(const TCodeRec& t, const Game& game);
int32_t MaxGap(const TCodeRec& t, const Game& game);

int32_t CommonCount(const TCodeRec& a, const TCodeRec& b);
int32_t SamePosCount(const TCodeRec& a, const TCodeRec& b, const Game& game);
int32_t DiagonalCount(const TCodeRec& a, const TCodeRec& prev, const Game& game);
int32_t CountInSet(const TCodeRec& t, const NumberSet& set);
bool HasCode(const TCodeRec& t, int32_t n);
int32_t BlueList(const TCodeRec& t, uint8_t (&blues)[GameLimits::kMaxBackPool]);
int32_t NumDistance(int32_t a, int32_t b, bool mod10 = false);
bool IsComposite(int32_t n);
template <typename List> int32_t MaxOfList(const List& values) {
    int32_t m = 0;
    for (size_t i = 1; i < size_t(values.size()); ++i)
        if (values[i] > m) m = values[i];
    return m;
}

// The three run measures in one scan, for callers that need them together.
struct RunInfo {
    int32_t groups = 0;
    int32_t numbers = 0;
    int32_t longestLinks = 0;
};
RunInfo RunMeasures(const TCodeRec& t, const Game& game);

// A ticket from six reds (ascending is the caller's business), Valid = 1, no blue flag.
TCodeRec MakeTicket(int a, int b, int c, int d, int e, int f);
// A ticket of the game from its fronts (ascending) and backs: Valid = 1, the backs flagged.
TCodeRec MakeGameTicket(std::initializer_list<int> fronts, std::initializer_list<int> backs = {});
