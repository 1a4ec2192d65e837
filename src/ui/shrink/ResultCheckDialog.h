#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// The box of 结果兑奖: says what it accepts, shows an example, and keeps a text it cannot use
// open with the reason instead of closing on it.
class TResultCheckDialog : public QDialog {
    Q_OBJECT
  public:
    // Reads the answer as a draw of the game.
    TResultCheckDialog(const TCodeArr& history, QWidget* parent, const Game& game);

    QString answer() const;

    QLabel* PromptLbl = nullptr;
    QLineEdit* AnswerEd = nullptr;
    QLabel* HintLbl = nullptr;

  public slots:
    void accept() override;

  private:
    const TCodeArr& m_history;
    const Game& m_game;
};
