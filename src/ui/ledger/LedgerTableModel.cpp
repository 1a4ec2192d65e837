#include "ui/ledger/LedgerTableModel.h"

#include "engine/ledger/LedgerReport.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

void TLedgerTableModel::setEntries(std::vector<LedgerEntry> entries) {
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int TLedgerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

int TLedgerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TLedgerTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_entries.size())) return {};
    const LedgerEntry& e = m_entries[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Id:
            return QString::number(e.number);
        case Issue:
            return LedgerIssueText(e.issue);
        case Tickets:
            return LedgerTicketsText(e);
        case Bets:
            return QString::number(e.bets);
        case Cost:
            return QString::number(e.cost);
        case Result:
            return LedgerResultText(e);
        case Prize:
            return e.settled ? PrizeMoneyText(e.prize, e.tiers, PrizeRulesFor(LedgerGameOf(e.game), e.issue))
                             : QString();
        case Note:
            return e.extra ? QStringLiteral("追加 ") + LedgerNoteLine(e.note) : LedgerNoteLine(e.note);
        }
    }
    if (role == Qt::ToolTipRole && index.column() == Tickets)
        return LedgerTicketsText(e, QStringLiteral("\n"));
    // The result and the note read whole; double-click shows the entry in detail.
    if (role == Qt::ToolTipRole && index.column() == Result)
        return LedgerResultText(e) + QStringLiteral("\n（双击查看详情）");
    if (role == Qt::ToolTipRole && index.column() == Note && !e.note.isEmpty()) return e.note;
    if (role == Qt::TextAlignmentRole &&
        (index.column() == Bets || index.column() == Cost || index.column() == Prize))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && index.column() == Result) {
        if (!e.settled) return QBrush(QColor(128, 128, 128));
        // A floating win has no price, so any tier won counts.
        if (std::any_of(e.tiers.begin(), e.tiers.end(), [](int64_t n) { return n > 0; }))
            return QBrush(QColor(200, 0, 0));
    }
    return {};
}

QVariant TLedgerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char16_t* const names[ColumnCount] = {u"编号", u"期号", u"投注号码", u"注数",
                                                       u"金额", u"结果", u"奖金",     u"备注"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf16(names[section]) : QVariant();
}
