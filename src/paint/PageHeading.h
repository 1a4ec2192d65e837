#pragma once

#include <QFont>
#include <QString>

class QPainter;
class QRect;

// The line at the top of every printed page: `left` (the print time) at the left margin, the title
// in the middle and "第k页/共n页" at the right, all on one baseline.
struct TPageHeading {
    QString title;
    QString left;
};

// "第k页/共n页"; page is 1-based.
QString PageNumberText(int page, int pages);

// Height of the heading band (the line and a gap under it) in the painter's device pixels for the
// font at its point size on that device.
int PageHeadingHeight(QPainter& p, const QFont& font);
// Draws the heading of page `page` (1-based) of `pages` into the top of pageRect.
void PaintPageHeading(QPainter& p, const QFont& font, const QRect& pageRect, const TPageHeading& heading,
                      int page, int pages);
