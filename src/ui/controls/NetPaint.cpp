#include "controls/NetPaint.h"

#include "history/Parser.h"

#include <QPainter>
#include <QPalette>

QColor NetColor(TColor color, const QPalette& palette) {
    if (color == clWindow) return palette.color(QPalette::Base);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QFont NetFont(const QFont& base, int pointSize, bool bold) {
    QFont f(base);
    f.setPixelSize(std::max(1, qRound(pointSize * 96.0 / 72.0)));
    f.setBold(bold);
    return f;
}

const QFontMetrics& TNetText::use(int pointSize, bool bold) {
    const int size = bold ? pointSize : 11;
    if (!metrics || size != curSize || bold != curBold) {
        const QFont font = NetFont(baseFont, size, bold);
        p.setFont(font);
        metrics.emplace(font);
        curSize = size;
        curBold = bold;
    }
    return *metrics;
}

void TNetText::DrawCellText(const QString& text, const TNetRect& rect, int pointSize, bool bold) {
    const QStringList lines = SplitString(QStringLiteral("\r\n"), text);
    if (lines.isEmpty()) return;
    const QFontMetrics& fm = use(pointSize, bold);
    const int lh = fm.height();
    const int top = rect.Top + (rect.height() - int(lines.size()) * lh) / 2;
    for (int i = 0; i < lines.size(); ++i) {
        const int x = (rect.Left + rect.Right - fm.horizontalAdvance(lines[i])) / 2;
        p.drawText(x, top + i * lh + fm.ascent(), lines[i]);
    }
}

void TNetText::DrawBarText(const QString& text, const TNetRect& rect, int pointSize, bool bold) {
    if (text.isEmpty()) return;
    const QFontMetrics& fm = use(pointSize, bold);
    const int x = (rect.Left + rect.Right - fm.horizontalAdvance(text)) / 2;
    const int y = (rect.Top + rect.Bottom - fm.height()) / 2;
    p.drawText(x, y + fm.ascent(), text);
}
