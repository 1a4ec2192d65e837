#pragma once

#include "engine/charts/NetTypes.h"

#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

// Contents and geometry of the bar statistics chart TG2Net: groups along the x axis (columns
// 1 .. FDynColCount), one bar per series (rows 1 .. FDynRowCount); row 0 holds the group captions.
// Cells are texts, bars decimal integers. Cell arguments come in the order (column, row).
class G2NetModel {
  public:
    // Series colours for rows the caller gives no colour for.
    static TColor PaletteColor(int row);

    G2NetModel();

    // Written directly by the pages.
    QPoint FMargin{30, 30}; // left/top distance of the chart; the same is left free right/below
    int FBarWidth = 10;
    int FGroupGap = 10;      // added on each side of a group
    int FGridStep = 10;      // pixels between horizontal grid lines
    int FGridCount = 6;      // grid steps; the chart is FGridStep x FGridCount high
    float FScale = 0.2f;     // value units per pixel of bar height; 0 draws flat bars
    bool FShowFrame = true;  // frame rectangle and horizontal grid lines
    bool FShowValues = true; // value above every bar
    QString FTitle;

    // No groups, no series, no colours.
    void Clear();

    // ACols - 1 groups and ARows - 1 series; every cell "0"; series colour i from AColors while it
    // has one, else from the palette. Negative counts are taken as 0.
    void SetDimension(int ACols, int ARows, const QList<TColor>& AColors);

    // Stores a cell's text (row 0: caption of group ACol; rows 1..: bar value as decimal text);
    // an index outside the chart is reported through the hook and ignored.
    void SetValue(int ACol, int ARow, const QString& Text);
    // A cell's text; outside the chart: reported, empty text.
    QString GetValue(int ACol, int ARow) const;

    int dynColCount() const { return FDynColCount; }
    int dynRowCount() const { return FDynRowCount; }
    const std::vector<TColor>& seriesColors() const { return FSeriesColors; }
    TColor seriesColor(int row) const;

    // The chart area (FChartRect): FMargin + (W x Hc).
    TNetRect ChartRect() const;
    // The size the control asks for: the chart plus the margins on all sides.
    QSize RequestedSize() const;
    int GroupWidth() const { return FDynRowCount * FBarWidth + 2 * FGroupGap; }
    // A bar before scaling: its height is the cell's integer value (0 for a non-integer text); its
    // bottom (exclusive, as every right and bottom here) is the x axis.
    TNetRect BarRect(int ACol, int ARow) const;
    // The drawn bar: top = bottom - ceiling(height / FScale), a quotient within rounding of a whole
    // pixel taken as that pixel; no height when FScale <= 0 or the value is negative.
    TNetRect ScaleBar(const TNetRect& bar) const;
    // Bar value of a cell: its decimal integer, 0 when the text is no integer.
    int BarValue(int ACol, int ARow) const;
    // The scale label of grid line q: FGridStep x q x FScale rounded half to even.
    QString ScaleLabel(int q) const;
    // A value scale for bars up to maxValue in about `height` pixels: grid lines at every multiple
    // of a round step (1, 2, 5, 10, 20, ...) up to the first at or above maxValue, at least
    // MinGridPixels apart; FGridCount, FGridStep and FScale are set so that the labels are those
    // multiples and a bar of a label's value reaches that label's line. No value above 0 gives the
    // steps 0, 1, 2, ... filling the height.
    void SetValueAxis(int maxValue, int height);
    static constexpr int MinGridPixels = 20;

    // {"kind":"bars","cols","rows","cells","seriesColors","barWidth","groupGap","gridStep",
    //  "gridCount","scale","showFrame","showValues","title"}
    QJsonObject toJson() const;

    void setErrorHook(TIndexErrorHook hook) { FOnIndexError.set(std::move(hook)); }

  private:
    void report(const QString& text) const;
    qsizetype cellIndex(int ACol, int ARow) const;

    QStringList FValues;
    int FDynColCount = 0;
    int FDynRowCount = 0;
    std::vector<TColor> FSeriesColors;
    TIndexErrorSink FOnIndexError;
};

// The chart with wider bars and gaps and taller grid steps so that it fills `room` (the control's
// size, margins kept), each by at most maxStretch times; values, captions and scale labels stay the
// same. A room no larger than the chart leaves it as it is.
G2NetModel StretchG2Net(const G2NetModel& model, QSize room, double maxStretch);
