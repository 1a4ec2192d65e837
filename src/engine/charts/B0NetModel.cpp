#include "engine/charts/B0NetModel.h"

#include <QJsonArray>

B0NetModel::B0NetModel() {
    Clear();
}

void B0NetModel::Clear() {
    FColWidthArr.clear();
    FRowHeight = 24;
    FLineWidth = 1;
    FColCount = 0;
    FVisRows = 0;
    FRowCount = 0;
    FCells.clear();
}

void B0NetModel::SetDimension(int ACols, int ARows, const QList<int>& AColWidths) {
    FColCount = std::max(ACols, 0);
    FRowCount = std::max(ARows, 0);
    FColWidthArr = AColWidths.mid(0, FColCount);
    while (FColWidthArr.size() < FColCount)
        FColWidthArr.append(0);
    const qsizetype n = qsizetype(FColCount) * FRowCount;
    FCells.resize(n);
    FCellColors.assign(size_t(n), DefaultCellColor);
}

qsizetype B0NetModel::cellIndex(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return -1;
    return ACol + qsizetype(ARow) * FColCount;
}

void B0NetModel::SetValue(int ACol, int ARow, const QString& Text) {
    if (const qsizetype i = cellIndex(ACol, ARow); i >= 0) FCells[i] = Text;
}

QString B0NetModel::GetValue(int ACol, int ARow) const {
    const qsizetype i = cellIndex(ACol, ARow);
    return i >= 0 ? FCells[i] : QString();
}

void B0NetModel::SetCellColor(int ACol, int ARow, TColor Color) {
    if (const qsizetype i = cellIndex(ACol, ARow); i >= 0) FCellColors[size_t(i)] = Color;
}

TColor B0NetModel::GetCellColor(int ACol, int ARow) const {
    const qsizetype i = cellIndex(ACol, ARow);
    return i >= 0 ? FCellColors[size_t(i)] : clWindow;
}

int B0NetModel::LeftOfCol(int ACol) const {
    int x = 1;
    const int n = std::min<int>(ACol, int(FColWidthArr.size()));
    for (int i = 0; i < n; ++i)
        x += FColWidthArr[i] + FLineWidth;
    return x;
}

int B0NetModel::TopOfRow(int ARow) const {
    return FTitleHeight + ARow * (FRowHeight + FLineWidth);
}

TNetRect B0NetModel::RectOfCell(int ACol, int ARow) const {
    TNetRect r;
    r.Left = LeftOfCol(ACol);
    r.Right = r.Left + (ACol >= 0 && ACol < FColWidthArr.size() ? FColWidthArr[ACol] : 0);
    r.Top = TopOfRow(ARow);
    r.Bottom = r.Top + FRowHeight;
    return r;
}

QSize B0NetModel::LayoutPass() {
    FTitleHeight = FTitle.isEmpty() ? 0 : 30;
    const int pitch = FRowHeight + FLineWidth;
    const int c = FBounds.height() - 6;
    if (FTitle.isEmpty())
        FVisRows = FRowCount; // without the band every pass would lose a row until none is left
    else if (c > 0 && pitch > 0)
        FVisRows = std::min(c / pitch, FRowCount);
    else
        FVisRows = 0;
    FGridRect = {};
    if (FColCount > 0) FGridRect = UnionRect(RectOfCell(0, 0), RectOfCell(FColCount - 1, FVisRows - 1));
    return {FGridRect.width() + 3, FGridRect.Bottom + 2};
}

void B0NetModel::Resize() {
    // Each pass moves the row count one way only, so the passes end after at most the row count
    // plus a few; the bound only guards against a degenerate geometry.
    for (int pass = 0; pass < FRowCount + 8; ++pass) {
        const QSize want = LayoutPass();
        if (want == FBounds.size()) return;
        FBounds.setSize(want);
    }
    LayoutPass();
}

QJsonObject B0NetModel::toJson() const {
    QJsonArray widths;
    for (int w : FColWidthArr)
        widths.append(w);
    QJsonArray cells, colors;
    for (int r = 0; r < FRowCount; ++r) {
        QJsonArray rowCells, rowColors;
        for (int c = 0; c < FColCount; ++c) {
            const qsizetype i = c + qsizetype(r) * FColCount;
            rowCells.append(FCells[i]);
            rowColors.append(ColorToJson(FCellColors[size_t(i)]));
        }
        cells.append(rowCells);
        colors.append(rowColors);
    }
    return QJsonObject{{"title", FTitle},         {"left", FBounds.left()},
                       {"top", FBounds.top()},    {"cols", FColCount},
                       {"rows", FRowCount},       {"colWidths", widths},
                       {"rowHeight", FRowHeight}, {"lineColor", ColorToJson(FLineColor)},
                       {"cells", cells},          {"colors", colors}};
}
