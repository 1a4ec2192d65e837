#pragma once

#include "engine/core/CodeRec.h"
#include "engine/shrink/ShrinkInput.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableWidget;
class TH2Net;
struct ShrinkBacktest;

// The sheet 历史验证 of the shrink panel: how the conditions as they stand on the other sheets would
// have done on the last draws: per condition the draws that pass it (the ones that kill most draws
// stand out), the draws the whole set keeps and the tolerance distribution, and a grid of the draws
// against the active conditions.
class TBacktestSheet : public QWidget {
    Q_OBJECT
  public:
    using InputReader = std::function<ShrinkInput()>;
    TBacktestSheet(const TCodeArr& history, InputReader readInput, QWidget* parent = nullptr);
    // Tests the conditions as the game's; the shown result belongs to the game before and goes.
    void setGame(const Game& game);

    QSpinBox* PeriodSe = nullptr;
    QPushButton* VerifyBt = nullptr;
    QLabel* SummaryLbl = nullptr;
    QTableWidget* ConditionTable = nullptr;
    TH2Net* DrawNet = nullptr;

    // How many conditions stand out as the worst.
    static constexpr int WorstShown = 3;

  public slots:
    void VerifyBtClick();

  private:
    void display(const ShrinkBacktest& b);

    const TCodeArr& m_history;
    InputReader m_readInput;
    const Game* m_game = &Game::ssq();
    QSplitter* m_splitter = nullptr;
};
