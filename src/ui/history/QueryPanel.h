#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QHash>
#include <QSet>

#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// Lists a run of draws from an issue code on, and prints the list.
struct FiguresTable;

class TQueryPanel : public QWidget {
    Q_OBJECT
  public:
    TQueryPanel(const TCodeArr& history, QWidget* parent = nullptr);

    // Lists the game's draws from now on. Each game keeps its own start issue and count: switching
    // back brings back what was typed for that game; the list is cleared. The first time the panel
    // shows a game it lists that game's newest draws.
    void setGame(const Game& game);
    const Game& game() const { return *m_game; }
    // Bringing the panel to the front (even inside a window not shown yet) counts as a visit.
    void setVisible(bool visible) override;
    // The draw figures listed under each draw that has them (date, sales, pool, winners); null: none.
    void setFigures(const FiguresTable* figures) { m_figures = figures; }

    QLabel* Label2 = nullptr;
    QSpinBox* SqlSe1 = nullptr;
    QSpinBox* SqlSe2 = nullptr;
    QCheckBox* SqlChk1 = nullptr;
    QCheckBox* SqlChk2 = nullptr;
    QPushButton* SqlBt = nullptr;
    QPushButton* PrintBt = nullptr;
    QPlainTextEdit* SqlMemo = nullptr;

  public slots:
    void SqlBtClick();
    void PrintBtClick();

  signals:
    void statusText(const QString& text);

  private:
    // Starts the query at the newest draws (as many as the count asks) and lists them, once a game.
    void openOnNewest();

    const TCodeArr& History;
    const Game* m_game = &Game::ssq();
    const FiguresTable* m_figures = nullptr;
    QHash<QString, std::pair<int, int>> m_queryOfGame; // game key -> start issue, count
    QSet<QString> m_openedGames;                        // games whose newest draws were listed
};
