#pragma once

#include "engine/charts/H2NetModel.h"
#include "ui/charts/ChartPage.h"

#include <optional>
#include <vector>

class QCheckBox;
class TH2Net;

// A chart sheet showing one trend grid (ExTabSheet<k>Net) that fills the body: the red-ball,
// last-digit, odd-even, big-small and blue-ball trend charts, and the base of the zone chart.
class TTrendPage : public TChartPage {
    Q_OBJECT
  public:
    std::optional<TChartPicture> picture() const override;
    TTrendPage(const TCodeArr& history, int sheet, QWidget* parent = nullptr);

    TH2Net* net() const { return m_net; }
    // "显示遗漏": empty draw cells show the column's omission count (off by default).
    QCheckBox* omissionSwitch() const { return m_showOmission; }

  protected:
    // The grid takes the model only once it exists.
    void fillPage(int n) override;
    void clearPage() override;

  private:
    void showModel();
    // Per column, the draws without a mark just older than the grid: counted once per fill, and only
    // when a count is asked for, since it takes the page filled over the whole history.
    const std::vector<int>& omissionBefore();

    TH2Net* m_net = nullptr;
    QCheckBox* m_showOmission = nullptr;
    H2NetModel m_filled; // the grid as the fill routine built it
    int m_shownDraws = 0;
    std::optional<std::vector<int>> m_before;
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

// The big-small chart sheet "大小走势图". Its header tells that the last digit is big or small.
class TBigSmallPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TBigSmallPage(const TCodeArr& history, QWidget* parent = nullptr);
    static QString headerToolTip(const Game& game);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The blue-ball trend chart sheet "蓝球走势图".
class TBlueTrendPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TBlueTrendPage(const TCodeArr& history, QWidget* parent = nullptr);
};
