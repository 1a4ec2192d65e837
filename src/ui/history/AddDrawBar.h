#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QSpinBox;

// 添加开奖: the newest draw typed into spin boxes instead of at the end of 3,500 lines of text.
class TAddDrawBar : public QWidget {
    Q_OBJECT
  public:
    explicit TAddDrawBar(QWidget* parent = nullptr);

    // The number boxes of the game, empty: six reds and a blue, or five fronts and two backs.
    void setGame(const Game& game);
    const Game& game() const { return *m_game; }

    // Prefills the issue code with the one after the newest draw (the next year's first once the
    // year is over); the number boxes are left as they are.
    void setNextIssue(const TCodeArr& history);
    // The draws a new one is checked against (the editor's, which may be ahead of the history).
    void setHeldDraws(std::function<TCodeArr()> source) { m_heldDraws = std::move(source); }

    // The boxes hold what was typed, any digits; an empty box has the value -1.
    QSpinBox* IssueSe = nullptr;
    QLabel* FrontLabel = nullptr;
    QLabel* BackLabel = nullptr;
    // Fronts; the boxes beyond the game's pick count are hidden.
    QSpinBox* RedSe[GameLimits::kMaxFrontPicks] = {};
    QSpinBox* BlueSe = nullptr;
    // The second back number of the super lotto (hidden for the two-colour ball).
    QSpinBox* BackSe2 = nullptr;
    QPushButton* AddBt = nullptr;

  public slots:
    void AddBtClick();

  signals:
    // A checked history line, reds sorted.
    void lineReady(const QString& line);

  private:
    void clearNumbers();

    std::function<TCodeArr()> m_heldDraws;
    const Game* m_game = &Game::ssq();
};
