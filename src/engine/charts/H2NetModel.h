#pragma once

#include "engine/charts/NetTypes.h"

#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

// One merged caption area of the trend grid; points are (X = column, Y = row).
struct TMergeRec {
    bool Active = false;
    QPoint TopLeft;
    QPoint BottomRight;
    QString Text;
    TColor Color = clWindow;
};

// Contents of the trend grid TH2Net: a few fixed header rows, any number of data rows, per-cell
// texts and colours, merged captions and the sizes that place them. Row/column arguments come in
// the order (row, column). The scroll position and the rows that fit belong to the widget
// (see H2NetLayout.h); everything a chart page writes lives here, so the widget and kelvora-cli
// read one and the same model.
class H2NetModel {
  public:
    static constexpr TColor DefaultFixColor = 0xF3E0E4;

    H2NetModel();

    // Written directly by the pages.
    int FFontSize = 11; // point size of all cell text
    TColor FFixColor = DefaultFixColor;
    int FRowHeight = 20; // pixels
    int FLineWidth = 1;  // grid line width, also the gap between cells

    // Back to the empty grid (font size stays); merges are dropped.
    void Clear();

    // Sizes the grid to (ADynRows + AFixRows) x ACols cells, all texts empty and colours clWindow;
    // the column widths are the first ACols entries of AColWidths (missing ones count 0). Merges
    // stay until SetMergeCount. Negative counts are taken as 0.
    void SetDimension(int ACols, int ADynRows, int AFixRows, const QList<int>& AColWidths);

    // Stores a cell's text; an index outside the grid is reported through the hook and ignored.
    void SetValue(int ARow, int ACol, const QString& Text);
    // A cell's text; outside the grid: reported, empty text.
    QString GetValue(int ARow, int ACol) const;
    // A cell's colour (0x00BBGGRR or clWindow); outside the grid: ignored / clWindow.
    void SetCellColor(int ARow, int ACol, TColor Color);
    TColor GetCellColor(int ARow, int ACol) const;

    // Makes room for N merged areas, each inactive, at (0,0)-(0,0), empty, clWindow.
    void SetMergeCount(int N);
    // Fills merge entry Index; an index outside the list is ignored.
    void SetMerge(int Index, bool Active, QPoint TopLeft, QPoint BottomRight, const QString& Text,
                  TColor Color);
    // Entry Index, or an inactive empty entry when Index is outside the list.
    TMergeRec GetMerge(int Index) const;
    int mergeCount() const { return int(FMerges.size()); }
    const std::vector<TMergeRec>& merges() const { return FMerges; }

    int colsCount() const { return FColsCount; }
    int dynRows() const { return FDynRows; }
    int fixRowCount() const { return FFixRowCount; }
    int rowCount() const { return FDynRows + FFixRowCount; }
    const QList<int>& colWidths() const { return FColWidthArr; }
    // Widens or narrows one column (display fitting; an index outside the columns is ignored).
    void setColWidth(int ACol, int AWidth) {
        if (ACol >= 0 && ACol < FColWidthArr.size()) FColWidthArr[ACol] = std::max(AWidth, 0);
    }

    // Geometry in client pixels. LeftOfCol = 1 + sum of (width + line width) of the columns before.
    int LeftOfCol(int ACol) const;
    // Top of a row; with scrolled, rows are counted from topRow (the widget's scroll position).
    int TopOfRow(int ARow, bool scrolled = false, int topRow = 0) const;
    TNetRect RectOfCell(int ARow, int ACol, bool scrolled = false, int topRow = 0) const;

    // {"kind":"grid","fontSize",..,"cols","fixedRows","dataRows","colWidths","cells","colors","merges"}
    QJsonObject toJson() const;

    // Where index diagnostics go (the widget installs its message box).
    void setErrorHook(TIndexErrorHook hook) { FOnIndexError.set(std::move(hook)); }

  private:
    void report(const QString& text) const;
    bool cellIndex(int ARow, int ACol, qsizetype& index) const;

    std::vector<TMergeRec> FMerges;
    QStringList FCells;
    std::vector<TColor> FCellColors;
    int FFixRowCount = 0;
    int FColsCount = 0;
    int FDynRows = 0;
    QList<int> FColWidthArr;
    TIndexErrorSink FOnIndexError;
};
