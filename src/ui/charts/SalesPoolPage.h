#pragma once

#include "engine/charts/SalesPoolChart.h"
#include "ui/charts/ChartPage.h"

struct FiguresTable;
struct SalesPoolLayout;

// The control of "奖池与销量": the chart filling its size, and under the mouse a guide line and the
// draw's figures as a tool tip.
class TSalesPoolView : public QWidget {
    Q_OBJECT
  public:
    explicit TSalesPoolView(QWidget* parent = nullptr);

    void setChart(SalesPoolChart chart);
    const SalesPoolChart& chart() const { return m_chart; }
    // The draw under a point of the control (-1 none) and the text its tool tip shows.
    int drawAt(const QPoint& pos) const;
    QString hoverText(int index) const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    SalesPoolLayout layout() const;
    SalesPoolChart m_chart;
    int m_hover = -1;
};

// "奖池与销量": each draw's sales and the pool after it over the latest N draws, from the draw figures
// the window holds.
class TSalesPoolPage : public TChartPage {
    Q_OBJECT
  public:
    explicit TSalesPoolPage(const TCodeArr& history, QWidget* parent = nullptr);

    // The figures the chart reads (the data panel's; they stay valid); nullptr for none.
    void setFigures(const FiguresTable* figures);
    TSalesPoolView* view() const { return m_view; }
    std::optional<TChartPicture> picture() const override;

  public slots:
    // The figures changed: the chart in view is drawn again from them.
    void figuresChanged();

  protected:
    void fillPage(int n) override;
    void clearPage() override;
    ChartArgs chartArgs(int n) const override;

  private:
    const FiguresTable* m_figures = nullptr;
    TSalesPoolView* m_view = nullptr;
};
