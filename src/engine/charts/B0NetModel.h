#pragma once

#include "engine/charts/NetTypes.h"

#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// Contents, bounds and layout of the self-sizing titled table TB0Net. Cell arguments come in the
// order (column, row). The model holds the control's bounds because the table sizes itself: a page
// sets a starting position and size, fills the cells and calls Resize, which settles the bounds the
// way the control's repeated resize passes do (so pages and kelvora-cli can place tables below each
// other without a window).
class B0NetModel {
  public:
    static constexpr TColor DefaultCellColor = 0xF75E54;

    B0NetModel();

    // Written directly by the pages.
    QString FTitle = QStringLiteral("我的标题"); // may hold CR LF line breaks
    int FRowHeight = 24;
    TColor FLineColor = clBlack;
    int FLineWidth = 1; // grid line width, also the gap between cells

    // No columns, rows or texts; row height 24, line width 1 (colours stay).
    void Clear();

    // ACols x ARows cells; texts already present keep their array position, new ones are empty;
    // every colour becomes DefaultCellColor; widths are the first ACols entries of AColWidths
    // (missing ones count 0). Negative counts are taken as 0. Does not lay out.
    void SetDimension(int ACols, int ARows, const QList<int>& AColWidths);

    // Cell access; indices outside the table are ignored (empty text / clWindow on reading).
    void SetValue(int ACol, int ARow, const QString& Text);
    QString GetValue(int ACol, int ARow) const;
    void SetCellColor(int ACol, int ARow, TColor Color);
    TColor GetCellColor(int ACol, int ARow) const;

    int colCount() const { return FColCount; }
    int rowCount() const { return FRowCount; }
    const QList<int>& colWidths() const { return FColWidthArr; }

    // The control's bounds in its parent; the default is (0, 0, 400, 300).
    void setBounds(int left, int top, int width, int height) { FBounds = QRect(left, top, width, height); }
    void setBounds(const QRect& r) { FBounds = r; }
    QRect bounds() const { return FBounds; }

    // Lays the table out for the current height and resizes the bounds to fit, repeating until a
    // pass leaves them unchanged. An empty title shows all rows.
    void Resize();
    // One layout pass for the current height, without touching the bounds; returns the size the
    // pass asks for. Resize is this pass run to its fixed point.
    QSize LayoutPass();

    int titleHeight() const { return FTitleHeight; }
    int visRows() const { return FVisRows; }
    TNetRect gridRect() const { return FGridRect; }

    // Geometry in client pixels: LeftOfCol = 1 + sum of (width + line width) of the columns before;
    // TopOfRow = title height + row x (row height + line width).
    int LeftOfCol(int ACol) const;
    int TopOfRow(int ARow) const;
    TNetRect RectOfCell(int ACol, int ARow) const;

    // {"title","left","top","cols","rows","colWidths","rowHeight","lineColor","cells","colors"}
    QJsonObject toJson() const;

  private:
    qsizetype cellIndex(int ACol, int ARow) const;

    int FTitleHeight = 0;
    QStringList FCells;
    std::vector<TColor> FCellColors;
    int FVisRows = 0;
    int FColCount = 0;
    int FRowCount = 0;
    QList<int> FColWidthArr;
    TNetRect FGridRect;
    QRect FBounds{0, 0, 400, 300};
};
