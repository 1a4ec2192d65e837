#pragma once

#include "charts/BoardCharts.h"
#include "charts/ChartPage.h"

#include <QList>

class QScrollArea;
class TB0Net;

// A page of one small board per draw, four to a line in a scroll box. The boards are created on
// every fill and freed before the next one, so a refused N leaves the page empty.
class TBoardPage : public TChartPage {
    Q_OBJECT
  public:
    // The boards of the latest fill, newest draw first (ExTabSheet6Nets / ExTabSheet12Nets).
    const QList<TB0Net*>& nets() const { return m_nets; }
    QScrollArea* scrollBox() const { return m_scrollBox; }

  protected:
    TBoardPage(const TCodeArr& history, int sheet, QWidget* parent);

    void fillPage(int n) override;

  private:
    void freeBoards();

    QScrollArea* m_scrollBox = nullptr;
    QWidget* m_boardArea = nullptr; // the scroll box's content, sized to the boards
    QList<TB0Net*> m_nets;
};
