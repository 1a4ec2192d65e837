#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Grid arithmetic of the selection matrices: items run row by row through a fixed number of
// columns, each column holding a glyph cell and a caption cell. Pure values, no widget, so it can
// be tested and reused without painting.
//
// Rectangles follow the half-open convention of the drawing code (right and bottom are the first
// pixels outside); QRect(left, top, width, height) expresses that exactly.
struct TMatrixLayout {
    int BoxSize = 14;    // width of the glyph cell
    int CapWidth = 26;   // width of the caption cell
    int ItemHeight = 14; // height of a row
    int Cols = 3;        // always > 0
    int Gap = 3;         // spacing between cells and around the grid
    int Count = 0;       // number of items, >= 0

    int columnWidth() const { return 2 * Gap + BoxSize + CapWidth; }
    int rows() const { return (Count + Cols - 1) / Cols; }
    // The whole grid; the width counts every column even when the items fill fewer.
    QSize size() const { return {columnWidth() * Cols + Gap, (ItemHeight + Gap) * rows() + Gap}; }

    // Callers make sure 0 <= index < Count.
    QRect rectOfChk(int index) const;
    QRect rectOfCap(int index) const;
    // The caption cell widened for the focus mark.
    QRect focusRect(int index) const;

    // The item whose glyph or caption cell holds the point, or -1 (gaps, outside, empty cells).
    int hitTest(QPoint point) const;

    // Items whose cells may touch the area, as a half-open index range [first, last).
    void itemsIn(const QRect& area, int& first, int& last) const;
};
