#include "controls/H2Net.h"

#include "CommandGuard.h"
#include "controls/NetPaint.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TH2Net::TH2Net(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TH2Net::onScrollAction);
    // Wheel and keys move the bar's value directly; the grid follows whatever moves the bar.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_layout.TopRow) {
            m_layout.TopRow = std::clamp(value, 0, m_layout.ScrollMax);
            viewport()->update();
        }
    });
    installHook();
    Clear();
}

TH2Net::~TH2Net() = default;

void TH2Net::installHook() {
    m_model.setErrorHook([this](const QString& text) { ShowMessage(this, text); });
}

void TH2Net::setModel(const H2NetModel& model) {
    m_model = model;
    installHook();
    Resize();
}

void TH2Net::Clear() {
    m_model.Clear();
    m_layout.TopRow = 0;
    Resize();
}

void TH2Net::Resize() {
    m_layout = LayoutH2Net(m_model, viewport()->height(), m_layout.TopRow);
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, m_layout.ScrollMax);
    bar->setPageStep(std::max(m_layout.VisRows, 1));
    bar->setValue(m_layout.TopRow);
    viewport()->update();
    emit changed();
}

void TH2Net::VScroll(TScrollRequest request, int thumbPos) {
    QScrollBar* bar = verticalScrollBar();
    const int p =
        H2NetScroll(request, m_layout.TopRow, bar->minimum(), bar->maximum(), m_layout.VisRows, thumbPos);
    {
        const QSignalBlocker block(bar);
        bar->setValue(p);
    }
    m_layout.TopRow = p;
    viewport()->update();
    setFocus();
}

void TH2Net::onScrollAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    TScrollRequest request;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        request = TScrollRequest::LineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        request = TScrollRequest::LineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        request = TScrollRequest::PageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        request = TScrollRequest::PageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        request = TScrollRequest::Top;
        break;
    case QAbstractSlider::SliderToMaximum:
        request = TScrollRequest::Bottom;
        break;
    case QAbstractSlider::SliderMove:
        request = bar->isSliderDown() ? TScrollRequest::ThumbTrack : TScrollRequest::ThumbPosition;
        break;
    default:
        return;
    }
    // The bar has already moved its slider by its own rule; ours decides.
    const int thumb = bar->sliderPosition();
    const int p =
        H2NetScroll(request, m_layout.TopRow, bar->minimum(), bar->maximum(), m_layout.VisRows, thumb);
    bar->setSliderPosition(p);
    m_layout.TopRow = p;
    viewport()->update();
    setFocus();
}

void TH2Net::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Resize();
}

void TH2Net::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    render(p, event->rect());
}

void TH2Net::render(QPainter& p, const QRect& clip) {
    const QPalette& pal = palette();
    p.fillRect(clip, NetColor(clWindow, pal));
    const H2NetModel& m = m_model;
    // A paint can come between a refill and its Resize (a message box runs the event loop), so the
    // walk never trusts a layout made for other dimensions.
    const H2NetLayout l = LayoutH2Net(m, viewport()->height(), m_layout.TopRow);
    if (m.colsCount() <= 0 || m.dynRows() <= 0) return;

    const int lw = m.FLineWidth;
    const int fix = m.fixRowCount();
    if (lw > 0) {
        QPen pen(Qt::black, lw, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        const int right = l.GridRect.Right + lw;
        for (int i = 0; i <= l.VisRows + fix; ++i) {
            const int y = m.TopOfRow(i) - lw;
            p.drawLine(0, y, right, y);
        }
        const int bottom = l.GridRect.Bottom + lw;
        for (int i = 0; i <= m.colsCount(); ++i) {
            const int x = l.ColLefts[size_t(i)] - lw;
            p.drawLine(x, 0, x, bottom);
        }
    }

    p.setPen(pal.color(QPalette::WindowText));
    TNetText text(p, font());
    const QColor fixColor = NetColor(m.FFixColor, pal);
    auto cellRect = [&](int col, int top) {
        const int left = l.ColLefts[size_t(col)];
        return TNetRect{left, top, left + m.colWidths()[col], top + m.FRowHeight};
    };
    for (int c = 0; c < m.colsCount(); ++c) {
        for (int r = 0; r < fix; ++r) {
            const TNetRect rect = cellRect(c, m.TopOfRow(r));
            p.fillRect(ToQRect(rect), fixColor);
            text.DrawCellText(m.GetValue(r, c), rect, m.FFontSize, true);
        }
    }

    const int end = l.endPaintRow(m);
    for (int row = l.firstPaintRow(m); row < end; ++row) {
        const int top = m.TopOfRow(row, true, l.TopRow);
        for (int c = 0; c < m.colsCount(); ++c) {
            const TNetRect rect = cellRect(c, top);
            const TColor color = m.GetCellColor(row, c);
            if (color != clWindow) p.fillRect(ToQRect(rect), NetColor(color, pal));
            const QString s = m.GetValue(row, c);
            if (!s.isEmpty()) text.DrawCellText(s, rect, m.FFontSize, true);
        }
    }

    // A corner outside the columns would raise the geometry diagnostic on every repaint.
    auto inGrid = [&](QPoint cell) { return cell.x() >= 0 && cell.x() < m.colsCount(); };
    for (const TMergeRec& merge : m.merges()) {
        if (!merge.Active || !inGrid(merge.TopLeft) || !inGrid(merge.BottomRight)) continue;
        const TNetRect rect = UnionRect(m.RectOfCell(merge.TopLeft.y(), merge.TopLeft.x()),
                                        m.RectOfCell(merge.BottomRight.y(), merge.BottomRight.x()));
        p.fillRect(ToQRect(rect), NetColor(merge.Color, pal));
        text.DrawCellText(merge.Text, rect, m.FFontSize, true);
    }
}
