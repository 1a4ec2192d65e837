#include "ui/controls/B0Net.h"

#include "paint/ChartPaint.h"

#include <QPainter>

TB0Net::TB0Net(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(m_model.bounds());
    Clear();
}

TB0Net::~TB0Net() = default;

void TB0Net::setModel(const B0NetModel& model) {
    m_model = model;
    Resize();
}

void TB0Net::Clear() {
    m_model.Clear();
    if (parentWidget()) Resize();
}

void TB0Net::setBounds(int left, int top, int width, int height) {
    m_model.setBounds(left, top, width, height);
    m_applying = true;
    setGeometry(m_model.bounds());
    m_applying = false;
}

void TB0Net::Resize() {
    m_model.Resize();
    m_applying = true;
    setGeometry(m_model.bounds());
    m_applying = false;
    update();
    emit changed();
}

void TB0Net::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Our own geometry changes (and the deferred event of a hidden widget) match the model already.
    if (m_applying || size() == m_model.bounds().size()) return;
    m_model.setBounds(QRect(m_model.bounds().topLeft(), size()));
    Resize();
}

void TB0Net::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!m_applying) m_model.setBounds(QRect(pos(), m_model.bounds().size()));
}

void TB0Net::paintEvent(QPaintEvent*) {
    QPainter p(this);
    render(p);
}

void TB0Net::render(QPainter& p) {
    PaintB0Net(p, m_model, font(), palette());
}
