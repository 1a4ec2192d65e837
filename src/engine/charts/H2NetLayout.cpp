#include "charts/H2NetLayout.h"

#include <algorithm>

H2NetLayout LayoutH2Net(const H2NetModel& m, int clientHeight, int topRow) {
    H2NetLayout l;
    const int pitch = m.FRowHeight + m.FLineWidth;
    // A negative count (client shorter than the header) would page backwards: nothing fits then.
    if (pitch > 0 && pitch < clientHeight) l.VisRows = std::max(clientHeight / pitch - m.fixRowCount(), 0);
    if (m.colsCount() > 0)
        l.GridRect =
            UnionRect(m.RectOfCell(0, 0), m.RectOfCell(l.VisRows + m.fixRowCount() - 1, m.colsCount() - 1));
    l.ScrollMax = std::max(m.dynRows() - l.VisRows, 0);
    l.TopRow = std::clamp(topRow, 0, l.ScrollMax);
    l.ColLefts.resize(size_t(m.colsCount()) + 1);
    int x = 1;
    for (int c = 0; c <= m.colsCount(); ++c) {
        l.ColLefts[size_t(c)] = x;
        if (c < m.colsCount()) x += m.colWidths()[c] + m.FLineWidth;
    }
    return l;
}

H2NetLayout FullH2NetLayout(const H2NetModel& m) {
    return LayoutH2Net(m, H2NetContentHeight(m), 0);
}

int H2NetContentWidth(const H2NetModel& m) {
    return m.colsCount() > 0 ? m.LeftOfCol(m.colsCount()) + 1 : 0;
}

int H2NetContentHeight(const H2NetModel& m) {
    return m.colsCount() > 0 ? m.TopOfRow(m.rowCount()) + 1 : 0;
}

QPoint H2NetCellAt(const H2NetModel& m, const H2NetLayout& l, QPoint pos) {
    const QPoint none(-1, -1);
    const int pitch = m.FRowHeight + m.FLineWidth;
    if (pitch <= 0 || l.ColLefts.size() != size_t(m.colsCount()) + 1 || pos.y() < 1) return none;
    int col = -1;
    for (int c = 0; c < m.colsCount(); ++c)
        if (pos.x() >= l.ColLefts[size_t(c)] && pos.x() < l.ColLefts[size_t(c)] + m.colWidths()[c]) col = c;
    const int slot = (pos.y() - 1) / pitch;
    if (col < 0 || (pos.y() - 1) % pitch >= m.FRowHeight) return none;
    if (slot < m.fixRowCount()) return {col, slot};
    const int row = slot + l.TopRow;
    if (slot >= m.fixRowCount() + l.VisRows || row >= m.rowCount()) return none;
    return {col, row};
}

int H2NetScroll(TScrollRequest request, int P, int Min, int Max, int visRows, int thumbPos) {
    switch (request) {
    case TScrollRequest::LineUp:
        return std::max(0, P - 1);
    case TScrollRequest::LineDown:
        return std::min(Max, P + 1);
    case TScrollRequest::PageUp:
        return std::max(P - visRows, Min);
    case TScrollRequest::PageDown:
        return std::min(P + visRows, Max);
    case TScrollRequest::ThumbPosition:
    case TScrollRequest::ThumbTrack:
        // Past the end would show rows that do not exist.
        return thumbPos >= Min ? std::min(thumbPos, Max) : P;
    case TScrollRequest::Top:
        return Min;
    case TScrollRequest::Bottom:
        return Max;
    case TScrollRequest::EndScroll:
        break;
    }
    return P;
}
