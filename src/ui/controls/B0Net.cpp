#include "controls/B0Net.h"

#include "controls/NetPaint.h"

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
    const B0NetModel& m = m_model;
    if (m.colCount() <= 0 || m.rowCount() <= 0) return;
    const QPalette& pal = palette();
    const int lw = m.FLineWidth;
    const TNetRect grid = m.gridRect();
    if (lw > 0) {
        p.setPen(QPen(NetColor(m.FLineColor, pal), lw, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i <= m.visRows(); ++i) {
            const int y = m.TopOfRow(i) - lw;
            p.drawLine(0, y, grid.Right + lw, y);
        }
        for (int i = 0; i <= m.colCount(); ++i) {
            const int x = m.LeftOfCol(i) - lw;
            p.drawLine(x, m.titleHeight(), x, grid.Bottom + lw);
        }
    }

    p.setPen(pal.color(QPalette::WindowText));
    TNetText text(p, font());
    if (!m.FTitle.isEmpty()) {
        const TNetRect last = m.RectOfCell(m.colCount() - 1, 0);
        text.DrawCellText(m.FTitle, {0, 0, last.Right, m.TopOfRow(0)}, 11, true);
    }
    for (int r = 0; r < m.visRows(); ++r) {
        for (int c = 0; c < m.colCount(); ++c) {
            const TNetRect rect = m.RectOfCell(c, r);
            p.fillRect(ToQRect(rect), NetColor(m.GetCellColor(c, r), pal));
            text.DrawCellText(m.GetValue(c, r), rect, 11, true);
        }
    }
}
