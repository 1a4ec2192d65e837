#pragma once

#include "ui/charts/TrendPage.h"

class QLabel;

// The zone chart sheet "区域分布图": the trend grid with a two-line note under it.
class TZonePage : public TTrendPage {
    Q_OBJECT
  public:
    explicit TZonePage(const TCodeArr& history, QWidget* parent = nullptr);

    QLabel* note() const { return m_note; }

  protected:
    void gameChanged(const Game& previous) override;

  private:
    void showNote();
    QLabel* m_note = nullptr;
    QWidget* m_notePanel = nullptr;
};
