#pragma once

#include "engine/ledger/LedgerEntry.h"

#include <QAbstractTableModel>
#include <vector>

// The ledger's entries as table rows: 编号, 期号, 投注号码, 注数, 金额, 结果, 奖金, 备注.
class TLedgerTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Id, Issue, Tickets, Bets, Cost, Result, Prize, Note, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(std::vector<LedgerEntry> entries);
    const std::vector<LedgerEntry>& entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<LedgerEntry> m_entries;
};
