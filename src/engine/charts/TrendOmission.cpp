#include "engine/charts/TrendOmission.h"

#include <algorithm>

namespace {

int drawRows(const H2NetModel& m) {
    // The last data row is the totals row.
    return std::max(m.dynRows() - 1, 0);
}

int beforeOf(const std::vector<int>& before, int col) {
    return col >= 0 && size_t(col) < before.size() ? before[size_t(col)] : 0;
}

} // namespace

std::vector<int> OmissionBefore(const H2NetModel& whole, int shownDraws) {
    std::vector<int> before(size_t(whole.colsCount()), 0);
    if (shownDraws < 0 || shownDraws >= drawRows(whole)) return before;
    for (int c = 0; c < whole.colsCount(); ++c)
        before[size_t(c)] = TrendOmissionAt(whole, shownDraws, c);
    return before;
}

std::vector<std::vector<int>> TrendOmissions(const H2NetModel& m, const std::vector<int>& before) {
    const int fix = m.fixRowCount();
    const int draws = drawRows(m);
    std::vector<std::vector<int>> counts(size_t(draws), std::vector<int>(size_t(m.colsCount()), 0));
    for (int c = 0; c < m.colsCount(); ++c) {
        int since = beforeOf(before, c);
        for (int r = draws - 1; r >= 0; --r) {
            since = m.GetValue(fix + r, c).isEmpty() ? since + 1 : 0;
            counts[size_t(r)][size_t(c)] = since;
        }
    }
    return counts;
}

int TrendOmissionAt(const H2NetModel& m, int dataRow, int col, const std::vector<int>& before) {
    const int draws = drawRows(m);
    int since = 0;
    int r = dataRow;
    for (; r < draws && m.GetValue(m.fixRowCount() + r, col).isEmpty(); ++r)
        ++since;
    return r == draws && dataRow < draws ? since + beforeOf(before, col) : since;
}

std::pair<int, int> OmissionColumns(int sheet, const H2NetModel& model, const Game& game) {
    if (sheet == 1) return {game.frontPicks + 2, game.frontPicks + 1 + game.frontPool};
    if (sheet == 9) return {2, 1 + game.sidePool()};
    return {1, model.colsCount() - 1};
}

H2NetModel WithOmissionCounts(const H2NetModel& model, const std::vector<int>& before,
                              std::pair<int, int> columns) {
    H2NetModel m = model;
    const std::vector<std::vector<int>> counts = TrendOmissions(model, before);
    const size_t first = size_t(std::max(columns.first, 0));
    for (size_t r = 0; r < counts.size(); ++r)
        for (size_t c = first; c < counts[r].size() && int(c) <= columns.second; ++c)
            if (counts[r][c] > 0) m.SetValue(m.fixRowCount() + int(r), int(c), QString::number(counts[r][c]));
    return m;
}
