#pragma once

#include "ui/charts/ChartPage.h"

class TG2Net;

// "红球统计图" and "蓝球统计图": how often each number was drawn in the latest N draws, one bar
// per number.
class TStatsPage : public TChartPage {
    Q_OBJECT
  public:
    std::optional<TChartPicture> picture() const override;
    enum Kind { Red, Blue };

    TStatsPage(const TCodeArr& history, Kind kind, QWidget* parent = nullptr);

    // ExTabSheet7Net or ExTabSheet10Net.
    TG2Net* net() const { return m_net; }

  protected:
    void fillPage(int n) override;
    void clearPage() override;

  private:
    Kind m_kind;
    TG2Net* m_net = nullptr;
};
