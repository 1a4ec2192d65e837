#include "ui/charts/SalesPoolPage.h"

#include "paint/ChartPaint.h"
#include "paint/NetPaint.h"
#include "paint/SalesPoolPaint.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>

TSalesPoolView::TSalesPoolView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSalesPoolView::setChart(SalesPoolChart chart) {
    m_chart = std::move(chart);
    m_hover = -1;
    setMinimumSize(sizeHint());
    updateGeometry();
    update();
}

QSize TSalesPoolView::sizeHint() const {
    return SalesPoolNaturalSize(m_chart, font());
}

SalesPoolLayout TSalesPoolView::layout() const {
    return LayoutSalesPool(m_chart, font(), size());
}

int TSalesPoolView::drawAt(const QPoint& pos) const {
    const SalesPoolLayout l = layout();
    return pos.y() >= l.plot.top() && pos.y() <= l.plot.bottom() ? l.indexAt(pos.x()) : -1;
}

QString TSalesPoolView::hoverText(int index) const {
    if (index < 0 || size_t(index) >= m_chart.points.size()) return {};
    return SalesPoolPointLines(m_chart, m_chart.points[size_t(index)]).join(QLatin1Char('\n'));
}

void TSalesPoolView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), NetColor(clWindow, palette()));
    PaintSalesPool(p, m_chart, layout(), font(), palette(), m_hover);
}

void TSalesPoolView::mouseMoveEvent(QMouseEvent* event) {
    const int index = drawAt(event->position().toPoint());
    if (index != m_hover) {
        m_hover = index;
        update();
    }
    if (index < 0)
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), hoverText(index), this);
}

void TSalesPoolView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    m_hover = -1;
    update();
}

TSalesPoolPage::TSalesPoolPage(const TCodeArr& history, QWidget* parent) : TChartPage(history, 14, parent) {
    // At least the size the chart asks for (a long period scrolls sideways); a larger page stretches it.
    auto* box = new QScrollArea(body());
    box->setObjectName(objectName() + QStringLiteral("ScrollBox"));
    box->setFrameShape(QFrame::NoFrame);
    box->setWidgetResizable(true);
    m_view = new TSalesPoolView;
    m_view->setObjectName(objectName() + QStringLiteral("Chart"));
    box->setWidget(m_view);
    bodyLayout()->addWidget(box);
}

void TSalesPoolPage::setFigures(const FiguresTable* figures) {
    m_figures = figures;
    figuresChanged();
}

void TSalesPoolPage::figuresChanged() {
    if (isVisible()) refill();
}

ChartArgs TSalesPoolPage::chartArgs(int n) const {
    ChartArgs args{n};
    args.figures = m_figures;
    return args;
}

void TSalesPoolPage::fillPage(int n) {
    m_view->setChart(std::get<SalesPoolChart>(fillModel(n)));
}

void TSalesPoolPage::clearPage() {
    m_view->setChart(SalesPoolChart());
}

std::optional<TChartPicture> TSalesPoolPage::picture() const {
    return TChartPicture(m_view->chart(), m_view->font());
}
