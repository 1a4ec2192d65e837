#pragma once

#include "engine/core/CodeRec.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/Conditions.h"
#include "engine/shrink/ShrinkInput.h"
#include "engine/shrink/ShrinkResult.h"

#include <QStringList>

// The whole shrink of the game: at least 8 candidates (else KelvoraError TooFewCandidatesText()),
// every front ticket of the game, the candidate pass, the conditions in their fixed order, the
// result text. The number lists are read before anything is shown: a list that does not read
// throws KelvoraError and progress.begin is never called. The repeat condition needs the latest draw (the
// last entry of history); with an empty history it is off. With a tolerance above 0 the tolerant walk runs
// instead (RunToleranceShrink). keepAll fills result.tickets.
ShrinkResult RunShrink(const ShrinkInput& input, const TCodeArr& history, const ShrinkProgress& progress,
                       bool keepAll, const Game& game);

// One ticket line (no back numbers) per ticket whose Valid flag is set, in list order.
QStringList ValidToLines(const TCodeList& list, const Game& game);
