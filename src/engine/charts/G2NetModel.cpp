#include "engine/charts/G2NetModel.h"

#include <algorithm>

#include <QJsonArray>
#include <QtDebug>

#include <charconv>
#include <cmath>
#include <iterator>

TColor G2NetModel::PaletteColor(int row) {
    static constexpr TColor palette[5] = {0xFF0011, 0x11FF04, 0x4512FF, 0x1F2044, 0x5F0084};
    return row >= 0 && row < 5 ? palette[row] : TColor(0xFF0044);
}

G2NetModel::G2NetModel() {
    Clear();
}

void G2NetModel::Clear() {
    FSeriesColors.clear();
    FValues.clear();
    FDynRowCount = 0;
    FDynColCount = 0;
}

void G2NetModel::SetDimension(int ACols, int ARows, const QList<TColor>& AColors) {
    ACols = std::max(ACols, 0);
    ARows = std::max(ARows, 0);
    FDynColCount = ACols - 1;
    FDynRowCount = ARows - 1;
    FValues = QStringList(qsizetype(ACols) * ARows, QStringLiteral("0"));
    FSeriesColors.resize(size_t(ARows));
    for (int i = 0; i < ARows; ++i)
        FSeriesColors[size_t(i)] = i < AColors.size() ? AColors[i] : PaletteColor(i);
}

void G2NetModel::report(const QString& text) const {
    FOnIndexError.report(text);
}

qsizetype G2NetModel::cellIndex(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol > FDynColCount || ARow > FDynRowCount) return -1;
    const qsizetype i = ACol + qsizetype(ARow) * (FDynColCount + 1);
    return i < FValues.size() ? i : -1; // after Clear the counts are 0 but no cell exists
}

void G2NetModel::SetValue(int ACol, int ARow, const QString& Text) {
    if (ACol < 0 || ACol > FDynColCount) report(QStringLiteral("SetValue x>=FDynColCount "));
    if (ARow < 0 || ARow > FDynRowCount) report(QStringLiteral("SetValue x>=FDynRowCount "));
    const qsizetype i = cellIndex(ACol, ARow);
    if (i >= 0) FValues[i] = Text;
}

QString G2NetModel::GetValue(int ACol, int ARow) const {
    if (ACol < 0 || ACol > FDynColCount) report(QStringLiteral("GetValue x>=FDynColCount "));
    if (ARow < 0 || ARow > FDynRowCount) report(QStringLiteral("GetValue x>=FDynRowCount "));
    const qsizetype i = cellIndex(ACol, ARow);
    return i >= 0 ? FValues[i] : QString();
}

TColor G2NetModel::seriesColor(int row) const {
    return row >= 0 && size_t(row) < FSeriesColors.size() ? FSeriesColors[size_t(row)] : PaletteColor(row);
}

TNetRect G2NetModel::ChartRect() const {
    const int w = GroupWidth() * FDynColCount + 2 * FGroupGap;
    const int h = FGridCount * FGridStep;
    return {FMargin.x(), FMargin.y(), FMargin.x() + w, FMargin.y() + h};
}

QSize G2NetModel::RequestedSize() const {
    const TNetRect r = ChartRect();
    return {r.Right + FMargin.x(), r.Bottom + FMargin.y()};
}

int G2NetModel::BarValue(int ACol, int ARow) const {
    const qsizetype i = cellIndex(ACol, ARow);
    if (i < 0) return 0;
    bool ok = false;
    const int v = FValues[i].trimmed().toInt(&ok);
    return ok ? v : 0;
}

TNetRect G2NetModel::BarRect(int ACol, int ARow) const {
    TNetRect r;
    r.Left = FMargin.x() + (ACol - 1) * GroupWidth() + ARow * FBarWidth + FGroupGap;
    r.Right = r.Left + FBarWidth;
    // The x axis is the row of value 0: a bar stands on it (its rows end above it), so its top row
    // is the row of its value, where that value's grid line runs.
    r.Bottom = ChartRect().Bottom;
    r.Top = r.Bottom - BarValue(ACol, ARow);
    return r;
}

TNetRect G2NetModel::ScaleBar(const TNetRect& bar) const {
    TNetRect r = bar;
    const int height = bar.height();
    // Double precision as the pages' own arithmetic: a single-precision scale like 0.15f must
    // still give 30 / 0.15f = 200 pixels, not 201.
    // The single-precision scale is off by its rounding: 3 / (1 / 25.0f) is 75.0000017, which is
    // the 75th pixel, where the grid line of 3 lies, not the 76th.
    if (FScale > 0 && height > 0)
        r.Top = r.Bottom - int(std::ceil(double(height) / double(FScale) - 1e-3));
    else
        r.Top = r.Bottom;
    return r;
}

QString G2NetModel::ScaleLabel(int q) const {
    const double v = double(FGridStep) * q * double(FScale);
    return QString::number(qint64(std::nearbyint(v)));
}

void G2NetModel::SetValueAxis(int maxValue, int height) {
    const int most = std::max(1, height / MinGridPixels);
    int step = 1;
    int lines = most;
    if (maxValue > 0) {
        // The round steps in turn until the lines fit: 1, 2, 5, 10, 20, 50, ...
        for (int64_t decade = 1;; decade *= 10) {
            const int64_t candidates[] = {decade, 2 * decade, 5 * decade};
            const int64_t* fit = std::find_if(std::begin(candidates), std::end(candidates),
                                              [&](int64_t c) { return (maxValue + c - 1) / c <= most; });
            if (fit != std::end(candidates)) {
                step = int(*fit);
                lines = int((maxValue + *fit - 1) / *fit);
                break;
            }
        }
    }
    FGridCount = lines;
    FGridStep = std::max(MinGridPixels, height / lines);
    FScale = float(double(step) / FGridStep);
}

static double ShortestFloat(float f) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, f);
    return QByteArray(buf, int(res.ptr - buf)).toDouble();
}

QJsonObject G2NetModel::toJson() const {
    int cols = FDynColCount + 1, rows = FDynRowCount + 1;
    if (qsizetype(cols) * rows != FValues.size()) cols = rows = 0; // cleared: nothing was dimensioned
    QJsonArray cells;
    for (int r = 0; r < rows; ++r) {
        QJsonArray row;
        for (int c = 0; c < cols; ++c)
            row.append(FValues[c + qsizetype(r) * cols]);
        cells.append(row);
    }
    QJsonArray colors;
    for (TColor c : FSeriesColors)
        colors.append(ColorToJson(c));
    return QJsonObject{{"kind", "bars"},
                       {"cols", cols},
                       {"rows", rows},
                       {"cells", cells},
                       {"seriesColors", colors},
                       {"barWidth", FBarWidth},
                       {"groupGap", FGroupGap},
                       {"gridStep", FGridStep},
                       {"gridCount", FGridCount},
                       {"scale", ShortestFloat(FScale)},
                       {"showFrame", FShowFrame},
                       {"showValues", FShowValues},
                       {"title", FTitle}};
}

G2NetModel StretchG2Net(const G2NetModel& m, QSize room, double maxStretch) {
    G2NetModel s = m;
    const TNetRect chart = m.ChartRect();
    if (maxStretch <= 1.0 || chart.width() <= 0 || chart.height() <= 0) return s;
    const double fx = std::min(maxStretch, double(room.width() - 2 * m.FMargin.x()) / chart.width());
    const double fy = std::min(maxStretch, double(room.height() - 2 * m.FMargin.y()) / chart.height());
    // Rounded down, so the chart never grows past the room.
    if (fx > 1.0) {
        s.FBarWidth = int(m.FBarWidth * fx);
        s.FGroupGap = int(m.FGroupGap * fx);
    }
    if (fy > 1.0 && m.FGridStep > 0 && int(m.FGridStep * fy) > m.FGridStep) {
        s.FGridStep = int(m.FGridStep * fy);
        // The grid lines keep their labels: the value per pixel shrinks as the steps grow.
        s.FScale = float(double(m.FScale) * m.FGridStep / s.FGridStep);
    }
    return s;
}
