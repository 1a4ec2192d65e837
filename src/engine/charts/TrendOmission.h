#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/Game.h"

#include <utility>
#include <vector>

// The omission count of a trend grid's cell: how many draws have gone by since the column last had a
// mark (0 on a row with a mark), counted over the whole history. The grid's rows run newest first with
// the totals row last and show only the latest draws, so what went before the oldest row comes in as
// `before`: per column, the draws without a mark just older than the grid (empty: none counted).

// `before` for a grid of the latest shownDraws draws, read off the same page filled over every draw.
std::vector<int> OmissionBefore(const H2NetModel& whole, int shownDraws);

// Computed for every column at once, bottom up: omissions[r][c] for data rows r (totals excluded).
std::vector<std::vector<int>> TrendOmissions(const H2NetModel& model, const std::vector<int>& before = {});

// The same count for one cell (data row index from 0, newest first).
int TrendOmissionAt(const H2NetModel& model, int dataRow, int col, const std::vector<int>& before = {});

// The columns [first, last] whose empty cells show a count ("显示遗漏") on chart sheet `sheet`: the
// number columns on the front and back trend grids (1 and 9), every column after the issue elsewhere.
std::pair<int, int> OmissionColumns(int sheet, const H2NetModel& model, const Game& game);

// The grid with every empty draw cell of the columns [first, last] showing its omission count.
H2NetModel WithOmissionCounts(const H2NetModel& model, const std::vector<int>& before = {},
                              std::pair<int, int> columns = {0, 1 << 30});
