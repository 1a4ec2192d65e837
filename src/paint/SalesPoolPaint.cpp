#include "paint/SalesPoolPaint.h"

#include "paint/NetPaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

const QColor PoolColor(0xE8, 0x59, 0x0C);
const QColor SalesColor(0x19, 0x71, 0xC2);
const QColor FirstPrizeColor(0xA6, 0x1E, 0x4D);
const QColor GridColor(0xDE, 0xE2, 0xE6);

constexpr int MinPlotWidth = 640;
constexpr int PlotHeight = 360;
constexpr double PixelsPerDraw = 3.0;
constexpr int Gap = 8;

QFont labelFont(const QFont& base) {
    return NetFont(base, 9, false);
}

// Widest axis label of either axis, so that both margins hold theirs.
int axisLabelWidth(const QFontMetrics& fm, const SalesPoolAxis& axis) {
    int w = 0;
    for (int k = 0; k <= axis.steps; ++k)
        w = std::max(w, fm.horizontalAdvance(axis.label(k)));
    return w;
}

struct Margins {
    int left, top, right, bottom;
};

Margins marginsOf(const SalesPoolChart& chart, const QFont& font) {
    const QFontMetrics fm(labelFont(font));
    const int line = fm.height();
    // Top: the legend and, under it, the axis titles.
    return {
        std::max(axisLabelWidth(fm, chart.poolAxis), fm.horizontalAdvance(QStringLiteral("奖池"))) + 2 * Gap,
        2 * line + 3 * Gap,
        std::max(axisLabelWidth(fm, chart.salesAxis), fm.horizontalAdvance(QStringLiteral("销量"))) + 2 * Gap,
        line + 2 * Gap};
}

// Every k-th draw is labelled with its issue, k from 1, 2, 5, 10, 20, 50 .. so the labels never touch.
int labelEvery(const QFontMetrics& fm, double pitch) {
    const double room = fm.horizontalAdvance(QStringLiteral("2026088")) + 12;
    for (int power = 1;; power *= 10)
        for (const int k : {1, 2, 5})
            if (k * power * pitch >= room) return k * power;
}

// The pieces of a line over the draws that give the value; a draw alone between gaps is a dot.
void paintSeries(QPainter& p, const SalesPoolChart& chart, const SalesPoolLayout& l,
                 const SalesPoolAxis& axis, int64_t SalesPoolPoint::*value, const QColor& color) {
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const int n = int(chart.points.size());
    for (int i = 0; i < n;) {
        if (chart.points[size_t(i)].*value < 0) {
            ++i;
            continue;
        }
        int end = i;
        while (end < n && chart.points[size_t(end)].*value >= 0)
            ++end;
        if (end - i == 1) {
            p.save();
            p.setPen(Qt::NoPen);
            p.setBrush(color);
            p.drawEllipse(QPointF(l.xOf(i), l.yOf(chart.points[size_t(i)].*value, axis)), 2.5, 2.5);
            p.restore();
        } else {
            QPainterPath path(QPointF(l.xOf(i), l.yOf(chart.points[size_t(i)].*value, axis)));
            for (int k = i + 1; k < end; ++k)
                path.lineTo(l.xOf(k), l.yOf(chart.points[size_t(k)].*value, axis));
            p.drawPath(path);
        }
        i = end;
    }
}

double markRadius(double pitch) {
    return std::clamp(pitch * 0.4, 1.8, 4.5);
}

} // namespace

double SalesPoolLayout::xOf(int index) const {
    return plot.left() + pitch * (index + 0.5);
}

double SalesPoolLayout::yOf(int64_t fen, const SalesPoolAxis& axis) const {
    const double share = axis.top() > 0 ? double(fen) / double(axis.top()) : 0.0;
    return plot.top() + plot.height() * (1.0 - share);
}

int SalesPoolLayout::indexAt(int x) const {
    if (count <= 0 || pitch <= 0 || x < plot.left() || x > plot.right()) return -1;
    return std::clamp(int((x - plot.left()) / pitch), 0, count - 1);
}

QSize SalesPoolNaturalSize(const SalesPoolChart& chart, const QFont& font) {
    const Margins m = marginsOf(chart, font);
    const int plotWidth = std::max(MinPlotWidth, int(std::ceil(chart.points.size() * PixelsPerDraw)));
    return {m.left + plotWidth + m.right, m.top + PlotHeight + m.bottom};
}

SalesPoolLayout LayoutSalesPool(const SalesPoolChart& chart, const QFont& font, QSize size) {
    const Margins m = marginsOf(chart, font);
    SalesPoolLayout l;
    l.size = size.expandedTo(SalesPoolNaturalSize(chart, font));
    l.plot = QRect(m.left, m.top, l.size.width() - m.left - m.right, l.size.height() - m.top - m.bottom);
    l.count = int(chart.points.size());
    l.pitch = l.count > 0 ? double(l.plot.width()) / l.count : 0.0;
    return l;
}

void PaintSalesPool(QPainter& p, const SalesPoolChart& chart, const SalesPoolLayout& l, const QFont& font,
                    const QPalette& palette, int hover) {
    p.save();
    const QFont labels = labelFont(font);
    const QFontMetrics fm(labels);
    p.setFont(labels);
    const QColor ink = palette.color(QPalette::Text);
    const QRect plot = l.plot;
    const int steps = std::max(chart.poolAxis.steps, 1);

    // Grid lines and the labels of both axes: the pool's on the left, the sales' on the right, each in
    // its line's colour.
    for (int k = 0; k <= steps; ++k) {
        const int y = plot.top() + int(std::lround(plot.height() * (1.0 - double(k) / steps)));
        p.setPen(k == 0 ? ink : GridColor);
        p.drawLine(plot.left(), y, plot.right(), y);
        const QRect leftBox(0, y - fm.height() / 2, plot.left() - Gap, fm.height());
        const QRect rightBox(plot.right() + Gap, y - fm.height() / 2, l.size.width() - plot.right() - Gap,
                             fm.height());
        p.setPen(PoolColor.darker(130));
        p.drawText(leftBox, Qt::AlignRight | Qt::AlignVCenter, chart.poolAxis.label(k));
        if (k <= chart.salesAxis.steps) {
            p.setPen(SalesColor.darker(130));
            p.drawText(rightBox, Qt::AlignLeft | Qt::AlignVCenter, chart.salesAxis.label(k));
        }
    }
    p.setPen(ink);
    p.drawLine(plot.left(), plot.top(), plot.left(), plot.bottom());
    p.drawLine(plot.right(), plot.top(), plot.right(), plot.bottom());
    const int titleTop = plot.top() - Gap - fm.height();
    p.setPen(PoolColor.darker(130));
    p.drawText(QRect(Gap / 2, titleTop, plot.left() + 60, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("奖池（亿元）"));
    p.setPen(SalesColor.darker(130));
    p.drawText(QRect(plot.right() - 60, titleTop, l.size.width() - plot.right() + 60 - Gap / 2, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("销量（亿元）"));

    // The legend, centred over the plot.
    {
        const QString poolText = QStringLiteral("奖池（开奖后）");
        const QString salesText = QStringLiteral("销量");
        const QString markText = QStringLiteral("%1有人中奖").arg(chart.firstTierName);
        constexpr int Swatch = 24;
        const int width = 3 * (Swatch + 6) + fm.horizontalAdvance(poolText) +
                          fm.horizontalAdvance(salesText) + fm.horizontalAdvance(markText) + 2 * 3 * Gap;
        int x = plot.center().x() - width / 2;
        const int y = Gap + fm.height() / 2;
        const auto entry = [&](const QString& text, const QColor& color, bool dot) {
            p.setPen(QPen(color, 2));
            if (dot) {
                p.setBrush(color);
                p.setPen(QPen(palette.color(QPalette::Base), 1));
                p.drawEllipse(QPointF(x + Swatch / 2.0, y), 4.5, 4.5);
                p.setBrush(Qt::NoBrush);
            } else {
                p.drawLine(x, y, x + Swatch, y);
            }
            x += Swatch + 6;
            p.setPen(ink);
            p.drawText(QRect(x, y - fm.height() / 2, fm.horizontalAdvance(text) + 2, fm.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, text);
            x += fm.horizontalAdvance(text) + 3 * Gap;
        };
        entry(poolText, PoolColor, false);
        entry(salesText, SalesColor, false);
        entry(markText, FirstPrizeColor, true);
    }

    // Issue labels under the axis, the newest draw always among them.
    if (l.count > 0) {
        const int every = labelEvery(fm, l.pitch);
        p.setPen(ink);
        for (int i = l.count - 1; i >= 0; i -= every) {
            const int x = int(std::lround(l.xOf(i)));
            p.drawLine(x, plot.bottom(), x, plot.bottom() + 4);
            const QString issue = QString::number(chart.points[size_t(i)].issue);
            const int w = fm.horizontalAdvance(issue);
            const int left = std::clamp(x - w / 2, 0, l.size.width() - w);
            p.drawText(QRect(left, plot.bottom() + 6, w + 1, fm.height()), Qt::AlignCenter, issue);
        }
    }

    if (hover >= 0 && hover < l.count) {
        p.setPen(QPen(ink, 1, Qt::DashLine));
        const int x = int(std::lround(l.xOf(hover)));
        p.drawLine(x, plot.top(), x, plot.bottom());
    }

    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(plot.adjusted(-6, -6, 6, 6));
    paintSeries(p, chart, l, chart.salesAxis, &SalesPoolPoint::sales, SalesColor);
    paintSeries(p, chart, l, chart.poolAxis, &SalesPoolPoint::pool, PoolColor);
    const double r = markRadius(l.pitch);
    p.setBrush(FirstPrizeColor);
    p.setPen(QPen(palette.color(QPalette::Base), 1));
    for (int i = 0; i < l.count; ++i) {
        const SalesPoolPoint& point = chart.points[size_t(i)];
        if (point.firstPrizeWon() && point.pool >= 0)
            p.drawEllipse(QPointF(l.xOf(i), l.yOf(point.pool, chart.poolAxis)), r, r);
    }
    p.setClipping(false);
    p.setRenderHint(QPainter::Antialiasing, false);

    if (!chart.note.isEmpty()) {
        QFont big = NetFont(font, 11, true);
        p.setFont(big);
        p.setPen(ink);
        p.drawText(plot.adjusted(Gap, Gap, -Gap, -Gap), Qt::AlignCenter | Qt::TextWordWrap, chart.note);
    }
    p.restore();
}
