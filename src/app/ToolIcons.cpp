#include "app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every picture is drawn on a 24 x 24 grid.
void draw(QPainter& p, ToolIcon kind) {
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x30, 0x30, 0x38);
    QPen pen(ink, 1.4);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    switch (kind) {
    case ToolIcon::Data: {
        // A stack of records.
        const QColor fill(0x4f, 0x9d, 0xe0);
        for (int i = 2; i >= 0; --i) {
            QPainterPath body;
            const qreal top = 5 + i * 5;
            body.addEllipse(QRectF(4, top, 16, 5));
            p.setBrush(i == 0 ? fill.lighter(130) : fill);
            p.drawRect(QRectF(4, top + 2.5, 16, 5));
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(4.7, top + 2, 14.6, 3));
            p.setPen(pen);
            p.drawEllipse(QRectF(4, top, 16, 5));
        }
        break;
    }
    case ToolIcon::Chart: {
        p.drawLine(QPointF(3, 21), QPointF(21, 21));
        p.drawLine(QPointF(3, 3), QPointF(3, 21));
        const QColor colors[3] = {QColor(0xe0, 0x4b, 0x4b), QColor(0x4b, 0x8b, 0xe0),
                                  QColor(0x5c, 0xb8, 0x5c)};
        const int heights[3] = {9, 15, 12};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colors[i]);
            p.drawRect(QRectF(6 + i * 5, 21 - heights[i], 3.6, heights[i]));
        }
        break;
    }
    case ToolIcon::Shrink: {
        QPainterPath funnel;
        funnel.moveTo(3, 4);
        funnel.lineTo(21, 4);
        funnel.lineTo(14, 12);
        funnel.lineTo(14, 20);
        funnel.lineTo(10, 22);
        funnel.lineTo(10, 12);
        funnel.closeSubpath();
        p.setBrush(QColor(0xf0, 0xa0, 0x30));
        p.drawPath(funnel);
        break;
    }
    case ToolIcon::Predict: {
        p.setBrush(QColor(0x8e, 0x6b, 0xd8));
        p.drawEllipse(QRectF(4, 2, 16, 16));
        p.setBrush(QColor(0x70, 0x50, 0x30));
        p.drawRect(QRectF(6, 18, 12, 4));
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(7, 5, 7, 7), 90 * 16, 90 * 16);
        break;
    }
    case ToolIcon::Query: {
        p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
        p.setPen(QPen(ink, 1.6));
        p.setBrush(QColor(0xcf, 0xe8, 0xfa));
        p.drawEllipse(QRectF(3, 3, 13, 13));
        break;
    }
    case ToolIcon::Recommend: {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const qreal r = i % 2 ? 4.2 : 10;
            const qreal a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(12 + r * std::cos(a), 12.8 + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setBrush(QColor(0xf5, 0xc5, 0x18));
        p.drawPath(star);
        break;
    }
    case ToolIcon::News: {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 4, 17, 16));
        p.setBrush(QColor(0xe0, 0x4b, 0x4b));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(6, 7, 12, 3));
        p.setPen(QPen(ink, 1.2));
        for (int y = 13; y <= 17; y += 2)
            p.drawLine(QPointF(6, y), QPointF(18, y));
        break;
    }
    case ToolIcon::Exit: {
        p.setPen(QPen(QColor(0xd0, 0x30, 0x30), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(4, 4.5, 16, 16), 120 * 16, -240 * 16);
        p.drawLine(QPointF(12, 2.5), QPointF(12, 11.5));
        break;
    }
    }
}

} // namespace

QIcon MakeToolIcon(ToolIcon kind) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(24 * scale, 24 * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.scale(scale, scale);
        draw(p, kind);
        p.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}
