#include "paint/NetPaint.h"

#include "engine/history/Parser.h"

#include <QPainter>
#include <QPalette>

namespace {

// One line with nothing to trim: what SplitString would return unchanged.
bool isPlainLine(const QString& text) {
    return text.front().unicode() > 32 && text.back().unicode() > 32 && !text.contains(QLatin1Char('\n')) &&
           !text.contains(QLatin1Char('\r'));
}

} // namespace

QColor NetColor(TColor color, const QPalette& palette) {
    if (color == clWindow) return palette.color(QPalette::Base);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QColor NetInk(TColor fill, const QPalette& palette) {
    if (fill == clWindow) return palette.color(QPalette::Text);
    const QColor c = NetColor(fill, palette);
    // Only fills darker than pure red get white ink, so the light look stays as it was.
    const int luma = (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
    return luma < 60 ? QColor(Qt::white) : QColor(Qt::black);
}

QFont NetFont(const QFont& base, int pointSize, bool bold) {
    QFont f(base);
    f.setPixelSize(std::max(1, qRound(pointSize * 96.0 / 72.0)));
    f.setBold(bold);
    return f;
}

void TNetText::setColor(const QColor& c) {
    if (color && *color == c) return;
    color = c;
    p.setPen(c);
}

const QFontMetrics& TNetText::use(int pointSize, bool bold) {
    const int size = bold ? pointSize : 11;
    if (!metrics || size != curSize || bold != curBold) {
        const QFont font = NetFont(baseFont, size, bold);
        p.setFont(font);
        metrics.emplace(font);
        lines.clear();
        curSize = size;
        curBold = bold;
    }
    return *metrics;
}

void TNetText::DrawCellText(const QString& text, const TNetRect& rect, int pointSize, bool bold) {
    if (text.isEmpty()) return;
    const QFontMetrics& fm = use(pointSize, bold);
    // Most cells hold one short line: no list for them.
    if (isPlainLine(text)) {
        drawLine(text, rect.Left, rect.Right, rect.Top + (rect.height() - fm.height()) / 2 + fm.ascent());
        return;
    }
    const QStringList parts = SplitString(QStringLiteral("\r\n"), text);
    if (parts.isEmpty()) return;
    const int lh = fm.height();
    const int top = rect.Top + (rect.height() - int(parts.size()) * lh) / 2;
    for (int i = 0; i < parts.size(); ++i)
        drawLine(parts[i], rect.Left, rect.Right, top + i * lh + fm.ascent());
}

void TNetText::drawLine(const QString& line, int left, int right, int y) {
    auto it = lines.find(line);
    if (it == lines.end()) {
        Line l{QStaticText(line), metrics->horizontalAdvance(line)};
        l.text.setTextFormat(Qt::PlainText);
        l.text.setPerformanceHint(QStaticText::AggressiveCaching);
        l.text.prepare(QTransform(), p.font());
        it = lines.insert(line, l);
    }
    p.drawStaticText(QPoint((left + right - it->advance) / 2, y - metrics->ascent()), it->text);
}

void TNetText::DrawBarText(const QString& text, const TNetRect& rect, int pointSize, bool bold) {
    if (text.isEmpty()) return;
    const QFontMetrics& fm = use(pointSize, bold);
    const int x = (rect.Left + rect.Right - fm.horizontalAdvance(text)) / 2;
    const int y = (rect.Top + rect.Bottom - fm.height()) / 2;
    p.drawText(x, y + fm.ascent(), text);
}

int TNetText::BarTextWidth(const QString& text, int pointSize, bool bold) {
    return text.isEmpty() ? 0 : use(pointSize, bold).horizontalAdvance(text);
}

int CellTextWidth(const QFontMetrics& fm, const QString& text) {
    if (text.isEmpty()) return 0;
    if (isPlainLine(text)) return fm.horizontalAdvance(text);
    int w = 0;
    for (const QString& line : SplitString(QStringLiteral("\r\n"), text))
        w = std::max(w, fm.horizontalAdvance(line));
    return w;
}
