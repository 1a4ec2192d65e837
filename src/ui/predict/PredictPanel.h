#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "ui/ExportDialog.h"

#include <QHash>
#include <QStringList>
#include <QWidget>
#include <functional>

class QAction;
class QPlainTextEdit;
class QToolBar;
class QToolButton;
enum class PredictKind;

// The smart-prediction page: a tool bar of prediction commands and the text area they write into.
class TPredictPanel : public QWidget {
    Q_OBJECT

  public:
    TPredictPanel(const TCodeArr& history, QWidget* parent = nullptr);

    // The game the history holds. The page's text belongs to its game: switching keeps each game's
    // text in memory and shows the chosen game's.
    void setGame(const Game& game);
    const Game& game() const { return *m_game; }

    // Replaces the save dialog (the main window's shared one, or a test's answer).
    void setSaveFileChooser(SaveFileChooser chooser);

    // Asks for the backtest's period count and command; false when cancelled.
    using BacktestAsker = std::function<bool(QWidget* parent, int& draws, PredictKind& kind)>;
    void setBacktestAsker(BacktestAsker asker) { m_askBacktest = std::move(asker); }

    // The text area's content as lines; an empty area has none.
    QStringList memoLines() const;

    QToolBar* TuiToolBar = nullptr;
    QToolButton* TuiExportBt = nullptr;
    QToolButton* TuiPrintBt = nullptr;
    QToolButton* TuiCombinePredictBt = nullptr;
    // Kept hidden on the tool bar; their commands are reached through TuiMorePredictBt's menu.
    QToolButton* TuiSinglePredictBt = nullptr;
    QToolButton* TuiNerveRcmBt = nullptr;
    QToolButton* TuiColdCodeRcmBt = nullptr;
    QToolButton* TuiOddNumRcmBt = nullptr;
    QToolButton* TuiEvenNumRcmBt = nullptr;
    QToolButton* TuiAreaNumRcmBt = nullptr;
    QToolButton* TuiMorePredictBt = nullptr;
    QPlainTextEdit* TuiMemo = nullptr;
    QAction* TuiPrizeCheckAct = nullptr; // the prize check on the page's text, in the text's menu

  signals:
    void statusText(const QString& text);
    // The single prediction puts the number of tickets it chose from into the main window's caption.
    void captionText(const QString& text);

  public slots:
    void TuiExportBtClick();
    void TuiPrintBtClick();
    void TuiPrizeCheckClick();
    void TuiCombinePredictBtClick();
    void TuiSinglePredictBtClick();
    void TuiNerveRcmBtClick();
    void TuiColdCodeRcmBtClick();
    void TuiOddNumRcmBtClick();
    void TuiEvenNumRcmBtClick();
    void TuiAreaNumRcmBtClick();
    // 历史回测: each of the last draws predicted from the draws before it, against chance.
    void TuiBacktestClick();

  private:
    QToolButton* addButton(const QString& caption, const QString& name, void (TPredictPanel::*slot)(),
                           bool visible);
    void runCommand(PredictKind kind);

    const TCodeArr& m_history;
    const Game* m_game = &Game::ssq();
    QHash<QString, QString> m_textOfGame;
    SaveFileChooser m_chooseSaveFile;
    BacktestAsker m_askBacktest;
};
