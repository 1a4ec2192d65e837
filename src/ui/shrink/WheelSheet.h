#pragma once

#include "engine/core/Game.h"
#include "ui/ExportDialog.h"

#include <QHash>

#include <QWidget>
#include <atomic>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;

// The sheet 旋转矩阵 beside the shrink result: a wheel over typed numbers or the candidate matrix's,
// with bankers and a guarantee, the same over the shrink result itself (缩水后旋转), the check of a
// pasted table, and the tickets with the player's blues for export or copying. Searches run on a
// worker thread with progress and cancel.
class TWheelSheet : public QWidget {
    Q_OBJECT
  public:
    using NumbersReader = std::function<std::vector<int>()>;
    using TextReader = std::function<QString()>;
    TWheelSheet(NumbersReader candidates, TextReader resultText, QWidget* parent = nullptr);
    ~TWheelSheet() override;

    void setSaveFileChooser(SaveFileChooser chooser) { m_saveName = std::move(chooser); }
    bool busy() const { return m_worker != nullptr; }
    // Wheels of the game's tickets; each game keeps its own numbers and tickets while the program runs.
    void setGame(const Game& game);

    QLineEdit* NumbersEd = nullptr;
    QPushButton* FromMatrixBt = nullptr;
    QLineEdit* BankersEd = nullptr;
    QComboBox* GuaranteeCbb = nullptr;
    QLineEdit* BluesEd = nullptr;
    QLabel* BluesLbl = nullptr;
    QLabel* EstimateLbl = nullptr;
    QPushButton* BuildBt = nullptr;
    QPushButton* FromResultBt = nullptr;
    QPushButton* CheckBt = nullptr;
    QPushButton* CancelBt = nullptr;
    QPushButton* ExportBt = nullptr;
    QPushButton* CopyBt = nullptr;
    QPushButton* PrintBt = nullptr;
    QPushButton* ExportResultBt = nullptr;
    QProgressBar* SearchBar = nullptr;
    QLabel* ResultLbl = nullptr;
    QPlainTextEdit* TicketMemo = nullptr;
    // The report of 检查旋转矩阵, beside the wheel it checked (hidden until a check).
    QPlainTextEdit* CheckReportMemo = nullptr;

  public slots:
    void FromMatrixBtClick();
    void BuildBtClick();
    void FromResultBtClick();
    void CheckBtClick();
    void CancelBtClick();
    void ExportBtClick();
    void CopyBtClick();
    void PrintBtClick();
    void ExportResultBtClick();
    void updateEstimate();

  signals:
    // A build or 缩水后旋转 has ended (shown, refused or cancelled).
    void searchEnded();

  private:
    void fillGuarantees();
    void start(std::function<void()> work, int maximum);
    void finish();
    QStringList ticketLinesWithBlues() const;
    void showGameWords();
    int backCount() const; // throws for a bad back list
    std::vector<uint64_t> singleTickets(const QString& text) const;

    const Game* m_game = &Game::ssq();
    struct GameState {
        QString numbers, bankers, backs, tickets, result;
        QStringList lines;
    };
    QHash<QString, GameState> m_otherGames;

    NumbersReader m_candidates;
    TextReader m_resultText;
    SaveFileChooser m_saveName;
    QThread* m_worker = nullptr;
    std::atomic<bool> m_cancel{false};
    // Written by the worker, read after it has finished.
    QStringList m_lines;
    QString m_summary;
    QString m_error;
    int64_t m_ticketCount = 0;
};
