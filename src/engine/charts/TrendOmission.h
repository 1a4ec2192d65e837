#pragma once

#include "engine/charts/H2NetModel.h"

// The omission count of a trend grid's cell: how many draws, counted from this row's draw back to
// the oldest row, have gone by since the column last had a mark (0 on a row with a mark). The
// grid's rows run newest first with the totals row last; the count only sees the grid's window.
// Computed for every column at once, bottom up: omissions[r][c] for data rows r (totals excluded).
std::vector<std::vector<int>> TrendOmissions(const H2NetModel& model);

// The same count for one cell (data row index from 0, newest first).
int TrendOmissionAt(const H2NetModel& model, int dataRow, int col);

// The grid with every empty draw cell showing its omission count ("显示遗漏").
H2NetModel WithOmissionCounts(const H2NetModel& model);
