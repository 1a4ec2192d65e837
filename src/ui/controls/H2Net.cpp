#include "ui/controls/H2Net.h"

#include "engine/charts/TrendOmission.h"
#include "paint/ChartPaint.h"
#include "ui/CommandGuard.h"
#include "ui/controls/HoverText.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TH2Net::TH2Net(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A grid wider than the page scrolls sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(16);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
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
    FitH2NetColumns(m_model, font());
    installHook();
    // A refill shows the newest draw, which is the first data row.
    m_layout.TopRow = 0;
    Resize();
}

void TH2Net::Clear() {
    m_model.Clear();
    m_layout.TopRow = 0;
    Resize();
}

void TH2Net::setMaxStretch(double maxStretch) {
    m_maxStretch = maxStretch;
    Resize();
}

H2NetLayout TH2Net::makeLayout() const {
    return LayoutH2Net(m_model, viewport()->height(), m_layout.TopRow, viewport()->width(), m_maxStretch);
}

void TH2Net::Resize() {
    m_layout = makeLayout();
    // The bars' signals stay connected: the scroll area shows or hides a bar when its range changes.
    // A bar that appears or goes resizes the viewport, which lays the grid out again from inside.
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, m_layout.ScrollMax);
    bar->setPageStep(std::max(m_layout.VisRows, 1));
    bar->setValue(m_layout.TopRow);
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(m_layout.contentWidth() - viewport()->width(), 0));
    across->setPageStep(std::max(viewport()->width(), 1));
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

void TH2Net::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QScrollBar* across = horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_Home:
        if (ctrl) VScroll(TScrollRequest::Top);
        across->setValue(across->minimum());
        return;
    case Qt::Key_End:
        if (ctrl)
            VScroll(TScrollRequest::Bottom);
        else
            across->setValue(across->maximum());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void TH2Net::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    renderView(p, event->rect());
}

int TH2Net::heldWidth() const {
    // The first column and the line right of it stay put once the grid scrolls.
    const int dx = horizontalScrollBar()->value();
    if (dx <= 0 || m_layout.ColLefts.size() < 2) return 0;
    return std::min(m_layout.ColLefts[1], viewport()->width());
}

int TH2Net::gridX(int x) const {
    return x < heldWidth() ? x : x + horizontalScrollBar()->value();
}

void TH2Net::renderView(QPainter& p, const QRect& clip) {
    const int dx = horizontalScrollBar()->value();
    const int held = heldWidth();
    p.save();
    p.translate(-dx, 0);
    render(p, clip.translated(dx, 0));
    p.restore();
    if (held > 0 && clip.left() < held) {
        p.save();
        const QRect area(0, clip.top(), held, clip.height());
        p.setClipRect(area);
        render(p, area);
        p.restore();
    }
}

void TH2Net::render(QPainter& p, const QRect& clip) {
    // A paint can come between a refill and its Resize (a message box runs the event loop), so the
    // walk never trusts a layout made for other dimensions.
    PaintH2Net(p, m_model, makeLayout(), font(), palette(), clip);
}

QString TH2Net::toolTipAt(QPoint pos) const {
    const QPoint cell = H2NetCellAt(m_model, m_layout, QPoint(gridX(pos.x()), pos.y()));
    const int fix = m_model.fixRowCount();
    // Draw rows only: not the header, not the totals row.
    if (cell.y() < fix || cell.y() >= m_model.rowCount() - 1 || cell.x() <= 0) return QString();
    QString heading;
    if (fix > 0) heading = m_model.GetValue(fix - 1, cell.x());
    for (const TMergeRec& merge : m_model.merges())
        if (heading.isEmpty() && merge.Active && merge.TopLeft.x() <= cell.x() &&
            cell.x() <= merge.BottomRight.x())
            heading = merge.Text;
    const H2NetModel& marks = m_hoverSource ? *m_hoverSource : m_model;
    const QString value = marks.GetValue(cell.y(), cell.x());
    const QString state =
        value.isEmpty()
            ? QStringLiteral("遗漏 %1 期")
                  .arg(TrendOmissionAt(marks, cell.y() - fix, cell.x(),
                                       m_omissionBefore ? m_omissionBefore() : std::vector<int>()))
            : value;
    return QStringLiteral("%1期  %2：%3").arg(m_model.GetValue(cell.y(), 0), heading.simplified(), state);
}

bool TH2Net::viewportEvent(QEvent* event) {
    return ShowHoverText(event, viewport(), [this](QPoint pos) { return toolTipAt(pos); }) ||
           QAbstractScrollArea::viewportEvent(event);
}
