#include "ui/controls/G2Net.h"

#include "paint/ChartPaint.h"
#include "ui/CommandGuard.h"

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
    m_base = model;
    installHook();
    stretch();
    Resize();
}

void TG2Net::setMaxStretch(double maxStretch) {
    if (m_maxStretch <= 1.0) m_base = m_model;
    m_maxStretch = maxStretch;
    stretch();
    update();
}

void TG2Net::stretch() {
    if (m_maxStretch <= 1.0) return;
    m_model = StretchG2Net(m_base, size(), m_maxStretch);
    installHook();
}

void TG2Net::Clear() {
    m_model.Clear();
    m_base.Clear();
    if (parentWidget()) Resize();
}

QSize TG2Net::sizeHint() const {
    return baseModel().RequestedSize();
}

void TG2Net::Resize() {
    updateGeometry();
    QWidget* parent = parentWidget();
    const bool managed = parent && parent->layout() && parent->layout()->indexOf(this) >= 0;
    // A stretching chart takes the size its parent gives it, at least the one it asks for.
    const QSize wanted = m_maxStretch > 1.0 ? size().expandedTo(sizeHint()) : m_model.RequestedSize();
    if (!managed && size() != wanted) resize(wanted);
    update();
    emit changed();
}

void TG2Net::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    stretch();
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
