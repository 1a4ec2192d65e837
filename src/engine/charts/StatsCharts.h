#pragma once

#include "engine/charts/G2NetModel.h"
#include "engine/core/CodeRec.h"

// The two frequency bar charts: how many of the latest n draws hold each number. Both refuse an n
// above the history (KelvoraError) before building anything; n <= 0 counts no draw (all bars 0).
G2NetModel FillRedStats(const TCodeArr& history, int n);
G2NetModel FillBlueStats(const TCodeArr& history, int n);
