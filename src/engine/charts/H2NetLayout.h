#pragma once

#include "engine/charts/H2NetModel.h"

#include <QPoint>
#include <vector>

// What the trend grid shows for a client height and a scroll position: the data rows that fit
// under the fixed rows, the scroll range and the visible grid's rectangle. Plain arithmetic, so
// the widget only walks it when painting.
struct H2NetLayout {
    int VisRows = 0;           // data rows below the header (independent of how many the grid holds)
    int ScrollMax = 0;         // the scroll range is 0 .. ScrollMax
    int TopRow = 0;            // scroll position, kept inside the range
    TNetRect GridRect;         // unscrolled, from cell (0,0) to the last visible cell; empty without columns
    std::vector<int> ColLefts; // LeftOfCol of columns 0 .. cols (the last one is the right border)

    // First and one-past-last grid rows of the data rows that get painted.
    int firstPaintRow(const H2NetModel& m) const { return m.fixRowCount() + TopRow; }
    int endPaintRow(const H2NetModel& m) const {
        return std::min(m.fixRowCount() + TopRow + VisRows, m.rowCount());
    }
    // Pixels the laid-out columns cover, border lines included (0 without columns).
    int contentWidth() const { return ColLefts.size() > 1 ? ColLefts.back() + 1 : 0; }
    // Width of column c as laid out (wider than the model's when the grid is stretched).
    int colWidth(int c, int lineWidth) const {
        return ColLefts[size_t(c) + 1] - ColLefts[size_t(c)] - lineWidth;
    }
};

// Lays the grid out for clientHeight pixels; topRow is clamped to the new scroll range. A grid
// narrower than clientWidth gets its columns widened in proportion to fill it, by at most
// maxStretch times their width (1: the model's widths, as the pages fill them).
H2NetLayout LayoutH2Net(const H2NetModel& model, int clientHeight, int topRow, int clientWidth = 0,
                        double maxStretch = 1.0);
// The layout that shows every row (the whole chart, as an image or a print has it).
H2NetLayout FullH2NetLayout(const H2NetModel& model);
// Pixels the whole grid covers, border lines included: what an image of it needs, and what the
// horizontal scroll range is measured against.
int H2NetContentWidth(const H2NetModel& model);
int H2NetContentHeight(const H2NetModel& model);

// The cell (x = column, y = grid row) under a point of the unscrolled-horizontally client area, with
// the data rows scrolled by the layout's TopRow; (-1, -1) on a line, a margin or past the grid.
QPoint H2NetCellAt(const H2NetModel& model, const H2NetLayout& layout, QPoint pos);

// The scroll bar requests the grid answers.
enum class TScrollRequest {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    EndScroll
};

// The new scroll position after a request at position P with range Min..Max; a page is visRows
// rows; thumbPos is the thumb position the request carries (thumb requests only).
int H2NetScroll(TScrollRequest request, int P, int Min, int Max, int visRows, int thumbPos = 0);
