#include "engine/charts/H2NetLayout.h"

#include <algorithm>

H2NetLayout LayoutH2Net(const H2NetModel& m, int clientHeight, int topRow, int clientWidth,
                        double maxStretch) {
    H2NetLayout l;
    const int pitch = m.FRowHeight + m.FLineWidth;
    // A negative count (client shorter than the header) would page backwards: nothing fits then.
    if (pitch > 0 && pitch < clientHeight) l.VisRows = std::max(clientHeight / pitch - m.fixRowCount(), 0);
    l.ScrollMax = std::max(m.dynRows() - l.VisRows, 0);
    l.TopRow = std::clamp(topRow, 0, l.ScrollMax);

    const int cols = m.colsCount();
    l.ColLefts.resize(size_t(std::max(cols, 0)) + 1, 1);
    qint64 widths = 0;
    for (int c = 0; c < cols; ++c)
        widths += std::max(m.colWidths()[c], 0);
    // Room for the columns themselves: the client less the lines and the one-pixel borders.
    const qint64 room = qint64(clientWidth) - 2 - qint64(cols) * m.FLineWidth;
    qint64 stretched = widths;
    if (maxStretch > 1.0 && widths > 0 && room > widths)
        stretched = std::min<qint64>(room, qint64(double(widths) * maxStretch));
    // Each left edge from the running sum, so rounding never adds up and the last edge is exact.
    qint64 sum = 0;
    for (int c = 0; c <= cols; ++c) {
        const qint64 scaled = widths > 0 ? (sum * stretched * 2 + widths) / (widths * 2) : 0;
        l.ColLefts[size_t(c)] = int(1 + scaled + qint64(c) * m.FLineWidth);
        if (c < cols) sum += std::max(m.colWidths()[c], 0);
    }
    if (cols > 0) {
        const TNetRect last = m.RectOfCell(l.VisRows + m.fixRowCount() - 1, cols - 1);
        l.GridRect = UnionRect(m.RectOfCell(0, 0), last);
        l.GridRect.Right = l.ColLefts[size_t(cols)] - m.FLineWidth;
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
        if (pos.x() >= l.ColLefts[size_t(c)] && pos.x() < l.ColLefts[size_t(c)] + l.colWidth(c, m.FLineWidth))
            col = c;
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
