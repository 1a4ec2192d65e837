#pragma once

#include "ui/charts/ChartPage.h"

class QPushButton;
class TH2Net;

// "统计分析表": one row of red-number measures per draw of the latest N, with a "说明" button that
// explains the columns.
class TAnalysisPage : public TChartPage {
    Q_OBJECT
  public:
    std::optional<TChartPicture> picture() const override;
    explicit TAnalysisPage(const TCodeArr& history, QWidget* parent = nullptr);

    TH2Net* net() const { return m_net; }            // ExTabSheet13Net
    QPushButton* smButton() const { return m_smBt; } // ExTabSheet13SmBt

  public slots:
    void ExTabSheet13SmBtClick();

  protected:
    void fillPage(int n) override;
    void clearPage() override;

  private:
    TH2Net* m_net = nullptr;
    QPushButton* m_smBt = nullptr;
};
