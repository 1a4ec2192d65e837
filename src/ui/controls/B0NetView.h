#pragma once

#include "engine/charts/B0NetModel.h"

#include <QAbstractScrollArea>
#include <vector>

// Many titled tables (the boards of a board page) in one scrolling control. The tables are models
// placed at their bounds; a paint draws only those that meet the visible part, so showing and
// scrolling cost the same at 30 boards as at 30,000, and no widget is made per board.
class TB0NetView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit TB0NetView(QWidget* parent = nullptr);

    // Takes the tables (in their bounds), scrolls back to the top and repaints.
    void setModels(std::vector<B0NetModel> models);
    void clear() { setModels({}); }
    const std::vector<B0NetModel>& models() const { return m_models; }

    // Size of the area the tables cover from (0, 0), as a scroll area's content.
    QSize contentSize() const { return m_content; }
    // Content coordinates of the top-left visible pixel.
    QPoint scrollOffset() const;

    // The hover text at a viewport point: the board's title, the number in the cell and whether the
    // draw holds it. Empty off the cells.
    QString toolTipAt(QPoint viewportPos) const;

  protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void updateBars();

    std::vector<B0NetModel> m_models;
    QSize m_content;
};
