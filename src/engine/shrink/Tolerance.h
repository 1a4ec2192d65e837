#pragma once

#include "engine/core/CodeRec.h"
#include "engine/shrink/ShrinkInput.h"
#include "engine/shrink/ShrinkResult.h"

// 容错: every ticket made of candidates that fails at most input.tolerance of the active
// conditions 1..17 (ShrinkConditions decides each one), in list order, with the result text of
// the run. The progress bar follows the kept tickets (index div ShrinkProgressDivisor). The input
// must have been checked (RunShrink does so and calls this for a tolerance above 0); a tolerance
// of 0 gives the plain run's tickets.
ShrinkResult RunToleranceShrink(const ShrinkInput& input, const TCodeArr& history,
                                const ShrinkProgress& progress, bool keepAll, const Game& game);
