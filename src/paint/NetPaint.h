#pragma once

#include "engine/charts/NetTypes.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QStaticText>

#include <optional>

class QPainter;
class QPalette;

// Painting helpers shared by the chart painters. Colours arrive as 0x00BBGGRR; this is the one
// place that turns them into QColor.
QColor NetColor(TColor color, const QPalette& palette);

// Text and lines on a cell filled with `fill`: the chart fixes light fills, so their ink is black
// (white only on the few very dark fills) whatever the palette; a cell without a fill of its own
// (clWindow) takes the palette's text colour.
QColor NetInk(TColor fill, const QPalette& palette);

inline QRect ToQRect(const TNetRect& r) {
    return QRect(r.Left, r.Top, r.width(), r.height());
}

// The control's font at a point size, measured at 96 dots per inch as the charts were laid out.
QFont NetFont(const QFont& base, int pointSize, bool bold);

// Draws the controls' texts with one painter, keeping the font, its metrics and the pen between
// cells (a grid draws a thousand cells in the same font).
class TNetText {
  public:
    TNetText(QPainter& painter, const QFont& base) : p(painter), baseFont(base) {}

    // Pen colour of the following texts (set only when it changes).
    void setColor(const QColor& color);

    // Multi-line cell text: CR LF separated lines (blank ones dropped), each centred, the block
    // centred vertically in rect; bold text uses pointSize, plain text 11 points. Not clipped.
    void DrawCellText(const QString& text, const TNetRect& rect, int pointSize, bool bold);
    // One centred line in rect; bold text uses pointSize, plain text 11 points.
    void DrawBarText(const QString& text, const TNetRect& rect, int pointSize, bool bold);
    // The width of one line as DrawBarText draws it.
    int BarTextWidth(const QString& text, int pointSize, bool bold);

  private:
    const QFontMetrics& use(int pointSize, bool bold);
    // One line with its baseline at y, centred between left and right.
    void drawLine(const QString& line, int left, int right, int y);

    // Laid-out lines of the current font: a grid repeats few texts thousands of times.
    struct Line {
        QStaticText text;
        int advance = 0;
    };
    QHash<QString, Line> lines;

    QPainter& p;
    QFont baseFont;
    int curSize = -1;
    bool curBold = false;
    std::optional<QFontMetrics> metrics;
    std::optional<QColor> color;
};

// Widest line (CR LF separated) of a cell text in the font a cell text is drawn with.
int CellTextWidth(const QFontMetrics& fm, const QString& text);
