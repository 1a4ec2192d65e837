#pragma once

#include "engine/charts/SalesPoolChart.h"

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QSize>

class QPainter;

// Where the sales and pool chart puts things for a given size: the plot area, a draw's x and a
// value's y on either axis (pool on the left, sales on the right). Painting and hovering use the same.
struct SalesPoolLayout {
    QSize size;
    QRect plot;
    double pitch = 0; // pixels from one draw to the next
    int count = 0;

    double xOf(int index) const;
    double yOf(int64_t fen, const SalesPoolAxis& axis) const;
    // The draw nearest to x inside the plot, -1 outside it or without draws.
    int indexAt(int x) const;
};

// The size the chart asks for: a plot at least 640 pixels wide, three pixels a draw beyond that.
QSize SalesPoolNaturalSize(const SalesPoolChart& chart, const QFont& font);
// The layout filling `size` (never smaller than the natural size's height and width).
SalesPoolLayout LayoutSalesPool(const SalesPoolChart& chart, const QFont& font, QSize size);

// The chart: grid, both axes in 亿元, the pool and sales lines broken where a draw has no figure, the
// draws with a top-tier winner marked on the pool line, the legend, and the note when there is nothing
// to draw. `hover` (a draw index, -1 none) gets a guide line, as the window shows it under the mouse.
void PaintSalesPool(QPainter& p, const SalesPoolChart& chart, const SalesPoolLayout& layout,
                    const QFont& font, const QPalette& palette, int hover = -1);
