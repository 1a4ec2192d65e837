#pragma once

#include "charts/NetTypes.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>

#include <optional>

class QPainter;
class QPalette;

// Painting helpers shared by the chart controls. Colours arrive as 0x00BBGGRR; this is the one
// place that turns them into QColor.
QColor NetColor(TColor color, const QPalette& palette);

inline QRect ToQRect(const TNetRect& r) {
    return QRect(r.Left, r.Top, r.width(), r.height());
}

// The control's font at a point size, measured at 96 dots per inch as the charts were laid out.
QFont NetFont(const QFont& base, int pointSize, bool bold);

// Draws the controls' texts with one painter, keeping the font and its metrics between cells (a
// grid draws a thousand cells in the same font).
class TNetText {
  public:
    TNetText(QPainter& painter, const QFont& base) : p(painter), baseFont(base) {}

    // Multi-line cell text: CR LF separated lines (blank ones dropped), each centred, the block
    // centred vertically in rect; bold text uses pointSize, plain text 11 points. Not clipped.
    void DrawCellText(const QString& text, const TNetRect& rect, int pointSize, bool bold);
    // One centred line in rect; bold text uses pointSize, plain text 11 points.
    void DrawBarText(const QString& text, const TNetRect& rect, int pointSize, bool bold);

  private:
    const QFontMetrics& use(int pointSize, bool bold);

    QPainter& p;
    QFont baseFont;
    int curSize = -1;
    bool curBold = false;
    std::optional<QFontMetrics> metrics;
};
