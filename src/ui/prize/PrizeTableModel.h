#pragma once

#include "engine/prize/PrizeCheck.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

// The rows of a prize check for a table view: one ticket a row, against one draw or the whole
// history. Sorting reorders a row index, never the results themselves.
class TPrizeTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TPrizeTableModel(QObject* parent = nullptr);

    // The game of the rows to come; clears the rows of another game.
    void setGame(const Game& game);
    const Game& game() const { return *m_game; }

    void setDrawResult(std::vector<PrizeTicket> tickets, PrizeResult result);
    void setHistoryResult(std::vector<PrizeTicket> tickets, HistoryResult result);
    bool historyMode() const { return m_historyMode; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The check's texts, rows in the order the table shows them.
    QStringList summaryLines() const;
    QStringList reportLines() const;
    QStringList csvLines() const;

    // The best tier of a row as shown (0 = none), for highlighting and tests.
    int bestTier(int row) const;

  private:
    // Ends the reset that the setters begin.
    void resetRows(std::vector<PrizeTicket> tickets, bool historyMode);
    QString text(int ticket, int column) const;
    int64_t sortKey(int ticket, int column) const;
    template <typename Result>
    Result reordered(const Result& result, std::vector<PrizeTicket>& tickets) const;

    int historyColumnCount() const;

    const Game* m_game = &Game::ssq();
    std::vector<PrizeTicket> m_tickets;
    PrizeResult m_draw;
    HistoryResult m_history;
    std::vector<int> m_order;
    bool m_historyMode = false;
    bool m_checked = false;
};
