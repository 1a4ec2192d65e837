#pragma once

#include "charts/G2NetModel.h"
#include "history/CodeRec.h"

// The two frequency bar charts: how many of the latest n draws hold each number. Both refuse an n
// the history cannot serve (KelvoraError) before building anything.
G2NetModel FillRedStats(const TCodeArr& history, int n);
G2NetModel FillBlueStats(const TCodeArr& history, int n);
