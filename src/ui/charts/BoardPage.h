#pragma once

#include "engine/charts/BoardCharts.h"
#include "ui/charts/ChartPage.h"

#include <vector>

class TB0NetView;

// A page of one small board per draw, four to a line, in one scrolling control that draws only the
// boards in view. The boards are replaced on every fill; a refused N leaves the page empty.
class TBoardPage : public TChartPage {
    Q_OBJECT
  public:
    std::optional<TChartPicture> picture() const override;
    // The boards of the latest fill, newest draw first (ExTabSheet6Nets / ExTabSheet12Nets).
    const std::vector<B0NetModel>& boards() const;
    // The scrolling control (ExTabSheet6ScrollBox / ExTabSheet12ScrollBox).
    TB0NetView* scrollBox() const { return m_view; }

  protected:
    TBoardPage(const TCodeArr& history, int sheet, QWidget* parent);

    void fillPage(int n) override;
    void clearPage() override;

  private:
    TB0NetView* m_view = nullptr;
};
