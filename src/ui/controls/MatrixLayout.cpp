#include "ui/controls/MatrixLayout.h"

#include <algorithm>

QRect TMatrixLayout::rectOfChk(int index) const {
    const int c = index % Cols;
    const int r = index / Cols;
    return QRect(c * columnWidth() + Gap, r * (ItemHeight + Gap) + Gap, BoxSize, ItemHeight);
}

QRect TMatrixLayout::rectOfCap(int index) const {
    const QRect box = rectOfChk(index);
    return QRect(box.x() + box.width() + Gap, box.y(), CapWidth, ItemHeight);
}

QRect TMatrixLayout::focusRect(int index) const {
    return rectOfCap(index).adjusted(-(Gap / 2), 0, Gap / 3, 0);
}

int TMatrixLayout::hitTest(QPoint point) const {
    if (Count <= 0 || point.x() < 0 || point.y() < 0) return -1;
    const int c = point.x() / columnWidth();
    const int r = point.y() / (ItemHeight + Gap);
    if (c >= Cols) return -1;
    const int index = r * Cols + c;
    if (index >= Count) return -1;
    if (rectOfChk(index).contains(point) || rectOfCap(index).contains(point)) return index;
    return -1;
}

void TMatrixLayout::itemsIn(const QRect& area, int& first, int& last) const {
    first = 0;
    last = 0;
    if (Count <= 0 || area.isEmpty()) return;
    const int rowStep = ItemHeight + Gap;
    // The focus mark and caption glyphs may reach a little past their cell; one extra row each
    // way is cheap and keeps partial repaints exact.
    const int r0 = std::max(0, area.top() / rowStep - 1);
    const int r1 = std::min(rows(), area.bottom() / rowStep + 2);
    first = std::min(Count, r0 * Cols);
    last = std::min(Count, r1 * Cols);
}
