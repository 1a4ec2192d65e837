#pragma once

#include "ui/charts/ChartPage.h"

class QScrollArea;
class TB0Net;

// "遗漏统计图": the red and blue analysis tables over the whole history, centred in a scroll box;
// the period value is only checked against the history length.
class TOmissionPage : public TChartPage {
    Q_OBJECT
  public:
    std::optional<TChartPicture> picture() const override;
    explicit TOmissionPage(const TCodeArr& history, QWidget* parent = nullptr);

    TB0Net* redNet() const { return m_net1; }  // ExTabSheet11Net1
    TB0Net* blueNet() const { return m_net2; } // ExTabSheet11Net2
    QScrollArea* scrollBox() const { return m_scrollBox; }

  protected:
    void fillPage(int n) override;
    void clearPage() override;
    ChartArgs chartArgs(int n) const override;

  private:
    int tableAreaWidth() const;
    void centreTables();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QScrollArea* m_scrollBox = nullptr;
    QWidget* m_tableArea = nullptr;
    TB0Net* m_net1 = nullptr;
    TB0Net* m_net2 = nullptr;
};
