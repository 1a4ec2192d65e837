#include "ui/controls/MultiMatrix.h"

#include "ui/controls/MatrixError.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <algorithm>

TMultiMatrix::TMultiMatrix(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // The whole client area is filled on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(m_layout.size());
}

TMultiMatrix::~TMultiMatrix() = default;

void TMultiMatrix::AddItem(const QString& caption) {
    m_captions.append(caption);
    m_flags.push_back(0);
    m_layout.Count = static_cast<int>(m_flags.size());
    relayout();
}

void TMultiMatrix::SetCount(int n) {
    if (n < 0) throw TMatrixError(QStringLiteral("SetCount Error!"));
    if (n == m_layout.Count) return;
    m_captions.resize(n);
    m_flags.resize(n, 0);
    m_layout.Count = n;
    relayout();
}

void TMultiMatrix::SetCols(int n) {
    if (n <= 0) throw TMatrixError(QStringLiteral("SetCols Error!"));
    if (n == m_layout.Cols) return;
    m_layout.Cols = n;
    relayout();
}

void TMultiMatrix::SetCapWidth(int n) {
    if (n < 0) throw TMatrixError(QStringLiteral("SetCapWidth Error!"));
    if (n == m_layout.CapWidth) return;
    m_layout.CapWidth = n;
    relayout();
}

QString TMultiMatrix::Caption(int index) const {
    return index >= 0 && index < m_captions.size() ? m_captions[index] : QString();
}

QRect TMultiMatrix::RectOfChk(int index) const {
    if (index < 0 || index >= m_layout.Count) throw TMatrixError(QStringLiteral("RectOfChk Index Error!"));
    return m_layout.rectOfChk(index);
}

QRect TMultiMatrix::RectOfCap(int index) const {
    if (index < 0 || index >= m_layout.Count) throw TMatrixError(QStringLiteral("RectOfCap Index Error!"));
    return m_layout.rectOfCap(index);
}

void TMultiMatrix::Change() {
    emit changed(this);
    if (m_onChange) m_onChange(this);
}

void TMultiMatrix::clearFlags() {
    std::fill(m_flags.begin(), m_flags.end(), 0);
}

void TMultiMatrix::relayout() {
    setFixedSize(m_layout.size());
    if (m_focusIndex < 0 || m_focusIndex >= m_layout.Count) m_focusIndex = 0;
    update();
    Change();
}

const TMultiMatrix::TGlyphCache& TMultiMatrix::glyphs(QStyle::State state, qreal dpr) const {
    TGlyphCache& c = m_glyphs;
    const QSize size(m_layout.BoxSize, m_layout.ItemHeight);
    if (c.style == style() && c.paletteKey == palette().cacheKey() && c.state == state && c.size == size &&
        c.dpr == dpr)
        return c;
    c.style = style();
    c.paletteKey = palette().cacheKey();
    c.state = state;
    c.size = size;
    c.dpr = dpr;
    QStyleOptionButton box;
    box.initFrom(this);
    box.rect = QRect(QPoint(0, 0), size);
    for (QPixmap* pm : {&c.off, &c.on}) {
        *pm = QPixmap(size * dpr);
        pm->setDevicePixelRatio(dpr);
        pm->fill(Qt::transparent);
        box.state = state | (pm == &c.on ? QStyle::State_On : QStyle::State_Off);
        QPainter p(pm);
        style()->drawPrimitive(glyph(), &box, &p, this);
    }
    return c;
}

void TMultiMatrix::render(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, palette().color(backgroundRole()));

    int first = 0;
    int last = 0;
    m_layout.itemsIn(area, first, last);
    if (first >= last) return;

    QStyleOptionButton box;
    box.initFrom(this);
    // The glyph shows the flag only; focus is shown by the mark around the caption.
    const QStyle::State glyphState = box.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    const TGlyphCache& cache =
        glyphs(glyphState, painter.device() ? painter.device()->devicePixelRatio() : 1.0);

    const bool markFocus = hasFocus() && m_focusIndex >= first && m_focusIndex < last;
    const QFontMetrics fm(font());
    const int textHeight = fm.height();
    const int ascent = fm.ascent();
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));

    for (int i = first; i < last; ++i) {
        painter.drawPixmap(m_layout.rectOfChk(i).topLeft(), m_flags[i] ? cache.on : cache.off);

        const QRect cap = m_layout.rectOfCap(i);
        if (markFocus && i == m_focusIndex) {
            QStyleOptionFocusRect mark;
            mark.initFrom(this);
            mark.rect = m_layout.focusRect(i);
            mark.backgroundColor = palette().color(backgroundRole());
            // Some styles draw the mark only after keyboard navigation; this control always shows it.
            mark.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &mark, &painter, this);
        }
        const int y = (cap.top() + cap.top() + cap.height() - textHeight) / 2;
        painter.drawText(QPoint(cap.left(), y + ascent), m_captions[i]);
    }
}

void TMultiMatrix::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    render(painter, event->rect());
}

void TMultiMatrix::mousePressEvent(QMouseEvent* event) {
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    const int index = m_layout.hitTest(event->position().toPoint());
    if (index >= 0) {
        activateItem(index);
        m_focusIndex = index;
        Change();
    }
    event->accept();
    update();
}

void TMultiMatrix::keyPressEvent(QKeyEvent* event) {
    // Shortcuts and Escape belong to the window around the control.
    if (event->key() == Qt::Key_Escape ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int count = m_layout.Count;
    const int cols = m_layout.Cols;
    int& f = m_focusIndex;
    switch (event->key()) {
    case Qt::Key_Left:
        if (f > 0) --f;
        break;
    case Qt::Key_Right:
        if (f < count - 1) ++f;
        break;
    case Qt::Key_Up:
        if (f - cols >= 0) f -= cols;
        break;
    case Qt::Key_Down:
        if (f < count - cols) f += cols;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (f >= 0 && f < count) activateItem(f);
        break;
    default:
        break;
    }
    event->accept();
    update();
    Change();
}

void TMultiMatrix::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TMultiMatrix::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
