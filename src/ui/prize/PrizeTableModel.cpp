#include "ui/prize/PrizeTableModel.h"

#include "engine/prize/PrizeReport.h"

#include <QColor>
#include <algorithm>
#include <numeric>

namespace {

enum { ColLine, ColTicket, ColBets };
// The history's columns before the tier counts.
constexpr int firstTierColumn = 6;

QString issuesText(const std::vector<int>& issues) {
    QStringList list;
    for (int issue : issues)
        list << QString::number(issue);
    return list.join(QLatin1Char(' '));
}

// Whether a ticket won a tier whose amount floats (counted, never priced).
// Orders tickets as their texts: the one holding the lowest number that only one of them has first.
int64_t reversedReds(uint64_t reds, int pool) {
    int64_t key = 0;
    for (int n = 1; n <= pool; ++n)
        if ((reds >> n) & 1u) key -= int64_t(1) << (pool + 1 - n);
    return key;
}

} // namespace

TPrizeTableModel::TPrizeTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TPrizeTableModel::setGame(const Game& game) {
    if (&game == m_game) return;
    beginResetModel();
    m_game = &game;
    m_draw = {};
    m_history = {};
    m_tickets.clear();
    m_order.clear();
    m_historyMode = false;
    m_checked = false;
    endResetModel();
}

int TPrizeTableModel::historyColumnCount() const {
    return firstTierColumn + m_history.tierCount + 2;
}

void TPrizeTableModel::setDrawResult(std::vector<PrizeTicket> tickets, PrizeResult result) {
    beginResetModel();
    m_draw = std::move(result);
    m_history = {};
    resetRows(std::move(tickets), false);
}

void TPrizeTableModel::setHistoryResult(std::vector<PrizeTicket> tickets, HistoryResult result) {
    beginResetModel();
    m_history = std::move(result);
    m_draw = {};
    resetRows(std::move(tickets), true);
}

void TPrizeTableModel::resetRows(std::vector<PrizeTicket> tickets, bool historyMode) {
    m_tickets = std::move(tickets);
    m_historyMode = historyMode;
    m_checked = true;
    m_order.resize(m_tickets.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

int TPrizeTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_order.size());
}

int TPrizeTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return m_historyMode ? historyColumnCount() : int(PrizeColumnTitles(*m_game).size());
}

QVariant TPrizeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= columnCount()) return QVariant();
    // The export writes the same titles over its rows.
    const QStringList titles = m_historyMode ? HistoryColumnTitles(*m_game, m_history.tierCount) : PrizeColumnTitles(*m_game);
    return titles.value(section);
}

int TPrizeTableModel::bestTier(int row) const {
    if (row < 0 || row >= int(m_order.size())) return 0;
    const size_t k = size_t(m_order[size_t(row)]);
    return m_historyMode ? m_history.results[k].best : m_draw.results[k].best();
}

QString TPrizeTableModel::text(int ticket, int column) const {
    const size_t k = size_t(ticket);
    const PrizeTicket& t = m_tickets[k];
    switch (column) {
    case ColLine:
        return QString::number(t.line);
    case ColTicket:
        return TicketText(t);
    case ColBets:
        return QString::number(TicketBets(t, *m_game));
    default:
        break;
    }
    if (!m_historyMode) {
        const TicketPrize& p = m_draw.results[k];
        switch (column) {
        case 3:
            return QString::number(p.redHits);
        case 4:
            if (m_game->backPicks > 1) return QString::number(p.backHits);
            return p.blueHit || p.specialHit ? QStringLiteral("中") : QStringLiteral("未中");
        case 5:
            return TierListText(p.tiers, p.bets, *m_draw.rules);
        default:
            return PrizeMoneyText(p.prize, p.tiers, *m_draw.rules);
        }
    }
    const HistoryPrize& p = m_history.results[k];
    const int lastTier = firstTierColumn + m_history.tierCount;
    if (column == lastTier) return QString::number(p.fixedPrize);
    if (column == lastTier + 1) return QString::number(p.cost);
    switch (column) {
    case 3:
        if (p.best)
            return PrizeVersions(*m_game)[size_t(std::max(p.bestVersion, 1) - 1)].tierName(p.best);
        return TierName(p.best);
    case 4:
        return p.bestIssue ? QString::number(p.bestIssue) : QString();
    case 5:
        return p.sixRedIssues.empty() ? QStringLiteral("从未开出") : issuesText(p.sixRedIssues);
    default:
        return QString::number(p.tiers[size_t(column - firstTierColumn)]);
    }
}

int64_t TPrizeTableModel::sortKey(int ticket, int column) const {
    const size_t k = size_t(ticket);
    const PrizeTicket& t = m_tickets[k];
    // Rows without a prize sort after every tier.
    const auto tierKey = [](int best) { return best ? best : kMaxPrizeTiers + 1; };
    switch (column) {
    case ColLine:
        return t.line;
    case ColTicket:
        return reversedReds(t.reds, m_game->frontPool);
    case ColBets:
        return TicketBets(t, *m_game);
    default:
        break;
    }
    if (!m_historyMode) {
        const TicketPrize& p = m_draw.results[k];
        switch (column) {
        case 3:
            return p.redHits;
        case 4:
            return m_game->backPicks > 1 ? p.backHits : p.blueHit || p.specialHit;
        case 5:
            return tierKey(p.best());
        default:
            // A floating prize is worth more than any fixed one.
            return WonFloating(p.tiers, *m_draw.rules) ? (int64_t(1) << 40) + p.prize : p.prize;
        }
    }
    const HistoryPrize& p = m_history.results[k];
    const int lastTier = firstTierColumn + m_history.tierCount;
    if (column == lastTier) return p.fixedPrize;
    if (column == lastTier + 1) return p.cost;
    switch (column) {
    case 3:
        return tierKey(p.best);
    case 4:
        return p.bestIssue ? p.bestIssue : INT32_MAX;
    case 5:
        return p.sixRedIssues.empty() ? INT32_MAX : p.sixRedIssues.front();
    default:
        return p.tiers[size_t(column - firstTierColumn)];
    }
}

QVariant TPrizeTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_order.size())) return QVariant();
    const int ticket = m_order[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return text(ticket, index.column());
    case Qt::TextAlignmentRole:
        return index.column() == ColTicket || (m_historyMode && index.column() == 5)
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignCenter);
    case Qt::BackgroundRole: {
        const int best = bestTier(index.row());
        const bool drawn = m_historyMode && !m_history.results[size_t(ticket)].sixRedIssues.empty();
        if (drawn || (best >= 1 && best <= 3)) return QColor(255, 205, 205);
        if (best) return QColor(255, 240, 200);
        return QVariant();
    }
    default:
        return QVariant();
    }
}

void TPrizeTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::pair<int64_t, int>> keyed(m_order.size());
    for (size_t i = 0; i < keyed.size(); ++i)
        keyed[i] = {sortKey(int(i), column), int(i)};
    // Ties keep the input order either way.
    std::stable_sort(keyed.begin(), keyed.end(), [order](const auto& a, const auto& b) {
        return order == Qt::AscendingOrder ? a.first < b.first : a.first > b.first;
    });
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowOf(m_order.size());
    for (size_t i = 0; i < keyed.size(); ++i) {
        m_order[i] = keyed[i].second;
        rowOf[size_t(keyed[i].second)] = int(i);
    }
    QModelIndexList after;
    for (const QModelIndex& i : before)
        after << index(rowOf[size_t(i.row())], i.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

template <typename Result>
Result TPrizeTableModel::reordered(const Result& result, std::vector<PrizeTicket>& tickets) const {
    Result r = result;
    r.results.clear();
    tickets.clear();
    for (int k : m_order) {
        tickets.push_back(m_tickets[size_t(k)]);
        r.results.push_back(result.results[size_t(k)]);
    }
    return r;
}

QStringList TPrizeTableModel::summaryLines() const {
    if (!m_checked) return {};
    if (m_historyMode) return HistorySummaryLines(m_tickets, m_history);
    QStringList lines{QStringLiteral("开奖号码：") + DrawCaption(m_draw.draw)};
    // A game whose prizes changed over time says which version priced the draw.
    const PrizeRules& rules = *m_draw.rules;
    if (PrizeVersions(*m_game).size() > 1 && m_game->backPicks > 1) {
        const QString range = rules.lastIssue
                                  ? QStringLiteral("%1-%2期").arg(rules.firstIssue).arg(rules.lastIssue)
                                  : QStringLiteral("%1期起").arg(rules.firstIssue);
        lines << QStringLiteral("按第%1版奖级（%2）%3")
                     .arg(rules.version)
                     .arg(range, m_draw.extra ? QStringLiteral("，追加投注") : QString());
    }
    if (!rules.noteText().isEmpty()) lines << rules.noteText();
    lines += PrizeSummaryLines(m_draw.summary, rules);
    if (m_draw.withFigures) lines << QStringLiteral("按本期实付奖金合计：%1").arg(PaidText(m_draw.summary.paid));
    return lines;
}

QStringList TPrizeTableModel::reportLines() const {
    std::vector<PrizeTicket> tickets;
    if (m_historyMode) return HistoryReportLines(tickets, reordered(m_history, tickets));
    return PrizeReportLines(tickets, reordered(m_draw, tickets));
}

QStringList TPrizeTableModel::csvLines() const {
    std::vector<PrizeTicket> tickets;
    if (m_historyMode) return HistoryCsvLines(tickets, reordered(m_history, tickets));
    return PrizeCsvLines(tickets, reordered(m_draw, tickets));
}
