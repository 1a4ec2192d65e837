#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/ledger/LedgerEntry.h"
#include "ui/ExportDialog.h"

#include <QWidget>
#include <memory>
#include <optional>

class Ledger;
class QLabel;
class QPlainTextEdit;
class QTableView;
class QToolBar;
class QToolButton;
class TLedgerAddDialog;
class TLedgerCurveView;
class TLedgerTableModel;
struct FiguresTable;

// 投注记录: the tickets the player bought, settled against the history, with the report against
// chance. The ledger database is the store of record; the panel only shows what it reads from it.
class TLedgerPanel : public QWidget {
    Q_OBJECT
  public:
    TLedgerPanel(const TCodeArr& history, QWidget* parent = nullptr);
    ~TLedgerPanel() override;

    // Opens the ledger file (made when missing). A file that is refused is named in the panel and
    // nothing is written to it.
    void setLedgerFile(const QString& path);
    QString ledgerFile() const { return m_path; }
    // The reason the ledger file was refused; empty when it is open.
    QString openError() const { return m_openError; }

    // Shows the entries of the game (each game has its own). It does not settle: the history may still
    // be the other game's until the data panel has loaded this one's.
    void setGame(const Game& game);
    // Whether the history is the data the player sees: until a history has loaded (a refused file, text
    // that does not parse) the stored results stay as they are and are only listed.
    void setHistoryValid(bool valid) { m_historyValid = valid; }
    const Game& game() const { return *m_game; }
    // The draw figures of the game (owned by the caller, kept while set; nullptr for none): the report
    // then gives the wins as paid. Figures of another game are not used. Call settle() to show them.
    void setFigures(const FiguresTable* figures) { m_figures = figures; }

    // Opens the add dialog with these ticket lines typed in; nullptr when the ledger is not open.
    TLedgerAddDialog* addTickets(const QString& tickets);
    void setSaveFileChooser(SaveFileChooser chooser) { m_chooseSaveFile = std::move(chooser); }

    QToolBar* LedgerTbr = nullptr;
    QToolButton* LedgerAddBt = nullptr;
    QToolButton* LedgerRemoveBt = nullptr;
    QToolButton* LedgerUndoBt = nullptr;
    QToolButton* LedgerDetailBt = nullptr;
    QToolButton* LedgerRefreshBt = nullptr;
    QToolButton* LedgerExportBt = nullptr;
    QToolButton* LedgerPrintBt = nullptr;
    QTableView* LedgerTable = nullptr;
    TLedgerTableModel* LedgerModel = nullptr;
    QPlainTextEdit* LedgerReportMemo = nullptr;
    TLedgerCurveView* LedgerCurve = nullptr;
    QLabel* LedgerFileLbl = nullptr;

  public slots:
    // Settles against the history and shows the result; the main window calls it after every load,
    // save, import and update. Quiet: a failure is shown in the panel, never as a box, and the status
    // bar keeps the message of the command that rebuilt the history.
    void settle();
    // Reads the ledger again (another program may have added entries) and says what it holds.
    void refresh();
    void LedgerAddBtClick();
    void LedgerRemoveBtClick();
    void LedgerUndoBtClick();
    // The selected entry whole: its tickets, the draw, the numbers drawn marked.
    void LedgerDetailBtClick();
    void LedgerExportBtClick();
    void LedgerPrintBtClick();

  signals:
    void statusText(const QString& text);

  private:
    QToolButton* addButton(const QString& name, const QString& caption, void (TLedgerPanel::*slot)());
    void showEntries(std::vector<LedgerEntry> entries);
    void showProblem(const QString& message);
    void showDetail(const LedgerEntry& entry);
    bool ensureOpen();
    // Reads the game's entries, settling them against the history first when asked.
    void readEntries(bool settleFirst);

    const TCodeArr& m_history;
    const Game* m_game = &Game::ssq();
    const FiguresTable* m_figures = nullptr;
    const FiguresTable* figuresOfGame() const;
    QString m_path;
    QString m_openError;
    std::unique_ptr<Ledger> m_ledger;
    std::optional<LedgerEntry> m_removed;
    int m_settled = 0;
    bool m_historyValid = true;
    QString m_lastError;
    SaveFileChooser m_chooseSaveFile;
};

// Opens the add dialog of the ledger panel of the program window that `from` belongs to (its own
// window or the window that owns it), with the ticket lines typed in. The shrink result, the
// predictions, the prize check and the wheels call this. Returns false when there is no ledger.
bool AddToLedger(QWidget* from, const QString& tickets);

// The detail of an entry as rich text: its tickets with the numbers drawn marked, the draw, the tiers.
QString LedgerEntryHtml(const LedgerEntry& entry);
