#include "ui/ledger/LedgerCurveView.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

const QColor TLedgerCurveView::CostColor(200, 0, 0);
const QColor TLedgerCurveView::PrizeColor(0, 0, 200);

double LedgerCurveLayout::x(size_t index, size_t count) const {
    if (count <= 1) return plot.left();
    return plot.left() + double(plot.width()) * double(index) / double(count - 1);
}

double LedgerCurveLayout::y(int64_t money) const {
    if (top <= 0) return plot.bottom();
    return plot.bottom() - double(plot.height()) * double(money) / double(top);
}

LedgerCurveLayout MakeLedgerCurveLayout(const std::vector<LedgerCurvePoint>& curve, const QRect& area) {
    LedgerCurveLayout layout;
    // Room for the money labels on the left and the issue labels below.
    layout.plot = area.adjusted(64, 36, -12, -22);
    for (const LedgerCurvePoint& p : curve)
        layout.top = std::max({layout.top, p.cost, p.prize});
    return layout;
}

TLedgerCurveView::TLedgerCurveView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LedgerCurve"));
    setMinimumSize(240, 140);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TLedgerCurveView::setCurve(std::vector<LedgerCurvePoint> curve) {
    m_curve = std::move(curve);
    update();
}

void TLedgerCurveView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render(painter, rect());
}

void TLedgerCurveView::render(QPainter& painter, const QRect& area) const {
    const LedgerCurveLayout layout = MakeLedgerCurveLayout(m_curve, area);
    const QRect& plot = layout.plot;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor text = palette().color(QPalette::Text);
    painter.setPen(text);
    painter.drawText(area.adjusted(8, 4, -8, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("累计投入与奖金（元）"));
    const int legend = area.right() - 150;
    painter.fillRect(QRect(legend, area.top() + 10, 14, 3), CostColor);
    painter.drawText(QPoint(legend + 18, area.top() + 16), QStringLiteral("投入"));
    painter.fillRect(QRect(legend + 60, area.top() + 10, 14, 3), PrizeColor);
    painter.drawText(QPoint(legend + 78, area.top() + 16), QStringLiteral("奖金"));
    if (plot.width() < 10 || plot.height() < 10) {
        painter.restore();
        return;
    }
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setPen(text);
    const QRect labels(area.left(), plot.top() - 8, plot.left() - area.left() - 4, plot.height() + 16);
    painter.drawText(labels, Qt::AlignRight | Qt::AlignTop, QString::number(layout.top));
    painter.drawText(labels, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
    if (m_curve.empty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("还没有已开奖的投注记录"));
        painter.restore();
        return;
    }
    const QRect issues(plot.left(), plot.bottom() + 2, plot.width(), area.bottom() - plot.bottom() - 2);
    painter.drawText(issues, Qt::AlignLeft | Qt::AlignVCenter, QString::number(m_curve.front().issue));
    painter.drawText(issues, Qt::AlignRight | Qt::AlignVCenter, QString::number(m_curve.back().issue));
    auto line = [&](const QColor& color, bool cost) {
        QPainterPath path;
        const size_t n = m_curve.size();
        // More points than pixels: every pixel column keeps the last of its points.
        const size_t step = std::max<size_t>(1, n / size_t(std::max(1, plot.width())));
        for (size_t i = 0; i < n; i += step) {
            const size_t k = std::min(n - 1, i);
            const QPointF p(layout.x(k, n), layout.y(cost ? m_curve[k].cost : m_curve[k].prize));
            if (i == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
        path.lineTo(layout.x(n - 1, n), layout.y(cost ? m_curve.back().cost : m_curve.back().prize));
        painter.setPen(QPen(color, 2));
        painter.drawPath(path);
    };
    line(CostColor, true);
    line(PrizeColor, false);
    painter.restore();
}
