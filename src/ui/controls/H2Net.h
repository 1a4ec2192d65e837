#pragma once

#include "engine/charts/H2NetLayout.h"
#include "engine/charts/H2NetModel.h"

#include <QAbstractScrollArea>
#include <functional>
#include <vector>

class QPainter;

// The trend grid: fixed header rows over data rows that scroll under them with the vertical scroll
// bar, cell texts and colours and merged captions. The contents live in an H2NetModel; the widget
// keeps the scroll position and the rows that fit, and paints only those rows.
//
// A page fills it through the forwarding operations (or fills a model and calls setModel):
//     net->model().FFontSize = 10;
//     net->SetDimension(41, n + 1, 2, widths);
//     net->SetValue(row, col, text); net->SetCellColor(row, col, 0x8486FF);
//     net->SetMergeCount(4); net->SetMerge(0, true, {0, 0}, {0, 1}, "期号", net->model().FFixColor);
//     net->Resize();
class TH2Net : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit TH2Net(QWidget* parent = nullptr);
    ~TH2Net() override;

    H2NetModel& model() { return m_model; }
    const H2NetModel& model() const { return m_model; }
    // Takes over a filled model (keeping this widget's message box for index errors) and lays out.
    void setModel(const H2NetModel& model);

    void SetDimension(int ACols, int ADynRows, int AFixRows, const QList<int>& AColWidths) {
        m_model.SetDimension(ACols, ADynRows, AFixRows, AColWidths);
    }
    void SetValue(int ARow, int ACol, const QString& Text) { m_model.SetValue(ARow, ACol, Text); }
    QString GetValue(int ARow, int ACol) const { return m_model.GetValue(ARow, ACol); }
    void SetCellColor(int ARow, int ACol, TColor Color) { m_model.SetCellColor(ARow, ACol, Color); }
    TColor GetCellColor(int ARow, int ACol) const { return m_model.GetCellColor(ARow, ACol); }
    void SetMergeCount(int N) { m_model.SetMergeCount(N); }
    void SetMerge(int Index, bool Active, QPoint TopLeft, QPoint BottomRight, const QString& Text,
                  TColor Color) {
        m_model.SetMerge(Index, Active, TopLeft, BottomRight, Text, Color);
    }
    TMergeRec GetMerge(int Index) const { return m_model.GetMerge(Index); }
    // Empties the grid and lays it out again.
    void Clear();

    // Lays the grid out for the current client height (rows that fit, scroll range, the scroll
    // position kept inside it) and repaints. Pages call it once after filling.
    void Resize();

    // One scroll-bar request; thumbPos is the position of a thumb request.
    void VScroll(TScrollRequest request, int thumbPos = 0);

    // A grid narrower than its window widens its columns to fill it, up to maxStretch times their
    // width (1, the default: never). The chart pages let their grids use a large window's room.
    void setMaxStretch(double maxStretch);

    const H2NetLayout& layout() const { return m_layout; }
    int topRow() const { return m_layout.TopRow; }
    int visRows() const { return m_layout.VisRows; }

    // Paints the client area (as much of it as clip covers) in client coordinates.
    void render(QPainter& painter, const QRect& clip);
    void render(QPainter& painter) { render(painter, viewport()->rect()); }
    // Paints what the viewport shows: the grid scrolled sideways, with the first column (the issue
    // codes) held at the left edge over the columns that scroll under it.
    void renderView(QPainter& painter, const QRect& viewportClip);

    // What hovering over a viewport point tells: the draw's issue code, the column's heading and
    // the cell's mark, or how many draws the column has gone without one. Empty off the draw rows.
    QString toolTipAt(QPoint viewportPos) const;
    // The grid whose marks the hover texts describe when the shown one carries more (omission
    // counts written into its empty cells); null: the shown grid itself. Must outlive its use.
    void setHoverSource(const H2NetModel* source) { m_hoverSource = source; }
    // The omission a hover text counts runs on past the oldest row by what this gives per column
    // (the draws without a mark before the grid); asked only when a hover text needs it.
    void setOmissionBefore(std::function<const std::vector<int>&()> before) { m_omissionBefore = std::move(before); }

  signals:
    // End of every layout.
    void changed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Ctrl+Home / Ctrl+End: the first / last row (the totals included); Home / End: the left /
    // right edge.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void installHook();
    void onScrollAction(int action);
    H2NetLayout makeLayout() const;
    // Viewport x to grid x: columns right of the held first column move with the scroll bar.
    int gridX(int viewportX) const;
    // Viewport pixels at the left that show the held first column (0 while not scrolled sideways).
    int heldWidth() const;

    H2NetModel m_model;
    const H2NetModel* m_hoverSource = nullptr;
    std::function<const std::vector<int>&()> m_omissionBefore;
    H2NetLayout m_layout;
    double m_maxStretch = 1.0;
};
