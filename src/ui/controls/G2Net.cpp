#include "controls/G2Net.h"

#include "CommandGuard.h"
#include "paint/ChartPaint.h"

#include <QLayout>
#include <QPainter>

TG2Net::TG2Net(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    installHook();
    Clear();
}

TG2Net::~TG2Net() = default;

void TG2Net::installHook() {
    m_model.setErrorHook([this](const QString& text) { ShowMessage(this, text); });
}

void TG2Net::setModel(const G2NetModel& model) {
    m_model = model;
    installHook();
    Resize();
}

void TG2Net::Clear() {
    m_model.Clear();
    if (parentWidget()) Resize();
}

QSize TG2Net::sizeHint() const {
    return m_model.RequestedSize();
}

void TG2Net::Resize() {
    updateGeometry();
    QWidget* parent = parentWidget();
    const bool managed = parent && parent->layout() && parent->layout()->indexOf(this) >= 0;
    if (!managed && size() != m_model.RequestedSize()) resize(m_model.RequestedSize());
    update();
    emit changed();
}

void TG2Net::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
    emit changed();
}

void TG2Net::paintEvent(QPaintEvent*) {
    QPainter p(this);
    render(p);
}

void TG2Net::render(QPainter& p) {
    PaintG2Net(p, m_model, font(), palette());
}
