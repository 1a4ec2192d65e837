#pragma once

#include "engine/ledger/LedgerReport.h"

#include <QRect>
#include <QWidget>
#include <vector>

class QPainter;

// Where the points of the cumulative cost and return curves fall inside a plot rectangle.
struct LedgerCurveLayout {
    QRect plot;
    int64_t top = 0; // the money at plot.top()
    double x(size_t index, size_t count) const;
    double y(int64_t money) const;
};
LedgerCurveLayout MakeLedgerCurveLayout(const std::vector<LedgerCurvePoint>& curve, const QRect& area);

// The report's plot: cumulative cost (投入) and fixed prize (奖金) after each settled issue.
class TLedgerCurveView : public QWidget {
    Q_OBJECT
  public:
    explicit TLedgerCurveView(QWidget* parent = nullptr);
    void setCurve(std::vector<LedgerCurvePoint> curve);
    const std::vector<LedgerCurvePoint>& curve() const { return m_curve; }
    void render(QPainter& painter, const QRect& area) const;

    static const QColor CostColor;
    static const QColor PrizeColor;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    std::vector<LedgerCurvePoint> m_curve;
};
