#include "engine/charts/TrendOmission.h"

std::vector<std::vector<int>> TrendOmissions(const H2NetModel& m) {
    const int fix = m.fixRowCount();
    // The last data row is the totals row.
    const int draws = std::max(m.dynRows() - 1, 0);
    std::vector<std::vector<int>> counts(size_t(draws), std::vector<int>(size_t(m.colsCount()), 0));
    for (int c = 0; c < m.colsCount(); ++c) {
        int since = 0;
        for (int r = draws - 1; r >= 0; --r) {
            since = m.GetValue(fix + r, c).isEmpty() ? since + 1 : 0;
            counts[size_t(r)][size_t(c)] = since;
        }
    }
    return counts;
}

H2NetModel WithOmissionCounts(const H2NetModel& model) {
    H2NetModel m = model;
    const std::vector<std::vector<int>> counts = TrendOmissions(model);
    for (size_t r = 0; r < counts.size(); ++r)
        for (size_t c = 0; c < counts[r].size(); ++c)
            if (counts[r][c] > 0) m.SetValue(m.fixRowCount() + int(r), int(c), QString::number(counts[r][c]));
    return m;
}

int TrendOmissionAt(const H2NetModel& m, int dataRow, int col) {
    const int draws = std::max(m.dynRows() - 1, 0);
    int since = 0;
    for (int r = dataRow; r < draws && m.GetValue(m.fixRowCount() + r, col).isEmpty(); ++r)
        ++since;
    return since;
}
