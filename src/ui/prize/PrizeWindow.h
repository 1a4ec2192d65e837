#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QHash>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTableView;
class TPrizeTableModel;
struct FiguresTable;

// The prize check: a ticket list against one draw with the prize tiers, or against every draw of
// the history ("has this ever been drawn").
class TPrizeWindow : public QWidget {
    Q_OBJECT
  public:
    TPrizeWindow(const TCodeArr& history, QWidget* parent = nullptr);

    // The game of the history and of the tickets: its words, its draws, its rules. Each game keeps its
    // own ticket lines while the program runs.
    void setGame(const Game& game);
    const Game& game() const { return *m_game; }

    // Fills the draw list from the history, newest first, keeping what the user typed.
    void refreshDraws();
    void setTickets(const QString& text);
    void setDraw(const QString& text);
    // The draw figures of the game (owned by the caller, kept while set; nullptr for none): checks then
    // price each draw's prizes as paid too. Figures of another game are not used.
    void setFigures(const FiguresTable* figures);

    QPlainTextEdit* PrizeTicketMemo = nullptr;
    QPushButton* PrizeImportBt = nullptr;
    QPushButton* PrizeClearBt = nullptr;
    QComboBox* PrizeDrawCbx = nullptr;
    QLabel* PrizeBlueLbl = nullptr;
    QLineEdit* PrizeBlueEd = nullptr;
    QCheckBox* PrizeExtraCb = nullptr; // 追加, for a game that has it
    QPushButton* PrizeCheckBt = nullptr;
    QPushButton* PrizeHistoryBt = nullptr;
    QTableView* PrizeTable = nullptr;
    TPrizeTableModel* PrizeModel = nullptr;
    QLabel* PrizeSummaryLbl = nullptr;
    QPushButton* PrizeExportTextBt = nullptr;
    QPushButton* PrizeExportCsvBt = nullptr;
    QPushButton* PrizePrintBt = nullptr;

  public slots:
    void PrizeImportBtClick();
    void PrizeCheckBtClick();
    void PrizeHistoryBtClick();
    void PrizeExportTextBtClick();
    void PrizeExportCsvBtClick();
    void PrizePrintBtClick();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showResult();
    void showGameWords();
    void exportLines(const QString& filter, const QString& suffix, bool csv);

    const TCodeArr& m_history;
    QScrollArea* m_summaryArea = nullptr;
    const Game* m_game = &Game::ssq();
    const FiguresTable* m_figures = nullptr;
    const FiguresTable* figuresOfGame() const;
    QHash<QString, QString> m_ticketsOfGame;
    int m_drawsListed = -1;
    int m_newestListed = 0;
};

// Shows the prize check window of the top-level window of `from` (made on first use), with the
// tickets and the draw when given; with both given it checks at once. The window takes the game.
TPrizeWindow* OpenPrizeCheck(QWidget* from, const TCodeArr& history, const QString& tickets,
                             const QString& draw, const Game& game);
