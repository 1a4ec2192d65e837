#include "paint/PageHeading.h"

#include <QFontMetrics>
#include <QPainter>

QString PageNumberText(int page, int pages) {
    return QStringLiteral("第%1页/共%2页").arg(page).arg(pages);
}

int PageHeadingHeight(QPainter& p, const QFont& font) {
    const QFontMetrics fm(font, p.device());
    return fm.lineSpacing() * 3 / 2;
}

void PaintPageHeading(QPainter& p, const QFont& font, const QRect& page, const TPageHeading& heading,
                      int pageNumber, int pages) {
    p.save();
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetrics fm(font, p.device());
    const int y = page.top() + fm.ascent();
    const QString number = PageNumberText(pageNumber, pages);
    if (!heading.left.isEmpty()) p.drawText(page.left(), y, heading.left);
    p.drawText(page.right() - fm.horizontalAdvance(number), y, number);
    if (!heading.title.isEmpty()) {
        // Centred, unless the time on the left reaches the middle: then right after it.
        const int leftEnd = page.left() + fm.horizontalAdvance(heading.left + QStringLiteral("  "));
        const int x = std::max(page.center().x() - fm.horizontalAdvance(heading.title) / 2, leftEnd);
        p.drawText(x, y, heading.title);
    }
    const int lineY = page.top() + fm.lineSpacing() + fm.lineSpacing() / 8;
    p.setPen(QPen(Qt::black, std::max(1, fm.lineSpacing() / 24)));
    p.drawLine(page.left(), lineY, page.right(), lineY);
    p.restore();
}
