#pragma once

#include "ui/charts/TrendPage.h"

class QSpinBox;

// The rotation chart sheet "旋转图": the red distribution columns start at the number of the start
// spin edit ExTabSheet8StartSe (1..the game's front pool) and wrap around.
class TRotationPage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TRotationPage(const TCodeArr& history, QWidget* parent = nullptr);

    QSpinBox* startEdit() const { return m_startEdit; }
    // S: the start spin edit's text as an integer brought into 1..pool; not an integer counts as 1.
    int startNumber() const;

  protected:
    ChartArgs chartArgs(int n) const override;
    void labelFitted() override;
    void gameChanged(const Game& previous) override;

  private:
    QSpinBox* m_startEdit = nullptr;
    QHash<QString, int> m_startOfGame; // each game keeps its own start number
};
