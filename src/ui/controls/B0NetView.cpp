#include "controls/B0NetView.h"

#include "paint/ChartPaint.h"
#include "paint/NetPaint.h"

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
