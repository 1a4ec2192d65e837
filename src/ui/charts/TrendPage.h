#pragma once

#include "charts/ChartPage.h"
#include "charts/H2NetModel.h"

class TH2Net;

// A chart sheet showing one trend grid (ExTabSheet<k>Net) that fills the body: the red-ball,
// last-digit, odd-even, big-small and blue-ball trend charts, and the base of the zone chart.
class TTrendPage : public TChartPage {
    Q_OBJECT
  public:
    TTrendPage(const TCodeArr& history, int sheet, QWidget* parent = nullptr);

    TH2Net* net() const { return m_net; }

  protected:
    // The grid takes the model only once it exists.
    void fillPage(int n) override;

  private:
    TH2Net* m_net = nullptr;
};

// The red-ball trend chart sheet "红球走势图".
class TRedTrendPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TRedTrendPage(const TCodeArr& history, QWidget* parent = nullptr);
};

// The last-digit chart sheet "尾号走势图".
class TTailPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TTailPage(const TCodeArr& history, QWidget* parent = nullptr);
};

// The odd-even chart sheet "奇偶走势图".
class TOddEvenPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TOddEvenPage(const TCodeArr& history, QWidget* parent = nullptr);
};

// The big-small chart sheet "大小走势图".
class TBigSmallPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TBigSmallPage(const TCodeArr& history, QWidget* parent = nullptr);
};

// The blue-ball trend chart sheet "蓝球走势图".
class TBlueTrendPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TBlueTrendPage(const TCodeArr& history, QWidget* parent = nullptr);
};
