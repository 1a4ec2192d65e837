#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QString>
#include <QStringList>

// The statistical analysis table: one row of front-number measures per draw of the latest n, newest
// first, then the totals row. Refuses an n the history cannot serve (KelvoraError).
H2NetModel FillAnalysisTable(const TCodeArr& history, int n, const Game& game);
H2NetModel FillAnalysisTable(const TCodeArr& history, int n);

// The explanation window's caption and lines for the table, in the game's words.
QString AnalysisExplanationCaption();
QStringList AnalysisExplanationLines(const Game& game);
