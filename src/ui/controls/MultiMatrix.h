#pragma once

#include "ui/controls/MatrixLayout.h"

#include <QPixmap>
#include <QStringList>
#include <QStyle>
#include <QWidget>
#include <functional>
#include <vector>

// Common body of TMultiChk and TMultiRadio: a grid of glyphs with captions that sizes itself to
// its grid, moves a focus mark with the arrow keys and announces changes. The subclasses decide
// which glyph is drawn and what a click, Space or Enter does to the flags.
//
// Setters throw TMatrixError on a bad argument and leave the control unchanged.
class TMultiMatrix : public QWidget {
    Q_OBJECT
  public:
    using TNotifyEvent = std::function<void(TMultiMatrix* sender)>;

    explicit TMultiMatrix(QWidget* parent = nullptr);
    ~TMultiMatrix() override;

    // Appends an item with this caption, not selected, and re-lays out.
    void AddItem(const QString& caption);
    // Number of items; new items get empty captions, surplus ones are dropped. n < 0 throws
    // "SetCount Error!".
    void SetCount(int n);
    // n <= 0 throws "SetCols Error!" (a grid of no columns has no shape).
    void SetCols(int n);
    // n < 0 throws "SetCapWidth Error!".
    void SetCapWidth(int n);

    int Count() const { return m_layout.Count; }
    int Cols() const { return m_layout.Cols; }
    int Rows() const { return m_layout.rows(); }
    int CapWidth() const { return m_layout.CapWidth; }
    QString Caption(int index) const;
    int FocusIndex() const { return m_focusIndex; }
    const TMatrixLayout& Layout() const { return m_layout; }

    // Cells in widget coordinates; an index outside 0..Count-1 throws "RectOfChk Index Error!" /
    // "RectOfCap Index Error!".
    QRect RectOfChk(int index) const;
    QRect RectOfCap(int index) const;

    // Called after the changed() signal by every Change(); may be empty.
    void SetOnChange(TNotifyEvent handler) { m_onChange = std::move(handler); }

    QSize sizeHint() const override { return m_layout.size(); }
    QSize minimumSizeHint() const override { return m_layout.size(); }

    // Paints the whole control; paintEvent and image rendering both go through here.
    void render(QPainter& painter) const { render(painter, rect()); }
    void render(QPainter& painter, const QRect& area) const;
    using QWidget::render;

  signals:
    // Sent by Change(): after a click on an item (not on a gap), after every key press that reaches
    // the control (Escape and Ctrl/Alt/Meta shortcuts go on to the window) and after every
    // re-layout (AddItem, SetCount, SetCols, SetCapWidth with a new value). The programmatic
    // Clear, SetChecked, SetRadio and SetItemIndex are silent.
    void changed(TMultiMatrix* sender);

  protected:
    // Emits changed() and then calls the OnChange handler.
    virtual void Change();
    // A click on the item, or Space/Enter on the focus item.
    virtual void activateItem(int index) = 0;
    // The style's check-box or radio indicator; drawn On when the item's flag is set.
    virtual QStyle::PrimitiveElement glyph() const = 0;

    bool flag(int index) const { return m_flags[index] != 0; }
    void setFlag(int index, bool on) { m_flags[index] = on ? 1 : 0; }
    void clearFlags();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void relayout();

    TMatrixLayout m_layout;
    QStringList m_captions;
    std::vector<uint8_t> m_flags;
    int m_focusIndex = 0;
    TNotifyEvent m_onChange;

    // The two looks of the glyph, drawn by the style once and reused: styles draw their indicators
    // with gradients and paths, which dominated the cost of a full repaint.
    struct TGlyphCache {
        const QStyle* style = nullptr;
        qint64 paletteKey = -1;
        QStyle::State state;
        QSize size;
        qreal dpr = 0;
        QPixmap off, on;
    };
    mutable TGlyphCache m_glyphs;
    const TGlyphCache& glyphs(QStyle::State state, qreal dpr) const;
};
