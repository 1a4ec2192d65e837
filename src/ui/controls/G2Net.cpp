#include "controls/G2Net.h"

#include "CommandGuard.h"
#include "controls/NetPaint.h"

#include <QLayout>
#include <QPainter>

namespace {
constexpr TColor OliveColor = 0x008080;
constexpr TColor BarOutlineColor = 0x341232;
} // namespace

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
    const G2NetModel& m = m_model;
    if (m.dynColCount() <= 0 || m.dynRowCount() <= 0) return;
    const QPalette& pal = palette();
    const QColor olive = NetColor(OliveColor, pal);
    const QColor textColor = pal.color(QPalette::WindowText);
    TNetText text(p, font());
    const TNetRect chart = m.ChartRect();

    p.setBrush(Qt::NoBrush);
    p.setPen(textColor);
    text.DrawBarText(m.FTitle, {chart.Left, chart.Top - 25, chart.Right, chart.Top - 5}, 11, false);

    const QPen olivePen(olive, 1);
    const QPen tickPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap);
    if (m.FShowFrame) {
        p.setPen(olivePen);
        p.drawRect(chart.Left, chart.Top, chart.width() - 1, chart.height() - 1);
    }

    for (int q = 0; q <= m.FGridCount; ++q) {
        const int y = chart.Bottom - m.FGridStep * q;
        const int x = chart.Left;
        p.setPen(tickPen);
        p.drawLine(x, y, x - 4, y);
        p.setPen(textColor);
        text.DrawBarText(m.ScaleLabel(q), {x - 25, y - 7, x - 10, y + 8}, 11, true);
        if (q > 0 && m.FShowFrame) {
            p.setPen(olivePen);
            p.drawLine(x, y, chart.Right, y);
        }
    }

    for (int c = 1; c <= m.dynColCount(); ++c) {
        const TNetRect bar = m.ScaleBar(m.BarRect(c, 1));
        TNetRect box{bar.Left, bar.Bottom + 3, bar.Left + m.dynRowCount() * m.FBarWidth, bar.Bottom + 18};
        p.setPen(textColor);
        text.DrawBarText(m.GetValue(c, 0), box, 11, false);
        const int cx = (box.Left + box.Right) / 2;
        p.setPen(tickPen);
        p.drawLine(cx, box.Top - 3, cx, box.Top + 1);
    }

    const QPen outline(NetColor(BarOutlineColor, pal), 1);
    for (int r = 1; r <= m.dynRowCount(); ++r) {
        const QColor fill = NetColor(m.seriesColor(r), pal);
        for (int c = 1; c <= m.dynColCount(); ++c) {
            const TNetRect bar = m.ScaleBar(m.BarRect(c, r));
            p.setPen(outline);
            if (bar.height() <= 1 || bar.width() <= 1) {
                // A flat bar shows only its outline, lying on the x axis.
                p.drawLine(bar.Left, bar.Bottom - 1, bar.Right - 1, bar.Bottom - 1);
            } else {
                p.setBrush(fill);
                p.drawRect(bar.Left, bar.Top, bar.width() - 1, bar.height() - 1);
                p.setBrush(Qt::NoBrush);
            }
            if (m.FShowValues) {
                p.setPen(textColor);
                text.DrawBarText(m.GetValue(c, r), {bar.Left, bar.Top - 16, bar.Right, bar.Top - 2}, 11,
                                 true);
            }
        }
    }

    p.setPen(QPen(Qt::black, 1));
    p.drawLine(chart.Left, chart.Bottom, chart.Left, chart.Top - 15);
    p.drawLine(chart.Left, chart.Top - 15, chart.Left - 3, chart.Top - 3);
    p.drawLine(chart.Left, chart.Bottom, chart.Right + 15, chart.Bottom);
    p.drawLine(chart.Right + 15, chart.Bottom, chart.Right + 3, chart.Bottom - 3);
}
