#include "ui/controls/B0NetView.h"

#include "engine/charts/BoardCharts.h"
#include "paint/ChartPaint.h"
#include "paint/NetPaint.h"
#include "ui/controls/HoverText.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TB0NetView::TB0NetView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(24);
    horizontalScrollBar()->setSingleStep(24);
}

void TB0NetView::setModels(std::vector<B0NetModel> models) {
    m_models = std::move(models);
    const QRect all = B0NetsBounds(m_models);
    m_content = all.isEmpty() ? QSize() : QSize(all.right() + 1, all.bottom() + 1);
    verticalScrollBar()->setValue(0);
    updateBars();
    viewport()->update();
}

QPoint TB0NetView::scrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TB0NetView::updateBars() {
    const QSize view = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(m_content.height() - view.height(), 0));
    verticalScrollBar()->setPageStep(std::max(view.height(), 1));
    horizontalScrollBar()->setRange(0, std::max(m_content.width() - view.width(), 0));
    horizontalScrollBar()->setPageStep(std::max(view.width(), 1));
}

void TB0NetView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(event->rect(), NetColor(clWindow, palette()));
    const QPoint offset = scrollOffset();
    p.translate(-offset);
    PaintB0Nets(p, m_models, font(), palette(), event->rect().translated(offset));
}

void TB0NetView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateBars();
}

void TB0NetView::scrollContentsBy(int, int) {
    viewport()->update();
}

QString TB0NetView::toolTipAt(QPoint pos) const {
    const QPoint at = pos + scrollOffset();
    for (const B0NetModel& m : m_models) {
        if (!m.bounds().contains(at)) continue;
        const QPoint local = at - m.bounds().topLeft();
        for (int r = 0; r < m.visRows(); ++r)
            for (int c = 0; c < m.colCount(); ++c) {
                if (!ToQRect(m.RectOfCell(c, r)).contains(local)) continue;
                const QString number = m.GetValue(c, r);
                if (number.isEmpty()) return QString();
                const TColor fill = m.GetCellColor(c, r);
                const QString state = fill == BoardRedColor    ? QStringLiteral("红球开出")
                                      : fill == BoardBlueColor ? QStringLiteral("蓝球开出")
                                                               : QStringLiteral("未开出");
                return QStringLiteral("%1  %2：%3").arg(m.FTitle.simplified(), number, state);
            }
        return QString();
    }
    return QString();
}

bool TB0NetView::viewportEvent(QEvent* event) {
    return ShowHoverText(event, viewport(), [this](QPoint pos) { return toolTipAt(pos); }) ||
           QAbstractScrollArea::viewportEvent(event);
}
